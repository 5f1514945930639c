// The main window's life: start-up in its fixed order, the tray, hiding, leaving, the device
// coming and going, and the apply on its worker thread.

#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QThread>
#include <QWindow>
#include <thread>

#include "app/app_context.h"
#include "app/app_icon.h"
#include "app/macro_page.h"
#include "device/correction_hook.h"
#include "device/device_status.h"
#include "settings/config_file.h"
#include "settings/language.h"
#include "widgets/about_version.h"
#include "window/menu_resources.h"
#include "window/window_rules.h"
#include "widgets/orvik_menu.h"
#include "macro/macro_file.h"
#include "settings/profiles.h"

namespace tarvosk {

namespace {

constexpr int kDefaultWidth = 860;
constexpr int kDefaultHeight = 600;

constexpr std::string_view kUnusableConfigApplyMessage =
    "The settings could not be read from the configuration file, so nothing was sent to the mouse. "
    "Use Factory reset or Import settings first.";

QString absentMouseMessage(int32_t language) {
  return isEnglish(language) ? QStringLiteral("Please plug-in【Tarvosk】USB Mouse")
                             : QStringLiteral("Insira o mouse na 【Tarvosk】porta USB");
}

}  // namespace

COrvik_VOrozoDlg::COrvik_VOrozoDlg(AppContext& context, QWidget* parent)
    : QDialog(parent), m_ctx(context), m_prompter(this), m_apply(context, m_prompter, this) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint | Qt::WindowSystemMenuHint);
  // Drawn with the shape as alpha: rounded corners wherever a compositor runs; the mask set in
  // buildShape() cuts the window where none does, and shapes its input everywhere.
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  m_prompter.setParentWindow(this);
  connect(&m_apply, &ApplyRunner::finished, this, &COrvik_VOrozoDlg::applyDone);
  m_ledPreviewTimer.setSingleShot(true);
  connect(&m_ledPreviewTimer, &QTimer::timeout, this, &COrvik_VOrozoDlg::ledPreviewTick);
  m_applyTimer.setInterval(50);
  connect(&m_applyTimer, &QTimer::timeout, this, [this] { repaintArea(RepaintArea::WholeWindow); });
  m_macroPage = new MacroPage(*this, m_ctx);
}

COrvik_VOrozoDlg::~COrvik_VOrozoDlg() {
  m_prompter.setLeaving();
  m_apply.wait();
  if (m_workers) m_workers->stop();
}

bool COrvik_VOrozoDlg::initialise() {
  // The listener and the poll thread wait, without spinning, until a mouse is set.
  startWorkers();
  setWindowIcon(appIcon());

  // CurConfig, the language, the profile names and slots 0..3, in the order start-up reads them.
  {
    auto lock = m_ctx.store.lock();
    // A missing file has shown its message; the record stays at its defaults.
    ConfigReadReport report;
    m_configUsable = loadAtStartup(m_ctx.store.record, m_ctx.paths, m_prompter, report) && report.knownKeys > 0;
    if (!report.notes.empty()) {
      std::string text;
      for (const std::string& note : report.notes) text += note + "\n";
      m_prompter.showMessage(text);
    }
    if (!m_configUsable && report.knownKeys == 0 && std::filesystem::exists(m_ctx.paths.configFile)) {
      m_prompter.showMessage(noKnownKeyMessage(m_ctx.paths.configFile));
    }
  }
  refreshSnapshot();
  m_page = 0;
  buildFonts();
  setWindowTitle(programName());
  if (!loadLayouts()) return false;
  buildShape();
  loadMacroLibrary(m_ctx, m_snapshot.language, m_prompter);
  createTray();

  std::string deviceMessage;
  m_deviceFound = connectMouse(m_ctx, deviceMessage);
  if (!m_deviceFound) {
    m_prompter.showMessage(deviceMessage.empty() ? absentMouseMessage(m_snapshot.language).toStdString()
                                                 : deviceMessage);
    leaveProgram();
    return false;
  }
  // The mouse wants a moment after it was opened before it answers.
  m_ctx.pauser.pause(5);
  if (const auto status = queryStartupStatus(m_ctx.channel)) m_ctx.statusNibble = status->statusNibble;
  if (m_ctx.device.readConnection && m_ctx.device.readCaps) {
    m_workers->setInput(m_ctx.device.readConnection, m_ctx.device.readCaps->inputReportLength);
  }
  createNameEdits();
  if (m_tray) m_tray->show();
  m_startMinimised = startsMinimised(m_ctx.options.commandLine);
  return true;
}

