#include "macro/macro_recording.h"

#include <algorithm>

#include "macro/event_text.h"
#include "macro/key_tables.h"

namespace tarvosk {

std::optional<RecordingStart> MacroRecorder::start(MacroStore& store, int selectedMacro) {
  if (m_recording || store.count <= 0) return std::nullopt;
  const int count = std::min<int>(store.count, kMacrosPerGroup);
  m_target = (selectedMacro >= 0 && selectedMacro < count) ? selectedMacro : 0;
  m_recording = true;
  m_recorded = 0;
  m_presses = 0;
  m_held.fill(0);
  m_heldCount = 0;
  m_lastMessage.reset();
  m_lastKey = 0;

  MacroRecord& macro = store.slots[static_cast<std::size_t>(m_target)];
  MacroRecord blank;
  blank.name = macro.name;
  blank.repeatCount = 1;
  blank.playMode = play::kRepeat;
  macro = blank;
  return RecordingStart{m_target};
}

int MacroRecorder::stop(MacroStore& store) {
  if (!m_recording) return 0;
  m_recording = false;
  store.slots[static_cast<std::size_t>(m_target)].eventCount = static_cast<uint16_t>(m_recorded);
  return m_recorded;
}

uint16_t MacroRecorder::pauseSinceLastEvent(uint32_t msSinceMidnight) {
  const int64_t now = msSinceMidnight % kMsPerDay;
  int64_t d = now - static_cast<int64_t>(m_lastTime);
  if (d < 0) d += kMsPerDay;  // the clock passed midnight
  m_lastTime = static_cast<uint32_t>(now);
  return static_cast<uint16_t>(std::min<int64_t>(d, 65535));
}

RecordingOutcome MacroRecorder::feed(MacroStore& store, const KeyInput& key, int32_t language) {
  RecordingOutcome out;
  if (!m_recording) {
    out.dropped = RecordingDrop::NotRecording;
    return out;
  }
  if (m_lastMessage == key.message && m_lastKey == key.virtualKey) {
    out.dropped = RecordingDrop::AutoRepeat;
    return out;
  }
  const int n = m_recorded;
  const bool down = isKeyDown(key.message);
  const uint8_t vk = static_cast<uint8_t>(key.virtualKey & 0xFF);
  auto remember = [&] {
    m_lastMessage = key.message;
    m_lastKey = key.virtualKey;
  };

  if (n >= kMaxRecordedEvents) {
    // Nothing more fits: say so once and end the take rather than trap the keyboard.
    out.dropped = RecordingDrop::EventLimit;
    out.message = kMoreThanLimitMessage;
    out.stopRecording = true;
    remember();
    return out;
  }
  if (down && m_presses >= kMaxRecordedPresses) {
    out.dropped = RecordingDrop::PressLimit;
    return out;
  }
  if (down) {
    if (m_heldCount >= kMaxHeldKeys) {
      out.dropped = RecordingDrop::TooManyHeld;
      return out;
    }
    m_held[static_cast<std::size_t>(m_heldCount++)] = vk;
  } else {
    const auto end = m_held.begin() + m_heldCount;
    const auto it = std::find(m_held.begin(), end, vk);
    if (it == end) {
      out.dropped = RecordingDrop::ReleaseWithoutPress;
      return out;
    }
    std::copy(it + 1, end, it);
    m_held[static_cast<std::size_t>(--m_heldCount)] = 0;
  }

  MacroRecord& macro = store.slots[static_cast<std::size_t>(m_target)];
  macro.eventCode[n] = virtualKeyToHid(vk, language);
  macro.eventType[n] = down ? type::kPress : type::kRelease;
  macro.eventParamA[n] = 0;
  macro.eventParamB[n] = 0;
  const uint16_t pause = pauseSinceLastEvent(key.msSinceMidnight);
  if (n > 0) {
    macro.eventDelay[n - 1] = pause;
    macro.eventDelay[n] = kLastRecordedPause;
  }
  if (down) ++m_presses;
  m_recorded = n + 1;
  // The count follows the take, so the line texts and an upload see the events recorded so far.
  macro.eventCount = static_cast<uint16_t>(m_recorded);

  if (n > 0) out.lines.push_back(pauseLineText(macro.eventDelay[n - 1]));
  out.lines.push_back(eventLineText(macro, n, language));
  out.event = n;
  remember();
  return out;
}

bool windowSwallowsKey(KeyMessage message, uint32_t virtualKey, bool recording) {
  if (recording) return true;
  return message == KeyMessage::KeyDown && (virtualKey == kVkEscape || virtualKey == kVkReturn);
}

}  // namespace tarvosk
