// The document host UI handler of the launcher's control site.
#include <gtest/gtest.h>

#include "browser/CustomControlSite.h"
#include "browser/ImpIDispatch.h"
#include "launcher/LorvaneApp.h"

namespace {

class UiHandler : public ::testing::Test {
 protected:
  UiHandler() : m_container(nullptr), m_site(new CCustomControlSite(&m_container)) {
    if (!theApp.m_pDispatch) theApp.m_pDispatch = new CImpIDispatch();
    IUnknown* identity = m_site->GetInterface(&IID_IUnknown);
    EXPECT_EQ(identity->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&m_handler)), S_OK);
  }
  ~UiHandler() override {
    m_handler->Release();
    delete m_site;
  }

  COleControlContainer m_container;
  CCustomControlSite* m_site;
  IDocHostUIHandler* m_handler = nullptr;
};

}  // namespace

TEST_F(UiHandler, AnswersAsTheLauncherWantsTheBrowsersToBehave) {
  POINT pt{10, 10};
  EXPECT_EQ(m_handler->ShowContextMenu(0, &pt, nullptr, nullptr), S_OK);
  EXPECT_EQ(m_handler->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(m_handler->HideUI(), S_OK);
  EXPECT_EQ(m_handler->UpdateUI(), S_OK);
  EXPECT_EQ(m_handler->EnableModeless(TRUE), E_NOTIMPL);
  EXPECT_EQ(m_handler->OnDocWindowActivate(TRUE), E_NOTIMPL);
  EXPECT_EQ(m_handler->OnFrameWindowActivate(TRUE), E_NOTIMPL);
  EXPECT_EQ(m_handler->ResizeBorder(nullptr, nullptr, FALSE), E_NOTIMPL);
  MSG msg{};
  EXPECT_EQ(m_handler->TranslateAccelerator(&msg, nullptr, 0), S_FALSE);
  LPOLESTR key = reinterpret_cast<LPOLESTR>(1);
  EXPECT_EQ(m_handler->GetOptionKeyPath(&key, 0), E_NOTIMPL);
  EXPECT_EQ(key, reinterpret_cast<LPOLESTR>(1));
  IDropTarget* drop = reinterpret_cast<IDropTarget*>(2);
  EXPECT_EQ(m_handler->GetDropTarget(nullptr, &drop), E_NOTIMPL);
  EXPECT_EQ(drop, reinterpret_cast<IDropTarget*>(2));
  EXPECT_EQ(m_handler->TranslateUrl(0, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(m_handler->FilterDataObject(nullptr, nullptr), E_NOTIMPL);
}

TEST_F(UiHandler, HostInfoAsksForNoBorderAndNoScrollBars) {
  DOCHOSTUIINFO info{sizeof(DOCHOSTUIINFO), 0xFFFF0000, 99, nullptr, nullptr};
  EXPECT_EQ(m_handler->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, 0x0Cu);
  EXPECT_EQ(info.dwDoubleClick, 0u);
  EXPECT_EQ(info.cbSize, sizeof(DOCHOSTUIINFO));
}

TEST_F(UiHandler, HandsOutTheApplicationsExternalObjectWithOneReferenceEach) {
  IDispatch* first = nullptr;
  IDispatch* second = nullptr;
  ULONG before = theApp.m_pDispatch->AddRef() - 1;
  theApp.m_pDispatch->Release();
  EXPECT_EQ(m_handler->GetExternal(&first), S_OK);
  EXPECT_EQ(m_handler->GetExternal(&second), S_OK);
  EXPECT_EQ(first, theApp.m_pDispatch);
  EXPECT_EQ(second, first);
  EXPECT_EQ(first->Release(), before + 1);
  EXPECT_EQ(second->Release(), before);
}

TEST_F(UiHandler, SharesTheSitesIdentityAndReferenceCount) {
  IUnknown* fromHandler = nullptr;
  ASSERT_EQ(m_handler->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromHandler)), S_OK);
  EXPECT_EQ(fromHandler, m_site->GetInterface(&IID_IUnknown));
  DWORD count = m_site->m_dwRef;
  m_handler->AddRef();
  EXPECT_EQ(m_site->m_dwRef, count + 1);
  m_handler->Release();
  fromHandler->Release();
}
