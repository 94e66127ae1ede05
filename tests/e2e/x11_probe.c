/* Measures a rectangle of what a window shows, the way the end-to-end tests look at the screen:
 *     x11_probe WINDOW-ID X Y WIDTH HEIGHT      (X, Y from the window's top-left corner)
 * prints one line: "mean R G B bright N yellow N green N dark N pixels N", where bright counts pixels with
 * every channel above 200, yellow those with red and green above 180 and blue below 90, green those with
 * green above 110 and more than red by 40 and blue by 30 (the keeper's mark on the map, at its opacity), dark
 * those with every channel below 40. */

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>

#include "x11_pixels.h"

int main(int argc, char** argv) {
    if (argc != 6) {
        fprintf(stderr, "usage: %s WINDOW-ID X Y WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) return 1;
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    const int x0 = atoi(argv[2]), y0 = atoi(argv[3]), width = atoi(argv[4]), height = atoi(argv[5]);
    if (width <= 0 || height <= 0) return 2;
    XImage* image = XGetImage(display, window, x0, y0, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
    if (image == NULL) return 1;
    double sum[3] = {0, 0, 0};
    long bright = 0, yellow = 0, green = 0, dark = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const unsigned r = channel(pixel, image->red_mask);
            const unsigned g = channel(pixel, image->green_mask);
            const unsigned b = channel(pixel, image->blue_mask);
            sum[0] += r;
            sum[1] += g;
            sum[2] += b;
            bright += r > 200 && g > 200 && b > 200;
            yellow += r > 180 && g > 180 && b < 90;
            green += g > 110 && g > r + 40 && g > b + 30;
            dark += r < 40 && g < 40 && b < 40;
        }
    }
    const double n = (double)width * height;
    printf("mean %.1f %.1f %.1f bright %ld yellow %ld green %ld dark %ld pixels %.0f\n", sum[0] / n,
           sum[1] / n, sum[2] / n, bright, yellow, green, dark, n);
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
