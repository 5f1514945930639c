// Checks of the skin the build generates: every item the window draws or hit-tests is there in
// both languages, inside the window, clear of its neighbours, consistent with the slider
// arithmetic; the images agree with each other and with the layout files.

#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>

#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "macro/factory_macros.h"
#include "platform/paths.h"
#include "settings/language.h"
#include "skin/skin_images.h"
#include "skin/skin_layout.h"
#include "test_support.h"

namespace tarvosk {
namespace {

const std::filesystem::path kSkins = TARVOSK_RUNTIME_SKINS_DIR;

QString skinFile(const std::string& name) { return QString::fromStdString((kSkins / name).string()); }

std::vector<int> range(int first, int last) {
  std::vector<int> v;
  for (int i = first; i <= last; ++i) v.push_back(i);
  return v;
}

std::vector<int> join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> v;
  for (const auto& p : parts) v.insert(v.end(), p.begin(), p.end());
  return v;
}

struct Table {
  const char* name;
  std::function<std::span<const LayoutItem>(const SkinLayout&)> items;
  std::vector<int> required;
};

const std::vector<Table>& tables() {
  static const std::vector<Table> kTables = {
      {"main", [](const SkinLayout& l) { return std::span<const LayoutItem>(l.main); },
       join({range(0, 16), range(19, 25)})},
      {"advanced", [](const SkinLayout& l) { return std::span<const LayoutItem>(l.advanced); },
       join({{0, 1, 2, 17, 18, 19, 30, 31, 32, 33}, range(34, 41), range(47, 50), range(60, 63), range(66, 121)})},
      {"LED", [](const SkinLayout& l) { return std::span<const LayoutItem>(l.led); },
       join({range(0, 3),
             range(7, 15),
             range(30, 35),
             {38, 39, 40, 41, 45},
             range(47, 57),
             range(61, 66),
             range(71, 75),
             {98}})},
      {"macro", [](const SkinLayout& l) { return std::span<const LayoutItem>(l.macro); },
       join({range(1, 7), range(10, 12), range(14, 16)})},
      {"warning", [](const SkinLayout& l) { return std::span<const LayoutItem>(l.warning); }, range(0, 2)},
  };
  return kTables;
}

class ShippedSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    paths = portablePaths(kSkins.parent_path(), kSkins);
    for (int32_t language : {kLanguageEnglish, kLanguageSecond}) {
      test::RecordingPrompter prompter;
      SkinLayout& layout = isEnglish(language) ? english : second;
      loadResult[isEnglish(language) ? 1 : 0] = loadAllLayouts(paths, language, prompter, layout);
      messages[isEnglish(language) ? 1 : 0] = prompter.messages;
    }
    mask = loadSkinImage(skinFile("main_mask.jpg"));
    shape = shapeFromMaskFile(skinFile("main_mask.jpg"), QSize());
  }

  static const SkinLayout& layoutOf(int32_t language) { return isEnglish(language) ? english : second; }

  static inline Paths paths;
  static inline SkinLayout english;
  static inline SkinLayout second;
  static inline std::array<LayoutLoadResult, 2> loadResult{};
  static inline std::array<std::vector<std::string>, 2> messages;
  static inline QImage mask;
  static inline SkinShape shape;
};

QRect rectOf(const LayoutItem& item) { return {item.x, item.y, item.width, item.height}; }
QRect rectOf(const LayoutRect& r) { return {r.left, r.top, r.width(), r.height()}; }

TEST_F(ShippedSkin, BothLanguagesLoadWithoutAMessage) {
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(loadResult[static_cast<std::size_t>(i)], LayoutLoadResult::Loaded);
    EXPECT_TRUE(messages[static_cast<std::size_t>(i)].empty());
  }
}

TEST_F(ShippedSkin, EveryItemTheWindowUsesExistsInBothLanguages) {
  for (int32_t language : {kLanguageEnglish, kLanguageSecond}) {
    for (const Table& table : tables()) {
      const auto items = table.items(layoutOf(language));
      for (int index : table.required) {
        EXPECT_TRUE(items[static_cast<std::size_t>(index)].hasArea())
            << table.name << " item " << index << " in language " << language;
      }
    }
    const SkinLayout& l = layoutOf(language);
    for (const LayoutRect& r : l.mainEdit) EXPECT_GT(r.width() * r.height(), 0);
    for (const LayoutRect& r : l.macroEdit) EXPECT_GT(r.width() * r.height(), 0);
    for (std::size_t k = 1; k < l.macroDisplay.size(); ++k)
      EXPECT_GT(l.macroDisplay[k].width() * l.macroDisplay[k].height(), 0);
  }
}

