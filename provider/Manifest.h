// The two manifests of the update cycle. Both are read and written through
// TinyXML, and every node is found by its position (first element, first
// child element, next sibling element), never by its name.
#pragma once

#include <tinyxml.h>

#include <string>

// Installed version, manifest address and downloaded files waiting to be
// moved into place.
inline constexpr char kLocalManifest[] = "./Update.xml";
// The published manifest as the last check fetched it, kept for the updater.
inline constexpr char kServerManifest[] = "./Server.xml";

// The published version of a remote manifest: the "version" of the root's
// first child element. Null when the root, that element or the attribute is
// missing.
const std::string* PublishedVersion(const TiXmlDocument& document);
