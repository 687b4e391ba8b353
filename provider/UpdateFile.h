// One file entry of the local manifest: the download "<path><name>.tmp"
// replaces the target "<path><name>" and, when the entry is marked, is then
// registered as a COM server.
#pragma once

#include <tinyxml.h>

#include "framework.h"

class CUpdateFile {
 public:
  // FALSE when the entry lacks "path" or "name".
  BOOL Read(const TiXmlElement* pEntry);
  // Moves the download into place and registers it when marked. FALSE when
  // the move failed; the installed target is then exactly as it was.
  BOOL Install() const;

 private:
  BOOL MoveIntoPlace() const;
  BOOL ReplaceTarget() const;
  BOOL RetrySettingAside(const CString& strSaved) const;
  void Register() const;

  CString m_strPath;      // directory prefix, also where the registration runs
  CString m_strName;      // file name, also the registration's argument
  CString m_strTarget;    // path immediately followed by name
  CString m_strDownload;  // target followed by ".tmp"
  BOOL m_bRegister = FALSE;
};
