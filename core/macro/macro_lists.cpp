#include "macro/macro_lists.h"

#include <algorithm>

namespace tarvosk {

int lineUnderCursor(int itemHeight, int topIndex, int cursorY, int listTop) {
  if (itemHeight <= 0) return 0;
  return (itemHeight * topIndex + cursorY - listTop) / itemHeight;
}

bool rightClickHitsList(bool cursorInside, int line, int lineCount) {
  return cursorInside && (lineCount == 0 || (line >= 0 && line < lineCount));
}

int eventOfLine(int line) { return line < 0 ? -1 : line / 2; }

int eventListLineCount(const MacroRecord& m) {
  const int count = std::min<int>(m.eventCount, kMacroEvents);
  return count > 0 ? 2 * count - 1 : 0;
}

int lineToSelectAfterRebuild(bool recording, int selectedLine, int lineCount) {
  if (lineCount <= 0) return -1;
  if (recording) return lineCount - 1;
  return std::clamp(selectedLine, 0, lineCount - 1);
}

std::optional<int> ledProgramForLine(const MacroRecord& m, int line) {
  if (line < 0 || line >= eventListLineCount(m)) return std::nullopt;
  return ledProgramIndex(m, eventOfLine(line));
}

RepeatField repeatFieldFor(const MacroRecord& m) {
  if ((m.playMode & play::kModeMask) != play::kRepeat) return {false, "1"};
  return {true, std::to_string(m.repeatCount)};
}

int macroForSelection(const MacroStore& store, int selectedLine) {
  const int count = std::clamp<int>(store.count, 0, kMacrosPerGroup);
  return selectedLine >= 0 && selectedLine < count ? selectedLine : 0;
}

}  // namespace tarvosk
