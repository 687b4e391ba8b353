#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace art {

Colour Hex(uint32_t rgb, float alpha) {
  return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
          static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
}

Colour Mix(const Colour& a, const Colour& b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour Scale(const Colour& c, float factor) {
  if (factor <= 1.0f) return {c.r * factor, c.g * factor, c.b * factor, c.a};
  const float t = factor - 1.0f;
  return Mix(c, {1, 1, 1, c.a}, t);
}

Canvas::Canvas(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * static_cast<size_t>(height), Colour{0, 0, 0, 0}) {}

void Canvas::Blend(int x, int y, const Colour& c, float coverage) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  const float sa = std::clamp(c.a * coverage, 0.0f, 1.0f);
  if (sa <= 0.0f) return;
  Colour& d = m_pixels[Index(x, y)];
  const float da = d.a * (1.0f - sa);
  const float oa = sa + da;
  d = {(c.r * sa + d.r * da) / oa, (c.g * sa + d.g * da) / oa, (c.b * sa + d.b * da) / oa, oa};
}

void Canvas::Fill(const Shape& shape, const Paint& paint) {
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) {
      const float px = static_cast<float>(x) + 0.5f;
      const float py = static_cast<float>(y) + 0.5f;
      const float coverage = std::clamp(0.5f - shape(px, py), 0.0f, 1.0f);
      if (coverage > 0.0f) Blend(x, y, paint(px, py), coverage);
    }
  }
}

void Canvas::Fill(const Shape& shape, const Colour& colour) {
  Fill(shape, [&](float, float) { return colour; });
}

void Canvas::Halo(const Shape& shape, const Colour& colour, float radius, float strength) {
  Fill([&](float x, float y) { return shape(x, y) - radius; },
       [&](float x, float y) {
         const float d = std::max(shape(x, y), 0.0f);
         const float fade = 1.0f - std::min(d / radius, 1.0f);
         Colour c = colour;
         c.a = strength * fade * fade;
         return c;
       });
}

void Canvas::Draw(const Canvas& other, int x, int y) {
  for (int sy = 0; sy < other.m_height; ++sy)
    for (int sx = 0; sx < other.m_width; ++sx) Blend(x + sx, y + sy, other.At(sx, sy), 1.0f);
}

Canvas Canvas::Crop(int x, int y, int width, int height) const {
  Canvas part(width, height);
  for (int sy = 0; sy < height; ++sy)
    for (int sx = 0; sx < width; ++sx) part.Set(sx, sy, At(x + sx, y + sy));
  return part;
}

void Canvas::Flatten(const Colour& under) {
  for (Colour& c : m_pixels) {
    Colour base = under;
    base.a = 1.0f;
    c = Mix(base, {c.r, c.g, c.b, 1.0f}, c.a);
    c.a = 1.0f;
  }
}

}  // namespace art
