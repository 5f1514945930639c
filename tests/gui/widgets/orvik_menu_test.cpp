#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "widgets/orvik_menu.h"
#include "window/menu_resources.h"

namespace tarvosk {
namespace {

QColor rgb(MenuRgb c) { return {c.red, c.green, c.blue}; }

TEST(OrvikMenu, SizesFollowTheCharacterRule) {
  COrvikMenu menu;
  menu.loadResource(kTrayMenuEnglish);
  // "Show Window" and "Exit Driver": 11 characters, 88 pixels; two items of 20 and a separator of 1.
  EXPECT_EQ(menu.sizeHint(), QSize(88, 41));
  EXPECT_EQ(menu.actionGeometry(menu.actions()[0]), QRect(0, 0, 88, 20));
  EXPECT_EQ(menu.actionGeometry(menu.actions()[1]), QRect(0, 20, 88, 1));
  EXPECT_EQ(menu.actionGeometry(menu.actions()[2]), QRect(0, 21, 88, 20));
}

TEST(OrvikMenu, PaintsFillGradientAndSeparatorAsTheRuleSays) {
  COrvikMenu menu;
  menu.loadResource(kTrayMenuEnglish);
  menu.popup(QPoint(0, 0));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  menu.setActiveAction(menu.actions()[0]);
  const QImage shot = menu.grab().toImage();
  // The selected first item: a dark frame, then one gradient line per row inside it (18 rows),
  // checked left of the text.
  EXPECT_EQ(shot.pixelColor(60, 0), QColor(Qt::black));
  for (int y = 1; y <= 18; ++y) {
    EXPECT_EQ(shot.pixelColor(4, y), rgb(ownerDrawGradientRow(y, 1, 18))) << y;
  }
  // The separator row: blue from 25 pixels in (the bottom-right edge is drawn last on one row).
  EXPECT_EQ(shot.pixelColor(30, 20), QColor(0, 0, 255));
  EXPECT_EQ(shot.pixelColor(87, 20), QColor(0, 0, 255));
  EXPECT_EQ(shot.pixelColor(10, 20), rgb(ownerDrawItemFill()));
  // The unselected second item: the teal fill, with white text starting 10 pixels in.
  EXPECT_EQ(shot.pixelColor(85, 23), rgb(ownerDrawItemFill()));
  EXPECT_EQ(shot.pixelColor(5, 30), rgb(ownerDrawItemFill()));
  int white = 0;
  for (int y = 21; y < 41; ++y) {
    for (int x = 10; x < 88; ++x) white += shot.pixelColor(x, y).lightness() > 200 ? 1 : 0;
  }
  EXPECT_GT(white, 20);
  menu.close();
}

TEST(OrvikMenu, CommandsOfSubmenusReachTheOneSignal) {
  COrvikMenu menu;
  menu.loadResource(kEditMenuSecond);
  EXPECT_EQ(menu.entries().size(), ownerDrawEntries(menuResource(kEditMenuSecond)).size());
  QSignalSpy chosen(&menu, &COrvikMenu::commandChosen);
  QAction* action = menu.actionForCommand(kCmdAfterMiddleRelease);
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->text(), "Lançamento");
  action->trigger();
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][0].toInt(), kCmdAfterMiddleRelease);
  // Reloading in the other language replaces every item.
  menu.loadResource(kEditMenuEnglish);
  EXPECT_EQ(menu.actionForCommand(kCmdDeleteEvent)->text(), "Delete option");
  EXPECT_EQ(menu.actions().size(), 9);
}

}  // namespace
}  // namespace tarvosk
