#pragma once
// The apply: the whole settings record, the macro area, the DPI state and the end of the image
// go to the mouse; the desktop pointer speeds are set and the four profile slots saved.
//
//   record --prepareUpload--> translation --buildSettingsImage / planMacroArea--> blocks
//          --ReportChannel--> mouse;  record --saveSlot--> config.ini
//
// A mouse that stops answering (unplugged mid-apply) is not written to any further, but the
// settings are still saved and the user is told plainly that the mouse did not take them.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "device/macro_area.h"
#include "device/settings_image.h"
#include "platform/prompter.h"

namespace tarvosk {

class MacroSource;
class PointerSettings;
class ReportChannel;
struct SettingsStore;

inline constexpr std::string_view kMouseDidNotTakeSettingsMessage =
    "The mouse did not take the settings: it stopped answering while they were being sent. "
    "Your settings are saved on this computer. Check that the mouse is plugged in, then apply again.";
inline constexpr std::string_view kMacroNotSavedMessage =
    "The macro being edited could not be saved to its group file, so the mouse got the version saved before.";
inline constexpr std::string_view kSettingsNotSavedMessage =
    "Your settings could not be saved to the configuration file. Check that its folder can be written to.";

// What one upload leaves for the next one and for the listener. Read and written under the
// settings store's lock.
struct UploadState {
  uint8_t lastLedMode = 0;        // the lighting mode last sent (ledType 9 sends it again)
  CorrectionPlaces correction{};  // where key 0's macro of each slot lives (ballistic step)
};

struct UploadContext {
  SettingsStore& store;
  ReportChannel& channel;
  MacroSource& macros;
  PointerSettings& pointer;
  Prompter& prompter;
  UploadState& state;
  std::filesystem::path configFile;
  uint8_t statusNibble = 0;           // bits 0-3 of status byte 7, read at start-up
  std::function<void()> stopPreview;  // optional: the main page's preview stops at an apply
  std::function<void()> repaint;      // optional: the window repaints from the record
};

enum class UploadResult {
  Completed,
  MacroAreaAborted,  // the macros did not fit (or could not be encoded); nothing after them was sent or saved
  MouseFailed,       // a report failed: sending stopped, the settings were still saved
  SaveFailed,        // everything was sent, but the configuration file or the edited macro could not be written
};

// The whole apply, holding the store's lock throughout: status query (macro memory size), macro
// write-back, CurConfig, slot 1 cleared, translation (dangling user macros set to 0), cycle mask,
// the image blocks, the macro area, the DPI command, end of image, pointer speeds, slots 0..3 saved,
// repaint. Messages (overflow, "Error!", mouse failure, save failure) go to the prompter.
UploadResult uploadSettings(UploadContext& context);

}  // namespace tarvosk
