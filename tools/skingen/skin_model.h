#pragma once
// The one description the skin generator works from: every item of every page and popup with
// its place, its role (which decides how its three looks are painted) and its captions in both
// languages. Layout files and images are both written from it, so they always agree.

#include <QColor>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

namespace skingen {

// How an item looks in its normal, over and down images.
enum class Role {
  Button,         // push button
  AccentButton,   // the apply button
  Tab,            // page tab
  WindowButton,   // hide / quit glyph buttons (glyph: Minimise or Close)
  Pill,           // small toggle pill (language, report rate)
  Logo,           // the program's emblem in the header
  ProfileTab,     // profile tab with a number badge and a name field
  Callout,        // button-function box beside the mouse drawing (badge number)
  IconButton,     // button with an icon on its left (glyph)
  Dropdown,       // opens a menu: a chevron on its right
  Checkbox,       // on/off switch with a box on its left
  Bar,            // slider: normal is the empty track, down the full one
  Marker,         // position marker under a DPI bar
  Radio,          // round choice indicator
  Lamp,           // level indicator light
  Swatch,         // colour swatch (colour)
  ColourChip,     // colour cycle switch (colour)
  Direction,      // lighting direction button (glyph)
  Record,         // record / stop switch
  WarningChoice,  // a choice of the warning window: light, so its red caption reads well
  Message,        // the warning's message: a light strip under red text
  Label,          // text only: the same in every look
  Tag,            // text on a quiet plate (values, reaction kinds): the same in every look
  Region,         // an area blanked with the null image: drawn as a group frame
};

enum class Glyph {
  None,
  Minimise,
  Close,
  Import,
  Export,
  Reset,
  Link,
  Sun,
  Speed,
  ArrowRight,
  ArrowLeft,
  Bounce,
  Outward,
  Plus,
  Minus,
  Chevron,
  Active,
};

struct Item {
  int index = 0;
  QRect rect;
  Role role = Role::Label;
  QString en;    // English caption
  QString pt;    // second-language caption
  QString note;  // free text of the layout line, for whoever edits the file
  Glyph glyph = Glyph::None;
  int badge = 0;             // number drawn on profile tabs and callouts
  QColor colour;             // swatches and chips
  bool captionFree = false;  // item with no caption in the layout (the program writes it)
};

// A framed area of a page that holds controls; purely decorative.
struct Panel {
  QRect rect;
  bool inset = false;  // a dark well for a child control (edit field, list)
};

enum class PageId { Main, Advanced, Macro, Led };

struct Page {
  PageId id;
  QString imagePrefix;  // "main", "advanced", "mac", "led"
  std::vector<Item> items;
  std::vector<Panel> panels;
};

struct Rect4 {
  QRect rect;
  QString note;
};

struct MenuSet {
  QString prefix;  // "menu", "menu1", "more", "Macro_menu"
  int width = 0;
  int rowHeight = 0;
  int rows = 15;  // rows in the mask (15, or 3 for "more")
  bool writeMask = true;
  QColor rowFill;          // normal row colour
  bool groupRows = false;  // macro group rows carry a folder mark
};

struct Skin {
  QSize windowSize;
  int cornerRadius = 0;
  std::vector<Item> strip;    // main items 0..10, on every page
  std::array<Page, 4> pages;  // main (items 11..28), advanced, macro, LED
  std::vector<Item> warning;  // warning window items 0..2
  QSize warningSize;
  std::array<QString, 48> functionNamesEn;  // 1..47
  std::array<QString, 48> functionNamesPt;
  std::array<Rect4, 3> mainEdit;
  std::array<Rect4, 3> macroEdit;
  std::array<Rect4, 4> macroDisplay;  // 1..3
  std::vector<MenuSet> menus;
  // LED items blanked by the null image (49, 50, 71..75).
  std::vector<int> ledNullItems;
};

// The shipped skin.
Skin shippedSkin();

const Page& page(const Skin& skin, PageId id);

}  // namespace skingen
