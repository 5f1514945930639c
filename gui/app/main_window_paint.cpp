// Painting the main window: the core plans the page from the settings snapshot, the skin's
// painter composes it into the frame, and the frame goes to the screen with the shape as alpha.

#include <QPaintEvent>
#include <QPainter>

#include "app/app_context.h"
#include "app/main_window.h"
#include "settings/language.h"
#include "window/paint_plan.h"
#include <QLinearGradient>
#include <algorithm>

namespace tarvosk {

namespace {

constexpr int kApplyItem = 3;  // the page strip's apply button

// While an apply runs, the apply button shows its pressed look with a bar of the reports sent so
// far along its bottom edge, and nothing else on it reacts.
void paintApplyProgress(QPainter& painter, const SkinLayout& layout, double progress, const QImage& down) {
  const LayoutItem& item = layout.main[kApplyItem];
  if (!item.hasArea()) return;
  const QRect rect(item.x, item.y, item.width, item.height);
  if (!down.isNull()) painter.drawImage(rect, down, rect);
  const int barHeight = std::max(3, item.height / 8);
  const QRect groove(rect.left() + 6, rect.bottom() - barHeight - 3, rect.width() - 12, barHeight);
  painter.fillRect(groove, QColor(0, 30, 45, 200));
  QRect filled = groove;
  filled.setWidth(static_cast<int>(groove.width() * progress));
  QLinearGradient fill(filled.topLeft(), filled.topRight());
  fill.setColorAt(0, QColor(40, 110, 255));
  fill.setColorAt(1, QColor(1, 255, 246));
  painter.fillRect(filled, fill);
}

}  // namespace

void COrvik_VOrozoDlg::composeFrame(const QRegion& region) {
  PaintInput input{m_snapshot, m_ctx.layout};
  input.hover = m_hover;
  input.buttonHeld = m_buttonHeld;
  input.recording = m_recording;
  if (m_ctx.library.groupCount > 0 && m_ctx.currentMacro >= 0 && m_ctx.currentMacro < kMacroSlots) {
    input.playMode = m_ctx.macros.slots[static_cast<std::size_t>(m_ctx.currentMacro)].playMode;
  }
  input.userMacroName = [this](int group, int index) -> std::string {
    if (group < 0 || group >= m_ctx.library.groupCount || index < 0 || index >= kMacrosPerGroup) return {};
    return m_ctx.library.macroNames[static_cast<std::size_t>(group)][static_cast<std::size_t>(index)];
  };
  if (m_ledPreviewTimer.isActive()) input.previewColor = m_ledPreview.colorIndex;
  const PaintPlan plan = buildPaintPlan(input);

  QPainter painter(&m_frame);
  painter.setClipRegion(region);
  paintPage(painter, plan, m_images, QString::fromStdString(m_ctx.paths.skinsFolder.string()), m_fonts);
  if (m_apply.running()) {
    const QString down = QString::fromStdString((m_ctx.paths.skinsFolder / plan.downImage).string());
    paintApplyProgress(painter, m_ctx.layout, m_apply.progress(), m_images.image(down));
  }
  // Outside the shape the window is see-through.
  painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
  painter.drawImage(0, 0, m_alpha);
}

void COrvik_VOrozoDlg::paintEvent(QPaintEvent* event) {
  if (m_frame.isNull()) return;
  composeFrame(event->region());
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (const QRect& rect : event->region()) painter.drawImage(rect, m_frame, rect);
}

void COrvik_VOrozoDlg::startLedPreview() {
  if (m_ledPreviewTimer.isActive()) return;
  tarvosk::startLedPreview(m_ledPreview, m_snapshot.cycleColorEnable);
  m_ledPreviewTimer.start(ledPreviewPassMs(m_snapshot.ledCycleTime));
}

void COrvik_VOrozoDlg::ledPreviewTick() {
  if (m_page != 3) return;  // the preview ends with its page
  ledPreviewPass(m_ledPreview, m_snapshot.ledType, m_snapshot.cycleColorEnable);
  update();
  m_ledPreviewTimer.start(ledPreviewPassMs(m_snapshot.ledCycleTime));
}

}  // namespace tarvosk
