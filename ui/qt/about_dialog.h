// The About box: icon, version, year and credits, and an OK button.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(const QIcon& icon, QWidget* parent = nullptr);
};
