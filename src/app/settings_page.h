#pragma once

#include <string>
#include <vector>

#include "app/game.h"
#include "game/input.h"

// The menu's settings page, reached from the main page with or without a profile: the music and effects
// volumes (0 to 10), the picture (Automatic, Full, Fast), full screen, the shadows and the lamp. Up and
// Down choose a line; Left and Right change it (a volume by a step, the picture to the one before or
// after, a switch over), and Enter does what Right does on every line but a volume's; Escape goes back to
// the main page. On a pad the d-pad, A and B do the same. Every change is heard and seen at once: the song
// plays while the page is open (behind the rest of the menu it is paused), a volume changed while all
// sound is off turns it on again, and each change of the effects volume plays a push at the new level.

constexpr int kSettingsLineCount = 6;

// From the main page: the page with the song playing.
void openSettingsPage(Game& game);

// One frame of the page's keys.
void runSettingsPageKeys(Game& game, InputFeed& feed);

// The page's lines as they read now, in order.
std::vector<std::string> settingsPageItems(const Game& game);
