// Frame creation in bar order, the menus, and the idle update pass.
#include "app/main_frame.h"

#include "app/button_images.h"
#include "app/command_texts.h"
#include "app/document_lifecycle.h"
#include "app/document_strings.h"
#include "app/key_locks.h"
#include "app/object_info_bar.h"
#include "app/recent_file_list.h"
#include "view/command_ids.h"
#include "view/qt/torvane_view.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

constexpr int kSeparator = 0;

// The accelerators; an item's own text already names its first key.
std::map<int, QList<QKeySequence>> accelerators() {
    return {
        {cmd::kFileNew, {QKeySequence("Ctrl+N")}},
        {cmd::kFileOpen, {QKeySequence("Ctrl+O")}},
        {cmd::kFileSave, {QKeySequence("Ctrl+S")}},
        {cmd::kFilePrint, {QKeySequence("Ctrl+P")}},
        {cmd::kEditUndo, {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
        {cmd::kEditRedo, {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}},
        {cmd::kEditCut, {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}},
        {cmd::kEditCopy, {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}},
        {cmd::kEditPaste, {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}},
        {cmd::kObjectDelete, {QKeySequence(QKeySequence::Delete)}},
        {cmd::kViewZoomToFit, {QKeySequence("Ctrl+0")}},
        {cmd::kNextPane, {QKeySequence("F6")}},
        {cmd::kPrevPane, {QKeySequence("Shift+F6")}},
        {cmd::kCancelPick, {QKeySequence(Qt::Key_Escape)}},
    };
}

void applyPrompt(QAction* a, const char* prompt) {
    if (!prompt)
        return;
    const QString text(prompt);
    const qsizetype split = text.indexOf('\n');
    a->setStatusTip(split < 0 ? text : text.left(split));
    if (split >= 0)
        a->setToolTip(text.mid(split + 1));
}

} // namespace

CMainFrame::CMainFrame(CommandRouter& commandRouter, DocumentLifecycle& documentLifecycle,
                       RecentFileList& recentFiles)
    : router(commandRouter), lifecycle(documentLifecycle), recent(recentFiles) {
    setObjectName("MainFrame");
    setWindowIcon(applicationIcon());
}

QAction* CMainFrame::action(int id) const {
    const auto it = actions.find(id);
    return it == actions.end() ? nullptr : it->second;
}

QAction* CMainFrame::makeAction(int id) {
    if (QAction* existing = action(id))
        return existing;
    auto* a = new QAction(this);
    a->setData(id);
    const CommandText* t = commandText(id);
    if (t && t->menuText)
        a->setText(t->menuText);
    if (t)
        applyPrompt(a, t->prompt);
    const auto keys = accelerators();
    if (const auto k = keys.find(id); k != keys.end()) {
        a->setShortcuts(k->second);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a); // accelerators work whether or not the item is on screen
    }
    a->setIcon(buttonImage(id));
    a->setEnabled(false); // until the first update pass
    connect(a, &QAction::triggered, this, [this, id] { router.run(id); });
    actions[id] = a;
    return a;
}

void CMainFrame::addItem(QMenu* menu, int id) {
    if (id == kSeparator)
        menu->addSeparator();
    else
        menu->addAction(makeAction(id));
}

bool CMainFrame::create(CTorvaneView* view) {
    if (!view)
        return false;
    torvaneView = view;
    setCentralWidget(view);
    createStatusBar();
    mainBar = createToolBar("MainToolbar", "Toolbar",
                            {cmd::kToolSelect, kSeparator, cmd::kToolMove, cmd::kToolRotate,
                             cmd::kToolZoom, kSeparator, cmd::kKindC, cmd::kKindCPrime, cmd::kKindL,
                             cmd::kKindLPrime, kSeparator, cmd::kReverse, kSeparator,
                             cmd::kShowPlane, cmd::kShowSpace},
                            kMainButtonSize);
    mainBar->setAllowedAreas(Qt::BottomToolBarArea);
    mainBar->setFloatable(false);
    addToolBar(Qt::BottomToolBarArea, mainBar);

    mergeBar = createToolBar("MergeToolbar", "Merge",
                             {cmd::kPickThree, kSeparator, cmd::kPickTranslate, cmd::kPickRotate},
                             kMergeButtonSize);
    mergeBar->setAllowedAreas(Qt::AllToolBarAreas);
    addToolBar(Qt::TopToolBarArea, mergeBar);

    createInfoBar();
    createMenus();
    // Keys without a menu item.
    for (int id : {cmd::kNextPane, cmd::kPrevPane, cmd::kObjectDelete, cmd::kCancelPick})
        makeAction(id);
    registerFrameCommands();
    connect(&lifecycle, &DocumentLifecycle::titleChanged, this, &CMainFrame::updateTitle);
    connect(&recent, &RecentFileList::changed, this, &CMainFrame::refreshRecentFiles);
    refreshRecentFiles();
    updateTitle();
    runUpdatePass();
    return true;
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    // A normal widget: the bar hides it while a prompt is shown and brings it back after.
    messagePane = new QLabel("Ready", bar);
    messagePane->setObjectName("MessagePane");
    bar->addWidget(messagePane, 1);
    const char* names[] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(names[i]);
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(names[i]) + 10);
        bar->addPermanentWidget(pane);
        indicators[i] = pane;
    }
}

