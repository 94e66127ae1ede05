#pragma once

#include "app/game.h"
#include "game/input.h"

// The in-game menu and the profile dialogue, one frame of it, run after the game frame is drawn while
// game.session.menuOpen is set. The frame reads the menu keys (or the pad's d-pad, A and B, see
// app/menu_controls.h) and the typed character from the feed, acts on Enter and Escape, lays out what is
// shown into game.session.menu.view and hands that to game.presenter.drawMenuFrame (when there is one). The
// first frame of each opening pauses the song, installs the typed-character callback and turns key repeat on;
// the frame in which the menu closes undoes all three.
//
// A successful create or load logs the profile in (game.session.profile), sets the player's level from its
// record and loads that level; a failure shows a message and leaves the previous profile, if any, in use.
void runMenuFrame(Game& game, InputFeed& feed);
