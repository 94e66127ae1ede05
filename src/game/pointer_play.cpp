#include "game/pointer_play.h"

#include "core/move_plans.h"
#include "game/cell_picking.h"

void stopPlan(PointerPlay& pointer) {
    pointer.planLength = 0;
    pointer.planDone = 0;
}

namespace {

void noteCannotReach(PointerPlay& pointer) {
    pointer.noteSeconds = kPointerNoteSeconds;
}

// A click takes the place of the rest of any plan being made: one not found, or too long to keep, moves
// nothing more (the glide under way ends) and says so.
void follow(PointerPlay& pointer, const MovePlan& plan) {
    stopPlan(pointer);
    if (!plan.found || plan.steps.size() > static_cast<std::size_t>(kMaxPlannedMoves)) {
        noteCannotReach(pointer);
        return;
    }
    for (const Direction step : plan.steps)
        pointer.plan[pointer.planLength++] = static_cast<std::uint8_t>(step);
}

bool anyKeyPressed(const FrameInput& input) {
    for (const bool pressed : input.pressed) {
        if (pressed) return true;
    }
    return false;
}

void choose(PointerPlay& pointer, const Board& board, const Player& player, int box) {
    const PushTargets targets = pushTargets(board, player, box);
    // The walk under way ends with its glide: its next step would let the crate go again.
    stopPlan(pointer);
    if (targets.count == 0) {
        noteCannotReach(pointer);
        return;
    }
    pointer.chosenBox = box;
    pointer.chosenAtStep = player.steps;
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) pointer.targets[x][y] = targets.cells[x][y];
    }
}

void leftClick(PointerPlay& pointer, const Board& board, const Player& player, const PickedCell& picked) {
    const int chosen = pointer.chosenBox;
    if (chosen >= 0) {
        dropChosenBox(pointer);
        if (picked.object != PickedObject::Crate && pointer.targets[picked.x][picked.y])
            follow(pointer, pushPath(board, player, chosen, picked.x, picked.y));
        else if (picked.object == PickedObject::Crate && picked.boxIndex != chosen)
            choose(pointer, board, player, picked.boxIndex);
        return;
    }
    if (picked.object == PickedObject::Crate)
        choose(pointer, board, player, picked.boxIndex);
    else if (picked.object == PickedObject::Wall)
        follow(pointer, MovePlan{});
    else
        follow(pointer, walkPath(board, player, picked.x, picked.y));
}

}  // namespace

void resetPointerPlay(PointerPlay& pointer) {
    stopPlan(pointer);
    pointer.chosenBox = -1;
    pointer.noteSeconds = 0.0f;
}

void handlePointer(PointerPlay& pointer, const Board& board, const Player& player, const SceneState& scene,
                   const InputFeed& feed) {
    if (anyKeyPressed(feed.now)) stopPlan(pointer);
    // The crate's targets hold for the board it was chosen on.
    if (pointer.chosenBox >= 0 && player.steps != pointer.chosenAtStep) dropChosenBox(pointer);
    if (feed.now.buttonPressed[MOUSE_BUTTON_RIGHT]) dropChosenBox(pointer);
    if (!feed.now.buttonPressed[MOUSE_BUTTON_LEFT]) return;
    const std::optional<PickedCell> picked =
        feed.pointerRay ? pickCell(*feed.pointerRay, scene, board) : std::nullopt;
    if (!picked) {
        dropChosenBox(pointer);
        return;
    }
    leftClick(pointer, board, player, *picked);
}

bool dropChosenBox(PointerPlay& pointer) {
    if (pointer.chosenBox < 0) return false;
    pointer.chosenBox = -1;
    return true;
}

std::optional<Direction> nextPlannedMove(const PointerPlay& pointer, const Player& player) {
    if (pointer.planDone >= pointer.planLength || isPlayerGliding(player)) return std::nullopt;
    return static_cast<Direction>(pointer.plan[pointer.planDone]);
}

void planMoveMade(PointerPlay& pointer, bool moved) {
    if (moved)
        ++pointer.planDone;
    else
        stopPlan(pointer);  // the board is not what the plan was made for
}

void tickPointerNote(PointerPlay& pointer, float seconds) {
    if (pointer.noteSeconds > 0.0f) pointer.noteSeconds -= seconds;
}
