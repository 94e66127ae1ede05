#pragma once

#include <string>

// The files of the game's data, at the paths the game opens relative to its working directory: the one
// table the game loads from and the generators write to. Slots are numbered from 1 where the game's tables
// are; entry 0 of each such table is unused. Model files store texture slot numbers, so a slot keeps its
// number and file.

constexpr int TEX_TEXT = 1;
constexpr int TEX_FLOOR = 2;
constexpr int TEX_WALL2 = 3;
constexpr int TEX_WALL = 4;
constexpr int TEX_LOGO = 5;
constexpr int TEX_CRATE = 6;
constexpr int TEX_CRATE_ALT = 7;  // the same image as TEX_CRATE, in a texture of its own
constexpr int TEX_LEGS = 8;
constexpr int TEX_BODY = 9;
constexpr int TEX_HEAD = 10;
constexpr int TEX_FOG = 11;
constexpr int TEX_SWORDS = 12;
constexpr int kTextureSlotCount = 12;

constexpr int ICON_EMPTY = 1;
constexpr int ICON_WALL = 2;
constexpr int ICON_TARGET = 3;
constexpr int ICON_OBJECT = 4;
constexpr int ICON_PLAYER = 5;
constexpr int kIconSlotCount = 5;

extern const char* const kTextureFiles[kTextureSlotCount + 1];
// The window's icon on the desktop (the menu entry's picture, 64 x 64): not a texture, and optional.
constexpr const char* kWindowIconFile = "gfx/window_icon.tga";
extern const char* const kIconFiles[kIconSlotCount + 1];

// Scenery models: the floor tile, the wall block, the crate and the goal tile, in their table slots.
constexpr int MODEL_FLOOR = 0;
constexpr int MODEL_WALL = 1;
constexpr int MODEL_CRATE = 2;
constexpr int MODEL_GOAL = 3;
constexpr int kSceneryModelCount = 4;
extern const char* const kSceneryModelFiles[kSceneryModelCount];

// The keeper: walk frames 0 (standing) to 15, push frames 1 to 15.
constexpr int kWalkFrameCount = 16;
constexpr int kPushFrameCount = 15;
std::string walkFramePath(int number);  // "Models/Bin/Character/000.s3d" for 0
std::string pushFramePath(int number);  // "Models/Bin/Character/push/001.s3d" for 1

// The sounds: four samples in their slots, and the two songs.
constexpr int SAMPLE_SLIDE = 1;
constexpr int SAMPLE_FOOTSTEPS = 2;
constexpr int SAMPLE_GRUNT = 3;
constexpr int SAMPLE_GRUNT2 = 4;
constexpr int kSampleSlotCount = 4;
extern const char* const kSampleFiles[kSampleSlotCount + 1];
constexpr const char* kTitleSong = "audio/music/in1.it";
constexpr const char* kGameSong = "audio/music/s1.it";
