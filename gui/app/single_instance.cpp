#include "app/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <QtDebug>

namespace tarvosk {

namespace {

const QByteArray kShowRequest = QByteArrayLiteral("show\n");
constexpr int kConnectTimeoutMs = 1000;
constexpr int kWriteTimeoutMs = 1000;
// A client that connects and says nothing is dropped after this long.
constexpr int kIdleClientMs = 5000;
// How long a start waits for another start that is checking at the same moment.
constexpr int kLockTimeoutMs = 3000;

}  // namespace

QString SingleInstance::defaultSocketPath() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return folder + QStringLiteral("/K57Q_VOrozoApp-") + QString::number(getuid());
}

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent), m_socketPath(std::move(socketPath)) {}

SingleInstance::~SingleInstance() {
  // Closing removes the socket file, so the next start does not meet a stale one.
  if (m_server) m_server->close();
}

bool SingleInstance::isListening() const { return m_server && m_server->isListening(); }

bool SingleInstance::tryBecomePrimary() {
  if (isListening()) return true;
  // Two starts at the same moment would both find no answer and both listen, the second one
  // removing the first one's socket. The lock lets one check and listen at a time; a lock left
  // by a crashed process is taken over once its process is gone.
  QLockFile lock(m_socketPath + QStringLiteral(".lock"));
  const bool locked = lock.tryLock(kLockTimeoutMs);

  if (askPrimaryToShow()) return false;

  // Nobody answered: whatever file is there was left by an instance that is gone.
  QLocalServer::removeServer(m_socketPath);
  m_server = new QLocalServer(this);
  m_server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!m_server->listen(m_socketPath)) {
    qWarning().noquote() << "Tarvosk: cannot create" << m_socketPath << "(" << m_server->errorString()
                         << "); a second start will not find this one.";
    delete m_server;
    m_server = nullptr;
    return true;
  }
  if (!locked) qDebug().noquote() << "Tarvosk: started without the instance lock" << lock.error();
  connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
  return true;
}

bool SingleInstance::askPrimaryToShow() {
  QLocalSocket socket;
  socket.connectToServer(m_socketPath);
  if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
  socket.write(kShowRequest);
  // A connected primary is alive even if the request could not be written in time; a second
  // window must not start either way.
  socket.waitForBytesWritten(kWriteTimeoutMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kWriteTimeoutMs);
  return true;
}

void SingleInstance::acceptConnections() {
  while (QLocalSocket* socket = m_server->nextPendingConnection()) {
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kIdleClientMs, socket, [socket] { socket->abort(); });
    // The request may have arrived with the connection.
    if (socket->bytesAvailable() > 0) readRequest(socket);
  }
}

void SingleInstance::readRequest(QLocalSocket* socket) {
  if (!socket->canReadLine()) {
    // Anything longer than the request is not ours.
    if (socket->bytesAvailable() > kShowRequest.size()) socket->abort();
    return;
  }
  const QByteArray line = socket->readLine(kShowRequest.size() + 1);
  socket->disconnectFromServer();
  if (line == kShowRequest) Q_EMIT showRequested();
}

}  // namespace tarvosk
