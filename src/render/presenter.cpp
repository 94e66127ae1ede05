#include "render/presenter.h"

#include <GL/gl.h>

#include <cstring>

#include "render/font.h"
#include "render/hud.h"
#include "render/pointer_marks.h"
#include "render/scene_draw.h"

namespace {

// The credit lines of the title screen; the fixed openings are the game's own.
constexpr const char* kProgrammingCredit = "Programming by the TARMELO 3D team";
constexpr const char* kMusicCredit = "Music by the TARMELO 3D team";
constexpr const char* kTitlePrompt = "Press the space-bar to start the game!";

void printCentredSmall(const Graphics& graphics, const WindowSettings& window, const char* text, float y,
                       float red, float green, float blue) {
    const BitmapFont& font = graphics.smallFont;
    printText(font, text, centredTextX(text, window, font.halfAdvance), y, red, green, blue, window);
}

void drawBoardPicture(Graphics& graphics, WindowSettings& window, const GameState& state,
                      const SessionNotes& notes) {
    beginScenePicture(graphics, window);
    drawScene(window, graphics, state.scene, state.light, state.board);
    drawPointerMarks(state.pointer, state.scene);
    showScenePicture(graphics, window, state.scroll);
    HudText text;
    text.profileName = &notes.profileName;
    text.steps = state.player.steps;
    text.level = state.player.level;
    text.pushes = state.history.pushes;
    text.best = &notes.best;
    text.demoMode = state.demo.demoMode;
    text.replayMode = state.replay.active;
    text.allLevelsSolved = state.board.notFound != 0 && state.board.pastLastLevel != 0;
    text.levelNotLoaded = state.board.notFound != 0 && state.board.pastLastLevel == 0;
    text.progressNotSaved = notes.progressNotSaved || notes.solvedLevelNotSaved;
    text.cannotReach = state.pointer.noteSeconds > 0.0f;
    drawHud(window, graphics, state.board, state.scene, text, state.scroll, state.levelEnd);
}

// The picture behind the menu is a function of the state, the session's notes and the window's size (a new
// picture setting drops it: choosePictureDetail). The state is kept as a byte copy and compared byte for
// byte: a change anywhere in it, even in a field added later, draws afresh (a difference in padding alone
// only costs one drawing more).
bool showsSamePicture(const BoardPictureCache& cache, const WindowSettings& window, const GameState& state,
                      const SessionNotes& notes) {
    return fitsWindow(cache.frame, window) && cache.notes.profileName == notes.profileName &&
           cache.notes.progressNotSaved == notes.progressNotSaved &&
           cache.notes.solvedLevelNotSaved == notes.solvedLevelNotSaved && cache.notes.best == notes.best &&
           std::memcmp(&cache.drawnFrom, &state, sizeof state) == 0;
}

}  // namespace

void drawGameFrame(Graphics& graphics, WindowSettings& window, const GameState& state,
                   const SessionNotes& notes, bool menuOpen) {
    BoardPictureCache& cache = graphics.boardBehindMenu;
    // In play, and while the logo fades over the menu, every frame is drawn.
    if (!menuOpen || state.levelEnd.logoShown) {
        cache.frame.valid = false;
        drawBoardPicture(graphics, window, state, notes);
        return;
    }
    if (showsSamePicture(cache, window, state, notes)) {
        replayFrame(cache.frame, window);
        return;
    }
    drawBoardPicture(graphics, window, state, notes);
    std::memcpy(static_cast<void*>(&cache.drawnFrom), &state, sizeof state);
    cache.notes = notes;
    storeFrame(cache.frame, window);
}

// The two pictures (prompt shown, prompt hidden) are drawn once each and then shown again.
void drawTitleFrame(Graphics& graphics, const WindowSettings& window, bool promptShown) {
    FrameCache& cache = graphics.titleFrames[promptShown ? 1 : 0];
    if (fitsWindow(cache, window)) {
        replayFrame(cache, window);
        return;
    }
    // The window may have changed its size since the last frame (full screen on the title): the picture kept
    // must be drawn over all of it.
    glViewport(0, 0, static_cast<GLsizei>(window.width), static_cast<GLsizei>(window.height));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    printCentredSmall(graphics, window, kProgrammingCredit, 40.0f, 1.0f, 1.0f, 1.0f);
    printCentredSmall(graphics, window, kMusicCredit, 20.0f, 1.0f, 1.0f, 1.0f);
    if (promptShown) printCentredSmall(graphics, window, kTitlePrompt, 0.0f, 1.0f, 1.0f, 0.0f);
    drawImageOverlay(window, graphics.textures.names[TEX_LOGO], 1.0f);
    storeFrame(cache, window);
}

void choosePictureDetail(Graphics& graphics, PictureSetting setting) {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const PictureDetail detail = resolvePicture(setting, renderer);
    if (detail != graphics.picture) graphics.boardBehindMenu.frame.valid = false;
    graphics.picture = detail;
}
