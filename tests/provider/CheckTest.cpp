// check against a server on loopback: the failure paths, the comparison of
// versions, what is taken from the body and what goes on the wire.
#include <tinyxml.h>

#include <ctime>
#include <string>

#include "ProviderFixture.h"
#include "win32/CodePage.h"
#include "wininet/InternetHandle.h"

namespace provider_test {
namespace {

const char kOldServerManifest[] = "<left-by-an-earlier-check />";

// An element that is never closed: a document that holds it does not parse.
const char kJunk[] = "<unclosed>";

std::string Padded(std::string text, size_t size) {
  text.resize(size, ' ');
  return text;
}

// A manifest that fills exactly the 10240 bytes read when no length is
// declared, followed by text that does not parse.
std::string ManifestThenJunkAfter10240() { return Padded(RemoteManifest("1.0"), 10240) + kJunk; }

// A manifest whose closing tag is pushed out so that its last ">" is byte
// `last`, counted from 1: past 10240 a body of undeclared length loses it.
std::string ManifestEndingAtByte(size_t last) {
  std::string text = RemoteManifest("1.0");
  text.erase(text.find_last_not_of('\n') + 1);
  text.insert(text.rfind("</"), last - text.size(), ' ');
  return text;
}

std::string Zero() { return std::string(1, '\0'); }

struct CheckCase {
  const char* name;
  std::optional<std::string> local;  // "./Update.xml", none when missing
  std::string response;              // what the server answers
  Outcome expected;
  bool savesServerManifest;
};

const std::string kLocal = LocalManifest("1.0");

const CheckCase kCheckCases[] = {
    {"LocalManifestMissing", std::nullopt, HttpResponse(200, RemoteManifest("2.0")), kFailed, false},
    {"LocalManifestMalformed", "<update version=\"1.0\" url=\"http://127.0.0.1\" info=\"/m.xml\">",
     HttpResponse(200, RemoteManifest("2.0")), kFailed, false},
    {"LocalWithoutRootElement", "<?xml version=\"1.0\"?>\n<!-- no elements -->\n",
     HttpResponse(200, RemoteManifest("2.0")), kFailed, false},
    {"RootLacksVersion", "<update url=\"http://127.0.0.1\" info=\"/m.xml\"><files/></update>",
     HttpResponse(200, RemoteManifest("2.0")), kFailed, false},
    {"RootLacksUrl", "<update version=\"1.0\" info=\"/m.xml\"><files/></update>",
     HttpResponse(200, RemoteManifest("2.0")), kFailed, false},
    {"RootLacksInfo", "<update version=\"1.0\" url=\"http://127.0.0.1\"><files/></update>",
     HttpResponse(200, RemoteManifest("2.0")), kFailed, false},
    {"AddressWithoutScheme", LocalManifest("1.0", "127.0.0.1", "/m.xml"), HttpResponse(200, RemoteManifest("2.0")),
     kFailed, false},
    {"RemoteMalformed", kLocal, HttpResponse(200, "<publish><release version=\"2.0\"></publish>"), kFailed, false},
    {"EmptyBody", kLocal, HttpResponse(200, ""), kFailed, false},
    {"BodyStartsWithZeroByte", kLocal, HttpResponse(200, Zero() + RemoteManifest("2.0")), kFailed, false},
    {"DeclaredLengthZero", kLocal, "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n" + RemoteManifest("2.0"), kFailed,
     false},
    {"RemoteWithoutRoot", kLocal, HttpResponse(200, "<?xml version=\"1.0\"?><!-- nothing -->"), kFailed, false},
    {"RemoteWithoutVersionElement", kLocal, HttpResponse(200, "<publish>only text</publish>"), kFailed, false},
    {"VersionElementWithoutVersion", kLocal, HttpResponse(200, "<publish><release Version=\"2.0\"/></publish>"),
     kFailed, false},
    {"OtherElementBeforeVersionElement", kLocal,
     HttpResponse(200, "<publish><notes/><release version=\"1.0\"/></publish>"), kFailed, false},
    {"VersionsEqual", kLocal, HttpResponse(200, RemoteManifest("1.0")), kUpToDate, false},
    {"VersionsDiffer", kLocal, HttpResponse(200, RemoteManifest("2.0")), kUpdateDue, true},
    {"PublishedOlder", LocalManifest("3.0"), HttpResponse(200, RemoteManifest("2.0")), kUpdateDue, true},
    {"TrailingBlank", kLocal, HttpResponse(200, RemoteManifest("1.0 ")), kUpdateDue, true},
    {"NamesCommentsAndTextSkipped",
     "<!-- installed -->\n<a version=\"1.0\" url=\"http://127.0.0.1/\" info=\"m.xml\">text<b/></a>",
     HttpResponse(200, "<!-- published --><x>text<!-- c --><y version=\"1.0\"/></x>"), kUpToDate, false},
    {"ErrorStatusWithUsableBody", kLocal, HttpResponse(404, RemoteManifest("1.0")), kUpToDate, false},
    {"ServerErrorWithUsableBody", kLocal, HttpResponse(500, RemoteManifest("2.0")), kUpdateDue, true},
    {"ZeroByteCutsBody", kLocal, HttpResponse(200, RemoteManifest("1.0") + Zero() + kJunk), kUpToDate, false},
    {"UndeclaredLengthCutAfter10240Bytes", kLocal, HttpResponse(200, ManifestThenJunkAfter10240(), false), kUpToDate,
     false},
    {"UndeclaredLengthEndingAtByte10240", kLocal, HttpResponse(200, ManifestEndingAtByte(10240), false), kUpToDate,
     false},
    {"UndeclaredLengthEndingAtByte10241", kLocal, HttpResponse(200, ManifestEndingAtByte(10241), false), kFailed,
     false},
    {"DeclaredLengthReadInFull", kLocal, HttpResponse(200, ManifestThenJunkAfter10240()), kFailed, false},
    {"DeclaredLengthLongerThan10240", kLocal, HttpResponse(200, Padded(RemoteManifest("2.0"), 50000)), kUpdateDue,
     true},
};

class CheckAnswers : public ProviderTest, public testing::WithParamInterface<CheckCase> {};

TEST_P(CheckAnswers, ResultErrorWordAndManifests) {
  const CheckCase& c = GetParam();
  LoopbackServer server(Reply(c.response));
  ServeOnDefaultPort(server);
  if (c.local) WriteFile("Update.xml", *c.local);
  WriteFile("Server.xml", kOldServerManifest);

  EXPECT_EQ(CallExport(check), c.expected);

  EXPECT_EQ(ReadFile("Update.xml"), c.local) << "check never writes the local manifest";
  if (c.savesServerManifest) {
    TiXmlDocument saved("Server.xml");
    ASSERT_TRUE(saved.LoadFile());
    EXPECT_NE(saved.RootElement()->FirstChildElement()->Attribute("version"), nullptr);
  } else {
    EXPECT_EQ(ReadFile("Server.xml"), kOldServerManifest);
  }
}

INSTANTIATE_TEST_SUITE_P(Provider, CheckAnswers, testing::ValuesIn(kCheckCases),
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

struct AddressCase {
  const char* name;
  const char* url;
  const char* info;
  const char* object;  // what the request line names before "?v="
};

const AddressCase kAddressCases[] = {
    {"PlainHttp", "http://127.0.0.1", "/update/m.xml", "/update/m.xml"},
    {"SplitAnywhere", "http://127.0.0.1/upd", "ate/m.xml", "/update/m.xml"},
    {"SecureSchemeFetchedAsPlainHttp", "https://127.0.0.1", "/m.xml", "/m.xml"},
    {"ExplicitPortIgnored", "http://127.0.0.1:1", "/m.xml", "/m.xml"},
    {"QueryKept", "http://127.0.0.1", "/m.php?game=7", "/m.php?game=7"},
    {"HostOnly", "http://127.0.0.1", "", "/"},
    {"DotSegmentsRemoved", "http://127.0.0.1", "/a/./b/../m.xml", "/a/m.xml"},
    {"SpacesEscaped", "http://127.0.0.1", "/my update/m.xml", "/my%20update/m.xml"},
};

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

INSTANTIATE_TEST_SUITE_P(Provider, CheckAddress, testing::ValuesIn(kAddressCases),
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
