#pragma once
// Window shapes from mask images. A mask pixel is transparent when its red, green and blue are
// all above 100; the shape is every other pixel. The shape is described as rectangles so that
// the window layer can turn it into a region in one call.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvosk {

// A decoded image: `height` rows of `stride` pixels (stride >= width), each 0xAARRGGBB; the
// alpha byte is ignored.
struct PixelView {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;

  uint32_t at(int x, int y) const { return pixels[static_cast<std::ptrdiff_t>(y) * stride + x]; }
};

constexpr bool isMaskTransparent(uint8_t red, uint8_t green, uint8_t blue) {
  return red > 100 && green > 100 && blue > 100;
}

constexpr bool isMaskTransparent(uint32_t argb) {
  return isMaskTransparent(static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                           static_cast<uint8_t>(argb));
}

// Half-open rectangle [left, right) x [top, bottom).
struct ShapeRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const ShapeRect&) const = default;
};

// Horizontal runs of opaque pixels, one rectangle of height 1 per run, ordered by row then by x.
std::vector<ShapeRect> opaqueRuns(const PixelView& mask);

// The same pixels as opaqueRuns, with consecutive rows that have identical runs merged into one
// band: y-x banded rectangles (sorted by top then left, bands not overlapping), the form a
// region can be built from directly.
std::vector<ShapeRect> opaqueBands(const PixelView& mask);

struct WindowShape {
  int width = 0;
  int height = 0;
  std::vector<ShapeRect> rects;  // y-x banded
  bool fromMask = false;         // false: a fallback rectangle was used
};

// The shape of a window from its mask, sized to the mask. A missing mask (nullptr) or one without
// pixels gives the fallback rectangle (0, 0, fallbackWidth, fallbackHeight); a mask without any
// opaque pixel gives its whole rectangle. Either way the window stays visible and usable.
WindowShape windowShapeFromMask(const PixelView* mask, int fallbackWidth, int fallbackHeight);

}  // namespace tarvosk
