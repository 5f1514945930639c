// The page painter against the generated skin: copied looks, bars, fills and captions land on
// the composition pixel for pixel, and the image cache follows files that change on disk.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <chrono>
#include <filesystem>

#include "platform/paths.h"
#include "settings/language.h"
#include "skin/page_painter.h"
#include "skin/skin_images.h"
#include "test_support.h"

namespace tarvosk {
namespace {

const QString kSkins = QStringLiteral(TARVOSK_RUNTIME_SKINS_DIR);

SkinLayout shippedLayout(bool withCaptions) {
  const Paths paths = portablePaths(TARVOSK_RUNTIME_DIR, TARVOSK_RUNTIME_SKINS_DIR);
  test::RecordingPrompter prompter;
  SkinLayout layout;
  EXPECT_EQ(loadAllLayouts(paths, kLanguageEnglish, prompter, layout), LayoutLoadResult::Loaded);
  if (!withCaptions) {
    for (LayoutItem& it : layout.main) it.caption.clear();
    for (LayoutItem& it : layout.advanced) it.caption.clear();
    for (LayoutItem& it : layout.macro) it.caption.clear();
    for (LayoutItem& it : layout.led) it.caption.clear();
    layout.functionNames.fill({});
  }
  return layout;
}

QImage skinImage(const std::string& name) { return loadSkinImage(kSkins + "/" + QString::fromStdString(name)); }

QImage compose(const PaintPlan& plan, SkinImageCache& cache) {
  QImage composition(860, 600, QImage::Format_RGB32);
  composition.fill(Qt::black);
  QPainter painter(&composition);
  paintPage(painter, plan, cache, kSkins, InterfaceFonts(85));
  painter.end();
  return composition;
}

QRect rectOf(const LayoutItem& item) { return QRect(item.x, item.y, item.width, item.height); }

// Number of pixels of `rect` where the two images differ.
int differingPixels(const QImage& a, const QImage& b, const QRect& rect) {
  int count = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
  }
  return count;
}

TEST(PagePainter, HoveredAndHeldItemsShowTheirOverAndDownArtwork) {
  const SkinLayout layout = shippedLayout(false);
  SkinImageCache cache;

  SettingsRecord main;
  main.currentPage = 0;
  PaintInput hovered(main, layout);
  hovered.hover = {14, kNoItem, kNoItem, kNoItem};
  const QImage mainPage = compose(buildPaintPlan(hovered), cache);
  const QRect importItem = rectOf(layout.main[14]);
  ASSERT_FALSE(importItem.isEmpty());
  EXPECT_EQ(differingPixels(mainPage, skinImage("main_over.jpg"), importItem), 0);
  EXPECT_GT(differingPixels(mainPage, skinImage("main_normal.jpg"), importItem), 0);

  SettingsRecord advanced;
  advanced.currentPage = 1;
  advanced.dpiEnabled = {1, 1, 1, 1};
  advanced.dpiLevel = 2;
  PaintInput held(advanced, layout);
  held.hover = {kNoItem, kNoItem, 60, kNoItem};
  held.buttonHeld = true;
  const QImage advancedPage = compose(buildPaintPlan(held), cache);
  const QRect levelItem = rectOf(layout.advanced[60]);
  ASSERT_FALSE(levelItem.isEmpty());
  EXPECT_EQ(differingPixels(advancedPage, skinImage("advanced_down.jpg"), levelItem), 0);
  EXPECT_GT(differingPixels(advancedPage, skinImage("advanced_over.jpg"), levelItem), 0);
}

TEST(PagePainter, ABarShowsTheDownLookUpToItsFraction) {
  const SkinLayout layout = shippedLayout(false);
  SkinImageCache cache;
  SettingsRecord s;
  s.currentPage = 1;
  s.pointerSpeed = 5;
  PaintInput input(s, layout);
  input.hover = {kNoItem, kNoItem, kNoItem, kNoItem};
  const QImage page = compose(buildPaintPlan(input), cache);
  const QRect bar = rectOf(layout.advanced[1]);
  ASSERT_GT(bar.width(), 1);
  const int filled = bar.width() * 5 / 10;
  const QRect left(bar.left(), bar.top(), filled, bar.height());
  const QRect right(bar.left() + filled, bar.top(), bar.width() - filled, bar.height());
  EXPECT_EQ(differingPixels(page, skinImage("advanced_down.jpg"), left), 0);
  EXPECT_EQ(differingPixels(page, skinImage("advanced_normal.jpg"), right), 0);
  EXPECT_GT(differingPixels(page, skinImage("advanced_normal.jpg"), left), 0);
}

TEST(PagePainter, UserColoursFillTheirSwatches) {
  const SkinLayout layout = shippedLayout(false);
  SkinImageCache cache;
  SettingsRecord s;
  s.currentPage = 3;
  s.ledType = 3;
  s.ledUserColorEnable = 1;
  s.cycleColorEnable = {0, 1, 0, 0, 0, 0, 0};
  s.ledUserColorRgb = {0, 0x2040F0, 0, 0};
  PaintInput input(s, layout);
  input.hover = {kNoItem, kNoItem, kNoItem, kNoItem};
  const QImage page = compose(buildPaintPlan(input), cache);
  const QRect swatch = rectOf(layout.led[1]);
  ASSERT_FALSE(swatch.isEmpty());
  QImage solid(page.size(), QImage::Format_RGB32);
  solid.fill(QColor(0xF0, 0x40, 0x20));
  EXPECT_EQ(differingPixels(page, solid, swatch), 0);
}

TEST(PagePainter, AReplacedCaptionIsDrawnOnItsItem) {
  const SkinLayout layout = shippedLayout(true);
  SkinImageCache cache;
  SettingsRecord s;
  s.currentPage = 1;
  s.fireTime = 50;
  PaintInput input(s, layout);
  input.hover = {kNoItem, kNoItem, kNoItem, kNoItem};
  const PaintPlan plan = buildPaintPlan(input);
  const QImage page = compose(plan, cache);
  const QRect value = rectOf(layout.advanced[32]);
  ASSERT_FALSE(value.isEmpty());
  const int inked = differingPixels(page, skinImage("advanced_normal.jpg"), value);
  EXPECT_GT(inked, 10);
  // Without its caption the item keeps the bare artwork.
  SkinLayout silent = shippedLayout(false);
  silent.advanced[32] = LayoutItem{};
  const QImage bare = compose(buildPaintPlan(PaintInput(s, silent)), cache);
  EXPECT_EQ(differingPixels(bare, skinImage("advanced_normal.jpg"), value), 0);
}

TEST(PagePainter, MissingImagesCopyNothing) {
  const SkinLayout layout = shippedLayout(true);
  SettingsRecord s;
  s.currentPage = 3;
  SkinImageCache cache;
  QImage composition(200, 100, QImage::Format_RGB32);
  composition.fill(Qt::black);
  QPainter painter(&composition);
  test::ScratchDir empty;
  paintPage(painter, buildPaintPlan(PaintInput(s, layout)), cache, QString::fromStdString(empty.path().string()),
            InterfaceFonts(85));
  painter.end();
  EXPECT_EQ(composition.pixel(5, 5), qRgb(0, 0, 0));
}

QImage solidImage(int w, int h, QColor color) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

TEST(SkinImageCache, DecodesOnceAndAgainWhenTheFileChanges) {
  test::ScratchDir dir;
  const std::filesystem::path file = dir / "look.png";
  const QString path = QString::fromStdString(file.string());
  SkinImageCache cache;

  EXPECT_TRUE(cache.image(path).isNull());  // not there yet
  ASSERT_TRUE(solidImage(10, 10, Qt::red).save(path, "PNG"));
  const QImage first = cache.image(path);
  ASSERT_EQ(first.size(), QSize(10, 10));
  EXPECT_EQ(first.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(cache.image(path).cacheKey(), first.cacheKey());  // unchanged file: not decoded again

  // Same size, other pixels: only the modification time tells.
  const auto stamp = std::filesystem::last_write_time(file);
  ASSERT_TRUE(solidImage(10, 10, Qt::green).save(path, "PNG"));
  std::filesystem::last_write_time(file, stamp + std::chrono::seconds(2));
  EXPECT_EQ(cache.image(path).pixel(0, 0), qRgb(0, 255, 0));

  ASSERT_TRUE(solidImage(20, 10, Qt::blue).save(path, "PNG"));
  EXPECT_EQ(cache.image(path).size(), QSize(20, 10));

  std::filesystem::remove(file);
  EXPECT_TRUE(cache.image(path).isNull());
  EXPECT_EQ(cache.size(), 1);
}

TEST(InterfaceFontsTest, LargeIsOnePointBigger) {
  const InterfaceFonts fonts(63);
  EXPECT_EQ(fonts.normal().family(), QStringLiteral("Arial"));
  EXPECT_DOUBLE_EQ(fonts.normal().pointSizeF(), 6.3);
  EXPECT_DOUBLE_EQ(fonts.large().pointSizeF(), 7.3);
  EXPECT_EQ(&fonts.font(CaptionFont::Large), &fonts.large());
}

}  // namespace
}  // namespace tarvosk
