#include "window/popup_menu.h"

#include <algorithm>
#include <cstdio>

#include "settings/language.h"

namespace tarvosk {

namespace {

constexpr int kMaskRows = 15;
constexpr int kFileMenuMaskRows = 3;
constexpr int kMaxGroupRows = 12;
constexpr int kFixedRowsLedEvent = 5;

bool validRow(int row, int rows) { return row >= 1 && row <= rows; }

int clampGroups(int groupCount) { return std::clamp(groupCount, 0, kMaxGroupRows); }

// The function name `code` (1..47), or an empty text for codes the table does not hold.
std::string functionName(const PopupTexts& texts, int code) {
  if (code >= 19 && code <= 21) return texts.profileNames[static_cast<std::size_t>(code - 19)];
  if (code < 1 || code >= static_cast<int>(texts.functionNames.size())) return {};
  return texts.functionNames[static_cast<std::size_t>(code)];
}

std::vector<std::string> functionNames(const PopupTexts& texts, int first, int count) {
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back(functionName(texts, first + i));
  return out;
}

std::vector<std::string> groupNames(const PopupTexts& texts) {
  std::vector<std::string> out = texts.groupNames;
  if (out.size() > kMaxGroupRows) out.resize(kMaxGroupRows);
  return out;
}

// The first function code of a second level, so that row i assigns first + i - 1.
int subMenuFirstCode(int firstRow) {
  switch (firstRow) {
    case 7: return 12;
    case 8: return 22;
    case 10: return 32;
    case 11: return 19;
    default: return 0;
  }
}

}  // namespace

PopupImageSet popupImages(PopupKind kind) {
  switch (kind) {
    case PopupKind::ButtonFunctions: return {"menu1_mask.jpg", "menu1_normal.jpg", "menu1_over.jpg", "menu1_down.jpg"};
    case PopupKind::MacroFileMenu: return {"more_mask.jpg", "more_normal.jpg", "more_over.jpg", "more_down.jpg"};
    default: return {"menu_mask.jpg", "menu_normal.jpg", "menu_over.jpg", "menu_down.jpg"};
  }
}

PopupImageSet subMenuImages(bool listsGroups) {
  if (listsGroups) return {"menu_mask.jpg", "Macro_menu_normal.jpg", "Macro_menu_over.jpg", "Macro_menu_down.jpg"};
  return {"menu_mask.jpg", "menu_normal.jpg", "menu_over.jpg", "menu_down.jpg"};
}

PopupImageSet macroSelImages() { return {"menu_mask.jpg", "menu_normal.jpg", "menu_over.jpg", "menu_over.jpg"}; }

int popupRowHeight(PopupKind kind, int maskHeight) {
  if (maskHeight <= 0) return 0;
  return maskHeight / (kind == PopupKind::MacroFileMenu ? kFileMenuMaskRows : kMaskRows);
}

int subMenuRowHeight(int maskHeight) { return maskHeight <= 0 ? 0 : maskHeight / kMaskRows; }

int popupRowCount(PopupKind kind, int groupCount) {
  switch (kind) {
    case PopupKind::ButtonFunctions: return kLastSubMenuRow;
    case PopupKind::MacroGroups: return clampGroups(groupCount);
    case PopupKind::MacroFileMenu: return 3;
    case PopupKind::LedModes: return 5;
    case PopupKind::LedEventMode: return 3;
    case PopupKind::LedEventColor:
    case PopupKind::LedEventProgram: return kFixedRowsLedEvent;
  }
  return 0;
}

int rowAt(int px, int py, int width, int rowHeight, int rows) {
  if (rowHeight <= 0 || px < 0 || px >= width || py < 0) return kNoRow;
  const int row = py / rowHeight + 1;
  return validRow(row, rows) ? row : kNoRow;
}

int popupHeight(int rows, int rowHeight) { return rows > 0 && rowHeight > 0 ? rows * rowHeight : 0; }

int subLevelHeight(int rows, int rowHeight) { return rows > 0 && rowHeight > 0 ? rows * rowHeight + 1 : 0; }

int centredTextX(int width, int textWidth) { return (width - textWidth) / 2; }

int rowTextX(PopupKind kind, int width, int textWidth) {
  switch (kind) {
    case PopupKind::MacroGroups: return 5;
    case PopupKind::MacroFileMenu: return 1;
    case PopupKind::LedModes: return centredTextX(width, textWidth) - 22;
    default: return centredTextX(width, textWidth);
  }
}

int rowTextY(int row, int rowHeight, int textHeight) { return (row - 1) * rowHeight + (rowHeight - textHeight) / 2; }

std::vector<std::string> popupRowTexts(PopupKind kind, const PopupTexts& texts) {
  const bool english = isEnglish(texts.language);
  switch (kind) {
    case PopupKind::ButtonFunctions: return functionNames(texts, 1, kLastSubMenuRow);
    case PopupKind::MacroGroups: return groupNames(texts);
    case PopupKind::MacroFileMenu:
      if (english) return {"Import", "Export", "Reset"};
      return {"Importar", "Exportar", "Reset"};
    case PopupKind::LedModes:
    case PopupKind::LedEventMode: {
      const auto& names = ledModeNames(texts.language);
      const int count = popupRowCount(kind, 0);
      return std::vector<std::string>(names.begin(), names.begin() + count);
    }
    case PopupKind::LedEventColor: return {english ? "cycle" : "Ciclo", "colour1", "colour2", "colour3", "colour4"};
    case PopupKind::LedEventProgram: {
      std::vector<std::string> out;
      for (int r = 1; r <= kFixedRowsLedEvent; ++r) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, english ? "Num_%d" : "插入%d个灯光", r);
        out.emplace_back(buffer);
      }
      return out;
    }
  }
  return {};
}

