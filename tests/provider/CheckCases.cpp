#include "CheckCases.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include "Installation.h"
#include "LoopbackServer.h"

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

std::string ZeroByteThen(std::string text) {
  text.insert(text.begin(), '\0');
  return text;
}

std::vector<CheckCase> MakeCheckCases() {
  const std::string kLocal = LocalManifest("1.0");
  return {
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
      {"BodyStartsWithZeroByte", kLocal, HttpResponse(200, ZeroByteThen(RemoteManifest("2.0"))), kFailed, false},
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
}

}  // namespace

const std::vector<CheckCase>& CheckCases() {
  static const std::vector<CheckCase> cases = MakeCheckCases();
  return cases;
}

const std::vector<AddressCase>& AddressCases() {
  static const std::vector<AddressCase> cases = {
      {"PlainHttp", "http://127.0.0.1", "/update/m.xml", "/update/m.xml"},
      {"SplitAnywhere", "http://127.0.0.1/upd", "ate/m.xml", "/update/m.xml"},
      {"SecureSchemeFetchedAsPlainHttp", "https://127.0.0.1", "/m.xml", "/m.xml"},
      {"ExplicitPortIgnored", "http://127.0.0.1:1", "/m.xml", "/m.xml"},
      {"QueryKept", "http://127.0.0.1", "/m.php?game=7", "/m.php?game=7"},
      {"HostOnly", "http://127.0.0.1", "", "/"},
      {"DotSegmentsRemoved", "http://127.0.0.1", "/a/./b/../m.xml", "/a/m.xml"},
      {"SpacesEscaped", "http://127.0.0.1", "/my update/m.xml", "/my%20update/m.xml"},
  };
  return cases;
}

void PlaceCheckCase(const CheckCase& c, std::string_view host) {
  if (c.local) WriteFile("Update.xml", OnHost(*c.local, host));
  WriteFile("Server.xml", kOldServerManifest);
}

void ExpectCheckCaseManifests(const CheckCase& c, std::string_view host) {
  std::optional<std::string> local;
  if (c.local) local = OnHost(*c.local, host);
  EXPECT_EQ(ReadFile("Update.xml"), local) << "check never writes the local manifest";
  if (c.savesServerManifest) {
    TiXmlDocument saved("Server.xml");
    ASSERT_TRUE(saved.LoadFile());
    EXPECT_NE(saved.RootElement()->FirstChildElement()->Attribute("version"), nullptr);
  } else {
    EXPECT_EQ(ReadFile("Server.xml"), kOldServerManifest);
  }
}

std::string ExpectedRequest(std::string_view object, std::string_view host, unsigned v) {
  std::string request = "GET ";
  request.append(object).append("?v=").append(std::to_string(v)).append(" HTTP/1.0\r\n");
  request.append("Host: ").append(host).append("\r\n");
  return request + "User-Agent: iTorvex\r\nPragma: no-cache\r\n\r\n";
}

}  // namespace provider_test
