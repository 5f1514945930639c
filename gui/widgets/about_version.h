#pragma once
// The program's name and version as the build knows them, for the about box and --version.

#include <QString>

namespace tarvosk {

QString programName();
QString programVersion();

}  // namespace tarvosk
