// The context menu's "Start with the desktop" item against a private XDG_CONFIG_HOME.

#include "app/autostart_action.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMenu>

#include "platform/autostart.h"
#include "test_support.h"

namespace tarvosk {
namespace {

class AutostartItem : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(m_dir.path().string()));
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", m_previous); }
  std::filesystem::path file() const { return autostartFile(m_dir.path()); }

  test::ScratchDir m_dir;
  QByteArray m_previous;
};

TEST_F(AutostartItem, CheckingWritesTheEntryAndUncheckingRemovesIt) {
  QWidget parent;
  QMenu menu(&parent);
  QAction* item = addAutostartAction(menu, &parent, true);
  EXPECT_EQ(item->text(), QStringLiteral("Start with the desktop"));
  EXPECT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());

  item->trigger();
  EXPECT_TRUE(item->isChecked());
  ASSERT_TRUE(isAutostartEnabled(file()));
  // This test program is on no PATH, so the entry names it by its absolute path.
  const std::string entry = test::readFile(file());
  const std::string exec = "\nExec=" + QCoreApplication::applicationFilePath().toStdString() + " -HIDE\n";
  EXPECT_NE(entry.find(exec), std::string::npos) << entry;

  item->trigger();
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(AutostartItem, TheItemShowsWhatIsOnDiskWhenTheMenuOpens) {
  QWidget parent;
  ASSERT_TRUE(setAutostart(file(), true, "tarvosk -HIDE"));
  QMenu on(&parent);
  EXPECT_TRUE(addAutostartAction(on, &parent, false)->isChecked());

  // Switched off by the session's own settings.
  test::writeFile(file(), "[Desktop Entry]\nExec=tarvosk -HIDE\nX-GNOME-Autostart-enabled=false\n");
  QMenu off(&parent);
  QAction* item = addAutostartAction(off, &parent, false);
  EXPECT_FALSE(item->isChecked());
  EXPECT_EQ(item->text(), QStringLiteral("Iniciar com a área de trabalho"));
}

}  // namespace
}  // namespace tarvosk
