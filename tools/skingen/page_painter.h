#pragma once
// Paints the main window's images: the mask, the three looks of each page and the LED page's
// null image.

#include <QImage>

#include "look.h"
#include "skin_model.h"

namespace skingen {

// The window outline: black inside, white outside.
QImage paintMainMask(const Skin& skin);
// A page in one look: background, panels, decoration, then the strip and the page's items.
QImage paintPage(const Skin& skin, const Page& page, Look look);
// The LED page's plain background: what shows where a control does not apply.
QImage paintLedNull(const Skin& skin);

}  // namespace skingen
