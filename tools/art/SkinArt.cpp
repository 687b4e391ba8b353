#include "SkinArt.h"

#include <functional>
#include <string>

#include "Palette.h"
#include "Shapes.h"

namespace art {

namespace {

constexpr int kCaptionHeight = 32;
constexpr int kBorder = 7;
constexpr int kButtonTop = 4;
constexpr int kButtonHeight = 23;
const Colour kFrameBody = Hex(0x232A45);

Colour CaptionRow(int y) {
  if (y == 0 || y == kCaptionHeight - 1) return kInk;
  if (y == 1) return kGoldDeep;
  if (y == kCaptionHeight - 2) return kGold;
  return Mix(kCaptionTop, kCaptionBottom, static_cast<float>(y - 2) / 27);
}

// Rows of the bottom border from the client area outwards.
Colour BottomRow(int y) {
  if (y == 0) return kInk;
  if (y == kBorder - 2) return kGoldDeep;
  if (y == kBorder - 1) return kInk;
  return kFrameBody;
}

Canvas Caption() {
  Canvas c(4, kCaptionHeight);
  for (int y = 0; y < kCaptionHeight; ++y)
    for (int x = 0; x < 4; ++x) c.Set(x, y, CaptionRow(y));
  return c;
}

Canvas Bottom() {
  Canvas c(4, kBorder);
  for (int y = 0; y < kBorder; ++y)
    for (int x = 0; x < 4; ++x) c.Set(x, y, BottomRow(y));
  return c;
}

// Column 0 is the window's outer edge: the caption's corner, the side that
// repeats down the window, and the corner that meets the bottom border.
Canvas SideBorder(bool right) {
  const int height = 46, tileEnd = height - kBorder;
  Canvas c(kBorder, height);
  for (int y = 0; y < height; ++y) {
    for (int col = 0; col < kBorder; ++col) {
      Colour colour;
      if (y < kCaptionHeight) colour = col == 0 ? kInk : col == 1 && y > 0 ? kGoldDeep : CaptionRow(y);
      else if (y < tileEnd) colour = col == 0 || col == kBorder - 1 ? kInk : col == 1 ? kGoldDeep : kFrameBody;
      else colour = col == 0 ? kInk : col == 1 && y < height - 1 ? kGoldDeep : BottomRow(y - tileEnd);
      c.Set(right ? kBorder - 1 - col : col, y, colour);
    }
  }
  return c;
}

enum class Frame { Plain, Lighter, Darker };
using Glyph = std::function<void(Canvas&, float width, const Colour&)>;

Canvas ButtonFrame(int width, Frame frame, bool danger, const Glyph& glyph) {
  Canvas c(width, kButtonHeight);
  for (int y = 0; y < kButtonHeight; ++y)
    for (int x = 0; x < width; ++x) c.Set(x, y, CaptionRow(kButtonTop + y));
  const float w = static_cast<float>(width);
  const Shape plate = RoundRect(1.5f, 1.5f, w - 1.5f, 21.5f, 4);
  if (danger) {
    const Colour red = frame == Frame::Lighter ? Hex(0xE0555A) : frame == Frame::Darker ? Hex(0x7A1A20) : Hex(0xB8343A);
    c.Fill(plate, [&](float, float y) { return Mix(Scale(red, 1.15f), Scale(red, 0.8f), y / 23); });
  } else if (frame == Frame::Lighter) {
    c.Fill(plate, Hex(0xFFFFFF, 0.2f));
  } else if (frame == Frame::Darker) {
    c.Fill(plate, Hex(0x000000, 0.4f));
  }
  c.Fill(Outline(plate, 1), Hex(0xD9B46A, frame == Frame::Plain ? 0.35f : 0.85f));
  const Colour ink = frame == Frame::Darker ? Hex(0xD8DDEE) : Hex(0xFFFFFF);
  glyph(c, w, ink);
  return c;
}

Canvas Strip(int frameWidth, bool danger, const Glyph& glyph) {
  Canvas strip(frameWidth * 3, kButtonHeight);
  const Frame frames[] = {Frame::Plain, Frame::Lighter, Frame::Darker};
  for (int i = 0; i < 3; ++i) strip.Draw(ButtonFrame(frameWidth, frames[i], danger, glyph), i * frameWidth, 0);
  strip.Flatten(kInk);
  return strip;
}

void Cross(Canvas& c, float w, const Colour& ink) {
  const float cx = w / 2, cy = 11.5f;
  c.Fill(Union(Segment(cx - 5, cy - 5, cx + 5, cy + 5, 2.2f), Segment(cx + 5, cy - 5, cx - 5, cy + 5, 2.2f)), ink);
}

void WindowBox(Canvas& c, float left, float top, float size, const Colour& ink) {
  c.Fill(Outline(RoundRect(left, top, left + size, top + size, 0.5f), 1.2f), ink);
  c.Fill(RoundRect(left, top, left + size, top + 2.2f, 0.5f), ink);
}

void Maximise(Canvas& c, float w, const Colour& ink) { WindowBox(c, w / 2 - 5.5f, 6, 11, ink); }

void Restore(Canvas& c, float w, const Colour& ink) {
  WindowBox(c, w / 2 - 3, 5, 8.5f, ink);
  c.Fill(RoundRect(w / 2 - 6.5f, 8, w / 2 + 2.5f, 17, 0.5f), CaptionRow(kButtonTop + 12));
  WindowBox(c, w / 2 - 6.5f, 8.5f, 8.5f, ink);
}

void Minimise(Canvas& c, float w, const Colour& ink) { c.Fill(RoundRect(w / 2 - 5.5f, 14.5f, w / 2 + 5.5f, 16.8f, 1), ink); }

void Hide(Canvas& c, float w, const Colour& ink) {
  const float cx = w / 2;
  c.Fill(Segment(cx, 4.5f, cx, 12, 2), ink);
  c.Fill(Triangle(cx - 4.5f, 10.5f, cx + 4.5f, 10.5f, cx, 15.5f), ink);
  c.Fill(RoundRect(cx - 6.5f, 17, cx + 6.5f, 19.2f, 1), ink);
}

Glyph Label(TextPainter& text, const std::string& label) {
  return [&text, label](Canvas& c, float w, const Colour&) {
    TextStyle style{Typeface::Chinese, 12, kParchment, Hex(0x000000, 0.6f), nullptr};
    text.DrawCentred(c, label, 0, 0, w, 23, style);
  };
}

}  // namespace

std::map<int, Canvas> PaintSkin(TextPainter& text) {
  std::map<int, Canvas> images;
  images.emplace(155, Bottom());
  images.emplace(156, SideBorder(false));
  images.emplace(157, SideBorder(true));
  images.emplace(158, Caption());
  images.emplace(159, Strip(42, true, Cross));
  images.emplace(160, Strip(32, false, Restore));
  images.emplace(161, Strip(32, false, Maximise));
  images.emplace(162, Strip(32, false, Minimise));
  images.emplace(164, Strip(32, false, Hide));
  const char* labels[] = {"设置", "论坛", "充值", "官网"};
  for (int i = 0; i < 4; ++i) images.emplace(165 + i, Strip(43, false, Label(text, labels[i])));
  return images;
}

}  // namespace art
