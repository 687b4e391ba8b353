// MessageBoxA as a real modal dialog, recorded for the desktop's dumps.
#include <algorithm>
#include <sstream>

#include "CodePage.h"
#include "DialogTemplate.h"
#include "WinBase.h"
#include "desktop/Desktop.h"

namespace winsim {

namespace {

struct ButtonSpec {
  int id;
  const char16_t* text;
};

std::vector<ButtonSpec> ButtonsFor(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, u"OK"}, {IDCANCEL, u"Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, u"Abort"}, {IDRETRY, u"Retry"}, {IDIGNORE, u"Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, u"Yes"}, {IDNO, u"No"}, {IDCANCEL, u"Cancel"}};
    case MB_YESNO: return {{IDYES, u"Yes"}, {IDNO, u"No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, u"Retry"}, {IDCANCEL, u"Cancel"}};
    default: return {{IDOK, u"OK"}};
  }
}

// Dialog units: a half-width character is about 4 units wide, a line 8 high.
DialogTemplateData BoxTemplate(const std::string& text, const std::string& caption, UINT type) {
  std::istringstream lines(text);
  std::string line;
  int longest = 0;
  int count = 0;
  while (std::getline(lines, line)) {
    longest = std::max<int>(longest, static_cast<int>(line.size()));
    ++count;
  }
  count = std::max(count, 1);
  std::vector<ButtonSpec> buttons = ButtonsFor(type);
  int buttonsWidth = static_cast<int>(buttons.size()) * 56;
  int width = std::max({longest * 4 + 28, buttonsWidth + 14, 120});
  int height = count * 8 + 14 + 36;

  DialogTemplateData t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_VISIBLE;
  t.cx = static_cast<short>(width);
  t.cy = static_cast<short>(height);
  t.title = AnsiToUtf16(caption);
  t.pointSize = 9;
  t.typeface = u"SimSun";
  DialogItemTemplate label;
  label.style = WS_CHILD | WS_VISIBLE | SS_LEFT;
  label.x = 14;
  label.y = 14;
  label.cx = static_cast<short>(width - 28);
  label.cy = static_cast<short>(count * 8);
  label.id = static_cast<DWORD>(IDC_STATIC);
  label.className = "Static";
  label.title = AnsiToUtf16(text);
  t.items.push_back(label);
  int x = width - buttonsWidth - 7;
  for (size_t i = 0; i < buttons.size(); ++i) {
    DialogItemTemplate b;
    b.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    b.x = static_cast<short>(x + static_cast<int>(i) * 56);
    b.y = static_cast<short>(height - 21);
    b.cx = 50;
    b.cy = 14;
    b.id = static_cast<DWORD>(buttons[i].id);
    b.className = "Button";
    b.title = buttons[i].text;
    t.items.push_back(b);
  }
  return t;
}

// Escape and the close box answer Cancel; a box with only OK answers OK.
INT_PTR CALLBACK BoxProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrA(hDlg, static_cast<int>(DWLP_USER), lParam);
    return TRUE;
  }
  if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
  int id = LOWORD(wParam);
  if (id == IDCANCEL && !GetDlgItem(hDlg, IDCANCEL)) {
    UINT type = static_cast<UINT>(GetWindowLongPtrA(hDlg, static_cast<int>(DWLP_USER)));
    if ((type & MB_TYPEMASK) != MB_OK) return TRUE;
    id = IDOK;
  }
  EndDialog(hDlg, id);
  return TRUE;
}

}  // namespace

}  // namespace winsim

using namespace winsim;

extern "C" int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  std::string text = lpText ? lpText : "";
  std::string caption = lpCaption ? lpCaption : "Error";
  size_t index = Desktop().messageBoxes.size();
  Desktop().messageBoxes.push_back(MessageBoxRecord{hWnd, text, caption, uType, 0});
  std::vector<unsigned char> bytes = BuildDialogTemplate(BoxTemplate(text, caption, uType));
  INT_PTR result = DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), hWnd, BoxProc,
                                           static_cast<LPARAM>(uType));
  Desktop().messageBoxes[index].result = static_cast<int>(result);
  return static_cast<int>(result);
}
