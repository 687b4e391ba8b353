#include "Fixtures.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "gdi/GdiObjects.h"
#include "win32/ResourceTable.h"

namespace fixtures {

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// The information header and pixels, bottom row first, as a resource holds them.
std::vector<uint8_t> PackedDib(const Image& image, int bits, const std::vector<uint32_t>& table, uint32_t coloursUsed) {
  std::vector<uint8_t> out;
  const int stride = ((image.width * bits + 31) / 32) * 4;
  for (uint32_t v : {40u, static_cast<uint32_t>(image.width), static_cast<uint32_t>(image.height)}) Put(out, v, 4);
  Put(out, 1, 2), Put(out, static_cast<uint32_t>(bits), 2);
  Put(out, 0, 4), Put(out, static_cast<uint32_t>(stride * image.height), 4);
  for (int i = 0; i < 4; ++i) Put(out, i == 2 ? coloursUsed : 0, 4);
  for (uint32_t c : table) Put(out, c, 4);
  for (int y = image.height - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < image.width; ++x) Put(out, image.pixels[static_cast<size_t>(y * image.width + x)], bits / 8);
    out.resize(start + static_cast<size_t>(stride), 0);
  }
  return out;
}

std::vector<uint8_t> PackedDib(const Image& image, int bits, const std::vector<uint32_t>& table) {
  return PackedDib(image, bits, table, static_cast<uint32_t>(table.size()));
}

// Entry i is RGB(i, 255 - i, 64), as a colour table holds it (0x00RRGGBB).
std::vector<uint32_t> AllColours() {
  std::vector<uint32_t> table;
  for (uint32_t i = 0; i < 256; ++i) table.push_back((i << 16) | ((255 - i) << 8) | 64);
  return table;
}

uint32_t Read(const std::vector<uint8_t>& bytes, size_t at, int size) {
  uint32_t v = 0;
  for (int i = 0; i < size; ++i) v |= static_cast<uint32_t>(bytes[at + static_cast<size_t>(i)]) << (8 * i);
  return v;
}

struct Table {
  std::vector<std::vector<uint8_t>> data;
  std::vector<WinsimResourceEntry> entries;
  void Add(const char* typeName, uint16_t typeId, uint16_t id, std::vector<uint8_t> bytes) {
    data.push_back(std::move(bytes));
    entries.push_back({typeName, typeId, nullptr, id, data.back().data(), static_cast<uint32_t>(data.back().size())});
  }
  // An icon file as resources hold it: each image an RT_ICON, and a group
  // whose entries name them by id.
  void AddIcon(uint16_t id, const std::vector<uint8_t>& file) {
    const uint32_t count = Read(file, 4, 2);
    std::vector<uint8_t> group(file.begin(), file.begin() + 6);
    for (uint32_t i = 0; i < count; ++i) {
      const size_t entry = 6 + 16 * i;
      const uint32_t size = Read(file, entry + 8, 4), offset = Read(file, entry + 12, 4);
      group.insert(group.end(), file.begin() + static_cast<long>(entry), file.begin() + static_cast<long>(entry + 12));
      Put(group, i + 1, 2);
      Add(nullptr, 3, static_cast<uint16_t>(i + 1), std::vector<uint8_t>(file.begin() + offset, file.begin() + offset + size));
    }
    Add(nullptr, 14, id, group);
  }
};

Table& Resources() {
  static Table* table = [] {
    auto* t = new Table;
    t->data.reserve(16);
    t->Add(nullptr, 2, kBitmap24,
           PackedDib({3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFF00FF}}, 24, {}));
    t->Add(nullptr, 2, kBitmap8, PackedDib({2, 1, {1, 0}}, 8, {0x00FFFF, 0xFFFF00}));
    t->Add(nullptr, 2, kBitmap8AllColours, PackedDib({3, 1, {200, 7, 255}}, 8, AllColours(), 0));
    t->Add("PNG", 0, kAlphaPng, Png({2, 1, {0xFFFF0000u, 0x80FFFFFFu}}));
    const char* text = "plain text, no image";
    t->Add("PNG", 0, kNotAnImage, std::vector<uint8_t>(text, text + std::strlen(text)));
    t->Add("PNG", 0, kFramePng, ReadFile(LORVANE_RESOURCES "/130.png"));
    t->AddIcon(kIcon, ReadFile(LORVANE_RESOURCES "/128.ico"));
    return t;
  }();
  return *table;
}

}  // namespace

std::vector<uint8_t> BitmapFile(const Image& image, int bits) {
  const std::vector<uint8_t> dib = PackedDib(image, bits, {});
  std::vector<uint8_t> out;
  out.push_back('B'), out.push_back('M');
  Put(out, static_cast<uint32_t>(14 + dib.size()), 4);
  Put(out, 0, 4), Put(out, 54, 4);
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

std::vector<uint8_t> Png(const Image& image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, nullptr);
  std::vector<uint8_t> out(size);
  png_image_write_to_memory(&png, out.data(), &size, 0, image.pixels.data(), 0, nullptr);
  out.resize(size);
  return out;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Canvas::Canvas(int width, int height, COLORREF fill) {
  HDC screen = ::GetDC(nullptr);
  m_dc.Attach(::CreateCompatibleDC(screen));
  m_bitmap.Attach(::CreateCompatibleBitmap(screen, width, height));
  ::ReleaseDC(nullptr, screen);
  m_previous = m_dc.SelectObject(&m_bitmap);
  CBrush brush(fill);
  RECT all{0, 0, width, height};
  m_dc.FillRect(&all, &brush);
}

Canvas::~Canvas() { m_dc.SelectObject(m_previous); }

Live Live::Now() {
  return {winsim::gdi::LiveObjectCount(), winsim::gdi::LiveDCCount(), winsim::LiveGlobalBlockCount(),
          winsim::LiveComObjectCount()};
}

}  // namespace fixtures

extern "C" {
// The test program's resources, found by name as the program's are.
__attribute__((visibility("default"))) WinsimResourceTable winsim_resources = {
    static_cast<uint32_t>(fixtures::Resources().entries.size()), fixtures::Resources().entries.data()};
}