TEST_F(ShippedSkin, CaptionsTheWindowDrawsAreNotEmpty) {
  struct Need {
    const char* table;
    std::vector<int> items;
  };
  const std::vector<Need> needs = {{"main", range(2, 9)},
                                   {"main", range(14, 16)},
                                   {"advanced", {0, 17, 30, 33, 60, 61, 62, 63, 47, 48, 49, 50}},
                                   {"LED", join({{15, 30, 31, 32, 33, 34, 38, 39, 98}, range(51, 57), range(61, 66)})},
                                   {"macro", {2, 3, 4, 6, 7, 10, 11, 12, 14, 15, 16}},
                                   {"warning", {0, 1, 2}}};
  for (int32_t language : {kLanguageEnglish, kLanguageSecond}) {
    for (const Need& need : needs) {
      for (const Table& table : tables()) {
        if (std::string(table.name) != need.table) continue;
        for (int index : need.items) {
          EXPECT_FALSE(table.items(layoutOf(language))[static_cast<std::size_t>(index)].caption.empty())
              << need.table << " item " << index << " in language " << language;
        }
      }
    }
  }
}

TEST_F(ShippedSkin, LanguagesShareGeometryAndDifferOnlyInCaptions) {
  for (const Table& table : tables()) {
    const auto en = table.items(english);
    const auto pt = table.items(second);
    for (std::size_t i = 0; i < en.size(); ++i) {
      EXPECT_EQ(rectOf(en[i]), rectOf(pt[i])) << table.name << " item " << i;
      EXPECT_EQ(en[i].caption.empty(), pt[i].caption.empty()) << table.name << " item " << i;
    }
  }
  EXPECT_EQ(english.mainEdit, second.mainEdit);
  EXPECT_EQ(english.macroEdit, second.macroEdit);
  EXPECT_EQ(english.macroDisplay, second.macroDisplay);
  EXPECT_NE(english.main[6].caption, second.main[6].caption);
}

TEST_F(ShippedSkin, FunctionNamesAreCompleteAndInTheMenusOrder) {
  for (std::size_t k = 1; k <= kFunctionNameCount; ++k) {
    EXPECT_FALSE(english.functionNames[k].empty()) << k;
    EXPECT_FALSE(second.functionNames[k].empty()) << k;
  }
  EXPECT_EQ(english.functionNames[1], "Left click");
  const std::vector<std::string> multimedia = {"Home",     "Media player", "Email", "Volume up",  "Volume down",
                                               "Previous", "Next",         "Mute",  "Play/Pause", "Calculator"};
  for (std::size_t i = 0; i < multimedia.size(); ++i) EXPECT_EQ(english.functionNames[22 + i], multimedia[i]);
  const std::vector<std::string> macrosEn = {"Copy", "Paste",     "Cut",      "Undo",
                                             "Redo", "SelectAll", "Burst x3", "Rapid x5"};
  const std::vector<std::string> macrosPt = {"Copiar",  "Colar",     "Recortar",  "Desfazer",
                                             "Refazer", "Sel. tudo", "Rajada x3", "Rápido x5"};
  for (std::size_t i = 0; i < macrosEn.size(); ++i) {
    EXPECT_EQ(english.functionNames[32 + i], macrosEn[i]);
    EXPECT_EQ(second.functionNames[32 + i], macrosPt[i]);
  }
  // Codes 32..47 name the built-in macros the program ships.
  for (std::size_t code = 32; code <= kFunctionNameCount; ++code) {
    EXPECT_EQ(english.functionNames[code], kBuiltInMacroNames[code - 32]) << code;
  }
}

// Every item with area, and every child control, lies on opaque pixels of the window.
TEST_F(ShippedSkin, ItemsAndControlsLieInsideTheWindowShape) {
  ASSERT_TRUE(shape.fromMask);
  auto inside = [&](const QRect& r) { return QRegion(r).subtracted(shape.region).isEmpty(); };
  for (const Table& table : tables()) {
    if (std::string(table.name) == "warning") continue;
    const auto items = table.items(english);
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!items[i].hasArea()) continue;
      EXPECT_TRUE(inside(rectOf(items[i]))) << table.name << " item " << i;
    }
  }
  for (const LayoutRect& r : english.mainEdit) EXPECT_TRUE(inside(rectOf(r)));
  for (const LayoutRect& r : english.macroEdit) EXPECT_TRUE(inside(rectOf(r)));
  for (std::size_t k = 1; k < english.macroDisplay.size(); ++k) EXPECT_TRUE(inside(rectOf(english.macroDisplay[k])));
}

