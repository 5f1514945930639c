#pragma once
// The hidraw nodes that come and go, as Qt signals on the thread that owns the monitor. The
// kernel's events arrive on HidMonitor's own thread; they are posted across as queued calls, so
// the window handles them like any other event and never on a foreign thread.

#include <QObject>
#include <QString>
#include <string>

#include "device/device_discovery.h"
#include "platform/hid_monitor.h"

namespace tarvosk {

class DeviceMonitor : public QObject {
  Q_OBJECT

 public:
  explicit DeviceMonitor(QObject* parent = nullptr);
  ~DeviceMonitor() override;  // stops and joins the watching thread first

  // Starts watching the hidraw nodes. False when the system gives no device events; the
  // program then runs without noticing plugs and unplugs.
  bool start();
  void stop();
  bool running() const { return m_monitor.running(); }

  // Reports one change; safe to call from any thread (this is what the watching thread calls).
  // The signal follows on this object's thread.
  void post(HidDeviceChange change, const std::string& devicePath);

  // The notification the window hands to isOurDevice for a node the monitor reported: the
  // hidraw node path is the interface name discovery stores.
  static DeviceNotification notificationFor(const QString& devicePath);

 Q_SIGNALS:
  void arrived(const QString& devicePath);
  void removed(const QString& devicePath);

 private:
  HidMonitor m_monitor;
};

}  // namespace tarvosk
