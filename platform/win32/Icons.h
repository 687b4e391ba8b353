// Icons loaded from a module's RT_GROUP_ICON / RT_ICON resources.
#pragma once

#include <vector>

#include "WinDef.h"

namespace winsim {

struct IconImage {
  int width = 0;
  int height = 0;
  int bitCount = 0;
  const unsigned char* data = nullptr;  // the RT_ICON bytes: a DIB (header, colours, mask) or a PNG
  size_t size = 0;
};

struct IconObject {
  std::vector<IconImage> images;
  bool shared = true;  // loaded through LoadIcon: DestroyIcon leaves it alone
};

IconObject* FindIcon(HICON icon);

}  // namespace winsim
