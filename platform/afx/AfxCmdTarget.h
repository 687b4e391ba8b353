// CCmdTarget: the base of everything that receives messages and commands.
#pragma once

#include "afx/AfxMsgMap.h"
#include "afx/AfxObject.h"

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // Routes a command or control notification through the message maps;
  // TRUE when a handler took it.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
  // The first entry, from this class up to its bases, that matches.
  const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
};
