// The device-event monitor: which events count, and that it starts and stops cleanly.

#include "platform/hid_monitor.h"

#include <gtest/gtest.h>

#include <atomic>

namespace tarvosk {
namespace {

TEST(HidMonitor, OnlyAddAndRemoveAreChanges) {
  EXPECT_EQ(hidDeviceChangeForAction("add"), HidDeviceChange::Arrived);
  EXPECT_EQ(hidDeviceChangeForAction("remove"), HidDeviceChange::Removed);
  for (const char* other : {"change", "bind", "unbind", "move", "online", "", "ADD"}) {
    EXPECT_FALSE(hidDeviceChangeForAction(other).has_value()) << other;
  }
}

TEST(HidMonitor, StartsAndStopsWithoutReportingAnythingOnItsOwn) {
  std::atomic<int> calls{0};
  HidMonitor monitor;
  const bool started = monitor.start([&](HidDeviceChange, const std::string&) { ++calls; });
  EXPECT_EQ(monitor.running(), started);
  EXPECT_FALSE(monitor.start([](HidDeviceChange, const std::string&) {}));  // never twice
  monitor.stop();
  EXPECT_FALSE(monitor.running());
  monitor.stop();  // a second stop is harmless
  EXPECT_EQ(calls.load(), 0);
  // A stopped monitor can start again.
  EXPECT_EQ(monitor.start([](HidDeviceChange, const std::string&) {}), started);
}

}  // namespace
}  // namespace tarvosk
