#pragma once
// The popup layer of the running program: the skinned popup menus and the warning window,
// connected to the main window and the context.

#include <memory>

#include "app/popup_presenter.h"

namespace tarvosk {

struct AppContext;
class COrvik_VOrozoDlg;

std::unique_ptr<PopupPresenter> makePopupLayer(COrvik_VOrozoDlg& window, AppContext& context);

}  // namespace tarvosk
