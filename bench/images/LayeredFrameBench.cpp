// Speed of painting the frame as a layered window.
#include "FrameBench.h"
#include "launcher/LorvaneApp.h"

namespace {

void PaintLayeredFrame(benchmark::State& state) {
  Gdiplus::Image* frame = bench::FrameImage();
  theApp.m_blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  theApp.m_nFrameWidth = static_cast<int>(frame->GetWidth());
  theApp.m_nFrameHeight = static_cast<int>(frame->GetHeight());
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "LayeredFrameBench";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, "LayeredFrameBench", "", WS_POPUP | WS_VISIBLE, 100, 100, bench::kFrameWidth,
                              bench::kFrameHeight, nullptr, nullptr, nullptr, nullptr);
  bench::RunAgainstMemcpy(state, [&] {
    theApp.PaintLayeredFrame(frame, bench::kFrameWidth, bench::kFrameHeight, hwnd);
  });
  DestroyWindow(hwnd);
}
BENCHMARK(PaintLayeredFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
