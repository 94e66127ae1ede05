/* Compares two screenshots of the same size over a rectangle (x, y from the top-left):
 *     png_compare A.png B.png [X Y WIDTH HEIGHT]
 * prints "meanA M meanB M darker N lighter N changed N pixels N": the mean brightness (0-255) of each,
 * the pixels at least 30% darker in B than in A (and 8 levels at least), those at least 30% lighter,
 * and those that differ by more than 24 levels in any channel. */

#include <stdio.h>
#include <stdlib.h>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

static double brightness(const unsigned char* p) { return (p[0] + p[1] + p[2]) / 3.0; }

int main(int argc, char** argv) {
    if (argc != 3 && argc != 7) {
        fprintf(stderr, "usage: %s A.png B.png [X Y WIDTH HEIGHT]\n", argv[0]);
        return 2;
    }
    int wa, ha, wb, hb, n;
    unsigned char* a = stbi_load(argv[1], &wa, &ha, &n, 3);
    unsigned char* b = stbi_load(argv[2], &wb, &hb, &n, 3);
    if (a == NULL || b == NULL || wa != wb || ha != hb) {
        fprintf(stderr, "cannot read two images of one size\n");
        return 1;
    }
    int x0 = 0, y0 = 0, w = wa, h = ha;
    if (argc == 7) {
        x0 = atoi(argv[3]);
        y0 = atoi(argv[4]);
        w = atoi(argv[5]);
        h = atoi(argv[6]);
    }
    if (x0 < 0 || y0 < 0 || w <= 0 || h <= 0 || x0 + w > wa || y0 + h > ha) return 2;
    double sumA = 0, sumB = 0;
    long darker = 0, lighter = 0, changed = 0;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            const unsigned char* pa = a + ((size_t)y * wa + x) * 3;
            const unsigned char* pb = b + ((size_t)y * wa + x) * 3;
            const double ba = brightness(pa), bb = brightness(pb);
            sumA += ba;
            sumB += bb;
            darker += bb < 0.7 * ba && ba - bb >= 8;
            lighter += ba < 0.7 * bb && bb - ba >= 8;
            int diff = 0;
            for (int c = 0; c < 3; ++c) diff |= abs(pa[c] - pb[c]) > 24;
            changed += diff;
        }
    }
    const double pixels = (double)w * h;
    printf("meanA %.1f meanB %.1f darker %ld lighter %ld changed %ld pixels %.0f\n", sumA / pixels, sumB / pixels,
           darker, lighter, changed, pixels);
    stbi_image_free(a);
    stbi_image_free(b);
    return 0;
}
