// Tarvosk, the window. One instance per user: a second start brings the first one's window back
// and ends. With --simulate it runs against the built-in simulated mouse and opens the virtual
// mouse panel beside the window.

#include <QApplication>
#include <QScreen>
#include <algorithm>
#include <cstdio>

#include "app/app_context.h"
#include "app/command_line.h"
#include "app/device_monitor.h"
#include "app/main_window.h"
#include "app/popup_layer.h"
#include "app/sim_panel.h"
#include "app/single_instance.h"
#include "app/sleep_watcher.h"
#include "widgets/about_version.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(tarvosk::programName());
  QApplication::setApplicationVersion(tarvosk::programVersion());
  QApplication::setDesktopFileName(QStringLiteral("org.tarvosk.Tarvosk"));
  // The window hides to the tray; closing the last visible window must not end the program.
  QApplication::setQuitOnLastWindowClosed(false);

  const tarvosk::CommandLine options = tarvosk::CommandLine::parse(QCoreApplication::arguments());
  switch (options.outcome) {
    case tarvosk::CommandLine::Outcome::Help:
    case tarvosk::CommandLine::Outcome::Version:
      std::printf("%s\n", options.text.toLocal8Bit().constData());
      return 0;
    case tarvosk::CommandLine::Outcome::Error:
      std::fprintf(stderr, "tarvosk: %s\n", options.text.toLocal8Bit().constData());
      return options.exitCode();
    case tarvosk::CommandLine::Outcome::Run:
      break;
  }

  tarvosk::SingleInstance instance;
  if (!instance.tryBecomePrimary()) return 0;  // the running instance shows itself

  tarvosk::WindowOptions windowOptions;
  if (!options.skinsDir.isEmpty()) windowOptions.skinsFolder = options.skinsDir.toStdString();
  windowOptions.simulate = options.simulate;
  windowOptions.simulatedMouse = options.simulatedMouse;
  if (!options.dumpMemoryFile.isEmpty()) windowOptions.dumpMemory = options.dumpMemoryFile.toStdString();
  windowOptions.commandLine = options.rawCommandLine.toStdString();

  tarvosk::AppContext context(windowOptions);
  tarvosk::COrvik_VOrozoDlg window(context);
  QObject::connect(&instance, &tarvosk::SingleInstance::showRequested, &window,
                   &tarvosk::COrvik_VOrozoDlg::showAndRestore);
  if (!window.initialise()) return 0;  // the user has been told why
  window.setPopupPresenter(tarvosk::makePopupLayer(window, context));

  tarvosk::SleepWatcher sleep;
  QObject::connect(&sleep, &tarvosk::SleepWatcher::resumed, &window, &tarvosk::COrvik_VOrozoDlg::resumedFromSleep);
  tarvosk::DeviceMonitor devices;
  QObject::connect(&devices, &tarvosk::DeviceMonitor::arrived, &window, &tarvosk::COrvik_VOrozoDlg::deviceArrived);
  QObject::connect(&devices, &tarvosk::DeviceMonitor::removed, &window, &tarvosk::COrvik_VOrozoDlg::deviceRemoved);
  if (!options.simulate) devices.start();

  std::unique_ptr<tarvosk::SimPanel> panel;
  if (context.simulatedMouse) {
    panel = std::make_unique<tarvosk::SimPanel>(*context.simulatedMouse);
    QObject::connect(panel.get(), &tarvosk::SimPanel::unplugged, &window, [&window, &context] {
      window.deviceRemoved(QString::fromStdString(context.device.devicePath));
    });
    std::fprintf(stderr, "tarvosk: running against the simulated mouse; the virtual mouse panel drives it.\n");
  }

  if (window.startMinimised()) {
    window.hideToTray();
  } else {
    window.show();
  }
  if (panel) {
    // Beside the window, right of it or else left of it where the screen has room; it never
    // covers the window's own buttons.
    panel->adjustSize();
    const QRect screen = window.screen() ? window.screen()->availableGeometry() : QRect();
    const QRect frame = window.frameGeometry();
    QPoint at(frame.right() + 16, frame.top());
    if (screen.isValid() && at.x() + panel->width() > screen.right() &&
        frame.left() - 16 - panel->width() >= screen.left()) {
      at.setX(frame.left() - 16 - panel->width());
    }
    panel->move(at);
    panel->show();
  }
  return QApplication::exec();
}