QToolBar* CMainFrame::createToolBar(const char* name, const char* title,
                                    const std::initializer_list<int>& ids, QSize imageSize) {
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(name);
    bar->setProperty("commandId", cmd::kViewToolbar);
    bar->setIconSize(imageSize);
    bar->setContentsMargins(2, 2, 2, 2);
    for (int id : ids) {
        if (id == kSeparator)
            bar->addSeparator();
        else
            bar->addAction(makeAction(id));
    }
    return bar;
}

void CMainFrame::createInfoBar() {
    objectInfoBar = new CObjectInfoBar(this);
    objectInfoBar->setAllowedAreas(Qt::BottomToolBarArea);
    objectInfoBar->setFloatable(false);
    addToolBarBreak(Qt::BottomToolBarArea);
    addToolBar(Qt::BottomToolBarArea, objectInfoBar);
    connect(objectInfoBar, &CObjectInfoBar::editFocusChanged, torvaneView,
            &CTorvaneView::onInfoEditFocus);
    connect(objectInfoBar, &CObjectInfoBar::editTextChanged, this, [this] {
        torvaneView->onInfoEditChanged(objectInfoBar->editText(torvaneView->state.editingField));
    });
}

void CMainFrame::createMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    for (int id : {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, cmd::kFileSaveAs, kSeparator,
                   cmd::kFileExport, kSeparator, cmd::kFilePrint, cmd::kFilePrintPreview,
                   cmd::kFilePrintSetup, kSeparator})
        addItem(file, id);
    for (int i = 0; i < cmd::kRecentFileCount; ++i)
        addItem(file, cmd::kFileMruFirst + i);
    for (int id : {kSeparator, cmd::kAppExit})
        addItem(file, id);

    QMenu* edit = menuBar()->addMenu("&Edit");
    for (int id : {cmd::kEditUndo, cmd::kEditRedo, kSeparator, cmd::kEditCut, cmd::kEditCopy,
                   cmd::kEditPaste})
        addItem(edit, id);
    QMenu* cluster = menuBar()->addMenu("Cluster");
    addItem(cluster, cmd::kMergeTranslate);
    addItem(cluster, cmd::kMergeRotate);
    QMenu* view = menuBar()->addMenu("&View");
    addItem(view, cmd::kViewToolbar);
    addItem(view, cmd::kViewStatusBar);
    addItem(view, kSeparator);
    addItem(view, cmd::kViewZoomToFit);
    addItem(menuBar()->addMenu("&Help"), cmd::kAppAbout);
}

void CMainFrame::refreshRecentFiles() {
    const QStringList& files = recent.entries();
    for (int i = 0; i < cmd::kRecentFileCount; ++i) {
        QAction* a = action(cmd::kFileMruFirst + i);
        if (files.isEmpty() && i == 0) {
            a->setText("Recent File");
            a->setVisible(true);
            continue;
        }
        a->setVisible(i < files.size());
        if (i < files.size())
            a->setText(QString("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])));
    }
}

void CMainFrame::registerFrameCommands() {
    using T = CommandRouter::Target;
    router.add(
        T::Frame, cmd::kViewToolbar, [this] { mainBar->setVisible(!mainBar->isVisible()); },
        [this](CommandState& s) { s.checked = mainBar->isVisible(); });
    router.add(
        T::Frame, cmd::kViewStatusBar,
        [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
        [this](CommandState& s) { s.checked = statusBar()->isVisible(); });
    for (int i = 0; i < cmd::kRecentFileCount; ++i)
        router.add(
            T::Document, cmd::kFileMruFirst + i,
            [this, i] {
                if (i < recent.entries().size())
                    lifecycle.openDocumentFile(recent.entries()[i]);
            },
            [this, i](CommandState& s) { s.enabled = i < recent.entries().size(); });
}

void CMainFrame::runUpdatePass() {
    for (const auto& [id, a] : actions) {
        const CommandState s = router.state(id);
        if (a->isEnabled() != s.enabled)
            a->setEnabled(s.enabled);
        if (s.text && a->text() != QString::fromStdString(*s.text))
            a->setText(QString::fromStdString(*s.text));
        if (s.checked) {
            if (!a->isCheckable())
                a->setCheckable(true);
            if (a->isChecked() != *s.checked)
                a->setChecked(*s.checked);
        }
    }
    for (InfoField f : {InfoField::X, InfoField::Y, InfoField::RadiusOrX2, InfoField::Y2}) {
        const InfoEditUpdate u = torvaneView->onUpdateInfoEdit(f);
        if (!u.untouched)
            objectInfoBar->showEdit(f, u.enabled, QString::fromStdString(u.text));
    }
    // While a pick mode runs, the message pane says what to pick next.
    const std::string prompt = torvaneView->tools().pickPrompt();
    const QString message = prompt.empty() ? QString("Ready") : QString::fromStdString(prompt);
    if (messagePane->text() != message)
        messagePane->setText(message);
    const KeyLocks locks = currentKeyLocks();
    const bool on[] = {locks.caps, locks.num, locks.scroll};
    for (int i = 0; i < 3; ++i) {
        const QString text = on[i] ? indicators[i]->objectName() : QString();
        if (indicators[i]->text() != text)
            indicators[i]->setText(text);
    }
}

void CMainFrame::updateTitle() {
    setWindowTitle(lifecycle.title() + "[*] - " + doc_strings::kWindowTitle);
    setWindowModified(lifecycle.isModified());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (lifecycle.saveModified())
        event->accept();
    else
        event->ignore();
}
