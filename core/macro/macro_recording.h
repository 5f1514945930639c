#pragma once
// Recording a macro from the keyboard. While a take runs, the window grabs the keyboard and feeds
// every key press and release to MacroRecorder in Windows virtual-key terms (x11_keys.h turns
// the desktop's key codes into those); the recorder appends one event per new press or release
// to the target macro, with the time since the previous event as that event's pause, and says
// what the window shows. No window code here: the grab and the message boxes are the caller's.
//
// Rules of a take:
//   - a press or release identical to the last one handled (same message, same key) is
//     auto-repeat and adds nothing, so a long hold is one press;
//   - a release of a key that is not held (pressed before the take, or refused) is dropped;
//   - at most 216 events per take: the next key shows "More than limit!" and ends the take;
//   - after 108 presses further presses are ignored, releases of held keys still count, so
//     every recorded press can get its release within the 216 events;
//   - at most 8 keys held at once: a ninth press is ignored (and so is its release), so the
//     macro never holds a press whose release it cannot record;
//   - pauses are measured on a clock of milliseconds since midnight, across midnight too, and
//     stored as at most 65535 ms; the first event's own pause waits for the second event, the
//     last event's pause is 20 ms.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_record.h"

namespace tarvosk {

inline constexpr int kMaxRecordedEvents = 216;
inline constexpr int kMaxRecordedPresses = 108;
inline constexpr int kMaxHeldKeys = 8;
inline constexpr uint16_t kLastRecordedPause = 20;  // ms after the newest event of a take
inline constexpr uint32_t kMsPerDay = 86'400'000;
inline constexpr std::string_view kMoreThanLimitMessage = "More than limit!";

// Virtual-key codes with a rule of their own in the window.
inline constexpr uint32_t kVkReturn = 0x0D;
inline constexpr uint32_t kVkEscape = 0x1B;
inline constexpr uint32_t kVkF10 = 0x79;

// The four keyboard messages, with the values the program has always used for them. The
// "system" pair is what a key gives while Alt is down (or F10); it counts as a different message
// for the auto-repeat rule.
enum class KeyMessage : uint16_t { KeyDown = 0x100, KeyUp = 0x101, SysKeyDown = 0x104, SysKeyUp = 0x105 };

inline bool isKeyDown(KeyMessage m) { return m == KeyMessage::KeyDown || m == KeyMessage::SysKeyDown; }

struct KeyInput {
  KeyMessage message = KeyMessage::KeyDown;
  uint32_t virtualKey = 0;       // only the low byte is recorded
  uint32_t msSinceMidnight = 0;  // a clock that wraps once a day (values past a day are taken modulo one)
};

// Why a key event added nothing.
enum class RecordingDrop {
  None,                 // an event was stored
  NotRecording,         // no take runs
  AutoRepeat,           // same message and key as the last one handled
  EventLimit,           // 216 events stored: the take ends
  PressLimit,           // 108 presses stored
  TooManyHeld,          // 8 keys already held
  ReleaseWithoutPress,  // the key is not held
};

// What the window does after a key event. Every key event of a take is kept from the rest of
// the program (and, under a grab, from every other program), whatever it gave.
struct RecordingOutcome {
  RecordingDrop dropped = RecordingDrop::None;
  int event = -1;  // index of the stored event
  // Lines to append to the event list, then select its last line: the pause line of the event
  // before (when there is one) and the new event's line.
  std::vector<std::string> lines;
  std::optional<std::string_view> message;  // show in a message box
  bool stopRecording = false;               // end the take as the record switch would
};

// The result of starting a take.
struct RecordingStart {
  int macro = 0;  // the macro being recorded, now the current macro
  // The window empties the event list and the LED program list and shows "1" in the repeat count
  // field (the macro was blanked but keeps its name, plays in mode 0, once).
};

class MacroRecorder {
 public:
  // Starts a take on macro `selectedMacro` of `store` (0 when it is outside the store): the macro
  // is blanked except for its name, repeatCount 1, playMode 0. Nothing happens (nullopt) when
  // the store holds no macro or a take already runs.
  std::optional<RecordingStart> start(MacroStore& store, int selectedMacro);
  // Ends the take: the macro keeps the events stored. Returns the event count (0 when no take ran).
  // The window then writes the macro (writeCurrentMacro in macro_manager.h), so a take is on
  // disk at once rather than with the next write.
  int stop(MacroStore& store);

  // One key event of the take; `language` is the interface language of the key tables.
  RecordingOutcome feed(MacroStore& store, const KeyInput& key, int32_t language);

  bool recording() const { return m_recording; }
  int targetMacro() const { return m_target; }
  int recordedEvents() const { return m_recorded; }
  int recordedPresses() const { return m_presses; }
  int heldKeyCount() const { return m_heldCount; }

 private:
  uint16_t pauseSinceLastEvent(uint32_t msSinceMidnight);

  bool m_recording = false;
  int m_target = 0;
  int m_recorded = 0;
  int m_presses = 0;
  std::array<uint8_t, kMaxHeldKeys> m_held{};
  int m_heldCount = 0;
  std::optional<KeyMessage> m_lastMessage;
  uint32_t m_lastKey = 0;
  // Kept across takes, as a clock would be; only the difference to the previous key matters.
  uint32_t m_lastTime = 0;
};

// True when the main window keeps a key event from its default handling: every key while a take
// runs (F10 would open the window menu, Enter and Escape would close dialogs), and outside a take
// a press of Enter or Escape, which must never close the main window.
bool windowSwallowsKey(KeyMessage message, uint32_t virtualKey, bool recording);

}  // namespace tarvosk
