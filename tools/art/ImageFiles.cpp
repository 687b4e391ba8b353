#include "ImageFiles.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace art {

namespace {

uint8_t Byte(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

class ByteWriter {
 public:
  void U8(uint8_t v) { m_bytes.push_back(v); }
  void U16(uint32_t v) { U8(v & 0xFF), U8((v >> 8) & 0xFF); }
  void U32(uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
  size_t Size() const { return m_bytes.size(); }
  void Save(const std::string& path) const {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(m_bytes.data(), 1, m_bytes.size(), f) != m_bytes.size()) Fail(path);
    std::fclose(f);
  }
  const std::vector<uint8_t>& Bytes() const { return m_bytes; }
  static void Fail(const std::string& path) {
    std::fprintf(stderr, "art: cannot write %s\n", path.c_str());
    std::exit(1);
  }

 private:
  std::vector<uint8_t> m_bytes;
};

void InfoHeader(ByteWriter& out, int width, int height, int bitCount, uint32_t imageSize) {
  out.U32(40);
  out.U32(static_cast<uint32_t>(width));
  out.U32(static_cast<uint32_t>(height));
  out.U16(1);
  out.U16(static_cast<uint32_t>(bitCount));
  out.U32(0);  // no compression
  out.U32(imageSize);
  out.U32(0), out.U32(0), out.U32(0), out.U32(0);
}

// The 32-bit colour rows then the 1-bit mask rows of one icon image.
std::vector<uint8_t> IconImage(const Canvas& image) {
  const int w = image.Width(), h = image.Height();
  const int maskStride = ((w + 31) / 32) * 4;
  ByteWriter out;
  InfoHeader(out, w, h * 2, 32, static_cast<uint32_t>(w * h * 4 + maskStride * h));
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      const Colour& c = image.At(x, y);
      out.U8(Byte(c.b)), out.U8(Byte(c.g)), out.U8(Byte(c.r)), out.U8(Byte(c.a));
    }
  for (int y = h - 1; y >= 0; --y)
    for (int byte = 0; byte < maskStride; ++byte) {
      uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        const int x = byte * 8 + bit;
        if (x < w && Byte(image.At(x, y).a) == 0) bits |= static_cast<uint8_t>(0x80 >> bit);
      }
      out.U8(bits);
    }
  return out.Bytes();
}

}  // namespace

void WritePng(const Canvas& canvas, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) ByteWriter::Fail(path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) ByteWriter::Fail(path);
  png_init_io(png, f);
  png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.Width()), static_cast<png_uint_32>(canvas.Height()), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  std::vector<uint8_t> row(static_cast<size_t>(canvas.Width()) * 4);
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const Colour& c = canvas.At(x, y);
      uint8_t* p = &row[static_cast<size_t>(x) * 4];
      p[3] = Byte(c.a);
      // A fully transparent pixel carries no colour.
      p[0] = p[3] ? Byte(c.r) : 0, p[1] = p[3] ? Byte(c.g) : 0, p[2] = p[3] ? Byte(c.b) : 0;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
}

void WriteBmp(const Canvas& canvas, const std::string& path) {
  const int w = canvas.Width(), h = canvas.Height();
  const int stride = ((w * 24 + 31) / 32) * 4;
  const uint32_t imageSize = static_cast<uint32_t>(stride * h);
  ByteWriter out;
  out.U8('B'), out.U8('M');
  out.U32(14 + 40 + imageSize);
  out.U32(0);
  out.U32(14 + 40);
  InfoHeader(out, w, h, 24, imageSize);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const Colour& c = canvas.At(x, y);
      out.U8(Byte(c.b)), out.U8(Byte(c.g)), out.U8(Byte(c.r));
    }
    for (int pad = w * 3; pad < stride; ++pad) out.U8(0);
  }
  out.Save(path);
}

void WriteIco(const std::vector<Canvas>& images, const std::string& path) {
  ByteWriter out;
  out.U16(0), out.U16(1), out.U16(static_cast<uint32_t>(images.size()));
  std::vector<std::vector<uint8_t>> bodies;
  for (const Canvas& image : images) bodies.push_back(IconImage(image));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.U8(static_cast<uint8_t>(images[i].Width())), out.U8(static_cast<uint8_t>(images[i].Height()));
    out.U8(0), out.U8(0);
    out.U16(1), out.U16(32);
    out.U32(static_cast<uint32_t>(bodies[i].size()));
    out.U32(offset);
    offset += static_cast<uint32_t>(bodies[i].size());
  }
  for (const auto& body : bodies)
    for (uint8_t b : body) out.U8(b);
  out.Save(path);
}

}  // namespace art
