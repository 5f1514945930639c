#include "page_painter.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

#include "item_painter.h"

namespace skingen {

namespace {

using namespace palette;

QPainterPath outline(const Skin& skin) {
  QPainterPath path;
  path.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(skin.windowSize)), skin.cornerRadius, skin.cornerRadius);
  return path;
}

// Background shared by every page: gradient, faint diagonal texture, header, tab rail, footer.
void paintBackground(QPainter& p, const Skin& skin) {
  const QRectF all(QPointF(0, 0), QSizeF(skin.windowSize));
  p.fillRect(all, Qt::black);
  p.save();
  p.setClipPath(outline(skin));
  QLinearGradient g(all.topLeft(), all.bottomLeft());
  g.setColorAt(0, kBackgroundTop);
  g.setColorAt(1, kBackgroundBottom);
  p.fillRect(all, g);
  p.setPen(QPen(QColor(255, 255, 255, 6), 1));
  for (int x = -skin.windowSize.height(); x < skin.windowSize.width(); x += 14) {
    p.drawLine(QPointF(x, skin.windowSize.height()), QPointF(x + skin.windowSize.height(), 0));
  }
  // A cool light from the top-left corner.
  QRadialGradient light(QPointF(140, 40), 520);
  light.setColorAt(0, QColor(0, 170, 220, 38));
  light.setColorAt(1, QColor(0, 170, 220, 0));
  p.fillRect(all, light);
  // Header band and the rail under the page tabs.
  QLinearGradient header(QPointF(0, 0), QPointF(0, 58));
  header.setColorAt(0, QColor(24, 40, 72, 200));
  header.setColorAt(1, QColor(10, 18, 36, 200));
  p.fillRect(QRectF(0, 0, all.width(), 58), header);
  p.fillRect(QRectF(0, 58, all.width(), 1), withAlpha(kCyan, 60));
  // The rail is the same on every page, so it carries no lit segment that could pass for the
  // selected tab; the tab itself shows the selection.
  p.fillRect(QRectF(16, 106, all.width() - 32, 2), QColor(30, 52, 88));
  // Footer band.
  p.fillRect(QRectF(0, 544, all.width(), 1), QColor(36, 60, 100));
  QLinearGradient footer(QPointF(0, 545), QPointF(0, all.height()));
  footer.setColorAt(0, QColor(12, 20, 40, 200));
  footer.setColorAt(1, QColor(4, 8, 18, 200));
  p.fillRect(QRectF(0, 545, all.width(), all.height() - 545), footer);
  p.restore();
  // Edge light along the outline.
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(withAlpha(kCyan, 90), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(all.adjusted(1, 1, -1, -1), skin.cornerRadius - 1, skin.cornerRadius - 1);
  p.restore();
}

// Panels (insets = false) go under the items; the wells of child controls (insets = true) go
// over them, since a name field sits on top of its profile tab.
void paintPanels(QPainter& p, const Page& page, bool insets) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  for (const Panel& panel : page.panels) {
    if (panel.inset != insets) continue;
    const QRectF r(panel.rect);
    if (panel.inset) {
      // A black well for a child control, with a thin lit rim.
      p.setPen(QPen(QColor(44, 74, 118), 1));
      p.setBrush(kWell);
      p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
      p.setPen(QPen(withAlpha(kCyan, 50), 1));
      p.drawLine(QPointF(r.left() + 4, r.bottom() - 0.5), QPointF(r.right() - 4, r.bottom() - 0.5));
      continue;
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, withAlpha(kPanelTop, 220));
    g.setColorAt(1, withAlpha(kPanelBottom, 220));
    p.setPen(QPen(kPanelBorder, 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    // Corner accent: a short cyan line on the top-left edge.
    p.setPen(QPen(withAlpha(kCyan, 170), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + 12, r.top() + 0.5), QPointF(r.left() + 56, r.top() + 0.5));
  }
  p.restore();
}

// Top view of the mouse on the main page, with leader lines from each button to its callout.
void paintMouse(QPainter& p, const Page& page) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF c(563, 330);
  QRadialGradient halo(c, 250);
  halo.setColorAt(0, QColor(0, 160, 220, 60));
  halo.setColorAt(1, QColor(0, 160, 220, 0));
  p.fillRect(QRectF(296, 122, 536, 412), halo);
  // Floor rings.
  p.setPen(QPen(withAlpha(kCyan, 40), 1));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(c.x(), 500), 110 + i * 40, 16 + i * 6);

  QPainterPath body;
  body.moveTo(563, 158);
  body.cubicTo(612, 158, 630, 200, 630, 260);
  body.cubicTo(630, 330, 636, 420, 614, 470);
  body.cubicTo(598, 504, 528, 504, 512, 470);
  body.cubicTo(490, 420, 496, 330, 496, 260);
  body.cubicTo(496, 200, 514, 158, 563, 158);
  QLinearGradient shell(QPointF(496, 0), QPointF(630, 0));
  shell.setColorAt(0, QColor(20, 30, 52));
  shell.setColorAt(0.5, QColor(44, 60, 92));
  shell.setColorAt(1, QColor(16, 24, 44));
  p.setPen(QPen(QColor(90, 120, 170), 1.5));
  p.setBrush(shell);
  p.drawPath(body);
  // Button split and the palm line.
  p.setPen(QPen(QColor(8, 12, 24), 2));
  p.drawLine(QPointF(563, 160), QPointF(563, 290));
  p.drawPath([] {
    QPainterPath s;
    s.moveTo(498, 292);
    s.cubicTo(530, 304, 596, 304, 628, 292);
    return s;
  }());
  // Light strip around the shell.
  QPainterPath strip;
  strip.moveTo(506, 300);
  strip.cubicTo(500, 380, 510, 440, 530, 476);
  strip.moveTo(620, 300);
  strip.cubicTo(626, 380, 616, 440, 596, 476);
  p.setPen(QPen(withAlpha(kCyan, 70), 7, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(strip);
  p.setPen(QPen(kCyan, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(strip);
  // Wheel and the DPI button behind it.
  QLinearGradient wheel(QPointF(553, 0), QPointF(573, 0));
  wheel.setColorAt(0, QColor(10, 60, 90));
  wheel.setColorAt(0.5, QColor(1, 220, 230));
  wheel.setColorAt(1, QColor(10, 60, 90));
  p.setPen(QPen(QColor(4, 8, 16), 1.5));
  p.setBrush(wheel);
  p.drawRoundedRect(QRectF(554, 184, 18, 42), 8, 8);
  p.setPen(QPen(QColor(0, 40, 60, 160), 1));
  for (int y = 190; y < 222; y += 5) p.drawLine(QPointF(556, y), QPointF(570, y));
  p.setPen(QPen(QColor(90, 120, 170), 1.2));
  p.setBrush(QColor(18, 28, 50));
  p.drawRoundedRect(QRectF(555, 238, 16, 22), 4, 4);
  // Side buttons on the left flank.
  p.setBrush(QColor(30, 44, 72));
  p.drawRoundedRect(QRectF(490, 258, 10, 30), 4, 4);
  p.drawRoundedRect(QRectF(490, 302, 10, 30), 4, 4);
  // Emblem on the palm.
  p.setPen(QPen(withAlpha(kCyan, 150), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(563, 400), 13, 13);
  p.drawLine(QPointF(557, 396), QPointF(569, 396));
  p.drawLine(QPointF(563, 396), QPointF(563, 408));

  // Where each button sits on the drawing, for buttons 1..6.
  const std::array<QPointF, 6> spots = {QPointF(530, 200), QPointF(598, 200), QPointF(563, 205),
                                        QPointF(495, 317), QPointF(495, 273), QPointF(563, 249)};
  for (const Item& it : page.items) {
    if (it.role != Role::Callout) continue;
    const QPointF spot = spots[static_cast<std::size_t>(it.badge - 1)];
    const bool left = it.rect.center().x() < spot.x();
    const QPointF from(left ? it.rect.right() + 1 : it.rect.left(), it.rect.center().y());
    const QPointF elbow(left ? from.x() + 10 : from.x() - 10, from.y());
    p.setPen(QPen(withAlpha(kCyan, 140), 1.2));
    p.drawPolyline(QPolygonF({from, elbow, spot}));
    p.setBrush(kCyan);
    p.setPen(Qt::NoPen);
    p.drawEllipse(spot, 3.2, 3.2);
    p.setBrush(withAlpha(kCyan, 60));
    p.drawEllipse(spot, 7, 7);
  }
  p.restore();
}

void paintItems(QPainter& p, const std::vector<Item>& items, Look look) {
  // Group frames first, so the controls sit on top of them.
  for (const Item& it : items) {
    if (it.role == Role::Region) paintItem(p, it, look);
  }
  for (const Item& it : items) {
    if (it.role != Role::Region) paintItem(p, it, look);
  }
}

}  // namespace

QImage paintMainMask(const Skin& skin) {
  QImage mask(skin.windowSize, QImage::Format_RGB32);
  mask.fill(Qt::white);
  QPainter p(&mask);
  // No antialiasing: the outline is crisp and the compressed file keeps it so.
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawPath(outline(skin));
  return mask;
}

QImage paintPage(const Skin& skin, const Page& page, Look look) {
  QImage image(skin.windowSize, QImage::Format_RGB32);
  QPainter p(&image);
  paintBackground(p, skin);
  paintPanels(p, page, false);
  if (page.id == PageId::Main) paintMouse(p, page);
  paintItems(p, page.items, look);
  paintPanels(p, page, true);
  paintItems(p, skin.strip, look);
  return image;
}

QImage paintLedNull(const Skin& skin) {
  QImage image(skin.windowSize, QImage::Format_RGB32);
  QPainter p(&image);
  paintBackground(p, skin);
  paintPanels(p, page(skin, PageId::Led), false);
  return image;
}

}  // namespace skingen
