#pragma once
// The skin's images on screen: decoding, window shapes from masks, and the main window's two
// paint regions. The pixel decisions are the core's (skin/mask_shape.h); this layer only
// decodes files and turns rectangles into regions.

#include <QImage>
#include <QRegion>
#include <QSize>
#include <QString>

#include "skin/mask_shape.h"
#include "skin/skin_layout.h"

namespace tarvosk {

// Decodes an image file into 32-bit RGB. A null image when the file is missing or unreadable;
// painting from it then copies nothing, as the program always did.
QImage loadSkinImage(const QString& path);

// A view of a 32-bit image's pixels for the core; an empty view for a null or other image.
PixelView pixelView(const QImage& image);

// The region covering exactly the given y-x banded rectangles.
QRegion regionFromBands(const std::vector<ShapeRect>& bands);

struct SkinShape {
  QSize size;      // the window's paint size: the mask's size, or the fallback
  QRegion region;  // the window's outline
  bool fromMask = false;
};

// The shape of a window from its mask file. A missing or unreadable mask gives the rectangle of
// `fallback`; a mask without an opaque pixel gives its whole rectangle.
SkinShape shapeFromMaskFile(const QString& maskPath, QSize fallback);

struct MainPaintRegions {
  QRegion mainPage;   // the shape with the profile name fields toggled out
  QRegion macroPage;  // the shape with the macro page's six controls toggled out
};

// The main window's paint regions: the shape combined by exclusive-or with main EDIT 0..2, and
// with macro EDIT 1, MACRODISPLAY 2, 1, 3, EDIT 2, EDIT 0 in that order. Empty rectangles
// change nothing.
MainPaintRegions mainPaintRegions(const QRegion& shape, const SkinLayout& layout);

}  // namespace tarvosk