bool opensSubMenu(PopupKind kind, int firstRow) {
  return kind == PopupKind::ButtonFunctions && firstRow >= kFirstSubMenuRow && firstRow <= kLastSubMenuRow;
}

int subMenuRowCount(int firstRow, int groupCount) {
  switch (firstRow) {
    case 7: return 5;
    case 8: return 10;
    case 9: return clampGroups(groupCount);
    case 10: return 8;
    case 11: return 3;
    default: return 0;
  }
}

std::vector<std::string> subMenuRowTexts(int firstRow, const PopupTexts& texts) {
  if (firstRow == kGroupsSubMenuRow) return groupNames(texts);
  const int first = subMenuFirstCode(firstRow);
  if (first == 0) return {};
  return functionNames(texts, first, subMenuRowCount(firstRow, 0));
}

int subMenuOffsetRows(int firstRow, int groupCount) {
  switch (firstRow) {
    case 7: return 4;
    case 8: return 1;
    case 9: return 9 - clampGroups(groupCount);
    case 10: return 3;
    case 11: return 8;
    default: return 0;
  }
}

int32_t subMenuFunctionCode(int firstRow, int subRow) {
  const int first = subMenuFirstCode(firstRow);
  if (first == 0 || !validRow(subRow, subMenuRowCount(firstRow, 0))) return 0;
  return first + subRow - 1;
}

int32_t userMacroCode(int groupIndex, int macroIndex) { return (groupIndex + 1) * 256 + macroIndex; }

int ledTypeForRow(int row) {
  static constexpr std::array<int, 5> kTypes = {0, 1, 2, 8, 9};
  return validRow(row, 5) ? kTypes[static_cast<std::size_t>(row - 1)] : -1;
}

int ledColorForRow(int row) {
  static constexpr std::array<int, 5> kColors = {0, 1, 3, 5, 7};
  return validRow(row, 5) ? kColors[static_cast<std::size_t>(row - 1)] : -1;
}

PopupAction firstLevelRelease(PopupKind kind, int row, int groupCount) {
  using T = PopupAction::Type;
  if (!validRow(row, popupRowCount(kind, groupCount))) return {};
  switch (kind) {
    case PopupKind::ButtonFunctions:
      if (row <= kDirectFunctionRows) return {T::AssignFunction, row};
      return {};
    case PopupKind::MacroGroups: return {T::ChooseGroup, row - 1};
    case PopupKind::MacroFileMenu: return {T::MacroFile, row};
    case PopupKind::LedModes: return {T::SetLedType, ledTypeForRow(row)};
    case PopupKind::LedEventMode: return {T::LedEventValue, row - 1};
    case PopupKind::LedEventColor: return {T::LedEventValue, ledColorForRow(row)};
    case PopupKind::LedEventProgram: return {T::LedEventValue, row};
  }
  return {};
}

PopupAction subMenuRelease(int firstRow, int subRow, int groupCount) {
  if (firstRow == kGroupsSubMenuRow || !validRow(subRow, subMenuRowCount(firstRow, groupCount))) return {};
  return {PopupAction::Type::AssignFunction, subMenuFunctionCode(firstRow, subRow)};
}

PopupAction macroSelRelease(int groupIndex, int row, int macroCount) {
  if (groupIndex < 0 || groupIndex >= kMaxGroupRows) return {};
  if (!validRow(row, std::min(macroCount, kMacrosPerGroup))) return {};
  return {PopupAction::Type::AssignFunction, userMacroCode(groupIndex, row - 1)};
}

int ledEventMessage(PopupKind kind) {
  switch (kind) {
    case PopupKind::LedEventMode: return kMsgLedEventMode;
    case PopupKind::LedEventColor: return kMsgLedEventColor;
    case PopupKind::LedEventProgram: return kMsgLedEventProgram;
    default: return 0;
  }
}

bool applyLedEventChoice(LedProgram& program, PopupKind kind, int selectedLedLine, int value) {
  if (value < 0 || value > 255) return false;
  std::size_t byte = 0;
  switch (kind) {
    case PopupKind::LedEventProgram: byte = 0; break;
    case PopupKind::LedEventMode:
    case PopupKind::LedEventColor:
      if (selectedLedLine < 0 || selectedLedLine + 3 >= kLedProgramBytes) return false;
      byte = static_cast<std::size_t>(selectedLedLine + 3);
      break;
    default: return false;
  }
  program.bytes[byte] = static_cast<uint8_t>(value);
  return true;
}

}  // namespace tarvosk
