// The time of one check in the Windows build under Wine beside the Linux
// build's, in one run and against one server: port 80 of a loopback address
// of its own, where both builds send their request. The Windows build's time
// is the export's own, as the host measures it around the call; the whole
// run of the host under Wine (its start included) is the counter host_run_s.
// Needs the Windows build (scripts/windows.sh) and root for port 80:
//   build/bin/wine_check_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "Installation.h"
#include "WineFixture.h"
#include "provider/Exports.h"

namespace {

using namespace provider_test;
using namespace wine_test;

void BM_CheckLinuxBuild(benchmark::State& state) {
  ScopedEnvironment port("WINSIM_HTTP_PORT", "80");
  ScopedEnvironment noProxy("http_proxy", nullptr);
  for (auto _ : state) {
    int error = 0;
    bool upToDate = check(&error);
    if (!upToDate || error != 0) state.SkipWithError("check did not find the versions equal");
  }
}
BENCHMARK(BM_CheckLinuxBuild)->Unit(benchmark::kMillisecond);

void BM_CheckWindowsBuildUnderWine(benchmark::State& state) {
  double hostSeconds = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    HostAnswer answer = RunHost({"check"});
    hostSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (answer.outcome != kUpToDate) state.SkipWithError(("check answered: " + answer.output).c_str());
    state.SetIterationTime(std::chrono::duration<double>(answer.callTime).count());
  }
  state.counters["host_run_s"] = benchmark::Counter(hostSeconds, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CheckWindowsBuildUnderWine)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Installation installation;
  std::unique_ptr<LoopbackServer> server = ServeOnHttpPort(Reply(HttpResponse(200, RemoteManifest("1.0"))));
  WriteFile("Update.xml", LocalManifest("1.0", "http://" + server->Address(), "/update/manifest.xml"));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
