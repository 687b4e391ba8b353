#include "gdi/TextRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cstdio>
#include <map>
#include <memory>

#include "gdi/Paint.h"

namespace winsim::gdi {

namespace {

// Every face name the system asks for ("黑体", "宋体", "新宋体") is served by
// one face that has both the ideographs and Latin letters.
const char* const kFaces[] = {"/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc",
                              "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
                              "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};

FT_Face Face() {
  static FT_Face face = [] {
    FT_Library library = nullptr;
    FT_Face opened = nullptr;
    if (FT_Init_FreeType(&library) != 0) return opened;
    for (const char* path : kFaces)
      if (FT_New_Face(library, path, 0, &opened) == 0) return opened;
    std::fprintf(stderr, "winsim: no font found for text; text is not drawn\n");
    return opened;
  }();
  return face;
}

int EmPixels(const LOGFONTA& font, FT_Face face) {
  if (font.lfHeight < 0) return -font.lfHeight;
  if (font.lfHeight == 0) return 16;
  // A positive height is the whole cell, ascent and descent together.
  if (!face) return font.lfHeight;
  const long cell = face->ascender - face->descender;
  return static_cast<int>(static_cast<long>(font.lfHeight) * face->units_per_EM / (cell ? cell : face->units_per_EM));
}

}  // namespace

TextRenderer& TextRenderer::For(const LOGFONTA& font) {
  static std::map<std::pair<int, bool>, std::unique_ptr<TextRenderer>> renderers;
  const std::pair<int, bool> key{EmPixels(font, Face()), font.lfWeight >= FW_BOLD};
  auto& slot = renderers[key];
  if (!slot) slot.reset(new TextRenderer(font));
  return *slot;
}

TextRenderer::TextRenderer(const LOGFONTA& font) : m_pixelHeight(EmPixels(font, Face())), m_bold(font.lfWeight >= FW_BOLD) {}

void TextRenderer::Select() {
  if (FT_Face face = Face()) FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(m_pixelHeight));
}

FontMetrics TextRenderer::Metrics() {
  FT_Face face = Face();
  if (!face) return {m_pixelHeight, 0};
  Select();
  return {static_cast<int>((face->size->metrics.ascender + 63) >> 6), static_cast<int>((-face->size->metrics.descender + 63) >> 6)};
}

int TextRenderer::Advance(char32_t cp) {
  FT_Face face = Face();
  if (!face || FT_Load_Char(face, cp, FT_LOAD_DEFAULT) != 0) return 0;
  return static_cast<int>((face->glyph->advance.x + 32) >> 6) + (m_bold ? 1 : 0);
}

int TextRenderer::Width(const std::u32string& text) {
  Select();
  int width = 0;
  for (char32_t cp : text) width += Advance(cp);
  return width;
}

void TextRenderer::Draw(Surface& s, const RECT& clip, int x, int baseline, const std::u32string& text, Argb colour) {
  FT_Face face = Face();
  if (!face) return;
  Select();
  for (char32_t cp : text) {
    if (FT_Load_Char(face, cp, FT_LOAD_DEFAULT) != 0) continue;
    FT_GlyphSlot g = face->glyph;
    if (m_bold && g->format == FT_GLYPH_FORMAT_OUTLINE) FT_Outline_Embolden(&g->outline, 1 << 6);
    if (FT_Render_Glyph(g, FT_RENDER_MODE_NORMAL) != 0) continue;
    for (unsigned row = 0; row < g->bitmap.rows; ++row) {
      const int py = baseline - g->bitmap_top + static_cast<int>(row);
      if (py < clip.top || py >= clip.bottom) continue;
      for (unsigned col = 0; col < g->bitmap.width; ++col) {
        const int px = x + g->bitmap_left + static_cast<int>(col);
        if (px < clip.left || px >= clip.right) continue;
        BlendPixel(s, px, py, colour, g->bitmap.buffer[row * static_cast<unsigned>(g->bitmap.pitch) + col]);
      }
    }
    x += static_cast<int>((g->advance.x + 32) >> 6) + (m_bold ? 1 : 0);
  }
}

}  // namespace winsim::gdi