// What the pointer can hit on each page: the strip (0..28 on the main page) and the page's own
// table in the range the window tests. Two of them overlapping would light both at once.
TEST_F(ShippedSkin, HitTestedItemsOfAPageDoNotOverlap) {
  struct Tested {
    std::string name;
    QRect rect;
  };
  auto collect = [](const char* name, std::span<const LayoutItem> items, std::size_t count) {
    std::vector<Tested> v;
    for (std::size_t i = 0; i < count; ++i) {
      if (items[i].hasArea()) v.push_back({std::string(name) + " " + std::to_string(i), rectOf(items[i])});
    }
    return v;
  };
  std::vector<std::vector<Tested>> pages = {
      collect("main", english.main, 29),
      collect("main", english.main, 11),
      collect("main", english.main, 11),
      collect("main", english.main, 11),
  };
  auto add = [](std::vector<Tested>& to, std::vector<Tested> more) { to.insert(to.end(), more.begin(), more.end()); };
  add(pages[1], collect("advanced", english.advanced, 138));
  add(pages[2], collect("macro", english.macro, 20));
  add(pages[3], collect("LED", english.led, 71));
  // The macro page's child controls sit over the skin too.
  for (std::size_t k = 0; k < 3; ++k) pages[2].push_back({"EDIT " + std::to_string(k), rectOf(english.macroEdit[k])});
  for (std::size_t k = 1; k < 4; ++k) {
    pages[2].push_back({"MACRODISPLAY " + std::to_string(k), rectOf(english.macroDisplay[k])});
  }
  for (const auto& items : pages) {
    for (std::size_t a = 0; a < items.size(); ++a) {
      for (std::size_t b = a + 1; b < items.size(); ++b) {
        EXPECT_FALSE(items[a].rect.intersects(items[b].rect)) << items[a].name << " overlaps " << items[b].name;
      }
    }
  }
}

TEST_F(ShippedSkin, ProfileNameFieldsSitOnTheirTabs) {
  for (std::size_t k = 0; k < 3; ++k) {
    const QRect tab = rectOf(english.main[11 + k]);
    const QRect field = rectOf(english.mainEdit[k]);
    EXPECT_TRUE(tab.contains(field)) << k;
    // Room is left around the field to click the tab itself.
    EXPECT_LT(field.width() * field.height(), tab.width() * tab.height() / 2) << k;
  }
}

