#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "popup_fixture.h"
#include "widgets/mac_sel_menu_dlg.h"
#include "widgets/menu_dlg.h"
#include "widgets/sub_menu_dlg.h"

namespace tarvosk {
namespace {

using test::PopupHarness;

const QPoint kWindowTopLeft(100, 80);

// Moves the pointer onto a row and clicks there, as a user picks a row.
void clickRow(SkinnedMenuWindow* level, int row) {
  ASSERT_NE(level, nullptr);
  test::movePointer(level, level->rowCentre(row));
  QTest::mouseClick(level, Qt::LeftButton, Qt::NoModifier, level->rowCentre(row));
}

void hoverRow(SkinnedMenuWindow* level, int row) {
  ASSERT_NE(level, nullptr);
  test::movePointer(level, level->rowCentre(row));
}

TEST(PopupController, OpensAtTheRequestCutToItsRows) {
  struct Case {
    const char* name;
    PopupKind kind;
    int width;
    QSize size;
  };
  // The shipped library has two groups.
  const std::vector<Case> cases = {{"functions", PopupKind::ButtonFunctions, 181, {181, 11 * 24}},
                                   {"groups", PopupKind::MacroGroups, 161, {161, 2 * 24}},
                                   {"file menu", PopupKind::MacroFileMenu, 238, {238, 90}},
                                   {"lighting modes", PopupKind::LedModes, 200, {200, 5 * 24}},
                                   {"event mode", PopupKind::LedEventMode, 150, {150, 3 * 24}},
                                   {"event colour", PopupKind::LedEventColor, 150, {150, 5 * 24}},
                                   {"step count", PopupKind::LedEventProgram, 0, {200, 5 * 24}}};
  PopupHarness h(kLanguageEnglish);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(h.controller->open({c.kind, 30, 40, c.width}, kWindowTopLeft, 0));
    CMenuDlg* menu = h.controller->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->kind(), c.kind);
    EXPECT_EQ(menu->windowTitle(), "MainMenuDlg");
    EXPECT_EQ(menu->pos(), kWindowTopLeft + QPoint(30, 40));
    EXPECT_EQ(menu->size(), c.size);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE((menu->windowFlags() & Qt::FramelessWindowHint) != 0);
  }
  // One chain at a time: the last open replaced the others.
  EXPECT_EQ(h.controller->menu()->kind(), PopupKind::LedEventProgram);
}

TEST(PopupController, FunctionRowAssignsAndGivesTheLeftClickBack) {
  PopupHarness h(kLanguageEnglish);
  h.record.buttonFunction[0] = {1, 2, 3, 4, 5, 6};
  QSignalSpy changed(h.controller.get(), &PopupController::settingsChanged);
  ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 0, 0, 181}, kWindowTopLeft, 0));
  clickRow(h.controller->menu(), 3);
  // Button 1 lost the only left click, so button 2 takes it.
  EXPECT_EQ(h.record.buttonFunction[0], (std::array<int32_t, 6>{3, 1, 3, 4, 5, 6}));
  EXPECT_EQ(changed.count(), 1);
  EXPECT_FALSE(h.controller->isOpen());
  EXPECT_EQ(h.controller->menu(), nullptr);
}

TEST(PopupController, RowsWithASecondLevelDoNothingOnRelease) {
  PopupHarness h(kLanguageEnglish);
  ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 0, 0, 181}, kWindowTopLeft, 4));
  clickRow(h.controller->menu(), 8);
  EXPECT_TRUE(h.controller->isOpen());
  ASSERT_NE(h.controller->subMenu(), nullptr);
  // Multimedia, row 3 is function 24.
  clickRow(h.controller->subMenu(), 3);
  EXPECT_EQ(h.record.buttonFunction[0][4], 24);
  EXPECT_FALSE(h.controller->isOpen());
  EXPECT_EQ(h.controller->subMenu(), nullptr);
}

