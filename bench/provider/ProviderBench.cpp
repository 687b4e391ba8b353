// check against one plain socket GET of the same manifest from the same
// loopback server, and finish over 1,000 files against a plain loop that
// deletes and renames them. Compare the medians:
//   provider_bench --benchmark_repetitions=15 --benchmark_report_aggregates_only
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "Installation.h"
#include "LoopbackServer.h"
#include "provider/Exports.h"

namespace provider_test {
namespace {

constexpr int kFiles = 1000;

std::string Manifest() { return HttpResponse(200, RemoteManifest("1.0")); }

void BM_Check(benchmark::State& state) {
  Installation installation;
  LoopbackServer server(Reply(Manifest()));
  ScopedEnvironment port("WINSIM_HTTP_PORT", std::to_string(server.Port()).c_str());
  ScopedEnvironment noProxy("http_proxy", nullptr);
  WriteFile("Update.xml", LocalManifest("1.0"));
  for (auto _ : state) {
    int error = 0;
    bool upToDate = check(&error);
    if (!upToDate || error != 0) state.SkipWithError("check did not find the versions equal");
  }
}
BENCHMARK(BM_Check)->Unit(benchmark::kMicrosecond);

// Connect, send the request, read the whole answer.
bool PlainGet(int port, const std::string& request, std::string& answer) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            send(fd, request.data(), request.size(), 0) == static_cast<ssize_t>(request.size());
  answer.clear();
  char buffer[16384];
  for (ssize_t n; ok && (n = recv(fd, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, static_cast<size_t>(n));
  close(fd);
  return ok;
}

void BM_PlainSocketGet(benchmark::State& state) {
  LoopbackServer server(Reply(Manifest()));
  std::string request = "GET /update/manifest.xml?v=1 HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
  std::string answer;
  for (auto _ : state) {
    if (!PlainGet(server.Port(), request, answer) || answer.empty()) state.SkipWithError("no answer");
  }
}
BENCHMARK(BM_PlainSocketGet)->Unit(benchmark::kMicrosecond);

std::string BaseName(int i) { return std::string("f").append(std::to_string(i)).append(".dll"); }
std::string FileName(int i) { return std::string("files/").append(BaseName(i)); }

// Every target installed with its download beside it.
void PlaceFiles() {
  for (int i = 0; i < kFiles; ++i) {
    WriteFile(FileName(i), "old");
    WriteFile(FileName(i) + ".tmp", "new");
  }
}

void BM_Finish(benchmark::State& state) {
  Installation installation;
  std::string entries;
  for (int i = 0; i < kFiles; ++i) entries += FileEntry("files/", BaseName(i));
  std::string local = LocalManifest("1.0", "http://127.0.0.1", "/m.xml", entries);
  for (auto _ : state) {
    state.PauseTiming();
    PlaceFiles();
    WriteFile("Update.xml", local);
    WriteFile("Server.xml", RemoteManifest("2.0"));
    state.ResumeTiming();
    int error = 0;
    if (!finish(&error)) state.SkipWithError("finish failed");
  }
}
BENCHMARK(BM_Finish)->Unit(benchmark::kMillisecond);

void BM_PlainDeleteAndRename(benchmark::State& state) {
  Installation installation;
  for (auto _ : state) {
    state.PauseTiming();
    PlaceFiles();
    state.ResumeTiming();
    for (int i = 0; i < kFiles; ++i) {
      std::string target = FileName(i);
      // renameat: the host's own move, whatever the product's rename is linked to.
      if (unlink(target.c_str()) != 0 || renameat(AT_FDCWD, (target + ".tmp").c_str(), AT_FDCWD, target.c_str()) != 0) {
        state.SkipWithError("plain loop failed");
      }
    }
  }
}
BENCHMARK(BM_PlainDeleteAndRename)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace provider_test
