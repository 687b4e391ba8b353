// Speed of the region builder and of colour-keyed drawing.
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "FrameBench.h"
#include "images/DrawColourKeyed.h"
#include "images/MyBitmap.h"

namespace bench {

double MemcpyNanos() {
  static const size_t bytes = static_cast<size_t>(kFrameWidth) * kFrameHeight * 4;
  static std::vector<char> from(bytes, 1), to(bytes, 0);
  const auto start = std::chrono::steady_clock::now();
  std::memcpy(to.data(), from.data(), bytes);
  benchmark::DoNotOptimize(to.data());
  benchmark::ClobberMemory();
  return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
}

Gdiplus::Image* FrameImage() {
  static Gdiplus::Image* image = [] {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    std::ifstream in(LORVANE_RESOURCES "/130.png", std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    IStream* stream = nullptr;
    ::CreateStreamOnHGlobal(block, TRUE, &stream);
    auto* decoded = new Gdiplus::Image(stream);
    stream->Release();
    return decoded;
  }();
  return image;
}

}  // namespace bench

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);

// The frame drawn over the key colour into a screen bitmap: the transparent
// outside (a little under half the pixels) keeps the key.
HBITMAP KeyedFrame() {
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, bench::kFrameWidth, bench::kFrameHeight);
  HDC dc = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  HBRUSH key = ::CreateSolidBrush(kKey);
  const RECT all{0, 0, bench::kFrameWidth, bench::kFrameHeight};
  ::FillRect(dc, &all, key);
  ::DeleteObject(key);
  {
    Gdiplus::Graphics graphics(dc);
    graphics.DrawImage(bench::FrameImage(), 0, 0, bench::kFrameWidth, bench::kFrameHeight);
  }
  // GDI+ leaves alpha in the pixels; a plain GDI copy drops it as drawing
  // through a screen DC does.
  HDC clean = ::CreateCompatibleDC(screen);
  HBITMAP opaque = ::CreateCompatibleBitmap(screen, bench::kFrameWidth, bench::kFrameHeight);
  HGDIOBJ oldClean = ::SelectObject(clean, opaque);
  HBRUSH black = ::CreateSolidBrush(RGB(0, 0, 0));
  ::FillRect(clean, &all, black);
  ::DeleteObject(black);
  ::SetBkColor(clean, RGB(0, 0, 0));
  ::BitBlt(clean, 0, 0, bench::kFrameWidth, bench::kFrameHeight, dc, 0, 0, SRCPAINT);
  ::SelectObject(clean, oldClean);
  ::SelectObject(dc, old);
  ::DeleteDC(clean);
  ::DeleteDC(dc);
  ::DeleteObject(bitmap);
  ::ReleaseDC(nullptr, screen);
  return opaque;
}

void RegionFromColourKey(benchmark::State& state) {
  CMyBitmap bitmap;
  bitmap.Attach(KeyedFrame());
  bench::RunAgainstMemcpy(state, [&] { ::DeleteObject(bitmap.RegionFromColourKey(kKey)); });
}
BENCHMARK(RegionFromColourKey)->UseManualTime()->Unit(benchmark::kMillisecond);

void DrawColourKeyedStrip(benchmark::State& state) {
  CMyBitmap strip;
  strip.Attach(KeyedFrame());
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP target = ::CreateCompatibleBitmap(screen, 129, 23);
  HGDIOBJ old = ::SelectObject(dc, target);
  for (auto _ : state)
    DrawColourKeyed(dc, 0, 0, 129, 23, static_cast<HBITMAP>(strip.GetSafeHandle()), 40, 540, kKey, nullptr);
  ::SelectObject(dc, old);
  ::DeleteObject(target);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
}
BENCHMARK(DrawColourKeyedStrip)->Unit(benchmark::kMicrosecond);

}  // namespace
