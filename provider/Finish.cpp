// finish: after the updater has run, moves every downloaded file into place,
// registers those marked, records the published version and forgets the
// published manifest.
#include "framework.h"
#include "provider/Exports.h"
#include "provider/Manifest.h"
#include "provider/UpdateFile.h"

namespace {

// Walks the file entries in document order; FALSE when any of them failed.
// A failed entry does not stop the walk, and nothing done is rolled back.
BOOL InstallAll(const TiXmlElement* pFirstEntry) {
  BOOL bSuccess = TRUE;
  for (const TiXmlElement* pEntry = pFirstEntry; pEntry; pEntry = pEntry->NextSiblingElement()) {
    CUpdateFile file;
    if (!file.Read(pEntry) || !file.Install()) bSuccess = FALSE;
  }
  return bSuccess;
}

}  // namespace

OSTREL_EXPORT bool __cdecl finish(int* pError) {
  *pError = 0;
  TiXmlDocument local(kLocalManifest);
  if (!local.LoadFile(TIXML_DEFAULT_ENCODING)) return false;
  TiXmlElement* pRoot = local.RootElement();
  if (!pRoot) return false;
  TiXmlElement* pList = pRoot->FirstChildElement();
  if (!pList) return false;
  const TiXmlElement* pFirstEntry = pList->FirstChildElement();
  if (!pFirstEntry) return true;

  BOOL bSuccess = InstallAll(pFirstEntry);
  pList->Clear();
  if (bSuccess) {
    TiXmlDocument server(kServerManifest);
    if (!server.LoadFile(TIXML_DEFAULT_ENCODING)) return false;
    const std::string* pVersion = PublishedVersion(server);
    if (!pVersion) return false;
    pRoot->SetAttribute(std::string("version"), *pVersion);
  }
  // Neither outcome changes the answer.
  local.SaveFile();
  DeleteFileA(kServerManifest);
  return bSuccess != FALSE;
}
