#include "about_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "about_version.h"

namespace tarvosk {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("About %1").arg(programName()));
  auto* name = new QLabel(nameLine(), this);
  name->setObjectName(QStringLiteral("nameLine"));
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  auto* second = new QLabel(tr("Buttons, sensitivity, lighting and macros of your mouse."), this);
  second->setObjectName(QStringLiteral("secondLine"));
  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(name);
  text->addWidget(second);
  auto* row = new QHBoxLayout;
  row->addWidget(icon, 0, Qt::AlignTop);
  row->addLayout(text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::nameLine() const { return tr("%1 version %2").arg(programName(), programVersion()); }

}  // namespace tarvosk
