#include "PanelButtonArt.h"

#include <string>

#include "Palette.h"
#include "Shapes.h"

namespace art {

namespace {

enum class Look { Normal, Hot };

struct Scheme {
  Colour top, bottom, edge, label;
};

Canvas Blank(int width, int height) {
  Canvas c(width, height);
  c.Fill([](float, float) { return -1.0f; }, kPlate);
  return c;
}

Canvas RoundButton(bool close, Look look) {
  Canvas c = Blank(26, 26);
  const Shape disc = Circle(13, 13, 12);
  const float lift = look == Look::Hot ? 1.25f : 1.0f;
  const Colour top = close ? Hex(0xD8484A) : Hex(0x55648F), bottom = close ? Hex(0x7A1418) : Hex(0x262E4C);
  if (look == Look::Hot) c.Halo(disc, kGold, 2, 0.6f);
  c.Fill(disc, [&](float, float y) { return Scale(Mix(top, bottom, (y - 1) / 24), lift); });
  c.Fill(Outline(disc, 1.5f), look == Look::Hot ? Hex(0xF5D58E) : kGold);
  const Colour glyph = Hex(0xFFFFFF);
  if (close) {
    c.Fill(Union(Segment(8.5f, 8.5f, 17.5f, 17.5f, 2.4f), Segment(17.5f, 8.5f, 8.5f, 17.5f, 2.4f)), glyph);
  } else {
    c.Fill(RoundRect(7.5f, 15, 18.5f, 17.5f, 1), glyph);
  }
  c.Flatten(kPlate);
  return c;
}

Canvas LinkButton(const std::string& label, const Scheme& s, Look look, TextPainter& text) {
  Canvas c = Blank(105, 37);
  const Shape face = RoundRect(1, 1, 104, 36, 7);
  const float lift = look == Look::Hot ? 1.18f : 1.0f;
  c.Fill(face, [&](float, float y) { return Scale(Mix(s.top, s.bottom, (y - 1) / 35), lift); });
  c.Fill(RoundRect(5, 3, 100, 4.5f, 0.75f), Hex(0xFFFFFF, 0.35f));
  c.Fill(Outline(face, 1.5f), s.edge);
  TextStyle style{Typeface::Chinese, 16, s.label, Hex(0x000000, 0.35f), nullptr};
  text.DrawCentred(c, label, 1, 1, 104, 36, style);
  c.Flatten(kPlate);
  return c;
}

// Each button: normal, hot, disabled (the same as normal).
void AddTriple(std::map<int, Canvas>& images, int firstId, Canvas normal, Canvas hot) {
  images.emplace(firstId, normal);
  images.emplace(firstId + 1, hot);
  images.emplace(firstId + 2, normal);
}

}  // namespace

std::map<int, Canvas> PaintPanelButtons(TextPainter& text) {
  const Scheme gold{Hex(0xEBCB82), Hex(0xA0722C), Hex(0x5A3C12), Hex(0x3A2208)};
  const Scheme red{Hex(0xCC3C3E), Hex(0x74121A), Hex(0xE0B868), Hex(0xFFE9B0)};
  const Scheme steel{Hex(0x4E5E8E), Hex(0x262E4E), Hex(0xC9A45A), Hex(0xF0DCA8)};
  struct Link {
    int id;
    const char* label;
    const Scheme& scheme;
  };
  const Link links[] = {{174, "客服中心", steel}, {177, "游戏论坛", steel}, {180, "账号充值", red}, {183, "官方网站", gold}};

  std::map<int, Canvas> images;
  AddTriple(images, 168, RoundButton(true, Look::Normal), RoundButton(true, Look::Hot));
  AddTriple(images, 171, RoundButton(false, Look::Normal), RoundButton(false, Look::Hot));
  for (const Link& link : links)
    AddTriple(images, link.id, LinkButton(link.label, link.scheme, Look::Normal, text),
              LinkButton(link.label, link.scheme, Look::Hot, text));
  return images;
}

}  // namespace art