TEST(PopupController, SecondLevelsSitBesideTheirRows) {
  struct Case {
    int row;
    int rows;
    int offsetRows;
    const char* firstText;
  };
  const std::vector<Case> cases = {
      {7, 5, 4, "Fire key"}, {8, 10, 1, "Home"}, {9, 2, 7, "Office"}, {10, 8, 3, "Copy"}, {11, 3, 8, "Work"}};
  PopupHarness h(kLanguageEnglish);
  ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 10, 20, 181}, kWindowTopLeft, 0));
  CMenuDlg* menu = h.controller->menu();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    hoverRow(menu, c.row);
    CSubMenuDlg* sub = h.controller->subMenu();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->windowTitle(), "SubMenuDlg");
    EXPECT_EQ(sub->firstLevelRow(), c.row);
    EXPECT_EQ(sub->pos(), menu->pos() + QPoint(181, c.offsetRows * 24));
    EXPECT_EQ(sub->size(), QSize(200, c.rows * 24 + 1));
    EXPECT_EQ(sub->rowTexts().front(), c.firstText);
  }
  hoverRow(menu, 2);
  EXPECT_EQ(h.controller->subMenu(), nullptr);
}

TEST(PopupController, MacroOfAGroupAssignsItsUserMacroCode) {
  PopupHarness h(kLanguageEnglish);
  h.record.buttonFunction[2] = {2, 2, 2, 2, 2, 2};
  h.record.currentProfile = 2;  // the left-click rule keeps to slot 0
  ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 0, 0, 181}, kWindowTopLeft, 5));
  hoverRow(h.controller->menu(), 9);
  CSubMenuDlg* groups = h.controller->subMenu();
  ASSERT_NE(groups, nullptr);
  EXPECT_TRUE(groups->listsGroups());
  hoverRow(groups, 1);
  MacSelMenuDlg* macros = h.controller->macroMenu();
  ASSERT_NE(macros, nullptr);
  EXPECT_EQ(macros->groupIndex(), 0);
  EXPECT_EQ(macros->pos(), groups->pos() + QPoint(200, 0));
  EXPECT_EQ(macros->rowTexts().size(), static_cast<std::size_t>(h.library.macroCounts[0]));
  EXPECT_EQ(macros->rowTexts().front(), QString::fromStdString(h.library.macroNames[0][0]));
  hoverRow(groups, 2);
  macros = h.controller->macroMenu();
  ASSERT_NE(macros, nullptr);
  EXPECT_EQ(macros->groupIndex(), 1);
  EXPECT_EQ(macros->pos(), groups->pos() + QPoint(200, 24));
  // Releasing on a group row does nothing; on macro 2 of group 2 assigns 2 * 256 + 1.
  clickRow(groups, 2);
  EXPECT_TRUE(h.controller->isOpen());
  clickRow(h.controller->macroMenu(), 2);
  EXPECT_EQ(h.record.buttonFunction[2][5], 2 * 256 + 1);
  EXPECT_EQ(h.record.buttonFunction[2][0], 2);
  EXPECT_FALSE(h.controller->isOpen());
  EXPECT_EQ(h.controller->macroMenu(), nullptr);
}

TEST(PopupController, MacroPageAndLightingKindsReportTheirChoice) {
  PopupHarness h(kLanguageEnglish);
  QSignalSpy group(h.controller.get(), &PopupController::macroGroupChosen);
  QSignalSpy file(h.controller.get(), &PopupController::macroFileAction);
  QSignalSpy led(h.controller.get(), &PopupController::ledEventValue);
  h.library.currentGroup = 0;
  h.currentMacro = 3;
  ASSERT_TRUE(h.controller->open({PopupKind::MacroGroups, 0, 0, 161}, kWindowTopLeft, 0));
  clickRow(h.controller->menu(), 2);
  ASSERT_EQ(group.count(), 1);
  EXPECT_EQ(group[0], (QList<QVariant>{0, 1, 3}));

  ASSERT_TRUE(h.controller->open({PopupKind::MacroFileMenu, 0, 0, 238}, kWindowTopLeft, 0));
  clickRow(h.controller->menu(), 3);
  ASSERT_EQ(file.count(), 1);
  EXPECT_EQ(file[0][0].toInt(), 3);

  struct Case {
    PopupKind kind;
    int row;
    int value;
  };
  for (const Case& c : {Case{PopupKind::LedEventMode, 3, 2}, Case{PopupKind::LedEventColor, 3, 3},
                        Case{PopupKind::LedEventProgram, 5, 5}}) {
    led.clear();
    ASSERT_TRUE(h.controller->open({c.kind, 0, 0, 150}, kWindowTopLeft, 0));
    clickRow(h.controller->menu(), c.row);
    ASSERT_EQ(led.count(), 1);
    EXPECT_EQ(led[0][0].value<PopupKind>(), c.kind);
    EXPECT_EQ(led[0][1].toInt(), c.value);
    EXPECT_FALSE(h.controller->isOpen());
  }

  QSignalSpy changed(h.controller.get(), &PopupController::settingsChanged);
  for (const auto& [row, type] : {std::pair{4, 8}, std::pair{5, 9}, std::pair{1, 0}}) {
    ASSERT_TRUE(h.controller->open({PopupKind::LedModes, 0, 0, 200}, kWindowTopLeft, 0));
    clickRow(h.controller->menu(), row);
    EXPECT_EQ(h.record.ledType, type);
  }
  EXPECT_EQ(changed.count(), 3);
}

