#include "skin/mask_shape.h"

#include <algorithm>

namespace tarvosk {

namespace {

// Appends the opaque runs of row y as rectangles spanning [top, bottom).
void appendRowRuns(const PixelView& mask, int y, int top, int bottom, std::vector<ShapeRect>& out) {
  const uint32_t* row = mask.pixels + static_cast<std::ptrdiff_t>(y) * mask.stride;
  int x = 0;
  while (x < mask.width) {
    while (x < mask.width && isMaskTransparent(row[x])) ++x;
    if (x == mask.width) break;
    const int start = x;
    while (x < mask.width && !isMaskTransparent(row[x])) ++x;
    out.push_back({start, top, x, bottom});
  }
}

bool sameOpacity(const PixelView& mask, int rowA, int rowB) {
  const uint32_t* a = mask.pixels + static_cast<std::ptrdiff_t>(rowA) * mask.stride;
  const uint32_t* b = mask.pixels + static_cast<std::ptrdiff_t>(rowB) * mask.stride;
  for (int x = 0; x < mask.width; ++x) {
    if (isMaskTransparent(a[x]) != isMaskTransparent(b[x])) return false;
  }
  return true;
}

bool usable(const PixelView& mask) {
  return mask.pixels != nullptr && mask.width > 0 && mask.height > 0 && mask.stride >= mask.width;
}

}  // namespace

std::vector<ShapeRect> opaqueRuns(const PixelView& mask) {
  std::vector<ShapeRect> runs;
  if (!usable(mask)) return runs;
  for (int y = 0; y < mask.height; ++y) appendRowRuns(mask, y, y, y + 1, runs);
  return runs;
}

std::vector<ShapeRect> opaqueBands(const PixelView& mask) {
  std::vector<ShapeRect> bands;
  if (!usable(mask)) return bands;
  int top = 0;
  while (top < mask.height) {
    int bottom = top + 1;
    while (bottom < mask.height && sameOpacity(mask, top, bottom)) ++bottom;
    appendRowRuns(mask, top, top, bottom, bands);
    top = bottom;
  }
  return bands;
}

WindowShape windowShapeFromMask(const PixelView* mask, int fallbackWidth, int fallbackHeight) {
  WindowShape shape;
  if (mask != nullptr && usable(*mask)) {
    shape.width = mask->width;
    shape.height = mask->height;
    shape.rects = opaqueBands(*mask);
    shape.fromMask = !shape.rects.empty();
    // A mask without one opaque pixel would leave an invisible window that no click can reach;
    // the whole mask rectangle keeps it usable.
    if (shape.rects.empty()) shape.rects.push_back({0, 0, shape.width, shape.height});
    return shape;
  }
  shape.width = std::max(fallbackWidth, 0);
  shape.height = std::max(fallbackHeight, 0);
  if (shape.width > 0 && shape.height > 0) shape.rects.push_back({0, 0, shape.width, shape.height});
  return shape;
}

}  // namespace tarvosk
