/* Reads the mini-map off a screenshot: where the keeper's mark and the crates' marks stand.
 *     map_markers SHOT.png EXTENT-X EXTENT-Y
 * prints the map's rows, top row first, one character per cell: '@' the keeper's green mark, '$' a crate's
 * brown mark, '-' anything else (floor, goal, wall). The map is drawn at 0.6 opacity over the scene and the
 * drifting fog lies over it, so its pixels never repeat exactly; the marks' hues do: the fog only greys
 * them, so each cell is told by the differences between its mean channels. */

#include <stdio.h>
#include <stdlib.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

enum { kCell = 10, kInset = 2 };

static char classify(double r, double g, double b) {
    if (g > r + 20.0 && g > b + 10.0) return '@';
    if (r > b + 30.0 && r > g + 12.0) return '$';
    return '-';
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s SHOT.png EXTENT-X EXTENT-Y\n", argv[0]);
        return 2;
    }
    int width, height, channels;
    unsigned char* pixels = stbi_load(argv[1], &width, &height, &channels, 3);
    const int columns = atoi(argv[2]) + 1;
    const int rows = atoi(argv[3]) + 1;
    if (pixels == NULL || columns < 1 || rows < 1 || columns * kCell > width || rows * kCell > height) {
        fprintf(stderr, "cannot read a map of %d x %d cells from %s\n", columns, rows, argv[1]);
        return 1;
    }
    /* Map row 0 is the top row of the map, which stands rows * 10 pixels above the window's bottom. */
    const int top = height - rows * kCell;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            double sum[3] = {0.0, 0.0, 0.0};
            int count = 0;
            for (int y = kInset; y < kCell - kInset; ++y) {
                for (int x = kInset; x < kCell - kInset; ++x) {
                    const unsigned char* p =
                        pixels +
                        ((size_t)(top + row * kCell + y) * (size_t)width + (size_t)(column * kCell + x)) * 3;
                    for (int c = 0; c < 3; ++c) sum[c] += p[c];
                    ++count;
                }
            }
            putchar(classify(sum[0] / count, sum[1] / count, sum[2] / count));
        }
        putchar('\n');
    }
    stbi_image_free(pixels);
    return 0;
}
