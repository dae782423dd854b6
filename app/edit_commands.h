// The Edit menu's commands and the Delete key: undo and redo of the scene history,
// deleting the selected object, and the clipboard, which carries an object as its JSON
// text.
#pragma once

#include "app/command_router.h"

#include <QString>

#include <functional>

class CTorvaneDoc;
class CTorvaneView;
class SceneHistory;

class EditCommands {
  public:
    // status shows a short note in the status bar.
    EditCommands(CTorvaneDoc& doc, SceneHistory& history, CTorvaneView& view,
                 std::function<void(const QString&)> status);

    void registerWith(CommandRouter& router);

    void undo();
    void redo();
    void copy();
    void cut();
    void paste();

  private:
    // Neither while a drag is in progress: its start state would no longer hold.
    bool historyAvailable() const;
    // Ends typing in an information-bar field, so that its step is complete and the field
    // shows the restored value afterwards.
    void finishFieldEdit();

    CTorvaneDoc& doc;
    SceneHistory& history;
    CTorvaneView& view;
    std::function<void(const QString&)> status;
    bool clipboardHasText = false;
};

// Where a pasted object goes: 10 units right of and 10 below the one copied.
inline constexpr double kPasteOffset = 10.0;
