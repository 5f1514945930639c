#pragma once
// What every popup level needs to build itself: where the skin's images are, the texts it
// shows, the font it draws them in, and the width its opener gave it.

#include <QFont>
#include <QString>

#include "window/popup_menu.h"

namespace tarvosk {

struct PopupLevelConfig {
  QString skinsDir;  // folder holding the menu images
  PopupTexts texts;  // function, profile, group and macro names and the language
  QFont font;        // the normal interface font of the current language
  // Width the opener asks for; 0 or more than the mask's width gives the mask's width.
  int requestedWidth = 0;
};

}  // namespace tarvosk
