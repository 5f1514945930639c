#pragma once
// Editing the events of the current macro: the commands of the event list's context menu, the
// values typed into a line edited in place, and the choices of the LED program list's popups.
// Pure operations on one MacroRecord and the event list's cursor; they return what the window
// shows (messages, the line to select, an in-place edit to open). None writes a file: the macro
// reaches its file with the next write of the current macro. All are refused while recording.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_record.h"

namespace tarvosk {

// Identifiers of the context menu's commands.
namespace macro_command {
inline constexpr int kInsertMoveLeftUp = 32791;     // X-,Y-
inline constexpr int kInsertMoveLeftDown = 32792;   // X-,Y+
inline constexpr int kInsertMoveRightUp = 32793;    // X+,Y-
inline constexpr int kInsertMoveRightDown = 32794;  // X+,Y+
inline constexpr int kInsertDpiSet = 32797;
inline constexpr int kInsertDpiReset = 32798;
inline constexpr int kInsertLed = 32799;
inline constexpr int kInsertDelay = 32803;
inline constexpr int kChangeParameters = 32804;
inline constexpr int kModifyDelay = 32805;
inline constexpr int kDeleteEvent = 32806;
inline constexpr int kBeforeLeftPress = 32807;
inline constexpr int kBeforeLeftRelease = 32808;
inline constexpr int kBeforeRightPress = 32809;
inline constexpr int kBeforeRightRelease = 32810;
inline constexpr int kAfterLeftPress = 32813;
inline constexpr int kAfterLeftRelease = 32814;
inline constexpr int kAfterRightPress = 32815;
inline constexpr int kAfterRightRelease = 32816;
inline constexpr int kAfterMiddlePress = 32847;
inline constexpr int kAfterMiddleRelease = 32848;
inline constexpr int kBeforeMiddlePress = 32850;
inline constexpr int kBeforeMiddleRelease = 32851;
}  // namespace macro_command

// Every command id above, in menu order.
const std::vector<int>& macroCommandIds();

inline constexpr std::string_view kEditErrorMessage = "Error!";
inline constexpr std::string_view kEditLimitMessage = "More than limit!";
inline constexpr std::string_view kMoveXTooLargeMessage = "[X]数值越界!";
inline constexpr std::string_view kMoveYTooLargeMessage = "[Y]数值超出!";
inline constexpr std::string_view kDpiValueMessage = "CPI(:200/400/600/800/1000/1200/1600/2000/2400/3200/4000/4800)";

inline constexpr int kMaxPauseMs = 10000;  // a typed pause above this is stored as this
inline constexpr int kMaxMoveAmount = 100;
inline constexpr int kMaxLedTime = 100;  // on and gap times, in units of 100 ms

// The event list's cursor. After the context menu closes, the window sets both to the event
// list's selection; the commands move the line under the cursor (inserts by 2) and leave
// `selectedLine` on the line to select after the rebuild (-1 when the list is empty).
struct EditCursor {
  int lineUnderCursor = 0;
  int selectedLine = 0;
};

struct EditOutcome {
  bool changed = false;                    // the record changed: rebuild the event list
  std::vector<std::string_view> messages;  // message boxes, in order
  std::optional<int> startLineEdit;        // open this event-list line for in-place editing
};

// Runs context-menu command `command` on `m`. Unknown ids and every command while `recording`
// do nothing. After a command that changed the record, the window rebuilds the event list and
// selects cursor.selectedLine.
EditOutcome runMacroCommand(MacroRecord& m, int command, EditCursor& cursor, bool recording);

// The insert behind the move, sensitivity and lighting commands (and the reserved kinds): one
// event of `eventCode`/`eventType` at `position` (clipped to 0..eventCount), with its counter.
// Refused, with nothing changed, at 301 events ("More than limit!") or when the kind's counter
// is at its limit or the lighting programs do not line up ("Error!"). True when inserted.
bool insertEvent(MacroRecord& m, int position, uint8_t eventCode, uint8_t eventType,
                 std::vector<std::string_view>& messages);

// Deletes event `e` with its counter and, for lighting events, its program (later lighting
// events move down one program). False when e is not an event.
bool deleteEvent(MacroRecord& m, int e);

// A line of the event list edited in place: `line` (odd: the pause after event line / 2; even:
// the event) now reads `text`. Pauses, move amounts and sensitivity values are checked and
// stored; every other line stores nothing. Negative numbers are stored as 0.
EditOutcome applyEventLineEdit(MacroRecord& m, int line, std::string_view text);

// A time line of the LED program list edited in place: line `ledLine` of the program of the
// lighting event `event` now reads `text`; the number after its ":" becomes the time (at most
// 100, "More than limit!" above). Only time lines (ledLineIsTime) store anything.
EditOutcome applyLedLineEdit(MacroRecord& m, int event, int ledLine, std::string_view text);

// The popups of the LED program list.
enum class LedPopup { None, StepCount = 8, Mode = 6, Color = 7 };

// The popup a right click on LED line `ledLine` opens: line 0 the step count, the mode and colour
// lines of a step their popups, time lines none.
LedPopup ledPopupForLine(int ledLine);
// True for the lines that hold a time (in-place editable): lines k >= 1 with k mod 4 of 0 or 3.
bool ledLineIsTime(int ledLine);

// Stores a popup's choice for LED line `ledLine` of program `program`: a step count 1..5 (line 0),
// a mode 0..2 or a colour 0, 1, 3, 5, 7. False (nothing stored) for any other value or line.
bool applyLedPopupChoice(LedProgram& program, LedPopup popup, int ledLine, int value);

}  // namespace tarvosk
