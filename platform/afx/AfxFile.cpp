#include "afx/AfxFile.h"

#include <sys/stat.h>

#include <string>

IMPLEMENT_DYNAMIC(CFile, CObject)

CFile::~CFile() { Close(); }

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException*) {
  Close();
  if (!lpszFileName) return FALSE;
  std::string path = lpszFileName;
  for (char& c : path)
    if (c == '\\') c = '/';
  const UINT access = nOpenFlags & 3;
  const char* mode = access == modeRead                ? "rb"
                     : (nOpenFlags & modeCreate) && !(nOpenFlags & modeNoTruncate)
                         ? (access == modeWrite ? "wb" : "w+b")
                         : "r+b";
  m_file = std::fopen(path.c_str(), mode);
  if (!m_file && (nOpenFlags & modeCreate)) m_file = std::fopen(path.c_str(), access == modeWrite ? "wb" : "w+b");
  // A folder opens on Linux but is no file to read.
  struct stat info;
  if (m_file && (fstat(fileno(m_file), &info) != 0 || !S_ISREG(info.st_mode))) Close();
  return m_file != nullptr;
}

ULONGLONG CFile::GetLength() const {
  struct stat info;
  return m_file && fstat(fileno(m_file), &info) == 0 ? static_cast<ULONGLONG>(info.st_size) : 0;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  return m_file && lpBuf ? static_cast<UINT>(std::fread(lpBuf, 1, nCount, m_file)) : 0;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (m_file && lpBuf) std::fwrite(lpBuf, 1, nCount, m_file);
}

void CFile::Close() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
}
