// The cases of the framework's URL parser, AfxParseURL: how an address is
// split, or that it is rejected. They run over the stand-in's WinINet and,
// in the Windows build, over the platform's own under Wine.
#pragma once

#include <vector>

namespace provider_test {

struct ParseCase {
  const char* name;
  const char* url;
  bool ok;
  const char* service;  // "http", "https" or "ftp"
  const char* server;
  const char* object;
  unsigned port;
};

const std::vector<ParseCase>& ParseCases();

}  // namespace provider_test
