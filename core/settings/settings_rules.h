#pragma once
// The small rules that keep the settings record's invariants when a field changes, the values
// derived from fields, and the safe table indexes for values that came from a file or the mouse.

#include <cstdint>

#include "settings/settings_record.h"

namespace tarvosk {

// Toggles the enable flag of DPI level `level` (0..3); the last enabled level stays enabled and
// an active level switched off hands over to the next enabled one. Out-of-range levels do nothing.
void toggleDpiEnable(SettingsRecord& s, int level);

// Makes `level` the active DPI level when it is enabled; otherwise nothing changes.
void selectDpiLevel(SettingsRecord& s, int level);

// Toggles cycle colour `color` (0..6); a flag is cleared only while at least two of flags 0..3 are set.
void toggleCycleColor(SettingsRecord& s, int color);

// Assigns function `code` to button `button` (0..5) of the current slot, keeping a left click on
// slot 0 (the next button takes it, or button 5 keeps it).
void assignButtonFunction(SettingsRecord& s, int button, int32_t code);

// Sets usbRate and recomputes usbRateCode and usbIntervalMs.
void setUsbRate(SettingsRecord& s, uint8_t rate);
uint8_t usbRateCodeFor(uint8_t rate);

// cycleColorMask bit i = cycleColorEnable[i].
void rebuildCycleColorMask(SettingsRecord& s);

// Screen colour of a user colour: each channel (255 - 16 * value) mod 256, red in the low byte.
uint32_t userColorRgb(int32_t red, int32_t green, int32_t blue);
void recomputeUserColorRgb(SettingsRecord& s, int color);

// The desktop pointer speed (1..20 scale) for pointerSpeed, and the wheel scroll lines for wheelSpeed.
int desktopPointerSpeed(uint8_t pointerSpeed);
int desktopWheelLines(uint8_t wheelSpeed);

// Safe table indexes. The record keeps values exactly as read or reported; these are what any
// table lookup uses, so a hand-edited file or an odd report never indexes outside a table.
int profileSlotIndex(int32_t currentProfile);  // 0..3; anything else gives 0
int dpiLevelIndex(int32_t dpiLevel);           // 0..3; anything else gives 0
int dpiStepIndex(uint8_t dpiValue);            // 0..11; larger values give the top step, 11

// The profile slot a profile tab (1..3) selects: 0, 2, 3; -1 for any other tab.
int slotForTab(int tab);

}  // namespace tarvosk
