#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>

#include <random>

#include "skin/skin_images.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::ScratchDir;

// The region the window has always built: start from the rectangle and toggle out every
// transparent pixel one by one.
QRegion perPixelRegion(const QImage& mask) {
  QRegion region(0, 0, mask.width(), mask.height());
  for (int x = 0; x < mask.width(); ++x) {
    for (int y = 0; y < mask.height(); ++y) {
      const QRgb c = mask.pixel(x, y);
      if (isMaskTransparent(static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)),
                            static_cast<uint8_t>(qBlue(c)))) {
        region = region.xored(QRegion(x, y, 1, 1));
      }
    }
  }
  return region;
}

QImage randomMask(std::mt19937& random, int w, int h) {
  QImage mask(w, h, QImage::Format_RGB32);
  const int blobs = 1 + static_cast<int>(random() % 5);
  mask.fill(Qt::white);
  for (int b = 0; b < blobs; ++b) {
    const int x0 = static_cast<int>(random() % w), y0 = static_cast<int>(random() % h);
    const int bw = 1 + static_cast<int>(random() % w), bh = 1 + static_cast<int>(random() % h);
    for (int y = y0; y < std::min(h, y0 + bh); ++y)
      for (int x = x0; x < std::min(w, x0 + bw); ++x) mask.setPixel(x, y, qRgb(40, 40, 40));
  }
  for (int i = 0; i < w * h / 8; ++i) {
    const int level = 90 + static_cast<int>(random() % 20);
    mask.setPixel(static_cast<int>(random() % w), static_cast<int>(random() % h), qRgb(level, level + 5, level));
  }
  return mask;
}

TEST(SkinImages, RegionFromBandsEqualsTheOldPerPixelRegion) {
  std::mt19937 random(77);
  for (int round = 0; round < 25; ++round) {
    const QImage mask = randomMask(random, 5 + static_cast<int>(random() % 30), 5 + static_cast<int>(random() % 30));
    const QRegion fast = regionFromBands(opaqueBands(pixelView(mask)));
    EXPECT_EQ(fast, perPixelRegion(mask)) << "round " << round;
  }
}

TEST(SkinImages, ShapeComesFromTheMaskFileAndGivesItsSize) {
  ScratchDir dir;
  QImage mask(40, 30, QImage::Format_RGB32);
  mask.fill(Qt::white);
  for (int y = 5; y < 25; ++y)
    for (int x = 10; x < 30; ++x) mask.setPixel(x, y, qRgb(0, 0, 0));
  const QString path = QString::fromStdString((dir / "mask.png").string());
  ASSERT_TRUE(mask.save(path));
  const SkinShape shape = shapeFromMaskFile(path, QSize(860, 600));
  EXPECT_TRUE(shape.fromMask);
  EXPECT_EQ(shape.size, QSize(40, 30));
  EXPECT_EQ(shape.region, QRegion(10, 5, 20, 20));
}

TEST(SkinImages, MissingOrUnreadableMaskFallsBackToTheWholeWindow) {
  ScratchDir dir;
  test::writeFile(dir / "broken.jpg", "this is not an image");
  for (const char* name : {"absent.jpg", "broken.jpg"}) {
    const SkinShape shape = shapeFromMaskFile(QString::fromStdString((dir / name).string()), QSize(860, 600));
    EXPECT_FALSE(shape.fromMask) << name;
    EXPECT_EQ(shape.size, QSize(860, 600)) << name;
    EXPECT_EQ(shape.region, QRegion(0, 0, 860, 600)) << name;
  }
  EXPECT_TRUE(loadSkinImage(QString::fromStdString((dir / "broken.jpg").string())).isNull());
}

TEST(SkinImages, PaintRegionsToggleTheControlRectangles) {
  const QRegion shape(0, 0, 100, 100);
  SkinLayout layout;
  layout.mainEdit[0] = {10, 10, 30, 20};   // inside: cut out
  layout.mainEdit[2] = {90, 90, 120, 95};  // reaches outside: the outside part is added
  layout.macroEdit[0] = {0, 0, 10, 10};
  layout.macroDisplay[2] = {20, 20, 40, 40};
  layout.macroDisplay[3] = {5, 5, 5, 50};  // empty: no change
  const MainPaintRegions regions = mainPaintRegions(shape, layout);
  EXPECT_FALSE(regions.mainPage.contains(QPoint(15, 15)));
  EXPECT_TRUE(regions.mainPage.contains(QPoint(50, 50)));
  EXPECT_FALSE(regions.mainPage.contains(QPoint(95, 92)));
  EXPECT_TRUE(regions.mainPage.contains(QPoint(110, 92)));
  EXPECT_EQ(regions.mainPage, shape.xored(QRegion(10, 10, 20, 10)).xored(QRegion(90, 90, 30, 5)));
  EXPECT_EQ(regions.macroPage, shape.xored(QRegion(0, 0, 10, 10)).xored(QRegion(20, 20, 20, 20)));
}

}  // namespace
}  // namespace tarvosk
