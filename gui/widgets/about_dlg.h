#pragma once
// CAboutDlg: the plain about box, reached from the main window's context menu.

#include <QDialog>

class QLabel;

namespace tarvosk {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

  // The first line: the program's name and version.
  QString nameLine() const;
};

}  // namespace tarvosk
