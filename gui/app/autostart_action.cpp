#include "app/autostart_action.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "platform/autostart.h"
#include "platform/paths.h"
#include "widgets/about_version.h"

namespace tarvosk {

QAction* addAutostartAction(QMenu& menu, QWidget* parent, bool english) {
  const std::filesystem::path file = autostartFile(userConfigHome());
  QAction* action = menu.addAction(english ? QStringLiteral("Start with the desktop")
                                           : QStringLiteral("Iniciar com a área de trabalho"));
  action->setCheckable(true);
  action->setChecked(isAutostartEnabled(file));
  QObject::connect(action, &QAction::toggled, parent, [file, parent, english](bool on) {
    const std::string exec = autostartExec(QCoreApplication::applicationFilePath().toStdString(),
                                           qEnvironmentVariable("PATH").toStdString());
    if (setAutostart(file, on, exec)) return;
    const QString path = QString::fromStdString(file.string());
    QMessageBox::warning(parent, programName(),
                         english ? QStringLiteral("Could not change the autostart entry %1.").arg(path)
                                 : QStringLiteral("Não foi possível alterar a entrada de arranque %1.").arg(path));
  });
  return action;
}

}  // namespace tarvosk
