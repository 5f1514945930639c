// Every item of the main, advanced and lighting pages that acts, clicked on the real window:
// the settings record afterwards, the page shown, the popup asked for.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <functional>

#include "platform/profile_file.h"
#include "settings/config_file.h"
#include "window_fixture.h"

namespace tarvosk {
namespace {

using test::WindowFixture;

struct ClickRow {
  const char* name;
  int page;  // 1 advanced, 3 lighting
  int item;
  std::function<void(SettingsRecord&)> prepare;  // state before the click
  std::function<void(const SettingsRecord& before, const SettingsRecord& after)> check;
};

void runRows(const std::vector<ClickRow>& rows, LayoutTable table) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  for (const ClickRow& row : rows) {
    SCOPED_TRACE(row.name);
    f.showPage(row.page);
    ASSERT_EQ(f.window().page(), row.page);
    if (row.prepare) {
      ASSERT_TRUE(f.window().changeSettings(row.prepare));
    }
    const SettingsRecord before = f.record();
    f.clickItem(table, row.item);
    row.check(before, f.record());
  }
}

TEST(MainWindowClicks, AdvancedPageItemsChangeTheirSettings) {
  std::vector<ClickRow> rows;
  for (int level = 0; level < 4; ++level) {
    // With every level enabled and another one active, the switch simply turns its level off.
    rows.push_back({"enable switch toggles its level", 1, 47 + level,
                    [level](SettingsRecord& s) { s.dpiEnabled = {1, 1, 1, 1}, s.dpiLevel = (level + 1) % 4; },
                    [level](const SettingsRecord& b, const SettingsRecord& a) {
                      EXPECT_EQ(a.dpiEnabled[level], b.dpiEnabled[level] ? 0 : 1);
                    }});
    rows.push_back({"level selector selects its level", 1, 60 + level,
                    [level](SettingsRecord& s) { s.dpiEnabled = {1, 1, 1, 1}, s.dpiLevel = (level + 1) % 4; },
                    [level](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.dpiLevel, level); }});
    rows.push_back({"the bar's middle sets step 6", 1, 66 + level, nullptr,
                    [level](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.dpiValue[level], 6); }});
    for (int step : {0, 5, 11}) {
      rows.push_back({"a marker sets its step", 1, 70 + 12 * level + step, nullptr,
                      [level, step](const SettingsRecord&, const SettingsRecord& a) {
                        EXPECT_EQ(a.dpiValue[level], step);
                      }});
    }
  }
  rows.push_back({"pointer speed bar", 1, 1, nullptr,
                  [](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.pointerSpeed, 6); }});
  rows.push_back({"wheel speed bar", 1, 18, nullptr,
                  [](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.wheelSpeed, 6); }});
  rows.push_back({"fire time bar", 1, 31, nullptr,
                  [](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.fireTime, 150); }});
  for (int rate = 0; rate < 4; ++rate) {
    rows.push_back({"report rate pill", 1, 34 + rate, nullptr,
                    [rate](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.usbRate, rate); }});
    rows.push_back({"report rate dot", 1, 38 + rate, [](SettingsRecord& s) { s.usbRate = 3; },
                    [rate](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.usbRate, rate); }});
  }
  runRows(rows, LayoutTable::Advanced);
}

