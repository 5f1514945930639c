#include "app/device_monitor.h"

#include <QMetaObject>

namespace tarvosk {

DeviceMonitor::DeviceMonitor(QObject* parent) : QObject(parent) {}

DeviceMonitor::~DeviceMonitor() { stop(); }

bool DeviceMonitor::start() {
  return m_monitor.start([this](HidDeviceChange change, const std::string& path) { post(change, path); });
}

void DeviceMonitor::stop() { m_monitor.stop(); }

void DeviceMonitor::post(HidDeviceChange change, const std::string& devicePath) {
  const QString path = QString::fromStdString(devicePath);
  // Queued on this object: the call runs on its thread, and is dropped if the object is gone
  // before it runs (the destructor joins the watching thread first, so nothing is posted later).
  QMetaObject::invokeMethod(
      this,
      [this, change, path] {
        if (change == HidDeviceChange::Arrived) {
          Q_EMIT arrived(path);
        } else {
          Q_EMIT removed(path);
        }
      },
      Qt::QueuedConnection);
}

DeviceNotification DeviceMonitor::notificationFor(const QString& devicePath) {
  return DeviceNotification{kDeviceInterfaceNotification, devicePath.toStdString()};
}

}  // namespace tarvosk
