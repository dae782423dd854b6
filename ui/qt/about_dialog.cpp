// About box layout: the icon beside the text lines, OK underneath.
#include "ui/qt/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(const QIcon& icon, QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Torvane");
    auto* iconLabel = new QLabel(this);
    iconLabel->setPixmap(icon.pixmap(32, 32));
    iconLabel->setAlignment(Qt::AlignTop);

    auto* lines = new QVBoxLayout;
    for (const char* text : {"Torvane Version 1.0", "Copyright (C) 2026",
                             "Oriented circles and lines, merged by translation or rotation.",
                             "Built with Qt, Mesa OpenGL, GLU, freeglut and FLINT."})
        lines->addWidget(new QLabel(text, this));

    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel);
    top->addLayout(lines);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
