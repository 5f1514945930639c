#pragma once
// The keyboard side of a recording: while a take runs the main window holds the keyboard
// (QWidget::grabKeyboard: an active grab under X11, so keystrokes reach no other program; the
// focused window only elsewhere), every key press and release is turned into its Windows
// virtual-key code and fed to the core's MacroRecorder, and what that stores is reported.

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "macro/macro_recording.h"

class QKeyEvent;
class QWidget;

namespace tarvosk {

struct AppContext;

class MacroCapture : public QObject {
  Q_OBJECT

 public:
  MacroCapture(QWidget& window, AppContext& context);
  ~MacroCapture() override;

  // Starts a take on `selectedMacro` of the context's store (grabbing the keyboard); false when
  // there is no macro to record into.
  bool start(int selectedMacro);
  // Ends the take and lets the keyboard go. Returns the number of events recorded.
  int stop();
  bool recording() const { return m_recorder.recording(); }

  // The language of the key tables (the interface language).
  void setLanguage(int32_t language) { m_language = language; }
  // Milliseconds since midnight (UTC); tests set their own clock.
  void setClock(std::function<uint32_t()> clock) { m_clock = std::move(clock); }

  // Feeds one key event (what the grab delivers to the window). True when the event was taken:
  // every key while a take runs, so nothing else reacts to it.
  bool feed(const QKeyEvent& event);

  // The Windows virtual-key code of a key event: from its X11 keycode (evdev + 8), else from its
  // keysym; 0 when neither is known.
  static uint32_t virtualKeyOf(const QKeyEvent& event);

 Q_SIGNALS:
  // Event `event` was stored; `lines` are the event-list lines to append (pause, then event).
  void eventRecorded(int event, const std::vector<std::string>& lines);
  void message(const std::string& text);
  // The take must end: the event limit was reached, or the window was hidden (a grab that
  // outlived its window would leave the user without a keyboard).
  void endRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& m_window;
  AppContext& m_ctx;
  MacroRecorder m_recorder;
  int32_t m_language = 1;
  std::function<uint32_t()> m_clock;
};

}  // namespace tarvosk
