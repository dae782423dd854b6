// Undo and Redo show what they would take back or do again ("Undo Move") and are
// enabled only when there is such a step.
#include "app/edit_commands.h"

#include "ui/qt/scene_history.h"
#include "view/command_ids.h"
#include "view/qt/torvane_view.h"

namespace {

std::string itemText(const char* verb, const QString& step, const char* keys) {
    const QString text = step.isEmpty() ? QString("&%1\t%2").arg(verb, keys)
                                        : QString("&%1 %2\t%3").arg(verb, step, keys);
    return text.toStdString();
}

} // namespace

EditCommands::EditCommands(SceneHistory& sceneHistory, CTorvaneView& torvaneView)
    : history(sceneHistory), view(torvaneView) {}

bool EditCommands::historyAvailable() const {
    return !view.tools().dragging;
}

void EditCommands::finishFieldEdit() {
    if (view.state.editingField != 0)
        view.setFocus(Qt::OtherFocusReason);
}

void EditCommands::undo() {
    if (!historyAvailable())
        return;
    finishFieldEdit();
    history.undo();
}

void EditCommands::redo() {
    if (!historyAvailable())
        return;
    finishFieldEdit();
    history.redo();
}

void EditCommands::registerWith(CommandRouter& router) {
    using T = CommandRouter::Target;
    router.add(
        T::Document, cmd::kEditUndo, [this] { undo(); },
        [this](CommandState& s) {
            // An open edit (typing in a field) becomes a step as soon as it ends.
            const bool open = history.isOpen();
            s.enabled = historyAvailable() && (history.canUndo() || open);
            s.text = itemText("Undo", open ? history.openName() : history.undoText(), "Ctrl+Z");
        });
    router.add(
        T::Document, cmd::kEditRedo, [this] { redo(); },
        [this](CommandState& s) {
            s.enabled = historyAvailable() && history.canRedo() && !history.isOpen();
            s.text = itemText("Redo", history.isOpen() ? QString() : history.redoText(), "Ctrl+Y");
        });
    router.add(
        T::View, cmd::kObjectDelete, [this] { view.deleteSelected("Delete"); },
        [this](CommandState& s) { s.enabled = view.state.selectedObject && historyAvailable(); });
}
