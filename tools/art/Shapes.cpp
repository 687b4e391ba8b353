#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace art {

Shape Circle(float cx, float cy, float radius) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape RoundRect(float left, float top, float right, float bottom, float radius) {
  const float cx = (left + right) / 2, cy = (top + bottom) / 2;
  const float hw = (right - left) / 2 - radius, hh = (bottom - top) / 2 - radius;
  return [=](float x, float y) {
    const float qx = std::abs(x - cx) - hw, qy = std::abs(y - cy) - hh;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
  };
}

Shape Outline(Shape shape, float width) {
  return [=](float x, float y) { return std::abs(shape(x, y)) - width / 2; };
}

Shape Segment(float x0, float y0, float x1, float y1, float thickness) {
  return [=](float x, float y) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float t = std::clamp(((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - thickness / 2;
  };
}

Shape Union(Shape a, Shape b) {
  return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Shape Intersect(Shape a, Shape b) {
  return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Shape Subtract(Shape a, Shape b) {
  return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Shape Below(std::function<float(float)> curve) {
  // The vertical distance is a fair estimate for the gentle curves used.
  return [=](float x, float y) { return curve(x) - y; };
}

Shape Triangle(float x0, float y0, float x1, float y1, float x2, float y2) {
  const Shape edges[3] = {Segment(x0, y0, x1, y1, 0), Segment(x1, y1, x2, y2, 0), Segment(x2, y2, x0, y0, 0)};
  return [=](float x, float y) {
    const float d = std::min({edges[0](x, y), edges[1](x, y), edges[2](x, y)});
    const auto side = [&](float ax, float ay, float bx, float by) { return (bx - ax) * (y - ay) - (by - ay) * (x - ax); };
    const float s0 = side(x0, y0, x1, y1), s1 = side(x1, y1, x2, y2), s2 = side(x2, y2, x0, y0);
    const bool inside = (s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0);
    return inside ? -d : d;
  };
}

namespace {

float Lattice(int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float Smooth(float t) { return t * t * (3 - 2 * t); }

}  // namespace

float Noise(float x, float y, float scale) {
  const float fx = x / scale, fy = y / scale;
  const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  const float tx = Smooth(fx - static_cast<float>(ix)), ty = Smooth(fy - static_cast<float>(iy));
  const float top = Lattice(ix, iy) + (Lattice(ix + 1, iy) - Lattice(ix, iy)) * tx;
  const float bottom = Lattice(ix, iy + 1) + (Lattice(ix + 1, iy + 1) - Lattice(ix, iy + 1)) * tx;
  return top + (bottom - top) * ty;
}

}  // namespace art
