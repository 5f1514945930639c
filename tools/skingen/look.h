#pragma once
// The skin's palette and the drawing primitives every look is built from.

#include <QColor>
#include <QPainter>
#include <QRect>

#include "skin_model.h"

namespace skingen {

namespace palette {
inline const QColor kBackgroundTop(14, 24, 46);
inline const QColor kBackgroundBottom(3, 5, 12);
inline const QColor kPanelTop(20, 33, 60);
inline const QColor kPanelBottom(10, 17, 34);
inline const QColor kPanelBorder(40, 68, 110);
inline const QColor kPlateTop(32, 48, 82);
inline const QColor kPlateBottom(18, 28, 52);
inline const QColor kPlateBorder(56, 88, 136);
inline const QColor kCyan(1, 255, 246);  // the hover colour of captions
inline const QColor kTeal(0, 120, 153);  // menu rows
inline const QColor kBlue(16, 64, 190);
inline const QColor kMuted(120, 148, 190);
inline const QColor kWell(0, 0, 0);  // child controls paint black
}  // namespace palette

enum class Look { Normal, Over, Down };

// Rounded plate with a vertical gradient and a one-pixel border.
void plate(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom, const QColor& border);
// Soft light around a rounded rectangle.
void glow(QPainter& p, const QRectF& r, qreal radius, const QColor& colour, int spread);
// A horizontal blue-to-cyan gradient fill, the "selected" look.
void accentFill(QPainter& p, const QRectF& r, qreal radius, int strength);
// Dark top edge inside a rectangle: a pressed, inset look.
void insetShadow(QPainter& p, const QRectF& r, qreal radius);
// A small vector glyph centred in `r`, drawn with `colour`.
void drawGlyph(QPainter& p, Glyph glyph, const QRectF& r, const QColor& colour);

QColor withAlpha(QColor c, int alpha);

}  // namespace skingen
