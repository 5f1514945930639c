#include "item_painter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

using namespace palette;

QFont badgeFont(int pixels) {
  QFont f("DejaVu Sans");
  f.setPixelSize(pixels);
  f.setBold(true);
  return f;
}

// The common push-button plate: dark at rest, lit under the pointer, teal and inset when down.
void buttonPlate(QPainter& p, const QRectF& r, Look look, qreal radius = 6) {
  switch (look) {
    case Look::Normal: plate(p, r, radius, kPlateTop, kPlateBottom, kPlateBorder); break;
    case Look::Over:
      glow(p, r, radius, withAlpha(kCyan, 200), 4);
      plate(p, r, radius, QColor(44, 72, 118), QColor(24, 42, 78), withAlpha(kCyan, 220));
      break;
    case Look::Down:
      plate(p, r, radius, QColor(0, 96, 132), QColor(0, 58, 92), kCyan);
      accentFill(p, r.adjusted(1, 1, -1, -1), radius - 1, 150);
      insetShadow(p, r, radius);
      break;
  }
}

QColor glyphColour(Look look) {
  return look == Look::Normal ? QColor(170, 196, 230) : (look == Look::Over ? kCyan : Qt::white);
}

void paintAccentButton(QPainter& p, const QRectF& r, Look look) {
  switch (look) {
    case Look::Normal: plate(p, r, 7, QColor(0, 150, 184), QColor(0, 92, 128), withAlpha(kCyan, 150)); break;
    case Look::Over:
      glow(p, r, 7, kCyan, 5);
      plate(p, r, 7, QColor(0, 196, 220), QColor(0, 124, 164), kCyan);
      break;
    case Look::Down:
      plate(p, r, 7, QColor(0, 70, 104), QColor(0, 52, 84), kCyan);
      insetShadow(p, r, 7);
      break;
  }
}

void paintTab(QPainter& p, const QRectF& r, Look look) {
  QPainterPath path;
  path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, 8), 8, 8);  // square bottom corners below the clip
  p.save();
  p.setClipRect(r);
  switch (look) {
    case Look::Normal: {
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      g.setColorAt(0, QColor(22, 34, 62));
      g.setColorAt(1, QColor(14, 22, 42));
      p.fillPath(path, g);
      p.setPen(QPen(kPanelBorder, 1));
      p.drawPath(path);
      break;
    }
    case Look::Over: {
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      g.setColorAt(0, QColor(40, 66, 110));
      g.setColorAt(1, QColor(22, 38, 70));
      p.fillPath(path, g);
      p.setPen(QPen(withAlpha(kCyan, 170), 1));
      p.drawPath(path);
      p.fillRect(QRectF(r.left() + 12, r.bottom() - 2, r.width() - 24, 2), withAlpha(kCyan, 160));
      break;
    }
    case Look::Down: {
      QLinearGradient g(r.topLeft(), r.topRight());
      g.setColorAt(0, QColor(10, 44, 140));
      g.setColorAt(1, QColor(0, 150, 190));
      p.fillPath(path, g);
      p.setPen(QPen(kCyan, 1));
      p.drawPath(path);
      p.fillRect(QRectF(r.left(), r.bottom() - 3, r.width(), 3), kCyan);
      break;
    }
  }
  p.restore();
}

void paintBadge(QPainter& p, const QRectF& r, int number, Look look, bool round) {
  const QColor ring = look == Look::Normal ? QColor(70, 104, 156) : kCyan;
  p.setPen(QPen(ring, 1.5));
  p.setBrush(look == Look::Down ? QBrush(kCyan) : QBrush(QColor(10, 18, 36)));
  if (round) {
    p.drawEllipse(r);
  } else {
    p.drawRoundedRect(r, 4, 4);
  }
  p.setFont(badgeFont(static_cast<int>(r.height() * 0.55)));
  p.setPen(look == Look::Down ? QColor(4, 20, 40) : (look == Look::Over ? kCyan : QColor(170, 196, 230)));
  p.drawText(r, Qt::AlignCenter, QString::number(number));
}

