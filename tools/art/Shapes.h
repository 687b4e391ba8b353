// Signed distance functions of the shapes the art is built from.
#pragma once

#include "Canvas.h"

namespace art {

Shape Circle(float cx, float cy, float radius);
// Rectangle from (left, top) to (right, bottom) with rounded corners.
Shape RoundRect(float left, float top, float right, float bottom, float radius);
// A band of the given width centred on the edge of `shape`.
Shape Outline(Shape shape, float width);
// A line segment of the given thickness with round ends.
Shape Segment(float x0, float y0, float x1, float y1, float thickness);
Shape Union(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
// Everything below the curve y = f(x).
Shape Below(std::function<float(float)> curve);
// A triangle given by its corners.
Shape Triangle(float x0, float y0, float x1, float y1, float x2, float y2);

// Deterministic value noise in 0..1, smooth at the given scale in pixels.
float Noise(float x, float y, float scale);

}  // namespace art
