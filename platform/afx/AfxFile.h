// CFile: the framework's binary file, over the C run-time's files.
#pragma once

#include <cstdio>

#include "afx/AfxObject.h"
#include "win32/WinDef.h"

class CFileException;

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)

 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoTruncate = 0x0200,
    modeCreate = 0x1000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };

  CFile() = default;
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Paths may separate their parts with '\\' or '/'.
  virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  virtual ULONGLONG GetLength() const;
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual void Close();

 private:
  FILE* m_file = nullptr;
};
