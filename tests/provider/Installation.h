// A fresh installation folder that is the current directory for the length of
// one test, and the manifests and files that tests place in it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace provider_test {

class Installation {
 public:
  Installation();
  ~Installation();
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
  std::string m_previous;
};

void WriteFile(const std::string& path, std::string_view content);
// The whole file, or nothing when it is missing.
std::optional<std::string> ReadFile(const std::string& path);
bool Exists(const std::string& path);

// "./Update.xml" text: a root with version and address, and a list element
// holding `entries`.
std::string LocalManifest(std::string_view version, std::string_view url = "http://127.0.0.1",
                          std::string_view info = "/update/manifest.xml", std::string_view entries = "");
// A published manifest: a root whose first child element carries `version`.
std::string RemoteManifest(std::string_view version);
// A file entry of the local manifest.
std::string FileEntry(std::string_view path, std::string_view name, std::string_view registerMark = {});
// `text` with every "127.0.0.1" in it naming `host` instead.
std::string OnHost(std::string_view text, std::string_view host);

// Sets or, with a null value, removes an environment variable for one scope.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string m_name;
  std::optional<std::string> m_previous;
};

}  // namespace provider_test
