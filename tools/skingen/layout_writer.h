#pragma once
// Writes the layout files of both languages from the skin description.

#include <QDir>
#include <QString>
#include <QStringList>

#include "skin_model.h"

namespace skingen {

// Problems that would make a layout file wrong (an index outside its table, an index used twice,
// a comma inside a caption or label). Empty when the description is sound.
QStringList checkDescription(const Skin& skin);

// Writes INI_EN/*_en.ini and INI_CN/*.ini under `skinsFolder`. Returns false with `error` set
// when a folder or file cannot be written.
bool writeLayoutFiles(const Skin& skin, const QDir& skinsFolder, QString& error);

}  // namespace skingen
