// The objects behind HINTERNET handles: a session (InternetOpenA), its
// connections (InternetConnectA) and their requests (HttpOpenRequestA).
// Closing a handle closes the handles opened from it.
#pragma once

#include <memory>
#include <string>

#include "HttpTransfer.h"
#include "WinInet.h"

namespace winsim {

struct InternetObject {
  enum class Kind { Session, Connection, Request };
  InternetObject(Kind k, InternetObject* p) : kind(k), parent(p) {}
  virtual ~InternetObject() = default;
  Kind kind;
  InternetObject* parent;
};

struct InternetSession : InternetObject {
  InternetSession() : InternetObject(Kind::Session, nullptr) {}
  std::string agent;
  std::string proxy;
  std::string noProxy;
  long connectTimeoutMs = 0;
  long receiveTimeoutMs = 0;
};

struct InternetConnection : InternetObject {
  explicit InternetConnection(InternetSession* session) : InternetObject(Kind::Connection, session) {}
  InternetSession& Session() const { return *static_cast<InternetSession*>(parent); }
  std::string server;
  INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
};

struct HttpRequest : InternetObject {
  explicit HttpRequest(InternetConnection* connection) : InternetObject(Kind::Request, connection) {}
  InternetConnection& Connection() const { return *static_cast<InternetConnection*>(parent); }
  std::string object;
  bool http10 = false;
  bool pragmaNoCache = false;
  std::unique_ptr<HttpTransfer> transfer;  // set once the request is sent
};

HINTERNET AddInternetHandle(std::unique_ptr<InternetObject> object);
// The object of that kind behind the handle; null (and the last error set)
// for an unknown handle or one of another kind.
InternetObject* FindInternetHandle(HINTERNET handle, InternetObject::Kind kind);
bool CloseInternetHandle(HINTERNET handle);
// Handles open in the process (tests check that callers close theirs).
size_t OpenInternetHandleCount();

}  // namespace winsim
