#include "AfxGdi.h"

#include <cstring>
#include <memory>

#include "afx/AfxState.h"
#include "afx/AfxWnd.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

std::map<HDC, std::unique_ptr<CDC>>& TempDCs() {
  static thread_local std::map<HDC, std::unique_ptr<CDC>> map;
  return map;
}

}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject*& CGdiObject::TempSlot(HGDIOBJ h) {
  // Kept for the life of the process and never destroyed, so that no
  // wrapper deletes a handle someone else owns.
  static auto* temps = new std::map<HGDIOBJ, CGdiObject*>();
  return (*temps)[h];
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
  return Attach(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  return Attach(::CreateCompatibleBitmap(pDC ? pDC->m_hDC : nullptr, nWidth, nHeight));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC) {
  HDC screen = pDC ? nullptr : ::GetDC(nullptr);
  LOGFONT lf{};
  lf.lfHeight = -MulDiv(nPointSize, ::GetDeviceCaps(pDC ? pDC->m_hAttribDC : screen, LOGPIXELSY), 720);
  lf.lfCharSet = DEFAULT_CHARSET;
  if (lpszFaceName) std::strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
  if (screen) ::ReleaseDC(nullptr, screen);
  return CreateFontIndirect(&lf);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
  return CGdiObject::FromHandleAs<CPalette>(
      ::SelectPalette(m_hDC, pPalette ? static_cast<HPALETTE>(pPalette->GetSafeHandle()) : nullptr, bForceBackground));
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (!hObject) return FALSE;
  m_hObject = hObject;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

CDC::~CDC() {
  if (m_hDC) DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC) {
  if (!hDC) return nullptr;
  auto& slot = TempDCs()[hDC];
  if (!slot) {
    slot = std::make_unique<CDC>();
    slot->m_hDC = hDC;
    slot->m_hAttribDC = hDC;
  }
  return slot.get();
}

void CDC::DeleteTempMap() {
  for (auto& [h, dc] : TempDCs()) dc->Detach();
  TempDCs().clear();
}

BOOL CDC::Attach(HDC hDC) {
  if (!hDC) return FALSE;
  m_hDC = m_hAttribDC = hDC;
  return TRUE;
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::DeleteDC(Detach());
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  m_hDC = m_hAttribDC = nullptr;
  return h;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { Attach(::BeginPaint(m_hWnd, &m_ps)); }

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
