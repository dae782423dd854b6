// The Edit menu's commands and the Delete key: undo and redo of the scene history, and
// deleting the selected object.
#pragma once

#include "app/command_router.h"

class CTorvaneView;
class SceneHistory;

class EditCommands {
  public:
    EditCommands(SceneHistory& history, CTorvaneView& view);

    void registerWith(CommandRouter& router);

    void undo();
    void redo();

  private:
    // Neither while a drag is in progress: its start state would no longer hold.
    bool historyAvailable() const;
    // Ends typing in an information-bar field, so that its step is complete and the field
    // shows the restored value afterwards.
    void finishFieldEdit();

    SceneHistory& history;
    CTorvaneView& view;
};
