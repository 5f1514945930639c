#include "app/device_monitor.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QThread>
#include <thread>

namespace tarvosk {
namespace {

TEST(DeviceMonitor, ChangesReportedOnAnotherThreadArriveOnTheOwnersThread) {
  DeviceMonitor monitor;
  QThread* ownerThread = QThread::currentThread();
  std::vector<std::pair<QString, QThread*>> seen;
  QObject::connect(&monitor, &DeviceMonitor::arrived, [&](const QString& path) {
    seen.emplace_back(QStringLiteral("arrived ") + path, QThread::currentThread());
  });
  QObject::connect(&monitor, &DeviceMonitor::removed, [&](const QString& path) {
    seen.emplace_back(QStringLiteral("removed ") + path, QThread::currentThread());
  });
  QSignalSpy removed(&monitor, &DeviceMonitor::removed);

  std::thread watcher([&monitor] {
    monitor.post(HidDeviceChange::Arrived, "/dev/hidraw3");
    monitor.post(HidDeviceChange::Removed, "/dev/hidraw3");
  });
  watcher.join();
  EXPECT_TRUE(seen.empty()) << "nothing is delivered on the watching thread or before the event loop runs";

  ASSERT_TRUE(removed.wait(5000));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].first, QStringLiteral("arrived /dev/hidraw3"));
  EXPECT_EQ(seen[1].first, QStringLiteral("removed /dev/hidraw3"));
  for (const auto& [what, thread] : seen) EXPECT_EQ(thread, ownerThread) << what.toStdString();
}

TEST(DeviceMonitor, ChangesPostedJustBeforeTheMonitorGoesAreDropped) {
  auto monitor = std::make_unique<DeviceMonitor>();
  int delivered = 0;
  QObject::connect(monitor.get(), &DeviceMonitor::arrived, [&delivered] { ++delivered; });
  monitor->post(HidDeviceChange::Arrived, "/dev/hidraw0");
  monitor.reset();
  QCoreApplication::processEvents();
  EXPECT_EQ(delivered, 0);
}

TEST(DeviceMonitor, AReportedNodeIsRecognisedAsOursOnlyWhenDiscoveryStoredIt) {
  DeviceState state;
  state.devicePath = "/dev/hidraw5";
  EXPECT_TRUE(isOurDevice(DeviceMonitor::notificationFor(QStringLiteral("/dev/hidraw5")), state));
  EXPECT_FALSE(isOurDevice(DeviceMonitor::notificationFor(QStringLiteral("/dev/hidraw6")), state));
}

TEST(DeviceMonitor, StartsAndStopsCleanlyWhetherOrNotTheSystemGivesDeviceEvents) {
  DeviceMonitor monitor;
  const bool started = monitor.start();
  EXPECT_EQ(monitor.running(), started);
  monitor.stop();
  EXPECT_FALSE(monitor.running());
  // A second start after a stop works as the first did.
  EXPECT_EQ(monitor.start(), started);
}

}  // namespace
}  // namespace tarvosk
