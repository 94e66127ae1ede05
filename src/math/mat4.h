#pragma once

#include "math/vec.h"

// Column-major 4 x 4 matrix in the layout glGetFloatv(GL_MODELVIEW_MATRIX) returns and glMultMatrixf takes:
// element 4 * column + row; elements 12, 13, 14 are the translation. Every matrix the game builds is rigid
// (a turn about the vertical axis, then a translation), with elements 3, 7, 11 = 0 and 15 = 1.
struct Mat4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

Mat4 translationMatrix(float x, float y, float z);
// The turn glRotatef(degrees, 0, 1, 0) multiplies in, about the vertical axis.
Mat4 rotationAboutY(float degrees);
// The same turn as the fixed-function pipeline computes it: the angle in radians, its sine and cosine all
// in single precision. A matrix built with it matches the driver's bit for bit.
Mat4 pipelineRotationAboutY(float degrees);
// a * b, the order glMultMatrixf(b) applies b after a is current.
Mat4 matMultiply(const Mat4& a, const Mat4& b);

// The inverse of a rigid matrix: transposed rotation and -R^T * t. Wrong for scaling or shear, which no
// caller passes; the bottom row of the input is never read.
Mat4 rigidInverse(const Mat4& m);
// Applies the translation as though w were 1 and copies w through unchanged, whatever its value.
Vec4 transformPoint(const Mat4& m, Vec4 p);
