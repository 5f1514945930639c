#pragma once
// The decisions behind the macro page's lists: which line a right click hit, whether the context
// menu opens, which line a rebuild selects, which lighting program the LED program list shows and
// what the repeat count field shows. The list texts themselves are in event_text.h.

#include <optional>
#include <string>

#include "macro/macro_record.h"

namespace tarvosk {

// The list line under the cursor: (itemHeight * topIndex + cursorY - listTop) / itemHeight, with
// cursorY and listTop in the same coordinates; 0 when the item height is 0 (or less).
int lineUnderCursor(int itemHeight, int topIndex, int cursorY, int listTop);

// True when a right click opens the event list's context menu (or selects an LED line): the
// cursor is inside the list and on a line, or the list is empty.
bool rightClickHitsList(bool cursorInside, int line, int lineCount);

// The event an event-list line belongs to (line / 2; a pause line belongs to the event before
// it); -1 for a negative line.
int eventOfLine(int line);
inline bool isPauseLine(int line) { return line >= 0 && line % 2 == 1; }
// Number of lines of the event list of `m` (2 * eventCount - 1, 0 without events).
int eventListLineCount(const MacroRecord& m);

// The line a rebuilt event list selects: during a take its last line, otherwise `selectedLine`
// (clipped to the list); -1 for an empty list.
int lineToSelectAfterRebuild(bool recording, int selectedLine, int lineCount);

// The lighting program the LED program list shows after the event list selected `line`: the
// program of the event that line belongs to when it is a lighting event naming one of the five
// programs; nullopt otherwise (the LED program list is emptied). The whole event index is used,
// so events past 255 find their own program.
std::optional<int> ledProgramForLine(const MacroRecord& m, int line);

// The repeat count field of a macro: enabled with its count in repeat mode, disabled showing
// "1" in the play-once modes.
struct RepeatField {
  bool enabled = true;
  std::string text;
};
RepeatField repeatFieldFor(const MacroRecord& m);

// The macro a macro-list selection makes current: the selected line, or 0 when nothing (or a
// line outside the store) is selected.
int macroForSelection(const MacroStore& store, int selectedLine);

}  // namespace tarvosk
