#pragma once
// The main window, painted entirely from the skin.
//
//   pointer/keys --computeHover/decidePress/decideRelease--> outcome --execute--> record, pages,
//   popups, apply, tray;   record snapshot --buildPaintPlan--> plan --paintPage--> frame --> screen
//
// The window holds no rules of its own: the core decides (core/window), this class gathers the
// input, asks and carries out the answer. The settings record lives in the context's store behind
// its lock; the window paints from a snapshot and never waits for the lock while an apply runs.

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <array>
#include <memory>

#include "app/apply_runner.h"
#include "app/gui_prompter.h"
#include "app/popup_presenter.h"
#include "device/device_workers.h"
#include "device/led_preview.h"
#include "skin/page_painter.h"
#include "skin/skin_images.h"
#include "window/hover.h"
#include "window/pointer_handling.h"

class QLineEdit;
class QMenu;
class QSystemTrayIcon;

namespace tarvosk {

struct AppContext;
class COrvikMenu;
class MacroPage;

enum class FileDialogKind { Open, Save };

// Identifiers of the child controls, as the skin's edit rectangles number them.
inline constexpr int kProfileNameEditIds[3] = {10008, 10009, 10010};

class COrvik_VOrozoDlg : public QDialog {
  Q_OBJECT

 public:
  COrvik_VOrozoDlg(AppContext& context, QWidget* parent = nullptr);
  ~COrvik_VOrozoDlg() override;

  // Start-up in its fixed order. False when the program must end at once (a layout file is
  // missing, or no mouse is attached: the user has been told).
  bool initialise();

  // Hides the window to the notification area (minimises it where there is no tray host).
  void hideToTray();
  // The one orderly way out: icon removed, the mouse told, threads stopped, the event loop ended.
  void leaveProgram();
  // Shows and restores the window (tray, second start).
  void showAndRestore();
  // Runs the apply on its worker thread; false when one already runs.
  bool apply();
  // The mouse came back from sleep: the whole settings again.
  void resumedFromSleep();
  // A hidraw node came or went.
  void deviceArrived(const QString& path);
  void deviceRemoved(const QString& path);

  // Replaces the popup layer (the window owns it).
  void setPopupPresenter(std::unique_ptr<PopupPresenter> presenter);
  PopupPresenter* popupPresenter() const { return m_popups.get(); }
  GuiPrompter& prompter() { return m_prompter; }

  // The macro group menu chose a group: the macro being edited goes back into the file of the
  // group it came from, the chosen group becomes current and is loaded.
  void macroGroupChosen(int previousGroup, int chosenGroup, int currentMacro);
  int selectedButton() const { return m_selectedButton; }
  const InterfaceFonts& interfaceFonts() const { return m_fonts; }

  // What the window shows, for tests.
  const SettingsRecord& snapshot() const { return m_snapshot; }
  uint8_t page() const { return m_page; }
  const HoverIndices& hover() const { return m_hover; }
  bool applying() const { return m_apply.running(); }
  bool recording() const { return m_recording; }
  // The macro page's recording switch: the record item paints from this.
  void setRecording(bool recording);
  // The macro page's controls and operations (the window owns it).
  MacroPage& macroPage() { return *m_macroPage; }
  // The macro file menu chose 1 import, 2 export, 3 restore (0x7EB).
  void macroFileAction(int item);
  // A lighting-event menu chose a value for the selected lighting program (0x83ED..0x83EF).
  void ledEventValue(PopupKind kind, int value);
  QLineEdit* profileNameEdit(int tab) const;  // tab 1..3; null while the main page does not show
  QSystemTrayIcon* trayIcon() const { return m_tray; }
  const QImage& frame() const { return m_frame; }
  bool leaving() const { return m_leaving; }

  // Tests answer the file dialogs of import and export; an empty answer cancels.
  void setFileChooser(std::function<QString(FileDialogKind)> chooser) { m_fileChooser = std::move(chooser); }
  bool startMinimised() const { return m_startMinimised; }
  // Writes CurConfig = the selected profile (what a "profile chosen" request asks for).
  void persistSelectedProfile();

  // Re-reads the record into the snapshot (after a change made outside the window's handlers).
  void refreshSnapshot();
  // Changes the record under its lock; false (nothing changed) while an apply runs.
  bool changeSettings(const std::function<void(SettingsRecord&)>& change);

 Q_SIGNALS:
  void applyFinished(tarvosk::UploadResult result);
  void languageChanged(int language);
  void left();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Start-up pieces.
  bool loadLayouts();
  void buildShape();
  void buildFonts();
  void startWorkers();
  void createTray();
  void retranslateTray();

  // Pointer handling.
  PointerInput pointerInput(QPoint point) const;
  void executePress(const PressOutcome& outcome, uint8_t newPage);
  void executeRelease(const ReleaseOutcome& outcome);
  void showPage(uint8_t page);
  void repaintArea(RepaintArea area);
  void updateHover(QPoint point);

  // Profiles and languages.
  void createNameEdits();
  void destroyNameEdits();
  void nameEdited(int tab, const QString& text);
  void hideAndRevert();
  void importProfile();
  void exportProfile();
  void resetToFactory();
  void setNameEditTexts();
  QString chooseFile(FileDialogKind kind);
  void switchLanguage(int32_t language);

  // Painting.
  void composeFrame(const QRegion& region);
  void ledPreviewTick();
  void startLedPreview();

  void applyDone(UploadResult result);
  void finishLeaving();

  AppContext& m_ctx;
  GuiPrompter m_prompter;
  ApplyRunner m_apply;
  std::unique_ptr<DeviceWorkers> m_workers;
  std::unique_ptr<PopupPresenter> m_popups;

  // The skin.
  SkinImageCache m_images;
  InterfaceFonts m_fonts;
  SkinShape m_shape;
  MainPaintRegions m_regions;
  QImage m_alpha;  // the shape as alpha, so the corners are see-through where a compositor runs
  QImage m_frame;  // the composed page, premultiplied, clipped to the shape

  // What the window shows.
  SettingsRecord m_snapshot;
  uint8_t m_page = 0;
  HoverIndices m_hover;
  bool m_buttonHeld = false;
  bool m_recording = false;
  int m_selectedButton = 0;
  LedPreviewState m_ledPreview;
  QTimer m_ledPreviewTimer;
  QTimer m_applyTimer;  // repaints the apply progress while an apply runs
  std::array<QPointer<QLineEdit>, 3> m_nameEdits;
  bool m_settingNameText = false;
  std::function<QString(FileDialogKind)> m_fileChooser;

  QSystemTrayIcon* m_tray = nullptr;
  COrvikMenu* m_trayMenu = nullptr;
  bool m_startMinimised = false;
  bool m_leaving = false;
  bool m_leaveAfterApply = false;
  bool m_deviceFound = false;
  bool m_configUsable = true;  // the configuration file gave real settings (or a reset or import did)
  MacroPage* m_macroPage = nullptr;  // a child QObject
};

}  // namespace tarvosk
