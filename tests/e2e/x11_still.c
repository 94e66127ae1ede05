/* Waits until the picture in a rectangle of a window holds still: x11_still WINDOW-ID X Y WIDTH HEIGHT
 * SECONDS (X, Y from the window's top-left corner). The camera glides after every move of the keeper, so a
 * point of the board stands at its resting pixel only once the picture stops shifting. The fog drifts over
 * everything every tick and the goals glow on and off, so pixels never repeat: each reading is taken
 * without its slow changes (its brightness less its local mean), and two readings of new frames a third of
 * a second apart are matched at every shift of up to kMaxShift pixels. The picture holds still when, for
 * two such pairs in a row, the best match is no shift at all and leaves little unmatched. Prints
 * "shift DX DY residue R" of the last pair; exit status 0 when still, 3 when not within SECONDS, 2 on bad
 * arguments, 1 when the window cannot be read. */

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "x11_pixels.h"

enum { kBlurRadius = 4, kMaxShift = 4, kStillPairs = 2 };
static const double kPairSeconds = 0.33;
/* What a still picture leaves unmatched, as a share of both readings' detail: the fog and the glow leave
 * 0.02 to 0.2, a camera still easing in by less than a pixel 0.3 to 0.7, and a shift beyond kMaxShift
 * close to 1, whichever shift matched best. */
static const double kStillResidue = 0.4;

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

/* The rectangle's brightness less its mean over (2 kBlurRadius + 1)^2 pixels around each one; false when
 * the window cannot be read. */
static int readDetail(Display* display, Window window, int x0, int y0, int width, int height, float* detail,
                      double* sums) {
    XImage* image = XGetImage(display, window, x0, y0, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
    if (image == NULL) return 0;
    /* sums holds the summed-area table, one row and column of zeros before the pixels. */
    const int stride = width + 1;
    memset(sums, 0, sizeof(double) * (size_t)stride);
    for (int y = 0; y < height; ++y) {
        double row = 0.0;
        sums[(size_t)(y + 1) * stride] = 0.0;
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const float value = 0.299f * (float)channel(pixel, image->red_mask) +
                                0.587f * (float)channel(pixel, image->green_mask) +
                                0.114f * (float)channel(pixel, image->blue_mask);
            detail[(size_t)y * width + x] = value;
            row += value;
            sums[(size_t)(y + 1) * stride + x + 1] = sums[(size_t)y * stride + x + 1] + row;
        }
    }
    XDestroyImage(image);
    for (int y = 0; y < height; ++y) {
        const int top = y - kBlurRadius < 0 ? 0 : y - kBlurRadius;
        const int bottom = y + kBlurRadius + 1 > height ? height : y + kBlurRadius + 1;
        for (int x = 0; x < width; ++x) {
            const int left = x - kBlurRadius < 0 ? 0 : x - kBlurRadius;
            const int right = x + kBlurRadius + 1 > width ? width : x + kBlurRadius + 1;
            const double area = (double)(bottom - top) * (right - left);
            const double sum = sums[(size_t)bottom * stride + right] - sums[(size_t)top * stride + right] -
                               sums[(size_t)bottom * stride + left] + sums[(size_t)top * stride + left];
            detail[(size_t)y * width + x] -= (float)(sum / area);
        }
    }
    return 1;
}

/* The shift (dx, dy) of b that matches a best, by the squared differences over a's inner part; returns
 * those differences as a share of the detail of both. */
static double bestShift(const float* a, const float* b, int width, int height, int* bestX, int* bestY) {
    double detail = 0.0;
    for (int y = kMaxShift; y < height - kMaxShift; ++y) {
        for (int x = kMaxShift; x < width - kMaxShift; ++x) {
            const size_t i = (size_t)y * width + x;
            detail += (double)a[i] * a[i] + (double)b[i] * b[i];
        }
    }
    double best = -1.0;
    for (int dy = -kMaxShift; dy <= kMaxShift; ++dy) {
        for (int dx = -kMaxShift; dx <= kMaxShift; ++dx) {
            double sum = 0.0;
            for (int y = kMaxShift; y < height - kMaxShift; ++y) {
                const float* rowA = a + (size_t)y * width;
                const float* rowB = b + (size_t)(y + dy) * width + dx;
                for (int x = kMaxShift; x < width - kMaxShift; ++x) {
                    const double d = rowA[x] - rowB[x];
                    sum += d * d;
                }
            }
            if (best < 0.0 || sum < best) {
                best = sum;
                *bestX = dx;
                *bestY = dy;
            }
        }
    }
    return detail > 0.0 ? best / detail : 0.0;
}

int main(int argc, char** argv) {
    if (argc != 7) {
        fprintf(stderr, "usage: %s WINDOW-ID X Y WIDTH HEIGHT SECONDS\n", argv[0]);
        return 2;
    }
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    const int x0 = atoi(argv[2]), y0 = atoi(argv[3]), width = atoi(argv[4]), height = atoi(argv[5]);
    const double deadline = now() + atof(argv[6]);
    if (width <= 2 * kMaxShift || height <= 2 * kMaxShift) return 2;
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) return 1;
    const size_t pixels = (size_t)width * (size_t)height;
    float* before = malloc(sizeof(float) * pixels);
    float* after = malloc(sizeof(float) * pixels);
    double* sums = malloc(sizeof(double) * (size_t)(width + 1) * (size_t)(height + 1));
    if (before == NULL || after == NULL || sums == NULL) return 1;

    int status = 3, stillPairs = 0, dx = 0, dy = 0;
    double residue = 1.0;
    const struct timespec pause = {0, (long)(kPairSeconds * 1e9)};
    if (!readDetail(display, window, x0, y0, width, height, before, sums)) status = 1;
    while (status == 3 && now() < deadline) {
        nanosleep(&pause, NULL);
        if (!readDetail(display, window, x0, y0, width, height, after, sums)) {
            status = 1;
            break;
        }
        /* The same picture twice: no frame came between the readings, which shows nothing of the camera. */
        if (memcmp(before, after, sizeof(float) * pixels) == 0) continue;
        residue = bestShift(before, after, width, height, &dx, &dy);
        stillPairs = dx == 0 && dy == 0 && residue < kStillResidue ? stillPairs + 1 : 0;
        if (stillPairs >= kStillPairs) status = 0;
        float* swap = before;
        before = after;
        after = swap;
    }
    printf("shift %d %d residue %.2f\n", dx, dy, residue);
    free(before);
    free(after);
    free(sums);
    XCloseDisplay(display);
    return status;
}
