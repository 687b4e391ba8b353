// Regions made of rectangles, kept in the platform's banded form.
#include <algorithm>
#include <cstring>

#include "gdi/GdiObjects.h"
#include "win32/Unsupported.h"

using namespace winsim::gdi;

namespace {

using Spans = std::vector<std::pair<LONG, LONG>>;

// Sorted, merged x-ranges of the rectangles that cover the band from y.
Spans SpansAt(const std::vector<RECT>& active, LONG y) {
  Spans spans;
  for (const RECT& r : active)
    if (r.top <= y && y < r.bottom) spans.emplace_back(r.left, r.right);
  std::sort(spans.begin(), spans.end());
  Spans merged;
  for (const auto& s : spans) {
    if (!merged.empty() && s.first <= merged.back().second) merged.back().second = std::max(merged.back().second, s.second);
    else merged.push_back(s);
  }
  return merged;
}

std::vector<RECT> Banded(std::vector<RECT> rects) {
  std::erase_if(rects, [](const RECT& r) { return r.left >= r.right || r.top >= r.bottom; });
  std::vector<LONG> edges;
  for (const RECT& r : rects) edges.push_back(r.top), edges.push_back(r.bottom);
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });

  std::vector<RECT> out, active;
  size_t next = 0, lastBandStart = 0;
  Spans lastSpans;
  LONG lastBottom = 0;
  for (size_t e = 0; e + 1 < edges.size(); ++e) {
    const LONG top = edges[e], bottom = edges[e + 1];
    while (next < rects.size() && rects[next].top <= top) active.push_back(rects[next++]);
    std::erase_if(active, [top](const RECT& r) { return r.bottom <= top; });
    const Spans spans = SpansAt(active, top);
    if (spans.empty()) continue;
    if (spans == lastSpans && lastBottom == top) {
      // The same spans as the band just above: the band grows instead.
      for (size_t i = lastBandStart; i < out.size(); ++i) out[i].bottom = bottom;
    } else {
      lastBandStart = out.size();
      for (const auto& [left, right] : spans) out.push_back({left, top, right, bottom});
      lastSpans = spans;
    }
    lastBottom = bottom;
  }
  return out;
}

HRGN NewRegion(std::vector<RECT> rects) {
  auto region = std::make_unique<RegionObject>();
  region->rects = Banded(std::move(rects));
  return static_cast<HRGN>(AddObject(std::move(region)));
}

}  // namespace

extern "C" HRGN WINAPI ExtCreateRegion(const XFORM* lpx, DWORD nCount, const RGNDATA* lpData) {
  if (lpx) {
    WINSIM_UNSUPPORTED("transformed regions");
    return nullptr;
  }
  if (!lpData || nCount < sizeof(RGNDATAHEADER) || lpData->rdh.dwSize != sizeof(RGNDATAHEADER) ||
      lpData->rdh.iType != RDH_RECTANGLES || nCount < sizeof(RGNDATAHEADER) + lpData->rdh.nCount * sizeof(RECT))
    return nullptr;
  std::vector<RECT> rects(lpData->rdh.nCount);
  if (!rects.empty()) std::memcpy(rects.data(), lpData->Buffer, rects.size() * sizeof(RECT));
  return NewRegion(std::move(rects));
}

extern "C" HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2) {
  return NewRegion({{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)}});
}

extern "C" DWORD WINAPI GetRegionData(HRGN hrgn, DWORD nCount, LPRGNDATA lpRgnData) {
  RegionObject* region = FindRegion(hrgn);
  if (!region) return 0;
  const DWORD size = static_cast<DWORD>(sizeof(RGNDATAHEADER) + region->rects.size() * sizeof(RECT));
  if (!lpRgnData) return size;
  if (nCount < size) return 0;
  RGNDATAHEADER& h = lpRgnData->rdh;
  h = RGNDATAHEADER{sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(region->rects.size()),
                    static_cast<DWORD>(region->rects.size() * sizeof(RECT)), {}};
  GetRgnBox(hrgn, &h.rcBound);
  if (!region->rects.empty()) std::memcpy(lpRgnData->Buffer, region->rects.data(), region->rects.size() * sizeof(RECT));
  return size;
}

extern "C" int WINAPI GetRgnBox(HRGN hrgn, LPRECT lprc) {
  RegionObject* region = FindRegion(hrgn);
  if (!region || !lprc) return ERROR;
  if (region->rects.empty()) {
    *lprc = RECT{};
    return NULLREGION;
  }
  RECT box = region->rects.front();
  for (const RECT& r : region->rects) {
    box.left = std::min(box.left, r.left), box.top = std::min(box.top, r.top);
    box.right = std::max(box.right, r.right), box.bottom = std::max(box.bottom, r.bottom);
  }
  *lprc = box;
  return region->rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

extern "C" BOOL WINAPI PtInRegion(HRGN hrgn, int x, int y) {
  RegionObject* region = FindRegion(hrgn);
  if (!region) return FALSE;
  for (const RECT& r : region->rects)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return TRUE;
  return FALSE;
}
