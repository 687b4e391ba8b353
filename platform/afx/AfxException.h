// The framework's exceptions, thrown as pointers as the framework throws them.
#pragma once

#include "afx/AfxObject.h"
#include "afx/AfxString.h"
#include "ole/OleAuto.h"
#include "win32/WinUser.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)

 public:
  // Tells the user what went wrong, in a message box.
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);
  virtual BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
  void Delete() { delete this; }
};

class COleException : public CException {
  DECLARE_DYNAMIC(COleException)

 public:
  explicit COleException(HRESULT sc) : m_sc(sc) {}
  HRESULT m_sc;
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

class COleDispatchException : public CException {
  DECLARE_DYNAMIC(COleDispatchException)

 public:
  COleDispatchException(LPCSTR lpszDescription, UINT nHelpID, WORD wCode)
      : m_wCode(wCode), m_dwHelpContext(nHelpID), m_strDescription(lpszDescription ? lpszDescription : "") {}
  WORD m_wCode;
  DWORD m_dwHelpContext;
  CString m_strDescription;
  HRESULT m_scError = 0;
  BOOL GetErrorMessage(char* lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowOleException(HRESULT sc);
[[noreturn]] void AfxThrowOleDispatchException(const EXCEPINFO& info);
