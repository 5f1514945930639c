#pragma once
// What the main window asks of its popup layer: open a popup menu of a kind at a place, close
// whatever is open, and show the warning window. The window decides when (core/window); the
// popup layer decides what a row does and tells the window through its own signals.

#include <QPoint>

#include "window/popup_request.h"

class QWidget;

namespace tarvosk {

// The warning window's answers.
enum class WarningAnswer { Ok, Cancel };

class PopupPresenter {
 public:
  virtual ~PopupPresenter() = default;
  // Opens popup `request.kind` with its top-left at `mainWindowOnScreen` + (request.x, request.y).
  // `selectedButton` is the main page button (0..5) whose menu it is, where that matters.
  virtual void open(const PopupRequest& request, QPoint mainWindowOnScreen, int selectedButton) = 0;
  // Closes every open popup window.
  virtual void closeAll() = 0;
  virtual bool isOpen() const = 0;
  // The warning window, modally over `parent`.
  virtual WarningAnswer showWarning(QWidget* parent) = 0;
};

}  // namespace tarvosk
