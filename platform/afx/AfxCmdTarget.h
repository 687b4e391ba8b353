// CCmdTarget: the base of everything that receives messages and commands.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "afx/AfxMsgMap.h"
#include "afx/AfxObject.h"
#include "afx/AfxState.h"
#include "ole/OleAuto.h"

// Interface maps: the COM interfaces a command target implements, as nested
// X classes found by their offset inside the object.
struct AFX_INTERFACEMAP_ENTRY {
  const IID* piid;  // null ends the map
  size_t nOffset;
};

struct AFX_INTERFACEMAP {
  const struct AFX_INTERFACEMAP* (*pfnGetBaseMap)();
  const AFX_INTERFACEMAP_ENTRY* pEntry;
};

// Event sink maps: which handler takes a hosted control's event.
typedef BOOL (*AFX_PEVENT_HANDLER)(class CCmdTarget* pTarget, DISPPARAMS* pDispParams);

struct AFX_EVENTSINKMAP_ENTRY {
  UINT nCtrlID;
  DISPID dispid;
  AFX_PEVENT_HANDLER pfn;  // null ends the map
};

struct AFX_EVENTSINKMAP {
  const AFX_EVENTSINKMAP* (*pfnGetBaseMap)();
  const AFX_EVENTSINKMAP_ENTRY* lpEntries;
};

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // Routes a command or control notification through the message maps;
  // TRUE when a handler took it.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);
  // Routes a hosted control's event through the event sink maps; TRUE when
  // a handler took it.
  virtual BOOL OnEvent(UINT nCtrlID, DISPID dispid, DISPPARAMS* pDispParams);

  // Reference counting and interface lookup of the COM side.
  DWORD m_dwRef = 1;
  AFX_MODULE_STATE* m_pModuleState = AfxGetModuleState();
  LPUNKNOWN GetInterface(const void* iid);
  DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);
  DWORD InternalAddRef();
  DWORD InternalRelease();
  DWORD ExternalQueryInterface(const void* iid, LPVOID* ppvObj);
  DWORD ExternalAddRef();
  DWORD ExternalRelease();
  virtual void OnFinalRelease() { delete this; }

 protected:
  static const AFX_INTERFACEMAP* GetThisInterfaceMap();
  virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;
  static const AFX_EVENTSINKMAP* GetThisEventSinkMap();
  virtual const AFX_EVENTSINKMAP* GetEventSinkMap() const;

  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
  // The first entry, from this class up to its bases, that matches.
  const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
};

#define DECLARE_INTERFACE_MAP()                       \
 protected:                                           \
  static const AFX_INTERFACEMAP* GetThisInterfaceMap(); \
  const AFX_INTERFACEMAP* GetInterfaceMap() const override;

#define BEGIN_INTERFACE_MAP(theClass, theBase)                                                 \
  const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return GetThisInterfaceMap(); } \
  const AFX_INTERFACEMAP* theClass::GetThisInterfaceMap() {                                    \
    typedef theBase TheBaseClass;                                                              \
    static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {

#define INTERFACE_PART(theClass, iid, localClass) {&iid, offsetof(theClass, m_x##localClass)},

#define END_INTERFACE_MAP()                                                                          \
  {nullptr, 0}                                                                                       \
  }                                                                                                  \
  ;                                                                                                  \
  static const AFX_INTERFACEMAP interfaceMap = {&TheBaseClass::GetThisInterfaceMap, &_interfaceEntries[0]}; \
  return &interfaceMap;                                                                              \
  }

// A nested implementation of one interface; its IUnknown methods pass to the
// object that contains it (METHOD_PROLOGUE finds it).
#define BEGIN_INTERFACE_PART(localClass, baseClass)               \
  class X##localClass : public baseClass {                        \
   public:                                                        \
    STDMETHOD_(ULONG, AddRef)() override;                         \
    STDMETHOD_(ULONG, Release)() override;                        \
    STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;

#define END_INTERFACE_PART(localClass) \
  }                                    \
  m_x##localClass;                     \
  friend class X##localClass;

