// CMergeControlDlg: assigns document objects to the two clusters and picks the method.
#pragma once

#include "ui/merge_selection.h"

#include <QDialog>

class QListWidget;
class QPushButton;

class CMergeControlDlg : public QDialog {
    Q_OBJECT

  public:
    // The method list starts on method (MERGE_TRANSLATE or MERGE_ROTATE).
    CMergeControlDlg(const CTorvaneDoc& doc, QWidget* parent, int method = MERGE_TRANSLATE);

    const MergeSelectionModel& model() const { return selectionModel; }
    // The list box or button with a control id (1000..1009), for callers that drive it.
    QListWidget* list(int id) const;
    QPushButton* button(int id) const;

  private:
    void moveSelected(int buttonId, int sourceList, int targetList);
    void refill(int listId);

    MergeSelectionModel selectionModel;
};
