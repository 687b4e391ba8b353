#include "AfxException.h"

#include <cstdio>

#include "afx/AfxWnd.h"
#include "win32/CodePage.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

namespace {

BOOL Copy(const CString& text, char* out, UINT size) {
  if (!out || size == 0) return FALSE;
  std::snprintf(out, size, "%s", text.GetString());
  return TRUE;
}

}  // namespace

BOOL CException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT*) const {
  return Copy("An unknown error occurred.", lpszError, nMaxError);
}

int CException::ReportError(UINT nType, UINT) {
  char text[512];
  GetErrorMessage(text, sizeof text);
  return AfxMessageBox(text, nType);
}

BOOL COleException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT*) const {
  CString text;
  text.Format("OLE error 0x%08X.", static_cast<unsigned>(m_sc));
  return Copy(text, lpszError, nMaxError);
}

BOOL COleDispatchException::GetErrorMessage(char* lpszError, UINT nMaxError, UINT*) const {
  return Copy(m_strDescription.IsEmpty() ? CString("The automation call failed.") : m_strDescription, lpszError,
              nMaxError);
}

void AfxThrowOleException(HRESULT sc) { throw new COleException(sc); }

void AfxThrowOleDispatchException(const EXCEPINFO& info) {
  std::string description;
  if (info.bstrDescription) description = winsim::Utf16ToAnsi(info.bstrDescription);
  auto* e = new COleDispatchException(description.c_str(), info.dwHelpContext, info.wCode);
  e->m_scError = info.scode;
  throw e;
}
