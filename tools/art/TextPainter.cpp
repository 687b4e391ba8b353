#include "TextPainter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace art {

namespace {

const char* const kChineseFont = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
const char* const kSerifFont = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";

std::vector<char32_t> DecodeUtf8(const std::string& text) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t cp = length == 1 ? c : c & (0x7F >> length);
    for (int k = 1; k < length && i + static_cast<size_t>(k) < text.size(); ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + static_cast<size_t>(k)]) & 0x3F);
    out.push_back(cp);
    i += static_cast<size_t>(length);
  }
  return out;
}

FT_Face Open(FT_Library library, const char* path) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, path, 0, &face) != 0) {
    std::fprintf(stderr, "art: cannot open font %s\n", path);
    std::exit(1);
  }
  return face;
}

}  // namespace

struct TextPainter::Faces {
  FT_Library library = nullptr;
  FT_Face chinese = nullptr;
  FT_Face serif = nullptr;

  FT_Face Sized(const TextStyle& style) {
    FT_Face face = style.face == Typeface::Chinese ? chinese : serif;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(style.pixelSize));
    return face;
  }
};

TextPainter::TextPainter() : m_faces(new Faces) {
  FT_Init_FreeType(&m_faces->library);
  m_faces->chinese = Open(m_faces->library, kChineseFont);
  m_faces->serif = Open(m_faces->library, kSerifFont);
}

TextPainter::~TextPainter() {
  FT_Done_Face(m_faces->chinese);
  FT_Done_Face(m_faces->serif);
  FT_Done_FreeType(m_faces->library);
  delete m_faces;
}

int TextPainter::Measure(const std::string& text, const TextStyle& style) {
  FT_Face face = m_faces->Sized(style);
  long width = 0;
  for (char32_t cp : DecodeUtf8(text)) {
    if (FT_Load_Char(face, cp, FT_LOAD_DEFAULT) == 0) width += face->glyph->advance.x;
  }
  return static_cast<int>(width >> 6);
}

void TextPainter::Draw(Canvas& canvas, const std::string& text, float x, float y, const TextStyle& style) {
  if (style.shadow.a > 0) {
    TextStyle shadow = style;
    shadow.colour = style.shadow;
    shadow.shadow.a = 0;
    shadow.fill = nullptr;
    Draw(canvas, text, x + 1, y + 1, shadow);
  }
  FT_Face face = m_faces->Sized(style);
  float penX = x;
  for (char32_t cp : DecodeUtf8(text)) {
    if (FT_Load_Char(face, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) continue;
    const FT_GlyphSlot g = face->glyph;
    const int left = static_cast<int>(penX) + g->bitmap_left;
    const int top = static_cast<int>(y) - g->bitmap_top;
    for (unsigned row = 0; row < g->bitmap.rows; ++row) {
      for (unsigned col = 0; col < g->bitmap.width; ++col) {
        const unsigned char value = g->bitmap.buffer[row * static_cast<unsigned>(g->bitmap.pitch) + col];
        if (value == 0) continue;
        const int px = left + static_cast<int>(col), py = top + static_cast<int>(row);
        const Colour c = style.fill ? style.fill(static_cast<float>(px), static_cast<float>(py)) : style.colour;
        canvas.Blend(px, py, c, static_cast<float>(value) / 255.0f);
      }
    }
    penX += static_cast<float>(g->advance.x) / 64.0f;
  }
}

void TextPainter::DrawCentred(Canvas& canvas, const std::string& text, float left, float top, float right,
                              float bottom, const TextStyle& style) {
  const float width = static_cast<float>(Measure(text, style));
  // Ideographs sit between the baseline and about 0.8 em above it.
  const float capHeight = static_cast<float>(style.pixelSize) * (style.face == Typeface::Chinese ? 0.80f : 0.72f);
  const float x = (left + right - width) / 2;
  const float baseline = (top + bottom + capHeight) / 2;
  Draw(canvas, text, std::round(x), std::round(baseline), style);
}

}  // namespace art
