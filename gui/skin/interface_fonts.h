#pragma once
// The window's two caption fonts: "Arial" at the interface size and one point larger. Both
// languages use the same pair.

#include <QFont>

#include "window/paint_plan.h"

namespace tarvosk {

class InterfaceFonts {
 public:
  // `baseTenths` is the normal size in tenths of a point (85 for 8.5 pt); sizes below one
  // point are raised to one point.
  explicit InterfaceFonts(int baseTenths = 85);

  const QFont& normal() const { return m_normal; }
  const QFont& large() const { return m_large; }
  const QFont& font(CaptionFont which) const { return which == CaptionFont::Large ? m_large : m_normal; }

 private:
  QFont m_normal;
  QFont m_large;
};

}  // namespace tarvosk
