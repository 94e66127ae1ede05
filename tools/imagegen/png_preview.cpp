#include "png_preview.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "image_makers.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

bool savePng(const std::string& path, const Image& image) {
    if (!isImageValid(image)) return false;
    // PNG rows run top first.
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    std::vector<std::uint8_t> topFirst(image.pixels.size());
    for (int row = 0; row < image.height; ++row) {
        const std::uint8_t* source = pixelAt(image, 0, image.height - 1 - row);
        std::copy(source, source + rowBytes, topFirst.begin() + row * rowBytes);
    }
    return stbi_write_png(path.c_str(), image.width, image.height, 4, topFirst.data(),
                          static_cast<int>(rowBytes)) != 0;
}

void drawGridText(Canvas& target, const Image& grid, const GlyphGridLayout& layout, const std::string& text,
                  int x, int y, const Colour& tint) {
    const int cell = layout.cellSize;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int code = static_cast<unsigned char>(text[i]);
        if (code >= layout.columns * layout.rows) continue;
        const int sourceLeft = glyphCellLeft(layout, code);
        const int sourceBottom = glyphCellBottom(layout, code);
        for (int row = 0; row < cell; ++row) {
            for (int column = 0; column < cell; ++column) {
                const int tx = x + static_cast<int>(i) * cell + column;
                const int ty = y + row;
                if (tx < 0 || ty < 0 || tx >= target.width || ty >= target.height) continue;
                const std::uint8_t* p = pixelAt(grid, sourceLeft + column, sourceBottom + cell - 1 - row);
                const Colour texel{p[0] / 255.0f * tint.r, p[1] / 255.0f * tint.g, p[2] / 255.0f * tint.b,
                                   p[3] / 255.0f};
                blendOver(target.at(tx, ty), texel);
            }
        }
    }
}

Canvas resampled(const Canvas& source, int width, int height, bool wrap) {
    Canvas out(width, height);
    const auto fetch = [&](int x, int y) -> const Colour& {
        if (wrap) {
            x = ((x % source.width) + source.width) % source.width;
            y = ((y % source.height) + source.height) % source.height;
        } else {
            x = x < 0 ? 0 : (x >= source.width ? source.width - 1 : x);
            y = y < 0 ? 0 : (y >= source.height ? source.height - 1 : y);
        }
        return source.at(x, y);
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float sx = (x + 0.5f) * source.width / width - 0.5f;
            const float sy = (y + 0.5f) * source.height / height - 0.5f;
            const int x0 = static_cast<int>(std::floor(sx));
            const int y0 = static_cast<int>(std::floor(sy));
            const float fx = sx - x0;
            const float fy = sy - y0;
            const Colour top = mix(fetch(x0, y0), fetch(x0 + 1, y0), fx);
            const Colour bottom = mix(fetch(x0, y0 + 1), fetch(x0 + 1, y0 + 1), fx);
            out.at(x, y) = mix(top, bottom, fy);
        }
    }
    return out;
}

namespace {

Canvas enlarged(const Canvas& source, int factor) {
    Canvas out(source.width * factor, source.height * factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) out.at(x, y) = source.at(x / factor, y / factor);
    }
    return out;
}

// Composites an image over a checkerboard so that its alpha shows.
Canvas overChecker(const Canvas& source, int square) {
    Canvas out(source.width, source.height);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            out.at(x, y) = ((x / square + y / square) % 2 == 0) ? rgb(0x505860) : rgb(0x30343a);
            blendOver(out.at(x, y), source.at(x, y));
        }
    }
    return out;
}

// A stand-in for the 3D scene: the floor texture laid flat, a few cells per window tile.
Canvas fakeScene(const Canvas& floor) {
    Canvas scene = resampled(floor, 800 * 2, 600 * 2, true);
    return resampled(scene, 800, 600, true);
}

void overlay(Canvas& target, const Canvas& image, float opacity) {
    for (std::size_t i = 0; i < target.pixels.size(); ++i)
        blendOver(target.pixels[i], image.pixels[i], opacity);
}

}  // namespace

