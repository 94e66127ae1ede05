#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "core/board.h"

// Level files are plain text, one character per cell ("#" wall, " " floor, "." goal, "$" box, "*" box on
// a goal, "@" keeper, "+" keeper on a goal). Everything up to the first blank line is a header; after it,
// levels are runs of level lines separated by blank lines, optionally preceded by a title line.

// True for the seven characters a level row may hold.
bool isLevelChar(char c);

// A line is a level row when it holds something besides spaces and nothing but level characters.
bool isLevelLine(std::string_view line);

// "levels/" + set name + ".lvt", relative to the working directory.
std::string levelFilePath(const std::string& setName);

// Reads level player.level of the set player.setName into the board and puts the keeper on its start
// cell. Outcome in board.notFound; changes no Player field besides x and y.
void loadLevel(Board& board, Player& player);

// The same, reading an already opened file (the caller closes it). A level that does not fit the board
// (a character other than a space beyond column 31, a row beyond 23, or more than 32 boxes) is refused as
// not found: the board stays cleared and the keeper where it was.
void loadLevelFromFile(Board& board, Player& player, std::FILE* file);
