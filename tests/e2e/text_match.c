/* Reads a line of one of the game's fonts off the screen:
 *     text_match [--wait SECONDS] SOURCE FONT.tga X Y TEXT [TEXT...]
 * SOURCE is a PNG screenshot or an X window id; X and Y are the pen position the game draws at (window
 * pixels from the lower-left corner; the glyphs' square cells, 32 pixels in the large font and 8 in the
 * small one, as the font image's 16 columns give them, stand on row Y). Each TEXT is rendered from the font
 * image's alpha and correlated (-1 to 1) with the screen's brightness over the cells of the longest TEXT:
 * over all cells (FULL) and over the cells in which the TEXTs differ (DIFFERING), which ignores how bright
 * the text is and what lies evenly under it, and keeps a shared "Steps taken " from drowning one digit.
 * One line "FULL DIFFERING TEXT" is printed per TEXT. The first TEXT is shown when its FULL score is at
 * least kMinScore and its DIFFERING score beats every other's by kMinMargin. With --wait (a window only)
 * the window is read again until that is so or SECONDS have passed. Exit status 0 when the first TEXT was
 * seen, 3 when not, 2 on bad arguments, 1 when a source cannot be read. */

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "x11_pixels.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_TGA
#include <stb/stb_image.h>

enum { kColumns = 16 };

/* The font image's pixels (RGBA) and its grid: kColumns cells across, each a glyph and its advance. */
typedef struct {
    const unsigned char* rgba;
    int width;
    int cell;
    int rows;
} GlyphGrid;

/* Brightness of an area of the screen, row 0 at the top; pixels outside the source read as 0. */
typedef struct {
    int width, height;
    float* value;
} Grey;

static float luminance(unsigned r, unsigned g, unsigned b) {
    return 0.299f * (float)r + 0.587f * (float)g + 0.114f * (float)b;
}

/* The rectangle (left, top, width, height) of a PNG file. */
static int readPng(const char* path, int left, int top, Grey* out) {
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(path, &width, &height, &channels, 3);
    if (pixels == NULL) return 0;
    for (int y = 0; y < out->height; ++y) {
        for (int x = 0; x < out->width; ++x) {
            const int sx = left + x, sy = top + y;
            float v = 0.0f;
            if (sx >= 0 && sy >= 0 && sx < width && sy < height) {
                const unsigned char* p = pixels + ((size_t)sy * (size_t)width + (size_t)sx) * 3;
                v = luminance(p[0], p[1], p[2]);
            }
            out->value[y * out->width + x] = v;
        }
    }
    stbi_image_free(pixels);
    return 1;
}

/* The same rectangle read from a window on the X server; only the part inside the window is fetched. */
static int readWindow(Display* display, Window window, int left, int top, Grey* out) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 0;
    for (int i = 0; i < out->width * out->height; ++i) out->value[i] = 0.0f;
    const int x0 = left > 0 ? left : 0, y0 = top > 0 ? top : 0;
    const int x1 = left + out->width < attributes.width ? left + out->width : attributes.width;
    const int y1 = top + out->height < attributes.height ? top + out->height : attributes.height;
    if (x1 <= x0 || y1 <= y0) return 1;
    XImage* image =
        XGetImage(display, window, x0, y0, (unsigned)(x1 - x0), (unsigned)(y1 - y0), AllPlanes, ZPixmap);
    if (image == NULL) return 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned long pixel = XGetPixel(image, x - x0, y - y0);
            out->value[(y - top) * out->width + (x - left)] =
                luminance(channel(pixel, image->red_mask), channel(pixel, image->green_mask),
                          channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    return 1;
}

/* Correlation of the text's glyph coverage with the brightness over the cells of the box that are marked
 * in cells (all candidates are scored over the same cells, so a shorter text must explain the cells it
 * leaves empty). */
static double score(const GlyphGrid* font, const char* text, const Grey* box, const char* cells) {
    const size_t length = strlen(text);
    double sumA = 0, sumB = 0, sumAA = 0, sumBB = 0, sumAB = 0, n = 0;
    for (int y = 0; y < box->height; ++y) {
        for (int x = 0; x < box->width; ++x) {
            const size_t index = (size_t)(x / font->cell);
            if (!cells[index]) continue;
            double a = 0.0;
            if (index < length) {
                const unsigned code = (unsigned char)text[index];
                if (code < (unsigned)(kColumns * font->rows)) {
                    const int fx = (int)(code % kColumns) * font->cell + x % font->cell;
                    const int fy = (int)(code / kColumns) * font->cell + y;
                    a = font->rgba[((size_t)fy * (size_t)font->width + (size_t)fx) * 4 + 3] / 255.0;
                }
            }
            const double b = box->value[y * box->width + x];
            sumA += a;
            sumB += b;
            sumAA += a * a;
            sumBB += b * b;
            sumAB += a * b;
            n += 1;
        }
    }
    if (n == 0) return 0.0;
    const double covariance = sumAB - sumA * sumB / n;
    const double spread = sqrt((sumAA - sumA * sumA / n) * (sumBB - sumB * sumB / n));
    return spread > 0.0 ? covariance / spread : 0.0;
}

