#include "orvik_menu_style.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include "window/menu_resources.h"

namespace tarvosk {

namespace {

QColor toColor(MenuRgb c) { return {c.red, c.green, c.blue}; }

// A raised edge as the old toolkits drew it, in the same order: top and left in `topLeft`,
// then right and bottom in `bottomRight` (so a one-pixel-high line ends up `bottomRight`).
void draw3dRect(QPainter* p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  const int x = r.x();
  const int y = r.y();
  const int cx = r.width();
  const int cy = r.height();
  p->fillRect(QRect(x, y, cx - 1, 1), topLeft);
  p->fillRect(QRect(x, y, 1, cy - 1), topLeft);
  p->fillRect(QRect(x + cx - 1, y, 1, cy), bottomRight);
  p->fillRect(QRect(x, y + cy - 1, cx, 1), bottomRight);
}

void drawSubmenuArrow(QPainter* p, const QRect& r) {
  const int cx = r.right() - 8;
  const int cy = r.center().y();
  const QPoint tri[3] = {QPoint(cx - 3, cy - 4), QPoint(cx + 1, cy), QPoint(cx - 3, cy + 4)};
  p->setPen(Qt::NoPen);
  p->setBrush(Qt::white);
  p->drawPolygon(tri, 3);
}

}  // namespace

COrvikMenuStyle::COrvikMenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void COrvikMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (element != CE_MenuItem || item == nullptr) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  painter->save();
  const QRect r = item->rect;
  if (item->menuItemType == QStyleOptionMenuItem::Separator) {
    draw3dRect(painter, r.adjusted(kSeparatorIndent, 0, 0, 0), QColor(255, 0, 0), QColor(0, 0, 255));
    painter->restore();
    return;
  }
  const bool selected = (item->state & State_Selected) && (item->state & State_Enabled);
  if (selected) {
    // A frame in the menu's default pen and brush, then one gradient line per pixel row inside.
    painter->fillRect(r, Qt::white);
    painter->setPen(Qt::black);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(r.adjusted(0, 0, -1, -1));
    const QRect inner = r.adjusted(1, 1, -1, -1);
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
      painter->fillRect(QRect(inner.left(), y, inner.width(), 1),
                        toColor(ownerDrawGradientRow(y, inner.top(), inner.height())));
    }
  } else {
    painter->fillRect(r, toColor(ownerDrawItemFill()));
  }
  painter->setPen(Qt::white);
  painter->setFont(item->font);
  const QRect textRect = r.adjusted(kOwnerDrawTextIndent, 0, 0, 0);
  QString text = item->text;
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  if (tab >= 0) text.truncate(tab);
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text);
  if (item->menuItemType == QStyleOptionMenuItem::SubMenu) drawSubmenuArrow(painter, r);
  painter->restore();
}

void COrvikMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
  if (element == PE_PanelMenu || element == PE_FrameMenu) {
    painter->fillRect(option->rect, toColor(ownerDrawItemFill()));
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QSize COrvikMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                        const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (type != CT_MenuItem || item == nullptr) return QProxyStyle::sizeFromContents(type, option, size, widget);
  const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
  QString text = item->text;
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  if (tab >= 0) text.truncate(tab);
  // A separator takes the menu's width; it only needs to be non-empty to be laid out at all.
  return {separator ? 1 : ownerDrawItemWidth(text.toStdString()), ownerDrawItemHeight(separator)};
}

int COrvikMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  switch (metric) {
    case PM_MenuPanelWidth:
    case PM_MenuHMargin:
    case PM_MenuVMargin:
    case PM_MenuDesktopFrameWidth: return 0;
    default: return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

int COrvikMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                               QStyleHintReturn* returnData) const {
  if (hint == SH_Menu_Scrollable) return 0;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace tarvosk
