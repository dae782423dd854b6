// File dialogs and message boxes of the desktop program.
#include "ui/qt/user_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

QString DialogPrompts::openFileName(QWidget* owner, const QString& filter, const QString& folder) {
    return QFileDialog::getOpenFileName(owner, QString(), folder, filter);
}

QString DialogPrompts::saveFileName(QWidget* owner, const QString& title, const QString& filter,
                                    const QString& defaultSuffix, const QString& initialName,
                                    QString* chosenFilter) {
    QFileDialog dialog(owner, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(initialName);
    // A name typed without extension gets the one of the filter in force.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        const QRegularExpressionMatch m = QRegularExpression(R"(\(\*\.(\w+)\))").match(f);
        if (m.hasMatch())
            dialog.setDefaultSuffix(m.captured(1));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
}

void DialogPrompts::message(QWidget* owner, const QString& caption, const QString& text,
                            Icon icon) {
    switch (icon) {
    case Icon::Information:
        QMessageBox::information(owner, caption, text);
        break;
    case Icon::Warning:
        QMessageBox::warning(owner, caption, text);
        break;
    case Icon::Error:
        QMessageBox::critical(owner, caption, text);
        break;
    }
}

UserPrompts::SaveAnswer DialogPrompts::askSaveChanges(QWidget* owner, const QString& caption,
                                                      const QString& question) {
    const auto answer = QMessageBox::question(
        owner, caption, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return SaveAnswer::Save;
    if (answer == QMessageBox::No)
        return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}
