// The platform's named constants a resource script may use.
#pragma once

#include <map>
#include <string>

namespace rc {

std::map<std::string, long long> BuiltInSymbols();

}  // namespace rc
