/* Presses a key for exactly one frame of the game: x11_tap WINDOW-ID KEYSYM (e.g. Left).
 * The game polls its keys once per frame, after each buffer swap: a press spanning no poll is never seen,
 * one spanning two can move the keeper twice. So the key goes down right after one swap shows and up right
 * after the next, and the tool returns once the frame after that shows too. Swaps show as the picture
 * changing (the fog drifts every tick); each is waited for up to a minute. Exit status 0 when the key went
 * down and up, 3 when no new frame came in time (the key is released all the same), 1 when the display,
 * the window or the key is missing. */

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

/* The window's picture, copied into buffer (same size each time). */
static int readPatch(Display* display, Window window, int x, int y, int width, int height, char* buffer,
                     size_t size) {
    XImage* image = XGetImage(display, window, x, y, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
    if (image == NULL) return 0;
    const size_t bytes = (size_t)image->bytes_per_line * (size_t)image->height;
    memcpy(buffer, image->data, bytes < size ? bytes : size);
    XDestroyImage(image);
    return 1;
}

/* Waits until the picture differs from what buffer holds (a new frame was swapped in); buffer then holds
 * the new picture. */
static int waitForNewFrame(Display* display, Window window, int x, int y, int width, int height, char* buffer,
                           char* scratch, size_t size) {
    const double deadline = now() + 60.0;
    const struct timespec pause = {0, 2000000};
    while (now() < deadline) {
        if (!readPatch(display, window, x, y, width, height, scratch, size)) return 0;
        if (memcmp(buffer, scratch, size) != 0) {
            memcpy(buffer, scratch, size);
            return 1;
        }
        nanosleep(&pause, NULL);
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s WINDOW-ID KEYSYM\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) return 1;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        fprintf(stderr, "the X server has no XTEST\n");
        return 1;
    }
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    const KeySym keysym = XStringToKeysym(argv[2]);
    const KeyCode keycode = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
    XWindowAttributes attributes;
    if (keycode == 0 || !XGetWindowAttributes(display, window, &attributes)) return 1;
    // The whole window: the fog moves only a few pixels per tick and is nearly even in places, so a
    // smaller patch can stay the same over a frame.
    const int width = attributes.width, height = attributes.height, x = 0, y = 0;
    const size_t size = (size_t)width * (size_t)height * 4;
    char* frame = calloc(size, 1);
    char* scratch = calloc(size, 1);
    if (frame == NULL || scratch == NULL) return 1;

    int status = 3;
    if (readPatch(display, window, x, y, width, height, frame, size) &&
        waitForNewFrame(display, window, x, y, width, height, frame, scratch, size)) {
        XTestFakeKeyEvent(display, keycode, True, CurrentTime);
        XSync(display, False);
        const int swapped = waitForNewFrame(display, window, x, y, width, height, frame, scratch, size);
        XTestFakeKeyEvent(display, keycode, False, CurrentTime);
        XSync(display, False);
        status =
            swapped && waitForNewFrame(display, window, x, y, width, height, frame, scratch, size) ? 0 : 3;
    }
    free(frame);
    free(scratch);
    XCloseDisplay(display);
    return status;
}
