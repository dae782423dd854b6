// CTorvaneApp: start-up of the single-document program (settings, recent files, the
// document with its frame and view, the command line) and the About command.
#pragma once

#include "app/command_router.h"
#include "scene/torvane_doc.h"

#include <QStringList>

#include <memory>

class CMainFrame;
class CTorvaneView;
class DocumentLifecycle;
class EditCommands;
class MergeWorkflow;
class RecentFileList;
class SceneHistory;
class ScenePrinting;
class UserPrompts;

class CTorvaneApp {
  public:
    enum class StartResult { Running, Finished, Failed };

    explicit CTorvaneApp(UserPrompts& prompts);
    ~CTorvaneApp();

    // "torvane" opens a new document, "torvane FILE.tvn" opens the file, "torvane -p FILE"
    // (or /p) prints it and finishes.
    StartResult initInstance(const QStringList& arguments);

    CTorvaneDoc& document() { return doc; }
    DocumentLifecycle& lifecycle() { return *documentLifecycle; }
    CMainFrame* frame() { return mainFrame.get(); }
    CTorvaneView* view();
    CommandRouter& commands() { return router; }
    MergeWorkflow& merges() { return *mergeWorkflow; }
    // The undo history: every change to the scene is one step on it.
    SceneHistory& history() { return *sceneHistory; }
    EditCommands& editing() { return *editCommands; }

    void onAppAbout();

  private:
    void registerCommands();

    UserPrompts& prompts;
    CTorvaneDoc doc;
    std::unique_ptr<SceneHistory> sceneHistory;
    CommandRouter router;
    std::unique_ptr<RecentFileList> recent;
    std::unique_ptr<DocumentLifecycle> documentLifecycle;
    std::unique_ptr<CMainFrame> mainFrame;
    std::unique_ptr<ScenePrinting> printing;
    std::unique_ptr<MergeWorkflow> mergeWorkflow;
    std::unique_ptr<EditCommands> editCommands;
};
