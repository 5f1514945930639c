// icongen OUTDIR: writes OUTDIR/<N>x<N>/apps/org.tarvosk.Tarvosk.png for every icon size the
// hicolor theme is asked for. Exit 1 when a file cannot be written.

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <cstdio>

#include "app/app_icon.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: icongen OUTDIR\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  const QIcon icon = tarvosk::appIcon();
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
    const QString file = folder + QStringLiteral("/org.tarvosk.Tarvosk.png");
    const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
    if (image.size() != QSize(size, size) || !QDir().mkpath(folder) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "icongen: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
