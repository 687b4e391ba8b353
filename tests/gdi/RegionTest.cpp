// Regions from rectangle lists come back in banded form.
#include <gtest/gtest.h>

#include <vector>

#include "win32/Windows.h"

namespace {

HRGN RegionOf(const std::vector<RECT>& rects) {
  std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* h = reinterpret_cast<RGNDATAHEADER*>(data.data());
  *h = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()), 0, {}};
  if (!rects.empty()) std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
  return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
}

std::vector<RECT> RectsOf(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  std::vector<BYTE> data(size);
  EXPECT_EQ(GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data())), size);
  const auto* h = reinterpret_cast<RGNDATAHEADER*>(data.data());
  const auto* first = reinterpret_cast<const RECT*>(data.data() + sizeof(RGNDATAHEADER));
  return {first, first + h->nCount};
}

bool Same(const std::vector<RECT>& a, const std::vector<RECT>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const RECT& x, const RECT& y) {
           return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
         });
}

TEST(Region, RowsWithTheSameRunsJoinAndTouchingRunsMerge) {
  struct Case {
    const char* name;
    std::vector<RECT> in;
    std::vector<RECT> out;
  };
  const Case cases[] = {
      {"empty", {}, {}},
      {"equal rows join", {{0, 0, 4, 1}, {0, 1, 4, 2}}, {{0, 0, 4, 2}}},
      {"touching runs merge", {{0, 0, 2, 1}, {2, 0, 5, 1}}, {{0, 0, 5, 1}}},
      {"different rows stay", {{0, 0, 1, 1}, {2, 0, 3, 1}, {1, 1, 2, 2}}, {{0, 0, 1, 1}, {2, 0, 3, 1}, {1, 1, 2, 2}}},
      {"a gap between rows", {{0, 0, 1, 1}, {0, 2, 1, 3}}, {{0, 0, 1, 1}, {0, 2, 1, 3}}},
  };
  for (const Case& c : cases) {
    HRGN region = RegionOf(c.in);
    ASSERT_NE(region, nullptr) << c.name;
    EXPECT_TRUE(Same(RectsOf(region), c.out)) << c.name;
    DeleteObject(region);
  }
}

TEST(Region, QueriesAnswerForTheCoveredPixels) {
  HRGN region = RegionOf({{1, 0, 3, 1}, {0, 1, 1, 2}});
  RECT box{};
  EXPECT_EQ(GetRgnBox(region, &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 0); EXPECT_EQ(box.top, 0); EXPECT_EQ(box.right, 3); EXPECT_EQ(box.bottom, 2);
  EXPECT_TRUE(PtInRegion(region, 2, 0));
  EXPECT_FALSE(PtInRegion(region, 3, 0));
  EXPECT_FALSE(PtInRegion(region, 1, 1));
  DeleteObject(region);
}

TEST(Region, DataShorterThanItsCountIsRefused) {
  std::vector<BYTE> data(sizeof(RGNDATAHEADER) + sizeof(RECT));
  *reinterpret_cast<RGNDATAHEADER*>(data.data()) = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, 2, 0, {}};
  EXPECT_EQ(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())), nullptr);
}

}  // namespace
