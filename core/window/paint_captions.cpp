// The captions of a repaint: which text goes on which item, in which font, colour and
// alignment, and where a measured text lands.

#include <algorithm>
#include <array>
#include <limits>

#include "macro/factory_macros.h"
#include "settings/language.h"
#include "settings/settings_rules.h"
#include "window/paint_plan.h"
#include "window/paint_plan_detail.h"

namespace tarvosk {

namespace {

using paint_detail::drawableItem;
using paint_detail::rectOf;

constexpr int kStripCaptions = 10;  // main items 0..9 carry their captions on every page
constexpr int kFirstTab = 6;
constexpr int kFirstButtonCaption = 20;
constexpr int kProfileSwitchFirst = 19;  // function codes 19..21 switch to profile tab 1..3
constexpr int kFunctionNamesEnd = 48;    // codes below this are named by the function name table

int32_t clampToInt32(int64_t v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Lighting captions emptied by each ledType 0..9 (their controls are blanked with them).
bool ledCaptionEmptied(uint8_t ledType, int item) {
  const bool directions = item >= 30 && item <= 34;
  switch (ledType) {
    case 0:
    case 6: return item == 15 || directions || item == 38;
    case 1:
    case 8: return directions || item == 38;
    case 2: return item == 15 || directions || item == 39;
    case 4:
    case 5: return item == 34;
    case 7: return item == 15 || item == 33 || item == 34 || item == 38;
    case 9: return item == 15 || directions || item == 38 || item == 39;
    default: return false;
  }
}

class CaptionBuilder {
 public:
  CaptionBuilder(const PaintInput& input, PaintPage page, PaintPlan& plan)
      : m_in(input), m_s(input.settings), m_page(page), m_plan(plan) {}

  void build() {
    const PaintTable pageTable = paint_detail::pageTable(m_page);
    const std::size_t pageItems = paint_detail::tableItems(m_in.layout, pageTable).size();
    const std::size_t count = m_page == PaintPage::Main ? kMainItemCount : kStripCaptions + pageItems;
    for (std::size_t p = 0; p < count; ++p) {
      const int position = static_cast<int>(p);
      if (m_page == PaintPage::Main || position < kStripCaptions) {
        mainCaption(position);
      } else {
        const int k = position - kStripCaptions;
        switch (m_page) {
          case PaintPage::Advanced: advancedCaption(k); break;
          case PaintPage::Macro: macroCaption(k); break;
          case PaintPage::Led: ledCaption(k); break;
          case PaintPage::Main: break;
        }
      }
    }
  }

 private:
  void add(PaintTable table, int index, std::string text, CaptionFont font, PaintColor color, CaptionAlign align) {
    if (text.empty()) return;
    const LayoutItem* item = drawableItem(m_in.layout, table, index);
    if (!item) return;
    m_plan.ops.emplace_back(CaptionOp{table, index, std::move(text), rectOf(*item), font, color, align});
  }

  const std::string& captionOf(PaintTable table, int index) const {
    return paint_detail::tableItems(m_in.layout, table)[static_cast<std::size_t>(index)].caption;
  }

  void mainCaption(int p) {
    const int selectedTab = kFirstTab + static_cast<int>(m_page);
    PaintColor color = p == m_in.hover.strip ? kHoverColor : kCaptionColor;
    if (m_page == PaintPage::Main && p >= kFirstButtonCaption && p < kFirstButtonCaption + kButtons) {
      const int slot = profileSlotIndex(m_s.currentProfile);
      const int32_t code = m_s.buttonFunction[slot][p - kFirstButtonCaption];
      add(PaintTable::Main, p, buttonFunctionCaption(m_s, m_in.layout, code, m_in.userMacroName), CaptionFont::Normal,
          color, CaptionAlign::Centred);
      return;
    }
    CaptionFont font = CaptionFont::Normal;
    if (p == selectedTab) {
      font = CaptionFont::Large;
      color = kHoverColor;
    }
    add(PaintTable::Main, p, captionOf(PaintTable::Main, p), font, color, CaptionAlign::Centred);
  }

  void advancedCaption(int k) {
    constexpr PaintTable t = PaintTable::Advanced;
    std::string text;
    switch (k) {
      case 2: text = std::to_string(m_s.pointerSpeed); break;
      case 19: text = std::to_string(m_s.wheelSpeed); break;
      case 32: text = std::to_string(m_s.fireTime) + "ms"; break;
      default: text = captionOf(t, k); break;
    }
    const bool label = k == 0 || k == 17 || k == 30 || k == 33;
    add(t, k, std::move(text), CaptionFont::Normal, kCaptionColor,
        label ? CaptionAlign::LeftInset5 : CaptionAlign::Centred);
  }

  void macroCaption(int k) {
    constexpr PaintTable t = PaintTable::Macro;
    if (k == 5) {
      const bool english = isEnglish(m_s.language);
      std::string text = m_in.recording ? (english ? "Stop" : "Parar") : (english ? "Record" : "Gravação ");
      add(t, k, std::move(text), CaptionFont::Large, kHoverColor, CaptionAlign::CentredLeft3);
    } else if (k >= 14 && k <= 16) {
      add(t, k, captionOf(t, k), CaptionFont::Normal, kCaptionColor, CaptionAlign::LeftInset2);
    } else {
      add(t, k, captionOf(t, k), CaptionFont::Large, kCaptionColor, CaptionAlign::Centred);
    }
  }

  void ledCaption(int k) {
    constexpr PaintTable t = PaintTable::Led;
    const uint8_t ledType = m_s.ledType;
    std::string text;
    if (k == 35) {
      text = ledModeCaption(m_s.language, ledType, captionOf(t, k));
    } else if (k >= 61 && k <= 66 && ledType == 8 &&
               m_s.ledReactType[profileSlotIndex(m_s.currentProfile)][k - 61] == 0) {
      // Entry 5 of the mode names is the reaction kind "Cycle breath" of the current language.
      text = ledModeNames(m_s.language)[5];
    } else if (k == 98 && ledType != 3) {
      text.clear();
    } else if (!ledCaptionEmptied(ledType, k)) {
      text = captionOf(t, k);
    }
    const bool barWithIcon = k == 40 || k == 41;
    add(t, k, std::move(text), CaptionFont::Normal, kCaptionColor,
        barWithIcon ? CaptionAlign::CentredInWidthLess30 : CaptionAlign::Centred);
  }

  const PaintInput& m_in;
  const SettingsRecord& m_s;
  PaintPage m_page;
  PaintPlan& m_plan;
};

}  // namespace

namespace paint_detail {

void appendCaptions(const PaintInput& input, PaintPage page, PaintPlan& plan) {
  CaptionBuilder(input, page, plan).build();
}

}  // namespace paint_detail

CaptionPlacement captionPosition(const PaintRect& anchor, CaptionAlign align, int32_t textWidth, int32_t textHeight) {
  if (anchor.width <= 0 || anchor.height <= 0) return {};
  const int64_t left = anchor.x;
  const int64_t centredY = anchor.y + (int64_t{anchor.height} - textHeight) / 2;
  int64_t x = left;
  switch (align) {
    case CaptionAlign::Centred: x = left + (int64_t{anchor.width} - textWidth) / 2; break;
    case CaptionAlign::LeftInset5: x = left + 5; break;
    case CaptionAlign::LeftInset2: x = left + 2; break;
    case CaptionAlign::CentredLeft3: x = left + (int64_t{anchor.width} - textWidth) / 2 - 3; break;
    case CaptionAlign::CentredInWidthLess30: x = left + (int64_t{anchor.width} - 30 - textWidth) / 2; break;
  }
  return {clampToInt32(x), clampToInt32(centredY), true};
}

std::string buttonFunctionCaption(const SettingsRecord& settings, const SkinLayout& layout, int32_t code,
                                  const UserMacroNameFn& userMacroName) {
  if (code <= 0) return {};
  if (code >= kProfileSwitchFirst && code < kProfileSwitchFirst + kProfileTabs) {
    // The table's entries 19..21 stand for the profile names; an unnamed profile keeps the entry.
    const std::string& name = settings.profileName[static_cast<std::size_t>(code - kProfileSwitchFirst)];
    if (!name.empty()) return name;
  }
  if (code < kFunctionNamesEnd) return layout.functionNames[static_cast<std::size_t>(code)];
  if (code < kFunctionFirstUserMacro) {
    const auto builtIn = static_cast<std::size_t>(code - kFunctionFirstBuiltInMacro);
    return builtIn < kBuiltInMacroNames.size() ? std::string(kBuiltInMacroNames[builtIn]) : std::string();
  }
  if (!userMacroName) return {};
  return userMacroName(code / 256 - 1, code % 256);
}

}  // namespace tarvosk
