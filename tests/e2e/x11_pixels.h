/* Pixels read from the X server, shared by the end-to-end helpers that look at the game's window. */
#pragma once

/* One colour channel of a pixel as 0 to 255, given the channel's mask in the image (XImage red_mask,
 * green_mask, blue_mask). */
static inline unsigned channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while ((mask & 1UL) == 0) {
        mask >>= 1;
        ++shift;
    }
    return (unsigned)(((pixel >> shift) & mask) * 255UL / mask);
}
