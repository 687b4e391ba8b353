#include "InternetHandle.h"

#include <map>
#include <mutex>
#include <vector>

#include "win32/WinBase.h"

namespace winsim {

namespace {

std::mutex g_handlesMutex;
std::map<HINTERNET, std::unique_ptr<InternetObject>> g_handles;

// Children first, so that a request never outlives its connection.
void CloseLocked(HINTERNET handle) {
  std::vector<HINTERNET> children;
  for (const auto& [key, object] : g_handles) {
    if (object->parent == handle) children.push_back(key);
  }
  for (HINTERNET child : children) CloseLocked(child);
  g_handles.erase(handle);
}

}  // namespace

HINTERNET AddInternetHandle(std::unique_ptr<InternetObject> object) {
  std::lock_guard<std::mutex> lock(g_handlesMutex);
  HINTERNET handle = object.get();
  g_handles.emplace(handle, std::move(object));
  return handle;
}

InternetObject* FindInternetHandle(HINTERNET handle, InternetObject::Kind kind) {
  std::lock_guard<std::mutex> lock(g_handlesMutex);
  auto it = g_handles.find(handle);
  if (it == g_handles.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (it->second->kind != kind) {
    SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
    return nullptr;
  }
  return it->second.get();
}

bool CloseInternetHandle(HINTERNET handle) {
  std::lock_guard<std::mutex> lock(g_handlesMutex);
  if (g_handles.find(handle) == g_handles.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  CloseLocked(handle);
  return true;
}

size_t OpenInternetHandleCount() {
  std::lock_guard<std::mutex> lock(g_handlesMutex);
  return g_handles.size();
}

}  // namespace winsim
