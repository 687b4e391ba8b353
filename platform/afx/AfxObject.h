// CObject and run-time class information.
#pragma once

#include "win32/WinDef.h"

class CObject;
class CArchive;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;
  CObject* (*m_pfnCreateObject)();
  CRuntimeClass* (*m_pfnGetBaseClass)();

  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class CObject {
 public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;
  virtual void Serialize(CArchive& ar);

  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

  static CRuntimeClass classCObject;
  static CRuntimeClass* GetThisClass();

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                 \
 public:                                            \
  static CRuntimeClass class##class_name;           \
  static CRuntimeClass* GetThisClass();             \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                 \
  CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), wSchema, \
                                                 pfnNew, &base_class_name::GetThisClass};                    \
  CRuntimeClass* class_name::GetThisClass() { return &class_name::class##class_name; }                       \
  CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::class##class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                  \
  CObject* class_name::CreateObject() { return new class_name; }         \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

template <class T>
T* DynamicDowncastTo(CObject* p) {
  return (p && p->IsKindOf(RUNTIME_CLASS(T))) ? static_cast<T*>(p) : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) DynamicDowncastTo<class_name>(object)
#define STATIC_DOWNCAST(class_name, object) static_cast<class_name*>(object)
