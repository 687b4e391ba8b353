// Runs the framework's URL parser, AfxParseURL, over the platform's own
// WinINet on each address it is given, one line per address:
//   ok<TAB>service<TAB>server<TAB>object<TAB>port
//   rejected
#include <cstdio>

#include "framework.h"

namespace {

const char* ServiceName(DWORD dwService) {
  switch (dwService) {
    case AFX_INET_SERVICE_HTTP:
      return "http";
    case AFX_INET_SERVICE_HTTPS:
      return "https";
    case AFX_INET_SERVICE_FTP:
      return "ftp";
    default:
      return "unknown";
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    DWORD dwService = 0;
    CString strServer, strObject;
    INTERNET_PORT nPort = 0;
    if (AfxParseURL(argv[i], dwService, strServer, strObject, nPort)) {
      std::printf("ok\t%s\t%s\t%s\t%u\n", ServiceName(dwService), strServer.GetString(), strObject.GetString(),
                  static_cast<unsigned>(nPort));
    } else {
      std::printf("rejected\n");
    }
  }
  return 0;
}
