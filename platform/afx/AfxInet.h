// The framework's internet helpers (URL parsing). Included through
// framework.h, after the platform's WinINet declarations.
#pragma once

#include "afx/AfxString.h"

#ifndef AFXAPI
#define AFXAPI
#endif

// Service types that AfxParseURL reports. Callers tell them apart only by
// name; the FTP and HTTP values are WinINet's service numbers.
#define AFX_INET_SERVICE_FTP INTERNET_SERVICE_FTP
#define AFX_INET_SERVICE_HTTP INTERNET_SERVICE_HTTP
#define AFX_INET_SERVICE_UNK 0x1000
#define AFX_INET_SERVICE_HTTPS (AFX_INET_SERVICE_UNK + 8)

// Splits an absolute address into service type, server name, object (path
// and query) and port, after canonicalising it in browser mode. FALSE for an
// empty address, one without a scheme, or one of a service it does not know.
BOOL AFXAPI AfxParseURL(LPCSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                        INTERNET_PORT& nPort);
