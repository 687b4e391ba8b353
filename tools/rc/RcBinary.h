// The platform's binary layouts of the resources a script compiles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RcResource.h"

namespace rc {

std::vector<unsigned char> ReadFile(const std::string& path);
std::u16string Utf8ToUtf16(const std::string& text);

// A bitmap resource is the bitmap file without its 14-byte file header.
std::vector<unsigned char> BitmapResource(const std::vector<unsigned char>& file, const std::string& path);

struct IconResources {
  std::vector<std::vector<unsigned char>> images;  // RT_ICON, one per image
  std::vector<unsigned char> group;               // RT_GROUP_ICON (image ids filled from firstId)
};
IconResources SplitIcon(const std::vector<unsigned char>& file, uint16_t firstId, const std::string& path);

struct Accelerator {
  uint16_t flags = 0;
  uint16_t key = 0;
  uint16_t command = 0;
};
std::vector<unsigned char> AcceleratorTable(const std::vector<Accelerator>& entries);

struct DialogInitEntry {
  uint16_t control = 0;
  uint16_t message = 0;
  std::u16string text;
};
std::vector<unsigned char> DialogInitData(const std::vector<DialogInitEntry>& entries);

struct VersionInfo {
  uint16_t fileVersion[4] = {0, 0, 0, 0};
  uint16_t productVersion[4] = {0, 0, 0, 0};
  uint32_t fileFlagsMask = 0, fileFlags = 0, fileOS = 0, fileType = 0, fileSubtype = 0;
  std::string language;  // the string table's key, e.g. "080404b0"
  std::vector<std::pair<std::string, std::string>> strings;
  std::vector<uint16_t> translation;
};
std::vector<unsigned char> VersionBlock(const VersionInfo& info);

}  // namespace rc
