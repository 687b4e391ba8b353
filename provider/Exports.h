// The provider's exports: C linkage, the C calling convention, one argument
// (the caller's error word) and a one-byte boolean result.
#pragma once

#include "framework.h"

#define OSTREL_EXPORT extern "C" __attribute__((visibility("default")))

OSTREL_EXPORT bool __cdecl check(int* pError);
OSTREL_EXPORT bool __cdecl run(int* pError);
OSTREL_EXPORT bool __cdecl finish(int* pError);
