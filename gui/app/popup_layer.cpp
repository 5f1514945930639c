#include "app/popup_layer.h"

#include "app/app_context.h"
#include "app/main_window.h"
#include "widgets/popup_controller.h"

namespace tarvosk {

namespace {

// The skinned popups behind the window's PopupPresenter requests.
class SkinnedPopupLayer : public PopupPresenter {
 public:
  SkinnedPopupLayer(COrvik_VOrozoDlg& window, AppContext& context)
      : m_controller(makeContext(window, context), &window) {
    QObject::connect(&m_controller, &PopupController::settingsChanged, &window, [&window] {
      window.refreshSnapshot();
      window.update();
    });
    QObject::connect(&m_controller, &PopupController::macroGroupChosen, &window,
                     [&window](int previousGroup, int chosenGroup, int currentMacro) {
                       window.macroGroupChosen(previousGroup, chosenGroup, currentMacro);
                     });
    QObject::connect(&m_controller, &PopupController::macroFileAction, &window,
                     [&window](int item) { window.macroFileAction(item); });
    QObject::connect(&m_controller, &PopupController::ledEventValue, &window,
                     [&window](PopupKind kind, int value) { window.ledEventValue(kind, value); });
  }

  void open(const PopupRequest& request, QPoint mainWindowOnScreen, int selectedButton) override {
    m_controller.open(request, mainWindowOnScreen, selectedButton);
  }
  void closeAll() override { m_controller.closeAll(); }
  bool isOpen() const override { return m_controller.isOpen(); }
  WarningAnswer showWarning(QWidget* parent) override {
    auto* window = static_cast<COrvik_VOrozoDlg*>(parent);
    return m_controller.showWarning(parent, window->selectedButton()) == 1 ? WarningAnswer::Ok : WarningAnswer::Cancel;
  }

 private:
  static PopupContext makeContext(COrvik_VOrozoDlg& window, AppContext& context) {
    PopupContext popup;
    popup.skinsDir = QString::fromStdString(context.paths.skinsFolder.string());
    popup.snapshot = [&window] { return window.snapshot(); };
    popup.changeSettings = [&window](const std::function<void(SettingsRecord&)>& change) {
      return window.changeSettings(change);
    };
    popup.layout = [&context]() -> const SkinLayout& { return context.layout; };
    popup.macroNames = [&context, &window] {
      // Names are read from the files each time a menu opens, as the library may have changed.
      const int32_t language = window.snapshot().language;
      collectMacroNames(context.paths.macroFolder(language), context.library, language);
      return popupMacroNames(context.library, context.currentMacro);
    };
    popup.font = window.interfaceFonts().normal();
    popup.owner = &window;
    return popup;
  }

  PopupController m_controller;
};

}  // namespace

std::unique_ptr<PopupPresenter> makePopupLayer(COrvik_VOrozoDlg& window, AppContext& context) {
  return std::make_unique<SkinnedPopupLayer>(window, context);
}

}  // namespace tarvosk
