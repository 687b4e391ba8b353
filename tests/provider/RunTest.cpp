// run when there is no updater to start: the launcher must be told so,
// whatever its error word held before the call.
#include <climits>

#include "ProviderFixture.h"

namespace provider_test {
namespace {

class RunWithoutUpdater : public ProviderTest, public testing::WithParamInterface<int> {};

TEST_P(RunWithoutUpdater, FailsAndSetsTheErrorWord) {
  ASSERT_FALSE(Exists("Varnhold.exe"));
  int error = GetParam();
  EXPECT_FALSE(run(&error));
  EXPECT_EQ(error, -1);
}

INSTANTIATE_TEST_SUITE_P(Provider, RunWithoutUpdater, testing::Values(0, 1, -1, 0x5A5A, INT_MIN, INT_MAX));

}  // namespace
}  // namespace provider_test
