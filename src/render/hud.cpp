#include "render/hud.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

#include "layout/hud_layout.h"
#include "render/font.h"
#include "render/pixel_space.h"

namespace {

// The start and end shared by the overlays: unlit, blended by the texture's alpha times the opacity, in
// window pixels. The depth test stays as the caller has it.
void beginOverlay(const WindowSettings& window, float opacity) {
    pushIdentityMatrices();
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, opacity);
    pixelOrtho(window);
}

// Blending stays on afterwards.
void endOverlay(const WindowSettings& window) {
    glViewport(0, 0, static_cast<GLsizei>(window.width), static_cast<GLsizei>(window.height));
    glEnable(GL_LIGHTING);
    popMatrices();
}

// The four corners of a counter-clockwise quad from (x, y) to (x + width, y + height) showing texture
// coordinates 0 to span, inside glBegin(GL_QUADS).
void addTexturedQuad(float x, float y, float width, float height, float span) {
    glTexCoord2f(0.0f, span);
    glVertex2f(x, y + height);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(x, y);
    glTexCoord2f(span, 0.0f);
    glVertex2f(x + width, y);
    glTexCoord2f(span, span);
    glVertex2f(x + width, y + height);
}

void texturedQuad(float width, float height, float span) {
    glBegin(GL_QUADS);
    addTexturedQuad(0.0f, 0.0f, width, height, span);
    glEnd();
}

// The texture stretched over the whole window (span 1) or a part of it repeated (span below 1).
void drawWindowQuad(const WindowSettings& window, GLuint texture, float opacity, float span) {
    beginOverlay(window, opacity);
    glBindTexture(GL_TEXTURE_2D, texture);
    texturedQuad(static_cast<float>(window.width), static_cast<float>(window.height), span);
    endOverlay(window);
}

// One icon in the map square of cell (column, row), inside glBegin(GL_QUADS).
void addMapSquare(int column, int row, int extentY) {
    const PixelPoint origin = miniMapCellOrigin(column, row, extentY);
    addTexturedQuad(static_cast<float>(origin.x), static_cast<float>(origin.y),
                    static_cast<float>(kMapCellPixels), static_cast<float>(kMapCellPixels), 1.0f);
}

void drawMapMarker(GLuint icon, const Mat4& matrix, int extentY) {
    glBindTexture(GL_TEXTURE_2D, icon);
    const PixelPoint cell = miniMapMarkerCell(matrix);
    glBegin(GL_QUADS);
    addMapSquare(cell.x, cell.y, extentY);
    glEnd();
}

void printHudText(const WindowSettings& window, const BitmapFont& font, const char* text, float x, float y) {
    printTextShadowed(font, text, x, y, 1.0f, 1.0f, 1.0f, window);
}

// A line at the left edge in its slot, in the large font where it fits the window, else in the small one.
void printHudSlot(const WindowSettings& window, const Graphics& graphics, const char* text, int slot,
                  float red, float green, float blue) {
    const BitmapFont& font = fitsLargeFont(text, window.width) ? graphics.largeFont : graphics.smallFont;
    printTextShadowed(font, text, 0.0f, static_cast<float>(hudLineY(window.height, slot)), red, green, blue,
                      window);
}

}  // namespace

void drawImageOverlay(const WindowSettings& window, GLuint texture, float opacity) {
    drawWindowQuad(window, texture, opacity, 1.0f);
}

// The fog's part of its image is stretched over the window. Where the window is at least twice the part's
// size both ways, every pixel magnifies the image by two or more, so the mipmapped filter only ever samples
// the full image: plain bilinear filtering then gives the same colours without a level of detail worked
// out for every pixel. A smaller window keeps the mipmaps.
void chooseFogFilter(const WindowSettings& window, GLuint texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    const bool magnified =
        static_cast<float>(window.width) >= 2.0f * kFogTextureSpan * static_cast<float>(width) &&
        static_cast<float>(window.height) >= 2.0f * kFogTextureSpan * static_cast<float>(height);
    const GLint wanted = magnified ? GL_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
    GLint current = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &current);
    if (current != wanted) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, wanted);
}

void drawFogOverlay(const WindowSettings& window, GLuint texture, float offset) {
    chooseFogFilter(window, texture);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glTranslatef(offset, offset, 0.0f);
    drawWindowQuad(window, texture, kFogOpacity, kFogTextureSpan);
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    // Later drawing that forgets to choose a matrix must not land on the texture matrix.
    glMatrixMode(GL_MODELVIEW);
}

