#pragma once
// Tells when the computer wakes from sleep, so the program can send its settings to the mouse
// again (the mouse may have lost power). Listens to logind's PrepareForSleep signal on the
// system bus; without a system bus (or without logind) nothing is ever reported.

#include <QDBusConnection>
#include <QObject>

namespace tarvosk {

class SleepWatcher : public QObject {
  Q_OBJECT

 public:
  // Watches the system bus.
  explicit SleepWatcher(QObject* parent = nullptr);
  // Watches `bus` (tests pass a private bus or one that is not connected).
  explicit SleepWatcher(const QDBusConnection& bus, QObject* parent = nullptr);

  // True when the subscription to PrepareForSleep was accepted by the bus.
  bool isWatching() const { return m_watching; }

 Q_SIGNALS:
  void resumed();

 public Q_SLOTS:
  // logind's PrepareForSleep(start): true before the system sleeps, false once it woke up.
  void handlePrepareForSleep(bool goingToSleep);

 private:
  bool m_watching = false;
};

}  // namespace tarvosk
