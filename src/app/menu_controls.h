#pragma once

#include "game/input.h"

// The menu's keys with the pad's buttons that do the same on every page, the level chooser's included: the
// d-pad moves, A is Enter and B is Escape (up a page in the chooser and from the settings, else the menu
// closes). Names and passwords are still typed on the keyboard.
constexpr Control kMenuUp{KEY_UP, padButtonBit(PAD_UP)};
constexpr Control kMenuDown{KEY_DOWN, padButtonBit(PAD_DOWN)};
constexpr Control kMenuLeft{KEY_LEFT, padButtonBit(PAD_LEFT)};  // a setting one step down, or the one before
constexpr Control kMenuRight{KEY_RIGHT, padButtonBit(PAD_RIGHT)};
constexpr Control kMenuEnter{KEY_ENTER, padButtonBit(PAD_A)};
constexpr Control kMenuEscape{KEY_ESC, padButtonBit(PAD_B)};

// Up and Down, each acting once per press: the selection (counted from 1) a line up or down, kept within
// 1 to count, and at 1 when there are no lines.
void moveSelection(int& selection, int count, InputFeed& feed);