void drawMiniMap(const WindowSettings& window, const IconSlots& icons, const Board& board,
                 const SceneState& scene) {
    beginOverlay(window, kMapOpacity);
    // The extents come from the level's walls; kept inside the grid all the same.
    const int lastColumn = std::min(scene.extentX, kBoardWidth - 1);
    const int lastRow = std::min(scene.extentY, kBoardHeight - 1);
    // Icon by icon, each icon bound once and all its squares sent as one primitive: the squares meet edge
    // to edge and never overlap, so the order among them changes no pixel. Their corners are whole pixels,
    // placed here rather than by a matrix per square, which would cost a draw each.
    for (const int icon : {ICON_EMPTY, ICON_WALL, ICON_TARGET}) {
        glBindTexture(GL_TEXTURE_2D, icons.names[icon]);
        glBegin(GL_QUADS);
        for (int x = 0; x <= lastColumn; ++x) {
            for (int y = 0; y <= lastRow; ++y) {
                if (miniMapIcon(board.cells[x][y]) == icon) addMapSquare(x, y, lastRow);
            }
        }
        glEnd();
    }
    // Boxes and keeper after the cells, covering them, in the cell their drawn position rounds to.
    for (int index = 0; index < kMaxBoxes; ++index) {
        if (board.boxes[index].active == 0) continue;
        drawMapMarker(icons.names[ICON_OBJECT], scene.boxMatrices[index], lastRow);
    }
    drawMapMarker(icons.names[ICON_PLAYER], scene.keeperMatrix, lastRow);
    endOverlay(window);
}

void drawHud(const WindowSettings& window, const Graphics& graphics, const Board& board,
             const SceneState& scene, const HudText& text, float scroll, const LevelEnd& levelEnd) {
    const BitmapFont& font = graphics.largeFont;
    const char* name = text.profileName != nullptr ? text.profileName->c_str() : "";
    printHudSlot(window, graphics, name, HUD_NAME, 1.0f, 1.0f, 1.0f);
    char line[48];
    formatHudLine(line, sizeof line, "Steps taken ", text.steps);
    printHudSlot(window, graphics, line, HUD_STEPS, 1.0f, 1.0f, 1.0f);
    formatHudLine(line, sizeof line, "Level ", text.level);
    printHudSlot(window, graphics, line, HUD_LEVEL, 1.0f, 1.0f, 1.0f);
    formatHudLine(line, sizeof line, "Pushes ", text.pushes);
    printHudSlot(window, graphics, line, HUD_PUSHES, 1.0f, 1.0f, 1.0f);
    if (text.best != nullptr && !text.best->empty())
        printHudSlot(window, graphics, text.best->c_str(), HUD_BEST, 1.0f, 0.85f, 0.4f);
    if (text.demoMode) {
        const PixelPoint demo = demoMarkPosition(window.width, window.height);
        printHudText(window, font, "DEMO", static_cast<float>(demo.x), static_cast<float>(demo.y));
    }
    if (text.replayMode) {
        const PixelPoint mark = replayMarkPosition(window.width, window.height);
        printHudText(window, font, kReplayMark, static_cast<float>(mark.x), static_cast<float>(mark.y));
    }
    if (text.allLevelsSolved || text.levelNotLoaded) {
        if (text.allLevelsSolved)
            std::snprintf(line, sizeof line, "%s", kAllLevelsSolvedText);
        else
            formatHudLine(line, sizeof line, kLevelNotLoadedLabel, text.level, kLevelNotLoadedTail);
        printHudText(window, font, line, centredTextX(line, window, font.halfAdvance),
                     static_cast<float>(allLevelsSolvedY(window.height)));
    }
    if (text.progressNotSaved)
        printHudSlot(window, graphics, kProgressNotSavedText, HUD_NOTE, 1.0f, 0.35f, 0.2f);
    markPassSent(graphics, FramePass::Hud);
    // The map and the fog lie at the middle of the depth range, in front of everything of the scene (no
    // part of it comes within two units of the eye, which stays more than two units above the tallest
    // thing on the board), so they pass the depth test at every pixel: without it they leave the same
    // colours for less work. Nothing drawn after them needs the depth they would have written.
    glDisable(GL_DEPTH_TEST);
    drawMiniMap(window, graphics.icons, board, scene);
    markPassSent(graphics, FramePass::MiniMap);
    // Fast has laid the fog over the scene already, under the HUD.
    if (graphics.picture == PictureDetail::Full)
        drawFogOverlay(window, graphics.textures.names[TEX_FOG], scroll);
    glEnable(GL_DEPTH_TEST);
    markPassSent(graphics, FramePass::Fog);
    if (levelEnd.logoShown) drawImageOverlay(window, graphics.textures.names[TEX_LOGO], levelEnd.fade);
    markPassSent(graphics, FramePass::Logo);
}
