// skingen: paints every image of the skin and writes every layout file of both languages from
// one description, so that geometry and pixels always agree.
//
//   skingen SKINS_DIR          images into SKINS_DIR, layouts into SKINS_DIR/INI_EN and INI_CN
//   skingen --preview DIR      review images of every page and popup into DIR

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

#include "layout_writer.h"
#include "page_painter.h"
#include "popup_painter.h"
#include "preview.h"
#include "skin_model.h"

namespace {

using namespace skingen;

bool writeJpeg(const QImage& image, const QDir& folder, const QString& name, int quality, QString& error) {
  QImageWriter writer(folder.filePath(name), "jpeg");
  writer.setQuality(quality);
  if (!writer.write(image)) {
    error = QString("cannot write %1: %2").arg(writer.fileName(), writer.errorString());
    return false;
  }
  return true;
}

bool writeImages(const Skin& skin, const QDir& folder, QString& error) {
  // Masks are stored at full quality so the outline survives compression untouched.
  constexpr int kMaskQuality = 100;
  constexpr int kImageQuality = 95;
  if (!writeJpeg(paintMainMask(skin), folder, "main_mask.jpg", kMaskQuality, error)) return false;
  const std::array<std::pair<Look, QString>, 3> looks = {std::pair{Look::Normal, QString("normal")},
                                                         std::pair{Look::Over, QString("over")},
                                                         std::pair{Look::Down, QString("down")}};
  for (const Page& page : skin.pages) {
    for (const auto& [look, suffix] : looks) {
      if (!writeJpeg(paintPage(skin, page, look), folder, page.imagePrefix + "_" + suffix + ".jpg", kImageQuality,
                     error)) {
        return false;
      }
    }
  }
  if (!writeJpeg(paintLedNull(skin), folder, "led_null.jpg", kImageQuality, error)) return false;
  for (const MenuSet& set : skin.menus) {
    if (set.writeMask && !writeJpeg(paintMenuMask(set), folder, set.prefix + "_mask.jpg", kMaskQuality, error)) {
      return false;
    }
    for (const auto& [look, suffix] : looks) {
      if (!writeJpeg(paintMenu(set, look), folder, set.prefix + "_" + suffix + ".jpg", kImageQuality, error))
        return false;
    }
  }
  return writeJpeg(paintWarningMask(skin), folder, "warning_mask.jpg", kMaskQuality, error) &&
         writeJpeg(paintWarning(skin, Look::Normal), folder, "warning_normal.jpg", kImageQuality, error) &&
         writeJpeg(paintWarning(skin, Look::Over), folder, "warning_over.jpg", kImageQuality, error);
}

int usage() {
  std::fputs("usage: skingen SKINS_DIR | skingen --preview DIR\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Runs at build time without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  const bool preview = !args.isEmpty() && args.first() == "--preview";
  if (args.size() != (preview ? 2 : 1) || (!preview && args.first().startsWith('-'))) return usage();

  const Skin skin = shippedSkin();
  const QStringList problems = checkDescription(skin);
  for (const QString& problem : problems) std::fprintf(stderr, "skingen: %s\n", qPrintable(problem));
  if (!problems.isEmpty()) return 1;

  const QDir folder(args.last());
  if (!QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "skingen: cannot create %s\n", qPrintable(folder.path()));
    return 1;
  }
  QString error;
  const bool ok = preview ? writePreview(skin, folder, error)
                          : (writeImages(skin, folder, error) && writeLayoutFiles(skin, folder, error));
  if (!ok) {
    std::fprintf(stderr, "skingen: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
