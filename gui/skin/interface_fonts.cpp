#include "skin/interface_fonts.h"

#include <algorithm>

namespace tarvosk {

namespace {

QFont arialAt(int tenths) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(std::max(tenths, 10) / 10.0);
  return font;
}

}  // namespace

InterfaceFonts::InterfaceFonts(int baseTenths)
    : m_normal(arialAt(baseTenths)), m_large(arialAt(std::max(baseTenths, 10) + 10)) {}

}  // namespace tarvosk
