#pragma once
// A frameless popup level painted from a menu look set: the normal image, and the hovered row's
// band copied from the over image (or the down image while the button is held). Rows light up
// under the pointer and act on release. The level only reports what happens
// (hoveredRowChanged, rowReleased); the popup controller decides what it means.

#include <QImage>
#include <QWidget>
#include <vector>

#include "popup_level_config.h"

namespace tarvosk {

class SkinnedMenuWindow : public QWidget {
  Q_OBJECT

 public:
  int rowCount() const { return m_rows; }
  int rowHeight() const { return m_rowHeight; }
  int hoveredRow() const { return m_hoveredRow; }
  const std::vector<QString>& rowTexts() const { return m_texts; }
  // Lights `row` (kNoRow for none), as a pointer move over it would; reports a change.
  void setHoveredRow(int row);
  // The centre of a row in this window's coordinates (for tests and keyboard handling).
  QPoint rowCentre(int row) const;

 Q_SIGNALS:
  void hoveredRowChanged(int row);
  // The button went up over `row` (kNoRow when over no row).
  void rowReleased(int row);

 protected:
  SkinnedMenuWindow(const PopupLevelConfig& config, const PopupImageSet& images, QWidget* parent);
  // Called by the subclass constructor once the rows are known. `fullHeight` is the height
  // the level's rows make (its own rule), `rowHeight` from its mask.
  void setRows(std::vector<std::string> texts, int rowHeight, int fullHeight);
  // Where a row's text starts, for a text `textWidth` wide in a level `width` wide.
  virtual int textX(int width, int textWidth) const = 0;
  int maskHeight() const { return m_maskSize.height(); }

  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QFont m_font;
  QImage m_normal;
  QImage m_over;
  QImage m_down;
  QSize m_maskSize;
  std::vector<QString> m_texts;
  int m_rows = 0;
  int m_rowHeight = 0;
  int m_hoveredRow = kNoRow;
  bool m_pressed = false;
};

}  // namespace tarvosk
