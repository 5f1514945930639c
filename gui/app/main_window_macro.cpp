// The main window's side of the macro page: what the popups and the recording switch report,
// passed on to the page's controls (gui/app/macro_page.h).

#include "app/app_context.h"
#include "app/macro_page.h"
#include "app/main_window.h"

namespace tarvosk {

void COrvik_VOrozoDlg::setRecording(bool recording) {
  if (m_recording == recording) return;
  m_recording = recording;
  repaintArea(RepaintArea::MacroPageRegion);
}

void COrvik_VOrozoDlg::macroFileAction(int item) { m_macroPage->fileAction(item); }

void COrvik_VOrozoDlg::ledEventValue(PopupKind kind, int value) { m_macroPage->ledEventValue(kind, value); }

}  // namespace tarvosk
