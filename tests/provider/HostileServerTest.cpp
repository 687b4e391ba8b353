// check against servers that misbehave: it never hangs past the network's
// time-outs, never crashes, and never takes a broken answer for a manifest.
#include <chrono>
#include <string>

#include "ProviderFixture.h"

namespace provider_test {
namespace {

using namespace std::chrono_literals;

constexpr size_t kMegabytes = 4 * 1024 * 1024;
const char kTimeoutMs[] = "300";
const char kOldServerManifest[] = "<left-by-an-earlier-check />";

Answer Silent() {
  return [](Connection& connection) { connection.HoldUntilStopped(); };
}

Answer OneBytePerSecond(std::string response) {
  return [response = std::move(response)](Connection& connection) {
    for (char byte : response) {
      if (!connection.Send(std::string(1, byte)) || !connection.Wait(1s)) return;
    }
  };
}

// Declares a length and closes after a part of it.
Answer ClosesMidBody() {
  return [](Connection& connection) {
    std::string body = RemoteManifest("2.0");
    connection.Send("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n" + body.substr(0, body.size() / 2));
  };
}

Answer WithLength(const char* length, std::string_view body = RemoteManifest("2.0")) {
  return Reply(std::string("HTTP/1.0 200 OK\r\nContent-Length: ") + length + "\r\n\r\n" + std::string(body));
}

std::string Padded(std::string text, size_t size) {
  text.resize(size, ' ');
  return text;
}

struct HostileCase {
  const char* name;
  Answer answer;
  Outcome expected;
  bool takenAtItsWord;  // the body is a manifest, so "./Server.xml" is replaced
};

const HostileCase kHostileCases[] = {
    {"AcceptsAndNeverAnswers", Silent(), kFailed, false},
    {"AnswersOneBytePerSecond", OneBytePerSecond(HttpResponse(200, RemoteManifest("2.0"))), kFailed, false},
    {"ClosesMidBody", ClosesMidBody(), kFailed, false},
    {"ClosesWithoutAnswer", [](Connection&) {}, kFailed, false},
    {"HtmlPage",
     Reply(HttpResponse(200,
                        "<!DOCTYPE html>\n<html><head><title>Welcome</title></head><body><p>Hi<br></p></body></html>",
                        true, "Content-Type: text/html\r\n")),
     kFailed, false},
    {"WellFormedHtmlPage", Reply(HttpResponse(200, "<html><head><title>Welcome</title></head><body/></html>")), kFailed,
     false},
    {"NotFound", Reply(HttpResponse(404, "Not Found")), kFailed, false},
    {"ServerError", Reply(HttpResponse(500, "<html><body>Internal error</body></html>")), kFailed, false},
    {"MegabytesOfTextDeclared", Reply(HttpResponse(200, std::string(kMegabytes, 'x'))), kFailed, false},
    {"MegabytesOfTextUndeclared", Reply(HttpResponse(200, std::string(kMegabytes, 'x'), false)), kFailed, false},
    {"MegabytesOfManifestDeclared", Reply(HttpResponse(200, Padded(RemoteManifest("2.0"), kMegabytes))), kUpdateDue,
     true},
    {"NegativeLength", WithLength("-5"), kFailed, false},
    {"RubbishLength", WithLength("many"), kFailed, false},
    {"LengthBeyondAnyAllocation", WithLength("99999999999999999999"), kFailed, false},
    {"LengthThatWrapsThirtyTwoBits", WithLength("4294967295"), kFailed, false},
    {"LengthFarBeyondTheBody", WithLength("2000000000"), kFailed, false},
    {"LengthTooLongForTheAnswerBuffer",
     WithLength("0000000000000000000000000000000000000300", Padded(RemoteManifest("2.0"), 300)), kUpdateDue, true},
};

class HostileServer : public ProviderTest, public testing::WithParamInterface<HostileCase> {
 protected:
  ScopedEnvironment m_shortTimeout{"WINSIM_NET_TIMEOUT_MS", kTimeoutMs};
};

TEST_P(HostileServer, CheckFailsCleanly) {
  const HostileCase& c = GetParam();
  LoopbackServer server(c.answer);
  ServeOnDefaultPort(server);
  std::string local = LocalManifest("1.0");
  WriteFile("Update.xml", local);
  WriteFile("Server.xml", kOldServerManifest);

  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(CallExport(check), c.expected);
  auto elapsed = std::chrono::steady_clock::now() - start;

  // A generous bound: it only tells a time-out from a hang.
  EXPECT_LT(elapsed, 10s);
  EXPECT_EQ(ReadFile("Update.xml"), local);
  EXPECT_EQ(ReadFile("Server.xml") != kOldServerManifest, c.takenAtItsWord);
}

INSTANTIATE_TEST_SUITE_P(Provider, HostileServer, testing::ValuesIn(kHostileCases),
                         [](const testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace provider_test
