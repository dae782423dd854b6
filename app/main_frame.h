// CMainFrame: the top-level window with the menu, status bar, main and merge toolbars,
// the object information bar, and the view in the client area.
#pragma once

#include "app/command_router.h"

#include <QMainWindow>

#include <map>

class CObjectInfoBar;
class CTorvaneView;
class DocumentLifecycle;
class QLabel;
class QMenu;
class QToolBar;
class RecentFileList;

class CMainFrame : public QMainWindow {
    Q_OBJECT

  public:
    CMainFrame(CommandRouter& router, DocumentLifecycle& lifecycle, RecentFileList& recent);

    // Builds the bars and menus around the view; false when any part cannot be made.
    bool create(CTorvaneView* view);

    QAction* action(int id) const;
    CTorvaneView* view() const { return torvaneView; }
    QToolBar* mainToolBar() const { return mainBar; }
    QToolBar* mergeToolBar() const { return mergeBar; }
    CObjectInfoBar* infoBar() const { return objectInfoBar; }

    // Runs every update handler: enabled states, check marks, information bar, indicators.
    void runUpdatePass();
    void updateTitle();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QAction* makeAction(int id);
    void addItem(QMenu* menu, int id);
    void createStatusBar();
    QToolBar* createToolBar(const char* name, const char* title,
                            const std::initializer_list<int>& ids, QSize imageSize);
    void createInfoBar();
    void createMenus();
    void refreshRecentFiles();
    void registerFrameCommands();

    CommandRouter& router;
    DocumentLifecycle& lifecycle;
    RecentFileList& recent;
    CTorvaneView* torvaneView = nullptr;
    QToolBar* mainBar = nullptr;
    QToolBar* mergeBar = nullptr;
    CObjectInfoBar* objectInfoBar = nullptr;
    std::map<int, QAction*> actions;
    QLabel* messagePane = nullptr;
    QLabel* indicators[3] = {};
};
