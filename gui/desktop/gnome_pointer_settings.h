#pragma once
// GNOME's pointer speed through GSettings (org.gnome.desktop.peripherals.mouse, key "speed",
// -1..1), mapped onto the 1..20 scale. GNOME has no wheel scroll lines setting: those answer
// "unsupported", so an apply leaves the wheel alone. A system without the schema answers
// "unsupported" for everything instead of aborting, as a plain GSettings lookup would.

#include <memory>
#include <string>

#include "device/pointer_settings.h"

namespace tarvosk {

class GnomePointerSettings final : public PointerSettings {
 public:
  // `schemaId` names the schema to use (the GNOME mouse schema unless a test says otherwise).
  explicit GnomePointerSettings(const std::string& schemaId = "org.gnome.desktop.peripherals.mouse");
  ~GnomePointerSettings() override;
  GnomePointerSettings(const GnomePointerSettings&) = delete;
  GnomePointerSettings& operator=(const GnomePointerSettings&) = delete;

  // True when the schema and its "speed" key exist here.
  bool available() const { return m_settings != nullptr; }

  std::optional<int> pointerSpeed() override;
  // Writes the speed and waits until the settings backend has it (g_settings_sync).
  bool setPointerSpeed(int speed) override;
  std::optional<int> wheelScrollLines() override { return std::nullopt; }
  bool setWheelScrollLines(int) override { return false; }

 private:
  struct GSettingsDeleter {
    void operator()(void* settings) const;
  };
  std::unique_ptr<void, GSettingsDeleter> m_settings;  // GSettings*, null when unavailable
};

}  // namespace tarvosk
