// OLE control containment: the container of a dialog's OLE controls and the
// site each control sits in.
#pragma once

#include <cstdarg>
#include <vector>

#include "afx/AfxCmdTarget.h"
#include "afx/AfxTypes.h"

class CWnd;
class COleControlContainer;

extern "C" const IID IID_IOleClientSite;

class COleControlSite : public CCmdTarget {
 public:
  explicit COleControlSite(COleControlContainer* pCtrlCont);
  ~COleControlSite() override;
  COleControlSite(const COleControlSite&) = delete;
  COleControlSite& operator=(const COleControlSite&) = delete;

  // Creates the control of the class id as a child of the container's window.
  virtual HRESULT CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCSTR lpszWindowName, DWORD dwStyle,
                                const RECT* prect, UINT nID);
  // Calls the control's automation member; throws the framework's OLE
  // exceptions when the call fails.
  void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                     va_list argList);

  COleControlContainer* m_pCtrlCont;
  HWND m_hWnd = nullptr;
  CWnd* m_pWndCtrl = nullptr;
  UINT m_nID = 0;
  CLSID m_clsid{};
  IDispatch* m_pObject = nullptr;  // the control's automation object

 protected:
  // The control's events arrive here and go to the container's window.
  BOOL FireEvent(DISPID dispid, DISPPARAMS* pDispParams);

  DECLARE_INTERFACE_MAP()

  BEGIN_INTERFACE_PART(OleClientSite, IUnknown)
  END_INTERFACE_PART(OleClientSite)

  BEGIN_INTERFACE_PART(EventSink, IDispatch)
    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
    STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                      VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
  END_INTERFACE_PART(EventSink)
};

class COleControlContainer : public CCmdTarget {
 public:
  explicit COleControlContainer(CWnd* pWnd) : m_pWnd(pWnd) {}
  ~COleControlContainer() override;
  COleControlContainer(const COleControlContainer&) = delete;
  COleControlContainer& operator=(const COleControlContainer&) = delete;

  COleControlSite* FindItem(UINT nID) const;
  COleControlSite* FindSite(HWND hWnd) const;
  void AddSite(COleControlSite* pSite) { m_sites.push_back(pSite); }

  CWnd* m_pWnd;

 private:
  std::vector<COleControlSite*> m_sites;  // owned
};
