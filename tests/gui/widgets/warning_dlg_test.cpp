#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "popup_fixture.h"
#include "widgets/about_dlg.h"
#include "widgets/about_version.h"
#include "widgets/warning_dlg.h"
#include "window/popup_warning.h"

namespace tarvosk {
namespace {

using test::PopupHarness;

std::unique_ptr<WarningDlg> makeWarning(const SkinLayout& layout, int hovered = 0) {
  auto dlg = std::make_unique<WarningDlg>(QString::fromStdString(test::kRuntimeSkins.string()), layout.warning,
                                          test::interfaceFont(), hovered);
  dlg->show();
  return dlg;
}

TEST(WarningWindow, ChoicesByClick) {
  const SkinLayout layout = test::loadLayout(kLanguageEnglish);
  for (int choice : {kWarningFirstChoice, kWarningSecondChoice}) {
    auto dlg = makeWarning(layout);
    EXPECT_EQ(dlg->size(), QSize(360, 150));
    const QPoint at = dlg->itemCentre(choice - 1);
    test::movePointer(dlg.get(), at);
    EXPECT_EQ(dlg->hoveredChoice(), choice);
    QTest::mouseClick(dlg.get(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(dlg->result(), choice);
    EXPECT_FALSE(dlg->isVisible());
  }
}

TEST(WarningWindow, ReleaseOverTheMessageOrOutsideTheChoicesKeepsItOpen) {
  const SkinLayout layout = test::loadLayout(kLanguageEnglish);
  auto dlg = makeWarning(layout);
  for (const QPoint at : {dlg->itemCentre(2), QPoint(4, 4)}) {
    test::movePointer(dlg.get(), at);
    EXPECT_EQ(dlg->hoveredChoice(), kWarningNoChoice);
    QTest::mouseClick(dlg.get(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(dlg->isVisible());
  }
}

TEST(WarningWindow, EnterGoesOnAndEscapeCancels) {
  const SkinLayout layout = test::loadLayout(kLanguageSecond);
  struct Case {
    Qt::Key key;
    int result;
  };
  for (const Case& c : {Case{Qt::Key_Return, 1}, Case{Qt::Key_Enter, 1}, Case{Qt::Key_Escape, 2}}) {
    // Enter ends with the first choice even while the second is lit.
    auto dlg = makeWarning(layout, kWarningSecondChoice);
    QTest::keyClick(dlg.get(), c.key);
    EXPECT_EQ(dlg->result(), c.result);
    EXPECT_FALSE(dlg->isVisible());
  }
}

TEST(WarningWindow, ShownModallyBelowTheButtonAndRemembersTheLitChoice) {
  PopupHarness h(kLanguageEnglish);
  const LayoutItem& callout = h.layout.main[22];
  QPoint seenAt;
  int litAtOpen = -1;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<WarningDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    seenAt = dlg->pos();
    litAtOpen = dlg->hoveredChoice();
    test::movePointer(dlg, dlg->itemCentre(1));
    QTest::mouseClick(dlg, Qt::LeftButton, Qt::NoModifier, dlg->itemCentre(1));
  });
  EXPECT_EQ(h.controller->showWarning(&h.mainWindow, 2), kWarningSecondChoice);
  EXPECT_EQ(seenAt, h.mainWindow.mapToGlobal(QPoint(callout.x, callout.y + callout.height)));
  EXPECT_EQ(litAtOpen, 0);
  // The next warning opens with the choice last under the pointer lit; Enter still goes on.
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<WarningDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    litAtOpen = dlg->hoveredChoice();
    QTest::keyClick(dlg, Qt::Key_Return);
  });
  EXPECT_EQ(h.controller->showWarningAt(&h.mainWindow, QPoint(10, 10)), kWarningFirstChoice);
  EXPECT_EQ(litAtOpen, kWarningSecondChoice);
}

TEST(WarningWindow, CaptionsAreRedOnTheShapedWindow) {
  const SkinLayout layout = test::loadLayout(kLanguageEnglish);
  auto dlg = makeWarning(layout);
  const QImage shot = dlg->grab().toImage();
  // Somewhere in the first choice there is a red caption pixel.
  const LayoutItem& first = layout.warning[0];
  int red = 0;
  for (int y = first.y; y < first.y + first.height; ++y) {
    for (int x = first.x; x < first.x + first.width; ++x) {
      const QColor c = shot.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
    }
  }
  EXPECT_GT(red, 10);
  // The mask rounds the corners off.
  EXPECT_FALSE(dlg->mask().contains(QPoint(0, 0)));
  EXPECT_TRUE(dlg->mask().contains(QPoint(180, 75)));
}

TEST(AboutBox, ShowsNameAndVersionAndClosesWithOk) {
  CAboutDlg about;
  EXPECT_TRUE(about.nameLine().contains(programName()));
  EXPECT_TRUE(about.nameLine().contains(programVersion()));
  EXPECT_FALSE(programVersion().isEmpty());
  QTimer::singleShot(0, [] {
    QWidget* dlg = QApplication::activeModalWidget();
    ASSERT_NE(dlg, nullptr);
    QTest::keyClick(dlg, Qt::Key_Return);
  });
  EXPECT_EQ(about.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace tarvosk
