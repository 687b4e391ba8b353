// The behaviour cases of check: what the server answers, what check says
// and which manifests it leaves. They run against the export in-process and
// against the Windows build under Wine.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Outcome.h"

namespace provider_test {

struct CheckCase {
  const char* name;
  std::optional<std::string> local;  // "./Update.xml", none when missing
  std::string response;              // what the server answers
  Outcome expected;
  bool savesServerManifest;
};

const std::vector<CheckCase>& CheckCases();

// The installation a case starts from, its manifest address on `host`: the
// local manifest, and the copy of the published one an earlier check left.
void PlaceCheckCase(const CheckCase& c, std::string_view host = "127.0.0.1");
// The manifests afterwards: the local one as it was; "./Server.xml" replaced
// by the published document exactly when the versions differ.
void ExpectCheckCaseManifests(const CheckCase& c, std::string_view host = "127.0.0.1");

// How the manifest address is split: "url" and "info" as the local manifest
// holds them (on 127.0.0.1), and the object the request line names.
struct AddressCase {
  const char* name;
  const char* url;
  const char* info;
  const char* object;  // what the request line names before "?v="
};

const std::vector<AddressCase>& AddressCases();

// Every byte of the request that check sends for `object` on `host`, with
// the time value `v`, as the platform's WinINet sends it.
std::string ExpectedRequest(std::string_view object, std::string_view host, unsigned v);

}  // namespace provider_test
