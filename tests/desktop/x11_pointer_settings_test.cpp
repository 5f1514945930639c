// The X server's pointer acceleration through xcb, on the X server the test runs under
// (xvfb-run gives it a private Xvfb).

#include "desktop/x11_pointer_settings.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>

#include "desktop/desktop_pointer_settings.h"

namespace tarvosk {
namespace {

// What every other X client sees. Its connection stays open for the whole suite: an X server
// resets itself when its last client leaves, and refuses connections while it does.
class ServerSide : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { m_connection = xcb_connect(nullptr, nullptr); }
  static void TearDownTestSuite() { xcb_disconnect(m_connection); }
  void SetUp() override {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";
    ASSERT_EQ(xcb_connection_has_error(m_connection), 0);
    set(2, 1, 4);  // the server's defaults
  }

  struct Control {
    int numerator, denominator, threshold;
  };
  Control control() {
    auto* reply = xcb_get_pointer_control_reply(m_connection, xcb_get_pointer_control(m_connection), nullptr);
    EXPECT_NE(reply, nullptr);
    if (!reply) return {};
    const Control c{reply->acceleration_numerator, reply->acceleration_denominator, reply->threshold};
    std::free(reply);
    return c;
  }
  void set(int numerator, int denominator, int threshold) {
    xcb_change_pointer_control(m_connection, static_cast<int16_t>(numerator), static_cast<int16_t>(denominator),
                               static_cast<int16_t>(threshold), 1, 1);
    roundTrip();
  }
  void roundTrip() { std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }

  static inline xcb_connection_t* m_connection = nullptr;
};

TEST_F(ServerSide, TheServersDefaultReadsAsTheMiddleStep) {
  X11PointerSettings desktop;
  ASSERT_TRUE(desktop.available());
  EXPECT_EQ(desktop.pointerSpeed(), 10);
}

TEST_F(ServerSide, WrittenStepsReachTheServerAndKeepItsThreshold) {
  X11PointerSettings desktop;
  struct Case {
    int step;
    int numerator;
  };
  for (const Case c : {Case{1, 11}, Case{20, 40}, Case{13, 26}, Case{10, 20}}) {
    SCOPED_TRACE(c.step);
    ASSERT_TRUE(desktop.setPointerSpeed(c.step));
    const Control seen = control();
    EXPECT_EQ(seen.numerator, c.numerator);
    EXPECT_EQ(seen.denominator, 10);
    EXPECT_EQ(seen.threshold, 4);
    EXPECT_EQ(desktop.pointerSpeed(), c.step);
  }
}

TEST_F(ServerSide, WhatAnotherProgramSetReadsAsTheNearestStep) {
  X11PointerSettings desktop;
  set(3, 1, 6);
  EXPECT_EQ(desktop.pointerSpeed(), 15);
  set(1, 1, 6);
  EXPECT_EQ(desktop.pointerSpeed(), 1);
}

TEST_F(ServerSide, WheelLinesAreUnsupported) {
  X11PointerSettings desktop;
  EXPECT_EQ(desktop.wheelScrollLines(), std::nullopt);
  EXPECT_FALSE(desktop.setWheelScrollLines(5));
}

TEST_F(ServerSide, NoServerMeansUnsupported) {
  X11PointerSettings desktop(":4093");
  EXPECT_FALSE(desktop.available());
  EXPECT_EQ(desktop.pointerSpeed(), std::nullopt);
  EXPECT_FALSE(desktop.setPointerSpeed(12));
  EXPECT_EQ(control().numerator, 2);
}

TEST_F(ServerSide, AnX11SessionOutsideGnomeGetsTheServersSetting) {
  set(3, 1, 4);
  const auto backend = makeDesktopPointerSettings({"XFCE", "x11", true, false});
  EXPECT_EQ(backend->pointerSpeed(), 15);
  ASSERT_TRUE(backend->setPointerSpeed(20));
  EXPECT_EQ(control().numerator, 40);
}

}  // namespace
}  // namespace tarvosk
