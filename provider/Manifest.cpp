#include "provider/Manifest.h"

const std::string* PublishedVersion(const TiXmlDocument& document) {
  const TiXmlElement* pRoot = document.RootElement();
  if (!pRoot) return nullptr;
  const TiXmlElement* pVersion = pRoot->FirstChildElement();
  if (!pVersion) return nullptr;
  return pVersion->Attribute(std::string("version"));
}
