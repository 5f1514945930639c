#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/text.h"
#include "window/menu_resources.h"
#include "window/popup_macro_names.h"

namespace tarvosk {
namespace {

std::vector<int32_t> commandIds(const std::vector<MenuEntry>& menu) {
  std::vector<int32_t> ids;
  for (const OwnerDrawEntry& e : ownerDrawEntries(menu)) {
    if (e.id > 0) ids.push_back(e.id);
  }
  return ids;
}

TEST(MenuResources, EditMenusOfBothLanguagesCarryTheSameCommandsInOrder) {
  const std::vector<int32_t> expected = {32807, 32808, 32809, 32810, 32850, 32851, 32813, 32814,
                                         32815, 32816, 32847, 32848, 32791, 32792, 32793, 32794,
                                         32797, 32798, 32799, 32803, 32804, 32805, 32806};
  EXPECT_EQ(commandIds(menuResource(kEditMenuEnglish)), expected);
  EXPECT_EQ(commandIds(menuResource(kEditMenuSecond)), expected);
  EXPECT_EQ(editMenuResource(1), kEditMenuEnglish);
  EXPECT_EQ(editMenuResource(0), kEditMenuSecond);
  EXPECT_EQ(trayMenuResource(1), kTrayMenuEnglish);
  EXPECT_EQ(trayMenuResource(0), kTrayMenuSecond);
  EXPECT_TRUE(menuResource(100).empty());
}

TEST(MenuResources, SecondLanguageLabelsKeepTheirPadding) {
  const auto& menu = menuResource(kEditMenuSecond);
  ASSERT_EQ(menu.size(), 9u);
  EXPECT_EQ(menu[0].text, "Inserir Anterior ");
  EXPECT_EQ(menu[0].children[1].text, "Botão Direito");
  EXPECT_EQ(menu[0].children[1].children[0].text, "Imprensa    ");
  EXPECT_EQ(menu[1].children[0].children[0].text, "Imprensa  ");
  EXPECT_EQ(menu[1].children[2].children[1].text, "Lançamento");
  EXPECT_EQ(menu[2].text, "Inserir correção balística    ");
  EXPECT_EQ(menu[8].text, "Excluir opção");
  EXPECT_EQ(menuResource(kEditMenuEnglish)[6].text, "Change parameters ");
}

TEST(MenuResources, TrayMenusShowAndLeaveWithTheirLanguagesIds) {
  EXPECT_EQ(commandIds(menuResource(kTrayMenuEnglish)), (std::vector<int32_t>{32801, 32800}));
  EXPECT_EQ(commandIds(menuResource(kTrayMenuSecond)), (std::vector<int32_t>{32837, 32838}));
  EXPECT_EQ(menuResource(kTrayMenuEnglish)[0].text, "Show Window");
  EXPECT_EQ(menuResource(kTrayMenuEnglish)[2].text, "Exit Driver");
  EXPECT_TRUE(isShowWindowCommand(32837) && isShowWindowCommand(32801) && !isShowWindowCommand(32800));
  EXPECT_TRUE(isExitDriverCommand(32838) && isExitDriverCommand(32800) && !isExitDriverCommand(32801));
}

TEST(OwnerDrawnMenu, EntriesAreDepthFirstWithCommandOrdinals) {
  const auto entries = ownerDrawEntries(menuResource(kEditMenuEnglish));
  // 9 top items, 2 x (3 headers + 6 commands), 4 moves, 2 CPI items.
  ASSERT_EQ(entries.size(), 9u + 18u + 4u + 2u);
  EXPECT_EQ(entries[0].id, kMenuSubmenuId);  // "Insert before"
  EXPECT_EQ(entries[1].id, kMenuSubmenuId);  // "Left button", right after its header
  EXPECT_EQ(entries[2].id, 32807);
  EXPECT_EQ(entries[2].ordinal, 0);
  EXPECT_EQ(entries[3].ordinal, 1);
  EXPECT_EQ(entries[0].ordinal, -1);
  EXPECT_EQ(entries.back().id, 32806);
  EXPECT_EQ(entries.back().ordinal, 22);
  const auto tray = ownerDrawEntries(menuResource(kTrayMenuEnglish));
  ASSERT_EQ(tray.size(), 3u);
  EXPECT_EQ(tray[1].id, kMenuSeparatorId);
  EXPECT_EQ(tray[2].ordinal, 1);
}

TEST(OwnerDrawnMenu, AMenuOfMoreThanFiftyItemsKeepsTheFirstFifty) {
  std::vector<MenuEntry> big;
  for (int i = 0; i < 30; ++i) big.push_back({"a", 100 + i, {}});
  big.push_back({"sub", kMenuSubmenuId, std::vector<MenuEntry>(30, MenuEntry{"b", 7, {}})});
  const auto entries = ownerDrawEntries(big);
  ASSERT_EQ(static_cast<int>(entries.size()), kOwnerDrawMaxEntries);
  EXPECT_EQ(entries[30].text, "sub");
  EXPECT_EQ(entries.back().text, "b");
}

TEST(OwnerDrawnMenu, ItemSizesFollowTheCharacterRule) {
  EXPECT_EQ(ownerDrawItemWidth("Delete event"), 96);  // 12 characters
  EXPECT_EQ(ownerDrawItemWidth("Lançamento"), 80);    // characters, not bytes
  EXPECT_EQ(ownerDrawItemHeight(false), 20);
  EXPECT_EQ(ownerDrawItemHeight(true), 1);
}

TEST(OwnerDrawnMenu, SelectedGradientStepsFromBlueTowardsCyan) {
  EXPECT_EQ(ownerDrawItemFill(), (MenuRgb{0, 120, 153}));
  // 18 rows: the green step is 255 / 18 = 14.17, truncated to 14.
  EXPECT_EQ(ownerDrawGradientRow(5, 5, 18), (MenuRgb{0, 0, 255}));
  EXPECT_EQ(ownerDrawGradientRow(6, 5, 18), (MenuRgb{0, 14, 255}));
  EXPECT_EQ(ownerDrawGradientRow(22, 5, 18), (MenuRgb{0, 238, 255}));
  // One row: the step is the whole distance; later rows wrap within 8 bits as the rule keeps them.
  EXPECT_EQ(ownerDrawGradientRow(1, 0, 1), (MenuRgb{0, 255, 255}));
  EXPECT_EQ(ownerDrawGradientRow(2, 0, 1), (MenuRgb{0, 254, 255}));
  EXPECT_EQ(ownerDrawGradientRow(3, 3, 0), (MenuRgb{0, 0, 255}));
}

TEST(PopupMacroNamesTest, NamesAreTakenPerGroupAndDamagedCountsClipped) {
  MacroLibrary lib;
  lib.groupCount = 3;
  lib.groupNames = {"Office", "Gaming", "Empty"};
  lib.macroCounts = {2, 99, 0};
  lib.macroNames[0][0] = "Copy";
  lib.macroNames[0][1] = "Paste";
  lib.currentGroup = 1;
  const PopupMacroNames n = popupMacroNames(lib, 4);
  EXPECT_EQ(n.groupNames, (std::vector<std::string>{"Office", "Gaming", "Empty"}));
  ASSERT_EQ(n.macroNames.size(), 3u);
  EXPECT_EQ(n.macroNames[0], (std::vector<std::string>{"Copy", "Paste"}));
  EXPECT_EQ(n.macroNames[1].size(), 20u);
  EXPECT_TRUE(n.macroNames[2].empty());
  EXPECT_EQ(n.currentGroup, 1);
  EXPECT_EQ(n.currentMacro, 4);
  lib.groupCount = 50;
  EXPECT_EQ(popupMacroNames(lib, 0).groupNames.size(), 12u);
}

}  // namespace
}  // namespace tarvosk
