#include "app/macro_capture.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QWidget>

#include "app/app_context.h"
#include "macro/x11_keys.h"

namespace tarvosk {

MacroCapture::MacroCapture(QWidget& window, AppContext& context) : QObject(&window), m_window(window), m_ctx(context) {
  m_clock = [] { return static_cast<uint32_t>(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay()); };
}

MacroCapture::~MacroCapture() {
  if (recording()) m_window.releaseKeyboard();
}

bool MacroCapture::start(int selectedMacro) {
  if (!m_recorder.start(m_ctx.macros, selectedMacro)) return false;
  m_ctx.currentMacro = m_recorder.targetMacro();
  m_window.installEventFilter(this);
  // Where the desktop refuses a grab, the take is fed by what the window gets while it has the focus.
  m_window.grabKeyboard();
  return true;
}

int MacroCapture::stop() {
  if (!recording()) return 0;
  m_window.releaseKeyboard();
  m_window.removeEventFilter(this);
  return m_recorder.stop(m_ctx.macros);
}

uint32_t MacroCapture::virtualKeyOf(const QKeyEvent& event) {
  // The key's place on the keyboard first (what the macro plays back is a key, not a character);
  // the keysym where the key code is unknown.
  if (event.nativeScanCode() != 0) {
    if (const auto vk = virtualKeyFromX11Keycode(event.nativeScanCode())) return *vk;
  }
  if (event.nativeVirtualKey() != 0) {
    if (const auto vk = virtualKeyFromKeysym(event.nativeVirtualKey())) return *vk;
  }
  return 0;
}

bool MacroCapture::feed(const QKeyEvent& event) {
  if (!recording()) return false;
  // The desktop repeats a held key as release-press pairs; the take wants one press per hold.
  if (event.isAutoRepeat()) return true;
  const uint32_t vk = virtualKeyOf(event);
  if (vk == 0) return true;
  const bool down = event.type() == QEvent::KeyPress;
  const bool alt = event.modifiers().testFlag(Qt::AltModifier);
  KeyInput key;
  key.message =
      down ? (alt ? KeyMessage::SysKeyDown : KeyMessage::KeyDown) : (alt ? KeyMessage::SysKeyUp : KeyMessage::KeyUp);
  key.virtualKey = vk;
  key.msSinceMidnight = m_clock();
  const RecordingOutcome outcome = m_recorder.feed(m_ctx.macros, key, m_language);
  if (outcome.event >= 0 && outcome.dropped == RecordingDrop::None) Q_EMIT eventRecorded(outcome.event, outcome.lines);
  if (outcome.stopRecording) Q_EMIT endRequested();
  if (outcome.message) Q_EMIT message(std::string(*outcome.message));
  return true;
}

bool MacroCapture::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &m_window && recording()) {
    switch (event->type()) {
      case QEvent::ShortcutOverride:
        event->accept();  // no shortcut acts while a take runs
        return true;
      case QEvent::Hide: Q_EMIT endRequested(); break;
      case QEvent::KeyPress:
      case QEvent::KeyRelease: return feed(*static_cast<QKeyEvent*>(event));
      default: break;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tarvosk
