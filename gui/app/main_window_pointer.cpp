// The pointer on the main window: hover tracking, presses and releases. Each handler gathers
// (page, hover indices, click point), asks the core, and carries out what it answers.

#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>
#include <QWindow>

#include "app/app_context.h"
#include "app/autostart_action.h"
#include "app/macro_page.h"
#include "app/main_window.h"
#include "settings/language.h"
#include "widgets/popup_controller.h"

namespace tarvosk {

PointerInput COrvik_VOrozoDlg::pointerInput(QPoint point) const {
  PointerInput input;
  input.hover = m_hover;
  input.clickX = point.x();
  input.clickY = point.y();
  input.recording = m_recording;
  input.popupOpen = m_popups && m_popups->isOpen();
  input.macroGroupCount = m_ctx.library.groupCount;
  input.macroListCount = m_ctx.macros.count;
  input.ledPreviewRunning = m_ledPreviewTimer.isActive();
  return input;
}

void COrvik_VOrozoDlg::updateHover(QPoint point) {
  const HoverIndices before = m_hover;
  m_hover = computeHover(m_ctx.layout, m_page, point.x(), point.y());
  // Qt paints what was invalidated on its next pass, so "update at once" needs nothing more.
  const HoverRepaint change = hoverRepaintFor(before, m_hover, m_page);
  if (change.invalidate) repaintArea(change.area);
}

void COrvik_VOrozoDlg::mouseMoveEvent(QMouseEvent* event) {
  updateHover(event->position().toPoint());
  event->accept();
}

void COrvik_VOrozoDlg::leaveEvent(QEvent* event) {
  // The pointer left the window: nothing is under it any more.
  const HoverIndices before = m_hover;
  m_hover = HoverIndices{kNoItem, kNoItem, kNoItem, kNoItem};
  if (!(before == m_hover)) repaintArea(repaintAreaFor(m_page));
  QDialog::leaveEvent(event);
}

void COrvik_VOrozoDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QDialog::mousePressEvent(event);
    return;
  }
  const QPoint point = event->position().toPoint();
  // A press without a move before it (a touch, a synthetic click) still acts on what it hits.
  m_hover = computeHover(m_ctx.layout, m_page, point.x(), point.y());
  const PointerInput input = pointerInput(point);
  PressOutcome outcome;
  uint8_t newPage = m_page;
  if (m_apply.running()) {
    // While the mouse takes the settings, only what changes no setting may happen.
    SettingsRecord scratch = m_snapshot;
    scratch.currentPage = m_page;
    outcome = decidePress(m_ctx.layout, input, scratch);
    // Macro operations write the group files the upload is reading, and every popup's choice
    // changes a setting or a macro.
    if (outcome.settingsChanged || outcome.macroAction != MacroPageAction::None || outcome.popup) {
      QApplication::beep();
      return;
    }
    newPage = scratch.currentPage;
  } else {
    auto lock = m_ctx.store.lock();
    m_ctx.store.record.currentPage = m_page;
    outcome = decidePress(m_ctx.layout, input, m_ctx.store.record);
    newPage = m_ctx.store.record.currentPage;
    m_snapshot = m_ctx.store.record;
    m_snapshot.currentPage = m_page;
  }
  executePress(outcome, newPage);
  event->accept();
}

void COrvik_VOrozoDlg::executePress(const PressOutcome& outcome, uint8_t newPage) {
  if (outcome.endListEdits) m_macroPage->endListEdits();
  if (outcome.refusedRecording) {
    m_prompter.showMessage(kRecordingMessage);
    return;
  }
  if (outcome.buttonHeld) {
    m_buttonHeld = true;
    repaintArea(repaintAreaFor(m_page));
  }
  if (outcome.closeOpenPopup && m_popups) m_popups->closeAll();

  if (newPage != m_page) showPage(newPage);
  // The macro page's six controls live while it shows.
  if (outcome.destroyMacroControls) m_macroPage->destroy();
  if (outcome.createMacroControls) m_macroPage->create();

  if (outcome.windowDrag) {
    m_buttonHeld = false;
    if (windowHandle()) windowHandle()->startSystemMove();
    return;
  }

  if (outcome.selectedButton) m_selectedButton = *outcome.selectedButton;
  if (outcome.popup && m_popups) {
    if (outcome.leftClickWarning && m_popups->showWarning(this) == WarningAnswer::Cancel) {
      m_buttonHeld = false;
      repaintArea(repaintAreaFor(m_page));
      return;
    }
    m_popups->open(*outcome.popup, mapToGlobal(QPoint(0, 0)), m_selectedButton);
  }
  if (outcome.startLedPreview) startLedPreview();
  m_macroPage->runAction(outcome.macroAction, outcome.playMode);
  if (outcome.repaint) repaintArea(*outcome.repaint);
}

