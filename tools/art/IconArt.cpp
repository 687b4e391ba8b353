#include "IconArt.h"

#include "Palette.h"
#include "Shapes.h"

namespace art {

Canvas PaintIcon(int size) {
  Canvas c(size, size);
  const float s = static_cast<float>(size) / 32.0f;
  const Shape disc = Circle(16 * s, 16 * s, 15.2f * s);
  c.Fill(disc, [s](float, float y) {
    return y < 20 * s ? Mix(Hex(0x1E1546), Hex(0xC8625A), y / (20 * s)) : Mix(Hex(0x8A4A62), Hex(0x161A3E), (y - 20 * s) / (12 * s));
  });
  const Shape moon = Subtract(Circle(14 * s, 12 * s, 7 * s), Circle(17.5f * s, 9.5f * s, 6 * s));
  c.Fill(moon, Hex(0xFFE6A8));
  c.Fill(Intersect(RoundRect(6 * s, 22 * s, 26 * s, 23.6f * s, 0.8f * s), disc), Hex(0xFFD9A0, 0.8f));
  c.Fill(Outline(Circle(16 * s, 16 * s, 14.6f * s), 1.6f * s), kGold);
  return c;
}

}  // namespace art
