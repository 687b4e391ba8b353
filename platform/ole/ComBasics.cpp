// Interface identifiers, the live-object count and BSTRs.
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "ole/ComObject.h"

extern "C" const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
extern "C" const IID IID_ISequentialStream = {0x0C733A30, 0x2A1C, 0x11CE, {0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0x77, 0x3D}};
extern "C" const IID IID_IStream = {0x0000000C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
extern "C" const IID IID_IPicture = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};
extern "C" const IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

namespace winsim {

namespace {
std::atomic<long> g_liveComObjects{0};
}

void CountComObject(int delta) { g_liveComObjects += delta; }
size_t LiveComObjectCount() { return static_cast<size_t>(g_liveComObjects.load()); }

}  // namespace winsim

// A BSTR is preceded by its length in bytes and followed by a 0 character.
extern "C" BSTR WINAPI SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
  auto* block = static_cast<char*>(std::malloc(sizeof(uint32_t) + (static_cast<size_t>(ui) + 1) * sizeof(OLECHAR)));
  if (!block) return nullptr;
  const uint32_t bytes = ui * sizeof(OLECHAR);
  std::memcpy(block, &bytes, sizeof bytes);
  auto* text = reinterpret_cast<OLECHAR*>(block + sizeof(uint32_t));
  if (strIn) std::memcpy(text, strIn, bytes);
  else std::memset(text, 0, bytes);
  text[ui] = 0;
  return text;
}

extern "C" BSTR WINAPI SysAllocString(const OLECHAR* psz) {
  if (!psz) return nullptr;
  UINT length = 0;
  while (psz[length]) ++length;
  return SysAllocStringLen(psz, length);
}

extern "C" void WINAPI SysFreeString(BSTR bstrString) {
  if (bstrString) std::free(reinterpret_cast<char*>(bstrString) - sizeof(uint32_t));
}

extern "C" UINT WINAPI SysStringByteLen(BSTR bstr) {
  if (!bstr) return 0;
  uint32_t bytes;
  std::memcpy(&bytes, reinterpret_cast<char*>(bstr) - sizeof(uint32_t), sizeof bytes);
  return bytes;
}

extern "C" UINT WINAPI SysStringLen(BSTR pbstr) { return SysStringByteLen(pbstr) / sizeof(OLECHAR); }
