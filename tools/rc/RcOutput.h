// Writes compiled resources as sources the program is built from: an
// assembly file with the bytes and a C++ table that the module exports.
#pragma once

#include <string>
#include <vector>

#include "RcResource.h"

namespace rc {

void WriteOutputs(const std::vector<Resource>& resources, const std::string& outDir);

}  // namespace rc
