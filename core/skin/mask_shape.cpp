#include "skin/mask_shape.h"

#include <algorithm>

namespace tarvosk {

namespace {

struct Span {
  int left;
  int right;
  bool operator==(const Span&) const = default;
};

// The opaque spans of row y, left to right.
void rowSpans(const PixelView& mask, int y, std::vector<Span>& out) {
  out.clear();
  const uint32_t* row = mask.pixels + static_cast<std::ptrdiff_t>(y) * mask.stride;
  int x = 0;
  while (x < mask.width) {
    while (x < mask.width && isMaskTransparent(row[x])) ++x;
    if (x == mask.width) break;
    const int start = x;
    while (x < mask.width && !isMaskTransparent(row[x])) ++x;
    out.push_back({start, x});
  }
}

void appendBand(const std::vector<Span>& spans, int top, int bottom, std::vector<ShapeRect>& out) {
  for (const Span& s : spans) out.push_back({s.left, top, s.right, bottom});
}

bool usable(const PixelView& mask) {
  return mask.pixels != nullptr && mask.width > 0 && mask.height > 0 && mask.stride >= mask.width;
}

}  // namespace

std::vector<ShapeRect> opaqueRuns(const PixelView& mask) {
  std::vector<ShapeRect> runs;
  if (!usable(mask)) return runs;
  std::vector<Span> spans;
  for (int y = 0; y < mask.height; ++y) {
    rowSpans(mask, y, spans);
    appendBand(spans, y, y + 1, runs);
  }
  return runs;
}

std::vector<ShapeRect> opaqueBands(const PixelView& mask) {
  std::vector<ShapeRect> bands;
  if (!usable(mask)) return bands;
  // One pass: a row whose spans equal the band's extends it, any other row closes it.
  std::vector<Span> bandSpans;
  std::vector<Span> spans;
  rowSpans(mask, 0, bandSpans);
  int top = 0;
  for (int y = 1; y < mask.height; ++y) {
    rowSpans(mask, y, spans);
    if (spans == bandSpans) continue;
    appendBand(bandSpans, top, y, bands);
    bandSpans.swap(spans);
    top = y;
  }
  appendBand(bandSpans, top, mask.height, bands);
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
