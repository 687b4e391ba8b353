// Placeholders until the compositor draws: the screen is the background
// colour, every layered pixel counts as shown.
#include "Desktop.h"

namespace winsim {

std::vector<uint32_t> ComposeScreen() {
  const DesktopState& d = Desktop();
  return std::vector<uint32_t>(static_cast<size_t>(d.screenWidth) * static_cast<size_t>(d.screenHeight),
                               0xFF008080u);
}

bool WriteScreenshot(const std::string&) { return false; }

bool LayeredWindowHitsPoint(HWND, POINT) { return true; }

}  // namespace winsim