void paintCheckbox(QPainter& p, const QRectF& r, Look look) {
  const qreal radius = 6;
  switch (look) {
    case Look::Normal: plate(p, r, radius, QColor(22, 34, 62), QColor(14, 24, 46), QColor(44, 72, 112)); break;
    case Look::Over: plate(p, r, radius, QColor(36, 58, 100), QColor(22, 38, 70), withAlpha(kCyan, 200)); break;
    case Look::Down: plate(p, r, radius, QColor(0, 70, 104), QColor(0, 48, 80), withAlpha(kCyan, 230)); break;
  }
  const qreal side = std::min<qreal>(16, r.height() - 8);
  const QRectF box(r.left() + 8, r.center().y() - side / 2, side, side);
  p.setPen(QPen(look == Look::Normal ? QColor(96, 126, 168) : kCyan, 1.5));
  p.setBrush(look == Look::Down ? QBrush(kCyan) : QBrush(QColor(6, 10, 22)));
  p.drawRoundedRect(box, 3, 3);
  if (look == Look::Down) {
    p.setPen(QPen(QColor(4, 24, 44), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(box.left() + side * 0.22, box.top() + side * 0.52),
                              QPointF(box.left() + side * 0.43, box.top() + side * 0.74),
                              QPointF(box.left() + side * 0.8, box.top() + side * 0.28)}));
  }
}

void paintBar(QPainter& p, const Item& item, const QRectF& r, Look look) {
  const qreal radius = std::min<qreal>(r.height() / 2, 7);
  switch (look) {
    case Look::Normal:
    case Look::Over: {
      plate(p, r, radius, QColor(6, 12, 26), QColor(12, 22, 42), look == Look::Over ? kCyan : QColor(48, 80, 124));
      insetShadow(p, r, radius);
      if (look == Look::Over) glow(p, r, radius, withAlpha(kCyan, 160), 3);
      break;
    }
    case Look::Down: {
      QLinearGradient g(r.topLeft(), r.topRight());
      g.setColorAt(0, QColor(16, 58, 200));
      g.setColorAt(0.6, QColor(0, 170, 220));
      g.setColorAt(1, kCyan);
      p.setPen(QPen(withAlpha(kCyan, 220), 1));
      p.setBrush(g);
      p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
      // Glossy upper half.
      QLinearGradient gloss(r.topLeft(), r.bottomLeft());
      gloss.setColorAt(0, QColor(255, 255, 255, 90));
      gloss.setColorAt(0.5, QColor(255, 255, 255, 10));
      gloss.setColorAt(1, QColor(255, 255, 255, 0));
      p.setPen(Qt::NoPen);
      p.setBrush(gloss);
      p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -r.height() / 2), radius - 1, radius - 1);
      break;
    }
  }
  // Evenly spaced notches along the track (twelfths for the DPI bars, tenths otherwise).
  const int steps = r.width() == 300 ? 12 : 10;
  const qreal usable = item.glyph == Glyph::None ? r.width() : r.width() - 30;
  p.setPen(QPen(look == Look::Down ? QColor(255, 255, 255, 70) : QColor(70, 100, 150, 120), 1));
  for (int i = 1; i < steps; ++i) {
    const qreal x = r.left() + usable * i / steps;
    p.drawLine(QPointF(x, r.bottom() - 4), QPointF(x, r.bottom() - 2));
  }
  if (item.glyph != Glyph::None) {
    const QRectF end(r.right() - 28, r.top(), 26, r.height());
    drawGlyph(p, item.glyph, end.adjusted(4, 3, -4, -3), look == Look::Down ? QColor(4, 30, 50) : kMuted);
  }
}

