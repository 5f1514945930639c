#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/key_tables.h"
#include "macro/macro_recording.h"
#include "settings/language.h"

namespace tarvosk {
namespace {

constexpr uint32_t kA = 'A', kB = 'B', kC = 'C';

KeyInput down(uint32_t vk, uint32_t t) { return {KeyMessage::KeyDown, vk, t}; }
KeyInput up(uint32_t vk, uint32_t t) { return {KeyMessage::KeyUp, vk, t}; }

// A store with one macro named "Take" that already holds stale events.
MacroStore storeWithOneMacro() {
  MacroStore store;
  store.count = 2;
  setMacroName(store.slots[0], "Take");
  store.slots[0].eventCount = 3;
  store.slots[0].eventCode[2] = 0x1E;
  store.slots[0].playMode = play::kOnce;
  store.slots[0].repeatCount = 9;
  store.slots[0].moveCount = 1;
  setMacroName(store.slots[1], "Other");
  return store;
}

struct Event {
  uint8_t type;
  uint8_t code;
  uint16_t delay;
  bool operator==(const Event&) const = default;
};

std::vector<Event> eventsOf(const MacroRecord& m) {
  std::vector<Event> out;
  for (int i = 0; i < m.eventCount; ++i) out.push_back({m.eventType[i], m.eventCode[i], m.eventDelay[i]});
  return out;
}

struct TakeCase {
  const char* name;
  std::vector<KeyInput> keys;
  std::vector<Event> expected;
};

class RecordingTake : public ::testing::TestWithParam<TakeCase> {};

TEST_P(RecordingTake, StoresTheEventsTheKeysGive) {
  MacroStore store = storeWithOneMacro();
  MacroRecorder recorder;
  ASSERT_TRUE(recorder.start(store, 0));
  for (const KeyInput& key : GetParam().keys) recorder.feed(store, key, kLanguageEnglish);
  EXPECT_EQ(recorder.stop(store), static_cast<int>(GetParam().expected.size()));
  EXPECT_EQ(eventsOf(store.slots[0]), GetParam().expected);
}

constexpr uint8_t kHidA = 0x04, kHidB = 0x05, kHidC = 0x06;
constexpr uint8_t P = type::kPress, R = type::kRelease;

INSTANTIATE_TEST_SUITE_P(Cases, RecordingTake,
                         ::testing::Values(TakeCase{"OnePressLeavesItsPauseAtZero", {down(kA, 1000)}, {{P, kHidA, 0}}},
                                           TakeCase{"ALongHoldIsOnePressAndOneRelease",
                                                    {down(kA, 1000), down(kA, 1500), down(kA, 1530), down(kA, 1560),
                                                     up(kA, 1700)},
                                                    {{P, kHidA, 700}, {R, kHidA, 20}}},
                                           TakeCase{"OverlappingKeysKeepTheirOrder",
                                                    {down(kA, 1000), down(kB, 1100), up(kA, 1250), up(kB, 1300)},
                                                    {{P, kHidA, 100}, {P, kHidB, 150}, {R, kHidA, 50}, {R, kHidB, 20}}},
                                           TakeCase{"ASecondPressWithoutReleaseIsDropped",
                                                    {down(kA, 0), down(kA, 10), up(kA, 30)},
                                                    {{P, kHidA, 30}, {R, kHidA, 20}}},
                                           TakeCase{"AReleaseOfAKeyPressedBeforeTheTakeIsDropped",
                                                    {up(kB, 0), down(kA, 100), up(kA, 160)},
                                                    {{P, kHidA, 60}, {R, kHidA, 20}}},
                                           TakeCase{"TheSystemKeyMessagesCountLikeThePlainOnes",
                                                    {{KeyMessage::SysKeyDown, 0xA4, 0},
                                                     {KeyMessage::SysKeyDown, 0xA4, 40},
                                                     down(kC, 50),
                                                     {KeyMessage::SysKeyUp, kC, 90},
                                                     {KeyMessage::SysKeyUp, 0xA4, 95}},
                                                    {{P, 0xE2, 50}, {P, kHidC, 40}, {R, kHidC, 5}, {R, 0xE2, 20}}},
                                           TakeCase{"APauseAcrossMidnightIsTheShortInterval",
                                                    {down(kA, kMsPerDay - 300), up(kA, 200)},
                                                    {{P, kHidA, 500}, {R, kHidA, 20}}},
                                           TakeCase{"APauseLongerThan65535MsIsStoredAs65535",
                                                    {down(kA, 0), up(kA, 70'000)},
                                                    {{P, kHidA, 65535}, {R, kHidA, 20}}},
                                           TakeCase{"AClockPastOneDayIsTakenModuloADay",
                                                    {down(kA, 100), up(kA, kMsPerDay + 150)},
                                                    {{P, kHidA, 50}, {R, kHidA, 20}}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Recording, StartBlanksTheMacroButKeepsItsName) {
  MacroStore store = storeWithOneMacro();
  MacroRecorder recorder;
  const std::optional<RecordingStart> started = recorder.start(store, 0);
  ASSERT_TRUE(started);
  EXPECT_EQ(started->macro, 0);
  MacroRecord expected;
  setMacroName(expected, "Take");
  expected.repeatCount = 1;
  EXPECT_EQ(store.slots[0], expected);
  EXPECT_EQ(macroNameText(store.slots[1]), "Other");
}

TEST(Recording, StartNeedsAMacroAndPicksMacro0ForASelectionOutsideTheStore) {
  MacroStore empty;
  MacroRecorder recorder;
  EXPECT_FALSE(recorder.start(empty, 0));
  EXPECT_FALSE(recorder.recording());

  MacroStore store = storeWithOneMacro();
  EXPECT_EQ(recorder.start(store, 7)->macro, 0);
  EXPECT_FALSE(recorder.start(store, 1)) << "a second start while a take runs";
  recorder.stop(store);
  EXPECT_EQ(recorder.start(store, 1)->macro, 1);
}

TEST(Recording, EachStoredEventGivesItsLinesAndKeysOutsideATakeAddNothing) {
  MacroStore store = storeWithOneMacro();
  MacroRecorder recorder;
  EXPECT_EQ(recorder.feed(store, down(kA, 0), kLanguageEnglish).dropped, RecordingDrop::NotRecording);
  recorder.start(store, 0);
  RecordingOutcome first = recorder.feed(store, down(kA, 1000), kLanguageEnglish);
  EXPECT_EQ(first.event, 0);
  EXPECT_EQ(first.lines, (std::vector<std::string>{"[↓]A"}));
  RecordingOutcome second = recorder.feed(store, up(kA, 1120), kLanguageEnglish);
  EXPECT_EQ(second.event, 1);
  EXPECT_EQ(second.lines, (std::vector<std::string>{"    120ms", "[↑]A"}));
  EXPECT_FALSE(second.message);
  EXPECT_FALSE(second.stopRecording);
}

TEST(Recording, KeysGoThroughTheKeyTablesOfTheLanguage) {
  MacroStore store = storeWithOneMacro();
  MacroRecorder recorder;
  recorder.start(store, 0);
  recorder.feed(store, down(186, 0), kLanguageSecond);
  recorder.feed(store, down(0x1B, 5), kLanguageSecond);
  EXPECT_EQ(store.slots[0].eventCode[0], virtualKeyToHid(186, kLanguageSecond));
  EXPECT_EQ(store.slots[0].eventCode[0], 0x30);
  EXPECT_EQ(store.slots[0].eventCode[1], 0x29);
}

TEST(Recording, AfterTheLastEventOfATakeTheNextKeyShowsTheLimitAndEndsTheTake) {
  MacroStore store = storeWithOneMacro();
  MacroRecorder recorder;
  recorder.start(store, 0);
  uint32_t t = 0;
  for (int i = 0; i < kMaxRecordedPresses; ++i) {
    const uint32_t vk = 'A' + static_cast<uint32_t>(i % 26);
    ASSERT_EQ(recorder.feed(store, down(vk, t += 10), kLanguageEnglish).dropped, RecordingDrop::None);
    ASSERT_EQ(recorder.feed(store, up(vk, t += 10), kLanguageEnglish).dropped, RecordingDrop::None);
  }
  EXPECT_EQ(recorder.recordedEvents(), kMaxRecordedEvents);
  const RecordingOutcome over = recorder.feed(store, down('Z', t += 10), kLanguageEnglish);
  EXPECT_EQ(over.dropped, RecordingDrop::EventLimit);
  EXPECT_EQ(over.message, kMoreThanLimitMessage);
  EXPECT_TRUE(over.stopRecording);
  EXPECT_EQ(recorder.stop(store), kMaxRecordedEvents);
  EXPECT_EQ(store.slots[0].eventCount, kMaxRecordedEvents);
  EXPECT_EQ(store.slots[0].eventDelay[kMaxRecordedEvents - 1], kLastRecordedPause);
}

TEST(Recording, After108PressesFurtherPressesAreIgnoredButReleasesOfHeldKeysCount) {
  MacroStore store = storeWithOneMacro();
  MacroRecorder recorder;
  recorder.start(store, 0);
  uint32_t t = 0;
  // 107 full keystrokes, then a held key as press 108.
  for (int i = 0; i < kMaxRecordedPresses - 1; ++i) {
    recorder.feed(store, down(kA, t += 10), kLanguageEnglish);
    recorder.feed(store, up(kA, t += 10), kLanguageEnglish);
  }
  ASSERT_EQ(recorder.feed(store, down(kB, t += 10), kLanguageEnglish).dropped, RecordingDrop::None);
  EXPECT_EQ(recorder.recordedPresses(), kMaxRecordedPresses);
  EXPECT_EQ(recorder.feed(store, down(kC, t += 10), kLanguageEnglish).dropped, RecordingDrop::PressLimit);
  EXPECT_EQ(recorder.feed(store, up(kC, t += 10), kLanguageEnglish).dropped, RecordingDrop::ReleaseWithoutPress);
  const RecordingOutcome release = recorder.feed(store, up(kB, t += 10), kLanguageEnglish);
  EXPECT_EQ(release.dropped, RecordingDrop::None);
  EXPECT_EQ(recorder.stop(store), 2 * kMaxRecordedPresses);
  EXPECT_EQ(store.slots[0].eventType[2 * kMaxRecordedPresses - 1], type::kRelease);
}

TEST(Recording, ANinthHeldKeyIsIgnoredAndSoIsItsRelease) {
  MacroStore store = storeWithOneMacro();
  MacroRecorder recorder;
  recorder.start(store, 0);
  for (uint32_t k = 0; k < kMaxHeldKeys; ++k) {
    ASSERT_EQ(recorder.feed(store, down('A' + k, k), kLanguageEnglish).dropped, RecordingDrop::None);
  }
  EXPECT_EQ(recorder.feed(store, down('Z', 20), kLanguageEnglish).dropped, RecordingDrop::TooManyHeld);
  EXPECT_EQ(recorder.heldKeyCount(), kMaxHeldKeys);
  EXPECT_EQ(recorder.feed(store, up('Z', 30), kLanguageEnglish).dropped, RecordingDrop::ReleaseWithoutPress);
  // Releasing one key makes room again.
  EXPECT_EQ(recorder.feed(store, up('C', 40), kLanguageEnglish).dropped, RecordingDrop::None);
  EXPECT_EQ(recorder.feed(store, down('Z', 50), kLanguageEnglish).dropped, RecordingDrop::None);
  EXPECT_EQ(recorder.stop(store), kMaxHeldKeys + 2);
}

TEST(Recording, TheClockCarriesOverToTheNextTake) {
  MacroStore store = storeWithOneMacro();
  MacroRecorder recorder;
  recorder.start(store, 0);
  recorder.feed(store, down(kA, 1000), kLanguageEnglish);
  recorder.feed(store, up(kA, 1100), kLanguageEnglish);
  recorder.stop(store);
  recorder.start(store, 1);
  recorder.feed(store, up(kA, 1150), kLanguageEnglish);  // held before the take: dropped, no stamp
  recorder.feed(store, down(kB, 2000), kLanguageEnglish);
  recorder.feed(store, up(kB, 2040), kLanguageEnglish);
  recorder.stop(store);
  EXPECT_EQ(eventsOf(store.slots[1]), (std::vector<Event>{{P, kHidB, 40}, {R, kHidB, 20}}));
  EXPECT_EQ(store.slots[0].eventCount, 2) << "the first take stays as recorded";
}

struct SwallowCase {
  const char* name;
  KeyMessage message;
  uint32_t vk;
  bool recording;
  bool swallowed;
};

class WindowKeys : public ::testing::TestWithParam<SwallowCase> {};

TEST_P(WindowKeys, EnterAndEscapeNeverCloseTheWindowAndATakeKeepsEveryKey) {
  EXPECT_EQ(windowSwallowsKey(GetParam().message, GetParam().vk, GetParam().recording), GetParam().swallowed);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowKeys,
                         ::testing::Values(SwallowCase{"EscapePress", KeyMessage::KeyDown, kVkEscape, false, true},
                                           SwallowCase{"EnterPress", KeyMessage::KeyDown, kVkReturn, false, true},
                                           SwallowCase{"EnterRelease", KeyMessage::KeyUp, kVkReturn, false, false},
                                           SwallowCase{"F10OutsideATake", KeyMessage::SysKeyDown, kVkF10, false, false},
                                           SwallowCase{"F10InATake", KeyMessage::SysKeyDown, kVkF10, true, true},
                                           SwallowCase{"LetterOutsideATake", KeyMessage::KeyDown, kA, false, false},
                                           SwallowCase{"LetterReleaseInATake", KeyMessage::KeyUp, kA, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvosk
