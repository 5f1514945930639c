#include "window_fixture.h"

#include <QSignalSpy>

namespace tarvosk::test {

namespace fs = std::filesystem;

WindowFixture::WindowFixture(const std::function<void(const fs::path& skins)>& adjust) {
  fs::copy(TARVOSK_RUNTIME_SKINS_DIR, skins(), fs::copy_options::recursive);
  if (adjust) adjust(skins());
  WindowOptions options;
  options.skinsFolder = skins();
  options.simulate = true;
  m_context = std::make_unique<AppContext>(options);
  m_window = std::make_unique<COrvik_VOrozoDlg>(*m_context);
  auto popups = std::make_unique<RecordingPopups>();
  m_popups = popups.get();
  m_window->setPopupPresenter(std::move(popups));
  m_window->prompter().setPresenter([this](const QString& text) { m_messages.push_back(text.toStdString()); });
  m_initialised = m_window->initialise();
  if (m_initialised) {
    m_window->show();
    m_window->move(0, 0);
    (void)QTest::qWaitForWindowExposed(m_window.get());
  }
}

WindowFixture::~WindowFixture() {
  if (m_window) m_window->hide();
}

const LayoutItem& WindowFixture::item(LayoutTable table, int index) const {
  const SkinLayout& l = m_context->layout;
  const auto at = [index](const auto& items) -> const LayoutItem& { return items.at(static_cast<std::size_t>(index)); };
  switch (table) {
    case LayoutTable::Main:
      return at(l.main);
    case LayoutTable::Led:
      return at(l.led);
    case LayoutTable::Advanced:
      return at(l.advanced);
    case LayoutTable::Macro:
      return at(l.macro);
    case LayoutTable::Warning:
      return at(l.warning);
  }
  return at(l.main);
}

QPoint WindowFixture::centre(LayoutTable table, int index) const {
  const LayoutItem& i = item(table, index);
  return QPoint(i.x + i.width / 2, i.y + i.height / 2);
}

void WindowFixture::hover(QPoint point) { QTest::mouseMove(m_window.get(), point); }

void WindowFixture::click(QPoint point) {
  hover(point);
  QTest::mousePress(m_window.get(), Qt::LeftButton, Qt::NoModifier, point);
  QTest::mouseRelease(m_window.get(), Qt::LeftButton, Qt::NoModifier, point);
}

void WindowFixture::showPage(int page) {
  static constexpr int kStripItem[] = {6, 7, 8, 9};
  clickItem(LayoutTable::Main, kStripItem[page]);
}

SettingsRecord WindowFixture::record() {
  auto lock = m_context->store.lock();
  return m_context->store.record;
}

bool WindowFixture::waitForApply(int timeoutMs) {
  if (!m_window->applying()) return true;
  QSignalSpy spy(m_window.get(), &COrvik_VOrozoDlg::applyFinished);
  return spy.wait(timeoutMs);
}

}  // namespace tarvosk::test
