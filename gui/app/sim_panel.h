#pragma once
// The virtual mouse: a plain window, opened with --simulate, that plays the user's hand on the
// simulated mouse. Every control turns into what the real mouse would send: button reports,
// DPI presses, a profile change, ballistic steps, or the mouse going away.

#include <QWidget>
#include <array>
#include <optional>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tarvosk {

class SimulatedMouse;

class SimPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPanelButtons = 6;
  // The factory settings put the DPI function on button 6.
  static constexpr int kDefaultDpiButton = 6;

  explicit SimPanel(SimulatedMouse& mouse, QWidget* parent = nullptr);

  // The controls, for tests and for the window's own checks.
  QPushButton* buttonControl(int button) const;     // button 1..6: pressed and released with the pointer
  QPushButton* holdControl(int button) const;       // button 1..6: checked = held down
  QAbstractButton* profileControl(int slot) const;  // slot 0..3
  QPushButton* dpiUpControl() const { return m_dpiUp; }
  QPushButton* dpiDownControl() const { return m_dpiDown; }
  QSpinBox* dpiButtonControl() const { return m_dpiButton; }
  QPushButton* ballisticUpControl() const { return m_ballisticUp; }
  QPushButton* ballisticDownControl() const { return m_ballisticDown; }
  QPushButton* unplugControl() const { return m_unplug; }

  int dpiLevel() const { return m_dpiLevel; }  // the level the last DPI press reported
  bool isUnplugged() const { return m_unplugged; }

 Q_SIGNALS:
  // The mouse was pulled out: from now on every report to it fails and its reads end.
  void unplugged();

 public Q_SLOTS:
  // Shows the mouse's active profile again (it changes when a profile-switch key is pressed).
  void refresh();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* buildButtons();
  QWidget* buildProfiles();
  QWidget* buildDpi();
  QWidget* buildBallistic();
  void pressButton(int button);
  void releaseButton(int button);
  void stepDpi(bool up);
  void unplug();

  SimulatedMouse& m_mouse;
  std::array<QPushButton*, kPanelButtons> m_buttons{};
  std::array<QPushButton*, kPanelButtons> m_holds{};
  QButtonGroup* m_profiles = nullptr;
  QPushButton* m_dpiUp = nullptr;
  QPushButton* m_dpiDown = nullptr;
  QSpinBox* m_dpiButton = nullptr;
  QLabel* m_dpiLabel = nullptr;
  QPushButton* m_ballisticUp = nullptr;
  QPushButton* m_ballisticDown = nullptr;
  QPushButton* m_unplug = nullptr;
  QLabel* m_state = nullptr;
  int m_dpiLevel = 0;
  std::optional<int> m_dpiCommand;  // the level of the last DPI command the panel has seen
  bool m_unplugged = false;
};

}  // namespace tarvosk