TEST(MainWindowClicks, LightingPageItemsChangeTheirSettings) {
  std::vector<ClickRow> rows;
  for (int c = 0; c < 7; ++c) {
    rows.push_back({"colour switch toggles its cycle colour", 3, 7 + c,
                    [](SettingsRecord& s) { s.cycleColorEnable = {1, 1, 1, 1, 1, 1, 1}; },
                    [c](const SettingsRecord& b, const SettingsRecord& a) {
                      EXPECT_EQ(a.cycleColorEnable[c] != 0, b.cycleColorEnable[c] == 0);
                    }});
  }
  rows.push_back({"user colours switch", 3, 14, nullptr, [](const SettingsRecord& b, const SettingsRecord& a) {
                    EXPECT_EQ(a.ledUserColorEnable != 0, b.ledUserColorEnable == 0);
                  }});
  rows.push_back({"symmetry switch", 3, 45, nullptr, [](const SettingsRecord& b, const SettingsRecord& a) {
                    EXPECT_EQ(a.ledSymmetry != 0, b.ledSymmetry == 0);
                  }});
  for (int d = 0; d < 3; ++d) {
    rows.push_back({"direction", 3, 47 + d, [](SettingsRecord& s) { s.ledDirection = 3; },
                    [d](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.ledDirection, d); }});
  }
  rows.push_back({"fourth direction in mode 3", 3, 50, [](SettingsRecord& s) { s.ledType = 3, s.ledDirection = 0; },
                  [](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.ledDirection, 3); }});
  rows.push_back({"fourth direction is inert in mode 0", 3, 50,
                  [](SettingsRecord& s) { s.ledType = 0, s.ledDirection = 1; },
                  [](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.ledDirection, 1); }});
  rows.push_back({"brightness bar in constant mode", 3, 40, [](SettingsRecord& s) { s.ledType = 2, s.ledBrightness = 0; },
                  [](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.ledBrightness, 3); }});
  rows.push_back({"brightness bar is inert when off", 3, 40, [](SettingsRecord& s) { s.ledType = 9, s.ledBrightness = 1; },
                  [](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.ledBrightness, 1); }});
  rows.push_back({"speed bar in cycle mode", 3, 41, [](SettingsRecord& s) { s.ledType = 1, s.ledCycleTime = 0; },
                  [](const SettingsRecord&, const SettingsRecord& a) { EXPECT_GT(a.ledCycleTime, 0); }});
  rows.push_back({"speed bar is inert in constant mode", 3, 41,
                  [](SettingsRecord& s) { s.ledType = 2, s.ledCycleTime = 1; },
                  [](const SettingsRecord&, const SettingsRecord& a) { EXPECT_EQ(a.ledCycleTime, 1); }});
  constexpr int kReactionKey[] = {0, 1, 2, 3, 4, 5, 7};
  for (int k = 0; k < 7; ++k) {
    rows.push_back({"reaction switch of the current profile", 3, 51 + k, nullptr,
                    [k, key = kReactionKey[k]](const SettingsRecord& b, const SettingsRecord& a) {
                      const auto p = static_cast<std::size_t>(b.currentProfile);
                      EXPECT_EQ(a.ledReactEnable[p][key] != 0, b.ledReactEnable[p][key] == 0) << "switch " << k;
                    }});
  }
  runRows(rows, LayoutTable::Led);
}

TEST(MainWindowClicks, ProfileTabsSelectSlotsZeroTwoAndThreeAndWriteNothing) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  const std::string fileBefore = test::readFile(f.context().paths.configFile);
  constexpr int kSlot[] = {0, 2, 3};
  for (int tab = 3; tab >= 1; --tab) {
    f.clickItem(LayoutTable::Main, 10 + tab);
    EXPECT_EQ(f.record().currentProfile, kSlot[tab - 1]);
  }
  EXPECT_EQ(test::readFile(f.context().paths.configFile), fileBefore);
}

TEST(MainWindowClicks, PageStripShowsEachPageAndTheNameFieldsLiveOnlyOnTheMainPage) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  ASSERT_NE(f.window().profileNameEdit(1), nullptr);
  for (int page : {1, 3, 2, 0, 3, 0}) {
    f.showPage(page);
    EXPECT_EQ(f.window().page(), page);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.window().profileNameEdit(2) != nullptr, page == 0) << "page " << page;
  }
}

TEST(MainWindowClicks, ButtonCalloutsOpenTheFunctionMenuBelowThemAfterTheLeftClickWarning) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  // Only button 1 clicks left in the shipped settings: its own menu asks first.
  f.clickItem(LayoutTable::Main, 20);
  EXPECT_EQ(f.popups().warnings, 1);
  ASSERT_EQ(f.popups().opened.size(), 1u);
  const LayoutItem& callout = f.item(LayoutTable::Main, 20);
  const PopupRequest expected{PopupKind::ButtonFunctions, callout.x + 1, callout.y + callout.height, callout.width + 1};
  EXPECT_EQ(f.popups().opened[0].request, expected);
  EXPECT_EQ(f.popups().opened[0].selectedButton, 0);

  f.popups().warningAnswer = WarningAnswer::Cancel;
  f.clickItem(LayoutTable::Main, 20);
  EXPECT_EQ(f.popups().warnings, 2);
  EXPECT_EQ(f.popups().opened.size(), 1u) << "a cancelled warning opens no menu";

  f.clickItem(LayoutTable::Main, 23);
  EXPECT_EQ(f.popups().warnings, 2) << "another button's menu needs no warning";
  ASSERT_EQ(f.popups().opened.size(), 2u);
  EXPECT_EQ(f.popups().opened[1].selectedButton, 3);
}

TEST(MainWindowClicks, LightingModeItemOpensTheModeMenu) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  f.showPage(3);
  f.clickItem(LayoutTable::Led, 35);
  ASSERT_EQ(f.popups().opened.size(), 1u);
  const LayoutItem& item = f.item(LayoutTable::Led, 35);
  const PopupRequest expected{PopupKind::LedModes, item.x, item.y + item.height, item.width};
  EXPECT_EQ(f.popups().opened[0].request, expected);
}

