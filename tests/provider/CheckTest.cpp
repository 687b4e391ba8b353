// check against a server on loopback: the failure paths, the comparison of
// versions, what is taken from the body and what goes on the wire.
#include <tinyxml.h>

#include <ctime>
#include <string>

#include "CheckCases.h"
#include "ProviderFixture.h"
#include "win32/CodePage.h"
#include "wininet/InternetHandle.h"

namespace provider_test {
namespace {

const std::string kLocal = LocalManifest("1.0");

class CheckAnswers : public ProviderTest, public testing::WithParamInterface<CheckCase> {};

TEST_P(CheckAnswers, ResultErrorWordAndManifests) {
  const CheckCase& c = GetParam();
  LoopbackServer server(Reply(c.response));
  ServeOnDefaultPort(server);
  PlaceCheckCase(c);

  EXPECT_EQ(CallExport(check), c.expected);

  ExpectCheckCaseManifests(c);
}

INSTANTIATE_TEST_SUITE_P(Provider, CheckAnswers, testing::ValuesIn(CheckCases()),
                         [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

class CheckTest : public ProviderTest {};

TEST_F(CheckTest, SavedManifestIsThePublishedDocument) {
  LoopbackServer server(Reply(HttpResponse(200, RemoteManifest("2.0"))));
  ServeOnDefaultPort(server);
  WriteFile("Update.xml", kLocal);

  ASSERT_EQ(CallExport(check), kUpdateDue);

  TiXmlDocument saved("Server.xml");
  ASSERT_TRUE(saved.LoadFile());
  const TiXmlElement* release = saved.RootElement()->FirstChildElement();
  EXPECT_STREQ(release->Attribute("version"), "2.0");
  EXPECT_STREQ(release->NextSiblingElement()->Attribute("base"), "http://files.example/")
      << "what only the updater reads is kept";
}

TEST_F(CheckTest, RequestOnTheWire) {
  LoopbackServer server(Reply(HttpResponse(200, RemoteManifest("1.0"))));
  ServeOnDefaultPort(server);
  WriteFile("Update.xml", LocalManifest("1.0", "http://127.0.0.1/update", "/manifest.xml"));

  unsigned before = static_cast<unsigned>(std::time(nullptr));
  ASSERT_EQ(CallExport(check), kUpToDate);
  unsigned after = static_cast<unsigned>(std::time(nullptr));

  ASSERT_EQ(server.Requests().size(), 1u);
  std::string request = server.Requests()[0];
  unsigned sent = 0;
  ASSERT_EQ(std::sscanf(request.c_str(), "GET /update/manifest.xml?v=%u HTTP/1.0\r\n", &sent), 1) << request;
  EXPECT_GE(sent, before);
  EXPECT_LE(sent, after);
  EXPECT_NE(request.find("\r\nHost: 127.0.0.1\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nUser-Agent: iTorvex\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nPragma: no-cache\r\n"), std::string::npos) << request;
  EXPECT_EQ(request, ExpectedRequest("/update/manifest.xml", "127.0.0.1", sent));
  EXPECT_EQ(winsim::OpenInternetHandleCount(), 0u) << "every handle is closed before check returns";
}

TEST_F(CheckTest, NothingListeningFailsTheSend) {
  std::optional<LoopbackServer> gone(std::in_place, Reply(""));
  ServeOnDefaultPort(*gone);
  gone.reset();
  WriteFile("Update.xml", kLocal);

  EXPECT_EQ(CallExport(check), kFailed);
  EXPECT_FALSE(Exists("Server.xml"));
}

TEST_F(CheckTest, PreconfiguredProxyCarriesTheRequest) {
  LoopbackServer proxy(Reply(HttpResponse(200, RemoteManifest("1.0"))));
  std::string proxyAddress = "http://127.0.0.1:" + std::to_string(proxy.Port());
  ScopedEnvironment useProxy("http_proxy", proxyAddress.c_str());
  WriteFile("Update.xml", LocalManifest("1.0", "http://update.example", "/m.xml"));

  ASSERT_EQ(CallExport(check), kUpToDate);

  ASSERT_EQ(proxy.Requests().size(), 1u);
  EXPECT_EQ(proxy.Requests()[0].rfind("GET http://update.example/m.xml?v=", 0), 0u) << proxy.Requests()[0];
}

class CheckAddress : public ProviderTest, public testing::WithParamInterface<AddressCase> {};

TEST_P(CheckAddress, RequestLineNamesTheObject) {
  const AddressCase& c = GetParam();
  LoopbackServer server(Reply(HttpResponse(200, RemoteManifest("1.0"))));
  ServeOnDefaultPort(server);
  WriteFile("Update.xml", LocalManifest("1.0", c.url, c.info));

  ASSERT_EQ(CallExport(check), kUpToDate);

  ASSERT_EQ(server.Requests().size(), 1u);
  std::string expected = std::string("GET ") + c.object + "?v=";
  EXPECT_EQ(server.Requests()[0].rfind(expected, 0), 0u) << server.Requests()[0];
}

INSTANTIATE_TEST_SUITE_P(Provider, CheckAddress, testing::ValuesIn(AddressCases()),
                         [](const testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

// The body arrives as UTF-8 and is handled in the ANSI code page: here GBK.
class CheckInCodePage936 : public ProviderTest {
 protected:
  CheckInCodePage936() { winsim::ResetAnsiCodePage(); }
  ~CheckInCodePage936() override { winsim::ResetAnsiCodePage(); }
  ScopedEnvironment m_acp{"WINSIM_ACP", "936"};
};

const char kVersionUtf8[] = "\xE6\x96\xB0\xE7\x89\x88\xE6\x9C\xAC";  // 新版本
const char kVersionGbk[] = "\xD0\xC2\xB0\xE6\xB1\xBE";

TEST_F(CheckInCodePage936, ChineseTextSavedInTheAnsiCodePage) {
  LoopbackServer server(Reply(HttpResponse(200, RemoteManifest(kVersionUtf8))));
  ServeOnDefaultPort(server);
  WriteFile("Update.xml", kLocal);

  ASSERT_EQ(CallExport(check), kUpdateDue);

  std::string saved = ReadFile("Server.xml").value_or("");
  EXPECT_NE(saved.find(std::string("version=\"") + kVersionGbk + "\""), std::string::npos) << saved;
  EXPECT_EQ(saved.find(kVersionUtf8), std::string::npos);
  EXPECT_NE(saved.find("encoding=\"UTF-8\""), std::string::npos) << "the declaration keeps the published name";
}

TEST_F(CheckInCodePage936, ComparesInTheAnsiCodePage) {
  LoopbackServer server(Reply(HttpResponse(200, RemoteManifest(kVersionUtf8))));
  ServeOnDefaultPort(server);
  WriteFile("Update.xml", LocalManifest(kVersionGbk));

  EXPECT_EQ(CallExport(check), kUpToDate);
}

}  // namespace
}  // namespace provider_test