void COrvik_VOrozoDlg::showPage(uint8_t page) {
  const uint8_t previous = m_page;
  m_page = page;
  m_snapshot.currentPage = page;
  if (previous == 0 && page != 0) destroyNameEdits();
  if (page == 0 && previous != 0) createNameEdits();
  if (page != 3) m_ledPreviewTimer.stop();
  // Hover indices of the strip depend on the page (main items above 10 only on the main page).
  const QPoint cursor = mapFromGlobal(QCursor::pos());
  m_hover = computeHover(m_ctx.layout, m_page, cursor.x(), cursor.y());
  update();
}

void COrvik_VOrozoDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QDialog::mouseReleaseEvent(event);
    return;
  }
  const PointerInput input = pointerInput(event->position().toPoint());
  ReleaseOutcome outcome;
  if (m_apply.running()) {
    SettingsRecord scratch = m_snapshot;
    outcome = decideRelease(input, scratch);
    if (outcome.profileSelected || outcome.action == ReleaseAction::Apply ||
        outcome.action == ReleaseAction::HideAndRevert || outcome.action == ReleaseAction::Import ||
        outcome.action == ReleaseAction::ResetToFactory || outcome.action == ReleaseAction::SwitchLanguage) {
      m_buttonHeld = false;
      QApplication::beep();
      update();
      return;
    }
  } else {
    auto lock = m_ctx.store.lock();
    outcome = decideRelease(input, m_ctx.store.record);
    m_snapshot = m_ctx.store.record;
    m_snapshot.currentPage = m_page;
  }
  executeRelease(outcome);
  event->accept();
}

void COrvik_VOrozoDlg::executeRelease(const ReleaseOutcome& outcome) {
  if (outcome.refusedRecording) {
    m_prompter.showMessage(kRecordingMessage);
    return;
  }
  if (outcome.clearButtonHeld) m_buttonHeld = false;
  if (outcome.clearStripHover) m_hover.strip = kNoItem;
  // Presses waiting in the poll thread are judged again against the profile now selected.
  if (outcome.profileSelected && m_workers) m_workers->settingsChanged();
  switch (outcome.action) {
    case ReleaseAction::None:
      break;
    case ReleaseAction::HideToTray:
      hideToTray();
      break;
    case ReleaseAction::HideAndLeave:
      hideToTray();
      leaveProgram();
      return;
    case ReleaseAction::HideAndRevert:
      hideAndRevert();
      break;
    case ReleaseAction::Apply:
      apply();
      break;
    case ReleaseAction::SwitchLanguage:
      switchLanguage(outcome.targetLanguage);
      break;
    case ReleaseAction::Import:
      importProfile();
      break;
    case ReleaseAction::Export:
      exportProfile();
      break;
    case ReleaseAction::ResetToFactory:
      resetToFactory();
      break;
    case ReleaseAction::OpenWebPage:
      QDesktopServices::openUrl(QUrl(QString::fromUtf8(kWebPageAddress.data(), qsizetype(kWebPageAddress.size()))));
      break;
  }
  if (outcome.repaint) repaintArea(*outcome.repaint);
}

void COrvik_VOrozoDlg::repaintArea(RepaintArea area) {
  switch (area) {
    case RepaintArea::MainPageRegion:
      update(m_regions.mainPage);
      break;
    case RepaintArea::MacroPageRegion:
      update(m_regions.macroPage);
      break;
    case RepaintArea::WholeWindow:
      update();
      break;
  }
}

void COrvik_VOrozoDlg::contextMenuEvent(QContextMenuEvent* event) {
  // The window has no caption bar and so no system menu: its about box lives here.
  QMenu menu(this);
  menu.addAction(QStringLiteral("About Tarvosk…"), this, [this] {
    PopupController::showAbout(this);
  });
  addAutostartAction(menu, this, isEnglish(m_snapshot.language));
  menu.addSeparator();
  menu.addAction(isEnglish(m_snapshot.language) ? QStringLiteral("Hide") : QStringLiteral("Ocultar"), this,
                 &COrvik_VOrozoDlg::hideToTray);
  menu.addAction(isEnglish(m_snapshot.language) ? QStringLiteral("Exit Driver") : QStringLiteral("Sair"), this,
                 &COrvik_VOrozoDlg::leaveProgram);
  menu.exec(event->globalPos());
}

}  // namespace tarvosk
