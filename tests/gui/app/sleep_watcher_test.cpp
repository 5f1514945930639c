#include "app/sleep_watcher.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace tarvosk {
namespace {

QDBusConnection unreachableBus() {
  return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/tarvosk-test-bus"),
                                       QStringLiteral("tarvosk-unreachable"));
}

TEST(SleepWatcher, OnlyTheWakingHalfOfPrepareForSleepCountsAsAResume) {
  SleepWatcher watcher(unreachableBus());
  QSignalSpy resumed(&watcher, &SleepWatcher::resumed);
  watcher.handlePrepareForSleep(true);
  EXPECT_EQ(resumed.count(), 0) << "going to sleep is not a resume";
  watcher.handlePrepareForSleep(false);
  EXPECT_EQ(resumed.count(), 1);
  watcher.handlePrepareForSleep(true);
  watcher.handlePrepareForSleep(false);
  EXPECT_EQ(resumed.count(), 2);
}

TEST(SleepWatcher, WithoutABusItWatchesNothingAndReportsNothing) {
  SleepWatcher watcher(unreachableBus());
  QSignalSpy resumed(&watcher, &SleepWatcher::resumed);
  EXPECT_FALSE(watcher.isWatching());
  EXPECT_FALSE(resumed.wait(100));
}

TEST(SleepWatcher, TheSystemBusConstructorIsHarmlessWhereverItRuns) {
  // On a desktop this subscribes to logind; in a container there is no system bus at all.
  // Either way construction returns and no resume is invented.
  SleepWatcher watcher;
  QSignalSpy resumed(&watcher, &SleepWatcher::resumed);
  EXPECT_EQ(watcher.isWatching(), QDBusConnection::systemBus().isConnected());
  EXPECT_FALSE(resumed.wait(100));
}

}  // namespace
}  // namespace tarvosk
