// The request object of the version check: one plain HTTP GET of the remote
// manifest.
#pragma once

#include "framework.h"

class CHttpGet {
 public:
  CString m_strServer;  // host name of the manifest address
  CString m_strObject;  // object path of the manifest address

  // The response body, converted from UTF-8 to the calling thread's ANSI
  // code page. On failure the error word is set to -1 and the text is empty;
  // on success the error word is left as it was.
  CString Get(int* pError);
};
