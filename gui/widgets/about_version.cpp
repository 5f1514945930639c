#include "widgets/about_version.h"

namespace tarvosk {

QString programName() { return QStringLiteral("Tarvosk"); }

QString programVersion() { return QStringLiteral(TARVOSK_VERSION); }

}  // namespace tarvosk
