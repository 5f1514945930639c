// Profiles and languages on the main window: the three name fields over the profile tabs,
// hide-and-revert, import, export and factory reset of the configuration, and the language switch.

#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>

#include "app/app_context.h"
#include "app/macro_page.h"
#include "app/main_window.h"
#include "settings/config_file.h"
#include "settings/language.h"
#include "settings/profiles.h"
#include "widgets/about_version.h"
#include "window/language_switch.h"

namespace tarvosk {

namespace {

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

void COrvik_VOrozoDlg::createNameEdits() {
  for (int tab = 1; tab <= kProfileTabs; ++tab) {
    auto& edit = m_nameEdits[static_cast<std::size_t>(tab - 1)];
    if (edit) continue;
    const LayoutRect& rect = m_ctx.layout.mainEdit[static_cast<std::size_t>(tab - 1)];
    edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("profileName%1").arg(kProfileNameEditIds[tab - 1]));
    edit->setGeometry(rect.left, rect.top, std::max(0, rect.width()), std::max(0, rect.height()));
    edit->setAlignment(Qt::AlignCenter);
    edit->setFrame(false);
    edit->setFont(m_fonts.normal());
    // The skin leaves a black well under each field: white text on black, as the skin expects.
    edit->setStyleSheet(QStringLiteral("QLineEdit { color: white; background: black; border: none; "
                                       "selection-background-color: rgb(0, 120, 153); }"));
    edit->setText(fromUtf8(m_snapshot.profileName[static_cast<std::size_t>(tab - 1)]));
    edit->setReadOnly(m_apply.running());
    connect(edit, &QLineEdit::textChanged, this, [this, tab](const QString& text) { nameEdited(tab, text); });
    edit->show();
  }
}

void COrvik_VOrozoDlg::destroyNameEdits() {
  for (auto& edit : m_nameEdits) {
    if (edit) edit->deleteLater();
    edit = nullptr;
  }
}

void COrvik_VOrozoDlg::nameEdited(int tab, const QString& text) {
  if (m_settingNameText) return;
  NameEditOutcome outcome;
  if (!changeSettings([&](SettingsRecord& s) {
        outcome = editProfileName(s, tab, text.toStdString(), m_ctx.paths.configFile);
      })) {
    return;  // the fields are read-only while an apply runs
  }
  if (outcome.action == NameEditOutcome::Action::Reverted) {
    if (QLineEdit* edit = profileNameEdit(tab)) {
      // Putting the stored name back raises one more change, which then finds nothing to do.
      edit->setText(fromUtf8(outcome.fieldText));
    }
  }
  if (!outcome.written) m_prompter.showMessage(kErrorMessage);
}

void COrvik_VOrozoDlg::hideAndRevert() {
  changeSettings([this](SettingsRecord& s) {
    // The level the mouse reported stays; every other change since the last apply goes.
    saveDpiLevel(s, m_ctx.paths.configFile);
    loadSlot(s, m_ctx.paths, s.currentProfile, ConfigSource::Current, m_prompter);
  });
  hideToTray();
}

QString COrvik_VOrozoDlg::chooseFile(FileDialogKind kind) {
  if (m_fileChooser) return m_fileChooser(kind);
  const QString folder = QString::fromStdString(m_ctx.paths.programFolder.string());
  const QString filter = QStringLiteral("All Files(*.ini) (*.ini)");
  QFileDialog dialog(this, QString(), folder, filter);
  if (kind == FileDialogKind::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("ini"));
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

void COrvik_VOrozoDlg::importProfile() {
  const QString file = chooseFile(FileDialogKind::Open);
  if (file.isEmpty()) return;
  TransferResult result = TransferResult::Error;
  changeSettings([&](SettingsRecord& s) {
    result = tarvosk::importProfile(s, m_ctx.paths, std::filesystem::path(file.toStdString()), m_prompter);
  });
  if (result == TransferResult::Ok) m_configUsable = true;
  if (result != TransferResult::Error) setNameEditTexts();
  update();
}

void COrvik_VOrozoDlg::exportProfile() {
  const QString file = chooseFile(FileDialogKind::Save);
  if (file.isEmpty()) return;
  // What goes out is the file as last saved; changes not yet applied are not in it.
  tarvosk::exportProfile(m_ctx.paths, std::filesystem::path(file.toStdString()), m_prompter);
  update();
}

void COrvik_VOrozoDlg::resetToFactory() {
  bool reset = false;
  changeSettings([&](SettingsRecord& s) { reset = tarvosk::resetToFactory(s, m_ctx.paths, m_prompter); });
  if (reset) m_configUsable = true;
  update();
}

void COrvik_VOrozoDlg::persistSelectedProfile() {
  changeSettings([this](SettingsRecord& s) { saveCurrentProfile(s, m_ctx.paths.configFile); });
}

void COrvik_VOrozoDlg::setNameEditTexts() {
  m_settingNameText = true;
  for (int tab = 1; tab <= kProfileTabs; ++tab) {
    if (QLineEdit* edit = profileNameEdit(tab)) {
      edit->setText(fromUtf8(m_snapshot.profileName[static_cast<std::size_t>(tab - 1)]));
    }
  }
  m_settingNameText = false;
}

void COrvik_VOrozoDlg::switchLanguage(int32_t language) {
  if (m_popups) m_popups->closeAll();
  LanguageSwitchResult result;
  changeSettings([&](SettingsRecord& s) {
    LanguageSwitchState state{s, m_ctx.paths, m_ctx.layout, m_ctx.library, m_ctx.macros, m_ctx.currentMacro};
    result = switchInterfaceLanguage(state, language, m_prompter);
  });
  if (result.layouts == LayoutLoadResult::FileMissing) {
    leaveProgram();
    return;
  }
  if (!result.macrosSaved) m_prompter.showMessage(kErrorMessage);
  m_ctx.macroSource.reset(m_ctx.paths.macroFolder(language), language, m_ctx.builtIns);
  if (m_ctx.library.groupCount > 0) {
    m_ctx.macroSource.setEditedMacro(&m_ctx.macros, m_ctx.library.currentGroup, m_ctx.currentMacro);
  }
  // The edit rectangles and the paint regions follow the new language's layout.
  m_regions = mainPaintRegions(m_shape.region, m_ctx.layout);
  if (m_page == 0) {
    destroyNameEdits();
    createNameEdits();
  }
  m_macroPage->refill();
  retranslateTray();
  setWindowTitle(programName());
  Q_EMIT languageChanged(language);
  update();
}

}  // namespace tarvosk
