#include "app/sleep_watcher.h"

#include <QDBusError>
#include <QtDebug>

namespace tarvosk {

namespace {

const QString kLogindService = QStringLiteral("org.freedesktop.login1");
const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
const QString kLogindManager = QStringLiteral("org.freedesktop.login1.Manager");

}  // namespace

SleepWatcher::SleepWatcher(QObject* parent) : SleepWatcher(QDBusConnection::systemBus(), parent) {}

SleepWatcher::SleepWatcher(const QDBusConnection& bus, QObject* parent) : QObject(parent) {
  if (!bus.isConnected()) {
    // Containers and some minimal sessions have no system bus; the program then simply never
    // hears of a resume.
    qDebug().noquote() << "Tarvosk: no system bus, resume from sleep will not be noticed";
    return;
  }
  // QtDBus delivers signals only to slots named in the old string form.
  QDBusConnection connection(bus);
  m_watching = connection.connect(kLogindService, kLogindPath, kLogindManager, QStringLiteral("PrepareForSleep"), this,
                                  SLOT(handlePrepareForSleep(bool)));
  if (!m_watching) qDebug().noquote() << "Tarvosk: cannot watch logind for resume:" << connection.lastError().message();
}

void SleepWatcher::handlePrepareForSleep(bool goingToSleep) {
  if (!goingToSleep) Q_EMIT resumed();
}

}  // namespace tarvosk
