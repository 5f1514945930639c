#pragma once
// One positioned item of a skin page, and the rectangles of the child controls that sit on the
// skin. Geometry comes from hand-editable files, so every helper here copes with zero, negative
// and huge values without overflowing.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tarvosk {

// Index value meaning "no item" for hover indices and hit tests.
inline constexpr int kNoItem = 255;

struct LayoutItem {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::string caption;

  // True when the item covers at least one pixel. Items that do not are never drawn or hit.
  bool hasArea() const { return width > 0 && height > 0; }
  // True when (px, py) lies inside; the right and bottom edges are exclusive.
  bool contains(int32_t px, int32_t py) const;

  bool operator==(const LayoutItem&) const = default;
};

// A control rectangle as stored: left = x, top = y, right = x + width, bottom = y + height.
struct LayoutRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  bool operator==(const LayoutRect&) const = default;
};

// The rectangle of x, y, width, height; right and bottom saturate at the int32 range.
LayoutRect rectFromGeometry(int32_t x, int32_t y, int32_t width, int32_t height);

// The first of items[0..count) containing the point, or kNoItem. `count` is clamped to the
// table's size, so a caller cannot test past its end.
int itemAt(std::span<const LayoutItem> items, std::size_t count, int32_t px, int32_t py);

}  // namespace tarvosk
