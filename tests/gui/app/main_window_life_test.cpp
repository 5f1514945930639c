// The window's life: what it paints under the pointer, leaving, the mouse going away, a mouse
// that is not there at start, and an apply that runs while the window goes on painting.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <chrono>

#include "device/report_channel.h"
#include "skin/skin_images.h"
#include "window_fixture.h"

namespace tarvosk {
namespace {

using test::WindowFixture;

QImage skinImage(const WindowFixture& f, const char* name) {
  return loadSkinImage(QString::fromStdString((f.skins() / name).string())).convertToFormat(QImage::Format_RGB32);
}

// The share of pixels of `rect` in which `frame` equals `image` (within a small tolerance for
// the alpha pass).
double sameShare(const QImage& frame, const QImage& image, const QRect& rect) {
  const QImage a = frame.convertToFormat(QImage::Format_RGB32);
  int same = 0;
  int all = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = image.pixel(x, y);
      ++all;
      if (std::abs(qRed(p) - qRed(q)) <= 2 && std::abs(qGreen(p) - qGreen(q)) <= 2 && std::abs(qBlue(p) - qBlue(q)) <= 2) {
        ++same;
      }
    }
  }
  return all ? double(same) / all : 0.0;
}

QRect rectOf(const LayoutItem& item) { return QRect(item.x, item.y, item.width, item.height); }

TEST(MainWindowPainting, HoveredAndPressedItemsShowTheirOverAndDownArtwork) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  f.showPage(1);
  const LayoutItem& selector = f.item(LayoutTable::Advanced, 62);  // level 3's selector, not the active one
  f.hover(f.centre(LayoutTable::Advanced, 62));
  QImage frame = f.window().grab().toImage();
  // Captions sit on top of the artwork; most of the item is bare plate.
  EXPECT_GT(sameShare(frame, skinImage(f, "advanced_over.jpg"), rectOf(selector)), 0.8);
  EXPECT_LT(sameShare(frame, skinImage(f, "advanced_normal.jpg"), rectOf(selector)), 0.5);

  QTest::mousePress(&f.window(), Qt::LeftButton, Qt::NoModifier, f.centre(LayoutTable::Advanced, 62));
  frame = f.window().grab().toImage();
  EXPECT_GT(sameShare(frame, skinImage(f, "advanced_down.jpg"), rectOf(selector)), 0.8);
  QTest::mouseRelease(&f.window(), Qt::LeftButton, Qt::NoModifier, f.centre(LayoutTable::Advanced, 62));
}

TEST(MainWindowPainting, BarsShowTheirValueAndValueCaptionsAreReplaced) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  f.showPage(1);
  ASSERT_TRUE(f.window().changeSettings([](SettingsRecord& s) { s.pointerSpeed = 5, s.fireTime = 300; }));
  f.hover(QPoint(5, 590));  // nothing under the pointer
  const QImage frame = f.window().grab().toImage();
  const LayoutItem& bar = f.item(LayoutTable::Advanced, 1);
  const QRect left(bar.x, bar.y, bar.width / 2 - 2, bar.height);
  const QRect right(bar.x + bar.width / 2 + 2, bar.y, bar.width / 2 - 4, bar.height);
  EXPECT_GT(sameShare(frame, skinImage(f, "advanced_down.jpg"), left), 0.95);
  EXPECT_GT(sameShare(frame, skinImage(f, "advanced_normal.jpg"), right), 0.95);
  const LayoutItem& fire = f.item(LayoutTable::Advanced, 31);
  EXPECT_GT(sameShare(frame, skinImage(f, "advanced_down.jpg"), rectOf(fire)), 0.95);
  // The value caption "300ms" is drawn over the value well.
  EXPECT_LT(sameShare(frame, skinImage(f, "advanced_normal.jpg"), rectOf(f.item(LayoutTable::Advanced, 32))), 0.97);
}

TEST(MainWindowLife, LeavingSendsTheLeaveCommandOnceAndEndsTheWindow) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  f.mouse().clearReceived();
  QSignalSpy left(&f.window(), &COrvik_VOrozoDlg::left);
  f.clickItem(LayoutTable::Main, 1);  // quit
  EXPECT_EQ(left.count(), 1);
  EXPECT_TRUE(f.window().leaving());
  const auto sent = f.mouse().sentFeatureReports();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0][0], 7);
  EXPECT_EQ(sent[0][1], 0x20);
  EXPECT_EQ(sent[0][2], 0x00);
  EXPECT_EQ(sent[0][3], 0x00);
  EXPECT_TRUE(f.mouse().leaveReceived());
}

