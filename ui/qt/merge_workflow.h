// The desktop's merge: the Merge Control dialog, then the merge core with the Preview
// Result dialog as chooser and message boxes for failures and the report.
#pragma once

#include "scene/torvane_doc.h"
#include "ui/merge_command.h"

#include <QString>

#include <functional>

class CMergeControlDlg;
class CPreviewResultDlg;
class QWidget;
class UserPrompts;

class MergeWorkflow {
  public:
    // The report is captioned reportCaption (the application's title); applied runs once a
    // merge has changed the document (the view redraws and marks it).
    MergeWorkflow(CTorvaneDoc& doc, UserPrompts& prompts, QWidget* owner,
                  const QString& reportCaption, std::function<void()> applied);

    // "Merge by Translating" and "Merge by Rotating": the dialog with that method chosen,
    // then the merge when it closes with Merge.
    void runMergeCommand(int method = MERGE_TRANSLATE);
    // The quick merge of the pick modes: four picks with clusters 1, 1, 2, 2.
    void runQuickMerge(const std::vector<MergeSelection>& picks, int mode);
    // "Circle touching three" after its third pick.
    void runTouchingThree(const std::vector<SceneObject*>& picks);

    // How the modal dialogs are shown; true for OK. Tests drive the real dialogs here.
    std::function<bool(CMergeControlDlg&)> showControl;
    std::function<bool(CPreviewResultDlg&)> showPreview;
    // Shows candidate k of the problem in the plane while the preview is open; called with
    // no problem when the merge ends.
    std::function<void(const MergeProblem*, int)> showInPlane;

  private:
    void run(const std::vector<MergeSelection>& selection, int mode);

    CTorvaneDoc& doc;
    UserPrompts& prompts;
    QWidget* owner;
    QString reportCaption;
    std::function<void()> applied;
};
