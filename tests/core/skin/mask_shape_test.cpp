#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "skin/mask_shape.h"

namespace tarvosk {
namespace {

uint32_t rgb(uint8_t r, uint8_t g, uint8_t b) { return 0xFF000000u | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b; }

TEST(MaskRule, TransparentOnlyWhenAllThreeChannelsExceed100) {
  struct Case {
    uint8_t r, g, b;
    bool transparent;
  };
  const Case cases[] = {{101, 101, 101, true},  {255, 255, 255, true},  {100, 255, 255, false}, {255, 100, 255, false},
                        {255, 255, 100, false}, {100, 100, 100, false}, {0, 0, 0, false},       {101, 101, 100, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(isMaskTransparent(c.r, c.g, c.b), c.transparent) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    // The alpha byte of a decoded pixel plays no part.
    EXPECT_EQ(isMaskTransparent(rgb(c.r, c.g, c.b) & 0x00FFFFFFu), c.transparent);
  }
}

// A mask image in memory, with a stride wider than the image to catch row-addressing faults.
struct Mask {
  Mask(int w, int h)
      : width(w), height(h), stride(w + 3), pixels(static_cast<std::size_t>(stride * h), rgb(255, 255, 255)) {}
  void set(int x, int y, uint32_t value) { pixels[static_cast<std::size_t>(y * stride + x)] = value; }
  PixelView view() const { return {pixels.data(), width, height, stride}; }
  int width, height, stride;
  std::vector<uint32_t> pixels;
};

// Paints the rectangles into a grid and checks each pixel is covered exactly as the rule says.
void expectCoversExactlyTheOpaquePixels(const Mask& mask, const std::vector<ShapeRect>& rects) {
  std::vector<int> coverage(static_cast<std::size_t>(mask.width * mask.height), 0);
  for (const ShapeRect& r : rects) {
    ASSERT_LT(r.left, r.right);
    ASSERT_LT(r.top, r.bottom);
    ASSERT_GE(r.left, 0);
    ASSERT_GE(r.top, 0);
    ASSERT_LE(r.right, mask.width);
    ASSERT_LE(r.bottom, mask.height);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) ++coverage[static_cast<std::size_t>(y * mask.width + x)];
  }
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      const int expected = isMaskTransparent(mask.view().at(x, y)) ? 0 : 1;
      ASSERT_EQ(coverage[static_cast<std::size_t>(y * mask.width + x)], expected) << "pixel " << x << "," << y;
    }
  }
}

// Bands must be y-x banded: sorted by top then left; within a band equal height, no overlap.
void expectBanded(const std::vector<ShapeRect>& rects) {
  for (std::size_t i = 1; i < rects.size(); ++i) {
    const ShapeRect& a = rects[i - 1];
    const ShapeRect& b = rects[i];
    if (a.top == b.top) {
      EXPECT_EQ(a.bottom, b.bottom);
      EXPECT_LT(a.right, b.left) << "runs of one band must neither touch nor overlap";
    } else {
      EXPECT_GE(b.top, a.bottom);
    }
  }
}

TEST(MaskShape, RunsAndBandsEqualThePerPixelRuleOnRandomMasks) {
  std::mt19937 random(1234);
  for (int round = 0; round < 60; ++round) {
    const int w = 1 + static_cast<int>(random() % 40);
    const int h = 1 + static_cast<int>(random() % 40);
    Mask mask(w, h);
    // Mix noise with row copies so that bands of several rows occur.
    const unsigned density = random() % 100;
    for (int y = 0; y < h; ++y) {
      if (y > 0 && random() % 3 == 0) {
        for (int x = 0; x < w; ++x) mask.set(x, y, mask.view().at(x, y - 1));
        continue;
      }
      for (int x = 0; x < w; ++x) {
        const uint8_t level = (random() % 100 < density) ? static_cast<uint8_t>(95 + random() % 12)
                                                         : static_cast<uint8_t>(random() % 256);
        mask.set(x, y, rgb(level, static_cast<uint8_t>(level + random() % 3), static_cast<uint8_t>(random() % 256)));
      }
    }
    SCOPED_TRACE("round " + std::to_string(round));
    expectCoversExactlyTheOpaquePixels(mask, opaqueRuns(mask.view()));
    const std::vector<ShapeRect> bands = opaqueBands(mask.view());
    expectCoversExactlyTheOpaquePixels(mask, bands);
    expectBanded(bands);
  }
}

TEST(MaskShape, IdenticalRowsMergeIntoOneBand) {
  Mask mask(10, 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 2; x < 8; ++x) mask.set(x, y, rgb(0, 0, 0));
  }
  EXPECT_EQ(opaqueBands(mask.view()), (std::vector<ShapeRect>{{2, 0, 8, 6}}));
  EXPECT_EQ(opaqueRuns(mask.view()).size(), 6u);
}

TEST(MaskShape, MaskGivesTheWindowItsSize) {
  Mask mask(7, 5);
  mask.set(3, 2, rgb(10, 200, 200));
  const PixelView view = mask.view();
  const WindowShape shape = windowShapeFromMask(&view, 100, 100);
  EXPECT_TRUE(shape.fromMask);
  EXPECT_EQ(shape.width, 7);
  EXPECT_EQ(shape.height, 5);
  EXPECT_EQ(shape.rects, (std::vector<ShapeRect>{{3, 2, 4, 3}}));
}

TEST(MaskShape, MissingOrEmptyMaskFallsBackToTheWholeRectangle) {
  const WindowShape missing = windowShapeFromMask(nullptr, 860, 600);
  EXPECT_FALSE(missing.fromMask);
  EXPECT_EQ(missing.width, 860);
  EXPECT_EQ(missing.height, 600);
  EXPECT_EQ(missing.rects, (std::vector<ShapeRect>{{0, 0, 860, 600}}));

  const PixelView empty{};
  EXPECT_EQ(windowShapeFromMask(&empty, 20, 10).rects, (std::vector<ShapeRect>{{0, 0, 20, 10}}));
  EXPECT_TRUE(windowShapeFromMask(nullptr, 0, 10).rects.empty());
}

TEST(MaskShape, AllBrightMaskKeepsTheWindowVisible) {
  const Mask mask(12, 8);
  const PixelView view = mask.view();
  const WindowShape shape = windowShapeFromMask(&view, 100, 100);
  EXPECT_FALSE(shape.fromMask);
  EXPECT_EQ(shape.width, 12);
  EXPECT_EQ(shape.rects, (std::vector<ShapeRect>{{0, 0, 12, 8}}));
}

}  // namespace
}  // namespace tarvosk
