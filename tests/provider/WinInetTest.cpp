// WinINet's synchronous HTTP client over a loopback server: what a read
// returns, the header query's buffer rules, ports and handle lifetimes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Installation.h"
#include "LoopbackServer.h"
#include "framework.h"
#include "wininet/InternetHandle.h"

namespace provider_test {
namespace {

class WinInetGet : public testing::Test {
 protected:
  // Opens and sends a GET of `object` to 127.0.0.1 on `port` (0: the default).
  void Send(INTERNET_PORT port, const char* object = "/doc") {
    m_session = InternetOpenA("test", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    m_connection = InternetConnectA(m_session, "127.0.0.1", port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    m_request = HttpOpenRequestA(m_connection, "GET", object, "HTTP/1.0", nullptr, nullptr, 0, 0);
    ASSERT_TRUE(HttpSendRequestA(m_request, nullptr, 0, nullptr, 0)) << GetLastError();
  }

  std::string Read(DWORD size) {
    std::string buffer(size, '\0');
    DWORD read = 0xFFFF;
    EXPECT_TRUE(InternetReadFile(m_request, buffer.data(), size, &read));
    buffer.resize(read);
    return buffer;
  }

  ~WinInetGet() override {
    if (m_session) InternetCloseHandle(m_session);
  }

  ScopedEnvironment m_noProxy{"http_proxy", nullptr};
  ScopedEnvironment m_timeout{"WINSIM_NET_TIMEOUT_MS", "5000"};
  HINTERNET m_session = nullptr;
  HINTERNET m_connection = nullptr;
  HINTERNET m_request = nullptr;
};

TEST_F(WinInetGet, ReadWaitsForWhatItAsksUntilTheBodyEnds) {
  std::string body(200000, 'x');
  for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>('a' + i % 26);
  LoopbackServer server(Reply(HttpResponse(200, body, false)));
  Send(static_cast<INTERNET_PORT>(server.Port()));

  std::string got = Read(10);
  got += Read(150000);
  EXPECT_EQ(got.size(), 150010u);
  got += Read(100000);
  EXPECT_EQ(got, body) << "the last read returns what is left";
  EXPECT_EQ(Read(100), "") << "the end of the body reads as nothing";
}

TEST_F(WinInetGet, ContentLengthAsTextWithTheBufferRules) {
  LoopbackServer server(Reply(HttpResponse(200, std::string(12345, 'x'))));
  Send(static_cast<INTERNET_PORT>(server.Port()));

  char small[4];
  DWORD length = sizeof small;
  EXPECT_FALSE(HttpQueryInfoA(m_request, HTTP_QUERY_CONTENT_LENGTH, small, &length, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(length, 6u) << "the size needed, with the terminating zero";
  char text[32];
  length = sizeof text;
  ASSERT_TRUE(HttpQueryInfoA(m_request, HTTP_QUERY_CONTENT_LENGTH, text, &length, nullptr));
  EXPECT_STREQ(text, "12345");
  EXPECT_EQ(length, 5u);
}

TEST_F(WinInetGet, MissingContentLengthIsNotFound) {
  LoopbackServer server(Reply(HttpResponse(200, "body", false)));
  Send(static_cast<INTERNET_PORT>(server.Port()));
  char text[32];
  DWORD length = sizeof text;
  EXPECT_FALSE(HttpQueryInfoA(m_request, HTTP_QUERY_CONTENT_LENGTH, text, &length, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HTTP_HEADER_NOT_FOUND));
}

TEST_F(WinInetGet, DefaultPortReachesTheNetworksStandInPort) {
  LoopbackServer server(Reply(HttpResponse(200, "mapped")));
  ScopedEnvironment port("WINSIM_HTTP_PORT", std::to_string(server.Port()).c_str());
  Send(INTERNET_INVALID_PORT_NUMBER);
  EXPECT_EQ(Read(100), "mapped");
  EXPECT_NE(server.Requests()[0].find("\r\nHost: 127.0.0.1\r\n"), std::string::npos) << server.Requests()[0];
}

TEST_F(WinInetGet, RedirectIsFollowed) {
  LoopbackServer server([](Connection& connection) {
    static int served = 0;
    connection.Send(served++ == 0 ? HttpResponse(302, "", true, "Location: /moved\r\n") : HttpResponse(200, "arrived"));
  });
  Send(static_cast<INTERNET_PORT>(server.Port()));
  EXPECT_EQ(Read(100), "arrived");
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(server.Requests()[1].rfind("GET /moved HTTP/1.0\r\n", 0), 0u);
}

TEST_F(WinInetGet, ClosingTheSessionClosesWhatWasOpenedFromIt) {
  LoopbackServer server(Reply(HttpResponse(200, "x")));
  size_t before = winsim::OpenInternetHandleCount();
  Send(static_cast<INTERNET_PORT>(server.Port()));
  EXPECT_EQ(winsim::OpenInternetHandleCount(), before + 3);
  EXPECT_TRUE(InternetCloseHandle(m_session));
  m_session = nullptr;
  EXPECT_EQ(winsim::OpenInternetHandleCount(), before);
  DWORD read = 0;
  char byte;
  EXPECT_FALSE(InternetReadFile(m_request, &byte, 1, &read));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
}  // namespace provider_test
