#pragma once
// A popup controller wired as the main window wires it: the generated skin of the runtime
// folder, the layout tables of a language, a settings record behind a lock that can refuse
// changes, and the shipped macro library's names.

#include <QApplication>
#include <QFont>
#include <QMouseEvent>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <mutex>

#include "macro/macro_library.h"
#include "platform/paths.h"
#include "settings/language.h"
#include "skin/skin_layout.h"
#include "test_support.h"
#include "widgets/popup_controller.h"
#include "window/popup_macro_names.h"

namespace tarvosk::test {

inline const std::filesystem::path kRuntimeSkins = TARVOSK_RUNTIME_SKINS_DIR;

inline SkinLayout loadLayout(int32_t language) {
  const Paths paths = portablePaths(kRuntimeSkins.parent_path(), kRuntimeSkins);
  RecordingPrompter prompter;
  SkinLayout layout;
  loadAllLayouts(paths, language, prompter, layout);
  return layout;
}

// Moves the pointer over `widget` to `pos`. (QTest's move goes through the platform cursor, which
// on the offscreen platform hands the move to whichever window it lists first at that spot.)
inline void movePointer(QWidget* widget, QPoint pos) {
  QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

inline QFont interfaceFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.5);
  return font;
}

struct PopupHarness {
  explicit PopupHarness(int32_t language) : layout(loadLayout(language)) {
    record.language = language;
    record.profileName = {"Work", "Game", "Travel"};
    for (auto& slot : record.buttonFunction) slot = {1, 2, 3, 4, 5, 6};
    const Paths paths = portablePaths(kRuntimeSkins.parent_path(), kRuntimeSkins);
    library = readGroupList(paths.macroFolder(language), language);
    PopupContext context;
    context.skinsDir = QString::fromStdString(kRuntimeSkins.string());
    context.snapshot = [this] {
      std::lock_guard lock(mutex);
      return record;
    };
    context.changeSettings = [this](const std::function<void(SettingsRecord&)>& change) {
      if (refuseChanges) return false;
      std::lock_guard lock(mutex);
      change(record);
      return true;
    };
    context.layout = [this]() -> const SkinLayout& { return layout; };
    context.macroNames = [this] { return popupMacroNames(library, currentMacro); };
    context.font = interfaceFont();
    context.owner = &mainWindow;
    mainWindow.setGeometry(100, 80, 860, 600);
    mainWindow.show();
    controller = std::make_unique<PopupController>(std::move(context));
  }

  std::mutex mutex;
  SettingsRecord record;
  SkinLayout layout;
  MacroLibrary library;
  int currentMacro = 2;
  bool refuseChanges = false;
  QWidget mainWindow;
  std::unique_ptr<PopupController> controller;
};

}  // namespace tarvosk::test
