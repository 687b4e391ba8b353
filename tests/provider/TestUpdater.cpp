// A stand-in for the updater program "Varnhold", for tests of the update
// cycle. Started with the updater token as its whole command line, it does
// what the provider expects of the real one: for every file that the saved
// published manifest lists (its second element's children, with the file's
// new content given inline, since nothing is downloaded here) it places
// "<path><name>.tmp" and lists the file in the local manifest's list element.
// With VARNHOLD_LAUNCHER set it then restarts that launcher with "TRUE" and
// waits for it to end. "./varnhold.done" tells a waiting test that it is
// through: the updater's own exit code, then the launcher's.
#include <tinyxml.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework.h"

namespace {

const char kUpdaterToken[] = "QT731M5E-W2N9-4bd0-H6KC-ZX05F3R8LUJB";

bool PlaceDownloads(const TiXmlElement* pFiles, TiXmlElement* pList) {
  for (const TiXmlElement* pFile = pFiles->FirstChildElement(); pFile; pFile = pFile->NextSiblingElement()) {
    const char* pszPath = pFile->Attribute("path");
    const char* pszName = pFile->Attribute("name");
    const char* pszContent = pFile->Attribute("content");
    if (!pszPath || !pszName || !pszContent) return false;
    std::string download = std::string(pszPath) + pszName + ".tmp";
    FILE* out = std::fopen(download.c_str(), "wb");
    if (!out) return false;
    std::fputs(pszContent, out);
    std::fclose(out);
    TiXmlElement entry("file");
    entry.SetAttribute("path", pszPath);
    entry.SetAttribute("name", pszName);
    if (const char* pszRegister = pFile->Attribute("register")) entry.SetAttribute("register", pszRegister);
    pList->InsertEndChild(entry);
  }
  return true;
}

// The launcher's exit code, or -1 when there is none.
long RestartLauncher() {
  const char* launcher = std::getenv("VARNHOLD_LAUNCHER");
  if (!launcher) return -1;
  std::string commandLine = std::string("\"") + launcher + "\" TRUE";
  STARTUPINFOA startup{};
  startup.cb = 68;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(launcher, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  DWORD exitCode = 0;
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return static_cast<long>(exitCode);
}

int Update(long& launcherExit) {
  if (std::string(GetCommandLineA()) != kUpdaterToken) return 2;
  TiXmlDocument server("./Server.xml");
  TiXmlDocument local("./Update.xml");
  if (!server.LoadFile() || !local.LoadFile()) return 3;
  const TiXmlElement* pRelease = server.RootElement() ? server.RootElement()->FirstChildElement() : nullptr;
  const TiXmlElement* pFiles = pRelease ? pRelease->NextSiblingElement() : nullptr;
  TiXmlElement* pList = local.RootElement() ? local.RootElement()->FirstChildElement() : nullptr;
  if (!pFiles || !pList || !PlaceDownloads(pFiles, pList) || !local.SaveFile()) return 4;
  launcherExit = RestartLauncher();
  return 0;
}

}  // namespace

int main() {
  long launcherExit = -1;
  int result = Update(launcherExit);
  if (FILE* done = std::fopen("varnhold.done", "w")) {
    std::fprintf(done, "%d %ld\n", result, launcherExit);
    std::fclose(done);
  }
  return result;
}
