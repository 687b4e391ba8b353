// The Web Browser control: a child window that shows a plain rendering of
// an http page, driven through IDispatch by IWebBrowser2's dispatch ids and
// reporting NavigateComplete2 through its container's event sink. It asks
// its client site for IDocHostUIHandler and lets the host decide its frame,
// its context menu, its keys and the external object pages see.
#pragma once

#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "BrowserRecords.h"
#include "PageView.h"
#include "ole/ComObject.h"
#include "ole/DocHostUIHandler.h"
#include "ole/OleAuto.h"

namespace winsim::browser {

class DispatchArguments;

class BrowserControl : public ComObject<BrowserControl, IDispatch> {
 public:
  static bool Answers(REFIID riid) { return IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch); }
  static BrowserControl* FromWindow(HWND hwnd);

  BrowserControl(IUnknown* site, IDispatch* events);
  ~BrowserControl() override;

  // Makes the window; it holds a reference to the control until destroyed.
  bool CreateControlWindow(HWND parent, const RECT& rect, UINT id, DWORD style, DWORD exStyle);
  void Attach(HWND hwnd);
  HWND Window() const { return m_hwnd; }

  // IDispatch (BrowserDispatch.cpp)
  STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
  STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
  STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                      VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

  // The members the dispatch ids reach.
  void Navigate(const std::string& url);
  void Stop();
  void Refresh();
  void SetSilent(bool silent) { m_record->silent = silent; }
  bool Silent() const { return m_record->silent; }

  // What a page does: follow a link, read the host's external object.
  bool FollowLink(const std::string& reference);
  std::string ReadExternal(const std::u16string& name);

  // The page's link lines with their screen rectangles, for dumps.
  nlohmann::json Links() const;

  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  HRESULT InvokeNavigate(WORD flags, const DispatchArguments& args, UINT* argErr);
  HRESULT InvokeSilent(WORD flags, const DispatchArguments& args, VARIANT* result, UINT* argErr);

  std::string ReadExternalMember(const std::u16string& name);
  void AskHostInfo();
  void StartNavigation(const std::string& url, bool reload);
  void CompleteNavigation(WPARAM sequence);
  void Load(const std::string& url, bool reload);
  void FireNavigateComplete(const std::string& url);
  void ShowContextMenu(POINT screen);
  bool HostTakesKey(UINT msg, WPARAM wParam, LPARAM lParam);
  void OnClick(UINT msg, LPARAM lParam);
  void Paint();
  void Detach();

  HWND m_hwnd = nullptr;
  IUnknown* m_site = nullptr;
  IDispatch* m_events = nullptr;
  IDocHostUIHandler* m_host = nullptr;
  std::shared_ptr<BrowserRecord> m_record;
  PageView m_view;
  std::string m_url;  // the page shown, UTF-8
  std::string m_pendingUrl;
  bool m_pendingReload = false;
  WPARAM m_pendingSequence = 0;  // 0: nothing pending
  WPARAM m_lastSequence = 0;
  int m_pressedLink = -1;
};

}  // namespace winsim::browser
