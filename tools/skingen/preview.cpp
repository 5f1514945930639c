#include "preview.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "page_painter.h"
#include "popup_painter.h"

namespace skingen {

namespace {

using namespace palette;

// The window's fonts at 96 dots per inch: 8.5 pt normal, 9.5 pt large.
QFont captionFont(bool large) {
  QFont f("Arial");
  f.setPixelSize(large ? 13 : 11);
  return f;
}

void drawCaption(QPainter& p, const QRect& r, const QString& text, const QColor& colour, bool large, int dx = 0,
                 bool leftAligned = false) {
  if (text.isEmpty() || r.width() <= 0) return;
  p.setFont(captionFont(large));
  p.setPen(colour);
  const QFontMetrics fm(p.font());
  const int x = leftAligned ? r.left() + dx : r.left() + (r.width() - fm.horizontalAdvance(text)) / 2 + dx;
  const int y = r.top() + (r.height() - fm.height()) / 2;
  p.drawText(QRect(x, y, fm.horizontalAdvance(text) + 2, fm.height()), Qt::AlignLeft | Qt::AlignTop, text);
}

QString caption(const Item& it, bool english) { return english ? it.en : it.pt; }

// Copies item rectangles (or the left part of a bar) from one look onto the composition.
void copyFrom(QPainter& p, const QImage& source, const QRect& r, double fraction = 1.0) {
  QRect part = r;
  part.setWidth(static_cast<int>(r.width() * fraction));
  p.drawImage(part.topLeft(), source, part);
}

const Item* find(const std::vector<Item>& items, int index) {
  for (const Item& it : items) {
    if (it.index == index) return &it;
  }
  return nullptr;
}

// Sample settings, drawn from the down look as the window would.
void paintSampleState(QPainter& p, const Skin& skin, const Page& page, const QImage& down) {
  auto pressed = [&](int index, double fraction = 1.0) {
    if (const Item* it = find(page.items, index)) copyFrom(p, down, it->rect, fraction);
  };
  switch (page.id) {
    case PageId::Main: pressed(11); break;
    case PageId::Advanced:
      pressed(60);
      pressed(118);
      pressed(47);
      pressed(48);
      pressed(49);
      for (int k = 0; k < 4; ++k) {
        const int step = 2 + 3 * k;
        pressed(66 + k, (step + 1) / 12.0);
        pressed(70 + 12 * k + step);
      }
      pressed(1, 0.5);
      pressed(18, 0.3);
      pressed(31, 50 / 300.0);
      pressed(37);
      pressed(41);
      break;
    case PageId::Macro: pressed(11); break;
    case PageId::Led:
      pressed(40, 5 / 7.0);
      pressed(41, 3 / 6.0);
      pressed(47);
      for (int i = 0; i < 4; ++i) {
        pressed(7 + i);
        pressed(i);
      }
      pressed(51);
      pressed(53);
      pressed(54);
      break;
  }
  if (const Item* tab = find(skin.strip, 6 + static_cast<int>(page.id == PageId::Main       ? 0
                                                              : page.id == PageId::Advanced ? 1
                                                              : page.id == PageId::Macro    ? 2
                                                                                            : 3))) {
    copyFrom(p, down, tab->rect);
  }
}

void paintCaptions(QPainter& p, const Skin& skin, const Page& page, bool english) {
  const int selectedTab = 6 + (page.id == PageId::Main       ? 0
                               : page.id == PageId::Advanced ? 1
                               : page.id == PageId::Macro    ? 2
                                                             : 3);
  for (const Item& it : skin.strip) {
    const bool selected = it.index == selectedTab;
    drawCaption(p, it.rect, caption(it, english), selected ? kCyan : Qt::white, selected);
  }
  const auto& names = english ? skin.functionNamesEn : skin.functionNamesPt;
  for (const Item& it : page.items) {
    QString text = caption(it, english);
    switch (page.id) {
      case PageId::Main:
        if (it.role == Role::Callout) text = names[static_cast<std::size_t>(it.badge)];
        drawCaption(p, it.rect, text, Qt::white, false);
        break;
      case PageId::Advanced: {
        const bool left = it.index == 0 || it.index == 17 || it.index == 30 || it.index == 33;
        drawCaption(p, it.rect, text, Qt::white, false, left ? 5 : 0, left);
        break;
      }
      case PageId::Macro:
        if (it.index == 5) {
          drawCaption(p, it.rect, english ? "Record" : "Gravação ", kCyan, true, -3);
        } else if (it.index >= 14 && it.index <= 16) {
          drawCaption(p, it.rect, text, Qt::white, false, 2, true);
        } else {
          drawCaption(p, it.rect, text, Qt::white, true);
        }
        break;
      case PageId::Led: {
        if (it.index == 35 && (text == "Mode" || text == "Modo")) text = english ? "Cycle breath" : "Ciclo breath";
        QRect r = it.rect;
        if (it.index == 40 || it.index == 41) r.setWidth(r.width() - 30);
        drawCaption(p, r, text, Qt::white, false);
        break;
      }
    }
  }
}

void paintOverlay(QPainter& p, const std::vector<const Item*>& items,
                  const std::vector<std::pair<QRect, QString>>& controls) {
  QFont f("DejaVu Sans");
  f.setPixelSize(9);
  f.setBold(true);
  p.setFont(f);
  for (const auto& [rect, name] : controls) {
    p.setPen(QPen(QColor(255, 255, 255), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.drawText(rect.adjusted(3, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, name);
  }
  for (const Item* it : items) {
    const QColor colour = (it->role == Role::Label || it->role == Role::Tag) ? QColor(255, 210, 60)
                          : it->role == Role::Region                         ? QColor(255, 80, 220)
                                                                             : kCyan;
    p.setPen(QPen(colour, 1, it->role == Role::Region ? Qt::DashLine : Qt::SolidLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(it->rect.adjusted(0, 0, -1, -1));
    const QString number = QString::number(it->index);
    const QRect tag(it->rect.left(), it->rect.top() - 1, QFontMetrics(f).horizontalAdvance(number) + 4, 11);
    p.fillRect(tag, QColor(0, 0, 0, 190));
    p.setPen(colour);
    p.drawText(tag, Qt::AlignCenter, number);
  }
}

bool save(const QImage& image, const QDir& folder, const QString& name, QString& error) {
  const QString path = folder.filePath(name);
  if (!image.save(path, "PNG")) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

std::vector<std::pair<QRect, QString>> controlsOf(const Skin& skin, PageId id) {
  std::vector<std::pair<QRect, QString>> controls;
  if (id == PageId::Main) {
    for (std::size_t k = 0; k < skin.mainEdit.size(); ++k)
      controls.emplace_back(skin.mainEdit[k].rect, QString("EDIT %1").arg(k));
  }
  if (id == PageId::Macro) {
    for (std::size_t k = 0; k < skin.macroEdit.size(); ++k)
      controls.emplace_back(skin.macroEdit[k].rect, QString("EDIT %1").arg(k));
    for (std::size_t k = 1; k < skin.macroDisplay.size(); ++k) {
      controls.emplace_back(skin.macroDisplay[k].rect, QString("MACRODISPLAY %1").arg(k));
    }
  }
  return controls;
}

bool writePagePreviews(const Skin& skin, const QDir& folder, QString& error) {
  for (const Page& page : skin.pages) {
    const QImage normal = paintPage(skin, page, Look::Normal);
    const QImage down = paintPage(skin, page, Look::Down);
    // The raw looks, to judge the over and down artwork on its own.
    if (!save(paintPage(skin, page, Look::Over), folder, page.imagePrefix + "_look_over.png", error) ||
        !save(down, folder, page.imagePrefix + "_look_down.png", error)) {
      return false;
    }
    for (const bool english : {true, false}) {
      const QString lang = english ? "en" : "pt";
      QImage shown = normal.copy();
      {
        QPainter p(&shown);
        p.setRenderHint(QPainter::TextAntialiasing);
        paintSampleState(p, skin, page, down);
        paintCaptions(p, skin, page, english);
      }
      if (!save(shown, folder, QString("%1_%2.png").arg(page.imagePrefix, lang), error)) return false;
      QImage marked = shown.copy();
      {
        QPainter p(&marked);
        std::vector<const Item*> items;
        for (const Item& it : skin.strip) items.push_back(&it);
        for (const Item& it : page.items) items.push_back(&it);
        paintOverlay(p, items, controlsOf(skin, page.id));
      }
      if (!save(marked, folder, QString("%1_%2_items.png").arg(page.imagePrefix, lang), error)) return false;
    }
  }
  return true;
}

bool writePopupPreviews(const Skin& skin, const QDir& folder, QString& error) {
  const auto& names = skin.functionNamesEn;
  for (const MenuSet& set : skin.menus) {
    QImage image = paintMenu(set, Look::Normal);
    const QImage over = paintMenu(set, Look::Over);
    const QImage down = paintMenu(set, Look::Down);
    QPainter p(&image);
    // Row 2 under the pointer, row 4 pressed; the rest at rest.
    p.drawImage(QPoint(0, set.rowHeight), over, QRect(0, set.rowHeight, set.width, set.rowHeight));
    p.drawImage(QPoint(0, 3 * set.rowHeight), down, QRect(0, 3 * set.rowHeight, set.width, set.rowHeight));
    for (int row = 1; row <= set.rows; ++row) {
      const QString text = set.prefix == "more" ? QStringList{"Import", "Export", "Reset"}.at(row - 1)
                                                : names[static_cast<std::size_t>(std::min(row, 47))];
      drawCaption(p, QRect(0, (row - 1) * set.rowHeight, set.width, set.rowHeight), text, row == 2 ? kCyan : Qt::white,
                  false);
      p.setFont(QFont("DejaVu Sans", 6));
      p.setPen(QColor(255, 210, 60));
      p.drawText(QRect(4, (row - 1) * set.rowHeight, 20, set.rowHeight), Qt::AlignVCenter, QString::number(row));
    }
    p.end();
    if (!save(image, folder, set.prefix + ".png", error)) return false;
  }
  for (const bool english : {true, false}) {
    QImage image = paintWarning(skin, Look::Normal);
    const QImage over = paintWarning(skin, Look::Over);
    QPainter p(&image);
    p.drawImage(skin.warning[0].rect.topLeft(), over, skin.warning[0].rect);
    std::vector<const Item*> items;
    for (const Item& it : skin.warning) {
      drawCaption(p, it.rect, caption(it, english), QColor(255, 0, 0), false);
      items.push_back(&it);
    }
    QImage marked = image.copy();
    p.end();
    if (!save(image, folder, QString("warning_%1.png").arg(english ? "en" : "pt"), error)) return false;
    QPainter m(&marked);
    paintOverlay(m, items, {});
    m.end();
    if (!save(marked, folder, QString("warning_%1_items.png").arg(english ? "en" : "pt"), error)) return false;
  }
  return true;
}

// What the lighting page shows in each mode: the items blanked with the null image and the
// captions emptied, as the window paints them.
struct LedMode {
  int type;
  QString name;
  std::vector<int> blanked;
  std::vector<int> emptied;
};

const std::vector<LedMode>& ledModes() {
  static const std::vector<LedMode> kModes = {
      {0, "DPI breath", {72, 75, 74, 50, 71}, {15, 30, 31, 32, 33, 34, 38}},
      {1, "Cycle breath", {74, 72, 50, 71}, {30, 31, 32, 33, 34, 38}},
      {2, "Constantly", {75, 74, 73, 50, 71}, {15, 30, 31, 32, 33, 34, 39}},
      {3, "", {71}, {}},
      {4, "", {50, 71}, {34}},
      {7, "", {72, 50, 49, 71, 75}, {15, 33, 34, 38}},
      {8, "Button response", {72, 74}, {30, 31, 32, 33, 34, 38}},
      {9, "Mute", {75, 74, 73, 72, 50, 71}, {15, 30, 31, 32, 33, 34, 38, 39}},
  };
  return kModes;
}

bool writeLedModePreviews(const Skin& skin, const QDir& folder, QString& error) {
  const Page& led = page(skin, PageId::Led);
  const QImage normal = paintPage(skin, led, Look::Normal);
  const QImage down = paintPage(skin, led, Look::Down);
  const QImage null = paintLedNull(skin);
  for (const LedMode& mode : ledModes()) {
    QImage shown = normal.copy();
    QPainter p(&shown);
    paintSampleState(p, skin, led, down);
    for (int index : mode.blanked) {
      if (const Item* it = find(led.items, index)) copyFrom(p, null, it->rect);
    }
    Page captions = led;
    for (Item& it : captions.items) {
      const bool emptied = std::find(mode.emptied.begin(), mode.emptied.end(), it.index) != mode.emptied.end();
      if (emptied || (it.index == 98 && mode.type != 3)) it.en.clear();
      if (it.index == 35 && !mode.name.isEmpty()) it.en = mode.name;
    }
    paintCaptions(p, skin, captions, true);
    p.end();
    if (!save(shown, folder, QString("led_mode%1_en.png").arg(mode.type), error)) return false;
  }
  return true;
}

}  // namespace

bool writePreview(const Skin& skin, const QDir& folder, QString& error) {
  if (!folder.exists() && !QDir().mkpath(folder.path())) {
    error = "cannot create " + folder.path();
    return false;
  }
  return writePagePreviews(skin, folder, error) && writeLedModePreviews(skin, folder, error) &&
         writePopupPreviews(skin, folder, error);
}

}  // namespace skingen
