#pragma once
// One running copy per user. The first start listens on a local socket in the user's runtime
// folder; a later start connects to it, asks the first to show its window, and ends silently.

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace tarvosk {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // The socket of the current user: "K57Q_VOrozoApp-<uid>" in the user's runtime folder
  // ($XDG_RUNTIME_DIR, or the private fallback folder Qt creates when it is unset).
  static QString defaultSocketPath();

  explicit SingleInstance(QString socketPath = defaultSocketPath(), QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when this process is now the primary instance (it listens from now on). False when a
  // live instance answered and was asked to show itself: the caller then exits without a word.
  // A socket left behind by a crashed instance is replaced. When the socket cannot be created
  // at all, the program runs anyway (true) and says why once on the log.
  bool tryBecomePrimary();

  bool isListening() const;
  const QString& socketPath() const { return m_socketPath; }

 Q_SIGNALS:
  // In the primary: a second start asked for the window.
  void showRequested();

 private:
  bool askPrimaryToShow();
  void acceptConnections();
  void readRequest(QLocalSocket* socket);

  QString m_socketPath;
  QLocalServer* m_server = nullptr;
};

}  // namespace tarvosk
