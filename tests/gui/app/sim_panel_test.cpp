#include "app/sim_panel.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "device/simulated_mouse.h"

namespace tarvosk {
namespace {

using Report = std::vector<uint8_t>;

class SimPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_connection = m_mouse.open(m_mouse.enumerate().front().path);
    ASSERT_NE(m_connection, nullptr);
    m_panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_panel));
  }

  // The input reports the panel queued, first three bytes each (ID, kind, state).
  std::vector<Report> queuedInput() {
    std::vector<Report> reports;
    std::array<uint8_t, 64> buffer{};
    while (m_connection->readInput(buffer, 0, nullptr) > 0) reports.push_back({buffer[0], buffer[1], buffer[2]});
    return reports;
  }

  static void click(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  }

  SimulatedMouse m_mouse;
  std::shared_ptr<HidConnection> m_connection;
  SimPanel m_panel{m_mouse};
};

TEST_F(SimPanelTest, TheWindowIsTheVirtualMouse) {
  EXPECT_EQ(m_panel.windowTitle(), QStringLiteral("Virtual mouse"));
  EXPECT_TRUE(m_panel.isWindow());
}

TEST_F(SimPanelTest, ClickingEachButtonPressesAndReleasesThatButton) {
  for (int button = 1; button <= SimPanel::kPanelButtons; ++button) {
    click(m_panel.buttonControl(button));
    const uint8_t kind = static_cast<uint8_t>(0xF0 + button);
    EXPECT_EQ(queuedInput(), (std::vector<Report>{{6, kind, 0x00}, {6, kind, 0x80}})) << "button " << button;
  }
}

TEST_F(SimPanelTest, HoldKeepsAButtonDownUntilClickedAgain) {
  QPushButton* hold = m_panel.holdControl(4);
  click(hold);
  EXPECT_EQ(queuedInput(), (std::vector<Report>{{6, 0xF4, 0x00}}));
  EXPECT_FALSE(m_panel.buttonControl(4)->isEnabled()) << "a held button cannot be pressed again";
  click(m_panel.buttonControl(2));  // other buttons still work meanwhile
  EXPECT_EQ(queuedInput(), (std::vector<Report>{{6, 0xF2, 0x00}, {6, 0xF2, 0x80}}));
  click(hold);
  EXPECT_EQ(queuedInput(), (std::vector<Report>{{6, 0xF4, 0x80}}));
  EXPECT_TRUE(m_panel.buttonControl(4)->isEnabled());
}

TEST_F(SimPanelTest, DpiStepsPressTheDpiButtonWithTheNewLevel) {
  click(m_panel.dpiUpControl());
  click(m_panel.dpiUpControl());
  click(m_panel.dpiDownControl());
  EXPECT_EQ(queuedInput(),
            (std::vector<Report>{
                {6, 0xF6, 0x81}, {6, 0xF6, 0x80}, {6, 0xF6, 0x82}, {6, 0xF6, 0x80}, {6, 0xF6, 0x81}, {6, 0xF6, 0x80}}));
  EXPECT_EQ(m_panel.dpiLevel(), 1);

  m_panel.dpiButtonControl()->setValue(3);
  click(m_panel.dpiDownControl());
  click(m_panel.dpiDownControl());  // already at the lowest level: the press repeats level 0
  EXPECT_EQ(queuedInput(), (std::vector<Report>{{6, 0xF3, 0x80}, {6, 0xF3, 0x80}, {6, 0xF3, 0x80}, {6, 0xF3, 0x80}}));
}

TEST_F(SimPanelTest, DpiStepsFollowTheProgramsDpiCommandAndSkipDisabledLevels) {
  // The program sets level 2 with levels 0, 1 and 3 enabled.
  const std::array<uint8_t, 8> command = {7, 0x49, 2, 0, 0b1011, 0, 0, 0};
  ASSERT_TRUE(m_connection->setFeature(command));
  click(m_panel.dpiUpControl());
  click(m_panel.dpiDownControl());
  EXPECT_EQ(queuedInput(), (std::vector<Report>{{6, 0xF6, 0x83}, {6, 0xF6, 0x80}, {6, 0xF6, 0x81}, {6, 0xF6, 0x80}}));
}

TEST_F(SimPanelTest, BallisticStepsAskForTheirDirection) {
  click(m_panel.ballisticUpControl());
  click(m_panel.ballisticDownControl());
  EXPECT_EQ(queuedInput(), (std::vector<Report>{{6, 0x01, 0x00}, {6, 0x02, 0x00}}));
}

TEST_F(SimPanelTest, ChoosingAProfileSwitchesTheMouseAndTellsTheProgram) {
  EXPECT_TRUE(m_panel.profileControl(0)->isChecked());
  m_panel.profileControl(2)->click();
  EXPECT_EQ(m_mouse.activeProfile(), 2);
  EXPECT_EQ(queuedInput(), (std::vector<Report>{{6, 0x03, 0x00}}));
  EXPECT_TRUE(m_panel.profileControl(2)->isChecked());
  m_panel.profileControl(1)->click();
  EXPECT_EQ(m_mouse.activeProfile(), 1);
  EXPECT_EQ(queuedInput(), (std::vector<Report>{{6, 0x03, 0x00}}));
}

TEST_F(SimPanelTest, APressOfAProfileSwitchKeyShowsTheProfileTheMouseMovedTo) {
  // Key 2 (button 3) of slot 0 holds the switch to slot 2 (device code 25), written through the
  // mouse's block protocol: stage the byte at 0x0A, say how many, commit.
  for (const std::array<uint8_t, 8>& r : {std::array<uint8_t, 8>{7, 0x18, 0x03, 0x00, 0x0A, 0x00, 25, 0x00},
                                          std::array<uint8_t, 8>{7, 0x18, 0x09, 0x00, 0x0A, 0x00, 0x00, 0x00},
                                          std::array<uint8_t, 8>{7, 0x18, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00}}) {
    ASSERT_TRUE(m_connection->setFeature(r));
  }
  ASSERT_EQ(m_mouse.memoryAt(0x0A), 25);
  click(m_panel.buttonControl(3));
  EXPECT_EQ(m_mouse.activeProfile(), 2);
  EXPECT_TRUE(m_panel.profileControl(2)->isChecked());
  EXPECT_EQ(queuedInput(), (std::vector<Report>{{6, 0xF3, 0x00}, {6, 0xF3, 0x80}}));
}

TEST_F(SimPanelTest, UnplugMakesTheMouseFailAndIsAnnouncedOnce) {
  QSignalSpy unplugged(&m_panel, &SimPanel::unplugged);
  click(m_panel.buttonControl(1));
  click(m_panel.unplugControl());
  EXPECT_EQ(unplugged.count(), 1);
  EXPECT_TRUE(m_panel.isUnplugged());

  const std::array<uint8_t, 8> report = {7, 0x20, 0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(m_connection->setFeature(report)) << "reports fail from now on";
  std::array<uint8_t, 8> input{};
  EXPECT_EQ(m_connection->readInput(input, 0, nullptr), -1) << "a waiting reader is told the mouse went away";

  // Nothing can be pressed on a mouse that is gone, and it cannot be unplugged twice.
  EXPECT_FALSE(m_panel.buttonControl(1)->isEnabled());
  EXPECT_FALSE(m_panel.dpiUpControl()->isEnabled());
  EXPECT_FALSE(m_panel.unplugControl()->isEnabled());
}

}  // namespace
}  // namespace tarvosk
