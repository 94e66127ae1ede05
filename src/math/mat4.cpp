#include "math/mat4.h"

#include <cmath>

Mat4 translationMatrix(float x, float y, float z) {
    Mat4 out;
    out.m[12] = x;
    out.m[13] = y;
    out.m[14] = z;
    return out;
}

namespace {

// The turn about the vertical axis with the given cosine and sine.
Mat4 turnAboutY(float c, float s) {
    Mat4 out;
    out.m[0] = c;
    out.m[2] = -s;
    out.m[8] = s;
    out.m[10] = c;
    return out;
}

}  // namespace

Mat4 rotationAboutY(float degrees) {
    const double radians = degrees * kRadiansPerDegree;
    return turnAboutY(static_cast<float>(std::cos(radians)), static_cast<float>(std::sin(radians)));
}

Mat4 pipelineRotationAboutY(float degrees) {
    const float radians = static_cast<float>(degrees * kRadiansPerDegree);
    return turnAboutY(std::cos(radians), std::sin(radians));
}

Mat4 matMultiply(const Mat4& a, const Mat4& b) {
    Mat4 out;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[4 * k + row] * b.m[4 * column + k];
            out.m[4 * column + row] = sum;
        }
    }
    return out;
}

Mat4 rigidInverse(const Mat4& m) {
    Mat4 out;
    out.m[0] = m.m[0];
    out.m[1] = m.m[4];
    out.m[2] = m.m[8];
    out.m[4] = m.m[1];
    out.m[5] = m.m[5];
    out.m[6] = m.m[9];
    out.m[8] = m.m[2];
    out.m[9] = m.m[6];
    out.m[10] = m.m[10];
    out.m[3] = out.m[7] = out.m[11] = 0.0f;
    out.m[15] = 1.0f;
    out.m[12] = -(m.m[0] * m.m[12] + m.m[1] * m.m[13] + m.m[2] * m.m[14]);
    out.m[13] = -(m.m[4] * m.m[12] + m.m[5] * m.m[13] + m.m[6] * m.m[14]);
    out.m[14] = -(m.m[8] * m.m[12] + m.m[9] * m.m[13] + m.m[10] * m.m[14]);
    return out;
}

Vec4 transformPoint(const Mat4& m, Vec4 p) {
    return {m.m[0] * p.x + m.m[4] * p.y + m.m[8] * p.z + m.m[12],
            m.m[1] * p.x + m.m[5] * p.y + m.m[9] * p.z + m.m[13],
            m.m[2] * p.x + m.m[6] * p.y + m.m[10] * p.z + m.m[14], p.w};
}
