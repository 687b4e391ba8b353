// Glyphs for GDI text, rendered with FreeType from a CJK-capable face.
#pragma once

#include <string>
#include <vector>

#include "gdi/GdiObjects.h"

namespace winsim::gdi {

struct FontMetrics {
  int ascent = 0;
  int descent = 0;
  int Height() const { return ascent + descent; }
};

class TextRenderer {
 public:
  // The renderer for a font's face, height and weight.
  static TextRenderer& For(const LOGFONTA& font);

  FontMetrics Metrics();
  int Width(const std::u32string& text);
  // Draws text with its baseline's left end at the device point, within clip.
  void Draw(Surface& s, const RECT& clip, int x, int baseline, const std::u32string& text, Argb colour);

 private:
  explicit TextRenderer(const LOGFONTA& font);
  void Select();
  int Advance(char32_t cp);
  int m_pixelHeight;
  bool m_bold;
};

}  // namespace winsim::gdi
