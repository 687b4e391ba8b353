// CString: the framework's 8-bit string (text in the ANSI code page).
#pragma once

#include <cstdarg>
#include <string>

class CString {
 public:
  CString() = default;
  CString(const char* text) : m_str(text ? text : "") {}
  CString(const char* text, int length) : m_str(text ? std::string(text, static_cast<size_t>(length)) : "") {}
  CString(char ch, int repeat = 1) : m_str(static_cast<size_t>(repeat > 0 ? repeat : 0), ch) {}
  CString(const std::string& text) : m_str(text) {}

  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  char GetAt(int index) const { return m_str.at(static_cast<size_t>(index)); }
  char operator[](int index) const { return GetAt(index); }
  operator const char*() const { return m_str.c_str(); }
  const char* GetString() const { return m_str.c_str(); }
  const std::string& str() const { return m_str; }

  // Position of the first occurrence at or after iStart; -1 when there is none
  // or iStart lies outside the string.
  int Find(char ch, int iStart = 0) const;
  int Find(const char* sub, int iStart = 0) const;
  int ReverseFind(char ch) const;
  // Substring from iFirst; a negative iFirst or nCount counts as 0, an iFirst
  // past the end gives the empty string, a count past the end stops there.
  CString Mid(int iFirst) const;
  CString Mid(int iFirst, int nCount) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;

  void Format(const char* format, ...);
  void FormatV(const char* format, va_list args);
  void AppendFormat(const char* format, ...);
  int Compare(const char* other) const;
  int CompareNoCase(const char* other) const;
  CString& MakeUpper();
  CString& MakeLower();
  CString& TrimLeft();
  CString& TrimRight();
  CString& Trim();
  int Replace(const char* oldText, const char* newText);

  // A writable buffer of at least nMinBufLength characters; ReleaseBuffer
  // takes the text up to nNewLength, or up to its first zero byte when -1.
  char* GetBuffer(int nMinBufLength = 0);
  char* GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);

  CString& operator=(const char* text) {
    m_str = text ? text : "";
    return *this;
  }
  CString& operator+=(const CString& other) {
    m_str += other.m_str;
    return *this;
  }
  CString& operator+=(const char* text) {
    if (text) m_str += text;
    return *this;
  }
  CString& operator+=(char ch) {
    m_str += ch;
    return *this;
  }

  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
  friend CString operator+(const CString& a, const char* b) { return CString(a.m_str + (b ? b : "")); }
  friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_str); }
  friend CString operator+(const CString& a, char b) { return CString(a.m_str + b); }
  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

 private:
  std::string m_str;
};

typedef CString CStringA;
