#pragma once
// What a press and a release of the left mouse button do on the main window. The window has no
// ordinary controls for its settings: every button, tab, bar and marker is an item of a layout
// table, and the stored hover indices say which one was hit. These decisions apply the setting
// changes to the record and return everything else the window must do, in the order it does it.

#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/settings_record.h"
#include "skin/skin_layout.h"
#include "window/hover.h"
#include "window/popup_request.h"

namespace tarvosk {

// Shown (and nothing else done) when a press or release is refused during a recording.
inline constexpr std::string_view kRecordingMessage = "Recording";
// Opened by the web-page item of the main page (strip item 19).
inline constexpr std::string_view kWebPageAddress = "https://tarvosk.org";

// Width of the macro group menu, which opens below the group name field.
inline constexpr int32_t kMacroGroupMenuWidth = 161;

// What the window knows at the moment of a press or release.
struct PointerInput {
  HoverIndices hover;  // the stored indices, as the last pointer move left them
  int32_t clickX = 0;  // the click point in window coordinates; the bars use its x
  int32_t clickY = 0;
  bool recording = false;  // a macro is being recorded
  bool popupOpen = false;  // one of the popup menus is open
  int macroGroupCount = 0;
  int macroListCount = 0;  // macros in the current group's list
  bool ledPreviewRunning = false;
  bool mainPreviewRunning = false;
};

// The macro operations a press on the macro page starts; the operations themselves live with
// the macro library.
enum class MacroPageAction {
  None,
  NewGroup,         // a group named "New"
  DeleteGroup,      // the current group
  ToggleRecording,  // start, or stop when running
  NewMacro,         // a macro named "New" in the current group
  DeleteMacro,      // the selected macro
  SetPlayMode,      // of the current macro, to PressOutcome::playMode
};

// What the window does after a press, in this order: end the macro lists' in-place edits; if
// refused, show kRecordingMessage and stop; set the button-held flag; close the open popup;
// destroy and create the page controls; start a preview; warn and open the popup; start the
// macro operation or the window drag; repaint.
struct PressOutcome {
  bool endListEdits = false;  // the press came on the macro page
  bool refusedRecording = false;
  bool buttonHeld = false;  // some item of some table was under the pointer
  bool closeOpenPopup = false;
  bool pageChanged = false;  // record.currentPage now names the new page
  bool destroyNameEdits = false;
  bool createNameEdits = false;
  bool destroyMacroControls = false;
  bool createMacroControls = false;
  bool startLedPreview = false;
  bool startMainPreview = false;
  std::optional<int> selectedButton;  // 0..5: the button whose function menu opens
  // Show the warning window before the popup; open the popup only when it was not cancelled.
  bool leftClickWarning = false;
  std::optional<PopupRequest> popup;
  bool windowDrag = false;  // let the system move the window from the click point
  MacroPageAction macroAction = MacroPageAction::None;
  int playMode = 0;  // with MacroPageAction::SetPlayMode: 2, 1 or 0
  // A field of the record other than currentPage changed (the window shows it; apply sends it).
  bool settingsChanged = false;
  // Empty only for a refused press. Covers the page before and after a page change.
  std::optional<RepaintArea> repaint;
};

// Decides a press of the left button on `record.currentPage` and applies its setting changes
// (settings fields, currentPage) to `record`. Reads item geometry from `layout` for the bars and
// the popup positions; every index is checked, so a hand-edited layout cannot make it misbehave.
PressOutcome decidePress(const SkinLayout& layout, const PointerInput& input, SettingsRecord& record);

// The operations a release over the page strip starts.
enum class ReleaseAction {
  None,
  HideToTray,      // item 0
  HideAndLeave,    // item 1: hide to the tray, then leave the program
  HideAndRevert,   // item 2: save the DPI level, reload the current slot from the file, hide
  Apply,           // item 3: upload and save
  SwitchLanguage,  // items 4 and 5, to ReleaseOutcome::targetLanguage
  Import,          // item 14
  Export,          // item 15
  ResetToFactory,  // item 16
  OpenWebPage,     // item 19: kWebPageAddress
};

struct ReleaseOutcome {
  bool refusedRecording = false;  // show kRecordingMessage; nothing else happens
  bool clearButtonHeld = false;
  ReleaseAction action = ReleaseAction::None;
  int32_t targetLanguage = 0;    // with SwitchLanguage: 0 second language, 1 English
  bool clearStripHover = false;  // set the stored strip hover to kNoItem (hiding actions)
  // A profile tab changed record.currentProfile; nothing is written until the next apply.
  bool profileSelected = false;
  std::optional<RepaintArea> repaint;  // empty only for a refused release
};

// Decides a release of the left button. Only a profile tab changes `record` (currentProfile).
ReleaseOutcome decideRelease(const PointerInput& input, SettingsRecord& record);

// True when opening the function menu of `button` (0..5) must warn first: the current slot is
// slot 0 and no other of its buttons carries the left click. False for any other button number.
bool needsLeftClickWarning(const SettingsRecord& record, int button);

// True when a press or release during a recording is refused: anything but the record switch
// (macro item 5), the strip's hide and quit items (0, 1) and empty space.
bool refusedWhileRecording(const HoverIndices& hover, bool recording);

}  // namespace tarvosk
