#include "look.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace skingen {

QColor withAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

void plate(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom, const QColor& border) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(border.alpha() ? QPen(border, 1) : Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  // A faint highlight along the top edge gives the plate some depth.
  p.setPen(QPen(QColor(255, 255, 255, 22), 1));
  p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
}

void glow(QPainter& p, const QRectF& r, qreal radius, const QColor& colour, int spread) {
  p.setBrush(Qt::NoBrush);
  for (int i = spread; i >= 1; --i) {
    const int alpha = colour.alpha() * (spread - i + 1) / (spread + 1) / 3;
    p.setPen(QPen(withAlpha(colour, alpha), 2));
    p.drawRoundedRect(r.adjusted(-i + 0.5, -i + 0.5, i - 0.5, i - 0.5), radius + i, radius + i);
  }
}

void accentFill(QPainter& p, const QRectF& r, qreal radius, int strength) {
  QLinearGradient g(r.topLeft(), r.topRight());
  g.setColorAt(0, QColor(12, 52, 160, strength));
  g.setColorAt(1, QColor(0, 168, 200, strength));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void insetShadow(QPainter& p, const QRectF& r, qreal radius) {
  QLinearGradient g(r.topLeft(), QPointF(r.left(), r.top() + std::min<qreal>(r.height(), 10)));
  g.setColorAt(0, QColor(0, 0, 0, 120));
  g.setColorAt(1, QColor(0, 0, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius, radius);
}

namespace {

void arrow(QPainter& p, QPointF from, QPointF to, qreal head) {
  p.drawLine(from, to);
  const QPointF d = to - from;
  const qreal len = std::max<qreal>(1.0, std::hypot(d.x(), d.y()));
  const QPointF u(d.x() / len, d.y() / len);
  const QPointF n(-u.y(), u.x());
  p.drawLine(to, to - u * head + n * head * 0.7);
  p.drawLine(to, to - u * head - n * head * 0.7);
}

}  // namespace

void drawGlyph(QPainter& p, Glyph glyph, const QRectF& r, const QColor& colour) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  const QPointF c = r.center();
  const qreal s = std::min(r.width(), r.height()) / 2;
  switch (glyph) {
    case Glyph::None: break;
    case Glyph::Minimise:
      p.drawLine(QPointF(c.x() - s * 0.5, c.y() + s * 0.3), QPointF(c.x() + s * 0.5, c.y() + s * 0.3));
      break;
    case Glyph::Close:
      p.drawLine(QPointF(c.x() - s * 0.4, c.y() - s * 0.4), QPointF(c.x() + s * 0.4, c.y() + s * 0.4));
      p.drawLine(QPointF(c.x() + s * 0.4, c.y() - s * 0.4), QPointF(c.x() - s * 0.4, c.y() + s * 0.4));
      break;
    case Glyph::Import:
      arrow(p, QPointF(c.x(), c.y() - s * 0.8), QPointF(c.x(), c.y() + s * 0.25), s * 0.4);
      p.drawPolyline(
          QPolygonF({QPointF(c.x() - s * 0.75, c.y() + s * 0.2), QPointF(c.x() - s * 0.75, c.y() + s * 0.75),
                     QPointF(c.x() + s * 0.75, c.y() + s * 0.75), QPointF(c.x() + s * 0.75, c.y() + s * 0.2)}));
      break;
    case Glyph::Export:
      arrow(p, QPointF(c.x(), c.y() + s * 0.25), QPointF(c.x(), c.y() - s * 0.8), s * 0.4);
      p.drawPolyline(
          QPolygonF({QPointF(c.x() - s * 0.75, c.y() + s * 0.2), QPointF(c.x() - s * 0.75, c.y() + s * 0.75),
                     QPointF(c.x() + s * 0.75, c.y() + s * 0.75), QPointF(c.x() + s * 0.75, c.y() + s * 0.2)}));
      break;
    case Glyph::Reset: {
      const QRectF arc(c.x() - s * 0.7, c.y() - s * 0.7, s * 1.4, s * 1.4);
      p.drawArc(arc, 60 * 16, 290 * 16);
      const QPointF tip(c.x() + s * 0.35, c.y() - s * 0.61);
      p.drawLine(tip, tip + QPointF(-s * 0.45, -s * 0.1));
      p.drawLine(tip, tip + QPointF(-s * 0.05, s * 0.45));
      break;
    }
    case Glyph::Link: {
      p.drawEllipse(c, s * 0.75, s * 0.75);
      p.drawEllipse(c, s * 0.32, s * 0.75);
      p.drawLine(QPointF(c.x() - s * 0.75, c.y()), QPointF(c.x() + s * 0.75, c.y()));
      break;
    }
    case Glyph::Sun: {
      p.drawEllipse(c, s * 0.32, s * 0.32);
      for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * s * 0.55, c + QPointF(std::cos(a), std::sin(a)) * s * 0.8);
      }
      break;
    }
    case Glyph::Speed:
      for (int i = 0; i < 2; ++i) {
        const qreal x = c.x() - s * 0.45 + i * s * 0.45;
        p.drawPolyline(
            QPolygonF({QPointF(x, c.y() - s * 0.5), QPointF(x + s * 0.4, c.y()), QPointF(x, c.y() + s * 0.5)}));
      }
      break;
    case Glyph::ArrowRight: arrow(p, QPointF(c.x() - s * 0.8, c.y()), QPointF(c.x() + s * 0.8, c.y()), s * 0.4); break;
    case Glyph::ArrowLeft: arrow(p, QPointF(c.x() + s * 0.8, c.y()), QPointF(c.x() - s * 0.8, c.y()), s * 0.4); break;
    case Glyph::Bounce:
      arrow(p, QPointF(c.x() - s * 0.1, c.y() - s * 0.3), QPointF(c.x() + s * 0.85, c.y() - s * 0.3), s * 0.3);
      arrow(p, QPointF(c.x() + s * 0.1, c.y() + s * 0.3), QPointF(c.x() - s * 0.85, c.y() + s * 0.3), s * 0.3);
      break;
    case Glyph::Outward:
      arrow(p, QPointF(c.x() - s * 0.15, c.y()), QPointF(c.x() - s * 0.9, c.y()), s * 0.35);
      arrow(p, QPointF(c.x() + s * 0.15, c.y()), QPointF(c.x() + s * 0.9, c.y()), s * 0.35);
      p.drawPoint(c);
      break;
    case Glyph::Plus:
      p.drawLine(QPointF(c.x() - s * 0.5, c.y()), QPointF(c.x() + s * 0.5, c.y()));
      p.drawLine(QPointF(c.x(), c.y() - s * 0.5), QPointF(c.x(), c.y() + s * 0.5));
      break;
    case Glyph::Minus: p.drawLine(QPointF(c.x() - s * 0.5, c.y()), QPointF(c.x() + s * 0.5, c.y())); break;
    case Glyph::Chevron:
      p.drawPolyline(QPolygonF({QPointF(c.x() - s * 0.45, c.y() - s * 0.2), QPointF(c.x(), c.y() + s * 0.25),
                                QPointF(c.x() + s * 0.45, c.y() - s * 0.2)}));
      break;
    case Glyph::Active:
      for (int i = 1; i <= 3; ++i) {
        p.setPen(QPen(withAlpha(colour, 255 - i * 60), 1.6));
        p.drawEllipse(c, s * 0.3 * i, s * 0.3 * i);
      }
      p.setBrush(colour);
      p.drawEllipse(c, s * 0.18, s * 0.18);
      break;
  }
  p.restore();
}

}  // namespace skingen
