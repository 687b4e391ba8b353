// Message maps: a class lists the messages, commands and notifications it
// handles; lookups walk from the class to its bases.
#pragma once

#include "win32/Windows.h"

class CCmdTarget;

// Calls the handler on the target; true when the entry handled the message.
typedef bool (*AFX_PMSG_HANDLER)(CCmdTarget* pTarget, UINT nMessage, WPARAM wParam, LPARAM lParam,
                                 LRESULT* pResult);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;   // window message, or WM_COMMAND for commands and notifications
  UINT nCode;      // notification code (CN_COMMAND for commands)
  UINT nID;        // command or control id (0 for window messages)
  UINT nLastID;    // end of an id range
  AFX_PMSG_HANDLER pfn;  // null ends the map
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define CN_COMMAND 0
#define WM_CTLCOLOR 0x0019
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                         \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                    \
    typedef theClass ThisClass;                                                        \
    typedef baseClass TheBaseClass;                                                    \
    static_assert(sizeof(ThisClass) > 0);                                              \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                              \
  {0, 0, 0, 0, nullptr}                                                                \
  }                                                                                    \
  ;                                                                                    \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                  \
  }

// The body of a handler entry: `T` is the class, `w`, `l` the message's
// parameters, `r` the result.
#define AFX_ENTRY(message, code, id, lastId, body)                                                       \
  {message, code, static_cast<UINT>(id), static_cast<UINT>(lastId),                                     \
   [](CCmdTarget* pTarget_, UINT, WPARAM w, LPARAM l, LRESULT* r) -> bool {                             \
     ThisClass* T_ = static_cast<ThisClass*>(pTarget_);                                                  \
     (void)w;                                                                                            \
     (void)l;                                                                                            \
     (void)r;                                                                                            \
     body;                                                                                               \
     return true;                                                                                        \
   }},

#define AFX_WND_ENTRY(message, body) AFX_ENTRY(message, 0, 0, 0, body)

#define ON_COMMAND(id, memberFxn) AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, id, (T_->*(memberFxn))())
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, (T_->*(memberFxn))(static_cast<UINT>(LOWORD(w))))
#define ON_CONTROL(code, id, memberFxn) AFX_ENTRY(WM_COMMAND, code, id, id, (T_->*(memberFxn))())
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_MESSAGE(message, memberFxn) AFX_WND_ENTRY(message, *r = (T_->*(memberFxn))(w, l))

#define ON_WM_CREATE() AFX_WND_ENTRY(WM_CREATE, *r = T_->OnCreate(reinterpret_cast<LPCREATESTRUCT>(l)))
#define ON_WM_DESTROY() AFX_WND_ENTRY(WM_DESTROY, T_->OnDestroy())
#define ON_WM_NCDESTROY() AFX_WND_ENTRY(WM_NCDESTROY, T_->OnNcDestroy())
#define ON_WM_CLOSE() AFX_WND_ENTRY(WM_CLOSE, T_->OnClose())
#define ON_WM_PAINT() AFX_WND_ENTRY(WM_PAINT, T_->OnPaint())
#define ON_WM_QUERYDRAGICON() \
  AFX_WND_ENTRY(WM_QUERYDRAGICON, *r = reinterpret_cast<LRESULT>(T_->OnQueryDragIcon()))
#define ON_WM_SIZE() \
  AFX_WND_ENTRY(WM_SIZE, T_->OnSize(static_cast<UINT>(w), static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))))
#define ON_WM_MOVE() AFX_WND_ENTRY(WM_MOVE, T_->OnMove(GET_X_LPARAM(l), GET_Y_LPARAM(l)))
#define ON_WM_GETMINMAXINFO() \
  AFX_WND_ENTRY(WM_GETMINMAXINFO, T_->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(l)))
#define ON_WM_ERASEBKGND() \
  AFX_WND_ENTRY(WM_ERASEBKGND, *r = T_->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(w))))
#define ON_WM_LBUTTONDOWN() \
  AFX_WND_ENTRY(WM_LBUTTONDOWN, T_->OnLButtonDown(static_cast<UINT>(w), CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l))))
#define ON_WM_LBUTTONUP() \
  AFX_WND_ENTRY(WM_LBUTTONUP, T_->OnLButtonUp(static_cast<UINT>(w), CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l))))
#define ON_WM_SYSCOMMAND() AFX_WND_ENTRY(WM_SYSCOMMAND, T_->OnSysCommand(static_cast<UINT>(w), l))
#define ON_WM_HOTKEY() \
  AFX_WND_ENTRY(WM_HOTKEY, T_->OnHotKey(static_cast<UINT>(w), LOWORD(l), HIWORD(l)))
#define ON_WM_SHOWWINDOW() AFX_WND_ENTRY(WM_SHOWWINDOW, T_->OnShowWindow(static_cast<BOOL>(w), static_cast<UINT>(l)))
// One entry answers all WM_CTLCOLOR... messages; nCtlColor tells which.
#define ON_WM_CTLCOLOR()                                                                           \
  {WM_CTLCOLOR, 0, 0, 0, [](CCmdTarget* pTarget_, UINT nMessage, WPARAM w, LPARAM l, LRESULT* r) -> bool { \
     *r = reinterpret_cast<LRESULT>(static_cast<ThisClass*>(pTarget_)->OnCtlColor(                 \
         CDC::FromHandle(reinterpret_cast<HDC>(w)), CWnd::FromHandle(reinterpret_cast<HWND>(l)),   \
         nMessage - WM_CTLCOLORMSGBOX));                                                           \
     return true;                                                                                  \
   }},
