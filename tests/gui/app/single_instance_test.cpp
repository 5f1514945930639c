#include "app/single_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cstring>

namespace tarvosk {
namespace {

class SingleInstanceTest : public ::testing::Test {
 protected:
  QString socketPath() const { return m_dir.filePath(QStringLiteral("K57Q_VOrozoApp-test")); }
  QTemporaryDir m_dir;
};

// What a crashed instance leaves: a socket file that nobody listens on.
void leaveStaleSocket(const QString& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray native = path.toLocal8Bit();
  ASSERT_LT(static_cast<std::size_t>(native.size()), sizeof address.sun_path);
  std::memcpy(address.sun_path, native.constData(), static_cast<std::size_t>(native.size()));
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  close(fd);
  ASSERT_TRUE(QFileInfo::exists(path));
}

TEST_F(SingleInstanceTest, ASecondStartAsksTheFirstToShowAndStepsAside) {
  SingleInstance first(socketPath());
  QSignalSpy shown(&first, &SingleInstance::showRequested);
  ASSERT_TRUE(first.tryBecomePrimary());
  EXPECT_TRUE(first.isListening());

  SingleInstance second(socketPath());
  EXPECT_FALSE(second.tryBecomePrimary());
  EXPECT_FALSE(second.isListening());
  ASSERT_TRUE(shown.wait(5000));
  EXPECT_EQ(shown.count(), 1);

  // A third start later is told the same, and the first hears of it again.
  SingleInstance third(socketPath());
  EXPECT_FALSE(third.tryBecomePrimary());
  ASSERT_TRUE(shown.wait(5000));
  EXPECT_EQ(shown.count(), 2);
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedInstanceIsTakenOver) {
  leaveStaleSocket(socketPath());
  SingleInstance instance(socketPath());
  ASSERT_TRUE(instance.tryBecomePrimary());
  EXPECT_TRUE(instance.isListening());

  // The new primary really listens: a later start finds it.
  QSignalSpy shown(&instance, &SingleInstance::showRequested);
  SingleInstance later(socketPath());
  EXPECT_FALSE(later.tryBecomePrimary());
  EXPECT_TRUE(shown.wait(5000));
}

TEST_F(SingleInstanceTest, AfterTheFirstEndsTheNextStartBecomesPrimary) {
  {
    SingleInstance first(socketPath());
    ASSERT_TRUE(first.tryBecomePrimary());
  }
  EXPECT_FALSE(QFileInfo::exists(socketPath())) << "leaving removes the socket";
  SingleInstance next(socketPath());
  EXPECT_TRUE(next.tryBecomePrimary());
}

TEST_F(SingleInstanceTest, TheSocketIsPrivateToTheUser) {
  SingleInstance instance(socketPath());
  ASSERT_TRUE(instance.tryBecomePrimary());
  struct stat info {};
  ASSERT_EQ(stat(socketPath().toLocal8Bit().constData(), &info), 0);
  EXPECT_TRUE(S_ISSOCK(info.st_mode));
  EXPECT_EQ(info.st_mode & (S_IRWXG | S_IRWXO), 0u) << std::oct << info.st_mode;
  EXPECT_EQ(info.st_uid, getuid());
}

TEST_F(SingleInstanceTest, AClientThatSaysSomethingElseDoesNotShowTheWindow) {
  SingleInstance instance(socketPath());
  ASSERT_TRUE(instance.tryBecomePrimary());
  QSignalSpy shown(&instance, &SingleInstance::showRequested);
  QLocalSocket stranger;
  stranger.connectToServer(socketPath());
  ASSERT_TRUE(stranger.waitForConnected(2000));
  stranger.write("quit\n");
  stranger.waitForBytesWritten(2000);
  EXPECT_FALSE(shown.wait(300));
}

TEST_F(SingleInstanceTest, TheDefaultSocketIsNamedForTheUserInTheRuntimeFolder) {
  const QString path = SingleInstance::defaultSocketPath();
  EXPECT_TRUE(path.endsWith(QStringLiteral("/K57Q_VOrozoApp-") + QString::number(getuid()))) << path.toStdString();
  EXPECT_TRUE(QFileInfo(path).dir().exists());
}

TEST_F(SingleInstanceTest, AnUnusableFolderStillLetsTheProgramRun) {
  SingleInstance instance(m_dir.filePath(QStringLiteral("missing/folder/sock")));
  EXPECT_TRUE(instance.tryBecomePrimary());
  EXPECT_FALSE(instance.isListening());
}

}  // namespace
}  // namespace tarvosk
