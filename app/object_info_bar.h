// The object information bar: four labelled edits in which the selected object's
// coordinates are shown and typed, laid out in the slots of a toolbar.
#pragma once

#include "ui/info_bar_rules.h"

#include <QToolBar>

#include <array>

class QLabel;
class QLineEdit;

class CObjectInfoBar : public QToolBar {
    Q_OBJECT

  public:
    explicit CObjectInfoBar(QWidget* parent = nullptr);

    QLineEdit* edit(InfoField field) const;
    // First line of an edit by its command id; empty for an unknown id.
    QString editText(int editId) const;
    // Sets text and state only where they differ, so typing and the cursor are not disturbed.
    void showEdit(InfoField field, bool enabled, const QString& text);
    // The button of the last slot; it has no command of its own.
    QAction* slotButton() const { return button; }

  Q_SIGNALS:
    void editFocusChanged(int editId, bool gained);
    void editTextChanged(int editId);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void addLabelled(const char* labelText, int labelId, int labelWidth, InfoField field);

    std::array<QLineEdit*, 4> edits{};
    QAction* button = nullptr;
};
