// An RGBA drawing surface for the art generator: shapes are given as signed
// distance functions, so every edge is anti-aliased at any image size.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace art {

// Straight (not premultiplied) colour, each channel 0..1.
struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};

Colour Hex(uint32_t rgb, float alpha = 1.0f);
Colour Mix(const Colour& a, const Colour& b, float t);
Colour Scale(const Colour& c, float factor);  // darker below 1, lighter above

// Distance from a point to a shape's edge, negative inside.
using Shape = std::function<float(float x, float y)>;
// Colour of a shape at a point.
using Paint = std::function<Colour(float x, float y)>;

class Canvas {
 public:
  Canvas(int width, int height);
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  const Colour& At(int x, int y) const { return m_pixels[Index(x, y)]; }
  void Set(int x, int y, const Colour& c) { m_pixels[Index(x, y)] = c; }

  // Source-over of `c` with the given coverage.
  void Blend(int x, int y, const Colour& c, float coverage);
  // Fills the shape, one pixel of soft edge, within the given bounds.
  void Fill(const Shape& shape, const Paint& paint);
  void Fill(const Shape& shape, const Colour& colour);
  // A soft halo outside the shape: opacity `strength` at the edge fading to 0
  // at `radius` pixels away.
  void Halo(const Shape& shape, const Colour& colour, float radius, float strength);
  // Draws another canvas with its top-left corner at (x, y).
  void Draw(const Canvas& other, int x, int y);
  // A part of this canvas as a new one.
  Canvas Crop(int x, int y, int width, int height) const;
  // Every pixel fully opaque, composed over `under`.
  void Flatten(const Colour& under);

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x); }
  int m_width;
  int m_height;
  std::vector<Colour> m_pixels;
};

}  // namespace art
