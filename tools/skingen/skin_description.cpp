// The shipped skin: an 860 x 600 window with a header, a row of page tabs, a content area and
// a footer. Every coordinate of the program's pages and popups is set here and nowhere else.

#include <QStringList>

#include "skin_model.h"

namespace skingen {

namespace {

constexpr int kWidth = 860;
constexpr int kHeight = 600;

Item item(int index, QRect rect, Role role, QString en, QString pt, QString note) {
  Item it;
  it.index = index;
  it.rect = rect;
  it.role = role;
  it.en = std::move(en);
  it.pt = std::move(pt);
  it.note = std::move(note);
  return it;
}

Item glyphItem(int index, QRect rect, Role role, Glyph glyph, QString en, QString pt, QString note) {
  Item it = item(index, rect, role, std::move(en), std::move(pt), std::move(note));
  it.glyph = glyph;
  return it;
}

// The seven colours of the colour cycle, in the order of their switches.
const std::array<QColor, 7> kCycleColours = {QColor(255, 40, 60),  QColor(40, 230, 90), QColor(40, 110, 255),
                                             QColor(255, 220, 40), QColor(0, 230, 240), QColor(230, 60, 240),
                                             QColor(245, 245, 250)};

std::vector<Item> stripItems() {
  std::vector<Item> s;
  s.push_back(glyphItem(0, {762, 14, 36, 30}, Role::WindowButton, Glyph::Minimise, "", "", "hide to tray"));
  s.push_back(glyphItem(1, {804, 14, 36, 30}, Role::WindowButton, Glyph::Close, "", "", "quit"));
  s.push_back(item(2, {596, 550, 118, 34}, Role::Button, "Cancel", "Cancelar", "revert and hide"));
  s.push_back(item(3, {724, 550, 118, 34}, Role::AccentButton, "Apply", "Aplicar", "apply"));
  s.push_back(item(4, {640, 18, 44, 24}, Role::Pill, "PT", "PT", "second language"));
  s.push_back(item(5, {690, 18, 44, 24}, Role::Pill, "EN", "EN", "English"));
  s.push_back(item(6, {24, 64, 170, 40}, Role::Tab, "Buttons", "Botões", "main page tab"));
  s.push_back(item(7, {198, 64, 170, 40}, Role::Tab, "Advanced", "Avançado", "advanced page tab"));
  s.push_back(item(8, {372, 64, 170, 40}, Role::Tab, "Macros", "Macros", "macro page tab"));
  s.push_back(item(9, {546, 64, 170, 40}, Role::Tab, "Lighting", "Iluminação", "lighting page tab"));
  s.push_back(item(10, {22, 12, 176, 38}, Role::Logo, "", "", "emblem (no action)"));
  return s;
}

Page mainPage(const Skin& skin) {
  Page p{PageId::Main, "main", {}, {}};
  for (int k = 0; k < 3; ++k) {
    Item tab =
        item(11 + k, {36, 132 + k * 58, 232, 48}, Role::ProfileTab, "", "", QString("profile tab %1").arg(k + 1));
    tab.badge = k + 1;
    p.items.push_back(tab);
  }
  p.items.push_back(glyphItem(14, {36, 350, 232, 40}, Role::IconButton, Glyph::Import, "Import settings",
                              "Importar configurações", "import configuration file"));
  p.items.push_back(glyphItem(15, {36, 398, 232, 40}, Role::IconButton, Glyph::Export, "Export settings",
                              "Exportar configurações", "export configuration file"));
  p.items.push_back(glyphItem(16, {36, 446, 232, 40}, Role::IconButton, Glyph::Reset, "Factory reset",
                              "Restaurar padrão", "factory reset"));
  p.items.push_back(glyphItem(19, {30, 552, 210, 30}, Role::IconButton, Glyph::Link, "Project website",
                              "Site do projeto", "web page"));
  // Button-function callouts beside the mouse drawing: buttons 1..6 are items 20..25.
  const std::array<QRect, 6> callouts = {QRect(300, 150, 180, 34), QRect(650, 150, 180, 34), QRect(650, 222, 180, 34),
                                         QRect(300, 322, 180, 34), QRect(300, 250, 180, 34), QRect(650, 294, 180, 34)};
  for (int b = 0; b < 6; ++b) {
    Item c = item(20 + b, callouts[static_cast<std::size_t>(b)], Role::Callout, "", "",
                  QString("button %1 function").arg(b + 1));
    c.badge = b + 1;
    c.captionFree = true;
    p.items.push_back(c);
  }
  p.panels = {{{24, 118, 256, 190}, false}, {{24, 334, 256, 168}, false}, {{292, 118, 544, 420}, false}};
  for (const Rect4& e : skin.mainEdit) p.panels.push_back({e.rect.adjusted(-3, -3, 3, 3), true});
  return p;
}

Page advancedPage() {
  Page p{PageId::Advanced, "advanced", {}, {}};
  p.items.push_back(item(3, {36, 124, 500, 22}, Role::Label, "DPI levels (x1000)", "Níveis de DPI (x1000)", "heading"));
  // One row per DPI level: lamp, level selector, enable switch, bar and twelve markers.
  static const char* kSteps[12] = {"0.4", "0.8", "1.2", "1.6", "2.0", "2.4", "2.8", "3.6", "4.4", "5.2", "5.6", "6.0"};
  for (int k = 0; k < 4; ++k) {
    const int ry = 152 + k * 96;
    p.items.push_back(item(118 + k, {40, ry + 6, 26, 26}, Role::Lamp, "", "", QString("level %1 lamp").arg(k + 1)));
    p.items.push_back(item(60 + k, {72, ry + 2, 116, 34}, Role::Button, QString("Level %1").arg(k + 1),
                           QString("Nível %1").arg(k + 1), QString("select level %1").arg(k + 1)));
    p.items.push_back(item(47 + k, {72, ry + 44, 116, 28}, Role::Checkbox, "Enable", "Ativar",
                           QString("enable level %1").arg(k + 1)));
    // 300 pixels wide: a twelfth is 25 pixels, where the markers below sit.
    p.items.push_back(item(66 + k, {224, ry + 10, 300, 18}, Role::Bar, "", "", QString("level %1 DPI").arg(k + 1)));
    for (int j = 0; j < 12; ++j) {
      p.items.push_back(item(70 + 12 * k + j, {224 + 25 * j, ry + 36, 25, 22}, Role::Marker, kSteps[j], kSteps[j],
                             QString("level %1 step %2").arg(k + 1).arg(j)));
    }
  }
  // Speeds: bars 180 pixels wide, the width the slider's end rules were made for.
  struct Speed {
    int label, bar, value, y;
    const char* en;
    const char* pt;
    const char* valueText;
  };
  const Speed speeds[] = {{0, 1, 2, 128, "Pointer speed", "Velocidade do ponteiro", "5"},
                          {17, 18, 19, 192, "Scroll speed", "Velocidade de rolagem", "3"},
                          {30, 31, 32, 256, "Fire key interval", "Intervalo de disparo", "50ms"}};
  for (const Speed& s : speeds) {
    p.items.push_back(item(s.label, {572, s.y, 250, 22}, Role::Label, s.en, s.pt, "label"));
    p.items.push_back(item(s.bar, {576, s.y + 28, 180, 16}, Role::Bar, "", "", "slider"));
    p.items.push_back(item(s.value, {762, s.y + 24, 62, 24}, Role::Tag, s.valueText, s.valueText, "value"));
  }
  p.items.push_back(item(33, {572, 318, 250, 22}, Role::Label, "Report rate", "Taxa de relatório", "label"));
  static const char* kRates[4] = {"125 Hz", "250 Hz", "500 Hz", "1000 Hz"};
  for (int r = 0; r < 4; ++r) {
    const int y = 346 + r * 44;
    p.items.push_back(item(38 + r, {580, y + 7, 20, 20}, Role::Radio, "", "", QString("rate %1 dot").arg(r)));
    p.items.push_back(item(34 + r, {608, y, 140, 34}, Role::Pill, kRates[r], kRates[r], QString("rate %1").arg(r)));
  }
  p.panels = {{{24, 118, 524, 420}, false}, {{560, 118, 276, 420}, false}};
  return p;
}

Page macroPage(const Skin& skin) {
  Page p{PageId::Macro, "mac", {}, {}};
  p.items.push_back(item(14, {40, 126, 200, 20}, Role::Label, "Macro group", "Grupo de macros", "label"));
  p.items.push_back(glyphItem(1, {250, 148, 32, 30}, Role::Dropdown, Glyph::Chevron, "", "", "group menu"));
  p.items.push_back(glyphItem(2, {44, 186, 116, 32}, Role::IconButton, Glyph::Plus, "New", "Novo", "new group"));
  p.items.push_back(
      glyphItem(3, {166, 186, 116, 32}, Role::IconButton, Glyph::Minus, "Delete", "Excluir", "delete group"));
  p.items.push_back(glyphItem(4, {44, 226, 238, 32}, Role::Dropdown, Glyph::Chevron, "Import / Export",
                              "Importar / Exportar", "group file menu"));
  p.items.push_back(item(15, {40, 270, 200, 20}, Role::Label, "Macros", "Macros", "label"));
  p.items.push_back(glyphItem(6, {44, 484, 116, 32}, Role::IconButton, Glyph::Plus, "New", "Novo", "new macro"));
  p.items.push_back(
      glyphItem(7, {166, 484, 116, 32}, Role::IconButton, Glyph::Minus, "Delete", "Excluir", "delete macro"));
  p.items.push_back(item(16, {326, 126, 106, 24}, Role::Label, "Name", "Nome", "label"));
  Item record = item(5, {676, 124, 148, 34}, Role::Record, "", "", "record / stop");
  record.captionFree = true;
  p.items.push_back(record);
  p.items.push_back(item(10, {326, 168, 150, 32}, Role::Pill, "While held", "Enquanto segura", "play mode 2"));
  p.items.push_back(item(11, {482, 168, 150, 32}, Role::Pill, "Play once", "Tocar uma vez", "play mode 1"));
  p.items.push_back(item(12, {638, 168, 120, 32}, Role::Pill, "Repeat", "Repetir", "play mode 0"));
  p.items.push_back(item(18, {326, 212, 330, 22}, Role::Label, "Events", "Eventos", "label"));
  p.items.push_back(item(17, {668, 212, 156, 22}, Role::Label, "Lighting", "Iluminação", "label"));
  p.panels = {{{24, 118, 276, 420}, false}, {{312, 118, 524, 420}, false}};
  for (const Rect4& e : skin.macroEdit) p.panels.push_back({e.rect.adjusted(-3, -3, 3, 3), true});
  for (std::size_t d = 1; d < skin.macroDisplay.size(); ++d) {
    p.panels.push_back({skin.macroDisplay[d].rect.adjusted(-3, -3, 3, 3), true});
  }
  return p;
}

Page ledPage() {
  Page p{PageId::Led, "led", {}, {}};
  p.items.push_back(item(36, {44, 124, 200, 20}, Role::Label, "Lighting effect", "Efeito de luz", "label"));
  p.items.push_back(glyphItem(35, {44, 146, 200, 34}, Role::Dropdown, Glyph::Chevron, "Mode", "Modo", "lighting mode"));
  p.items.push_back(item(45, {256, 148, 164, 30}, Role::Checkbox, "Symmetry", "Simetria", "symmetry"));
  // Colour cycle group, blanked for modes without a colour cycle.
  p.items.push_back(item(75, {32, 188, 396, 114}, Role::Region, "", "", "colour group (hidden per mode)"));
  p.items.push_back(item(15, {40, 194, 380, 20}, Role::Label, "Colour cycle", "Ciclo de cores", "label"));
  for (int i = 0; i < 4; ++i) {
    Item s = item(i, {44 + i * 96, 218, 84, 34}, Role::Swatch, "", "", QString("swatch %1").arg(i + 1));
    s.colour = kCycleColours[static_cast<std::size_t>(i)];
    p.items.push_back(s);
  }
  for (int j = 0; j < 7; ++j) {
    Item c = item(7 + j, {44 + j * 54, 262, 46, 32}, Role::ColourChip, "", "", QString("cycle colour %1").arg(j + 1));
    c.colour = kCycleColours[static_cast<std::size_t>(j)];
    p.items.push_back(c);
  }
  p.items.push_back(item(14, {44, 308, 200, 28}, Role::Checkbox, "User colours", "Cores do usuário", "user colours"));
  p.items.push_back(item(72, {32, 352, 396, 64}, Role::Region, "", "", "brightness group (hidden per mode)"));
  p.items.push_back(item(38, {40, 356, 380, 18}, Role::Label, "Brightness", "Brilho", "label"));
  p.items.push_back(glyphItem(40, {44, 378, 372, 26}, Role::Bar, Glyph::Sun, "", "", "brightness"));
  p.items.push_back(item(73, {32, 432, 396, 64}, Role::Region, "", "", "speed group (hidden per mode)"));
  p.items.push_back(item(39, {40, 436, 380, 18}, Role::Label, "Speed", "Velocidade", "label"));
  p.items.push_back(glyphItem(41, {44, 458, 372, 26}, Role::Bar, Glyph::Speed, "", "", "speed"));
  // Direction group.
  p.items.push_back(item(74, {456, 124, 260, 106}, Role::Region, "", "", "direction group (hidden per mode)"));
  p.items.push_back(item(30, {464, 128, 244, 18}, Role::Label, "Direction", "Direção", "label"));
  const std::array<Glyph, 3> arrows = {Glyph::ArrowRight, Glyph::ArrowLeft, Glyph::Bounce};
  static const char* kDirEn[4] = {"Forward", "Reverse", "Bounce", "Outward"};
  static const char* kDirPt[4] = {"Avançar", "Inverter", "Vaivém", "Do centro"};
  for (int k = 0; k < 3; ++k) {
    p.items.push_back(glyphItem(47 + k, {470 + k * 80, 150, 64, 40}, Role::Direction,
                                arrows[static_cast<std::size_t>(k)], "", "", QString("direction %1").arg(k)));
    p.items.push_back(item(31 + k, {462 + k * 80, 194, 80, 18}, Role::Label, kDirEn[k], kDirPt[k], "label"));
  }
  p.items.push_back(glyphItem(50, {744, 150, 64, 40}, Role::Direction, Glyph::Outward, "", "", "direction 3"));
  p.items.push_back(item(34, {726, 194, 100, 18}, Role::Label, kDirEn[3], kDirPt[3], "label"));
  p.items.push_back(item(98, {726, 128, 100, 18}, Role::Label, "Wave", "Onda", "label (wave mode only)"));
  // Key reactions.
  p.items.push_back(item(58, {464, 246, 300, 20}, Role::Label, "Key reactions", "Reações das teclas", "label"));
  p.items.push_back(glyphItem(71, {784, 240, 34, 32}, Role::Region, Glyph::Active, "", "",
                              "reaction emblem (button response mode only)"));
  for (int k = 0; k < 6; ++k) {
    const int y = 276 + k * 38;
    p.items.push_back(item(51 + k, {464, y, 170, 32}, Role::Checkbox, QString("Button %1").arg(k + 1),
                           QString("Botão %1").arg(k + 1), QString("reaction of key %1").arg(k)));
    p.items.push_back(
        item(61 + k, {646, y, 170, 32}, Role::Tag, "Reactive", "Reativo", QString("reaction kind of key %1").arg(k)));
  }
  p.items.push_back(item(57, {464, 504, 170, 30}, Role::Checkbox, "Wheel", "Roda", "reaction of key 7"));
  p.panels = {{{24, 118, 412, 420}, false}, {{448, 118, 388, 420}, false}};
  return p;
}

void functionNames(Skin& skin) {
  const QStringList en = {"Left click",     "Right click",   "Middle click", "Back",
                          "Forward",        "DPI loop",  // 1..6
                          "Advanced",       "Multimedia",    "Macros",       "Built-in macros",
                          "Profile switch",  // 7..11
                          "Fire key",       "Double click",  "Triple click", "DPI up",
                          "DPI down",                                      // 12..16
                          "DPI lock",       "Host function",               // 17..18
                          "Profile 1",      "Profile 2",     "Profile 3",  // 19..21
                          "Home",           "Media player",  "Email",        "Volume up",
                          "Volume down",    "Previous",      "Next",         "Mute",
                          "Play/Pause",     "Calculator",  // 22..31
                          "Copy",           "Paste",         "Cut",          "Undo",
                          "Redo",           "SelectAll",     "Burst x3",     "Rapid x5",  // 32..39
                          "Save",           "Find",          "Print",        "New tab",
                          "Close tab",      "Reopen",        "Next tab",     "Prev tab"};  // 40..47
  const QStringList pt = {"Clique esquerdo", "Clique direito",   "Clique do meio",  "Voltar",        "Avançar",
                          "Ciclo de DPI",    "Avançado",         "Multimídia",      "Macros",        "Macros internas",
                          "Trocar perfil",   "Tecla de disparo", "Clique duplo",    "Clique triplo", "Aumentar DPI",
                          "Diminuir DPI",    "Travar DPI",       "Função do host",  "Perfil 1",      "Perfil 2",
                          "Perfil 3",        "Início",           "Player de mídia", "E-mail",        "Volume +",
                          "Volume -",        "Anterior",         "Próxima",         "Mudo",          "Tocar/Pausar",
                          "Calculadora",     "Copiar",           "Colar",           "Recortar",      "Desfazer",
                          "Refazer",         "Sel. tudo",        "Rajada x3",       "Rápido x5",     "Salvar",
                          "Localizar",       "Imprimir",         "Nova aba",        "Fechar aba",    "Reabrir",
                          "Próxima aba",     "Aba anterior"};
  for (int i = 0; i < 47; ++i) {
    skin.functionNamesEn[static_cast<std::size_t>(i + 1)] = en.at(i);
    skin.functionNamesPt[static_cast<std::size_t>(i + 1)] = pt.at(i);
  }
}

}  // namespace

Skin shippedSkin() {
  Skin skin;
  skin.windowSize = {kWidth, kHeight};
  skin.cornerRadius = 26;
  skin.strip = stripItems();
  for (int k = 0; k < 3; ++k) {
    skin.mainEdit[static_cast<std::size_t>(k)] = {{86, 144 + k * 58, 170, 24},
                                                  QString("name of profile tab %1").arg(k + 1)};
  }
  skin.macroEdit = {Rect4{{44, 150, 200, 26}, "group name"}, Rect4{{436, 126, 220, 26}, "macro name"},
                    Rect4{{764, 171, 58, 26}, "repeat count"}};
  skin.macroDisplay = {Rect4{}, Rect4{{44, 294, 238, 180}, "macro list"}, Rect4{{330, 238, 322, 290}, "event list"},
                       Rect4{{672, 238, 150, 290}, "lighting lines"}};
  skin.pages = {mainPage(skin), advancedPage(), macroPage(skin), ledPage()};
  skin.warningSize = {360, 150};
  skin.warning = {item(0, {38, 96, 132, 36}, Role::WarningChoice, "Continue", "Continuar", "first choice"),
                  item(1, {190, 96, 132, 36}, Role::WarningChoice, "Cancel", "Cancelar", "second choice"),
                  item(2, {16, 44, 328, 40}, Role::Message, "No other button has left click. Change it?",
                       "Nenhum outro botão tem clique esquerdo. Alterar?", "message")};
  functionNames(skin);
  // Popup sets. Row height is the mask height / 15 (the "more" set: / 3); the window width is
  // the mask width, so each set is as wide as the item that opens it.
  skin.menus = {MenuSet{"menu", 200, 24, 15, true, QColor(0, 120, 153), false},
                MenuSet{"menu1", 181, 24, 15, true, QColor(0, 120, 153), false},
                MenuSet{"more", 238, 30, 3, true, QColor(0, 120, 153), false},
                MenuSet{"Macro_menu", 200, 24, 15, false, QColor(0, 104, 140), true}};
  skin.ledNullItems = {49, 50, 71, 72, 73, 74, 75};
  return skin;
}

const Page& page(const Skin& skin, PageId id) {
  for (const Page& p : skin.pages) {
    if (p.id == id) return p;
  }
  return skin.pages[0];
}

}  // namespace skingen
