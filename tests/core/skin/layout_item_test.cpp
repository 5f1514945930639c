#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "skin/layout_item.h"

namespace tarvosk {
namespace {

TEST(LayoutItemHitTest, RightAndBottomEdgesAreExclusive) {
  const LayoutItem item{10, 20, 30, 40, ""};
  EXPECT_TRUE(item.contains(10, 20));
  EXPECT_TRUE(item.contains(39, 59));
  EXPECT_FALSE(item.contains(40, 20));
  EXPECT_FALSE(item.contains(10, 60));
  EXPECT_FALSE(item.contains(9, 20));
}

TEST(LayoutItemHitTest, ItemsWithoutAreaAreNeverHit) {
  const std::array<LayoutItem, 3> items = {LayoutItem{}, LayoutItem{5, 5, -10, 10, ""}, LayoutItem{0, 0, 10, 0, ""}};
  for (int x = -12; x < 12; ++x) {
    for (int y = -2; y < 12; ++y) EXPECT_EQ(itemAt(items, items.size(), x, y), kNoItem) << x << "," << y;
  }
}

TEST(LayoutItemHitTest, FirstItemInIndexOrderWinsAndCountLimitsTheSearch) {
  const std::array<LayoutItem, 3> items = {LayoutItem{0, 0, 5, 5, ""}, LayoutItem{0, 0, 50, 50, ""},
                                           LayoutItem{0, 0, 100, 100, ""}};
  EXPECT_EQ(itemAt(items, items.size(), 2, 2), 0);
  EXPECT_EQ(itemAt(items, items.size(), 20, 20), 1);
  EXPECT_EQ(itemAt(items, items.size(), 70, 70), 2);
  EXPECT_EQ(itemAt(items, 2, 70, 70), kNoItem);
  // A count beyond the table is clamped rather than read past the end.
  EXPECT_EQ(itemAt(items, 500, 70, 70), 2);
}

TEST(LayoutItemHitTest, HugeGeometryDoesNotWrapAround) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  const LayoutItem item{kMax - 5, 0, kMax, 10, ""};
  EXPECT_TRUE(item.contains(kMax - 1, 5));
  EXPECT_FALSE(item.contains(0, 5));
  const LayoutRect rect = rectFromGeometry(kMax - 5, -10, kMax, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(rect.right, kMax);
  EXPECT_EQ(rect.bottom, std::numeric_limits<int32_t>::min());
}

}  // namespace
}  // namespace tarvosk
