// A module's resources, as the resource compiler lays them out: the module
// exports the table under the symbol `winsim_resources`, as a module carries
// its resource section.
#pragma once

#include <cstdint>

#include "WinDef.h"

extern "C" {

struct WinsimResourceEntry {
  const char* typeName;  // upper-case name for named types ("PNG"), or null
  uint16_t typeId;       // integer type when typeName is null
  const char* name;      // upper-case name for named resources, or null
  uint16_t id;           // integer name when name is null
  const unsigned char* data;
  uint32_t size;
};

struct WinsimResourceTable {
  uint32_t count;
  const WinsimResourceEntry* entries;
};

}  // extern "C"

#define WINSIM_RESOURCE_SYMBOL "winsim_resources"

namespace winsim {

// The table of a module; the program's own for a null module.
const WinsimResourceTable* ResourceTableOf(HMODULE module);

}  // namespace winsim
