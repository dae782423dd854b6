// Start-up order: settings key, recent-file list, the document template's three parts,
// the command line, then the window shown and painted.
#include "app/torvane_app.h"

#include "app/button_images.h"
#include "app/document_lifecycle.h"
#include "app/document_strings.h"
#include "app/edit_commands.h"
#include "app/main_frame.h"
#include "app/recent_file_list.h"
#include "app/scene_printing.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/merge_workflow.h"
#include "ui/qt/scene_export.h"
#include "ui/qt/scene_history.h"
#include "ui/qt/user_prompts.h"
#include "view/command_ids.h"
#include "view/picture_area.h"
#include "view/qt/torvane_view.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QLayout>
#include <QStatusBar>

namespace {

struct CommandLine {
    QString file;
    bool print = false;
};

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == "-p" || a == "/p" || a == "--print")
            line.print = true;
        else if (line.file.isEmpty() && !a.startsWith('-'))
            line.file = a;
    }
    return line;
}

} // namespace

CTorvaneApp::CTorvaneApp(UserPrompts& userPrompts)
    : prompts(userPrompts), sceneHistory(std::make_unique<SceneHistory>(doc)) {}

CTorvaneApp::~CTorvaneApp() = default;

CTorvaneView* CTorvaneApp::view() {
    return mainFrame ? mainFrame->view() : nullptr;
}

CTorvaneApp::StartResult CTorvaneApp::initInstance(const QStringList& arguments) {
    // The toolkit's widgets already have a three-dimensional look: nothing to turn on.
    QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
    QCoreApplication::setApplicationName(doc_strings::kWindowTitle);
    recent = std::make_unique<RecentFileList>(cmd::kRecentFileCount);

    documentLifecycle = std::make_unique<DocumentLifecycle>(doc, *sceneHistory, prompts, *recent);
    if (!CTorvaneView::checkRenderingContext(prompts))
        return StartResult::Failed;
    mainFrame = std::make_unique<CMainFrame>(router, *documentLifecycle, *recent);
    if (!mainFrame->create(new CTorvaneView(doc, *sceneHistory, mainFrame.get())))
        return StartResult::Failed;
    documentLifecycle->setOwnerWindow(mainFrame.get());
    printing = std::make_unique<ScenePrinting>(doc, view()->state, prompts);
    printing->setOwnerWindow(mainFrame.get());
    printing->setScreenFont(view()->font());
    mergeWorkflow = std::make_unique<MergeWorkflow>(doc, prompts, view(), doc_strings::kWindowTitle,
                                                    [this] { view()->noteSceneChanged(); });
    view()->quickMergeHandler = [this](const std::vector<MergeSelection>& picks, int mode) {
        sceneHistory->apply("Merge", [&] { mergeWorkflow->runQuickMerge(picks, mode); });
    };
    view()->touchingThreeHandler = [this](const std::vector<SceneObject*>& picks) {
        sceneHistory->apply("Circle touching three",
                            [&] { mergeWorkflow->runTouchingThree(picks); });
    };
    mergeWorkflow->showInPlane = [this](const MergeProblem* problem, int k) {
        view()->showMergeCandidate(problem, k);
    };
    QObject::connect(documentLifecycle.get(), &DocumentLifecycle::documentReplaced, view(),
                     &CTorvaneView::forgetObjects);
    QObject::connect(sceneHistory.get(), &SceneHistory::documentRestored, view(),
                     &CTorvaneView::onDocumentRestored);
    editCommands = std::make_unique<EditCommands>(doc, *sceneHistory, *view(),
                                                  [frame = mainFrame.get()](const QString& note) {
                                                      frame->statusBar()->showMessage(note, 5000);
                                                  });
    registerCommands();

    const CommandLine line = parseCommandLine(arguments);
    if (line.file.isEmpty()) {
        if (!documentLifecycle->newDocument())
            return StartResult::Failed;
    } else if (!documentLifecycle->openDocumentFile(line.file)) {
        return StartResult::Failed;
    }
    mainFrame->resize(1000, 750);
    if (line.print) {
        // The page shows the plane pane as the unshown window would size it.
        mainFrame->layout()->activate();
        view()->state.onSize(view()->width(), view()->height());
        return printing->printDirect() ? StartResult::Finished : StartResult::Failed;
    }
    mainFrame->show();
    view()->redraw();
    // The idle update: every handler's state refreshed whenever the event loop would wait.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     mainFrame.get(), &CMainFrame::runUpdatePass);
    return StartResult::Running;
}

void CTorvaneApp::registerCommands() {
    using T = CommandRouter::Target;
    CMainFrame* frame = mainFrame.get();
    router.add(T::View, cmd::kFileExport, [this, frame] {
        exportScene(frame, view(), prompts, doc, documentLifecycle->fileOrTitle(),
                    pictureArea(doc, view()->state), view()->font());
    });
    router.add(
        T::View, cmd::kViewZoomToFit, [this] { view()->tools().zoomToFit(); },
        [this](CommandState& s) { s.enabled = doc.objectCount > 0 && view()->state.showPlane; });
    router.add(T::View, cmd::kFilePrint, [this] { printing->print(); });
    router.add(T::View, cmd::kFilePrintPreview, [this] { printing->preview(); });
    // The dashed originals, the moved copies and the new circle are one step.
    router.add(T::View, cmd::kMergeTranslate, [this] {
        sceneHistory->apply("Merge", [this] { mergeWorkflow->runMergeCommand(MERGE_TRANSLATE); });
    });
    router.add(T::View, cmd::kMergeRotate, [this] {
        sceneHistory->apply("Merge", [this] { mergeWorkflow->runMergeCommand(MERGE_ROTATE); });
    });
    for (int id : {cmd::kToolSelect, cmd::kToolMove, cmd::kToolRotate, cmd::kToolZoom, cmd::kKindC,
                   cmd::kKindCPrime, cmd::kKindL, cmd::kKindLPrime, cmd::kReverse, cmd::kShowPlane,
                   cmd::kShowSpace, cmd::kPickThree, cmd::kPickTranslate, cmd::kPickRotate})
        router.add(
            T::View, id, [this, id] { view()->tools().onCommand(id); },
            [this, id](CommandState& s) { s.checked = view()->tools().isChecked(id); });
    // Escape belongs to the pick sequence only while one runs.
    router.add(
        T::View, cmd::kCancelPick, [this] { view()->tools().cancelPick(); },
        [this](CommandState& s) { s.enabled = !view()->tools().pickPrompt().empty(); });

    editCommands->registerWith(router);
    router.add(T::Document, cmd::kFileSave, [this] { documentLifecycle->save(); });
    router.add(T::Document, cmd::kFileSaveAs, [this] { documentLifecycle->saveAs(); });

    router.add(T::App, cmd::kFileNew, [this] { documentLifecycle->newDocument(); });
    router.add(T::App, cmd::kFileOpen, [this] { documentLifecycle->openDocument(); });
    router.add(T::App, cmd::kFilePrintSetup, [this] { printing->setup(); });
    router.add(T::App, cmd::kAppAbout, [this] { onAppAbout(); });
    router.add(T::App, cmd::kAppExit, [frame] { frame->close(); });
}

void CTorvaneApp::onAppAbout() {
    CAboutDlg about(applicationIcon(), mainFrame.get());
    about.exec();
}
