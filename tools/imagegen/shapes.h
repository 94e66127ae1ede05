#pragma once

// Signed distances for painting shapes: negative inside, positive outside, in pixels.

// A box centred on the origin with half sizes (hx, hy) and corners rounded with the given radius.
float roundedBoxDistance(float px, float py, float hx, float hy, float radius);

// A disc centred on the origin.
float circleDistance(float px, float py, float radius);

// The segment from (ax, ay) to (bx, by), thickened to the given half width.
float segmentDistance(float px, float py, float ax, float ay, float bx, float by, float halfWidth);

// Coverage of a shape edge for anti-aliasing: 1 well inside, 0 well outside, a one-pixel ramp between.
float insideCoverage(float distance);
