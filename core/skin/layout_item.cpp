#include "skin/layout_item.h"

#include <algorithm>
#include <limits>

namespace tarvosk {

namespace {

int32_t saturatedSum(int32_t a, int32_t b) {
  const int64_t sum = static_cast<int64_t>(a) + b;
  return static_cast<int32_t>(
      std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

bool LayoutItem::contains(int32_t px, int32_t py) const {
  if (!hasArea()) return false;
  // 64-bit edges: a hand-edited x near the int32 limit must not wrap around.
  const int64_t right = static_cast<int64_t>(x) + width;
  const int64_t bottom = static_cast<int64_t>(y) + height;
  return px >= x && px < right && py >= y && py < bottom;
}

LayoutRect rectFromGeometry(int32_t x, int32_t y, int32_t width, int32_t height) {
  return {x, y, saturatedSum(x, width), saturatedSum(y, height)};
}

int itemAt(std::span<const LayoutItem> items, std::size_t count, int32_t px, int32_t py) {
  const std::size_t n = std::min(count, items.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (items[i].contains(px, py)) return static_cast<int>(i);
  }
  return kNoItem;
}

}  // namespace tarvosk
