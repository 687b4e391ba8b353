// check in the Windows build under Wine, against servers on this side: the
// shared behaviour cases, the request on the wire, servers that fail, and
// the system's two code pages.
#include <chrono>
#include <ctime>
#include <string>

#include "CheckCases.h"
#include "WineFixture.h"

namespace wine_test {
namespace {

using namespace provider_test;
using namespace std::chrono_literals;

const char kOldServerManifest[] = "<left-by-an-earlier-check />";

class CheckUnderWine : public WineTest, public testing::WithParamInterface<CheckCase> {};

TEST_P(CheckUnderWine, ResultErrorWordAndManifests) {
  const CheckCase& c = GetParam();
  auto server = ServeOnHttpPort(Reply(c.response));
  PlaceCheckCase(c, server->Address());

  EXPECT_EQ(CallUnderWine("check"), c.expected);

  ExpectCheckCaseManifests(c, server->Address());
}

INSTANTIATE_TEST_SUITE_P(Wine, CheckUnderWine, testing::ValuesIn(CheckCases()),
                         [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

// The framework's URL parser over the platform's own canonicaliser and
// cracker, seen in the request line.
class CheckAddressUnderWine : public WineTest, public testing::WithParamInterface<AddressCase> {};

TEST_P(CheckAddressUnderWine, RequestLineNamesTheObject) {
  const AddressCase& c = GetParam();
  auto server = ServeOnHttpPort(Reply(HttpResponse(200, RemoteManifest("1.0"))));
  WriteFile("Update.xml", LocalManifest("1.0", OnHost(c.url, server->Address()), c.info));

  ASSERT_EQ(CallUnderWine("check"), kUpToDate);

  ASSERT_EQ(server->Requests().size(), 1u);
  std::string expected = std::string("GET ") + c.object + "?v=";
  EXPECT_EQ(server->Requests()[0].rfind(expected, 0), 0u) << server->Requests()[0];
}

INSTANTIATE_TEST_SUITE_P(Wine, CheckAddressUnderWine, testing::ValuesIn(AddressCases()),
                         [](const testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

class CheckOnTheWire : public WineTest {};

// The platform's cracker takes a port past 65535 (see WineUrlParseTest), and
// check ignores the port: the manifest comes from port 80. The stand-in's
// cracker rejects that address, and check fails there.
TEST_F(CheckOnTheWire, PortPastTheRangeStillFetchedFromPort80) {
  auto server = ServeOnHttpPort(Reply(HttpResponse(200, RemoteManifest("1.0"))));
  WriteFile("Update.xml", LocalManifest("1.0", "http://" + server->Address() + ":99999"));

  EXPECT_EQ(CallUnderWine("check"), kUpToDate);
  EXPECT_EQ(server->Requests().size(), 1u);
}

// Every byte of the request, as the platform's WinINet sends it; only the
// time value varies.
TEST_F(CheckOnTheWire, ExactRequestBytes) {
  auto server = ServeOnHttpPort(Reply(HttpResponse(200, RemoteManifest("1.0"))));
  WriteFile("Update.xml", LocalManifest("1.0", "http://" + server->Address() + "/update", "/manifest.xml"));

  unsigned before = static_cast<unsigned>(std::time(nullptr));
  ASSERT_EQ(CallUnderWine("check"), kUpToDate);
  unsigned after = static_cast<unsigned>(std::time(nullptr));

  ASSERT_EQ(server->Requests().size(), 1u);
  std::string request = server->Requests()[0];
  unsigned sent = 0;
  ASSERT_EQ(std::sscanf(request.c_str(), "GET /update/manifest.xml?v=%u HTTP/1.0\r\n", &sent), 1) << request;
  EXPECT_GE(sent, before);
  EXPECT_LE(sent, after);
  EXPECT_EQ(request, ExpectedRequest("/update/manifest.xml", server->Address(), sent));
}

TEST_F(CheckOnTheWire, NothingListeningFailsTheSend) {
  WriteFile("Update.xml", LocalManifest("1.0", "http://" + FreshLoopbackAddress()));
  WriteFile("Server.xml", kOldServerManifest);

  EXPECT_EQ(CallUnderWine("check"), kFailed);
  EXPECT_EQ(ReadFile("Server.xml"), kOldServerManifest);
}

// A body shorter than its declared length: the one read gets what came
// before the server closed, which does not parse.
TEST_F(CheckOnTheWire, ShortBodyFails) {
  std::string body = RemoteManifest("2.0");
  auto server =
      ServeOnHttpPort(Reply("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n" + body.substr(0, body.size() / 2)));
  WriteFile("Update.xml", LocalManifest("1.0", "http://" + server->Address()));
  WriteFile("Server.xml", kOldServerManifest);

  EXPECT_EQ(CallUnderWine("check"), kFailed);
  EXPECT_EQ(ReadFile("Server.xml"), kOldServerManifest);
}

// The provider sets no time-outs. Wine's WinINet then waits for a silent
// server far longer than the stand-in's default of 30 seconds (it was still
// waiting after 200): the test gives up past that default, and check has
// written nothing by then.
TEST_F(CheckOnTheWire, SilentServerOutwaitsTheStandInsDefault) {
  auto server = ServeOnHttpPort([](Connection& connection) { connection.HoldUntilStopped(); });
  std::string local = LocalManifest("1.0", "http://" + server->Address());
  WriteFile("Update.xml", local);
  WriteFile("Server.xml", kOldServerManifest);

  HostAnswer answer = RunHost({"check", CodePage::Gbk, {}, 35s});

  EXPECT_FALSE(answer.outcome) << "answered " << answer.output;
  EXPECT_EQ(server->Requests().size(), 1u);
  EXPECT_EQ(ReadFile("Update.xml"), local);
  EXPECT_EQ(ReadFile("Server.xml"), kOldServerManifest);
}

// The body arrives as UTF-8 and is handled in the ANSI code page.
struct CodePageCase {
  const char* name;
  CodePage codePage;
  const char* version;  // "新版本" in that code page
};

const char kVersionUtf8[] = "\xE6\x96\xB0\xE7\x89\x88\xE6\x9C\xAC";
const char kVersionGbk[] = "\xD0\xC2\xB0\xE6\xB1\xBE";

const CodePageCase kCodePageCases[] = {
    {"Gbk936", CodePage::Gbk, kVersionGbk},
    {"Utf8_65001", CodePage::Utf8, kVersionUtf8},
};

class CheckInCodePage : public WineTest, public testing::WithParamInterface<CodePageCase> {};

TEST_P(CheckInCodePage, SavesTheVersionInTheAnsiCodePage) {
  auto server = ServeOnHttpPort(Reply(HttpResponse(200, RemoteManifest(kVersionUtf8))));
  WriteFile("Update.xml", LocalManifest("1.0", "http://" + server->Address()));

  ASSERT_EQ(CallUnderWine("check", GetParam().codePage), kUpdateDue);

  std::string saved = ReadFile("Server.xml").value_or("");
  EXPECT_NE(saved.find(std::string("version=\"") + GetParam().version + "\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("encoding=\"UTF-8\""), std::string::npos) << "the declaration keeps the published name";
}

TEST_P(CheckInCodePage, ComparesInTheAnsiCodePage) {
  auto server = ServeOnHttpPort(Reply(HttpResponse(200, RemoteManifest(kVersionUtf8))));
  WriteFile("Update.xml", LocalManifest(GetParam().version, "http://" + server->Address()));

  EXPECT_EQ(CallUnderWine("check", GetParam().codePage), kUpToDate);
}

INSTANTIATE_TEST_SUITE_P(Wine, CheckInCodePage, testing::ValuesIn(kCodePageCases),
                         [](const testing::TestParamInfo<CodePageCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wine_test
