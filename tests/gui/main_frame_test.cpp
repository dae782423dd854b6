// The main window as a user meets it: menus, accelerators, bars, status panes, About box.
#include "gui_support.h"

#include "app/object_info_bar.h"
#include "view/command_ids.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

struct Item {
    int id; // 0 = separator
    const char* text;
};

std::vector<Item> itemsOf(QMenu* menu) {
    std::vector<Item> out;
    for (QAction* a : menu->actions()) {
        if (!a->isVisible())
            continue;
        out.push_back({a->isSeparator() ? 0 : a->data().toInt(), nullptr});
    }
    return out;
}

QMenu* menuTitled(QMenuBar* bar, const QString& title) {
    for (QAction* a : bar->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

std::vector<int> toolbarIds(QToolBar* bar) {
    std::vector<int> ids;
    for (QAction* a : bar->actions())
        ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
    return ids;
}

class MainFrameTest : public GuiTest {};

TEST_F(MainFrameTest, MenuBarHasTheFiveMenusWithTheirItemsIdsAndTexts) {
    start();
    QMenuBar* bar = frame().menuBar();
    QStringList titles;
    for (QAction* a : bar->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "Cluster", "&View", "&Help"}));

    const std::vector<int> fileIds = {57600, 57601, 57603, 57604, 0,     57610, 0,
                                      57607, 57609, 57606, 0,     57616, 0,     57665};
    std::vector<int> ids;
    for (const Item& i : itemsOf(menuTitled(bar, "&File")))
        ids.push_back(i.id);
    EXPECT_EQ(ids, fileIds);
    const std::map<int, QString> texts = {
        {57600, "&New\tCtrl+N"},   {57601, "&Open...\tCtrl+O"}, {57603, "&Save\tCtrl+S"},
        {57604, "Save &As..."},    {57610, "Export"},           {57607, "&Print...\tCtrl+P"},
        {57609, "Print Pre&view"}, {57606, "P&rint Setup..."},  {57616, "Recent File"},
        {57665, "E&xit"},          {57643, "&Undo\tCtrl+Z"},    {57635, "Cu&t\tCtrl+X"},
        {57634, "&Copy\tCtrl+C"},  {57637, "&Paste\tCtrl+V"},   {32805, "Merge by Translating"},
        {59392, "&Toolbar"},       {59393, "&Status Bar"},      {57664, "&About Torvane..."}};
    for (const auto& [id, text] : texts) {
        ASSERT_NE(frame().action(id), nullptr) << id;
        EXPECT_EQ(frame().action(id)->text(), text) << id;
    }
    ids.clear();
    for (const Item& i : itemsOf(menuTitled(bar, "&Edit")))
        ids.push_back(i.id);
    EXPECT_EQ(ids, (std::vector<int>{57643, 57644, 0, 57635, 57634, 57637}));
    EXPECT_EQ(frame().action(cmd::kEditRedo)->text(), "&Redo\tCtrl+Y");
    EXPECT_EQ(menuTitled(bar, "Cluster")->actions().front()->data().toInt(), 32805);
    EXPECT_EQ(frame().action(cmd::kFileExport)->statusTip(), "Export to a eps file");
    EXPECT_EQ(frame().action(cmd::kFileExport)->toolTip(), "Export");
}

TEST_F(MainFrameTest, EditItemsWithNothingToActOnAreDisabledAndTheRecentFilePlaceholderToo) {
    start();
    // Nothing to undo or redo, nothing selected to cut or copy.
    for (int id : {57643, 57644, 57635, 57634})
        EXPECT_FALSE(frame().action(id)->isEnabled()) << id;
    EXPECT_FALSE(frame().action(cmd::kFileMruFirst)->isEnabled());
    for (int id :
         {57600, 57601, 57603, 57604, 57610, 57607, 57609, 57606, 57665, 57664, 59392, 59393})
        EXPECT_TRUE(frame().action(id)->isEnabled()) << id;
}

TEST_F(MainFrameTest, AcceleratorsIncludeTheAlternativeEditKeys) {
    start();
    const auto has = [&](int id, const char* key) {
        return frame().action(id)->shortcuts().contains(QKeySequence(key));
    };
    EXPECT_TRUE(has(cmd::kFileNew, "Ctrl+N"));
    EXPECT_TRUE(has(cmd::kFileOpen, "Ctrl+O"));
    EXPECT_TRUE(has(cmd::kFileSave, "Ctrl+S"));
    EXPECT_TRUE(has(cmd::kFilePrint, "Ctrl+P"));
    EXPECT_TRUE(has(cmd::kEditUndo, "Alt+Backspace"));
    EXPECT_TRUE(has(cmd::kEditRedo, "Ctrl+Y"));
    EXPECT_TRUE(has(cmd::kEditRedo, "Ctrl+Shift+Z"));
    EXPECT_TRUE(has(cmd::kEditCut, "Shift+Del"));
    EXPECT_TRUE(has(cmd::kEditCopy, "Ctrl+Ins"));
    EXPECT_TRUE(has(cmd::kEditPaste, "Shift+Ins"));
    EXPECT_TRUE(has(cmd::kNextPane, "F6"));
    EXPECT_TRUE(has(cmd::kPrevPane, "Shift+F6"));
}

