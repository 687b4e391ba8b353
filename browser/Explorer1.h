// CExplorer1: drives an embedded Web Browser control through its dispatch
// interface, one member per call.
#pragma once

#include "framework.h"

class CExplorer1 : public CWnd {
  DECLARE_DYNCREATE(CExplorer1)

 public:
  CExplorer1() = default;

  void Navigate(LPCSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers);
  void Refresh();
  void Stop();
  void put_Silent(BOOL newValue);
};
