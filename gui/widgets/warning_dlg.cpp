#include "warning_dlg.h"

#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "skin/skin_images.h"
#include "window/popup_warning.h"

namespace tarvosk {

namespace {

const QSize kFallbackSize(360, 150);

QRect itemRect(const LayoutItem& item) { return {item.x, item.y, item.width, item.height}; }

}  // namespace

WarningDlg::WarningDlg(const QString& skinsDir, const std::array<LayoutItem, kWarningItemCount>& items,
                       const QFont& font, int hoveredChoice, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_items(items),
      m_font(font),
      m_normal(loadSkinImage(QDir(skinsDir).filePath(QStringLiteral("warning_normal.jpg")))),
      m_over(loadSkinImage(QDir(skinsDir).filePath(QStringLiteral("warning_over.jpg")))),
      m_hovered(hoveredChoice) {
  setWindowTitle(QString());
  const SkinShape shape = shapeFromMaskFile(QDir(skinsDir).filePath(QStringLiteral("warning_mask.jpg")), kFallbackSize);
  m_shape = shape.region;
  setFixedSize(shape.size);
  // The mask gives the input shape; the translucent window with the same outline painted keeps
  // the rounded corners on compositors that ignore masks for drawing.
  setAttribute(Qt::WA_TranslucentBackground);
  setMask(m_shape);
  setMouseTracking(true);
  setModal(true);
}

QPoint WarningDlg::itemCentre(int index) const {
  if (index < 0 || index >= static_cast<int>(kWarningItemCount)) return {};
  return itemRect(m_items[static_cast<std::size_t>(index)]).center();
}

void WarningDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setClipRegion(m_shape);
  p.fillRect(rect(), Qt::black);
  p.drawImage(QRect(QPoint(0, 0), size()), m_normal, QRect(QPoint(0, 0), size()));
  if (m_hovered == kWarningFirstChoice || m_hovered == kWarningSecondChoice) {
    const QRect r = itemRect(m_items[static_cast<std::size_t>(m_hovered - 1)]);
    p.drawImage(r.topLeft(), m_over, r);
  }
  p.setFont(m_font);
  p.setPen(QColor(255, 0, 0));
  const QFontMetrics fm(m_font);
  for (const LayoutItem& item : m_items) {
    const QString text = QString::fromStdString(item.caption);
    if (text.isEmpty()) continue;
    const int x = item.x + (item.width - fm.horizontalAdvance(text)) / 2;
    const int y = item.y + (item.height - fm.height()) / 2;
    p.drawText(x, y + fm.ascent(), text);
  }
}

void WarningDlg::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const int choice = warningChoiceAt(m_items, pos.x(), pos.y());
  if (choice == m_hovered) return;
  m_hovered = choice;
  update();
}

void WarningDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  mouseMoveEvent(event);
  const int result = warningReleaseResult(m_hovered);
  if (result != 0) done(result);
}

void WarningDlg::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: done(kWarningFirstChoice); return;
    case Qt::Key_Escape: done(kWarningSecondChoice); return;
    default: QDialog::keyPressEvent(event);
  }
}

}  // namespace tarvosk
