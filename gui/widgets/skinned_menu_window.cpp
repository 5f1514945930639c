#include "skinned_menu_window.h"

#include <QDir>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "skin/skin_images.h"

namespace tarvosk {

namespace {

// Captions under the pointer take the window's hover colour, the others are white.
const QColor kHoverColour(1, 255, 246);
// A missing menu mask falls back to the shipped menu size.
const QSize kFallbackMaskSize(200, 360);

QImage load(const QString& dir, std::string_view file) {
  return loadSkinImage(QDir(dir).filePath(QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()))));
}

}  // namespace

SkinnedMenuWindow::SkinnedMenuWindow(const PopupLevelConfig& config, const PopupImageSet& images, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint),
      m_font(config.font),
      m_normal(load(config.skinsDir, images.normal)),
      m_over(load(config.skinsDir, images.over)),
      m_down(load(config.skinsDir, images.down)) {
  const std::string_view mask = images.mask;
  m_maskSize = shapeFromMaskFile(
                   QDir(config.skinsDir).filePath(QString::fromUtf8(mask.data(), static_cast<qsizetype>(mask.size()))),
                   kFallbackMaskSize)
                   .size;
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  const int width =
      config.requestedWidth > 0 ? std::min(config.requestedWidth, m_maskSize.width()) : m_maskSize.width();
  setFixedWidth(std::max(width, 0));
}

void SkinnedMenuWindow::setRows(std::vector<std::string> texts, int rowHeight, int fullHeight) {
  m_texts.clear();
  for (const std::string& t : texts) m_texts.push_back(QString::fromStdString(t));
  m_rows = static_cast<int>(m_texts.size());
  m_rowHeight = rowHeight;
  // The window is cut to its rows; the mask images of the menus are opaque and give only the size.
  setFixedHeight(std::max(fullHeight, 0));
  setMask(QRegion(0, 0, width(), height()));
}

void SkinnedMenuWindow::setHoveredRow(int row) {
  if (row != kNoRow && (row < 1 || row > m_rows)) row = kNoRow;
  if (row == m_hoveredRow) return;
  m_hoveredRow = row;
  update();
  Q_EMIT hoveredRowChanged(row);
}

QPoint SkinnedMenuWindow::rowCentre(int row) const { return {width() / 2, (row - 1) * m_rowHeight + m_rowHeight / 2}; }

void SkinnedMenuWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // A missing image paints black, as copying from an empty image always did.
  p.fillRect(rect(), Qt::black);
  p.drawImage(0, 0, m_normal);
  if (m_hoveredRow != kNoRow) {
    const QRect band(0, (m_hoveredRow - 1) * m_rowHeight, width(), m_rowHeight);
    p.drawImage(band.topLeft(), m_pressed ? m_down : m_over, band);
  }
  p.setFont(m_font);
  const QFontMetrics fm(m_font);
  for (int row = 1; row <= m_rows; ++row) {
    const QString& text = m_texts[static_cast<std::size_t>(row - 1)];
    const int x = textX(width(), fm.horizontalAdvance(text));
    const int y = rowTextY(row, m_rowHeight, fm.height());
    p.setPen(row == m_hoveredRow ? kHoverColour : QColor(Qt::white));
    p.drawText(x, y + fm.ascent(), text);
  }
}

void SkinnedMenuWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  setHoveredRow(rowAt(pos.x(), pos.y(), width(), m_rowHeight, m_rows));
}

void SkinnedMenuWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  mouseMoveEvent(event);
  m_pressed = true;
  update();
}

void SkinnedMenuWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_pressed = false;
  update();
  Q_EMIT rowReleased(m_hoveredRow);
}

}  // namespace tarvosk