// Finds the outer object of a nested interface and enters its module state
// for the rest of the method.
#define METHOD_PROLOGUE(theClass, localClass)                                                        \
  theClass* pThis =                                                                                  \
      reinterpret_cast<theClass*>(reinterpret_cast<BYTE*>(this) - offsetof(theClass, m_x##localClass)); \
  AFX_MANAGE_STATE(pThis->m_pModuleState);                                                           \
  (void)pThis
#define METHOD_PROLOGUE_EX(theClass, localClass) METHOD_PROLOGUE(theClass, localClass)
#define METHOD_PROLOGUE_EX_(theClass, localClass)                                                    \
  theClass* pThis =                                                                                  \
      reinterpret_cast<theClass*>(reinterpret_cast<BYTE*>(this) - offsetof(theClass, m_x##localClass)); \
  (void)pThis

#define DECLARE_EVENTSINK_MAP()                       \
 protected:                                           \
  static const AFX_EVENTSINKMAP* GetThisEventSinkMap(); \
  const AFX_EVENTSINKMAP* GetEventSinkMap() const override;

#define BEGIN_EVENTSINK_MAP(theClass, baseClass)                                                 \
  const AFX_EVENTSINKMAP* theClass::GetEventSinkMap() const { return GetThisEventSinkMap(); } \
  const AFX_EVENTSINKMAP* theClass::GetThisEventSinkMap() {                                    \
    typedef baseClass TheBaseClass;                                                            \
    static const AFX_EVENTSINKMAP_ENTRY _eventsinkEntries[] = {

// The handler's parameters are read from the event's arguments by their
// declared types (vtsParams names them as the platform's tools write them).
#define ON_EVENT(theClass, id, dispid, pfnHandler, vtsParams)                                  \
  {static_cast<UINT>(id), static_cast<DISPID>(dispid), [](CCmdTarget* pTarget_, DISPPARAMS* p) -> BOOL { \
     return AfxCallEventHandler(static_cast<theClass*>(pTarget_), &pfnHandler, p);             \
   }},

#define END_EVENTSINK_MAP()                                                                   \
  {0, 0, nullptr}                                                                             \
  }                                                                                           \
  ;                                                                                           \
  static const AFX_EVENTSINKMAP eventsinkMap = {&TheBaseClass::GetThisEventSinkMap, &_eventsinkEntries[0]}; \
  return &eventsinkMap;                                                                       \
  }

// Reads one event argument as the handler's parameter type.
inline LPDISPATCH AfxEventArg(VARIANT* v, LPDISPATCH*) {
  if (v->vt == (VT_DISPATCH | VT_BYREF)) return *reinterpret_cast<LPDISPATCH*>(v->byref);
  return v->vt == VT_DISPATCH ? v->pdispVal : nullptr;
}
inline VARIANT* AfxEventArg(VARIANT* v, VARIANT**) {
  return v->vt == (VT_VARIANT | VT_BYREF) ? v->pvarVal : v;
}
// LONG and BOOL are one type here: a VT_BOOL argument reads as TRUE or FALSE.
inline LONG AfxEventArg(VARIANT* v, LONG*) {
  if (v->vt == (VT_I4 | VT_BYREF)) return *v->plVal;
  if (v->vt == VT_BOOL) return v->boolVal ? TRUE : FALSE;
  return v->vt == VT_I4 ? v->lVal : 0;
}

template <class T, class R, class... A, size_t... I>
BOOL AfxCallEventHandlerAt(T* target, R (T::*pfn)(A...), DISPPARAMS* p, std::index_sequence<I...>) {
  // Arguments arrive last first.
  if constexpr (std::is_same_v<R, void>) {
    (target->*pfn)(AfxEventArg(&p->rgvarg[p->cArgs - 1 - I], static_cast<std::decay_t<A>*>(nullptr))...);
    return TRUE;
  } else {
    return static_cast<BOOL>(
        (target->*pfn)(AfxEventArg(&p->rgvarg[p->cArgs - 1 - I], static_cast<std::decay_t<A>*>(nullptr))...));
  }
}

template <class T, class R, class... A>
BOOL AfxCallEventHandler(T* target, R (T::*pfn)(A...), DISPPARAMS* p) {
  if (!p || p->cArgs != sizeof...(A)) return FALSE;
  return AfxCallEventHandlerAt(target, pfn, p, std::index_sequence_for<A...>{});
}
