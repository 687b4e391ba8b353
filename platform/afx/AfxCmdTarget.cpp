#include "AfxCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID) return e;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void*, void*) {
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_COMMAND, static_cast<UINT>(nCode), nID);
  if (!e) return FALSE;
  LRESULT ignored = 0;
  e->pfn(this, WM_COMMAND, MAKEWPARAM(nID, nCode), 0, &ignored);
  return TRUE;
}

const AFX_INTERFACEMAP* CCmdTarget::GetThisInterfaceMap() {
  static const AFX_INTERFACEMAP_ENTRY entries[] = {{nullptr, 0}};
  static const AFX_INTERFACEMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const { return GetThisInterfaceMap(); }

const AFX_EVENTSINKMAP* CCmdTarget::GetThisEventSinkMap() {
  static const AFX_EVENTSINKMAP_ENTRY entries[] = {{0, 0, nullptr}};
  static const AFX_EVENTSINKMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_EVENTSINKMAP* CCmdTarget::GetEventSinkMap() const { return GetThisEventSinkMap(); }

BOOL CCmdTarget::OnEvent(UINT nCtrlID, DISPID dispid, DISPPARAMS* pDispParams) {
  for (const AFX_EVENTSINKMAP* map = GetEventSinkMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_EVENTSINKMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->nCtrlID == nCtrlID && e->dispid == dispid) return e->pfn(this, pDispParams);
    }
  }
  return FALSE;
}

// IUnknown is the object's identity: the first interface of its most derived
// map, whichever interface it is asked through.
LPUNKNOWN CCmdTarget::GetInterface(const void* iid) {
  const IID& wanted = *static_cast<const IID*>(iid);
  for (const AFX_INTERFACEMAP* map = GetInterfaceMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_INTERFACEMAP_ENTRY* e = map->pEntry; e->piid; ++e) {
      if (wanted == IID_IUnknown || *e->piid == wanted) {
        return reinterpret_cast<LPUNKNOWN>(reinterpret_cast<BYTE*>(this) + e->nOffset);
      }
    }
  }
  return nullptr;
}

DWORD CCmdTarget::InternalQueryInterface(const void* iid, LPVOID* ppvObj) {
  LPUNKNOWN found = GetInterface(iid);
  *ppvObj = found;
  if (!found) return static_cast<DWORD>(E_NOINTERFACE);
  ExternalAddRef();
  return S_OK;
}

DWORD CCmdTarget::InternalAddRef() { return ++m_dwRef; }

DWORD CCmdTarget::InternalRelease() {
  if (m_dwRef == 0) return 0;
  DWORD left = --m_dwRef;
  if (left == 0) OnFinalRelease();
  return left;
}

DWORD CCmdTarget::ExternalQueryInterface(const void* iid, LPVOID* ppvObj) { return InternalQueryInterface(iid, ppvObj); }

DWORD CCmdTarget::ExternalAddRef() { return InternalAddRef(); }

DWORD CCmdTarget::ExternalRelease() { return InternalRelease(); }
