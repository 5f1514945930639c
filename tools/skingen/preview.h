#pragma once
// Review images: every page and popup in both languages, once as the window would show it with
// sample settings, once with each item's rectangle and number drawn over the normal image.

#include <QDir>
#include <QString>

#include "skin_model.h"

namespace skingen {

// Writes the preview PNGs into `folder`. Returns false with `error` set when a file cannot be written.
bool writePreview(const Skin& skin, const QDir& folder, QString& error);

}  // namespace skingen