// The sliders turn a click offset into a value with fixed end rules; every value must be
// reachable on the shipped widths, and each DPI marker must sit where a click gives its step.
TEST_F(ShippedSkin, SliderWidthsFitTheSliderArithmetic) {
  struct Slider {
    const char* name;
    const LayoutItem& item;
    std::function<int(unsigned offset, unsigned width)> value;
    std::set<int> expected;
  };
  auto dpi = [](unsigned o, unsigned w) {
    int v = static_cast<int>(o * 12 / w);
    return (v == 10 && o >= 265) ? 11 : v;
  };
  auto speed = [](unsigned o, unsigned w) {
    int v = static_cast<int>(o * 10 / w + 1);
    return (v == 9 && o >= 160) ? 10 : v;
  };
  auto fire = [](unsigned o, unsigned w) {
    int v = static_cast<int>(o * 300 / w);
    return (v >= 298 && o >= 173) ? 300 : v;
  };
  const std::vector<Slider> sliders = {
      {"dpi 66", english.advanced[66], dpi, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {"dpi 69", english.advanced[69], dpi, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {"pointer", english.advanced[1], speed, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"wheel", english.advanced[18], speed, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"brightness",
       english.led[40],
       [](unsigned o, unsigned w) { return 6 - static_cast<int>(o * 7 / w); },
       {0, 1, 2, 3, 4, 5, 6}},
      {"led speed",
       english.led[41],
       [](unsigned o, unsigned w) { return static_cast<int>(o * 6 / w); },
       {0, 1, 2, 3, 4, 5}},
  };
  for (const Slider& s : sliders) {
    std::set<int> reached;
    const auto w = static_cast<unsigned>(s.item.width);
    for (unsigned o = 0; o < w; ++o) reached.insert(s.value(o, w));
    EXPECT_EQ(reached, s.expected) << s.name;
  }
  const auto fw = static_cast<unsigned>(english.advanced[31].width);
  EXPECT_EQ(fire(0, fw), 0);
  EXPECT_EQ(fire(fw - 1, fw), 300);
  for (int level = 0; level < 4; ++level) {
    const LayoutItem& bar = english.advanced[static_cast<std::size_t>(66 + level)];
    for (int step = 0; step < 12; ++step) {
      const LayoutItem& marker = english.advanced[static_cast<std::size_t>(70 + 12 * level + step)];
      const int centre = marker.x + marker.width / 2 - bar.x;
      ASSERT_GE(centre, 0);
      EXPECT_EQ(dpi(static_cast<unsigned>(centre), static_cast<unsigned>(bar.width)), step)
          << "level " << level << " marker " << step;
      EXPECT_GE(marker.y, bar.y + bar.height) << "markers sit below their bar";
    }
  }
}

double meanDifference(const QImage& a, const QImage& b, const QRect& r) {
  double sum = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum / (3.0 * r.width() * r.height());
}

struct PageImages {
  const char* prefix;
  std::span<const LayoutItem> (*items)(const SkinLayout&);
  std::vector<int> interactive;  // items whose three looks must differ
  std::vector<int> labels;       // items that must look the same in every look
};

const std::vector<PageImages>& pageImages() {
  static const std::vector<PageImages> kPages = {
      {"main",
       [](const SkinLayout& l) { return std::span<const LayoutItem>(l.main); },
       join({range(11, 16), range(19, 25)}),
       {}},
      {"advanced",
       [](const SkinLayout& l) { return std::span<const LayoutItem>(l.advanced); },
       join({{1, 18, 31}, range(34, 41), range(47, 50), range(60, 63), range(66, 121)}),
       {0, 2, 17, 19, 30, 32, 33}},
      {"mac",
       [](const SkinLayout& l) { return std::span<const LayoutItem>(l.macro); },
       join({range(1, 7), range(10, 12)}),
       {14, 15, 16}},
      {"led", [](const SkinLayout& l) { return std::span<const LayoutItem>(l.led); },
       join({range(7, 14), {35, 40, 41, 45}, range(47, 57)}), join({{15, 30, 31, 32, 33, 34, 38, 39}, range(61, 66)})},
  };
  return kPages;
}

TEST_F(ShippedSkin, PageImagesMatchTheMaskInSize) {
  ASSERT_FALSE(mask.isNull());
  EXPECT_EQ(mask.size(), QSize(860, 600));
  for (const PageImages& page : pageImages()) {
    for (const char* look : {"normal", "over", "down"}) {
      const QImage image = loadSkinImage(skinFile(std::string(page.prefix) + "_" + look + ".jpg"));
      ASSERT_FALSE(image.isNull()) << page.prefix << " " << look;
      EXPECT_EQ(image.size(), mask.size()) << page.prefix << " " << look;
    }
  }
  EXPECT_EQ(loadSkinImage(skinFile("led_null.jpg")).size(), mask.size());
}

TEST_F(ShippedSkin, NormalOverAndDownLooksAreClearlyDistinct) {
  for (const PageImages& page : pageImages()) {
    const QImage normal = loadSkinImage(skinFile(std::string(page.prefix) + "_normal.jpg"));
    const QImage over = loadSkinImage(skinFile(std::string(page.prefix) + "_over.jpg"));
    const QImage down = loadSkinImage(skinFile(std::string(page.prefix) + "_down.jpg"));
    const auto items = page.items(english);
    std::vector<int> interactive = page.interactive;
    // The page strip is drawn from every page's images.
    for (int i : range(0, 9)) interactive.push_back(1000 + i);
    for (int index : interactive) {
      const LayoutItem& item =
          index >= 1000 ? english.main[static_cast<std::size_t>(index - 1000)] : items[static_cast<std::size_t>(index)];
      const QRect r = rectOf(item);
      const std::string what = std::string(page.prefix) + " item " + std::to_string(index % 1000);
      EXPECT_GT(meanDifference(normal, over, r), 4.0) << what << " normal/over";
      EXPECT_GT(meanDifference(normal, down, r), 4.0) << what << " normal/down";
      EXPECT_GT(meanDifference(over, down, r), 4.0) << what << " over/down";
    }
    for (int index : page.labels) {
      const QRect r = rectOf(items[static_cast<std::size_t>(index)]);
      EXPECT_LT(meanDifference(normal, over, r), 2.0) << page.prefix << " label " << index;
    }
  }
}

TEST_F(ShippedSkin, PageStripLooksTheSameOnEveryPage) {
  for (const char* look : {"normal", "over", "down"}) {
    const QImage first = loadSkinImage(skinFile(std::string("main_") + look + ".jpg"));
    for (const char* prefix : {"advanced", "mac", "led"}) {
      const QImage other = loadSkinImage(skinFile(std::string(prefix) + "_" + look + ".jpg"));
      for (std::size_t i = 0; i <= 10; ++i) {
        EXPECT_LT(meanDifference(first, other, rectOf(english.main[i])), 2.0)
            << prefix << " " << look << " strip " << i;
      }
    }
  }
}

TEST_F(ShippedSkin, NullImageBlanksTheModeDependentControls) {
  const QImage normal = loadSkinImage(skinFile("led_normal.jpg"));
  const QImage null = loadSkinImage(skinFile("led_null.jpg"));
  for (std::size_t index : {49u, 50u, 71u, 72u, 73u, 74u, 75u}) {
    EXPECT_GT(meanDifference(normal, null, rectOf(english.led[index])), 2.0) << "LED item " << index;
  }
  // The labels emptied with a blanked group lie inside that group.
  const std::vector<std::pair<std::size_t, std::vector<std::size_t>>> groups = {
      {75, {15, 0, 1, 2, 3, 7, 8, 9, 10, 11, 12, 13}},
      {72, {38, 40}},
      {73, {39, 41}},
      {74, {30, 31, 32, 33, 47, 48, 49}}};
  for (const auto& [group, members] : groups) {
    for (std::size_t m : members) {
      EXPECT_TRUE(rectOf(english.led[group]).contains(rectOf(english.led[m]))) << m << " in " << group;
    }
  }
}

TEST_F(ShippedSkin, PopupImagesGiveTheRowsTheMenusNeed) {
  struct Set {
    const char* prefix;
    const char* maskPrefix;
    int rowsInMask;
    int widthOfOpener;
  };
  const std::vector<Set> sets = {{"menu", "menu", 15, english.led[35].width},
                                 {"menu1", "menu1", 15, english.main[20].width + 1},
                                 {"more", "more", 3, english.macro[4].width},
                                 {"Macro_menu", "menu", 15, english.led[35].width}};
  for (const Set& set : sets) {
    const QImage setMask = loadSkinImage(skinFile(std::string(set.maskPrefix) + "_mask.jpg"));
    ASSERT_FALSE(setMask.isNull()) << set.prefix;
    EXPECT_EQ(setMask.width(), set.widthOfOpener) << set.prefix;
    const int rowHeight = setMask.height() / set.rowsInMask;
    EXPECT_GE(rowHeight, 20) << set.prefix;
    for (const char* look : {"normal", "over", "down"}) {
      EXPECT_EQ(loadSkinImage(skinFile(std::string(set.prefix) + "_" + look + ".jpg")).size(), setMask.size())
          << set.prefix << " " << look;
    }
    // Popup masks only give a size: every pixel is opaque.
    const SkinShape popupShape = shapeFromMaskFile(skinFile(std::string(set.maskPrefix) + "_mask.jpg"), QSize());
    EXPECT_EQ(popupShape.region, QRegion(0, 0, setMask.width(), setMask.height())) << set.prefix;
  }
  // The group menu opens 161 pixels wide over the "menu" images.
  EXPECT_GE(loadSkinImage(skinFile("menu_mask.jpg")).width(), 161);
}

TEST_F(ShippedSkin, WarningWindowFitsItsItems) {
  const SkinShape warning = shapeFromMaskFile(skinFile("warning_mask.jpg"), QSize());
  ASSERT_TRUE(warning.fromMask);
  for (const char* look : {"normal", "over"}) {
    EXPECT_EQ(loadSkinImage(skinFile(std::string("warning_") + look + ".jpg")).size(), warning.size);
  }
  for (const SkinLayout* layout : {&english, &second}) {
    for (const LayoutItem& item : layout->warning) {
      EXPECT_TRUE(QRegion(rectOf(item)).subtracted(warning.region).isEmpty());
    }
    EXPECT_FALSE(rectOf(layout->warning[0]).intersects(rectOf(layout->warning[1])));
    EXPECT_FALSE(rectOf(layout->warning[0]).intersects(rectOf(layout->warning[2])));
    EXPECT_FALSE(rectOf(layout->warning[1]).intersects(rectOf(layout->warning[2])));
  }
}

}  // namespace
}  // namespace tarvosk
