#include "app/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tarvosk {

namespace {

QPixmap drawIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);

  // The tile: navy to black, with the skin's teal edge.
  QLinearGradient tile(0, 0, 64, 64);
  tile.setColorAt(0, QColor(18, 34, 66));
  tile.setColorAt(1, QColor(4, 8, 16));
  p.setPen(QPen(QColor(0, 160, 190), 2));
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 13, 13);

  // The mouse body.
  QPainterPath body;
  body.addRoundedRect(QRectF(19, 10, 26, 44), 13, 13);
  QLinearGradient shell(19, 10, 45, 54);
  shell.setColorAt(0, QColor(70, 88, 120));
  shell.setColorAt(1, QColor(22, 30, 46));
  p.setPen(QPen(QColor(0, 220, 240), 1.6));
  p.setBrush(shell);
  p.drawPath(body);
  // The split between the two main buttons.
  p.setPen(QPen(QColor(0, 200, 230, 200), 1.2));
  p.drawLine(QPointF(32, 11), QPointF(32, 28));
  p.drawLine(QPointF(20, 28), QPointF(44, 28));
  // The wheel, lit.
  QLinearGradient wheel(32, 15, 32, 25);
  wheel.setColorAt(0, QColor(60, 140, 255));
  wheel.setColorAt(1, QColor(0, 255, 246));
  p.setPen(Qt::NoPen);
  p.setBrush(wheel);
  p.drawRoundedRect(QRectF(29.5, 14, 5, 11), 2.5, 2.5);
  return pixmap;
}

}  // namespace

QIcon appIcon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) icon.addPixmap(drawIcon(size));
  return icon;
}

}  // namespace tarvosk
