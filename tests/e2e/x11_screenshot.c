/* Saves what a window shows as a PNG: x11_screenshot WINDOW-ID OUT.png
 * Reads the window's pixels from the X server (XGetImage), as a person would see them. */

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>

#include "x11_pixels.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s WINDOW-ID OUT.png\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "cannot open display\n");
        return 1;
    }
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    XImage* image = XGetImage(display, window, 0, 0, (unsigned)attributes.width, (unsigned)attributes.height,
                              AllPlanes, ZPixmap);
    if (image == NULL) return 1;
    unsigned char* rgb = malloc((size_t)attributes.width * (size_t)attributes.height * 3);
    if (rgb == NULL) return 1;
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            unsigned char* out = rgb + ((size_t)y * (size_t)attributes.width + (size_t)x) * 3;
            out[0] = (unsigned char)channel(pixel, image->red_mask);
            out[1] = (unsigned char)channel(pixel, image->green_mask);
            out[2] = (unsigned char)channel(pixel, image->blue_mask);
        }
    }
    const int written = stbi_write_png(argv[2], attributes.width, attributes.height, 3, rgb, attributes.width * 3);
    free(rgb);
    XDestroyImage(image);
    XCloseDisplay(display);
    return written ? 0 : 1;
}
