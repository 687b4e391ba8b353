// Calls one export of Ostrel.dll, loaded by name as the launcher loads it,
// and prints what it answered:
//   result <byte> error <word> microseconds <time of the call>
// Usage: ostrel_host EXPORT [ERROR-WORD] [--hold FILE]...
// The error word starts as given (default 0x5A5A, garbage the export must
// overwrite). Each FILE is held open while the export runs, shared for
// reading only, as a running program holds its own files.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

typedef bool(__cdecl* ExportFn)(int*);

struct Invocation {
  const char* exportName = nullptr;
  int errorWord = 0x5A5A;
  std::vector<const char*> held;
};

bool Parse(int argc, char** argv, Invocation& call) {
  if (argc < 2) return false;
  call.exportName = argv[1];
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--hold") == 0 && i + 1 < argc) {
      call.held.push_back(argv[++i]);
    } else {
      call.errorWord = static_cast<int>(std::strtol(argv[i], nullptr, 0));
    }
  }
  return true;
}

std::vector<HANDLE> Hold(const std::vector<const char*>& files) {
  std::vector<HANDLE> handles;
  for (const char* file : files) {
    HANDLE h = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      std::fprintf(stderr, "cannot hold %s (error %lu)\n", file, GetLastError());
      std::exit(3);
    }
    handles.push_back(h);
  }
  return handles;
}

}  // namespace

int main(int argc, char** argv) {
  Invocation call;
  if (!Parse(argc, argv, call)) {
    std::fprintf(stderr, "usage: ostrel_host EXPORT [ERROR-WORD] [--hold FILE]...\n");
    return 2;
  }
  HMODULE hProvider = LoadLibraryA("Ostrel.dll");
  if (!hProvider) {
    std::fprintf(stderr, "Ostrel.dll not loaded (error %lu)\n", GetLastError());
    return 2;
  }
  ExportFn fn = reinterpret_cast<ExportFn>(reinterpret_cast<void*>(GetProcAddress(hProvider, call.exportName)));
  if (!fn) {
    std::fprintf(stderr, "no export %s\n", call.exportName);
    return 2;
  }
  std::vector<HANDLE> held = Hold(call.held);

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  bool result = fn(&call.errorWord);
  QueryPerformanceCounter(&end);

  for (HANDLE h : held) CloseHandle(h);
  long long microseconds = (end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart;
  std::printf("result %d error %d microseconds %lld\n", result ? 1 : 0, call.errorWord, microseconds);
  return 0;
}
