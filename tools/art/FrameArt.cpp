#include "FrameArt.h"

#include <cmath>

#include "Palette.h"
#include "Shapes.h"

namespace art {

namespace {

// Where the panel puts its browser and buttons over the frame.
constexpr float kBrowserLeft = 575, kBrowserTop = 385, kBrowserRight = 1175, kBrowserBottom = 717;
constexpr float kMedallionX = 290, kMedallionY = 310, kMedallionRadius = 250;

const Shape kBody = RoundRect(500, 272, 1210, 752, 26);
const Shape kMedallion = Circle(kMedallionX, kMedallionY, kMedallionRadius);
const Shape kBanner = RoundRect(36, 548, 548, 696, 16);

void PaintBody(Canvas& c) {
  c.Fill(kBody, [](float x, float y) {
    const Colour base = Mix(kBodyTop, kBodyBottom, (y - 272) / 480);
    return Scale(base, 0.92f + 0.16f * Noise(x, y, 3) * Noise(x + 91, y, 23));
  });
  c.Fill(Outline(kBody, 2.5f), kGoldDeep);
  c.Fill(Outline(RoundRect(507, 279, 1203, 745, 20), 1.5f), Scale(kGold, 0.85f));
}

void PaintPlate(Canvas& c, TextPainter& text) {
  c.Fill(RoundRect(548, 284, 1196, 376, 8), kPlate);
  c.Fill(RoundRect(556, 329, 1188, 330, 0.5f), Hex(0x8C6428, 0.8f));
  c.Fill(Outline(RoundRect(548, 284, 1196, 376, 8), 1), Hex(0x3B4570));

  TextStyle title{Typeface::TitleSerif, 20, kGold, Hex(0x000000, 0.8f), nullptr};
  text.Draw(c, "Duskmere", 568, 314, title);
  TextStyle subtitle{Typeface::Chinese, 14, Hex(0xB9C0DA), Hex(0x000000, 0.8f), nullptr};
  text.Draw(c, "暮湖传说 · 微端登陆器", static_cast<float>(568 + text.Measure("Duskmere", title) + 12), 313, subtitle);

  // Between the two pairs of link buttons.
  TextStyle news{Typeface::Chinese, 15, Hex(0xF0C46A), Hex(0x000000, 0.8f), nullptr};
  text.DrawCentred(c, "新服火爆开启", 790, 335, 948, 372, news);
  for (float x : {797.0f, 941.0f}) {
    const Shape diamond = [x](float px, float py) { return (std::abs(px - x) + std::abs(py - 353.5f)) / 1.41f - 3.5f; };
    c.Fill(diamond, kGold);
  }
}

void PaintBrowserWell(Canvas& c, TextPainter& text) {
  const Shape well = RoundRect(kBrowserLeft - 8, kBrowserTop - 8, kBrowserRight + 8, kBrowserBottom + 8, 8);
  c.Halo(well, Hex(0x000000), 6, 0.5f);
  c.Fill(well, kInk);
  c.Fill(Outline(well, 1.5f), kGoldDeep);
  c.Fill(RoundRect(kBrowserLeft, kBrowserTop, kBrowserRight, kBrowserBottom, 2), Hex(0x05070C));
  TextStyle loading{Typeface::Chinese, 16, Hex(0x59617F), {0, 0, 0, 0}, nullptr};
  text.DrawCentred(c, "正在载入服务器列表……", kBrowserLeft, kBrowserTop, kBrowserRight, kBrowserBottom, loading);
  TextStyle advice{Typeface::Chinese, 11, Hex(0x7C84A2), {0, 0, 0, 0}, nullptr};
  text.DrawCentred(c, "抵制不良游戏 拒绝盗版游戏 注意自我保护 谨防受骗上当 适度游戏益脑 沉迷游戏伤身", 540,
                   kBrowserBottom + 9, 1210, 744, advice);
}

float FarRidge(float x) { return 338 + 18 * std::sin(x / 37) + 11 * std::sin(x / 13 + 1.3f) + 22 * std::sin(x / 90 + 0.4f); }
float NearRidge(float x) { return 372 - 60 * std::exp(-std::pow((x - 175) / 70, 2)) + 6 * std::sin(x / 11); }
constexpr float kHorizon = 384;

void PaintSky(Canvas& c, const Shape& disc) {
  c.Fill(disc, [](float x, float y) {
    const Colour top = Hex(0x150F34), middle = Hex(0x6E3468), horizon = Hex(0xF2955A);
    const Colour sky = y < 250 ? Mix(top, middle, (y - 60) / 190) : Mix(middle, horizon, (y - 250) / (kHorizon - 250));
    const bool star = Noise(x * 7.3f, y * 7.3f, 1) > 0.985f && y < 220;
    return star ? Mix(sky, Hex(0xFFF4D8), 0.8f) : sky;
  });
  const Shape sun = Circle(338, 352, 46);
  c.Halo(Intersect(sun, disc), Hex(0xFFD79A), 70, 0.45f);
  c.Fill(Intersect(sun, disc), [](float, float y) { return Mix(Hex(0xFFF1C4), Hex(0xFFB36A), (y - 306) / 92); });
}

void PaintLand(Canvas& c, const Shape& disc) {
  c.Fill(Intersect(Below(FarRidge), disc), [](float, float y) { return Mix(Hex(0x6A3A6E), Hex(0x3E2450), (y - 310) / 80); });
  c.Fill(Intersect(Below(NearRidge), disc), Hex(0x24152F));
  // A keep on the near hill, its windows lit.
  const Shape keep = Union(Union(RoundRect(150, 262, 176, 330, 1), RoundRect(186, 284, 206, 330, 1)),
                           Union(Triangle(146, 264, 163, 228, 180, 264), Triangle(183, 286, 196, 262, 209, 286)));
  c.Fill(Intersect(keep, disc), Hex(0x1A0F24));
  for (float wy : {278.0f, 296.0f}) c.Fill(RoundRect(160, wy, 166, wy + 8, 1), Hex(0xFFC46A));
  c.Fill(RoundRect(193, 298, 199, 306, 1), Hex(0xFFC46A));
}

void PaintLake(Canvas& c, const Shape& disc) {
  c.Fill(Intersect([](float, float y) { return kHorizon - y; }, disc), [](float x, float y) {
    const Colour water = Mix(Hex(0xB0606A), Hex(0x14163A), (y - kHorizon) / 170);
    const float ripple = 0.5f + 0.5f * std::sin(y * 1.9f + 3 * Noise(x, y, 17));
    return Scale(water, 0.9f + 0.15f * ripple);
  });
  // The sun's path on the water.
  for (int i = 0; i < 9; ++i) {
    const float y = kHorizon + 8 + static_cast<float>(i) * 15;
    const float half = 40 - static_cast<float>(i) * 3.5f + 6 * std::sin(static_cast<float>(i) * 2.1f);
    c.Fill(Intersect(RoundRect(338 - half, y, 338 + half, y + 3, 1.5f), disc), Hex(0xFFD9A0, 0.75f - 0.07f * static_cast<float>(i)));
  }
}

void PaintMedallion(Canvas& c) {
  const Shape disc = Circle(kMedallionX, kMedallionY, kMedallionRadius - 10);
  PaintSky(c, disc);
  PaintLand(c, disc);
  PaintLake(c, disc);
  c.Fill(Outline(Circle(kMedallionX, kMedallionY, kMedallionRadius - 5), 10), [](float x, float y) {
    const float light = 0.5f + 0.5f * ((x - kMedallionX) * -0.6f + (y - kMedallionY) * -0.8f) / kMedallionRadius;
    return Mix(kGoldDeep, Hex(0xF5D58E), light);
  });
  c.Fill(Outline(kMedallion, 1.5f), Hex(0x4A3210));
  c.Fill(Outline(Circle(kMedallionX, kMedallionY, kMedallionRadius - 10), 1.5f), Hex(0x3A260C));
}

void PaintBanner(Canvas& c, TextPainter& text) {
  c.Halo(kBanner, Hex(0x000000), 10, 0.45f);
  c.Fill(kBanner, [](float x, float y) {
    return Scale(Mix(Hex(0x8E2632), Hex(0x46101A), (y - 548) / 148), 0.94f + 0.1f * Noise(x, y, 9));
  });
  c.Fill(Outline(kBanner, 2.5f), Hex(0x4A3210));
  c.Fill(Outline(RoundRect(44, 556, 540, 688, 10), 1.5f), kGold);
  TextStyle name{Typeface::TitleSerif, 58, kGold, Hex(0x1A0508, 0.9f),
                 [](float, float y) { return Mix(Hex(0xFFEDB0), Hex(0xC08A30), (y - 572) / 46); }};
  text.DrawCentred(c, "DUSKMERE", 36, 558, 548, 634, name);
  TextStyle motto{Typeface::Chinese, 28, kParchment, Hex(0x1A0508, 0.9f), nullptr};
  text.DrawCentred(c, "暮 湖 传 说", 36, 630, 548, 684, motto);
}

}  // namespace

Canvas PaintFrame(TextPainter& text) {
  Canvas c(kFrameWidth, kFrameHeight);
  c.Halo(Union(Union(kBody, kMedallion), kBanner), Hex(0x000008), 16, 0.6f);
  PaintBody(c);
  PaintPlate(c, text);
  PaintBrowserWell(c, text);
  c.Halo(kMedallion, Hex(0x000000), 10, 0.5f);
  PaintMedallion(c);
  PaintBanner(c, text);
  return c;
}

}  // namespace art
