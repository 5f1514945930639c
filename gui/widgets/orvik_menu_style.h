#pragma once
// The owner-drawn look of the program's menus (tray menu, macro event context menu): items
// filled teal, the selected item a blue-to-cyan gradient inside a dark frame, separators a
// red/blue edge line starting 25 pixels in, white text 10 pixels in. Item sizes follow the
// character rule (8 pixels per character, 20 high; separators 1). The rules are the core's
// (window/menu_resources.h); this style only paints them.

#include <QProxyStyle>

namespace tarvosk {

class COrvikMenuStyle : public QProxyStyle {
  Q_OBJECT

 public:
  COrvikMenuStyle();

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget = nullptr) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace tarvosk
