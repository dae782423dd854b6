// Plugs the desktop's dialogs, message boxes and wait cursor into the merge core.
#include "ui/qt/merge_workflow.h"

#include "ui/qt/merge_control_dialog.h"
#include "ui/qt/preview_result_dialog.h"
#include "ui/qt/user_prompts.h"

#include <QGuiApplication>

namespace {

class DesktopMergeInteraction : public MergeInteraction {
  public:
    DesktopMergeInteraction(UserPrompts& prompts, QWidget* owner,
                            const std::function<bool(CPreviewResultDlg&)>& showPreview,
                            const std::function<void()>& sceneChanged, const QString& reportCaption)
        : prompts(prompts), owner(owner), showPreview(showPreview), sceneChanged(sceneChanged),
          reportCaption(reportCaption) {}

    bool chooseCandidate(const MergeProblem& problem, int& chosen) override {
        CPreviewResultDlg preview(problem, prompts, owner);
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
    void beginWait() override { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    void endWait() override { QGuiApplication::restoreOverrideCursor(); }
    // Called once the merge has changed the document, before the report.
    void redraw() override {
        if (sceneChanged)
            sceneChanged();
    }

  private:
    UserPrompts& prompts;
    QWidget* owner;
    const std::function<bool(CPreviewResultDlg&)>& showPreview;
    const std::function<void()>& sceneChanged;
    const QString& reportCaption;
};

} // namespace

MergeWorkflow::MergeWorkflow(CTorvaneDoc& doc, UserPrompts& prompts, QWidget* owner,
                             const QString& reportCaption, std::function<void()> applied)
    : showControl([](CMergeControlDlg& d) { return d.exec() == QDialog::Accepted; }),
      showPreview([](CPreviewResultDlg& d) { return d.exec() == QDialog::Accepted; }), doc(doc),
      prompts(prompts), owner(owner), reportCaption(reportCaption), applied(std::move(applied)) {}

void MergeWorkflow::runMergeCommand() {
    CMergeControlDlg control(doc, owner);
    if (!showControl(control))
        return;
    run(control.model().selection(), control.model().method);
}

void MergeWorkflow::runQuickMerge(const std::vector<MergeSelection>& picks, int mode) {
    run(picks, mode);
}

void MergeWorkflow::run(const std::vector<MergeSelection>& selection, int mode) {
    DesktopMergeInteraction interaction(prompts, owner, showPreview, applied, reportCaption);
    runMerge(doc, selection, mode, interaction);
}