bool COrvik_VOrozoDlg::loadLayouts() {
  if (loadAllLayouts(m_ctx.paths, m_snapshot.language, m_prompter, m_ctx.layout) == LayoutLoadResult::FileMissing) {
    leaveProgram();
    return false;
  }
  return true;
}

void COrvik_VOrozoDlg::buildShape() {
  m_shape = shapeFromMaskFile(QString::fromStdString(m_ctx.paths.mainMaskImage.string()),
                              QSize(kDefaultWidth, kDefaultHeight));
  m_regions = mainPaintRegions(m_shape.region, m_ctx.layout);
  setFixedSize(m_shape.size);
  setMask(m_shape.region);
  m_alpha = QImage(m_shape.size, QImage::Format_ARGB32_Premultiplied);
  m_alpha.fill(Qt::transparent);
  {
    QPainter painter(&m_alpha);
    painter.setClipRegion(m_shape.region);
    painter.fillRect(m_alpha.rect(), Qt::black);
  }
  m_frame = QImage(m_shape.size, QImage::Format_ARGB32_Premultiplied);
  m_frame.fill(Qt::transparent);
}

void COrvik_VOrozoDlg::buildFonts() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
  m_fonts = InterfaceFonts(baseFontSizeTenths(dpi));
}

void COrvik_VOrozoDlg::startWorkers() {
  DeviceWorkerContext worker{m_ctx.channel,
                             m_ctx.store,
                             m_ctx.paths,
                             m_prompter,
                             [this] {
                               QMetaObject::invokeMethod(
                                   this,
                                   [this] {
                                     refreshSnapshot();
                                     update();
                                   },
                                   Qt::QueuedConnection);
                             },
                             correctionHook(m_ctx.store, m_ctx.channel, m_ctx.macroSource, m_ctx.uploadState)};
  m_workers = std::make_unique<DeviceWorkers>(std::move(worker));
  m_workers->start();
}

void COrvik_VOrozoDlg::createTray() {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
  m_tray = new QSystemTrayIcon(appIcon(), this);
  m_tray->setToolTip(programName());
  m_trayMenu = new COrvikMenu(this);
  retranslateTray();
  m_tray->setContextMenu(m_trayMenu);
  connect(m_trayMenu, &COrvikMenu::commandChosen, this, [this](int id) {
    if (isShowWindowCommand(id)) showAndRestore();
    if (isExitDriverCommand(id)) leaveProgram();
  });
  connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) showAndRestore();
  });
}

void COrvik_VOrozoDlg::retranslateTray() {
  if (m_trayMenu) m_trayMenu->loadResource(trayMenuResource(m_snapshot.language));
}

void COrvik_VOrozoDlg::hideToTray() {
  if (m_popups) m_popups->closeAll();
  if (m_tray) {
    hide();
    m_tray->show();  // showing an icon that shows changes nothing
  } else {
    // No tray host: a hidden window could not be brought back, so it only minimises.
    showMinimized();
  }
}

void COrvik_VOrozoDlg::showAndRestore() {
  show();
  setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  raise();
  activateWindow();
}

void COrvik_VOrozoDlg::leaveProgram() {
  if (m_leaving) return;
  if (m_apply.running()) {
    // The mouse is in the middle of a block write: leave as soon as the apply has ended.
    m_leaveAfterApply = true;
    return;
  }
  m_leaving = true;
  if (m_popups) m_popups->closeAll();
  if (m_tray) m_tray->hide();
  if (m_ctx.channel.isOpen()) sendLeaveCommand(m_ctx.channel);
  finishLeaving();
}

void COrvik_VOrozoDlg::finishLeaving() {
  m_leaving = true;
  m_prompter.setLeaving();
  m_ledPreviewTimer.stop();
  m_applyTimer.stop();
  if (m_workers) {
    // A worker may be waiting for a message box on this thread; keep serving the event queue
    // until both threads have stopped.
    std::atomic<bool> stopped{false};
    std::thread stopper([&] {
      m_workers->stop();
      stopped = true;
    });
    while (!stopped) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    stopper.join();
  }
  if (m_ctx.options.dumpMemory && !dumpSimulatedMemory(m_ctx, *m_ctx.options.dumpMemory)) {
    std::fprintf(stderr, "tarvosk: cannot write the memory dump %s\n", m_ctx.options.dumpMemory->c_str());
  }
  hide();
  Q_EMIT left();
  QCoreApplication::quit();
}