/* Measured on the game's HUD over the fog and the scene: the right line scores 0.9 or more over all its
 * cells (0.8 or more over the lit floor), a screen without the text near 0. Lines that share most of
 * their letters ("Steps taken 2" and "Steps taken 3") are told apart by the cells in which they differ,
 * where the right glyph scores well above a wrong one. */
static const double kMinScore = 0.6;
static const double kMinMargin = 0.1;

/* Scores every candidate over the whole box (full) and over the cells in which the candidates differ
 * (differing); true when the first one is what the box shows. */
static int firstIsShown(const GlyphGrid* font, char** texts, int count, const Grey* box, double* full,
                        double* differing) {
    char all[64], distinct[64];
    const int cellCount = box->width / font->cell;
    int anyDistinct = 0;
    for (int c = 0; c < cellCount; ++c) {
        all[c] = 1;
        distinct[c] = 0;
        for (int i = 1; i < count; ++i) {
            const char first = c < (int)strlen(texts[0]) ? texts[0][c] : '\0';
            const char other = c < (int)strlen(texts[i]) ? texts[i][c] : '\0';
            if (first != other) distinct[c] = 1;
        }
        anyDistinct |= distinct[c];
    }
    int shown = 1;
    for (int i = 0; i < count; ++i) {
        full[i] = score(font, texts[i], box, all);
        differing[i] = anyDistinct ? score(font, texts[i], box, distinct) : full[i];
    }
    if (full[0] < kMinScore) shown = 0;
    for (int i = 1; i < count; ++i)
        if (differing[0] < differing[i] + kMinMargin) shown = 0;
    return shown;
}

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

int main(int argc, char** argv) {
    double waitSeconds = -1.0;
    if (argc > 2 && strcmp(argv[1], "--wait") == 0) {
        waitSeconds = atof(argv[2]);
        argc -= 2;
        argv += 2;
    }
    if (argc < 6) {
        fprintf(stderr, "usage: text_match [--wait SECONDS] SCREENSHOT.png|WINDOW-ID FONT.tga X Y TEXT...\n");
        return 2;
    }
    const char* source = argv[1];
    const size_t sourceLength = strlen(source);
    const int isWindow = !(sourceLength > 4 && strcmp(source + sourceLength - 4, ".png") == 0);
    if (waitSeconds >= 0.0 && !isWindow) return 2;
    const int penX = atoi(argv[3]), penY = atoi(argv[4]);
    char** texts = argv + 5;
    const int count = argc - 5;

    int fontWidth = 0, fontHeight = 0, fontChannels = 0;
    unsigned char* pixels = stbi_load(argv[2], &fontWidth, &fontHeight, &fontChannels, 4);
    if (pixels == NULL) {
        fprintf(stderr, "cannot read the font image %s\n", argv[2]);
        return 1;
    }
    const GlyphGrid font = {pixels, fontWidth, fontWidth / kColumns,
                            fontWidth < kColumns ? 0 : fontHeight / (fontWidth / kColumns)};
    if (font.cell == 0 || fontWidth != kColumns * font.cell || fontHeight != font.rows * font.cell) {
        fprintf(stderr, "the font image is %d x %d, not %d columns of square cells\n", fontWidth, fontHeight,
                kColumns);
        return 1;
    }
    size_t longest = 0;
    for (int i = 0; i < count; ++i)
        if (strlen(texts[i]) > longest) longest = strlen(texts[i]);
    if (longest == 0 || longest > 64) return 2;

    Grey box = {(int)longest * font.cell, font.cell, NULL};
    box.value = malloc(sizeof(float) * (size_t)box.width * (size_t)box.height);
    double* scores = malloc(sizeof(double) * (size_t)count * 2);
    if (box.value == NULL || scores == NULL) return 1;
    double* differing = scores + count;

    int shown = 0;
    if (!isWindow) {
        int width = 0, height = 0, channels = 0;
        if (!stbi_info(source, &width, &height, &channels) ||
            !readPng(source, penX, height - penY - font.cell, &box)) {
            fprintf(stderr, "cannot read %s\n", source);
            return 1;
        }
        shown = firstIsShown(&font, texts, count, &box, scores, differing);
    } else {
        Display* display = XOpenDisplay(NULL);
        const Window window = (Window)strtoul(source, NULL, 0);
        XWindowAttributes attributes;
        if (display == NULL || !XGetWindowAttributes(display, window, &attributes)) {
            fprintf(stderr, "cannot read window %s\n", source);
            return 1;
        }
        const double deadline = now() + waitSeconds;
        for (;;) {
            if (!readWindow(display, window, penX, attributes.height - penY - font.cell, &box)) {
                fprintf(stderr, "cannot read window %s\n", source);
                return 1;
            }
            shown = firstIsShown(&font, texts, count, &box, scores, differing);
            if (shown || now() >= deadline) break;
            const struct timespec pause = {0, 5000000};
            nanosleep(&pause, NULL);
        }
        XCloseDisplay(display);
    }
    for (int i = 0; i < count; ++i) printf("%.3f %.3f %s\n", scores[i], differing[i], texts[i]);
    free(scores);
    free(box.value);
    stbi_image_free(pixels);
    return shown ? 0 : 3;
}
