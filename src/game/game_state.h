#pragma once

#include <random>
#include <type_traits>

#include "core/board.h"
#include "core/demo.h"
#include "core/level_end.h"
#include "core/move_history.h"
#include "game/collection_play.h"
#include "game/pad_play.h"
#include "game/pointer_play.h"
#include "game/scene_state.h"
#include "game/solution_replay.h"
#include "game/title_blink.h"

// The game's state: everything the rules change and the picture is drawn from, one plain record owned by
// the entry point. It holds no resources of its own (the demo's file handle is shared by copies, which only
// the live state reads from), so a copy is a snapshot: the picture kept behind the open menu is compared
// against one.

constexpr float kTickSeconds = 1.0f / 60.0f;  // the fixed animation step
constexpr float kScrollStep = 0.001f;         // fog drift per tick
constexpr int kMaxTicksPerFrame = 600;        // 10 seconds of animation caught up at most, after a pause

// Animation time: seconds not yet consumed by ticks, in single precision.
struct FrameClock {
    float lastTime = 0.0f;  // timer value taken after the last frame's ticks
    float accumulator = 0.0f;
};

struct GameState {
    Board board;
    Player player;
    LevelEnd levelEnd;
    // The level as it was loaded, where a solution is played from to check it before it is kept.
    Board levelStart;
    Player levelStartKeeper;
    MoveHistory history;    // the moves since the level was loaded, for undo
    PointerPlay pointer;    // what clicks asked for: a walk or pushes being made, a crate chosen
    PadPlay pad;            // the pad's stick and Back presses as play reads them
    SolutionReplay replay;  // a kept solution being watched
    DemoState demo;
    FrameClock clock;
    int requestedFacing = 0;    // facing of the last move request, copied to the player every frame
    bool moveKeyActed = false;  // a move request went to tryMove in this frame
    float scroll = 0.0f;        // fog drift, 0 to 1
    // The player's collection in play, owned by the session; null while the Classic set is played, from its
    // file as always.
    const CollectionInPlay* collection = nullptr;
    SceneState scene;
    LightSettings light;
    TitleBlink title;
    std::mt19937 random;  // box turns and grunt choices; seeded from the clock at start-up
};
static_assert(std::is_trivially_copyable<GameState>::value, "a copy of the state is a snapshot of it");