bool COrvik_VOrozoDlg::apply() {
  if (m_apply.running()) return false;
  if (!m_configUsable) {
    // Every setting read as 0: sending that would wipe the mouse's settings. A factory reset or
    // an import gives the window real settings to send.
    m_prompter.showMessage(kUnusableConfigApplyMessage);
    return false;
  }
  const bool started = m_apply.start([this] {
    QMetaObject::invokeMethod(this, [this] { update(); }, Qt::QueuedConnection);
  });
  if (started) {
    m_applyTimer.start();
    if (m_macroPage) m_macroPage->setLocked(true);
    for (auto& edit : m_nameEdits) {
      if (edit) edit->setReadOnly(true);
    }
    update();
  }
  return started;
}

void COrvik_VOrozoDlg::applyDone(UploadResult result) {
  m_applyTimer.stop();
  if (m_macroPage) m_macroPage->setLocked(false);
  for (auto& edit : m_nameEdits) {
    if (edit) edit->setReadOnly(false);
  }
  refreshSnapshot();
  // The page lives in the window while an apply runs; the record takes it back now.
  changeSettings([this](SettingsRecord& s) { s.currentPage = m_page; });
  // The host-side functions of the buttons may have changed with the settings just sent.
  if (m_workers) m_workers->settingsChanged();
  update();
  Q_EMIT applyFinished(result);
  if (m_leaveAfterApply) leaveProgram();
}

void COrvik_VOrozoDlg::resumedFromSleep() {
  if (m_deviceFound && !m_leaving) apply();
}

void COrvik_VOrozoDlg::deviceArrived(const QString& path) {
  Q_UNUSED(path);
  if (m_deviceFound || m_leaving) return;
  std::string message;
  m_deviceFound = connectMouse(m_ctx, message);
  if (m_deviceFound && m_ctx.device.readConnection && m_ctx.device.readCaps) {
    m_workers->setInput(m_ctx.device.readConnection, m_ctx.device.readCaps->inputReportLength);
  }
}

void COrvik_VOrozoDlg::deviceRemoved(const QString& path) {
  DeviceNotification notification{kDeviceInterfaceNotification, path.toStdString()};
  if (!isOurDevice(notification, m_ctx.device)) return;
  // Our mouse is gone: the program ends without a word and sends it nothing.
  m_deviceFound = false;
  m_ctx.channel.close();
  m_workers->setInput(nullptr, 0);
  if (m_apply.running()) {
    // The upload stops at its next report; the program ends when it has.
    m_leaveAfterApply = true;
    return;
  }
  if (m_tray) m_tray->hide();
  finishLeaving();
}

void COrvik_VOrozoDlg::macroGroupChosen(int previousGroup, int chosenGroup, int currentMacro) {
  // The macro page writes the macro being edited back into its group and loads the chosen one.
  m_macroPage->groupChosen(previousGroup, chosenGroup, currentMacro);
  update();
}

void COrvik_VOrozoDlg::setPopupPresenter(std::unique_ptr<PopupPresenter> presenter) {
  m_popups = std::move(presenter);
}

QLineEdit* COrvik_VOrozoDlg::profileNameEdit(int tab) const {
  if (tab < 1 || tab > 3) return nullptr;
  return m_nameEdits[static_cast<std::size_t>(tab - 1)].data();
}

void COrvik_VOrozoDlg::refreshSnapshot() {
  // Never waits: while an apply holds the lock, the last snapshot stays good enough to paint.
  std::unique_lock lock(m_ctx.store.mutex, std::try_to_lock);
  if (!lock.owns_lock()) return;
  m_snapshot = m_ctx.store.record;
  m_snapshot.currentPage = m_page;
}

bool COrvik_VOrozoDlg::changeSettings(const std::function<void(SettingsRecord&)>& change) {
  if (m_apply.running()) return false;
  auto lock = m_ctx.store.lock();
  change(m_ctx.store.record);
  m_snapshot = m_ctx.store.record;
  m_snapshot.currentPage = m_page;
  return true;
}

void COrvik_VOrozoDlg::closeEvent(QCloseEvent* event) {
  if (m_leaving) {
    event->accept();
    return;
  }
  // Alt+F4 and the taskbar's close hide the window; the program and the mouse go on.
  event->ignore();
  hideToTray();
}

void COrvik_VOrozoDlg::keyPressEvent(QKeyEvent* event) {
  // A dialog would close on Escape; this window stays until the user hides or leaves it.
  event->accept();
}


}  // namespace tarvosk
