#pragma once
// The X server's core pointer acceleration through xcb, mapped onto the 1..20 scale. The server
// keeps it for its session only (nothing on disk), and X has no wheel scroll lines setting, so
// those answer "unsupported". Input drivers that do their own acceleration (libinput) ignore
// the core setting although the server stores it.

#include <memory>
#include <string>

#include "device/pointer_settings.h"

namespace tarvosk {

class X11PointerSettings final : public PointerSettings {
 public:
  // Connects to `display` (empty: $DISPLAY). Unavailable when no server answers.
  explicit X11PointerSettings(const std::string& display = {});
  ~X11PointerSettings() override;
  X11PointerSettings(const X11PointerSettings&) = delete;
  X11PointerSettings& operator=(const X11PointerSettings&) = delete;

  bool available() const { return m_connection != nullptr; }

  std::optional<int> pointerSpeed() override;
  // Sets the acceleration and leaves the threshold as it is; false when the server refused.
  bool setPointerSpeed(int speed) override;
  std::optional<int> wheelScrollLines() override { return std::nullopt; }
  bool setWheelScrollLines(int) override { return false; }

 private:
  struct ConnectionDeleter {
    void operator()(void* connection) const;
  };
  std::unique_ptr<void, ConnectionDeleter> m_connection;  // xcb_connection_t*
};

}  // namespace tarvosk
