#include "Surface.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace winsim {

namespace {

uint32_t Expand(uint32_t value, int bits) { return bits == 5 ? (value << 3) | (value >> 2) : (value << 2) | (value >> 4); }

Argb From16(uint32_t v, bool rgb565) {
  const uint32_t r = rgb565 ? (v >> 11) & 0x1F : (v >> 10) & 0x1F;
  const uint32_t g = rgb565 ? Expand((v >> 5) & 0x3F, 6) : Expand((v >> 5) & 0x1F, 5);
  const uint32_t b = v & 0x1F;
  return (Expand(r, 5) << 16) | (g << 8) | Expand(b, 5);
}

int Distance(Argb a, Argb b) {
  const int dr = static_cast<int>((a >> 16) & 0xFF) - static_cast<int>((b >> 16) & 0xFF);
  const int dg = static_cast<int>((a >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF);
  const int db = static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF);
  return dr * dr + dg * dg + db * db;
}

}  // namespace

void Surface::Free::operator()(uint32_t* p) const { std::free(p); }

std::shared_ptr<Surface> Surface::Create(int width, int height, int bitsPerPixel, bool bottomUp) {
  auto s = std::make_shared<Surface>();
  s->width = width;
  s->height = height;
  s->bitsPerPixel = bitsPerPixel;
  s->stride = StrideFor(width, bitsPerPixel);
  s->bottomUp = bottomUp;
  const size_t words = static_cast<size_t>(s->stride / 4) * static_cast<size_t>(height);
  s->storage.reset(static_cast<uint32_t*>(std::calloc(words ? words : 1, sizeof(uint32_t))));
  if (!s->storage) throw std::bad_alloc();
  if (bitsPerPixel == 1) s->colours = {0x000000, 0xFFFFFF};
  return s;
}

uint32_t Surface::Pack16(Argb c, bool rgb565) {
  const uint32_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  return rgb565 ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3) : ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
}

std::shared_ptr<Surface> Surface::ScreenCopy(const Surface& from) {
  auto copy = Create(from.width, from.height, 32);
  for (int y = 0; y < from.height; ++y)
    for (int x = 0; x < from.width; ++x) copy->SetRaw(x, y, RgbOf(from.Colour(x, y)));
  return copy;
}

uint32_t Surface::RawPacked(int x, int y) const {
  const uint8_t* row = Row(y);
  switch (bitsPerPixel) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 8: return row[x];
    case 16: return static_cast<uint32_t>(row[x * 2] | (row[x * 2 + 1] << 8));
    case 24: return static_cast<uint32_t>(row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16));
    default: return Row32(y)[x];
  }
}

void Surface::SetRawPacked(int x, int y, uint32_t value) {
  uint8_t* row = Row(y);
  switch (bitsPerPixel) {
    case 1: {
      const uint8_t bit = static_cast<uint8_t>(0x80u >> (x & 7));
      row[x >> 3] = value ? (row[x >> 3] | bit) : (row[x >> 3] & static_cast<uint8_t>(~bit));
      break;
    }
    case 8: row[x] = static_cast<uint8_t>(value); break;
    case 16:
      row[x * 2] = static_cast<uint8_t>(value);
      row[x * 2 + 1] = static_cast<uint8_t>(value >> 8);
      break;
    case 24:
      row[x * 3] = static_cast<uint8_t>(value);
      row[x * 3 + 1] = static_cast<uint8_t>(value >> 8);
      row[x * 3 + 2] = static_cast<uint8_t>(value >> 16);
      break;
    default: Row32(y)[x] = value; break;
  }
}

Argb Surface::Colour(int x, int y) const {
  const uint32_t raw = Raw(x, y);
  switch (bitsPerPixel) {
    case 1:
    case 8: return raw < colours.size() ? colours[raw] : 0;
    case 16: return From16(raw, rgb565);
    default: return raw;
  }
}

void Surface::SetColour(int x, int y, Argb colour) {
  switch (bitsPerPixel) {
    case 1:
    case 8: {
      uint32_t best = 0;
      for (uint32_t i = 1; i < colours.size(); ++i)
        if (Distance(colours[i], colour) < Distance(colours[best], colour)) best = i;
      SetRaw(x, y, best);
      break;
    }
    case 16: SetRaw(x, y, Pack16(colour, rgb565)); break;
    case 24: SetRaw(x, y, RgbOf(colour)); break;
    default: SetRaw(x, y, colour); break;
  }
}

}  // namespace winsim
