#pragma once
// WarningDlg: the skinned confirmation shown before the function menu of a button when no other
// button of profile slot 0 has the left click. Shaped from "warning_mask.jpg", painted from
// "warning_normal.jpg" with the choice under the pointer copied from "warning_over.jpg", captions
// in red. It ends with 1 (first choice, Enter) or 2 (second choice, Escape).

#include <QDialog>
#include <QImage>
#include <QRegion>
#include <array>

#include "skin/layout_item.h"
#include "skin/skin_layout.h"

namespace tarvosk {

class WarningDlg : public QDialog {
  Q_OBJECT

 public:
  // `items` are the warning table's items 0 (first choice), 1 (second choice), 2 (message);
  // `hoveredChoice` is the choice lit when the window opens (it is not reset between openings).
  WarningDlg(const QString& skinsDir, const std::array<LayoutItem, kWarningItemCount>& items, const QFont& font,
             int hoveredChoice, QWidget* parent = nullptr);

  int hoveredChoice() const { return m_hovered; }
  // The centre of item `index` (0..2), in window coordinates.
  QPoint itemCentre(int index) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::array<LayoutItem, kWarningItemCount> m_items;
  QFont m_font;
  QImage m_normal;
  QImage m_over;
  QRegion m_shape;
  int m_hovered;
};

}  // namespace tarvosk
