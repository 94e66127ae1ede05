#pragma once

#include <cstdint>

// The window's size and projection values. One program-wide record: the size callback keeps width and
// height current, and every 2D drawing operation reads them.
struct WindowSettings {
    std::uint32_t width = 800;  // client pixels
    std::uint32_t height = 600;
    std::int32_t redBits = 8;
    std::int32_t greenBits = 8;
    std::int32_t blueBits = 8;
    std::int32_t alphaBits = 8;
    std::int32_t depthBits = 24;
    std::int32_t stencilBits = 8;  // the shadow volumes count in the stencil buffer
    float fieldOfView = 45.0f;     // vertical, degrees
    float aspect = 800.0f / 600.0f;
    float nearPlane = 1.0f;
    float farPlane = 30.0f;
    bool resized = false;  // the projection must be rebuilt at the next frame
};
