#include "app/popup_layer.h"

#include "app/app_context.h"
#include "app/main_window.h"

namespace tarvosk {

std::unique_ptr<PopupPresenter> makePopupLayer(COrvik_VOrozoDlg& window, AppContext& context) {
  Q_UNUSED(window);
  Q_UNUSED(context);
  return nullptr;  // TEMPORARY until the popup widgets are merged
}

}  // namespace tarvosk