TEST(MainWindowClicks, ApplySendsTheSettingsAndSavesThem) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  f.showPage(1);
  f.clickItem(LayoutTable::Advanced, 70 + 11);  // level 0 to the top step
  f.clickItem(LayoutTable::Main, 3);
  EXPECT_TRUE(f.window().applying());
  ASSERT_TRUE(f.waitForApply());
  EXPECT_FALSE(f.window().applying());
  EXPECT_GE(f.mouse().imagesEnded(), 1);
  EXPECT_EQ(ProfileFile(f.context().paths.configFile).readInt("ShareData", "DPI_SET0", 5), 11);
}

TEST(MainWindowClicks, HideAndRevertBringsBackTheSavedSlot) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  f.showPage(1);
  const uint8_t saved = f.record().dpiValue[0];
  f.clickItem(LayoutTable::Advanced, 70 + (saved == 4 ? 5 : 4));
  ASSERT_NE(f.record().dpiValue[0], saved);
  f.clickItem(LayoutTable::Main, 2);
  EXPECT_EQ(f.record().dpiValue[0], saved);
  EXPECT_FALSE(f.window().isVisible() && !f.window().isMinimized());
}

TEST(MainWindowClicks, ProfileNameFieldsKeepTheNameRules) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  QLineEdit* edit = f.window().profileNameEdit(1);
  ASSERT_NE(edit, nullptr);
  edit->setText(QStringLiteral("Shooter"));
  EXPECT_EQ(f.record().profileName[0], "Shooter");
  EXPECT_EQ(ProfileFile(f.context().paths.configFile).readString("Init", "ConfigName1_EN", "", 15), "Shooter");
  EXPECT_EQ(ProfileFile(f.context().paths.configFile).readString("Init", "ConfigName1", "", 15), "Perfil 1");
  edit->setText(QStringLiteral("Elevenchars"));
  EXPECT_EQ(edit->text(), QStringLiteral("Shooter"));
  edit->setText(QString());
  EXPECT_EQ(edit->text(), QStringLiteral("Shooter"));
  EXPECT_EQ(f.record().profileName[0], "Shooter");
}

TEST(MainWindowClicks, ImportExportAndFactoryResetThroughTheirItems) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  test::ScratchDir out;
  const std::filesystem::path exported = out / "mine.ini";
  f.window().setFileChooser([&](FileDialogKind) { return QString::fromStdString(exported.string()); });
  f.clickItem(LayoutTable::Main, 15);
  ASSERT_TRUE(std::filesystem::exists(exported));
  EXPECT_EQ(test::readFile(exported), test::readFile(f.context().paths.configFile));

  // Reset: the factory values come back into memory and the file.
  f.showPage(1);
  f.clickItem(LayoutTable::Advanced, 81);
  f.clickItem(LayoutTable::Main, 3);
  ASSERT_TRUE(f.waitForApply());
  ASSERT_EQ(ProfileFile(f.context().paths.configFile).readInt("ShareData", "DPI_SET0", 5), 11);
  f.showPage(0);
  f.clickItem(LayoutTable::Main, 16);
  EXPECT_EQ(f.record().dpiValue[0], 1);
  EXPECT_EQ(ProfileFile(f.context().paths.configFile).readInt("ShareData", "DPI_SET0", 5), 1);

  // Import brings the exported file back.
  f.clickItem(LayoutTable::Main, 14);
  EXPECT_EQ(test::readFile(f.context().paths.configFile), test::readFile(exported));
  EXPECT_TRUE(f.messages().empty()) << f.messages().front();
}

TEST(MainWindowClicks, LanguageItemsSwitchAndReloadTheLanguagesTexts) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  QSignalSpy spy(&f.window(), &COrvik_VOrozoDlg::languageChanged);
  f.clickItem(LayoutTable::Main, 4);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(f.record().language, 0);
  EXPECT_EQ(f.window().profileNameEdit(1)->text(), QStringLiteral("Perfil 1"));
  EXPECT_EQ(f.context().library.groupNames[0], "Escritório");
  EXPECT_EQ(ProfileFile(f.context().paths.configFile).readInt("Init", "VER_SEL", 5), 0);
  f.clickItem(LayoutTable::Main, 5);
  EXPECT_EQ(f.record().language, 1);
  EXPECT_EQ(f.window().profileNameEdit(1)->text(), QStringLiteral("Profile 1"));
  EXPECT_EQ(f.context().library.groupNames[0], "Office");
}

}  // namespace
}  // namespace tarvosk
