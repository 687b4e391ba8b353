// run in the Windows build under Wine: the updater started by the platform's
// CreateProcessA, with the token as its whole command line.
#include <filesystem>
#include <string>

#include "WineFixture.h"

namespace wine_test {
namespace {

using namespace provider_test;

const char kUpdaterToken[] = "QT731M5E-W2N9-4bd0-H6KC-ZX05F3R8LUJB";

class RunUnderWine : public WineTest {};

TEST_F(RunUnderWine, StartsTheUpdaterWithTheToken) {
  PlaceProgram("Varnhold.exe", "Varnhold.exe");

  EXPECT_EQ(CallUnderWine("run"), (Outcome{true, 0}));

  // The stand-in updater records its command line and its current folder.
  std::optional<std::string> log = WaitForLines("varnhold.log", 2);
  ASSERT_TRUE(log) << "the updater did not start";
  EXPECT_EQ(*log, std::string(kUpdaterToken) + "\n" + ZPath(m_installation.Path()) + "\n");
}

// The build's folder holds a Varnhold.exe beside Ostrel.dll and the host:
// run looks for it in the current folder only.
TEST_F(RunUnderWine, MissingUpdaterFails) {
  ASSERT_TRUE(std::filesystem::exists(WindowsBin() / "Varnhold.exe"));

  EXPECT_EQ(CallUnderWine("run"), kFailed);

  EXPECT_FALSE(Exists("varnhold.log"));
}

}  // namespace
}  // namespace wine_test
