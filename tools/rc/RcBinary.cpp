#include "RcBinary.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "win32/CodePage.h"

namespace rc {

namespace {

void Put16(std::vector<unsigned char>& out, uint16_t v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

void Put32(std::vector<unsigned char>& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

uint16_t Get16(const std::vector<unsigned char>& in, size_t at) {
  return static_cast<uint16_t>(in.at(at) | (in.at(at + 1) << 8));
}

uint32_t Get32(const std::vector<unsigned char>& in, size_t at) {
  return Get16(in, at) | (static_cast<uint32_t>(Get16(in, at + 2)) << 16);
}

void PutString(std::vector<unsigned char>& out, const std::u16string& s) {
  for (char16_t c : s) Put16(out, static_cast<uint16_t>(c));
  Put16(out, 0);
}

void Align32(std::vector<unsigned char>& out) {
  while (out.size() % 4) out.push_back(0);
}

// A version block node: length, value length, type, key, padding, value,
// padding, children; the length is patched in when the node is complete.
class Node {
 public:
  Node(std::vector<unsigned char>& out, const std::string& key, uint16_t valueLength, uint16_t type)
      : m_out(out), m_start(out.size()) {
    Put16(out, 0);
    Put16(out, valueLength);
    Put16(out, type);
    PutString(out, Utf8ToUtf16(key));
    Align32(out);
  }
  ~Node() {
    uint16_t length = static_cast<uint16_t>(m_out.size() - m_start);
    m_out[m_start] = static_cast<unsigned char>(length & 0xFF);
    m_out[m_start + 1] = static_cast<unsigned char>(length >> 8);
    Align32(m_out);
  }
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

 private:
  std::vector<unsigned char>& m_out;
  size_t m_start;
};

}  // namespace

std::vector<unsigned char> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Script texts are UTF-8; anything that does not come back unchanged from
// the conversion was not.
std::u16string Utf8ToUtf16(const std::string& text) {
  std::u16string wide = winsim::Utf8ToUtf16(text);
  if (winsim::Utf16ToUtf8(wide) != text) throw std::runtime_error("script text is not UTF-8");
  return wide;
}

std::vector<unsigned char> BitmapResource(const std::vector<unsigned char>& file, const std::string& path) {
  if (file.size() < 14 + 40 || file[0] != 'B' || file[1] != 'M') throw std::runtime_error(path + " is no bitmap file");
  return std::vector<unsigned char>(file.begin() + 14, file.end());
}

IconResources SplitIcon(const std::vector<unsigned char>& file, uint16_t firstId, const std::string& path) {
  if (file.size() < 6 || Get16(file, 0) != 0 || Get16(file, 2) != 1) throw std::runtime_error(path + " is no icon file");
  uint16_t count = Get16(file, 4);
  IconResources out;
  Put16(out.group, 0);
  Put16(out.group, 1);
  Put16(out.group, count);
  for (uint16_t i = 0; i < count; ++i) {
    size_t entry = 6 + static_cast<size_t>(i) * 16;
    uint32_t size = Get32(file, entry + 8);
    uint32_t offset = Get32(file, entry + 12);
    if (static_cast<size_t>(offset) + size > file.size()) throw std::runtime_error(path + ": icon image out of range");
    out.images.emplace_back(file.begin() + offset, file.begin() + offset + size);
    out.group.insert(out.group.end(), file.begin() + static_cast<long>(entry), file.begin() + static_cast<long>(entry) + 12);
    Put16(out.group, static_cast<uint16_t>(firstId + i));
  }
  return out;
}

std::vector<unsigned char> AcceleratorTable(const std::vector<Accelerator>& entries) {
  std::vector<unsigned char> out;
  for (size_t i = 0; i < entries.size(); ++i) {
    uint16_t flags = entries[i].flags;
    if (i + 1 == entries.size()) flags |= 0x80;  // marks the last entry
    Put16(out, flags);
    Put16(out, entries[i].key);
    Put16(out, entries[i].command);
    Put16(out, 0);
  }
  return out;
}

std::vector<unsigned char> DialogInitData(const std::vector<DialogInitEntry>& entries) {
  std::vector<unsigned char> out;
  for (const DialogInitEntry& e : entries) {
    Put16(out, e.control);
    Put16(out, e.message);
    Put32(out, static_cast<uint32_t>((e.text.size() + 1) * sizeof(char16_t)));
    PutString(out, e.text);
  }
  Put16(out, 0);
  return out;
}

std::vector<unsigned char> VersionBlock(const VersionInfo& v) {
  std::vector<unsigned char> out;
  {
    Node root(out, "VS_VERSION_INFO", 52, 0);
    Put32(out, 0xFEEF04BD);
    Put32(out, 0x00010000);
    Put32(out, (static_cast<uint32_t>(v.fileVersion[0]) << 16) | v.fileVersion[1]);
    Put32(out, (static_cast<uint32_t>(v.fileVersion[2]) << 16) | v.fileVersion[3]);
    Put32(out, (static_cast<uint32_t>(v.productVersion[0]) << 16) | v.productVersion[1]);
    Put32(out, (static_cast<uint32_t>(v.productVersion[2]) << 16) | v.productVersion[3]);
    Put32(out, v.fileFlagsMask);
    Put32(out, v.fileFlags);
    Put32(out, v.fileOS);
    Put32(out, v.fileType);
    Put32(out, v.fileSubtype);
    Put32(out, 0);
    Put32(out, 0);
    Align32(out);
    {
      Node stringInfo(out, "StringFileInfo", 0, 1);
      Node table(out, v.language, 0, 1);
      for (const auto& [key, value] : v.strings) {
        std::u16string wide = Utf8ToUtf16(value);
        Node string(out, key, static_cast<uint16_t>(wide.size() + 1), 1);
        PutString(out, wide);
      }
    }
    {
      Node varInfo(out, "VarFileInfo", 0, 1);
      Node var(out, "Translation", static_cast<uint16_t>(v.translation.size() * 2), 0);
      for (uint16_t t : v.translation) Put16(out, t);
    }
  }
  return out;
}

}  // namespace rc
