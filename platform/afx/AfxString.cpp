#include "AfxString.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

int CString::Find(char ch, int iStart) const {
  if (iStart < 0 || iStart >= GetLength()) return -1;
  size_t pos = m_str.find(ch, static_cast<size_t>(iStart));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int iStart) const {
  if (!sub || iStart < 0 || iStart > GetLength()) return -1;
  size_t pos = m_str.find(sub, static_cast<size_t>(iStart));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const {
  size_t pos = m_str.rfind(ch);
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Mid(int iFirst) const { return Mid(iFirst, GetLength()); }

CString CString::Mid(int iFirst, int nCount) const {
  if (iFirst < 0) iFirst = 0;
  if (nCount < 0) nCount = 0;
  if (iFirst >= GetLength()) return CString();
  nCount = std::min(nCount, GetLength() - iFirst);
  return CString(m_str.substr(static_cast<size_t>(iFirst), static_cast<size_t>(nCount)));
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const {
  if (nCount < 0) nCount = 0;
  nCount = std::min(nCount, GetLength());
  return CString(m_str.substr(static_cast<size_t>(GetLength() - nCount)));
}

void CString::FormatV(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n < 0) {
    m_str.clear();
    return;
  }
  std::vector<char> buffer(static_cast<size_t>(n) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  m_str.assign(buffer.data(), static_cast<size_t>(n));
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::AppendFormat(const char* format, ...) {
  CString tail;
  va_list args;
  va_start(args, format);
  tail.FormatV(format, args);
  va_end(args);
  m_str += tail.m_str;
}

int CString::Compare(const char* other) const { return std::strcmp(m_str.c_str(), other ? other : ""); }

int CString::CompareNoCase(const char* other) const { return strcasecmp(m_str.c_str(), other ? other : ""); }

CString& CString::MakeUpper() {
  for (char& c : m_str) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return *this;
}

CString& CString::MakeLower() {
  for (char& c : m_str) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return *this;
}

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < m_str.size() && std::isspace(static_cast<unsigned char>(m_str[i]))) ++i;
  m_str.erase(0, i);
  return *this;
}

CString& CString::TrimRight() {
  while (!m_str.empty() && std::isspace(static_cast<unsigned char>(m_str.back()))) m_str.pop_back();
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

int CString::Replace(const char* oldText, const char* newText) {
  if (!oldText || !*oldText) return 0;
  std::string replacement = newText ? newText : "";
  size_t oldLength = std::strlen(oldText);
  int count = 0;
  for (size_t pos = m_str.find(oldText); pos != std::string::npos; pos = m_str.find(oldText, pos)) {
    m_str.replace(pos, oldLength, replacement);
    pos += replacement.size();
    ++count;
  }
  return count;
}

char* CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength > GetLength()) m_str.resize(static_cast<size_t>(nMinBufLength));
  return m_str.data();
}

char* CString::GetBufferSetLength(int nNewLength) {
  m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)));
  return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
  if (nNewLength < 0) {
    m_str.resize(std::strlen(m_str.c_str()));
  } else {
    m_str.resize(static_cast<size_t>(nNewLength));
  }
}
