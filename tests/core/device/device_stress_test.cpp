// Everything that talks to the mouse at once: repeated uploads on one thread while the mouse
// floods input reports that make the listener and poll thread send, reload, save and run the
// ballistic step, and a reader keeps reading the configuration file. Run it under ThreadSanitizer with
// scripts/tsan-test (more rounds there); the normal build runs a short version.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "../upload/fake_macro_source.h"
#include "device/correction_hook.h"
#include "device/device_workers.h"
#include "device/pointer_settings.h"
#include "device/simulated_mouse.h"
#include "platform/profile_file.h"
#include "recording_pauser.h"
#include "settings/config_file.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using namespace std::chrono_literals;

int rounds() {
  if (const char* env = std::getenv("TARVOSK_STRESS_ROUNDS")) return std::max(1, std::atoi(env));
  return 6;
}

MacroRecord recoilMacro() {
  MacroRecord m = test::macroWithMode(play::kRepeat, 3);
  test::addEvent(m, type::kMoveRightDown, code::kMove, 20, 1, 10);
  test::addEvent(m, type::kPress, 0x04, 30);
  test::addEvent(m, type::kRelease, 0x04, 0);
  return m;
}

TEST(DeviceStress, UploadsAndAFloodOfInputReportsNeverInterleaveOrTearTheFile) {
  test::ScratchDir dir;
  const Paths paths = test::scratchPaths(dir.path(), true);
  SimulatedMouse mouse;
  test::RecordingPauser pauser;
  ReportChannel channel(pauser);
  SettingsStore store;
  test::RecordingPrompter prompter;
  ASSERT_TRUE(loadAtStartup(store.record, paths, prompter));
  ASSERT_TRUE(channel.open(mouse.open("sim:mouse"), 8));
  std::atomic<int> repaints{0};
  test::FakeMacroSource macros;
  macros.groups = {{recoilMacro()}};
  UnsupportedPointerSettings pointer;
  UploadState uploadState;
  UploadContext upload{store, channel, macros, pointer, prompter, uploadState, paths.configFile, 0, {}, {}};
  // Every selectable slot: a user macro on button 1 (ballistic steps), the host function on 2, a
  // DPI function on 3, Volume Increment on 4, a switch to slot 2 on 5.
  for (const int slot : {0, 2, 3}) store.record.buttonFunction[slot] = {0x100, 18, 16, 25, 20, 6};
  store.record.dpiEnabled = {1, 1, 1, 1};
  // As applied before: the listener's reloads read these back from the file.
  for (int slot = 0; slot < kProfileSlots; ++slot) ASSERT_TRUE(saveSlot(store.record, paths.configFile, slot));

  DeviceWorkers workers(
      {channel, store, paths, prompter, [&] { ++repaints; }, correctionHook(store, channel, macros, uploadState)});
  workers.setInput(mouse.open("sim:mouse"), 8);
  workers.start();

  std::atomic<bool> stopReading{false};
  std::atomic<int> fileReads{0};
  std::atomic<int> tornReads{0};
  std::thread reader([&] {
    while (!stopReading) {
      const auto doc = IniDocument::load(paths.configFile);
      ++fileReads;
      if (!doc || !doc->value("Init", "CurConfig") || !doc->value("Config3", "K5") ||
          !doc->value("ShareData", "DPI_LEVEL")) {
        ++tornReads;
      }
    }
  });

  const int total = rounds();
  constexpr int kReportsPerRound = 24;
  std::thread flood([&] {
    for (int i = 0; i < total * kReportsPerRound / 8; ++i) {
      mouse.pressButton(2);
      mouse.releaseButton(2);
      mouse.pressButton(3, i % 4);
      mouse.releaseButton(3);
      mouse.pressButton(i % 3 == 0 ? 5 : 4);
      mouse.changeProfile(i % 4);
      mouse.ballisticStep(i % 2 == 0);
      mouse.injectInput({6, 0x40, 0});
    }
  });
  int completed = 0;
  for (int round = 0; round < total; ++round) {
    {
      // The user changes something between applies, as the window would.
      auto lock = store.lock();
      store.record.fireTime = 8 * (round + 1);
    }
    completed += uploadSettings(upload) == UploadResult::Completed;
  }
  flood.join();

  bool handled = workers.waitUntilHandled(static_cast<uint64_t>(total * kReportsPerRound), 120s);
  // Presses that came while an upload held the settings were coalesced, as a busy poll thread
  // drops a second press; once things are quiet, every kind of report still works.
  mouse.clearReceived();
  mouse.changeProfile(0);
  handled = handled && workers.waitUntilHandled(static_cast<uint64_t>(total * kReportsPerRound + 1), 120s);
  mouse.pressButton(4);
  mouse.ballisticStep(true);
  handled = handled && workers.waitUntilHandled(static_cast<uint64_t>(total * kReportsPerRound + 3), 120s);
  workers.stop();
  stopReading = true;
  reader.join();
  ASSERT_TRUE(handled);
  EXPECT_EQ(mouse.protocolViolations(), 0);
  EXPECT_EQ(tornReads.load(), 0);
  EXPECT_GT(fileReads.load(), 0);
  EXPECT_EQ(mouse.imagesEnded(), total);
  EXPECT_EQ(completed, total);
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_FALSE(macros.writes.empty()) << "no ballistic step reached the mouse";
  EXPECT_EQ(mouse.consumerUsagesPlayed(), (std::vector<uint16_t>{0x00E9}));
  // The image of the last upload is what the mouse holds: fireTime / 8 at 0x1A.
  EXPECT_EQ(mouse.memoryAt(0x1A), static_cast<uint8_t>(total));
}

}  // namespace
}  // namespace tarvosk
