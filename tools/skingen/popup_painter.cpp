#include "popup_painter.h"

#include <QLinearGradient>
#include <QPainterPath>

#include "item_painter.h"

namespace skingen {

namespace {

using namespace palette;

QSize menuSize(const MenuSet& set) { return {set.width, set.rowHeight * set.rows}; }

void paintRow(QPainter& p, const MenuSet& set, const QRectF& r, Look look) {
  switch (look) {
    case Look::Normal: {
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      g.setColorAt(0, set.rowFill.lighter(108));
      g.setColorAt(1, set.rowFill.darker(112));
      p.fillRect(r, g);
      break;
    }
    case Look::Over: {
      QLinearGradient g(r.topLeft(), r.topRight());
      g.setColorAt(0, QColor(14, 52, 176));
      g.setColorAt(1, QColor(0, 196, 226));
      p.fillRect(r, g);
      p.fillRect(QRectF(r.left(), r.top(), 3, r.height()), kCyan);
      break;
    }
    case Look::Down: {
      QLinearGradient g(r.topLeft(), r.topRight());
      g.setColorAt(0, QColor(6, 30, 110));
      g.setColorAt(1, QColor(0, 124, 168));
      p.fillRect(r, g);
      insetShadow(p, r, 0);
      p.fillRect(QRectF(r.left(), r.top(), 3, r.height()), Qt::white);
      break;
    }
  }
  p.fillRect(QRectF(r.left(), r.top(), r.width(), 1), QColor(255, 255, 255, look == Look::Normal ? 34 : 60));
  p.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), QColor(0, 30, 48, 200));
  // Side rims give the frameless menu a clear edge.
  p.fillRect(QRectF(r.left(), r.top(), 1, r.height()), withAlpha(kCyan, 120));
  p.fillRect(QRectF(r.right() - 1, r.top(), 1, r.height()), QColor(0, 40, 60));
  if (set.groupRows) {
    // Group rows lead to a list of macros: a small arrow on the right says so.
    drawGlyph(p, Glyph::ArrowRight, QRectF(r.right() - 22, r.center().y() - 6, 14, 12),
              look == Look::Normal ? QColor(190, 230, 240) : Qt::white);
  }
}

}  // namespace

QImage paintMenuMask(const MenuSet& set) {
  QImage mask(menuSize(set), QImage::Format_RGB32);
  mask.fill(Qt::black);
  return mask;
}

QImage paintMenu(const MenuSet& set, Look look) {
  QImage image(menuSize(set), QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  for (int row = 0; row < set.rows; ++row) {
    paintRow(p, set, QRectF(0, row * set.rowHeight, set.width, set.rowHeight), look);
  }
  return image;
}

QImage paintWarningMask(const Skin& skin) {
  QImage mask(skin.warningSize, QImage::Format_RGB32);
  mask.fill(Qt::white);
  QPainter p(&mask);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawRoundedRect(QRectF(QPointF(0, 0), QSizeF(skin.warningSize)), 16, 16);
  return mask;
}

QImage paintWarning(const Skin& skin, Look look) {
  QImage image(skin.warningSize, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF all(QPointF(0, 0), QSizeF(skin.warningSize));
  plate(p, all.adjusted(1, 1, -1, -1), 15, QColor(26, 36, 62), QColor(8, 12, 26), QColor(255, 170, 40));
  // Hazard band along the top edge.
  p.save();
  QPainterPath top;
  top.addRoundedRect(all.adjusted(2, 2, -2, 0), 14, 14);
  p.setClipPath(top);
  p.setClipRect(QRectF(0, 0, all.width(), 10), Qt::IntersectClip);
  p.fillRect(all, QColor(255, 170, 40));
  p.setPen(QPen(QColor(20, 20, 30), 5));
  for (int x = -20; x < all.width() + 20; x += 18) p.drawLine(QPointF(x, 12), QPointF(x + 12, 0));
  p.restore();
  // Warning sign above the message.
  const QPointF c(all.center().x(), 28);
  QPolygonF tri({c + QPointF(0, -11), c + QPointF(12, 10), c + QPointF(-12, 10)});
  p.setPen(QPen(QColor(255, 190, 60), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(60, 40, 10));
  p.drawPolygon(tri);
  p.drawLine(c + QPointF(0, -4), c + QPointF(0, 3));
  p.drawPoint(c + QPointF(0, 7));
  for (const Item& it : skin.warning) paintItem(p, it, it.role == Role::Message ? Look::Normal : look);
  return image;
}

}  // namespace skingen
