// Real processes for CreateProcessA and the shell's "open" on a program.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace winsim {

struct SpawnRequest {
  std::string path;                 // file to execute; relative to the caller's current folder
  std::vector<std::string> argv;    // argv[0] first
  std::string commandLine;          // the whole Windows command line, given to the child as WINSIM_CMDLINE
  const char* environment = nullptr;  // "k=v\0...\0\0" block, or null to inherit
  std::string directory;            // child's current folder; empty to inherit
  bool inheritHandles = false;
};

struct SpawnResult {
  pid_t pid = -1;
  int error = 0;  // errno of the failure, 0 on success
};

SpawnResult Spawn(const SpawnRequest& request);
// The platform error code for a failed exec or chdir.
unsigned long ErrorFromErrno(int error);
// Windows paths use both separators; Linux understands only '/'.
std::string HostPath(const std::string& path);

}  // namespace winsim
