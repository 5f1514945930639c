// Writes a picture of every popup kind, level, the warning window, the about box, the in-place
// edit and the owner-drawn menus in both languages into build/screenshots/, for review.
#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QTest>

#include "popup_fixture.h"
#include "widgets/about_dlg.h"
#include "widgets/edit_helper.h"
#include "widgets/editable_list_box.h"
#include "widgets/mac_sel_menu_dlg.h"
#include "widgets/menu_dlg.h"
#include "widgets/orvik_menu.h"
#include "widgets/sub_menu_dlg.h"
#include "widgets/warning_dlg.h"

namespace tarvosk {
namespace {

QString screenshotDir() {
  const QString dir = QDir::cleanPath(QStringLiteral(TARVOSK_RUNTIME_DIR "/../screenshots"));
  QDir().mkpath(dir);
  return dir;
}

QString suffix(int32_t language) { return isEnglish(language) ? QStringLiteral("en") : QStringLiteral("pt"); }

// The open levels composed at their screen positions on a dark backdrop.
QImage composeLevels(const std::vector<QWidget*>& levels) {
  QRect bounds;
  for (QWidget* w : levels) {
    if (w != nullptr) bounds |= QRect(w->pos(), w->size());
  }
  bounds.adjust(-8, -8, 8, 8);
  QImage image(bounds.size(), QImage::Format_RGB32);
  image.fill(QColor(40, 40, 48));
  QPainter p(&image);
  for (QWidget* w : levels) {
    if (w != nullptr) p.drawPixmap(w->pos() - bounds.topLeft(), w->grab());
  }
  return image;
}

void save(const QImage& image, const QString& name) {
  ASSERT_FALSE(image.isNull()) << name.toStdString();
  EXPECT_TRUE(image.save(screenshotDir() + "/" + name)) << name.toStdString();
}

class PopupScreenshots : public ::testing::TestWithParam<int32_t> {};

TEST_P(PopupScreenshots, EveryKindWithARowLit) {
  const int32_t language = GetParam();
  test::PopupHarness h(language);
  struct Shot {
    PopupKind kind;
    int width;
    int row;
    const char* name;
  };
  const std::vector<Shot> shots = {{PopupKind::ButtonFunctions, 181, 3, "popup_kind1_functions"},
                                   {PopupKind::MacroGroups, 161, 1, "popup_kind2_groups"},
                                   {PopupKind::MacroFileMenu, 238, 2, "popup_kind3_file"},
                                   {PopupKind::LedModes, 200, 4, "popup_kind4_led_modes"},
                                   {PopupKind::LedEventMode, 150, 2, "popup_kind6_event_mode"},
                                   {PopupKind::LedEventColor, 150, 3, "popup_kind7_event_colour"},
                                   {PopupKind::LedEventProgram, 150, 5, "popup_kind8_step_count"}};
  for (const Shot& s : shots) {
    ASSERT_TRUE(h.controller->open({s.kind, 0, 0, s.width}, QPoint(100, 80), 0));
    test::movePointer(h.controller->menu(), h.controller->menu()->rowCentre(s.row));
    save(composeLevels({h.controller->menu()}), QString("%1_%2.png").arg(s.name, suffix(language)));
  }
  // The function menu with each second level, and the groups with a group's macros.
  for (int row : {7, 8, 10, 11}) {
    ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 0, 0, 181}, QPoint(100, 80), 0));
    test::movePointer(h.controller->menu(), h.controller->menu()->rowCentre(row));
    test::movePointer(h.controller->subMenu(), h.controller->subMenu()->rowCentre(2));
    save(composeLevels({h.controller->menu(), h.controller->subMenu()}),
         QString("popup_kind1_row%1_%2.png").arg(row).arg(suffix(language)));
  }
  ASSERT_TRUE(h.controller->open({PopupKind::ButtonFunctions, 0, 0, 181}, QPoint(100, 80), 0));
  test::movePointer(h.controller->menu(), h.controller->menu()->rowCentre(9));
  test::movePointer(h.controller->subMenu(), h.controller->subMenu()->rowCentre(1));
  test::movePointer(h.controller->macroMenu(), h.controller->macroMenu()->rowCentre(2));
  save(composeLevels({h.controller->menu(), h.controller->subMenu(), h.controller->macroMenu()}),
       QString("popup_kind1_row9_macros_%1.png").arg(suffix(language)));
  h.controller->closeAll();
}

TEST_P(PopupScreenshots, WarningAboutListAndMenus) {
  const int32_t language = GetParam();
  const SkinLayout layout = test::loadLayout(language);
  WarningDlg warning(QString::fromStdString(test::kRuntimeSkins.string()), layout.warning, test::interfaceFont(), 0);
  warning.show();
  test::movePointer(&warning, warning.itemCentre(0));
  save(warning.grab().toImage(), QString("warning_%1.png").arg(suffix(language)));

  CAboutDlg about;
  about.show();
  save(about.grab().toImage(), QString("about_%1.png").arg(suffix(language)));

  QWidget holder;
  holder.resize(240, 160);
  auto* list = new CEditableListBox(&holder);
  list->setGeometry(0, 0, 240, 160);
  list->setFont(test::interfaceFont());
  for (const char* line : {"Copy", "Paste", "Cut", "Undo"}) list->addItem(line);
  holder.show();
  list->setCurrentRow(1);
  list->requestInPlaceEdit();
  save(holder.grab().toImage(), QString("list_in_place_edit_%1.png").arg(suffix(language)));

  for (int resource : {trayMenuResource(language), editMenuResource(language)}) {
    COrvikMenu menu;
    menu.setFont(test::interfaceFont());
    menu.loadResource(resource);
    menu.popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    menu.setActiveAction(menu.actions().back());
    save(menu.grab().toImage(), QString("owner_drawn_menu_%1.png").arg(resource));
    menu.close();
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, PopupScreenshots, ::testing::Values(kLanguageEnglish, kLanguageSecond),
                         [](const auto& info) { return isEnglish(info.param) ? "English" : "Second"; });

}  // namespace
}  // namespace tarvosk
