#pragma once
// The desktop's pointer speed and wheel scroll lines, which an apply sets from pointerSpeed and
// wheelSpeed. Desktops differ: a backend answers nullopt/false where its desktop has no such
// setting, and the apply then leaves it alone (each value is set only when reading it worked).

#include <optional>

#include "settings/settings_record.h"

namespace tarvosk {

class PointerSettings {
 public:
  virtual ~PointerSettings() = default;
  // The current pointer speed (1..20 scale); nullopt when it cannot be read.
  virtual std::optional<int> pointerSpeed() = 0;
  // Sets the pointer speed and makes it stick; false when the desktop refused.
  virtual bool setPointerSpeed(int speed) = 0;
  // The current wheel scroll lines; nullopt when they cannot be read.
  virtual std::optional<int> wheelScrollLines() = 0;
  // Sets the wheel scroll lines and makes them stick; false when the desktop refused.
  virtual bool setWheelScrollLines(int lines) = 0;
};

// For a desktop without these settings (and the command-line tool): nothing can be read, so
// nothing is ever changed.
class UnsupportedPointerSettings final : public PointerSettings {
 public:
  std::optional<int> pointerSpeed() override { return std::nullopt; }
  bool setPointerSpeed(int) override { return false; }
  std::optional<int> wheelScrollLines() override { return std::nullopt; }
  bool setWheelScrollLines(int) override { return false; }
};

// What applyPointerSpeeds did with each value.
struct PointerSpeedsApplied {
  bool pointerSpeed = false;
  bool wheelLines = false;
};

// Sets the desktop pointer speed from pointerSpeed (0 -> 1, n -> 2n up to 8, then 18) when the
// current speed can be read, and the wheel scroll lines to wheelSpeed + 1 when the current lines
// can be read.
PointerSpeedsApplied applyPointerSpeeds(const SettingsRecord& s, PointerSettings& desktop);

}  // namespace tarvosk
