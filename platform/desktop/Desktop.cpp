#include "Desktop.h"
#include "Taskbar.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace winsim {

namespace {

DesktopState* g_desktop = nullptr;

bool ParseSize(const char* text, int& w, int& h) {
  return text && std::sscanf(text, "%dx%d", &w, &h) == 2 && w > 0 && h > 0;
}

bool ParseRect(const char* text, RECT& r) {
  int l, t, rr, b;
  if (!text || std::sscanf(text, "%d,%d,%d,%d", &l, &t, &rr, &b) != 4 || rr <= l || b <= t) return false;
  r = {l, t, rr, b};
  return true;
}

// A bad value in a WINSIM_* variable is a mistake of whoever set it up:
// say so and keep the default.
void Warn(const char* name, const char* value) {
  std::fprintf(stderr, "winsim: ignoring %s=%s\n", name, value);
}

void Configure(DesktopState& d) {
  const char* screen = std::getenv("WINSIM_SCREEN");
  if (screen && !ParseSize(screen, d.screenWidth, d.screenHeight)) Warn("WINSIM_SCREEN", screen);
  d.workArea = {0, 0, d.screenWidth, d.screenHeight - 40};
  const char* work = std::getenv("WINSIM_WORKAREA");
  if (work && !ParseRect(work, d.workArea)) Warn("WINSIM_WORKAREA", work);
  d.cursor = {d.screenWidth / 2, d.screenHeight / 2};
  if (const char* out = std::getenv("WINSIM_OUT")) {
    d.outDir = out;
    std::error_code ec;
    std::filesystem::create_directories(d.outDir, ec);
  }
}

}  // namespace

DesktopState& Desktop() {
  if (!g_desktop) {
    // Never freed: final.json is written at exit, after static destructors.
    g_desktop = new DesktopState();
    Configure(*g_desktop);
  }
  return *g_desktop;
}

void ResetDesktop() {
  TrayIcons().clear();
  ResetInput();
  if (!g_desktop) g_desktop = new DesktopState();
  *g_desktop = DesktopState();
  Configure(*g_desktop);
}

}  // namespace winsim
