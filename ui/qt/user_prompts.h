// Everything the desktop program asks the user or tells them in a modal box, behind one
// interface, so that tests can answer file dialogs and message boxes themselves.
#pragma once

#include <QString>

class QWidget;

class UserPrompts {
  public:
    enum class Icon { Information, Warning, Error };
    enum class SaveAnswer { Save, Discard, Cancel };

    virtual ~UserPrompts() = default;
    // Empty when cancelled. The dialog starts in folder (the working folder when empty).
    virtual QString openFileName(QWidget* owner, const QString& filter, const QString& folder) = 0;
    // Asks before overwriting; adds defaultSuffix to a name typed without one. filter may
    // hold several filters separated by ";;": the added suffix then follows the filter the
    // user picks, which is returned in chosenFilter.
    virtual QString saveFileName(QWidget* owner, const QString& title, const QString& filter,
                                 const QString& defaultSuffix, const QString& initialName,
                                 QString* chosenFilter = nullptr) = 0;
    virtual void message(QWidget* owner, const QString& caption, const QString& text,
                         Icon icon) = 0;
    virtual SaveAnswer askSaveChanges(QWidget* owner, const QString& caption,
                                      const QString& question) = 0;
};

// The real dialogs and message boxes.
class DialogPrompts : public UserPrompts {
  public:
    QString openFileName(QWidget* owner, const QString& filter, const QString& folder) override;
    QString saveFileName(QWidget* owner, const QString& title, const QString& filter,
                         const QString& defaultSuffix, const QString& initialName,
                         QString* chosenFilter = nullptr) override;
    void message(QWidget* owner, const QString& caption, const QString& text, Icon icon) override;
    SaveAnswer askSaveChanges(QWidget* owner, const QString& caption,
                              const QString& question) override;
};
