/* Compares two screenshots of the same size over a rectangle (x, y from the top-left):
 *     png_compare [--still SHOT.png]... A.png B.png [X Y WIDTH HEIGHT]
 * prints "meanA M meanB M darker N lighter N changed N pixels N": the mean brightness (0-255) of each,
 * the pixels at least 30% darker in B than in A (and 8 levels at least), those at least 30% lighter,
 * and those that differ by more than 24 levels in any channel. The --still shots, two or more of a scene
 * that holds still, leave out of the counts the pixels that differ among them (what moves by itself, such
 * as the goals' glow); "counted N" then tells how many pixels were counted. */

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

enum { kMaxStill = 16 };
static const double kStillLevels = 4.0; /* the most a pixel of a still scene differs between two shots */

static double brightness(const unsigned char* p) {
    return (p[0] + p[1] + p[2]) / 3.0;
}

int main(int argc, char** argv) {
    unsigned char* still[kMaxStill];
    int stillCount = 0, n;
    int wa = 0, ha = 0, wb = 0, hb = 0;
    while (argc > 2 && strcmp(argv[1], "--still") == 0 && stillCount < kMaxStill) {
        int w = 0, h = 0;
        still[stillCount] = stbi_load(argv[2], &w, &h, &n, 3);
        if (still[stillCount] == NULL || (stillCount > 0 && (w != wa || h != ha))) {
            fprintf(stderr, "cannot read %s, or not of the others' size\n", argv[2]);
            return 1;
        }
        wa = w;
        ha = h;
        ++stillCount;
        argc -= 2;
        argv += 2;
    }
    if ((argc != 3 && argc != 7) || stillCount == 1) {
        fprintf(stderr, "usage: png_compare [--still SHOT.png]... A.png B.png [X Y WIDTH HEIGHT]\n");
        return 2;
    }
    const int stillWidth = wa, stillHeight = ha;
    unsigned char* a = stbi_load(argv[1], &wa, &ha, &n, 3);
    unsigned char* b = stbi_load(argv[2], &wb, &hb, &n, 3);
    if (a == NULL || b == NULL || wa != wb || ha != hb ||
        (stillCount > 0 && (stillWidth != wa || stillHeight != ha))) {
        fprintf(stderr, "cannot read images of one size\n");
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
    long darker = 0, lighter = 0, changed = 0, counted = 0;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            const size_t at = ((size_t)y * wa + x) * 3;
            const unsigned char* pa = a + at;
            const unsigned char* pb = b + at;
            const double ba = brightness(pa), bb = brightness(pb);
            sumA += ba;
            sumB += bb;
            int moving = 0;
            for (int i = 1; i < stillCount; ++i) {
                const double first = brightness(still[0] + at), other = brightness(still[i] + at);
                moving |= other - first > kStillLevels || first - other > kStillLevels;
            }
            if (moving) continue;
            ++counted;
            darker += bb < 0.7 * ba && ba - bb >= 8;
            lighter += ba < 0.7 * bb && bb - ba >= 8;
            int diff = 0;
            for (int c = 0; c < 3; ++c) diff |= abs(pa[c] - pb[c]) > 24;
            changed += diff;
        }
    }
    const double pixels = (double)w * h;
    printf("meanA %.1f meanB %.1f darker %ld lighter %ld changed %ld pixels %.0f", sumA / pixels,
           sumB / pixels, darker, lighter, changed, pixels);
    if (stillCount > 0) printf(" counted %ld", counted);
    printf("\n");
    stbi_image_free(a);
    stbi_image_free(b);
    for (int i = 0; i < stillCount; ++i) stbi_image_free(still[i]);
    return 0;
}
