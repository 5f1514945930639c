#pragma once
// What one repaint of the main window draws: the current page's three images and, in order,
// every copy from the over, down and null looks, every solid fill, frame and caption. The plan
// is decided here from the settings, the layout tables and the hover state; the window's painter
// only executes it, measuring text and nothing else.
//
// Every value taken from the settings record is treated as untrusted: an index read from a
// hand-edited file or reported by the mouse never reaches past a table, and a bar never fills
// more than its item.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/settings_record.h"
#include "skin/layout_item.h"
#include "skin/skin_layout.h"
#include "window/hover.h"

namespace tarvosk {

// The item under the pointer in each layout table (kNoItem = none). Until the pointer first
// moves over the window, strip item 0 counts as hovered.
using PaintHover = HoverIndices;

enum class PaintPage { Main = 0, Advanced = 1, Macro = 2, Led = 3 };
enum class PaintSource { Over, Down, Null };
// The layout table an operation's item belongs to (the page strip is in the main table).
enum class PaintTable { Main, Advanced, Macro, Led };

struct PaintRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const PaintRect&) const = default;
};

struct PaintColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const PaintColor&) const = default;
};

inline constexpr PaintColor kCaptionColor{255, 255, 255};
inline constexpr PaintColor kHoverColor{1, 255, 246};

// Copy `rect` of the source look to the same place of the composition.
struct CopyItemOp {
  PaintTable table = PaintTable::Main;
  int item = 0;
  PaintSource source = PaintSource::Over;
  PaintRect rect;
};

// Copy the left part of a bar from the down look: rect.width = item width × numerator /
// denominator (multiplied first, truncated). numerator is clamped to 0..denominator.
struct CopyBarOp {
  PaintTable table = PaintTable::Main;
  int item = 0;
  int32_t numerator = 0;
  int32_t denominator = 1;
  PaintRect rect;
};

// Fill `rect` with a solid colour (the user colours of the lighting page).
struct FillRectOp {
  PaintTable table = PaintTable::Main;
  int item = 0;
  PaintRect rect;
  PaintColor color;
};

// Outline `rect` with lines of `lineWidth` pixels drawn inside it.
struct FrameRectOp {
  PaintTable table = PaintTable::Main;
  int item = 0;
  PaintRect rect;
  PaintColor color;
  int32_t lineWidth = 2;
};

enum class CaptionFont { Normal, Large };
enum class CaptionAlign {
  Centred,               // centred in the item
  LeftInset5,            // 5 px right of the left edge, vertically centred
  LeftInset2,            // 2 px right of the left edge, vertically centred
  CentredLeft3,          // 3 px left of centre, vertically centred
  CentredInWidthLess30,  // centred within the item's width less 30 px, vertically centred
};

// Draw `text` (UTF-8) with a transparent background, placed by captionPosition.
struct CaptionOp {
  PaintTable table = PaintTable::Main;
  int item = 0;
  std::string text;
  PaintRect anchor;
  CaptionFont font = CaptionFont::Normal;
  PaintColor color = kCaptionColor;
  CaptionAlign align = CaptionAlign::Centred;
};

using PaintOp = std::variant<CopyItemOp, CopyBarOp, FillRectOp, FrameRectOp, CaptionOp>;

inline constexpr std::string_view kNullImageName = "led_null.jpg";

struct PaintPlan {
  PaintPage page = PaintPage::Main;
  std::string normalImage;  // "main_normal.jpg", "advanced_normal.jpg", …
  std::string overImage;
  std::string downImage;
  bool needsNullImage = false;  // some operation copies from kNullImageName
  std::vector<PaintOp> ops;     // in drawing order, after the normal image
};

// The name of a user macro, (group, index) counted from 0; empty when there is none.
using UserMacroNameFn = std::function<std::string(int group, int index)>;

struct PaintInput {
  PaintInput(const SettingsRecord& settingsRecord, const SkinLayout& layoutTables)
      : settings(settingsRecord), layout(layoutTables) {}

  const SettingsRecord& settings;  // also gives the language and the current page
  const SkinLayout& layout;
  PaintHover hover{};
  bool buttonHeld = false;
  bool recording = false;
  std::optional<int> playMode;    // of the macro shown on the macro page; none: no macro
  UserMacroNameFn userMacroName;  // may be empty: user macros then show no name
  int previewColor = -1;          // colour index 0..6 the lighting preview shows; -1 none
};

PaintPlan buildPaintPlan(const PaintInput& input);

// The page a currentPage value shows; values other than 1..3 show the main page.
PaintPage paintPageOf(uint8_t currentPage);

// File name of one of a page's looks: "<main|advanced|mac|led>_<look>.jpg".
std::string pageImageName(PaintPage page, std::string_view look);

struct CaptionPlacement {
  int32_t x = 0;  // top-left corner of the text's cell
  int32_t y = 0;
  bool draw = false;
  bool operator==(const CaptionPlacement&) const = default;
};

// Where a caption of the measured size goes in `anchor`; divisions truncate. Nothing is drawn
// for an anchor without area (a missing layout key).
CaptionPlacement captionPosition(const PaintRect& anchor, CaptionAlign align, int32_t textWidth, int32_t textHeight);

// The caption of a button assigned function `code`: a function name (codes 19..21 name the
// profile tabs), a built-in macro's name, or a user macro's name; empty for unknown codes.
std::string buttonFunctionCaption(const SettingsRecord& settings, const SkinLayout& layout, int32_t code,
                                  const UserMacroNameFn& userMacroName);

}  // namespace tarvosk
