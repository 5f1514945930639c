#include "window/menu_resources.h"

#include "platform/text.h"
#include "settings/language.h"

namespace tarvosk {

namespace {

MenuEntry item(std::string text, int32_t id) { return {std::move(text), id, {}}; }
MenuEntry separator() { return {}; }
MenuEntry submenu(std::string text, std::vector<MenuEntry> children) {
  return {std::move(text), kMenuSubmenuId, std::move(children)};
}

// The labels of one language's context menu; the press and release labels of each button carry
// the padding the menus have always had.
struct EditLabels {
  const char* insertBefore;
  const char* insertAfter;
  const char* left;
  const char* right;
  const char* middle;
  // press/release per submenu: before left, right, middle; after left, right, middle.
  const char* press[6];
  const char* release;
  const char* insertXy;
  const char* insertCpi;
  const char* cpiSet;
  const char* cpiReset;
  const char* insertLed;
  const char* insertDelay;
  const char* changeParameters;
  const char* modifyDelay;
  const char* deleteEvent;
};

std::vector<MenuEntry> buttonItems(const EditLabels& l, int slot, int32_t pressId, int32_t releaseId) {
  return {item(l.press[slot], pressId), item(l.release, releaseId)};
}

std::vector<MenuEntry> editMenu(const EditLabels& l) {
  return {
      submenu(l.insertBefore, {submenu(l.left, buttonItems(l, 0, kCmdBeforeLeftPress, kCmdBeforeLeftRelease)),
                               submenu(l.right, buttonItems(l, 1, kCmdBeforeRightPress, kCmdBeforeRightRelease)),
                               submenu(l.middle, buttonItems(l, 2, kCmdBeforeMiddlePress, kCmdBeforeMiddleRelease))}),
      submenu(l.insertAfter, {submenu(l.left, buttonItems(l, 3, kCmdAfterLeftPress, kCmdAfterLeftRelease)),
                              submenu(l.right, buttonItems(l, 4, kCmdAfterRightPress, kCmdAfterRightRelease)),
                              submenu(l.middle, buttonItems(l, 5, kCmdAfterMiddlePress, kCmdAfterMiddleRelease))}),
      submenu(l.insertXy, {item("X-,Y-", kCmdInsertXyMinusMinus), item("X-,Y+", kCmdInsertXyMinusPlus),
                           item("X+,Y-", kCmdInsertXyPlusMinus), item("X+,Y+", kCmdInsertXyPlusPlus)}),
      submenu(l.insertCpi, {item(l.cpiSet, kCmdInsertCpiSet), item(l.cpiReset, kCmdInsertCpiReset)}),
      item(l.insertLed, kCmdInsertLed),
      item(l.insertDelay, kCmdInsertDelay),
      item(l.changeParameters, kCmdChangeParameters),
      item(l.modifyDelay, kCmdModifyDelay),
      item(l.deleteEvent, kCmdDeleteEvent),
  };
}

const EditLabels kEditEnglish = {
    "Insert before    ", "Insert after",       "Left button ",
    "Right button  ",    "Middle button  ",    {"Press", "Press", "Press", "Press", "Press", "Press"},
    "Release",           "Insert XY   ",       "Insert CPI",
    "Set up CPI",        "Reset CPI",          "Insert LED",
    "Insert [delay]",    "Change parameters ", "Modify delay",
    "Delete option",
};

const EditLabels kEditSecond = {
    "Inserir Anterior ",
    "Inserir Próximo",
    "Botão Esquerdo ",
    "Botão Direito",
    "Botão do Meio",
    {"Imprensa", "Imprensa    ", "Imprensa    ", "Imprensa  ", "Imprensa   ", "Imprensa   "},
    "Lançamento",
    "Inserir correção balística    ",
    "Insira a sensibilidade",
    "Configure a sensibilidade",
    "Reset Sensibilidade",
    "Configure Iluminação",
    "Configure Delay",
    "Mude os parâmetros",
    "Edite o Delay",
    "Excluir opção",
};

void flatten(const std::vector<MenuEntry>& menu, std::vector<OwnerDrawEntry>& out, int& ordinal) {
  for (const MenuEntry& e : menu) {
    if (static_cast<int>(out.size()) >= kOwnerDrawMaxEntries) return;
    OwnerDrawEntry entry{e.text, e.id, -1};
    if (e.id > 0) entry.ordinal = ordinal++;
    out.push_back(std::move(entry));
    if (e.isSubmenu()) flatten(e.children, out, ordinal);
  }
}

}  // namespace

const std::vector<MenuEntry>& menuResource(int resource) {
  static const std::vector<MenuEntry> kEditEn = editMenu(kEditEnglish);
  static const std::vector<MenuEntry> kEditPt = editMenu(kEditSecond);
  static const std::vector<MenuEntry> kTrayEn = {item("Show Window", kCmdShowWindow), separator(),
                                                 item("Exit Driver", kCmdExitDriver)};
  static const std::vector<MenuEntry> kTrayPt = {item("Mostrar Janela", kCmdShowWindowSecond), separator(),
                                                 item("Sair do Driver", kCmdExitDriverSecond)};
  static const std::vector<MenuEntry> kNone;
  switch (resource) {
    case kEditMenuEnglish: return kEditEn;
    case kEditMenuSecond: return kEditPt;
    case kTrayMenuEnglish: return kTrayEn;
    case kTrayMenuSecond: return kTrayPt;
    default: return kNone;
  }
}

int editMenuResource(int32_t language) { return isEnglish(language) ? kEditMenuEnglish : kEditMenuSecond; }
int trayMenuResource(int32_t language) { return isEnglish(language) ? kTrayMenuEnglish : kTrayMenuSecond; }

bool isShowWindowCommand(int32_t id) { return id == kCmdShowWindow || id == kCmdShowWindowSecond; }
bool isExitDriverCommand(int32_t id) { return id == kCmdExitDriver || id == kCmdExitDriverSecond; }

std::vector<OwnerDrawEntry> ownerDrawEntries(const std::vector<MenuEntry>& menu) {
  std::vector<OwnerDrawEntry> out;
  int ordinal = 0;
  flatten(menu, out, ordinal);
  return out;
}

int ownerDrawItemWidth(const std::string& text) { return 8 * static_cast<int>(utf16Length(text)); }
int ownerDrawItemHeight(bool separator) { return separator ? 1 : 20; }

MenuRgb ownerDrawItemFill() { return {0, 120, 153}; }

MenuRgb ownerDrawGradientRow(int y, int top, int height) {
  constexpr MenuRgb kStart{0, 0, 255};
  constexpr MenuRgb kEnd{0, 255, 255};
  if (height <= 0) return kStart;
  const auto step = [height](int start, int end) {
    return static_cast<int>(static_cast<float>(end - start) / static_cast<float>(height));
  };
  const int d = y - top;
  return {(kStart.red + step(kStart.red, kEnd.red) * d) & 0xFF,
          (kStart.green + step(kStart.green, kEnd.green) * d) & 0xFF,
          (kStart.blue + step(kStart.blue, kEnd.blue) * d) & 0xFF};
}

}  // namespace tarvosk
