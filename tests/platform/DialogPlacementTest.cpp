// Where the framework puts a dialog: centred over its owner after
// WM_INITDIALOG when the initialisation left its place alone and the owner is
// disabled (a modal run) or absent; otherwise where its template puts it,
// relative to the owner's client area.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DesktopFixture.h"
#include "afx/Afx.h"

namespace {

constexpr int kCloseDialog = 167;  // 175 x 64 dialog units with a thin border: 352 x 130 pixels
constexpr RECT kOwner{300, 200, 1100, 800};

class PlacedDialog : public CDialog {
 public:
  PlacedDialog(CWnd* pParent, bool move, bool show) : CDialog(kCloseDialog, pParent), m_bMove(move), m_bShow(show) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (m_bMove) SetWindowPos(nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_bShow) ShowWindow(SW_SHOW);
    return TRUE;
  }

 private:
  bool m_bMove;
  bool m_bShow;
};

struct PlacementCase {
  const char* name;
  bool owned;
  bool modal;
  bool moveInInit;
  bool showInInit;
  POINT expected;
};

class DialogPlacement : public DesktopTest, public ::testing::WithParamInterface<PlacementCase> {
 protected:
  DialogPlacement() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = DefWindowProcA;
    cls.lpszClassName = "Owner";
    RegisterClassA(&cls);
  }

  static nlohmann::json DialogIn(const nlohmann::json& dump) {
    for (const auto& w : dump["windows"]) {
      if (w["template"] == kCloseDialog && !w["destroyed"].get<bool>()) return w;
    }
    return nullptr;
  }
};

}  // namespace

TEST_P(DialogPlacement, FollowsTheFrameworksRule) {
  const PlacementCase& c = GetParam();
  HWND owner = c.owned ? CreateWindowExA(0, "Owner", "", WS_POPUP | WS_VISIBLE, kOwner.left, kOwner.top,
                                         kOwner.right - kOwner.left, kOwner.bottom - kOwner.top, nullptr, nullptr,
                                         nullptr, nullptr)
                       : nullptr;
  PlacedDialog dialog(owner ? CWnd::FromHandle(owner) : nullptr, c.moveInInit, c.showInInit);
  nlohmann::json placed;
  if (c.modal) {
    Script({"probe", "key ESC"});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(m_probes.size(), 1u);
    placed = DialogIn(m_probes[0]);
  } else {
    ASSERT_TRUE(dialog.Create(kCloseDialog, CWnd::FromHandle(owner)));
    placed = DialogIn(winsim::DumpState(std::nullopt));
  }
  ASSERT_FALSE(placed.is_null());
  EXPECT_EQ(placed["rect"][0], c.expected.x);
  EXPECT_EQ(placed["rect"][1], c.expected.y);
}

// Centred over the owner: (300 + (800 - 352) / 2, 200 + (600 - 130) / 2);
// centred on the 1920 x 1040 work area: ((1920 - 352) / 2, (1040 - 130) / 2).
INSTANTIATE_TEST_SUITE_P(
    Cases, DialogPlacement,
    ::testing::Values(PlacementCase{"ModalIsCentredOverItsDisabledOwner", true, true, false, false, {524, 435}},
                      PlacementCase{"ModalWithoutOwnerIsCentredOnTheWorkArea", false, true, false, false, {784, 455}},
                      PlacementCase{"ModelessWithAnEnabledOwnerKeepsItsTemplatePlace", true, false, false, false,
                                    {kOwner.left, kOwner.top}},
                      PlacementCase{"ADialogThatMovedItselfStaysThere", true, true, true, false, {40, 50}},
                      PlacementCase{"ADialogThatShowedItselfStaysAtItsTemplatePlace", true, true, false, true,
                                    {kOwner.left, kOwner.top}}),
    [](const auto& info) { return std::string(info.param.name); });
