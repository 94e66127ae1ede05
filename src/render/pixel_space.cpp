#include "render/pixel_space.h"

#include <GL/gl.h>

void pushIdentityMatrices() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void popMatrices() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void pixelOrtho(const WindowSettings& window) {
    glOrtho(0.0, window.width, 0.0, window.height, -1.0, 1.0);
}
