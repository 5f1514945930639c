#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "macro/macro_editing.h"

namespace tarvosk {
namespace {

namespace cmd = macro_command;

struct Ev {
  uint8_t code;
  uint8_t type;
  uint16_t a = 0;
  uint16_t b = 0;
  uint16_t delay = 0;
  bool operator==(const Ev&) const = default;
};

void PrintTo(const Ev& e, std::ostream* os) {
  *os << "{" << int(e.code) << "," << int(e.type) << "," << e.a << "," << e.b << "," << e.delay << "}";
}

constexpr uint8_t kKeyA = 0x04;
const Ev kPressA{kKeyA, type::kPress, 0, 0, 50};
const Ev kReleaseA{kKeyA, type::kRelease, 0, 0, 20};

// A macro holding `events` with every counter matching them.
MacroRecord make(const std::vector<Ev>& events) {
  MacroRecord m;
  for (const Ev& e : events) {
    const int i = m.eventCount++;
    m.eventCode[i] = e.code;
    m.eventType[i] = e.type;
    m.eventParamA[i] = e.a;
    m.eventParamB[i] = e.b;
    m.eventDelay[i] = e.delay;
    if (e.code == code::kMove) ++m.moveCount;
    if (e.code == code::kDpi) ++m.dpiCount;
    if (e.code == code::kLed) ++m.ledCount;
  }
  return m;
}

std::vector<Ev> eventsOf(const MacroRecord& m) {
  std::vector<Ev> out;
  for (int i = 0; i < m.eventCount; ++i) {
    out.push_back({m.eventCode[i], m.eventType[i], m.eventParamA[i], m.eventParamB[i], m.eventDelay[i]});
  }
  return out;
}

LedProgram programWithStepCount(uint8_t steps, uint8_t marker) {
  LedProgram p;
  p.bytes[0] = steps;
  p.bytes[5] = marker;
  return p;
}

struct CommandCase {
  const char* name;
  std::vector<Ev> before;
  int selectedLine;
  int command;
  std::vector<Ev> after;
  int selectedAfter;
  std::vector<std::string_view> messages = {};
};

class Commands : public ::testing::TestWithParam<CommandCase> {};

TEST_P(Commands, ChangeTheEventsAndSelectTheLineTheCursorMovedTo) {
  const CommandCase& c = GetParam();
  MacroRecord m = make(c.before);
  EditCursor cursor{c.selectedLine, c.selectedLine};
  const EditOutcome out = runMacroCommand(m, c.command, cursor, false);
  EXPECT_EQ(eventsOf(m), c.after);
  EXPECT_EQ(out.messages, c.messages);
  EXPECT_EQ(out.changed, eventsOf(m) != c.before);
  if (out.changed) {
    EXPECT_EQ(cursor.selectedLine, c.selectedAfter);
  }
  // The counters always match the events.
  const MacroRecord recount = make(eventsOf(m));
  EXPECT_EQ(m.moveCount, recount.moveCount);
  EXPECT_EQ(m.dpiCount, recount.dpiCount);
  EXPECT_EQ(m.ledCount, recount.ledCount);
  // Slots past the events are clear.
  for (int i = m.eventCount; i < kMacroEvents; ++i) ASSERT_EQ(m.eventCode[i] | m.eventType[i] | m.eventDelay[i], 0);
}

const Ev kLeftPress{code::kLeftButton, type::kPress, 0, 0, 1};
const Ev kRightRelease{code::kRightButton, type::kRelease, 0, 0, 1};
const Ev kMiddlePress{code::kMiddleButton, type::kPress, 0, 0, 1};
const Ev kMiddleRelease{code::kMiddleButton, type::kRelease, 0, 0, 1};
const Ev kPause{code::kPause, type::kPause, 0, 0, 1};
const Ev kMove(uint8_t t) { return {code::kMove, t, 0, 10, 1}; }
const Ev kDpiSet{code::kDpi, type::kDpiSet, 4, 0, 1};
const Ev kDpiReset{code::kDpi, type::kDpiReset, 4, 0, 1};

INSTANTIATE_TEST_SUITE_P(
    Table, Commands,
    ::testing::Values(
        CommandCase{"InsertAfterOnAnEmptyMacroCreatesEvent0", {}, -1, cmd::kAfterLeftPress, {kLeftPress}, 0},
        CommandCase{"InsertBeforeOnAnEmptyMacroCreatesEvent0", {}, -1, cmd::kBeforeMiddleRelease, {kMiddleRelease}, 0},
        CommandCase{"InsertAfterGoesAfterTheSelectedEventAndSelectsIt",
                    {kPressA, kReleaseA},
                    0,
                    cmd::kAfterMiddlePress,
                    {kPressA, kMiddlePress, kReleaseA},
                    2},
        CommandCase{"InsertBeforeKeepsTheSelectionOnTheSameEvent",
                    {kPressA, kReleaseA},
                    2,
                    cmd::kBeforeRightRelease,
                    {kPressA, kRightRelease, kReleaseA},
                    4},
        CommandCase{"APauseLineActsOnTheEventBeforeIt",
                    {kPressA, kReleaseA},
                    1,
                    cmd::kAfterLeftPress,
                    {kPressA, kLeftPress, kReleaseA},
                    3},
        CommandCase{"InsertDelayAfterTheLastEvent",
                    {kPressA, kReleaseA},
                    2,
                    cmd::kInsertDelay,
                    {kPressA, kReleaseA, kPause},
                    4},
        CommandCase{
            "InsertMoveXMinusYMinus", {kPressA}, 0, cmd::kInsertMoveLeftUp, {kPressA, kMove(type::kMoveLeftUp)}, 2},
        CommandCase{
            "InsertMoveXMinusYPlus", {kPressA}, 0, cmd::kInsertMoveLeftDown, {kPressA, kMove(type::kMoveLeftDown)}, 2},
        CommandCase{
            "InsertMoveXPlusYMinus", {kPressA}, 0, cmd::kInsertMoveRightUp, {kPressA, kMove(type::kMoveRightUp)}, 2},
        CommandCase{
            "InsertMoveXPlusYPlusOnAnEmptyMacro", {}, 0, cmd::kInsertMoveRightDown, {kMove(type::kMoveRightDown)}, 0},
        CommandCase{"InsertSensitivitySet", {kPressA}, 0, cmd::kInsertDpiSet, {kPressA, kDpiSet}, 2},
        CommandCase{"InsertSensitivityReset", {kPressA}, 0, cmd::kInsertDpiReset, {kPressA, kDpiReset}, 2},
        CommandCase{
            "InsertLedGetsProgram0", {kPressA}, 0, cmd::kInsertLed, {kPressA, {code::kLed, type::kLed0, 0, 0, 1}}, 2},
        CommandCase{"ASixthSensitivityEventIsRefused",
                    {kDpiSet, kDpiSet, kDpiSet, kDpiSet, kDpiSet},
                    0,
                    cmd::kInsertDpiReset,
                    {kDpiSet, kDpiSet, kDpiSet, kDpiSet, kDpiSet},
                    0,
                    {kEditErrorMessage}},
        CommandCase{"ASixthLedEventIsRefusedWithTheLimitMessage",
                    {{code::kLed, type::kLed0, 0},
                     {code::kLed, type::kLed0, 1},
                     {code::kLed, type::kLed0, 2},
                     {code::kLed, type::kLed0, 3},
                     {code::kLed, type::kLed0, 4}},
                    0,
                    cmd::kInsertLed,
                    {{code::kLed, type::kLed0, 0},
                     {code::kLed, type::kLed0, 1},
                     {code::kLed, type::kLed0, 2},
                     {code::kLed, type::kLed0, 3},
                     {code::kLed, type::kLed0, 4}},
                    0,
                    {kEditLimitMessage}},
        CommandCase{"DeleteMovesLaterEventsDownAndSelectsTheOneBefore",
                    {kPressA, kMove(type::kMoveLeftUp), kReleaseA},
                    2,
                    cmd::kDeleteEvent,
                    {kPressA, kReleaseA},
                    0},
        CommandCase{"DeleteOfTheLastEventSelectsTheNewLast",
                    {kPressA, kDpiSet, kReleaseA},
                    4,
                    cmd::kDeleteEvent,
                    {kPressA, kDpiSet},
                    2},
        CommandCase{"DeleteOnAnEmptyMacroDoesNothing", {}, 0, cmd::kDeleteEvent, {}, -1},
        CommandCase{"ChangeParametersChangesNothingByItself", {kMove(3)}, 0, cmd::kChangeParameters, {kMove(3)}, 0},
        CommandCase{"AnUnknownCommandDoesNothing", {kPressA}, 0, 32800, {kPressA}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EditingLimits, With301EventsEveryInsertShowsTheLimitAndChangesNothing) {
  MacroRecord m = make(std::vector<Ev>(kMacroEvents, kPressA));
  const MacroRecord before = m;
  for (int command : macroCommandIds()) {
    if (command == cmd::kDeleteEvent || command == cmd::kChangeParameters || command == cmd::kModifyDelay) continue;
    EditCursor cursor{4, 4};
    const EditOutcome out = runMacroCommand(m, command, cursor, false);
    EXPECT_EQ(out.messages, std::vector<std::string_view>{kEditLimitMessage}) << command;
    EXPECT_EQ(m, before) << command;
    EXPECT_EQ(cursor.lineUnderCursor, 4) << command;
  }
}

TEST(EditingLimits, The51stMoveIsRefusedAndTheCounterKeepsMatchingTheEvents) {
  MacroRecord m = make(std::vector<Ev>(kMaxMoveEvents, kMove(type::kMoveLeftUp)));
  EditCursor cursor{0, 0};
  const EditOutcome refused = runMacroCommand(m, cmd::kInsertMoveRightDown, cursor, false);
  EXPECT_EQ(refused.messages, std::vector<std::string_view>{kEditErrorMessage});
  EXPECT_FALSE(refused.changed);
  EXPECT_EQ(m.eventCount, kMaxMoveEvents);
  EXPECT_EQ(m.moveCount, kMaxMoveEvents);
  runMacroCommand(m, cmd::kDeleteEvent, cursor, false);
  EXPECT_EQ(m.eventCount, kMaxMoveEvents - 1);
  EXPECT_EQ(m.moveCount, kMaxMoveEvents - 1);
}

TEST(EditingLimits, EveryCommandIsIgnoredWhileRecording) {
  for (int command : macroCommandIds()) {
    MacroRecord m = make({kPressA, kMove(3), kReleaseA});
    const MacroRecord before = m;
    EditCursor cursor{2, 2};
    const EditOutcome out = runMacroCommand(m, command, cursor, true);
    EXPECT_EQ(m, before) << command;
    EXPECT_FALSE(out.changed || out.startLineEdit || !out.messages.empty()) << command;
  }
}

TEST(EditingLimits, CommandIdsAreTheMenusTwentyThree) {
  const std::vector<int>& ids = macroCommandIds();
  EXPECT_EQ(ids.size(), 23u);
  std::vector<int> sorted = ids;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
  EXPECT_EQ(sorted.front(), 32791);
  EXPECT_EQ(sorted.back(), 32851);
}

TEST(LedEvents, InsertingBeforeTwoLightingEventsShiftsTheirProgramsUp) {
  MacroRecord m = make({{code::kLed, type::kLed0, 0}, {code::kLed, type::kLed1, 1}});
  m.ledPrograms[0] = programWithStepCount(2, 11);
  m.ledPrograms[1] = programWithStepCount(3, 22);
  std::vector<std::string_view> messages;
  ASSERT_TRUE(insertEvent(m, 0, code::kLed, type::kLed0, messages));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(m.ledCount, 3);
  EXPECT_EQ(m.eventParamA[0], 0);
  EXPECT_EQ(m.eventParamA[1], 1);
  EXPECT_EQ(m.eventParamA[2], 2);
  EXPECT_EQ(m.ledPrograms[0], freshLedProgram());
  EXPECT_EQ(m.ledPrograms[1], programWithStepCount(2, 11));
  EXPECT_EQ(m.ledPrograms[2], programWithStepCount(3, 22));
}

TEST(LedEvents, InsertingBetweenTwoLightingEventsTakesTheNextProgram) {
  MacroRecord m = make({{code::kLed, type::kLed0, 0}, {code::kLed, type::kLed0, 1}});
  m.ledPrograms[0] = programWithStepCount(2, 11);
  m.ledPrograms[1] = programWithStepCount(3, 22);
  EditCursor cursor{0, 0};
  runMacroCommand(m, cmd::kInsertLed, cursor, false);
  EXPECT_EQ(eventsOf(m)[1], (Ev{code::kLed, type::kLed0, 1, 0, 1}));
  EXPECT_EQ(m.eventParamA[2], 2);
  EXPECT_EQ(m.ledPrograms[1], freshLedProgram());
  EXPECT_EQ(m.ledPrograms[2], programWithStepCount(3, 22));
}

TEST(LedEvents, DeletingTheOnlyLightingEventZeroesItsProgram) {
  MacroRecord m = make({kPressA, {code::kLed, type::kLed0, 0}});
  m.ledPrograms[0] = programWithStepCount(4, 9);
  EditCursor cursor{2, 2};
  runMacroCommand(m, cmd::kDeleteEvent, cursor, false);
  EXPECT_EQ(m.ledCount, 0);
  EXPECT_EQ(m.ledPrograms[0], LedProgram{});
  EXPECT_EQ(eventsOf(m), std::vector<Ev>{kPressA});
}

TEST(LedEvents, DeletingTheFirstLightingEventMovesTheLaterProgramsDown) {
  MacroRecord m = make({{code::kLed, type::kLed0, 0}, kPressA, {code::kLed, type::kLed2, 1}});
  m.ledPrograms[0] = programWithStepCount(2, 11);
  m.ledPrograms[1] = programWithStepCount(3, 22);
  ASSERT_TRUE(deleteEvent(m, 0));
  EXPECT_EQ(m.ledCount, 1);
  EXPECT_EQ(m.eventParamA[1], 0);
  EXPECT_EQ(m.ledPrograms[0], programWithStepCount(3, 22));
  EXPECT_EQ(m.ledPrograms[1], LedProgram{});
}

TEST(LedEvents, ProgramsThatDoNotLineUpRefuseAnInsertWithoutChangingAnything) {
  // A hand-edited file: the later lighting event names program 3 while only one is counted.
  MacroRecord m = make({kPressA, {code::kLed, type::kLed0, 3}});
  m.ledCount = 1;
  const MacroRecord before = m;
  std::vector<std::string_view> messages;
  EXPECT_FALSE(insertEvent(m, 0, code::kLed, type::kLed0, messages));
  EXPECT_EQ(messages, std::vector<std::string_view>{kEditErrorMessage});
  EXPECT_EQ(m, before);
}

TEST(LedEvents, ReservedKindsTakeTheirStartValuesAndCounters) {
  MacroRecord m;
  std::vector<std::string_view> messages;
  ASSERT_TRUE(insertEvent(m, 0, code::kReservedF7, 1, messages));
  ASSERT_TRUE(insertEvent(m, 1, code::kReservedFA, 1, messages));
  ASSERT_TRUE(insertEvent(m, 2, code::kReservedFB, 1, messages));
  EXPECT_EQ(m.eventParamA[0], 1);
  EXPECT_EQ(m.eventParamA[1], 387);
  EXPECT_EQ(m.eventParamA[2], 0);
  EXPECT_EQ(m.reservedF7Count, 1);
  EXPECT_EQ(m.reservedFACount, 1);
  EXPECT_EQ(m.reservedFBCount, 1);
  EXPECT_EQ(m.reservedFBBlocks[0], freshLedProgram());
  EXPECT_EQ(m.ledCount, 0);
}

struct OpenEditCase {
  const char* name;
  int command;
  int line;
  std::optional<int> opens;
};

class OpenLineEdit : public ::testing::TestWithParam<OpenEditCase> {};

TEST_P(OpenLineEdit, OpensOnlyLinesWithAValue) {
  // Lines: 0 move, 1 pause, 2 key, 3 pause, 4 sensitivity set, 5 pause, 6 sensitivity reset.
  MacroRecord m = make({kMove(3), kPressA, kDpiSet, kDpiReset});
  EditCursor cursor{GetParam().line, GetParam().line};
  EXPECT_EQ(runMacroCommand(m, GetParam().command, cursor, false).startLineEdit, GetParam().opens);
}

INSTANTIATE_TEST_SUITE_P(Table, OpenLineEdit,
                         ::testing::Values(OpenEditCase{"MoveLine", cmd::kChangeParameters, 0, 0},
                                           OpenEditCase{"SensitivitySetLine", cmd::kChangeParameters, 4, 4},
                                           OpenEditCase{"SensitivityResetLine", cmd::kChangeParameters, 6, {}},
                                           OpenEditCase{"KeyLine", cmd::kChangeParameters, 2, {}},
                                           OpenEditCase{"PauseLineWithChangeParameters", cmd::kChangeParameters, 1, {}},
                                           OpenEditCase{"PauseLine", cmd::kModifyDelay, 3, 3},
                                           OpenEditCase{"EventLineWithModifyDelay", cmd::kModifyDelay, 2, {}},
                                           OpenEditCase{"PastTheList", cmd::kModifyDelay, 7, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LineEditCase {
  const char* name;
  int line;
  std::string text;
  Ev expected;  // the event the line belongs to, afterwards
  std::vector<std::string_view> messages;
};

class LineEdits : public ::testing::TestWithParam<LineEditCase> {};

TEST_P(LineEdits, StoreCheckedValues) {
  // Lines: 0 move, 1 pause, 2 sensitivity set, 3 pause, 4 key.
  MacroRecord m = make({{code::kMove, type::kMoveLeftDown, 5, 10, 30}, {code::kDpi, type::kDpiSet, 4, 0, 40}, kPressA});
  const EditOutcome out = applyEventLineEdit(m, GetParam().line, GetParam().text);
  EXPECT_EQ(eventsOf(m)[static_cast<std::size_t>(GetParam().line / 2)], GetParam().expected);
  EXPECT_EQ(out.messages, GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LineEdits,
    ::testing::Values(
        LineEditCase{"Pause", 1, "    250ms", {code::kMove, 4, 5, 10, 250}, {}},
        LineEditCase{"PauseAbove10000", 1, "20000ms", {code::kMove, 4, 5, 10, 10000}, {kEditLimitMessage}},
        LineEditCase{"PauseWithoutDigits", 3, "soon", {code::kDpi, 9, 4, 0, 0}, {}},
        LineEditCase{"NegativePause", 3, "-40ms", {code::kDpi, 9, 4, 0, 0}, {}},
        LineEditCase{"Move", 0, "[X-]:60,[Y+]:70", {code::kMove, 4, 60, 70, 30}, {}},
        LineEditCase{"MoveXAbove100", 0, "[X-]:150,[Y+]:30", {code::kMove, 4, 100, 30, 30}, {kMoveXTooLargeMessage}},
        LineEditCase{"MoveBothAbove100",
                     0,
                     "[X-]:101,[Y+]:300",
                     {code::kMove, 4, 100, 100, 30},
                     {kMoveXTooLargeMessage, kMoveYTooLargeMessage}},
        LineEditCase{"MoveNegative", 0, "[X-]:-3,[Y+]:2", {code::kMove, 4, 0, 2, 30}, {}},
        LineEditCase{"Sensitivity", 2, "[DPI]:2400 ", {code::kDpi, 9, 11, 0, 40}, {}},
        LineEditCase{"SensitivityOutsideTheList", 2, "[DPI]:1500", {code::kDpi, 9, 4, 0, 40}, {kDpiValueMessage}},
        LineEditCase{"KeyLineStoresNothing", 4, "[↓]B", kPressA, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LedLines, TimeLinesStoreTheirCheckedValueAndOtherLinesNothing) {
  MacroRecord m = make({kPressA, {code::kLed, type::kLed0, 0}});
  m.ledPrograms[0] = programWithStepCount(2, 0);
  EXPECT_TRUE(applyLedLineEdit(m, 1, 3, "[Continued Time]:7*100ms").changed);
  EXPECT_EQ(m.ledPrograms[0].bytes[6], 7);
  const EditOutcome over = applyLedLineEdit(m, 1, 8, "[Interval Time]:250*100ms");
  EXPECT_EQ(over.messages, std::vector<std::string_view>{kEditLimitMessage});
  EXPECT_EQ(m.ledPrograms[0].bytes[11], 100);
  const LedProgram before = m.ledPrograms[0];
  EXPECT_FALSE(applyLedLineEdit(m, 1, 1, "[Mode]:5").changed) << "mode lines take the popup";
  EXPECT_FALSE(applyLedLineEdit(m, 1, 0, "[Len     ]:4").changed) << "the count line takes the popup";
  EXPECT_FALSE(applyLedLineEdit(m, 1, 12, "[Interval Time]:3*100ms").changed) << "past the two steps";
  EXPECT_FALSE(applyLedLineEdit(m, 0, 3, "[Continued Time]:3*100ms").changed) << "not a lighting event";
  EXPECT_EQ(m.ledPrograms[0], before);
}

struct PopupCase {
  const char* name;
  int line;
  LedPopup popup;
  int value;
  bool stored;
  std::size_t byte;
};

class LedPopups : public ::testing::TestWithParam<PopupCase> {};

TEST_P(LedPopups, StoreOnlyTheirOwnValuesOnTheirOwnLines) {
  const PopupCase& c = GetParam();
  LedProgram p = programWithStepCount(3, 0);
  const LedProgram before = p;
  EXPECT_EQ(applyLedPopupChoice(p, c.popup, c.line, c.value), c.stored);
  if (c.stored) {
    EXPECT_EQ(p.bytes[c.byte], c.value);
  } else {
    EXPECT_EQ(p, before);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, LedPopups,
                         ::testing::Values(PopupCase{"StepCount", 0, LedPopup::StepCount, 5, true, 0},
                                           PopupCase{"StepCountSix", 0, LedPopup::StepCount, 6, false, 0},
                                           PopupCase{"ModeOfStep2", 5, LedPopup::Mode, 2, true, 8},
                                           PopupCase{"ModeThree", 1, LedPopup::Mode, 3, false, 0},
                                           PopupCase{"ColourPurple", 2, LedPopup::Color, 7, true, 5},
                                           PopupCase{"ColourTwo", 2, LedPopup::Color, 2, false, 0},
                                           PopupCase{"ModeOnAColourLine", 2, LedPopup::Mode, 1, false, 0},
                                           PopupCase{"ColourOnATimeLine", 3, LedPopup::Color, 1, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LedPopups, EachLineOpensItsPopup) {
  EXPECT_EQ(ledPopupForLine(0), LedPopup::StepCount);
  EXPECT_EQ(ledPopupForLine(1), LedPopup::Mode);
  EXPECT_EQ(ledPopupForLine(2), LedPopup::Color);
  EXPECT_EQ(ledPopupForLine(3), LedPopup::None);
  EXPECT_EQ(ledPopupForLine(4), LedPopup::None);
  EXPECT_EQ(ledPopupForLine(61), LedPopup::Mode);
  EXPECT_EQ(ledPopupForLine(65), LedPopup::None);
  EXPECT_EQ(ledPopupForLine(-1), LedPopup::None);
  EXPECT_TRUE(ledLineIsTime(3));
  EXPECT_TRUE(ledLineIsTime(64));
  EXPECT_FALSE(ledLineIsTime(0));
  EXPECT_FALSE(ledLineIsTime(65));
}

}  // namespace
}  // namespace tarvosk
