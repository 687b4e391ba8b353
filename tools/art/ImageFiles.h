// The file formats the launcher's resources are shipped in.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

namespace art {

// 8-bit RGBA PNG.
void WritePng(const Canvas& canvas, const std::string& path);
// 24-bit bottom-up bitmap file without a colour table; alpha is dropped.
void WriteBmp(const Canvas& canvas, const std::string& path);
// Icon file of 32-bit images (with their 1-bit masks), largest first.
void WriteIco(const std::vector<Canvas>& images, const std::string& path);

}  // namespace art
