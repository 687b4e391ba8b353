// Automation identifiers and the locale-aware string comparison.
#include "ole/OleAuto.h"
#include "win32/WinBase.h"

extern "C" const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

// Full-width forms of the ASCII characters compare equal to the half-width
// ones when width is ignored; so does the ideographic space to the space.
char16_t FoldWidth(char16_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<char16_t>(c - 0xFF01 + 0x21);
  if (c == 0x3000) return 0x20;
  return c;
}

char16_t FoldCase(char16_t c) { return (c >= 'a' && c <= 'z') ? static_cast<char16_t>(c - 'a' + 'A') : c; }

int Length(LPCWSTR s, int count) {
  if (count >= 0) return count;
  int n = 0;
  while (s[n]) ++n;
  return n;
}

}  // namespace

extern "C" int WINAPI CompareStringW(LCID, DWORD dwCmpFlags, LPCWSTR lpString1, int cchCount1, LPCWSTR lpString2,
                                     int cchCount2) {
  if (!lpString1 || !lpString2 || (dwCmpFlags & ~static_cast<DWORD>(NORM_IGNOREWIDTH | NORM_IGNORECASE)) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int n1 = Length(lpString1, cchCount1);
  int n2 = Length(lpString2, cchCount2);
  for (int i = 0; i < n1 && i < n2; ++i) {
    char16_t a = lpString1[i];
    char16_t b = lpString2[i];
    if (dwCmpFlags & NORM_IGNOREWIDTH) {
      a = FoldWidth(a);
      b = FoldWidth(b);
    }
    if (dwCmpFlags & NORM_IGNORECASE) {
      a = FoldCase(a);
      b = FoldCase(b);
    }
    if (a != b) return a < b ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
  }
  if (n1 == n2) return CSTR_EQUAL;
  return n1 < n2 ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
}
