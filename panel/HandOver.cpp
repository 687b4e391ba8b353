#include "panel/HandOver.h"

#include "launcher/LorvaneApp.h"
#include "launcher/LorvaneDlg.h"
#include "panel/WebDialog.h"

namespace {

const char kGameUrlMarker[] = "clientex/bin/index.php?";

CString WideToAnsi(BSTR text) {
  if (!text) return CString();
  int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return CString();
  CString result;
  WideCharToMultiByte(CP_ACP, 0, text, -1, result.GetBufferSetLength(size), size, nullptr, nullptr);
  result.ReleaseBuffer();
  return result;
}

}  // namespace

CString VariantToText(VARIANT* pVar) {
  CString text;
  switch (pVar->vt) {
    case VT_I4: text.Format("%d", pVar->lVal); break;
    case VT_R8: text.Format("%f", pVar->dblVal); break;
    case VT_BSTR: text = WideToAnsi(pVar->bstrVal); break;
    // A reference to nothing carries no value.
    case VT_BYREF | VT_I4:
      if (pVar->plVal) text.Format("%d", *pVar->plVal);
      break;
    case VT_BYREF | VT_BSTR:
      if (pVar->pbstrVal) text = WideToAnsi(*pVar->pbstrVal);
      break;
    default: break;
  }
  return text;
}

void CWebDialog::NavigateComplete2Explorer1(LPDISPATCH, VARIANT* URL) {
  CString strUrl = VariantToText(URL);
  if (strUrl.Find(kGameUrlMarker) == -1) return;
  theApp.HandOverGameUrl(strUrl);
  m_browser.Stop();
}

void CLorvaneApp::HandOverGameUrl(CString strUrl) {
  m_pWebDlg->ShowWindow(SW_HIDE);
  m_pMainDlg->EnterGame(strUrl);
}
