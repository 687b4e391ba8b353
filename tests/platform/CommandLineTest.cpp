// The C run-time's command-line rules, which process start-up and
// CreateProcessA rely on.
#include <gtest/gtest.h>

#include "win32/CommandLine.h"

using winsim::SplitCommandLine;

struct SplitCase {
  const char* line;
  std::vector<std::string> argv;
};

class Split : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Split, FollowsTheRunTimesRules) { EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().argv); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Split,
    ::testing::Values(SplitCase{"a b  c", {"a", "b", "c"}},
                      SplitCase{"\"C:\\Program Files\\x.exe\" TRUE", {"C:\\Program Files\\x.exe", "TRUE"}},
                      // The program name ends at its closing quote and knows no escapes.
                      SplitCase{"\"C:\\dir\\\"rest", {"C:\\dir\\", "rest"}},
                      SplitCase{"p \"a b\" c", {"p", "a b", "c"}},
                      SplitCase{"p a\\\\b", {"p", "a\\\\b"}},
                      SplitCase{"p a\\\"b", {"p", "a\"b"}},
                      SplitCase{"p a\\\\\"b c\"", {"p", "a\\b c"}},
                      SplitCase{"p \"a\"\"b\"", {"p", "a\"b"}},
                      SplitCase{"QT731M5E-W2N9-4bd0-H6KC-ZX05F3R8LUJB", {"QT731M5E-W2N9-4bd0-H6KC-ZX05F3R8LUJB"}},
                      SplitCase{"", {}}));

TEST(QuoteArgument, RoundTripsThroughSplit) {
  std::vector<std::string> argv = {"prog", "", "plain", "two words", "quote\"inside", "trail\\", "a\\\"b", "tab\there"};
  EXPECT_EQ(SplitCommandLine(winsim::JoinCommandLine(argv)), argv);
}

struct SkipCase {
  const char* line;
  const char* rest;
};

class SkipProgramName : public ::testing::TestWithParam<SkipCase> {};

TEST_P(SkipProgramName, LeavesWhatFollowsTheName) {
  EXPECT_STREQ(winsim::SkipProgramName(GetParam().line), GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(Cases, SkipProgramName,
                         ::testing::Values(SkipCase{"Lorvane.exe TRUE", "TRUE"},
                                           SkipCase{"\"C:\\a b\\Lorvane.exe\"   TRUE", "TRUE"},
                                           SkipCase{"\"Lorvane.exe\"TRUE", "TRUE"},
                                           SkipCase{"Lorvane.exe \t TRUE ", "TRUE "},
                                           SkipCase{"Lorvane.exe", ""},
                                           SkipCase{"\"unclosed name", ""}));
