#include "app/sleep_watcher.h"

#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>

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

// A private message bus of our own (dbus-daemon with the session configuration), on which a
// second connection plays logind.
class PrivateBus {
 public:
  PrivateBus() {
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) return;
    m_process.start(daemon,
                    {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    if (!m_process.waitForStarted(5000)) return;
    while (!m_process.canReadLine() && m_process.waitForReadyRead(5000)) {
    }
    m_address = QString::fromUtf8(m_process.readLine()).trimmed();
  }
  ~PrivateBus() {
    m_process.terminate();
    m_process.waitForFinished(5000);
  }
  const QString& address() const { return m_address; }
  QDBusConnection connect(const QString& name) const { return QDBusConnection::connectToBus(m_address, name); }

 private:
  QProcess m_process;
  QString m_address;
};

bool sendPrepareForSleep(QDBusConnection& from, bool goingToSleep) {
  QDBusMessage signal =
      QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                 QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"));
  signal << goingToSleep;
  return from.send(signal);
}

TEST(SleepWatcher, HearsLogindsPrepareForSleepOnTheBus) {
  PrivateBus bus;
  if (bus.address().isEmpty()) GTEST_SKIP() << "dbus-daemon is not installed";
  QDBusConnection logind = bus.connect(QStringLiteral("tarvosk-test-logind"));
  QDBusConnection impostor = bus.connect(QStringLiteral("tarvosk-test-impostor"));
  ASSERT_TRUE(logind.isConnected());
  ASSERT_TRUE(logind.registerService(QStringLiteral("org.freedesktop.login1")));

  SleepWatcher watcher(bus.connect(QStringLiteral("tarvosk-test-watcher")));
  ASSERT_TRUE(watcher.isWatching());
  QSignalSpy resumed(&watcher, &SleepWatcher::resumed);

  ASSERT_TRUE(sendPrepareForSleep(logind, true));
  EXPECT_FALSE(resumed.wait(300)) << "going to sleep is not a resume";
  // The same signal from a connection that is not logind is not believed.
  ASSERT_TRUE(sendPrepareForSleep(impostor, false));
  EXPECT_FALSE(resumed.wait(300));
  ASSERT_TRUE(sendPrepareForSleep(logind, false));
  ASSERT_TRUE(resumed.wait(5000));
  EXPECT_EQ(resumed.count(), 1);

  for (const char* name : {"tarvosk-test-logind", "tarvosk-test-impostor", "tarvosk-test-watcher"}) {
    QDBusConnection::disconnectFromBus(QString::fromUtf8(name));
  }
}

}  // namespace
}  // namespace tarvosk
