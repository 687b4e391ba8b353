#include "Installation.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace provider_test {

namespace fs = std::filesystem;

Installation::Installation() {
  std::string pattern = (fs::temp_directory_path() / "ostrel-test-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) throw std::runtime_error("cannot make an installation folder");
  m_path = buffer.data();
  m_previous = fs::current_path().string();
  fs::current_path(m_path);
}

Installation::~Installation() {
  std::error_code ignored;
  fs::current_path(m_previous, ignored);
  fs::remove_all(m_path, ignored);
}

void WriteFile(const std::string& path, std::string_view content) {
  fs::path file(path);
  if (file.has_parent_path()) fs::create_directories(file.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(path, ignored));
}

std::string LocalManifest(std::string_view version, std::string_view url, std::string_view info,
                          std::string_view entries) {
  std::string text = "<?xml version=\"1.0\" ?>\n<update version=\"";
  text.append(version).append("\" url=\"").append(url).append("\" info=\"").append(info);
  text.append("\">\n<files>").append(entries).append("</files>\n</update>\n");
  return text;
}

std::string RemoteManifest(std::string_view version) {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<publish>\n<release version=\"";
  text.append(version).append("\" />\n<download base=\"http://files.example/\" />\n</publish>\n");
  return text;
}

std::string FileEntry(std::string_view path, std::string_view name, std::string_view registerMark) {
  std::string text = "<file path=\"";
  text.append(path).append("\" name=\"").append(name).append("\"");
  if (!registerMark.empty()) text.append(" register=\"").append(registerMark).append("\"");
  return text + " />";
}

std::string OnHost(std::string_view text, std::string_view host) {
  const std::string_view loopback = "127.0.0.1";
  std::string result(text);
  for (size_t at = result.find(loopback); at != std::string::npos; at = result.find(loopback, at + host.size())) {
    result.replace(at, loopback.size(), host);
  }
  return result;
}

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value) : m_name(name) {
  if (const char* previous = std::getenv(name)) m_previous = previous;
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

ScopedEnvironment::~ScopedEnvironment() {
  if (m_previous) {
    setenv(m_name.c_str(), m_previous->c_str(), 1);
  } else {
    unsetenv(m_name.c_str());
  }
}

}  // namespace provider_test