TEST(PopupController, GroupMenuWithoutGroupsOpensNothing) {
  PopupHarness h(kLanguageEnglish);
  h.library = MacroLibrary{};
  EXPECT_FALSE(h.controller->open({PopupKind::MacroGroups, 0, 0, 161}, kWindowTopLeft, 0));
  EXPECT_FALSE(h.controller->isOpen());
  // The group row of the function menu then has no second level either.
  ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 0, 0, 181}, kWindowTopLeft, 0));
  hoverRow(h.controller->menu(), 9);
  EXPECT_EQ(h.controller->subMenu(), nullptr);
}

TEST(PopupController, APressOutsideEscapeOrAnActionCloseTheWholeChain) {
  PopupHarness h(kLanguageEnglish);
  QSignalSpy closed(h.controller.get(), &PopupController::closed);
  ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 0, 0, 181}, kWindowTopLeft, 0));
  hoverRow(h.controller->menu(), 9);
  hoverRow(h.controller->subMenu(), 1);
  ASSERT_NE(h.controller->macroMenu(), nullptr);
  // A press on the main window closes all three levels.
  QTest::mouseClick(&h.mainWindow, Qt::LeftButton, Qt::NoModifier, QPoint(600, 500));
  EXPECT_FALSE(h.controller->isOpen());
  EXPECT_EQ(h.controller->subMenu(), nullptr);
  EXPECT_EQ(h.controller->macroMenu(), nullptr);
  EXPECT_EQ(closed.count(), 1);

  ASSERT_TRUE(h.controller->open({PopupKind::LedModes, 0, 0, 200}, kWindowTopLeft, 0));
  // A press on the menu itself keeps it.
  QTest::mousePress(h.controller->menu(), Qt::LeftButton, Qt::NoModifier, h.controller->menu()->rowCentre(2));
  EXPECT_TRUE(h.controller->isOpen());
  QTest::keyClick(&h.mainWindow, Qt::Key_Escape);
  EXPECT_FALSE(h.controller->isOpen());
  EXPECT_EQ(h.record.ledType, 0);
}

TEST(PopupController, ReleaseOverNoRowKeepsTheMenuOpen) {
  PopupHarness h(kLanguageEnglish);
  ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 0, 0, 181}, kWindowTopLeft, 0));
  hoverRow(h.controller->menu(), 11);
  CSubMenuDlg* sub = h.controller->subMenu();
  ASSERT_NE(sub, nullptr);
  // The second level's last pixel row lies below its rows.
  const QPoint below(100, sub->height() - 1);
  test::movePointer(sub, below);
  QTest::mouseClick(sub, Qt::LeftButton, Qt::NoModifier, below);
  EXPECT_TRUE(h.controller->isOpen());
  EXPECT_EQ(h.record.buttonFunction[0], (std::array<int32_t, 6>{1, 2, 3, 4, 5, 6}));
  // With no row lit, Enter does nothing either.
  ASSERT_TRUE(h.controller->open({PopupKind::MacroFileMenu, 0, 0, 238}, kWindowTopLeft, 0));
  QTest::keyClick(&h.mainWindow, Qt::Key_Return);
  EXPECT_TRUE(h.controller->isOpen());
}

