#include "WineFixture.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>
#include <thread>

namespace wine_test {

void WineTest::SetUp() {
  if (!std::filesystem::exists(WindowsBin() / "Ostrel.dll") ||
      !std::filesystem::exists(WindowsBuild() / "wine-prefix" / "system.reg")) {
    GTEST_SKIP() << "no Windows build or Wine prefix in " << WindowsBuild() << " (scripts/windows.sh test makes them)";
  }
}

std::string FreshLoopbackAddress() {
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<int> part(1, 254);
  return "127." + std::to_string(part(generator)) + "." + std::to_string(part(generator)) + "." +
         std::to_string(part(generator));
}

std::unique_ptr<provider_test::LoopbackServer> ServeOnHttpPort(provider_test::Answer answer) {
  for (int attempt = 0;; ++attempt) {
    try {
      return std::make_unique<provider_test::LoopbackServer>(answer, FreshLoopbackAddress(), 80);
    } catch (const std::system_error& e) {
      if (e.code().value() != EADDRINUSE || attempt == 16) throw;
    }
  }
}

std::optional<std::string> WaitForLines(const std::string& path, size_t lines, std::chrono::seconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (true) {
    std::optional<std::string> content = provider_test::ReadFile(path);
    if (content && static_cast<size_t>(std::count(content->begin(), content->end(), '\n')) >= lines) return content;
    if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

void PlaceProgram(const char* program, const std::string& path) {
  std::filesystem::path target(path);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path());
  std::filesystem::copy_file(WindowsBin() / program, target, std::filesystem::copy_options::overwrite_existing);
}

}  // namespace wine_test
