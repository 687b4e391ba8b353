// A dispatch call on a control that is not there raises the framework's
// exception; a window procedure that lets it escape reports it, nothing crashes.
#include <gtest/gtest.h>

#include "DesktopFixture.h"
#include "browser/Explorer1.h"

namespace {

class RefreshingWindow : public CWnd {
 public:
  CExplorer1 m_browser;  // never bound to a control

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_USER) m_browser.Refresh();
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

}  // namespace

TEST(BrowserWrapper, CallOnAMissingControlRaisesTheFrameworksException) {
  CExplorer1 browser;
  try {
    browser.Stop();
    FAIL() << "no exception";
  } catch (CException* e) {
    EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(COleException)));
    e->Delete();
  }
}

class BrowserWrapperInWindow : public DesktopTest {};

TEST_F(BrowserWrapperInWindow, EscapedExceptionIsReportedByTheFramework) {
  RefreshingWindow window;
  ASSERT_TRUE(window.CreateEx(0, "Static", "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  Script({"key ENTER"});
  EXPECT_EQ(window.SendMessage(WM_USER), 0);
  ASSERT_EQ(winsim::Desktop().messageBoxes.size(), 1u);
  EXPECT_NE(winsim::Desktop().messageBoxes[0].text.find("OLE error"), std::string::npos);
  window.DestroyWindow();
}
