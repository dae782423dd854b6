// Plugs the desktop's dialogs, message boxes and wait cursor into the merge core.
#include "ui/qt/merge_workflow.h"

#include "ui/qt/merge_control_dialog.h"
#include "ui/qt/preview_result_dialog.h"
#include "ui/qt/user_prompts.h"
#include "ui/touching_three_command.h"

#include <QGuiApplication>

namespace {

class DesktopMergeInteraction : public MergeInteraction {
  public:
    DesktopMergeInteraction(UserPrompts& prompts, QWidget* owner, const MergeWorkflow& workflow,
                            const std::function<void()>& sceneChanged, const QString& reportCaption)
        : prompts(prompts), owner(owner), showPreview(workflow.showPreview),
          showInPlane(workflow.showInPlane), sceneChanged(sceneChanged),
          reportCaption(reportCaption) {}

    bool chooseCandidate(const MergeProblem& problem, int& chosen) override {
        CPreviewResultDlg preview(problem, prompts, owner);
        if (showInPlane) {
            preview.candidateShown = [this, &problem](int k) { showInPlane(&problem, k); };
            showInPlane(&problem, 0);
        }
        placeBesideConstruction(preview);
        // The wait cursor is not the preview's: the user works in it.
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        const bool ok = showPreview(preview);
        QGuiApplication::restoreOverrideCursor();
        chosen = preview.selectedCandidate;
        return ok;
    }
    void showInfo(const std::string& text) override {
        prompts.message(owner, "Info", QString::fromStdString(text),
                        UserPrompts::Icon::Information);
    }
    void showReport(const std::string& text) override {
        prompts.message(owner, reportCaption, QString::fromStdString(text),
                        UserPrompts::Icon::Information);
    }
    void setActiveProblem(const MergeProblem* problem) override {
        if (!problem && showInPlane)
            showInPlane(nullptr, -1);
    }
    void beginWait() override { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    void endWait() override { QGuiApplication::restoreOverrideCursor(); }
    // Called once the merge has changed the document, before the report.
    void redraw() override {
        if (sceneChanged)
            sceneChanged();
    }

  private:
    // The construction is drawn from the view's lower left, so the dialog goes to the
    // view's upper right corner, where it hides the least of it.
    void placeBesideConstruction(QDialog& dialog) const {
        if (!owner)
            return;
        dialog.adjustSize();
        const QPoint corner = owner->mapToGlobal(QPoint(owner->width(), 0));
        dialog.move(corner.x() - dialog.frameGeometry().width(), corner.y());
    }

    UserPrompts& prompts;
    QWidget* owner;
    const std::function<bool(CPreviewResultDlg&)>& showPreview;
    const std::function<void(const MergeProblem*, int)>& showInPlane;
    const std::function<void()>& sceneChanged;
    const QString& reportCaption;
};

} // namespace

MergeWorkflow::MergeWorkflow(CTorvaneDoc& doc, UserPrompts& prompts, QWidget* owner,
                             const QString& reportCaption, std::function<void()> applied)
    : showControl([](CMergeControlDlg& d) { return d.exec() == QDialog::Accepted; }),
      showPreview([](CPreviewResultDlg& d) { return d.exec() == QDialog::Accepted; }), doc(doc),
      prompts(prompts), owner(owner), reportCaption(reportCaption), applied(std::move(applied)) {}

void MergeWorkflow::runMergeCommand(int method) {
    CMergeControlDlg control(doc, owner, method);
    if (!showControl(control))
        return;
    run(control.model().selection(), control.model().method);
}

void MergeWorkflow::runQuickMerge(const std::vector<MergeSelection>& picks, int mode) {
    run(picks, mode);
}

void MergeWorkflow::runTouchingThree(const std::vector<SceneObject*>& picks) {
    DesktopMergeInteraction interaction(prompts, owner, *this, applied, reportCaption);
    ::runTouchingThree(doc, picks, interaction);
}

void MergeWorkflow::run(const std::vector<MergeSelection>& selection, int mode) {
    DesktopMergeInteraction interaction(prompts, owner, *this, applied, reportCaption);
    runMerge(doc, selection, mode, interaction);
}
