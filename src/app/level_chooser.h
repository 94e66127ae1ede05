#pragma once

#include "app/game.h"
#include "game/input.h"

// The menu's level chooser: a page of collections, then the chosen collection's levels with their
// numbers, titles and the marks of the levels the profile in play has solved. Up and Down move one line,
// Page Up and Page Down a page, Home and End to the ends; Enter opens a collection or starts a level;
// Escape goes up one page. On a pad the d-pad, the shoulders, A and B do the same. The lists use the small
// font and scroll.

// Opens the chooser on the collection in play.
void openChooser(Game& game);

// One menu frame of the chooser's keys on its pages.
void runChooserKeys(Game& game, InputFeed& feed);

// The chooser's page as lines of the menu's view.
void layOutChooser(const Game& game, float windowWidth, float windowHeight, MenuView& view);

// Loads level `number` (from 1; 0 for the first level the profile has not solved) of the entry `entry`,
// with a fresh attempt: no level end, no moves to take back or make again. A player's collection is read
// when it is neither the one in play nor the one the chooser shows. Null when the level is in play, else the
// menu message that says why the collection cannot be played (play then stays as it was).
const char* startLevel(Game& game, int entry, int number);
