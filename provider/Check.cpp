// check: is the installed version the published one? When it is not, the
// published manifest is kept as "./Server.xml" for the updater.
#include "framework.h"
#include "provider/Exports.h"
#include "provider/HttpGet.h"
#include "provider/Manifest.h"

namespace {

bool Failed(int* pError) {
  *pError = -1;
  return false;
}

}  // namespace

OSTREL_EXPORT bool __cdecl check(int* pError) {
  *pError = 0;
  TiXmlDocument local(kLocalManifest);
  if (!local.LoadFile(TIXML_DEFAULT_ENCODING)) return Failed(pError);
  const TiXmlElement* pRoot = local.RootElement();
  if (!pRoot) return Failed(pError);
  const std::string* pLocalVersion = pRoot->Attribute(std::string("version"));
  const std::string* pUrl = pRoot->Attribute(std::string("url"));
  const std::string* pInfo = pRoot->Attribute(std::string("info"));
  if (!pLocalVersion || !pUrl || !pInfo) return Failed(pError);
  CString strAddress = CString(*pUrl) + CString(*pInfo);

  DWORD dwService = 0;
  CString strServer, strObject;
  INTERNET_PORT nPort = 0;
  // Only the server and the object are used: the manifest is always fetched
  // as plain HTTP from the default port.
  if (!AfxParseURL(strAddress, dwService, strServer, strObject, nPort)) return Failed(pError);
  CHttpGet request;
  request.m_strServer = strServer;
  request.m_strObject = strObject;
  CString strBody = request.Get(pError);
  if (*pError != 0) return false;

  TiXmlDocument remote;
  remote.Parse(strBody, nullptr, TIXML_DEFAULT_ENCODING);
  if (remote.Error()) return Failed(pError);
  const std::string* pRemoteVersion = PublishedVersion(remote);
  if (!pRemoteVersion) return Failed(pError);
  if (*pLocalVersion == *pRemoteVersion) return true;
  // Whether the copy could be saved does not change the answer.
  remote.SaveFile(kServerManifest);
  return false;
}
