#include "skin/skin_images.h"

#include <QRect>

#include <vector>

namespace tarvosk {

namespace {

QRegion xoredWith(QRegion region, const LayoutRect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return region;
  return region.xored(QRect(rect.left, rect.top, rect.width(), rect.height()));
}

}  // namespace

QImage loadSkinImage(const QString& path) {
  QImage image(path);
  if (image.isNull()) return {};
  return image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
}

PixelView pixelView(const QImage& image) {
  if (image.isNull() || image.depth() != 32) return {};
  return {reinterpret_cast<const uint32_t*>(image.constBits()), image.width(), image.height(),
          static_cast<std::ptrdiff_t>(image.bytesPerLine() / 4)};
}

QRegion regionFromBands(const std::vector<ShapeRect>& bands) {
  std::vector<QRect> rects;
  rects.reserve(bands.size());
  for (const ShapeRect& b : bands) rects.emplace_back(b.left, b.top, b.right - b.left, b.bottom - b.top);
  QRegion region;
  if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
  return region;
}

SkinShape shapeFromMaskFile(const QString& maskPath, QSize fallback) {
  const QImage mask = loadSkinImage(maskPath);
  const PixelView view = pixelView(mask);
  const WindowShape shape = windowShapeFromMask(mask.isNull() ? nullptr : &view, fallback.width(), fallback.height());
  return {QSize(shape.width, shape.height), regionFromBands(shape.rects), shape.fromMask};
}

MainPaintRegions mainPaintRegions(const QRegion& shape, const SkinLayout& layout) {
  MainPaintRegions regions{shape, shape};
  for (const LayoutRect& edit : layout.mainEdit) regions.mainPage = xoredWith(regions.mainPage, edit);
  // Order of the macro page's controls as the window has always combined them.
  const LayoutRect macroControls[] = {layout.macroEdit[1],    layout.macroDisplay[2], layout.macroDisplay[1],
                                      layout.macroDisplay[3], layout.macroEdit[2],    layout.macroEdit[0]};
  for (const LayoutRect& control : macroControls) regions.macroPage = xoredWith(regions.macroPage, control);
  return regions;
}

}  // namespace tarvosk
