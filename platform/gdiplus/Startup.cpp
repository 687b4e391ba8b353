// Start-up and shut-down of GDI+, and its heap.
#include <cstdlib>

#include "gdiplus/GpObjects.h"

namespace {
int g_starts = 0;
}

namespace winsim::gdiplus {
bool Started() { return g_starts > 0; }
}  // namespace winsim::gdiplus

extern "C" Gdiplus::Status WINAPI GdiplusStartup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
                                                 Gdiplus::GdiplusStartupOutput* output) {
  if (!token || !input) return Gdiplus::InvalidParameter;
  if (input->GdiplusVersion != 1) return Gdiplus::UnsupportedGdiplusVersion;
  // The hooks are only handed out when the caller runs the background work.
  if (input->SuppressBackgroundThread && !output) return Gdiplus::InvalidParameter;
  if (output) *output = Gdiplus::GdiplusStartupOutput{};
  *token = static_cast<ULONG_PTR>(++g_starts);
  return Gdiplus::Ok;
}

extern "C" void WINAPI GdiplusShutdown(ULONG_PTR token) {
  if (token != 0 && g_starts > 0) --g_starts;
}

extern "C" void* WINAPI GdipAlloc(size_t size) { return std::malloc(size); }
extern "C" void WINAPI GdipFree(void* ptr) { std::free(ptr); }
