#include "window/popup_warning.h"

namespace tarvosk {

int warningChoiceAt(const std::array<LayoutItem, kWarningItemCount>& items, int px, int py) {
  if (items[0].contains(px, py)) return kWarningFirstChoice;
  if (items[1].contains(px, py)) return kWarningSecondChoice;
  return kWarningNoChoice;
}

int warningReleaseResult(int hoveredChoice) {
  return hoveredChoice == kWarningFirstChoice || hoveredChoice == kWarningSecondChoice ? hoveredChoice : 0;
}

}  // namespace tarvosk
