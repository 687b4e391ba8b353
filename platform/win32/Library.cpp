// LoadLibraryA over dlopen with the platform's search order: the program's
// folder, the system's own libraries, the current folder, then PATH.
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Process.h"
#include "Unsupported.h"
#include "WinBase.h"

namespace {

// The platform's own libraries are all this stand-in.
constexpr std::array<const char*, 12> kSystemLibraries = {
    "user32.dll", "kernel32.dll", "gdi32.dll",    "shell32.dll",  "ole32.dll",   "oleaut32.dll",
    "wininet.dll", "comctl32.dll", "gdiplus.dll", "advapi32.dll", "msimg32.dll", "shlwapi.dll"};

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

bool IsSystemLibrary(const std::string& name) {
  std::string lower = Lower(name);
  if (lower.find('.') == std::string::npos) lower += ".dll";
  return std::find(kSystemLibraries.begin(), kSystemLibraries.end(), lower) != kSystemLibraries.end();
}

void* SelfHandle() {
  Dl_info info{};
  dladdr(reinterpret_cast<void*>(&LoadLibraryA), &info);
  return dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
}

std::string ProgramFolder() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string p(path, static_cast<size_t>(n));
  return p.substr(0, p.rfind('/'));
}

bool IsFile(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Search(const std::string& name) {
  std::string candidates[] = {ProgramFolder() + "/" + name, "./" + name};
  for (const std::string& c : candidates) {
    if (IsFile(c)) return c;
  }
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!dir.empty() && IsFile(dir + "/" + name)) return dir + "/" + name;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return {};
}

}  // namespace

extern "C" HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
  if (!lpLibFileName || !*lpLibFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string name = winsim::HostPath(lpLibFileName);
  if (name.find('/') == std::string::npos && IsSystemLibrary(name)) return reinterpret_cast<HMODULE>(SelfHandle());
  std::string path = name.find('/') == std::string::npos ? Search(name) : name;
  if (path.empty() || !IsFile(path)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(handle);
}

extern "C" BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  if (!hLibModule) return FALSE;
  return dlclose(reinterpret_cast<void*>(hLibModule)) == 0 ? TRUE : FALSE;
}

extern "C" FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  if (!hModule || !lpProcName) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (IS_INTRESOURCE(lpProcName)) {
    WINSIM_UNSUPPORTED("lookup by ordinal");
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  void* symbol = dlsym(reinterpret_cast<void*>(hModule), lpProcName);
  if (!symbol) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}

extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (!lpModuleName) {
    static void* program = dlopen(nullptr, RTLD_NOW);
    return reinterpret_cast<HMODULE>(program);
  }
  std::string name = winsim::HostPath(lpModuleName);
  if (IsSystemLibrary(name)) return reinterpret_cast<HMODULE>(SelfHandle());
  void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (!handle) SetLastError(ERROR_MOD_NOT_FOUND);
  return reinterpret_cast<HMODULE>(handle);
}

extern "C" DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  std::string path;
  if (!hModule || hModule == GetModuleHandleA(nullptr)) {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n > 0) path.assign(buf, static_cast<size_t>(n));
  } else {
    link_map* map = nullptr;
    if (dlinfo(reinterpret_cast<void*>(hModule), RTLD_DI_LINKMAP, &map) == 0 && map) path = map->l_name;
  }
  if (nSize == 0 || !lpFilename) return 0;
  size_t n = std::min<size_t>(path.size(), nSize - 1);
  std::memcpy(lpFilename, path.data(), n);
  lpFilename[n] = 0;
  if (path.size() >= nSize) SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return static_cast<DWORD>(n);
}
