// CString positions outside the string, which the launcher's server-number
// rule relies on.
#include <gtest/gtest.h>

#include <cstring>

#include "afx/AfxString.h"

struct MidCase {
  int first;
  int count;
  const char* expected;
};

class CStringMid : public ::testing::TestWithParam<MidCase> {};

TEST_P(CStringMid, ClampsItsArguments) {
  CString s("abcdef");
  EXPECT_STREQ(s.Mid(GetParam().first, GetParam().count), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CStringMid,
                         ::testing::Values(MidCase{1, 3, "bcd"}, MidCase{-2, 3, "abc"}, MidCase{2, -1, ""},
                                           MidCase{4, 10, "ef"}, MidCase{6, 1, ""}, MidCase{9, 2, ""},
                                           MidCase{0, 0, ""}));

TEST(CString, FindOutsideTheStringFindsNothing) {
  CString s("a&b&c");
  EXPECT_EQ(s.Find('&'), 1);
  EXPECT_EQ(s.Find('&', 2), 3);
  EXPECT_EQ(s.Find('&', 5), -1);
  EXPECT_EQ(s.Find('&', -1), -1);
  EXPECT_EQ(s.Find("&c"), 3);
  EXPECT_EQ(s.Find("x"), -1);
}

TEST(CString, FormatsAndKeepsBytesAsTheyAre) {
  CString s;
  s.Format("双线%d服", 12);
  EXPECT_STREQ(s, "双线12服");
  EXPECT_EQ(s.GetLength(), static_cast<int>(std::strlen("双线12服")));
}
