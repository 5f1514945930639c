// Everything that talks to the mouse at once: repeated uploads on one thread while the mouse
// floods input reports that make the listener and poll thread send, reload and save, and a
// reader keeps reading the configuration file. Run it under ThreadSanitizer with
// scripts/tsan-test (more rounds there); the normal build runs a short version.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "device/device_workers.h"
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

// The shape of an upload as far as the threads are concerned: under the store lock, rebuild the
// host tables, write the image in blocks, send DPI and end-of-image as one held sequence, save
// every slot.
void uploadLike(SettingsStore& store, ReportChannel& channel, const Paths& paths, int round) {
  auto storeLock = store.lock();
  for (int slot = 0; slot < kProfileSlots; ++slot) {
    for (int b = 0; b < kButtons; ++b) {
      store.hostFlags.hostFunction[slot][b] = b == 0;
      store.hostFlags.dpiFunction[slot][b] = b == 1;
      store.hostFlags.profileSwitch[slot][b] = b == 2;
    }
    store.record.buttonFunction[slot][3] = 22 + (round % 10);
  }
  std::vector<uint8_t> block(8);
  for (uint16_t address = 0x08; address < 0x80; address += 8) {
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(round + address + i);
    ASSERT_TRUE(channel.writeBlock(address, block));
  }
  {
    auto held = channel.hold();
    ASSERT_TRUE(channel.sendFeature({0x49, 0x00, 0x40, 0x0F, 0, 0, 0}));
    channel.pause(2);
    ASSERT_TRUE(channel.sendFeature({0x18, 0x10, 0, 0, 0, 0, 0}));
    channel.pause(2);
    ASSERT_TRUE(channel.sendFeature({0x18, 0x00, 0, 0, 0, 0, 0}));
  }
  for (int slot = 0; slot < kProfileSlots; ++slot) ASSERT_TRUE(saveSlot(store.record, paths.configFile, slot));
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
  std::atomic<int> corrections{0};

  DeviceWorkers workers({channel, store, paths, prompter, [&] { ++repaints; },
                         [&](int direction) {
                           // Like the ballistic step: rewrite a macro block on the mouse.
                           auto storeLock = store.lock();
                           const std::vector<uint8_t> data(8, static_cast<uint8_t>(direction));
                           channel.writeBlock(0x240, data);
                           ++corrections;
                         }});
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
      mouse.pressButton(1);
      mouse.releaseButton(1);
      mouse.pressButton(2, i % 4);
      mouse.releaseButton(2);
      mouse.pressButton(4);
      mouse.changeProfile(i % 4);
      mouse.ballisticStep(i % 2 == 0);
      mouse.injectInput({6, 0x40, 0});
    }
  });
  for (int round = 0; round < total; ++round) uploadLike(store, channel, paths, round);
  flood.join();

  ASSERT_TRUE(workers.waitUntilHandled(static_cast<uint64_t>(total * kReportsPerRound), 120s));
  workers.stop();
  stopReading = true;
  reader.join();

  EXPECT_EQ(mouse.protocolViolations(), 0);
  EXPECT_EQ(tornReads.load(), 0);
  EXPECT_GT(fileReads.load(), 0);
  EXPECT_EQ(mouse.imagesEnded(), total);
  EXPECT_EQ(corrections.load(), total * kReportsPerRound / 4);
  EXPECT_FALSE(mouse.consumerUsagesPlayed().empty());
  // The image of the last upload is what the mouse holds.
  EXPECT_EQ(mouse.memoryAt(0x78), static_cast<uint8_t>(total - 1 + 0x78));
}

}  // namespace
}  // namespace tarvosk
