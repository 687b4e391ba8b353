// The framework's URL parser in the Windows build, over the platform's own
// canonicaliser and cracker: the stand-in's cases, all in one run of the
// probe under Wine.
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "UrlParseCases.h"
#include "WineFixture.h"

namespace wine_test {
namespace {

using provider_test::ParseCase;
using provider_test::ParseCases;

// Where the platform's cracker under Wine answers otherwise than the
// stand-in's: it takes an empty host, a port's leading digits and a port past
// 65535 (modulo 65536), and an "http:" without slashes, whose canonical form
// escapes the path's slash. The framework's parser only passes that on. The
// README says why the stand-in keeps rejecting them.
const std::map<std::string, std::string> kWineAnswers = {
    {"NoSlashes", "ok\thttp\t\tupdate.example%2Fm.xml\t0"},
    {"PortTooLarge", "ok\thttp\tupdate.example\t/m.xml\t34463"},
    {"PortNotANumber", "ok\thttp\tupdate.example\t/m.xml\t8"},
    {"NoHost", "ok\thttp\t\t/m.xml\t80"},
};

std::string Expected(const ParseCase& c) {
  if (auto wine = kWineAnswers.find(c.name); wine != kWineAnswers.end()) return wine->second;
  if (!c.ok) return "rejected";
  return std::string("ok\t") + c.service + "\t" + c.server + "\t" + c.object + "\t" + std::to_string(c.port);
}

class AfxParseUrlUnderWine : public WineTest {};

TEST_F(AfxParseUrlUnderWine, SplitsOrRejectsEveryCase) {
  WineRun probe{"afx_parse_probe.exe"};
  for (const ParseCase& c : ParseCases()) probe.args.push_back(c.url);

  WineOutput output = RunUnderWine(probe);

  ASSERT_TRUE(output.finished);
  std::istringstream lines(output.text);
  for (const ParseCase& c : ParseCases()) {
    std::string line;
    ASSERT_TRUE(std::getline(lines, line)) << "no answer from " << c.name << " on:\n" << output.text;
    if (!line.empty() && line.back() == '\r') line.pop_back();  // the console's line ends
    EXPECT_EQ(line, Expected(c)) << c.name << ": " << c.url;
  }
}

}  // namespace
}  // namespace wine_test
