#include "game/scene_prepare.h"

void prepareLevelScene(SceneState& scene, const Board& board, const Player& player, LightSettings& light,
                       std::mt19937& random) {
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            scene.cellMatrices[x][y] = translationMatrix(static_cast<float>(x), 0.0f, static_cast<float>(y));
        }
    }
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int i = 0; i < kMaxBoxes; ++i) {
        const Box& box = board.boxes[i];
        if (box.active == 0) continue;
        const Vec3 drawn = drawnPosition(box, 0.0f);
        Mat4 matrix = translationMatrix(drawn.x, drawn.y, drawn.z);
        // Half the crates lie turned by a quarter, so their planks do not all run the same way.
        if (static_cast<int>(unit(random) * 2.0f) == 1) matrix = matMultiply(matrix, rotationAboutY(90.0f));
        scene.boxMatrices[i] = matrix;
    }
    scene.extentX = 0;
    scene.extentY = 0;
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            if (board.cells[x][y] != Cell::Wall) continue;
            if (x > scene.extentX) scene.extentX = x;
            if (y > scene.extentY) scene.extentY = y;
        }
    }
    // Above the middle of the walls, at the height of the fixed light: never the lamp's, which the light
    // holds while the lamp is on and which would otherwise stay with the level when the lamp goes off.
    const LightSettings fixed;
    light.position[0] = static_cast<float>(scene.extentX) / 2.0f;
    light.position[1] = fixed.position[1];
    light.position[2] = static_cast<float>(scene.extentY) / 2.0f;
    light.position[3] = fixed.position[3];
    scene.levelLight = {light.position[0], light.position[1], light.position[2], light.position[3]};
    scene.keeperPosition = drawnPosition(player, kKeeperHeight);
}