int writePreviews(const std::string& gameDirectory, const std::string& previewDirectory) {
    int failures = 0;
    std::vector<Canvas> canvases;
    for (const char* path : kGameImagePaths) {
        const Image image = loadTgaImage(gameDirectory + "/" + path);
        if (!isImageValid(image)) {
            std::fprintf(stderr, "imagegen: could not read back %s\n", path);
            ++failures;
            canvases.emplace_back(1, 1);
            continue;
        }
        std::string name = path;
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        name = previewDirectory + "/" + name.substr(0, name.size() - 4) + ".png";
        Canvas canvas = fromImage(image);
        if (canvas.width <= 32) canvas = enlarged(canvas, 8);
        savePng(name, toImage(overChecker(canvas, 8)));
        canvases.push_back(fromImage(image));
    }
    if (failures != 0) return failures;
    const auto canvasOf = [&](const char* path) -> const Canvas& {
        for (std::size_t i = 0; i < kGameImagePaths.size(); ++i) {
            if (std::string(kGameImagePaths[i]) == path) return canvases[i];
        }
        return canvases[0];
    };
    const Image small = toImage(canvasOf("Textures/Text.tga"));
    const Image large = toImage(canvasOf("Textures/Swords.tga"));
    const Canvas logo = resampled(canvasOf("Textures/logo.tga"), 800, 600, false);
    const Canvas scene = fakeScene(canvasOf("Textures/Floor.tga"));
    const auto centred = [](const std::string& text, int halfAdvance) {
        return 400 - static_cast<int>(text.size()) * halfAdvance;
    };

    // Title screen: credit lines (bottom-up y 40, 20, 0), then the logo at full opacity over them.
    Canvas title(800, 600, rgb(0x000000));
    const std::string credit1 = "Programming by Ann Example and Bo Placeholder";
    const std::string credit2 = "Music by Cy Composer.";
    const std::string prompt = "Press the space-bar to start the game!";
    drawGridText(title, small, kSmallFontGrid, credit1, centred(credit1, 4), 600 - 40 - 8,
                 Colour{1, 1, 1, 1});
    drawGridText(title, small, kSmallFontGrid, credit2, centred(credit2, 4), 600 - 20 - 8,
                 Colour{1, 1, 1, 1});
    drawGridText(title, small, kSmallFontGrid, prompt, centred(prompt, 4), 600 - 0 - 8, Colour{1, 1, 0, 1});
    overlay(title, logo, 1.0f);
    savePng(previewDirectory + "/screen_title.png", toImage(title));

    // Loading screen: logo first, then the texts at a quarter of the height.
    Canvas loading(800, 600, rgb(0x000000));
    overlay(loading, logo, 1.0f);
    drawGridText(loading, small, kSmallFontGrid, "Loading, Please Wait.", 400 - 84, 600 - 150 - 8,
                 Colour{1, 1, 1, 1});
    drawGridText(loading, small, kSmallFontGrid, "53%", centred("53%", 4), 600 - 130 - 8, Colour{1, 1, 1, 1});
    savePng(previewDirectory + "/screen_loading.png", toImage(loading));

    // Play: HUD lines, mini-map, fog at 0.3, and the logo half faded in.
    Canvas play = scene;
    // A line printed at y (upwards) has its 32-pixel cells' top edge 600 - y - 32 rows from the top.
    const auto hudRow = [](int y) { return 600 - y - 32; };
    drawGridText(play, large, kLargeFontGrid, "Jane", 0, hudRow(576), Colour{1, 1, 1, 1});
    drawGridText(play, large, kLargeFontGrid, "Steps taken 128", 0, hudRow(552), Colour{1, 1, 1, 1});
    drawGridText(play, large, kLargeFontGrid, "Level 12", 0, hudRow(528), Colour{1, 1, 1, 1});
    drawGridText(play, large, kLargeFontGrid, "DEMO", 336, hudRow(300), Colour{1, 1, 1, 1});
    const char* level[] = {"#######", "#.  $ #", "# #@# #", "#* $. #", "#######"};
    const auto icon = [&](const char* path) { return resampled(canvasOf(path), 10, 10, false); };
    const Canvas empty = icon("gfx/empty.tga"), wall = icon("gfx/wall.tga"), target = icon("gfx/target.tga");
    const Canvas object = icon("gfx/object.tga"), player = icon("gfx/player.tga");
    const int mapTop = 600 - 5 * 10;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 7; ++column) {
            const char cell = level[row][column];
            std::vector<const Canvas*> layers;
            layers.push_back(cell == '#' ? &wall : (cell == '.' || cell == '*') ? &target : &empty);
            if (cell == '$' || cell == '*') layers.push_back(&object);
            if (cell == '@') layers.push_back(&player);
            for (const Canvas* layer : layers) {
                for (int y = 0; y < 10; ++y) {
                    for (int x = 0; x < 10; ++x)
                        blendOver(play.at(column * 10 + x, mapTop + row * 10 + y), layer->at(x, y), 0.6f);
                }
            }
        }
    }
    Canvas fog = canvasOf("Textures/fog.tga");
    Canvas quarter(fog.width / 4, fog.height / 4);
    for (int y = 0; y < quarter.height; ++y) {
        for (int x = 0; x < quarter.width; ++x) quarter.at(x, y) = fog.at(x + 40, y + 40);
    }
    const Canvas fogLayer = resampled(quarter, 800, 600, true);
    overlay(play, fogLayer, 0.3f);
    savePng(previewDirectory + "/screen_play.png", toImage(play));
    Canvas mapZoom(80, 60);
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 80; ++x) mapZoom.at(x, y) = play.at(x, 540 + y);
    }
    savePng(previewDirectory + "/screen_play_minimap_x6.png", toImage(enlarged(mapZoom, 6)));
    Canvas fade = play;
    overlay(fade, logo, 0.5f);
    savePng(previewDirectory + "/screen_fade_half.png", toImage(fade));

    // Seams: the tiling textures laid out 2 x 2.
    for (const char* path :
         {"Textures/Floor.tga", "Textures/Wall.tga", "Textures/Wall2.tga", "Textures/fog.tga"}) {
        const Canvas& tile = canvasOf(path);
        Canvas tiled(tile.width * 2, tile.height * 2);
        for (int y = 0; y < tiled.height; ++y) {
            for (int x = 0; x < tiled.width; ++x) tiled.at(x, y) = tile.at(x % tile.width, y % tile.height);
        }
        std::string name = std::string(path).substr(9);
        name = previewDirectory + "/tiled_" + name.substr(0, name.size() - 4) + ".png";
        savePng(name, toImage(overChecker(tiled, 16)));
    }
    return 0;
}