TEST_F(MainFrameTest, ToolbarsHoldTheirButtonsInOrderAndSitWhereTheyBelong) {
    start();
    EXPECT_EQ(toolbarIds(frame().mainToolBar()),
              (std::vector<int>{32783, 0, 32784, 32786, 32785, 0, 32787, 32807, 32788, 32808, 0,
                                32801, 0, 32809, 32810}));
    EXPECT_EQ(toolbarIds(frame().mergeToolBar()), (std::vector<int>{32812, 0, 32814, 32815}));
    EXPECT_EQ(frame().toolBarArea(frame().mainToolBar()), Qt::BottomToolBarArea);
    EXPECT_EQ(frame().toolBarArea(frame().mergeToolBar()), Qt::TopToolBarArea);
    EXPECT_EQ(frame().toolBarArea(frame().infoBar()), Qt::BottomToolBarArea);
    EXPECT_EQ(frame().mainToolBar()->iconSize(), QSize(31, 31));
    EXPECT_EQ(frame().mergeToolBar()->iconSize(), QSize(45, 35));
    EXPECT_EQ(frame().mergeToolBar()->allowedAreas(), Qt::AllToolBarAreas);
    for (int id : {32783, 32784, 32786, 32785, 32787, 32807, 32788, 32808, 32801, 32809, 32810,
                   32812, 32814, 32815})
        EXPECT_FALSE(frame().action(id)->icon().isNull()) << id;
    EXPECT_EQ(frame().action(cmd::kToolSelect)->toolTip(), "Select Object");
    EXPECT_EQ(frame().action(cmd::kKindL)->statusTip(), "Change to be a ray");
}

TEST_F(MainFrameTest, ToolbarItemTogglesTheMainToolbarAndShowsItsState) {
    start();
    QAction* toggle = frame().action(cmd::kViewToolbar);
    EXPECT_TRUE(toggle->isChecked());
    trigger(cmd::kViewToolbar);
    EXPECT_FALSE(frame().mainToolBar()->isVisible());
    EXPECT_TRUE(frame().mergeToolBar()->isVisible());
    EXPECT_FALSE(toggle->isChecked());
    trigger(cmd::kViewStatusBar);
    EXPECT_FALSE(frame().statusBar()->isVisible());
    EXPECT_FALSE(frame().action(cmd::kViewStatusBar)->isChecked());
}

TEST_F(MainFrameTest, StatusBarShowsReadyAndTheThreeIndicatorPanes) {
    start();
    QStatusBar* bar = frame().statusBar();
    auto* ready = bar->findChild<QLabel*>("MessagePane");
    ASSERT_NE(ready, nullptr);
    EXPECT_EQ(ready->text(), "Ready");
    std::vector<QLabel*> panes;
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        auto* pane = bar->findChild<QLabel*>(name);
        ASSERT_NE(pane, nullptr) << name;
        panes.push_back(pane);
    }
    EXPECT_LT(panes[0]->x(), panes[1]->x());
    EXPECT_LT(panes[1]->x(), panes[2]->x());
    EXPECT_LT(ready->x(), panes[0]->x());
}

TEST_F(MainFrameTest, InformationBarHasItsCaptionLabelsAndEditsInTheirSlots) {
    start();
    CObjectInfoBar* bar = frame().infoBar();
    EXPECT_EQ(bar->windowTitle(), "Object Propertys");
    const QList<QAction*> cells = bar->actions();
    ASSERT_EQ(cells.size(), 13);
    struct Slot {
        int index;
        const char* label; // null for an edit
        int width;
        int id;
    };
    const Slot expected[] = {{0, "X", 17, 32797},           {1, nullptr, 100, 32793},
                             {3, "Y", 17, 32798},           {4, nullptr, 100, 32794},
                             {6, "Radius / X2", 80, 32799}, {7, nullptr, 100, 32795},
                             {9, "Y2", 26, 32800},          {10, nullptr, 100, 32796}};
    for (const Slot& s : expected) {
        QWidget* w = bar->widgetForAction(cells[s.index]);
        ASSERT_NE(w, nullptr) << s.index;
        EXPECT_EQ(w->width(), s.width) << s.index;
        EXPECT_EQ(w->property("commandId").toInt(), s.id) << s.index;
        if (s.label) {
            auto* label = qobject_cast<QLabel*>(w);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), s.label);
            EXPECT_EQ(label->alignment(), Qt::AlignCenter);
        } else {
            auto* edit = qobject_cast<QLineEdit*>(w);
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->statusTip(), "Set object property");
        }
    }
    for (int i : {2, 5, 8, 11})
        EXPECT_TRUE(cells[i]->isSeparator()) << i;
    EXPECT_EQ(cells[12]->data().toInt(), 32782);
    EXPECT_FALSE(cells[12]->isEnabled());
}

TEST_F(MainFrameTest, AboutBoxShowsTitleVersionAndOk) {
    start();
    QStringList texts;
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        for (QLabel* l : box->findChildren<QLabel*>())
            if (!l->text().isEmpty())
                texts << l->text();
        auto* ok = box->findChild<QPushButton*>();
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "OK");
        ok->click();
    });
    trigger(cmd::kAppAbout);
    EXPECT_EQ(title, "About Torvane");
    EXPECT_TRUE(texts.contains("Torvane Version 1.0"));
    EXPECT_EQ(texts.size(), 4); // version, year, two credit lines
}

} // namespace

namespace {

TEST(RenderingContext, AvailableContextPassesAndAnImpossibleOneIsReportedTwice) {
    FakePrompts prompts;
    EXPECT_TRUE(CTorvaneView::checkRenderingContext(prompts));
    EXPECT_TRUE(prompts.asked.empty());
    QSurfaceFormat impossible = CTorvaneView::requestedFormat();
    impossible.setVersion(99, 0); // no driver offers it
    EXPECT_FALSE(CTorvaneView::checkRenderingContext(prompts, impossible));
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0].caption, "Error");
    EXPECT_TRUE(prompts.asked[0].text == "ChoosePixelFormat failed" ||
                prompts.asked[0].text == "SetPixelFormat failed");
    EXPECT_EQ(prompts.asked[1].text, "SetPixelformat Failed!");
    EXPECT_EQ(prompts.asked[1].caption, "Error");
}

} // namespace
