#include "images/EnBitmap.h"

#include <cstring>
#include <vector>

#include "images/ResourceImage.h"

namespace {

constexpr COLORREF kNoBackground = 0xFFFFFFFF;
constexpr int kHimetricPerInch = 2540;

// Where the pixels start in a bitmap file made of the resource: after the
// file header, the information header and whatever colours follow it.
DWORD PixelOffset(const std::vector<BYTE>& resource) {
  BITMAPINFOHEADER info{};
  if (resource.size() < sizeof info) return sizeof(BITMAPFILEHEADER) + sizeof info;
  std::memcpy(&info, resource.data(), sizeof info);
  DWORD colours = info.biClrUsed;
  if (colours == 0 && info.biBitCount <= 8) colours = 1u << info.biBitCount;
  const DWORD masks = info.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
  return static_cast<DWORD>(sizeof(BITMAPFILEHEADER)) + info.biSize + masks + colours * sizeof(RGBQUAD);
}

void PutWord(BYTE* p, WORD v) { std::memcpy(p, &v, sizeof v); }
void PutDword(BYTE* p, DWORD v) { std::memcpy(p, &v, sizeof v); }

}  // namespace

BOOL CEnBitmap::LoadFromResource(UINT nID, LPCSTR lpszType, HMODULE hModule, COLORREF crBack) {
  if (m_hObject) return FALSE;
  const LPCSTR lpszName = MAKEINTRESOURCEA(LOWORD(nID));
  int nSize = 0;
  if (!ReadResourceBytes(lpszName, lpszType, hModule, nullptr, nSize) || nSize <= 0) return FALSE;
  std::vector<BYTE> resource(static_cast<size_t>(nSize));
  if (!ReadResourceBytes(lpszName, lpszType, hModule, resource.data(), nSize)) return FALSE;

  // A bitmap resource is a bitmap file without its file header.
  const size_t nFileSize = resource.size() + sizeof(BITMAPFILEHEADER);
  std::vector<BYTE> file(nFileSize);
  PutWord(&file[0], 0x4D42);  // "BM"
  PutDword(&file[2], static_cast<DWORD>(nFileSize));
  PutWord(&file[6], 0);
  PutWord(&file[8], 0);
  PutDword(&file[10], PixelOffset(resource));
  std::memcpy(&file[sizeof(BITMAPFILEHEADER)], resource.data(), resource.size());
  resource.clear();

  IPicture* pPicture = PictureFromMemory(file.data(), static_cast<int>(nFileSize));
  if (!pPicture) return FALSE;
  const BOOL bResult = AdoptPicture(pPicture, crBack);
  pPicture->Release();
  return bResult;
}

BOOL CEnBitmap::LoadFromFile(LPCSTR lpszPath, COLORREF crBack) {
  if (m_hObject) return FALSE;
  CFile file;
  if (!file.Open(lpszPath, CFile::modeRead | CFile::typeBinary)) return FALSE;
  const ULONGLONG nLength = file.GetLength();
  if (nLength == 0 || nLength > 0x7FFFFFFF) return FALSE;
  std::vector<BYTE> bytes(static_cast<size_t>(nLength));
  const UINT nRead = file.Read(bytes.data(), static_cast<UINT>(nLength));
  BOOL bResult = FALSE;
  if (nRead > 0) {
    if (IPicture* pPicture = PictureFromMemory(bytes.data(), static_cast<int>(nLength))) {
      bResult = AdoptPicture(pPicture, crBack);
      pPicture->Release();
    }
  }
  file.Close();
  return bResult;
}

BOOL CEnBitmap::AdoptPicture(IPicture* pPicture, COLORREF crBack) {
  if (m_hObject || !pPicture) return FALSE;
  HWND hDesktop = ::GetDesktopWindow();
  HDC hdcDesktop = ::GetDC(hDesktop);
  HDC hdcMemory = ::CreateCompatibleDC(hdcDesktop);
  if (!hdcMemory) {
    ::ReleaseDC(hDesktop, hdcDesktop);
    return FALSE;
  }

  OLE_XSIZE_HIMETRIC hmWidth = 0;
  OLE_YSIZE_HIMETRIC hmHeight = 0;
  pPicture->get_Width(&hmWidth);
  pPicture->get_Height(&hmHeight);
  const int nWidth = MulDiv(hmWidth, ::GetDeviceCaps(hdcDesktop, LOGPIXELSX), kHimetricPerInch);
  const int nHeight = MulDiv(hmHeight, ::GetDeviceCaps(hdcDesktop, LOGPIXELSY), kHimetricPerInch);

  HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcDesktop, nWidth, nHeight);
  HGDIOBJ hOld = ::SelectObject(hdcMemory, hBitmap);
  if (crBack != kNoBackground) {
    HBRUSH hBrush = ::CreateSolidBrush(crBack);
    const RECT rcAll{0, 0, nWidth, nHeight};
    ::FillRect(hdcMemory, &rcAll, hBrush);
    ::DeleteObject(hBrush);
  }
  // HIMETRIC runs upwards: start at the top edge and go down the height.
  const HRESULT hr = pPicture->Render(hdcMemory, 0, 0, nWidth, nHeight, 0, hmHeight, hmWidth, -hmHeight, nullptr);
  ::SelectObject(hdcMemory, hOld);

  BOOL bResult = FALSE;
  if (hr == S_OK) bResult = Attach(hBitmap);
  else ::DeleteObject(hBitmap);
  ::DeleteDC(hdcMemory);
  ::ReleaseDC(hDesktop, hdcDesktop);
  return bResult;
}
