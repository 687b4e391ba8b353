// CMyBitmap::RegionFromColourKey: one pass over the bitmap's pixels as the
// display driver reads them out, one rectangle per run of non-key pixels.
#include <cstdlib>
#include <cstring>

#include "images/MyBitmap.h"

namespace {

constexpr DWORD kRectGrowth = 40;
constexpr size_t kInfoWithMasks = sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD);
constexpr size_t kInfoWithColours = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);

// The region data under construction: header, then the rectangles.
class RegionData {
 public:
  explicit RegionData(DWORD capacity) : m_capacity(capacity) {
    m_block = static_cast<BYTE*>(std::calloc(1, sizeof(RGNDATAHEADER) + capacity * sizeof(RECT)));
    RGNDATAHEADER* h = Header();
    h->dwSize = sizeof(RGNDATAHEADER);
    h->iType = RDH_RECTANGLES;
  }
  ~RegionData() { std::free(m_block); }
  RegionData(const RegionData&) = delete;
  RegionData& operator=(const RegionData&) = delete;

  void Add(LONG left, LONG top, LONG right, LONG bottom) {
    RGNDATAHEADER* h = Header();
    const RECT rc{left, top, right, bottom};
    std::memcpy(m_block + sizeof(RGNDATAHEADER) + h->nCount * sizeof(RECT), &rc, sizeof rc);
    if (++h->nCount == m_capacity) Grow();
  }

  HRGN Create() const {
    return ::ExtCreateRegion(nullptr, static_cast<DWORD>(sizeof(RGNDATAHEADER) + Header()->nCount * sizeof(RECT)),
                             reinterpret_cast<const RGNDATA*>(m_block));
  }

 private:
  RGNDATAHEADER* Header() const { return reinterpret_cast<RGNDATAHEADER*>(m_block); }
  void Grow() {
    m_capacity += kRectGrowth;
    BYTE* grown = static_cast<BYTE*>(std::malloc(sizeof(RGNDATAHEADER) + m_capacity * sizeof(RECT)));
    std::memcpy(grown, m_block, sizeof(RGNDATAHEADER) + Header()->nCount * sizeof(RECT));
    std::free(m_block);
    m_block = grown;
  }

  BYTE* m_block;
  DWORD m_capacity;
};

DWORD ReadWord(const BYTE* p) {
  DWORD v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Whether the pixel at `p` differs from the key, in the layout of `BITS`.
template <int BITS>
bool IsOpaque(const BYTE* p, const RGBQUAD* colours, DWORD key) {
  if constexpr (BITS == 8) return ReadWord(reinterpret_cast<const BYTE*>(&colours[*p])) != key;
  else if constexpr (BITS == 16) return static_cast<DWORD>(p[0] | (p[1] << 8)) != key;
  else if constexpr (BITS == 24) return (ReadWord(p) & 0x00FFFFFF) != key;
  else return ReadWord(p) != key;
}

// Adds one rectangle per run of non-key pixels of image row y: from the
// run's first pixel to the next key pixel or the right edge.
template <int BITS>
void AddRuns(RegionData& region, const BYTE* pRow, int y, int nWidth, const RGBQUAD* pColours, DWORD dwKey) {
  const auto opaque = [&](int x) { return IsOpaque<BITS>(pRow + x * (BITS / 8), pColours, dwKey); };
  int x = 0;
  while (x < nWidth) {
    while (x < nWidth && !opaque(x)) ++x;
    if (x == nWidth) break;
    const int nRunStart = x;
    while (x < nWidth && opaque(x)) ++x;
    region.Add(nRunStart, y, x, y + 1);
  }
}

void AddRowRuns(RegionData& region, int nBits, const BYTE* pRow, int y, int nWidth, const RGBQUAD* pColours, DWORD dwKey) {
  switch (nBits) {
    case 8: AddRuns<8>(region, pRow, y, nWidth, pColours, dwKey); break;
    case 16: AddRuns<16>(region, pRow, y, nWidth, pColours, dwKey); break;
    case 24: AddRuns<24>(region, pRow, y, nWidth, pColours, dwKey); break;
    default: AddRuns<32>(region, pRow, y, nWidth, pColours, dwKey); break;
  }
}

}  // namespace

HRGN CMyBitmap::RegionFromColourKey(COLORREF crKey) {
  BITMAP bm{};
  if (!m_hObject || !GetBitmap(&bm)) return ::CreateRectRgn(0, 0, 0, 0);

  BYTE* pInfo = static_cast<BYTE*>(std::calloc(1, kInfoWithMasks));
  auto* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(pInfo);
  pHeader->biSize = sizeof(BITMAPINFOHEADER);
  HDC hdcInfo = ::CreateIC("DISPLAY", nullptr, nullptr, nullptr);
  HBITMAP hBitmap = static_cast<HBITMAP>(m_hObject);
  ::GetDIBits(hdcInfo, hBitmap, 0, static_cast<UINT>(bm.bmHeight), nullptr, reinterpret_cast<BITMAPINFO*>(pInfo),
              DIB_RGB_COLORS);

  // Four spare bytes let the last 24-bit pixel be read as a whole word.
  BYTE* pPixels = static_cast<BYTE*>(std::malloc(pHeader->biSizeImage + 4));
  std::memset(pPixels + pHeader->biSizeImage, 0, 4);
  const int nBits = pHeader->biBitCount;
  if (nBits == 8) {
    BYTE* pWithColours = static_cast<BYTE*>(std::calloc(1, kInfoWithColours));
    std::memcpy(pWithColours, pInfo, sizeof(BITMAPINFOHEADER));
    std::free(pInfo);
    pInfo = pWithColours;
    pHeader = reinterpret_cast<BITMAPINFOHEADER*>(pInfo);
  }
  ::GetDIBits(hdcInfo, hBitmap, 0, static_cast<UINT>(pHeader->biHeight), pPixels, reinterpret_cast<BITMAPINFO*>(pInfo),
              DIB_RGB_COLORS);
  ::DeleteDC(hdcInfo);

  // The pixels' byte order is 0x00RRGGBB.
  DWORD dwKey = ((crKey & 0xFF) << 16) | (crKey & 0xFF00FF00) | ((crKey >> 16) & 0xFF);
  if (nBits == 16) {
    const DWORD r = (dwKey >> 16) & 0xFF, g = (dwKey >> 8) & 0xFF, b = dwKey & 0xFF;
    dwKey = (b >> 3) | ((g >> 2) << 5) | ((r >> 3) << 11);
  }
  const int nStride = (bm.bmWidthBytes + 3) & ~3;
  const RGBQUAD* pColours = reinterpret_cast<const RGBQUAD*>(pInfo + sizeof(BITMAPINFOHEADER));

  RegionData region(static_cast<DWORD>(bm.bmHeight));
  for (int y = 0; y < bm.bmHeight; ++y) {
    // Rows come bottom-up: the last row in memory is the image's top row.
    const BYTE* pRow = pPixels + static_cast<size_t>(bm.bmHeight - 1 - y) * static_cast<size_t>(nStride);
    AddRowRuns(region, nBits, pRow, y, bm.bmWidth, pColours, dwKey);
  }

  std::free(pPixels);
  std::free(pInfo);
  return region.Create();
}
