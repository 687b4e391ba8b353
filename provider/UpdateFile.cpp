#include "provider/UpdateFile.h"

#include <string>

namespace {

const char kDownloadSuffix[] = ".tmp";
// Where an installed target waits while its replacement is moved in, so
// that it can be put back if the move fails.
const char kSavedSuffix[] = ".old";

}  // namespace

BOOL CUpdateFile::Read(const TiXmlElement* pEntry) {
  const std::string* pPath = pEntry->Attribute(std::string("path"));
  if (!pPath) return FALSE;
  const std::string* pName = pEntry->Attribute(std::string("name"));
  if (!pName) return FALSE;
  const std::string* pRegister = pEntry->Attribute(std::string("register"));
  m_bRegister = pRegister && *pRegister == "true";
  m_strPath = CString(*pPath);
  m_strName = CString(*pName);
  m_strTarget = m_strPath + m_strName;
  m_strDownload = m_strTarget + kDownloadSuffix;
  return TRUE;
}

BOOL CUpdateFile::Install() const {
  if (!MoveIntoPlace()) return FALSE;
  if (m_bRegister) Register();
  return TRUE;
}

BOOL CUpdateFile::MoveIntoPlace() const {
  // Without a download there is nothing to replace the target with: leave it.
  if (_access(m_strDownload, 0) != 0) return FALSE;
  // The move fails when the target exists, so an existing one goes first.
  if (_access(m_strTarget, 0) == 0) return ReplaceTarget();
  return rename(m_strDownload, m_strTarget) == 0;
}

// The old target is set aside rather than deleted until its replacement is
// in place: a failed move then puts it back, and a target that cannot be
// deleted (in use, read-only) fails the entry with everything as it was.
BOOL CUpdateFile::ReplaceTarget() const {
  CString strSaved = m_strTarget + kSavedSuffix;
  if (rename(m_strTarget, strSaved) != 0 && !RetrySettingAside(strSaved)) return FALSE;
  if (rename(m_strDownload, m_strTarget) != 0) {
    rename(strSaved, m_strTarget);
    return FALSE;
  }
  if (!DeleteFileA(strSaved)) {
    rename(m_strTarget, m_strDownload);
    rename(strSaved, m_strTarget);
    return FALSE;
  }
  return TRUE;
}

// The move aside fails when a saved copy from an interrupted run is in the
// way; that copy is stale, since the target itself is intact.
BOOL CUpdateFile::RetrySettingAside(const CString& strSaved) const {
  return _access(strSaved, 0) == 0 && DeleteFileA(strSaved) && rename(m_strTarget, strSaved) == 0;
}

// Started through the shell and not waited for: registrations may overlap
// with the rest of the walk.
void CUpdateFile::Register() const {
  CString strParameters = "/s " + m_strName;
  ShellExecuteA(nullptr, "open", "regsvr32.exe", strParameters, m_strPath, SW_SHOWNORMAL);
}
