// The behaviour cases of finish: the installation it starts from, what it
// answers and what it leaves on disk. They run against the export in-process
// and against the Windows build under Wine.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace provider_test {

using Files = std::vector<std::pair<std::string, std::optional<std::string>>>;

// What the local manifest looks like afterwards.
enum class Local { Untouched, EmptiedVersionKept, EmptiedVersionRecorded };

struct FinishCase {
  const char* name;
  std::optional<std::string> local;   // "./Update.xml" before
  std::optional<std::string> server;  // "./Server.xml" before
  Files before;                       // files placed before the call
  bool expected;
  Local localAfter;
  bool serverKept;
  Files after;  // files expected afterwards (none: must be missing)
};

const std::vector<FinishCase>& FinishCases();

// Entries whose file must not be registered: the mark is not exactly
// "true", or the file was not moved into place.
struct NoRegistrationCase {
  const char* name;
  std::string entry;
  Files before;  // "x.dll", when present, is made read-only
};

const std::vector<NoRegistrationCase>& NoRegistrationCases();

extern const std::string kPublished;
// "a.dll" and "sub/b.dat" installed, with their downloads beside them.
extern const Files kInstalledAndDownloaded;
// Their entries in the local manifest.
extern const std::string kTwoEntries;

// A local manifest of version 1.0 whose list holds `entries`.
std::string Local(std::string_view entries);
void Place(const Files& files);
void ExpectFiles(const Files& files);
// The list is emptied, the root keeps its address and holds `version`.
void ExpectLocalEmptied(const char* version);

// kInstalledAndDownloaded, listed by kTwoEntries, with the published manifest.
void PlaceTwoEntries();
// After finish on PlaceTwoEntries() when the first target could not be given
// up: it is as it was, beside its download; the second was replaced; the
// version was not recorded.
void ExpectFirstOfTwoEntriesFailed();

void PlaceFinishCase(const FinishCase& c);
// The manifests and files afterwards.
void ExpectFinishCaseAfter(const FinishCase& c);

}  // namespace provider_test
