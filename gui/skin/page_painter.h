#pragma once
// Executes a paint plan: the page's normal image, then every copy, fill, frame and caption in
// the plan's order. The decisions are the core's (window/paint_plan.h); this layer only copies
// pixels and measures text.

#include <QPainter>
#include <QString>

#include "skin/interface_fonts.h"
#include "skin/skin_image_cache.h"
#include "window/paint_plan.h"

namespace tarvosk {

// Composes the page into `painter` with (0, 0) at the window's top-left corner; the images
// come from `skinsFolder` through `cache`. A missing image copies nothing, as a missing page
// image always did; pixels outside an image are never read.
void paintPage(QPainter& painter, const PaintPlan& plan, SkinImageCache& cache, const QString& skinsFolder,
               const InterfaceFonts& fonts);

}  // namespace tarvosk