TEST(PopupController, KeyboardChoosesRowsAcrossLevels) {
  PopupHarness h(kLanguageEnglish);
  h.record.currentProfile = 3;
  ASSERT_TRUE(h.controller->open({PopupKind::LedModes, 0, 0, 200}, kWindowTopLeft, 0));
  QTest::keyClick(&h.mainWindow, Qt::Key_Up);  // from no row, Up wraps to the last
  EXPECT_EQ(h.controller->menu()->hoveredRow(), 5);
  QTest::keyClick(&h.mainWindow, Qt::Key_Down);  // and Down wraps to the first
  QTest::keyClick(&h.mainWindow, Qt::Key_Down);
  QTest::keyClick(&h.mainWindow, Qt::Key_Return);
  EXPECT_EQ(h.record.ledType, 1);
  EXPECT_FALSE(h.controller->isOpen());

  ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 0, 0, 181}, kWindowTopLeft, 1));
  for (int i = 0; i < 9; ++i) QTest::keyClick(&h.mainWindow, Qt::Key_Down);
  ASSERT_NE(h.controller->subMenu(), nullptr);
  QTest::keyClick(&h.mainWindow, Qt::Key_Right);  // into the groups: group 1 lit, its macros open
  ASSERT_NE(h.controller->macroMenu(), nullptr);
  QTest::keyClick(&h.mainWindow, Qt::Key_Down);  // group 2
  EXPECT_EQ(h.controller->macroMenu()->groupIndex(), 1);
  QTest::keyClick(&h.mainWindow, Qt::Key_Right);  // into its macros, the first lit
  QTest::keyClick(&h.mainWindow, Qt::Key_Left);   // back to the groups
  QTest::keyClick(&h.mainWindow, Qt::Key_Up);     // group 1
  EXPECT_EQ(h.controller->macroMenu()->groupIndex(), 0);
  QTest::keyClick(&h.mainWindow, Qt::Key_Right);
  QTest::keyClick(&h.mainWindow, Qt::Key_Down);
  QTest::keyClick(&h.mainWindow, Qt::Key_Enter);
  EXPECT_EQ(h.record.buttonFunction[3][1], 256 + 1);
  EXPECT_FALSE(h.controller->isOpen());
}

TEST(PopupController, RefusedChangesCloseTheMenuAndChangeNothing) {
  PopupHarness h(kLanguageEnglish);
  h.refuseChanges = true;
  QSignalSpy changed(h.controller.get(), &PopupController::settingsChanged);
  ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 0, 0, 181}, kWindowTopLeft, 0));
  clickRow(h.controller->menu(), 4);
  EXPECT_FALSE(h.controller->isOpen());
  EXPECT_EQ(h.record.buttonFunction[0][0], 1);
  EXPECT_EQ(changed.count(), 0);
}

TEST(PopupController, MissingImagesStillGiveWorkingRows) {
  PopupHarness h(kLanguageEnglish);
  test::ScratchDir empty;
  PopupContext context;
  context.skinsDir = QString::fromStdString(empty.path().string());
  context.snapshot = [&h] { return h.record; };
  context.changeSettings = [&h](const std::function<void(SettingsRecord&)>& change) {
    change(h.record);
    return true;
  };
  context.layout = [&h]() -> const SkinLayout& { return h.layout; };
  PopupController controller(context);
  // Without masks the menus take the shipped menu size: rows of 24, as wide as asked (at most 200).
  ASSERT_TRUE(controller.open({PopupKind::LedModes, 0, 0, 300}, kWindowTopLeft, 0));
  EXPECT_EQ(controller.menu()->size(), QSize(200, 5 * 24));
  clickRow(controller.menu(), 5);
  EXPECT_EQ(h.record.ledType, 9);
  // No macro names getter: the group menu has nothing to show.
  EXPECT_FALSE(controller.open({PopupKind::MacroGroups, 0, 0, 161}, kWindowTopLeft, 0));
}

TEST(PopupController, SecondLanguageTexts) {
  PopupHarness h(kLanguageSecond);
  ASSERT_TRUE(h.controller->open({PopupKind::MacroFileMenu, 0, 0, 238}, kWindowTopLeft, 0));
  const auto& texts = h.controller->menu()->rowTexts();
  EXPECT_EQ(texts, (std::vector<QString>{"Importar", "Exportar", "Reset"}));
  ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 0, 0, 181}, kWindowTopLeft, 0));
  EXPECT_EQ(h.controller->menu()->rowTexts().front(), "Clique esquerdo");
  hoverRow(h.controller->menu(), 9);
  ASSERT_NE(h.controller->subMenu(), nullptr);
  EXPECT_EQ(h.controller->subMenu()->rowTexts().front(), QString::fromStdString(h.library.groupNames[0]));
}

}  // namespace
}  // namespace tarvosk
