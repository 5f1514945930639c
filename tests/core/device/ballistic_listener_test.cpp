// The mouse's ballistic-correction reports, through the listener, rewrite the first button's
// macro on the mouse and in its group file.

#include <gtest/gtest.h>

#include "../upload/fake_macro_source.h"
#include "device/correction_hook.h"
#include "device/device_workers.h"
#include "device/pointer_settings.h"
#include "device/simulated_mouse.h"
#include "recording_pauser.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using namespace std::chrono_literals;
using test::addEvent;

MacroRecord recoilMacro(uint16_t down) {
  MacroRecord m = test::macroWithMode(play::kRepeat, 5);
  addEvent(m, type::kMoveRightDown, code::kMove, 20, 1, down);
  addEvent(m, type::kPress, 0x04, 30);
  addEvent(m, type::kRelease, 0x04, 0);
  return m;
}

TEST(BallisticListener, StepsFromTheMouseMoveTheMacroAndStopAt30) {
  test::ScratchDir dir;
  const Paths paths = test::scratchPaths(dir.path(), true);
  SimulatedMouse mouse;
  test::RecordingPauser pauser;
  ReportChannel channel(pauser);
  ASSERT_TRUE(channel.open(mouse.open("sim:mouse"), 8));
  SettingsStore store;
  test::FakeMacroSource macros;
  macros.groups = {{recoilMacro(28)}};
  UnsupportedPointerSettings pointer;
  test::RecordingPrompter prompter;
  UploadState state;
  store.record.buttonFunction[0] = {0x100, 2, 3, 4, 5, 6};
  store.record.dpiEnabled = {1, 1, 1, 1};
  store.record.usbRate = 3;
  UploadContext upload{store, channel, macros, pointer, prompter, state, paths.configFile, 0, {}, {}};
  ASSERT_EQ(uploadSettings(upload), UploadResult::Completed);
  ASSERT_TRUE(state.correction[0].placed);
  const uint16_t amountAt = static_cast<uint16_t>(state.correction[0].dataAddress + 6);
  ASSERT_EQ(mouse.memoryAt(amountAt), 28);

  DeviceWorkers workers({channel, store, paths, prompter, {}, correctionHook(store, channel, macros, state)});
  workers.setInput(mouse.open("sim:mouse"), 8);
  workers.start();
  mouse.ballisticStep(true);
  mouse.injectInput({6, 0x00, 0});  // repeats the step up
  mouse.injectInput({6, 0x00, 0});  // would be 31: stays at 30
  ASSERT_TRUE(workers.waitUntilHandled(3, 10s));
  EXPECT_EQ(mouse.memoryAt(amountAt), 30);
  {
    auto lock = store.lock();
    EXPECT_EQ(macros.groups[0][0].eventParamB[0], 30);
  }
  mouse.ballisticStep(false);
  ASSERT_TRUE(workers.waitUntilHandled(4, 10s));
  workers.stop();
  EXPECT_EQ(mouse.memoryAt(amountAt), 29);
  EXPECT_EQ(macros.groups[0][0].eventParamB[0], 29);
  EXPECT_EQ(macros.writes.size(), 4u);
  EXPECT_EQ(mouse.protocolViolations(), 0);
}

}  // namespace
}  // namespace tarvosk
