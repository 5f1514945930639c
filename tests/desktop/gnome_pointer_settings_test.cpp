// GNOME's mouse speed through GSettings, on the in-memory backend (GSETTINGS_BACKEND=memory).

#include "desktop/gnome_pointer_settings.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "desktop/desktop_pointer_settings.h"

namespace tarvosk {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";

// What GNOME itself would see: the key read through a settings object of its own.
class GnomeSide : public ::testing::Test {
 protected:
  void SetUp() override {
    // The memory backend is chosen once per process; a test must never write the real settings.
    const char* backend = std::getenv("GSETTINGS_BACKEND");
    ASSERT_TRUE(backend && std::string(backend) == "memory") << "run with GSETTINGS_BACKEND=memory";
    ASSERT_NE(g_settings_schema_source_lookup(g_settings_schema_source_get_default(), kSchema, TRUE), nullptr)
        << "the GNOME desktop schemas (gsettings-desktop-schemas) are not installed";
    m_settings = g_settings_new(kSchema);
    g_settings_reset(m_settings, "speed");
  }
  void TearDown() override {
    if (m_settings) g_object_unref(m_settings);
  }
  double speed() const { return g_settings_get_double(m_settings, "speed"); }
  void setSpeed(double value) { ASSERT_TRUE(g_settings_set_double(m_settings, "speed", value)); }

  GSettings* m_settings = nullptr;
};

TEST_F(GnomeSide, TheNeutralDesktopSpeedReadsAsTheMiddleStep) {
  GnomePointerSettings desktop;
  ASSERT_TRUE(desktop.available());
  EXPECT_EQ(desktop.pointerSpeed(), 10);
}

TEST_F(GnomeSide, WrittenStepsReachGnomeAndReadBack) {
  GnomePointerSettings desktop;
  struct Case {
    int step;
    double gnome;
  };
  for (const Case c : {Case{20, 1.0}, Case{1, -1.0}, Case{15, 0.5}, Case{10, 0.0}, Case{4, -6.0 / 9}}) {
    SCOPED_TRACE(c.step);
    ASSERT_TRUE(desktop.setPointerSpeed(c.step));
    EXPECT_DOUBLE_EQ(speed(), c.gnome);
    EXPECT_EQ(desktop.pointerSpeed(), c.step);
  }
}

TEST_F(GnomeSide, ASpeedGnomeSetBetweenStepsReadsAsTheNearestStep) {
  GnomePointerSettings desktop;
  setSpeed(0.37);
  EXPECT_EQ(desktop.pointerSpeed(), 14);
  setSpeed(-1.0);
  EXPECT_EQ(desktop.pointerSpeed(), 1);
}

TEST_F(GnomeSide, WheelLinesAreUnsupportedSoAnApplySetsOnlyThePointer) {
  GnomePointerSettings desktop;
  EXPECT_EQ(desktop.wheelScrollLines(), std::nullopt);
  EXPECT_FALSE(desktop.setWheelScrollLines(3));

  SettingsRecord s;
  s.pointerSpeed = 9;  // the desktop's step 18
  s.wheelSpeed = 2;
  const PointerSpeedsApplied applied = applyPointerSpeeds(s, desktop);
  EXPECT_TRUE(applied.pointerSpeed);
  EXPECT_FALSE(applied.wheelLines);
  EXPECT_DOUBLE_EQ(speed(), 0.8);
}

TEST_F(GnomeSide, AMissingSchemaIsUnsupportedNotAnAbort) {
  GnomePointerSettings desktop("org.tarvosk.no-such-schema");
  EXPECT_FALSE(desktop.available());
  EXPECT_EQ(desktop.pointerSpeed(), std::nullopt);
  EXPECT_FALSE(desktop.setPointerSpeed(12));
  // A schema without a double "speed" key is no better.
  GnomePointerSettings wrongSchema("org.gnome.desktop.interface");
  EXPECT_FALSE(wrongSchema.available());
  EXPECT_DOUBLE_EQ(speed(), 0.0);
}

TEST_F(GnomeSide, AGnomeDesktopGetsTheGnomeBackendOnWaylandAndX11Alike) {
  setSpeed(0.5);
  for (const char* session : {"wayland", "x11"}) {
    SCOPED_TRACE(session);
    const auto backend = makeDesktopPointerSettings({"ubuntu:GNOME", session, false, false});
    EXPECT_EQ(backend->pointerSpeed(), 15);
  }
  // Another Wayland desktop keeps its speed elsewhere: nothing is read, so nothing is changed.
  const auto other = makeDesktopPointerSettings({"KDE", "wayland", false, true});
  EXPECT_EQ(other->pointerSpeed(), std::nullopt);
  EXPECT_FALSE(other->setPointerSpeed(3));
  EXPECT_DOUBLE_EQ(speed(), 0.5);
}

}  // namespace
}  // namespace tarvosk
