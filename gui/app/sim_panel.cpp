#include "app/sim_panel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "device/dpi_step.h"
#include "device/simulated_mouse.h"
#include "settings/settings_record.h"

namespace tarvosk {

SimPanel::SimPanel(SimulatedMouse& mouse, QWidget* parent) : QWidget(parent, Qt::Window), m_mouse(mouse) {
  setWindowTitle(QStringLiteral("Virtual mouse"));
  setObjectName(QStringLiteral("simPanel"));
  // Until the program sends a DPI command, the mouse is on the level it was left on; 0 then.
  m_dpiCommand = m_mouse.dpiLevel();
  m_dpiLevel = m_dpiCommand.value_or(0);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildButtons());
  layout->addWidget(buildProfiles());
  layout->addWidget(buildDpi());
  layout->addWidget(buildBallistic());
  m_unplug = new QPushButton(QStringLiteral("Unplug"), this);
  m_unplug->setToolTip(QStringLiteral("Pull the mouse out: every report to it fails from now on"));
  connect(m_unplug, &QPushButton::clicked, this, &SimPanel::unplug);
  layout->addWidget(m_unplug);
  m_state = new QLabel(this);
  layout->addWidget(m_state);
  refresh();
}

QWidget* SimPanel::buildButtons() {
  auto* box = new QGroupBox(QStringLiteral("Buttons"), this);
  auto* grid = new QGridLayout(box);
  for (int i = 0; i < kPanelButtons; ++i) {
    const int button = i + 1;
    auto* press = new QPushButton(QStringLiteral("Button %1").arg(button), box);
    press->setToolTip(QStringLiteral("Pressed while the pointer holds it down"));
    connect(press, &QPushButton::pressed, this, [this, button] { pressButton(button); });
    connect(press, &QPushButton::released, this, [this, button] { releaseButton(button); });
    auto* hold = new QPushButton(QStringLiteral("Hold"), box);
    hold->setCheckable(true);
    hold->setToolTip(QStringLiteral("Keep button %1 down until clicked again").arg(button));
    connect(hold, &QPushButton::toggled, this, [this, button, press](bool down) {
      // A held button cannot be pressed a second time.
      press->setEnabled(!down);
      if (down) {
        pressButton(button);
      } else {
        releaseButton(button);
      }
    });
    grid->addWidget(press, i, 0);
    grid->addWidget(hold, i, 1);
    m_buttons[static_cast<std::size_t>(i)] = press;
    m_holds[static_cast<std::size_t>(i)] = hold;
  }
  return box;
}

QWidget* SimPanel::buildProfiles() {
  auto* box = new QGroupBox(QStringLiteral("Active profile on the mouse"), this);
  auto* row = new QHBoxLayout(box);
  m_profiles = new QButtonGroup(box);
  for (int slot = 0; slot < kProfileSlots; ++slot) {
    auto* choice = new QRadioButton(QStringLiteral("Slot %1").arg(slot), box);
    m_profiles->addButton(choice, slot);
    row->addWidget(choice);
  }
  // Clicking the slot that is already active still tells the program, as the mouse's own
  // profile key does.
  connect(m_profiles, &QButtonGroup::idClicked, this, [this](int slot) {
    m_mouse.changeProfile(slot);
    refresh();
  });
  return box;
}

QWidget* SimPanel::buildDpi() {
  auto* box = new QGroupBox(QStringLiteral("DPI"), this);
  auto* row = new QHBoxLayout(box);
  row->addWidget(new QLabel(QStringLiteral("on button"), box));
  m_dpiButton = new QSpinBox(box);
  m_dpiButton->setRange(1, kPanelButtons);
  m_dpiButton->setValue(kDefaultDpiButton);
  m_dpiButton->setToolTip(QStringLiteral("The button whose key holds the DPI function in the active profile"));
  row->addWidget(m_dpiButton);
  m_dpiDown = new QPushButton(QStringLiteral("DPI down"), box);
  m_dpiUp = new QPushButton(QStringLiteral("DPI up"), box);
  connect(m_dpiDown, &QPushButton::clicked, this, [this] { stepDpi(false); });
  connect(m_dpiUp, &QPushButton::clicked, this, [this] { stepDpi(true); });
  row->addWidget(m_dpiDown);
  row->addWidget(m_dpiUp);
  m_dpiLabel = new QLabel(box);
  row->addWidget(m_dpiLabel);
  return box;
}

QWidget* SimPanel::buildBallistic() {
  auto* box = new QGroupBox(QStringLiteral("Ballistic correction"), this);
  auto* row = new QHBoxLayout(box);
  m_ballisticDown = new QPushButton(QStringLiteral("Step down"), box);
  m_ballisticUp = new QPushButton(QStringLiteral("Step up"), box);
  connect(m_ballisticDown, &QPushButton::clicked, this, [this] { m_mouse.ballisticStep(false); });
  connect(m_ballisticUp, &QPushButton::clicked, this, [this] { m_mouse.ballisticStep(true); });
  row->addWidget(m_ballisticDown);
  row->addWidget(m_ballisticUp);
  return box;
}

QPushButton* SimPanel::buttonControl(int button) const {
  return button >= 1 && button <= kPanelButtons ? m_buttons[static_cast<std::size_t>(button - 1)] : nullptr;
}

QPushButton* SimPanel::holdControl(int button) const {
  return button >= 1 && button <= kPanelButtons ? m_holds[static_cast<std::size_t>(button - 1)] : nullptr;
}

QAbstractButton* SimPanel::profileControl(int slot) const { return m_profiles->button(slot); }

void SimPanel::refresh() {
  if (QAbstractButton* active = m_profiles->button(m_mouse.activeProfile())) active->setChecked(true);
  m_dpiLabel->setText(QStringLiteral("level %1").arg(m_dpiLevel));
  m_state->setText(m_unplugged ? QStringLiteral("Unplugged: the mouse no longer answers.")
                               : QStringLiteral("Plugged in."));
}

void SimPanel::showEvent(QShowEvent* event) {
  refresh();
  QWidget::showEvent(event);
}

void SimPanel::pressButton(int button) {
  // A press of a profile-switch key changes the mouse's active profile first.
  m_mouse.pressButton(button);
  refresh();
}

void SimPanel::releaseButton(int button) { m_mouse.releaseButton(button); }

void SimPanel::stepDpi(bool up) {
  // A DPI command from the program (an apply) puts the mouse on the level it carries.
  if (const auto command = m_mouse.dpiLevel(); command != m_dpiCommand) {
    m_dpiCommand = command;
    if (command) m_dpiLevel = *command;
  }
  m_dpiLevel = dpiLevelAfterStep(m_dpiLevel, up, m_mouse.dpiEnableMask());
  const int button = m_dpiButton->value();
  m_mouse.pressButton(button, m_dpiLevel);
  m_mouse.releaseButton(button);
  refresh();
}

void SimPanel::unplug() {
  if (m_unplugged) return;
  m_unplugged = true;
  m_mouse.failFrom(0);
  // Readers waiting for input report 6 return at once, as on a real removal.
  m_mouse.disconnectInput();
  // Nothing on a mouse that is gone can be pressed any more.
  for (QWidget* child : findChildren<QWidget*>()) {
    if (child != m_state) child->setEnabled(false);
  }
  refresh();
  Q_EMIT unplugged();
}

}  // namespace tarvosk
