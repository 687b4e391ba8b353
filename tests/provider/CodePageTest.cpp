// Code-page conversion in the ANSI code pages the system meets: GBK (936)
// and UTF-8 (65001), with output sizes computed for the code page.
#include <gtest/gtest.h>

#include <string>

#include "Installation.h"
#include "framework.h"
#include "win32/CodePage.h"

namespace {

using provider_test::ScopedEnvironment;

const char16_t kChinese[] = u"新版本";           // three units
const char16_t kOutsideGbk[] = u"a\U0001F600b";  // an emoji, a surrogate pair

class AnsiCodePage : public testing::TestWithParam<const char*> {
 protected:
  AnsiCodePage() : m_acp("WINSIM_ACP", GetParam()) { winsim::ResetAnsiCodePage(); }
  ~AnsiCodePage() override { winsim::ResetAnsiCodePage(); }
  ScopedEnvironment m_acp;
};

std::string ToAnsi(const char16_t* text, UINT codePage = CP_THREAD_ACP) {
  int size = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  EXPECT_EQ(WideCharToMultiByte(codePage, 0, text, -1, out.data(), size, nullptr, nullptr), size);
  return out;
}

TEST_P(AnsiCodePage, SizeAskedFirstFitsTheConversion) {
  std::string expected = std::string(GetParam()) == "936" ? std::string("\xD0\xC2\xB0\xE6\xB1\xBE", 7)
                                                          : std::string("\xE6\x96\xB0\xE7\x89\x88\xE6\x9C\xAC", 10);
  EXPECT_EQ(ToAnsi(kChinese), expected) << "CP_THREAD_ACP is the ANSI code page";
  EXPECT_EQ(ToAnsi(kChinese, CP_ACP), expected);
}

TEST_P(AnsiCodePage, TooSmallOutputFails) {
  char out[4];
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, kChinese, -1, out, sizeof out, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST_P(AnsiCodePage, RoundTripsThroughUtf16) {
  std::string ansi = ToAnsi(kChinese);
  int units = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
  ASSERT_EQ(units, 4);
  std::u16string back(4, u'\0');
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, back.data(), units), 4);
  EXPECT_EQ(back, std::u16string(kChinese, 4));
}

INSTANTIATE_TEST_SUITE_P(StandIn, AnsiCodePage, testing::Values("936", "65001"));

TEST(CodePage936, WhatItLacksBecomesTheDefaultCharacter) {
  ScopedEnvironment acp("WINSIM_ACP", "936");
  winsim::ResetAnsiCodePage();
  BOOL usedDefault = FALSE;
  char out[8];
  int n = WideCharToMultiByte(CP_ACP, 0, kOutsideGbk, -1, out, sizeof out, nullptr, &usedDefault);
  winsim::ResetAnsiCodePage();
  EXPECT_EQ(std::string(out, static_cast<size_t>(n)), std::string("a?b", 4));
  EXPECT_TRUE(usedDefault);
}

}  // namespace
