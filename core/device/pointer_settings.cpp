#include "device/pointer_settings.h"

#include "settings/settings_rules.h"

namespace tarvosk {

PointerSpeedsApplied applyPointerSpeeds(const SettingsRecord& s, PointerSettings& desktop) {
  PointerSpeedsApplied applied;
  if (desktop.pointerSpeed()) applied.pointerSpeed = desktop.setPointerSpeed(desktopPointerSpeed(s.pointerSpeed));
  if (desktop.wheelScrollLines()) applied.wheelLines = desktop.setWheelScrollLines(desktopWheelLines(s.wheelSpeed));
  return applied;
}

}  // namespace tarvosk