void paintMarker(QPainter& p, const QRectF& r, Look look) {
  const QRectF pill = r.adjusted(1, 2, -1, 0);
  if (look == Look::Over) plate(p, pill, 4, QColor(34, 56, 96), QColor(22, 38, 70), withAlpha(kCyan, 150));
  if (look == Look::Down) {
    glow(p, pill, 4, kCyan, 3);
    plate(p, pill, 4, QColor(0, 150, 184), QColor(0, 96, 132), kCyan);
  }
  p.setPen(QPen(look == Look::Normal ? QColor(80, 110, 156) : kCyan, 1));
  p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.top() + 3));
}

void paintRadio(QPainter& p, const QRectF& r, Look look) {
  const QPointF c = r.center();
  const qreal rad = std::min(r.width(), r.height()) / 2 - 1.5;
  if (look == Look::Down) {
    QRadialGradient g(c, rad + 4);
    g.setColorAt(0, withAlpha(kCyan, 120));
    g.setColorAt(1, withAlpha(kCyan, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, rad + 4, rad + 4);
  }
  p.setPen(QPen(look == Look::Normal ? QColor(96, 126, 168) : kCyan, 1.6));
  p.setBrush(QColor(6, 10, 22));
  p.drawEllipse(c, rad, rad);
  if (look == Look::Down) {
    p.setPen(Qt::NoPen);
    p.setBrush(kCyan);
    p.drawEllipse(c, rad * 0.5, rad * 0.5);
  }
}

void paintLamp(QPainter& p, const QRectF& r, Look look) {
  const QPointF c = r.center();
  const qreal rad = std::min(r.width(), r.height()) / 2 - 2;
  QRadialGradient g(c - QPointF(rad * 0.3, rad * 0.3), rad * 1.3);
  if (look == Look::Down) {
    g.setColorAt(0, QColor(220, 255, 252));
    g.setColorAt(0.4, kCyan);
    g.setColorAt(1, QColor(0, 110, 140));
    glow(p, QRectF(c.x() - rad, c.y() - rad, rad * 2, rad * 2), rad, kCyan, 3);
  } else {
    g.setColorAt(0, QColor(60, 80, 110));
    g.setColorAt(1, QColor(14, 22, 40));
  }
  p.setPen(QPen(look == Look::Over ? kCyan : QColor(60, 90, 130), 1.5));
  p.setBrush(g);
  p.drawEllipse(c, rad, rad);
}

void paintSwatch(QPainter& p, const Item& item, const QRectF& r, Look look) {
  if (look == Look::Down) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, item.colour.lighter(125));
    g.setColorAt(1, item.colour.darker(120));
    p.setPen(QPen(QColor(255, 255, 255, 160), 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    return;
  }
  p.setPen(QPen(QColor(52, 82, 124), 1, Qt::DashLine));
  p.setBrush(withAlpha(item.colour, 34));
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

void paintChip(QPainter& p, const Item& item, const QRectF& r, Look look) {
  switch (look) {
    case Look::Normal: plate(p, r, 6, QColor(20, 32, 58), QColor(12, 20, 40), QColor(44, 72, 112)); break;
    case Look::Over: plate(p, r, 6, QColor(34, 54, 92), QColor(20, 34, 64), withAlpha(kCyan, 210)); break;
    case Look::Down: plate(p, r, 6, QColor(26, 42, 74), QColor(16, 28, 54), Qt::white); break;
  }
  const QPointF c = r.center();
  const qreal rad = std::min(r.width(), r.height()) / 2 - 6;
  if (look == Look::Down) {
    QRadialGradient g(c, rad + 6);
    g.setColorAt(0, withAlpha(item.colour, 160));
    g.setColorAt(1, withAlpha(item.colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, rad + 6, rad + 6);
  }
  p.setPen(QPen(look == Look::Down ? Qt::white : QColor(0, 0, 0, 120), 1.2));
  p.setBrush(look == Look::Down ? item.colour : item.colour.darker(260));
  p.drawEllipse(c, rad, rad);
}

void paintRecord(QPainter& p, const QRectF& r, Look look) {
  switch (look) {
    case Look::Normal: plate(p, r, 7, kPlateTop, kPlateBottom, kPlateBorder); break;
    case Look::Over:
      glow(p, r, 7, QColor(255, 70, 90, 200), 4);
      plate(p, r, 7, QColor(60, 44, 78), QColor(34, 26, 52), QColor(255, 90, 110));
      break;
    case Look::Down:
      plate(p, r, 7, QColor(130, 20, 40), QColor(80, 10, 26), QColor(255, 90, 110));
      insetShadow(p, r, 7);
      break;
  }
  const QPointF dot(r.left() + 18, r.center().y());
  if (look != Look::Normal) {
    QRadialGradient g(dot, 11);
    g.setColorAt(0, QColor(255, 60, 80, 170));
    g.setColorAt(1, QColor(255, 60, 80, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(dot, 11, 11);
  }
  p.setPen(QPen(QColor(0, 0, 0, 140), 1));
  p.setBrush(look == Look::Normal ? QColor(170, 40, 56) : QColor(255, 64, 84));
  p.drawEllipse(dot, 6, 6);
}

void paintLogo(QPainter& p, const QRectF& r, Look look) {
  // A hexagonal emblem with a stylised T, then the program's name.
  const QPointF c(r.left() + 19, r.center().y());
  const qreal s = 15;
  QPolygonF hex;
  for (int i = 0; i < 6; ++i) {
    const qreal a = M_PI / 6 + i * M_PI / 3;
    hex << c + QPointF(std::cos(a), std::sin(a)) * s;
  }
  if (look != Look::Normal) {
    QRadialGradient g(c, s * 2);
    g.setColorAt(0, withAlpha(kCyan, look == Look::Down ? 150 : 100));
    g.setColorAt(1, withAlpha(kCyan, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, s * 2, s * 2);
  }
  QLinearGradient fill(c - QPointF(0, s), c + QPointF(0, s));
  fill.setColorAt(0, QColor(0, 150, 190));
  fill.setColorAt(1, QColor(14, 40, 130));
  p.setPen(QPen(look == Look::Normal ? QColor(1, 220, 214) : kCyan, 1.6));
  p.setBrush(fill);
  p.drawPolygon(hex);
  p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(c + QPointF(-7, -5), c + QPointF(7, -5));
  p.drawLine(c + QPointF(0, -5), c + QPointF(0, 8));
  QFont f("DejaVu Sans");
  f.setPixelSize(17);
  f.setBold(true);
  f.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
  p.setFont(f);
  p.setPen(look == Look::Normal ? QColor(228, 238, 250) : Qt::white);
  p.drawText(QRectF(r.left() + 42, r.top(), r.width() - 42, r.height()), Qt::AlignVCenter | Qt::AlignLeft, "TARVOSK");
}

void paintWindowButton(QPainter& p, const Item& item, const QRectF& r, Look look) {
  const bool close = item.glyph == Glyph::Close;
  if (look == Look::Over) {
    plate(p, r, 6, close ? QColor(210, 46, 70) : QColor(44, 70, 114), close ? QColor(150, 24, 44) : QColor(26, 44, 78),
          close ? QColor(255, 120, 140) : withAlpha(kCyan, 200));
  } else if (look == Look::Down) {
    plate(p, r, 6, close ? QColor(120, 16, 34) : QColor(0, 70, 104), close ? QColor(90, 10, 26) : QColor(0, 50, 80),
          close ? QColor(255, 120, 140) : kCyan);
    insetShadow(p, r, 6);
  }
  drawGlyph(p, item.glyph, r.adjusted(8, 6, -8, -6), look == Look::Normal ? QColor(170, 196, 230) : Qt::white);
}

}  // namespace

void paintItem(QPainter& p, const Item& item, Look look) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(item.rect);
  switch (item.role) {
    case Role::Button: buttonPlate(p, r, look); break;
    case Role::AccentButton: paintAccentButton(p, r, look); break;
    case Role::Tab: paintTab(p, r, look); break;
    case Role::WindowButton: paintWindowButton(p, item, r, look); break;
    case Role::Pill: buttonPlate(p, r, look, r.height() / 2); break;
    case Role::Logo: paintLogo(p, r, look); break;
    case Role::ProfileTab:
      buttonPlate(p, r, look, 8);
      paintBadge(p, QRectF(r.left() + 9, r.top() + 9, r.height() - 18, r.height() - 18), item.badge, look, true);
      break;
    case Role::Callout: {
      buttonPlate(p, r, look);
      p.fillRect(QRectF(r.left() + 1, r.top() + 6, 3, r.height() - 12),
                 look == Look::Normal ? withAlpha(kCyan, 110) : kCyan);
      paintBadge(p, QRectF(r.left() + 9, r.top() + 7, r.height() - 14, r.height() - 14), item.badge, look, false);
      drawGlyph(p, Glyph::Chevron, QRectF(r.right() - 24, r.top(), 18, r.height()), glyphColour(look));
      break;
    }
    case Role::IconButton:
      buttonPlate(p, r, look);
      drawGlyph(p, item.glyph, QRectF(r.left() + 8, r.center().y() - 10, 20, 20), glyphColour(look));
      break;
    case Role::Dropdown:
      buttonPlate(p, r, look);
      drawGlyph(p, item.glyph, QRectF(r.right() - 26, r.center().y() - 9, 18, 18), glyphColour(look));
      break;
    case Role::Checkbox: paintCheckbox(p, r, look); break;
    case Role::Bar: paintBar(p, item, r, look); break;
    case Role::Marker: paintMarker(p, r, look); break;
    case Role::Radio: paintRadio(p, r, look); break;
    case Role::Lamp: paintLamp(p, r, look); break;
    case Role::Swatch: paintSwatch(p, item, r, look); break;
    case Role::ColourChip: paintChip(p, item, r, look); break;
    case Role::Direction:
      buttonPlate(p, r, look);
      drawGlyph(p, item.glyph, r.adjusted(14, 8, -14, -8), look == Look::Normal ? QColor(170, 196, 230) : Qt::white);
      break;
    case Role::Record: paintRecord(p, r, look); break;
    case Role::WarningChoice:
      if (look == Look::Normal) {
        plate(p, r, 7, QColor(226, 232, 242), QColor(184, 196, 216), QColor(120, 140, 170));
      } else if (look == Look::Over) {
        glow(p, r, 7, QColor(255, 180, 40), 5);
        plate(p, r, 7, QColor(255, 255, 255), QColor(214, 224, 238), QColor(255, 180, 40));
      } else {
        plate(p, r, 7, QColor(170, 182, 202), QColor(200, 210, 226), QColor(255, 180, 40));
        insetShadow(p, r, 7);
      }
      break;
    case Role::Message:
      plate(p, r, 6, QColor(236, 240, 246), QColor(212, 220, 232), QColor(255, 180, 40));
      p.fillRect(QRectF(r.left() + 1, r.top() + 4, 3, r.height() - 8), QColor(255, 170, 40));
      break;
    case Role::Label: break;
    case Role::Tag:
      plate(p, r.adjusted(0, 2, 0, -2), 5, QColor(10, 18, 36), QColor(14, 24, 46), QColor(36, 60, 98));
      break;
    case Role::Region:
      // Group frames belong to the page and are absent from the null image.
      if (item.glyph == Glyph::Active) {
        drawGlyph(p, Glyph::Active, r, kCyan);
      } else {
        p.setPen(QPen(QColor(60, 96, 146, 150), 1));
        p.setBrush(QColor(255, 255, 255, 7));
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
      }
      break;
  }
  p.restore();
}

}  // namespace skingen