TEST(MainWindowLife, OurMouseGoingAwayEndsTheProgramSilentlyAndOthersChangeNothing) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  QSignalSpy left(&f.window(), &COrvik_VOrozoDlg::left);
  f.window().deviceRemoved(QStringLiteral("/dev/hidraw-not-ours"));
  EXPECT_EQ(left.count(), 0);
  f.mouse().clearReceived();
  f.window().deviceRemoved(QString::fromStdString(f.context().device.devicePath));
  EXPECT_EQ(left.count(), 1);
  EXPECT_TRUE(f.mouse().sentFeatureReports().empty()) << "nothing is sent to a mouse that is gone";
  EXPECT_TRUE(f.messages().empty());
}

TEST(MainWindowLife, WithoutAMouseTheUserIsToldAndTheProgramEnds) {
  test::ScratchDir dir;
  std::filesystem::copy(TARVOSK_RUNTIME_SKINS_DIR, dir / "skins", std::filesystem::copy_options::recursive);
  WindowOptions options;
  options.skinsFolder = dir / "skins";
  options.simulate = true;
  AppContext context(options);
  // A transport that lists nothing: no mouse is plugged in.
  struct EmptyTransport : HidTransport {
    std::vector<HidInterfaceInfo> enumerate() override { return {}; }
    std::shared_ptr<HidConnection> open(const std::string&) override { return nullptr; }
  };
  context.transport = std::make_unique<EmptyTransport>();
  context.simulatedMouse = nullptr;
  COrvik_VOrozoDlg window(context);
  std::vector<QString> messages;
  window.prompter().setPresenter([&](const QString& text) { messages.push_back(text); });
  EXPECT_FALSE(window.initialise());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], QStringLiteral("Please plug-in【Tarvosk】USB Mouse"));
  EXPECT_TRUE(window.leaving());
}

TEST(MainWindowLife, DuringAnApplyTheWindowPaintsAndIgnoresSettingChanges) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  f.showPage(1);
  const SettingsRecord before = f.record();
  ASSERT_TRUE(f.window().apply());
  ASSERT_TRUE(f.window().applying());
  EXPECT_FALSE(f.window().apply()) << "a second apply waits for the first";
  // Painting never waits for the settings lock the upload holds.
  const auto start = std::chrono::steady_clock::now();
  const QImage frame = f.window().grab().toImage();
  EXPECT_FALSE(frame.isNull());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  // A click that would change a setting changes nothing until the apply has ended.
  f.clickItem(LayoutTable::Advanced, 70 + (before.dpiValue[0] == 7 ? 8 : 7));
  EXPECT_FALSE(f.window().changeSettings([](SettingsRecord& s) { s.fireTime = 123; }));
  ASSERT_TRUE(f.waitForApply());
  EXPECT_EQ(f.record().dpiValue[0], before.dpiValue[0]);
  EXPECT_NE(f.record().fireTime, 123);
  // Changing pages still worked while it ran.
  f.showPage(3);
  EXPECT_EQ(f.window().page(), 3);
}

TEST(MainWindowLife, TheUploadsMessagesAppearOnTheWindowsThreadWhileTheWorkerWaits) {
  WindowFixture f;
  ASSERT_TRUE(f.initialised());
  f.mouse().failFrom(3);  // the mouse stops answering a few reports into the apply
  ASSERT_TRUE(f.window().apply());
  ASSERT_TRUE(f.waitForApply());
  ASSERT_EQ(f.messages().size(), 1u);
  EXPECT_EQ(f.messages()[0], kMouseDidNotTakeSettingsMessage);
}

TEST(MainWindowLife, AConfigurationWithoutAnyKnownKeyIsNotSentUntilAResetGivesRealSettings) {
  WindowFixture f([](const std::filesystem::path& skins) {
    test::writeFile(skins / "config" / "config.ini", "[Nothing]\nhere=1\n");
  });
  ASSERT_TRUE(f.initialised());
  ASSERT_FALSE(f.messages().empty());
  EXPECT_NE(f.messages().back().find("holds none of the settings' keys"), std::string::npos);
  f.mouse().clearReceived();
  EXPECT_FALSE(f.window().apply());
  EXPECT_TRUE(f.mouse().sentFeatureReports().empty()) << "zeros never reach the mouse";
  f.clickItem(LayoutTable::Main, 16);  // factory reset
  EXPECT_TRUE(f.window().apply());
  ASSERT_TRUE(f.waitForApply());
  EXPECT_GE(f.mouse().imagesEnded(), 1);
}

}  // namespace
}  // namespace tarvosk
