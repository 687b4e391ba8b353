// The framework's URL parser over WinINet's canonicaliser and cracker, as
// the version check relies on them.
#include <gtest/gtest.h>

#include <string>

#include "UrlParseCases.h"
#include "framework.h"

namespace {

using provider_test::ParseCase;
using provider_test::ParseCases;

DWORD ServiceNamed(const char* name) {
  std::string service(name);
  if (service == "https") return AFX_INET_SERVICE_HTTPS;
  if (service == "ftp") return AFX_INET_SERVICE_FTP;
  return service == "http" ? AFX_INET_SERVICE_HTTP : AFX_INET_SERVICE_UNK;
}

class AfxParseUrl : public testing::TestWithParam<ParseCase> {};

TEST_P(AfxParseUrl, SplitsOrRejects) {
  const ParseCase& c = GetParam();
  DWORD service = 0xFFFF;
  CString server = "unchanged", object = "unchanged";
  INTERNET_PORT port = 0;
  ASSERT_EQ(AfxParseURL(c.url, service, server, object, port), c.ok ? TRUE : FALSE) << c.url;
  if (!c.ok) return;
  EXPECT_EQ(service, ServiceNamed(c.service));
  EXPECT_EQ(server, c.server);
  EXPECT_EQ(object, c.object);
  EXPECT_EQ(port, c.port);
}

INSTANTIATE_TEST_SUITE_P(StandIn, AfxParseUrl, testing::ValuesIn(ParseCases()),
                         [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(InternetCrackUrl, HandsOverPartsAsPointersOrCopies) {
  const char url[] = "http://update.example:81/m.xml?x=1";
  char host[64];
  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = sizeof host;
  parts.dwUrlPathLength = 1;  // null pointer, non-zero length: a pointer into the address

  ASSERT_TRUE(InternetCrackUrlA(url, 0, 0, &parts));

  EXPECT_STREQ(host, "update.example");
  EXPECT_EQ(parts.dwHostNameLength, 14u);
  EXPECT_EQ(parts.lpszUrlPath, url + 24);
  EXPECT_EQ(parts.dwUrlPathLength, 6u);
  EXPECT_EQ(parts.lpszExtraInfo, nullptr) << "null with length 0: skipped";
  EXPECT_EQ(parts.nScheme, INTERNET_SCHEME_HTTP);
  EXPECT_EQ(parts.nPort, 81);
}

TEST(InternetCrackUrl, TooSmallBufferTellsTheSizeNeeded) {
  char host[4];
  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = sizeof host;

  EXPECT_FALSE(InternetCrackUrlA("http://update.example/", 0, 0, &parts));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(parts.dwHostNameLength, 15u);
}

TEST(InternetCanonicalizeUrl, TooSmallBufferTellsTheSizeNeeded) {
  char small[4];
  DWORD length = sizeof small;
  EXPECT_FALSE(InternetCanonicalizeUrlA("http://h/a b", small, &length, ICU_BROWSER_MODE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_EQ(length, 15u) << "with the terminating zero";
  char buffer[15];
  ASSERT_TRUE(InternetCanonicalizeUrlA("http://h/a b", buffer, &length, ICU_BROWSER_MODE));
  EXPECT_STREQ(buffer, "http://h/a%20b");
  EXPECT_EQ(length, 14u);
}

// Wine's WinINet answers a size query without a buffer with an invalid
// parameter, not with the size; the framework's parser relied on the latter.
TEST(InternetCanonicalizeUrl, NoSizeQueryWithoutABuffer) {
  char buffer[64];
  DWORD length = 0;
  EXPECT_FALSE(InternetCanonicalizeUrlA("http://h/a b", nullptr, &length, ICU_BROWSER_MODE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(length, 0u);
  EXPECT_FALSE(InternetCanonicalizeUrlA("http://h/a b", buffer, &length, ICU_BROWSER_MODE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
