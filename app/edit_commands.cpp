// Undo and Redo show what they would take back or do again ("Undo Move") and are
// enabled only when there is such a step. Copy puts the selected object on the clipboard
// as JSON, readable by people and by another Torvane; Paste reads it back.
#include "app/edit_commands.h"

#include "batch/scene_json.h"
#include "ui/qt/scene_history.h"
#include "view/command_ids.h"
#include "view/qt/torvane_view.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

std::string itemText(const char* verb, const QString& step, const char* keys) {
    const QString text = step.isEmpty() ? QString("&%1\t%2").arg(verb, keys)
                                        : QString("&%1 %2\t%3").arg(verb, step, keys);
    return text.toStdString();
}

// The clipboard text as an object, moved to where a paste puts it; false when the text
// is not an object. (Finite coordinates stay finite: 10 more than the largest double
// rounds back to it.)
bool pastedObject(const QString& text, SceneObject& out) {
    try {
        out = readSceneObjectJson(text.toStdString());
    } catch (const std::exception&) {
        return false;
    }
    for (int i = 0; i < 2; ++i) {
        out.x[i] += kPasteOffset;
        out.y[i] -= kPasteOffset;
    }
    return true;
}

} // namespace

EditCommands::EditCommands(CTorvaneDoc& document, SceneHistory& sceneHistory,
                           CTorvaneView& torvaneView, std::function<void(const QString&)> note)
    : doc(document), history(sceneHistory), view(torvaneView), status(std::move(note)) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Asking the clipboard in every update pass would ask the window system each time.
    auto refresh = [this, clipboard] { clipboardHasText = !clipboard->text().isEmpty(); };
    QObject::connect(clipboard, &QClipboard::dataChanged, &view, refresh);
    refresh();
}

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

void EditCommands::copy() {
    if (const SceneObject* obj = view.state.selectedObject)
        QGuiApplication::clipboard()->setText(QString::fromStdString(sceneObjectJson(*obj)));
}

void EditCommands::cut() {
    if (!view.state.selectedObject || !historyAvailable())
        return;
    copy();
    view.deleteSelected("Cut");
}

void EditCommands::paste() {
    if (!historyAvailable())
        return;
    SceneObject obj;
    if (!pastedObject(QGuiApplication::clipboard()->text(), obj)) {
        status("Nothing pasted: the clipboard holds no Torvane object.");
        return;
    }
    SceneObject* added = nullptr;
    history.apply(
        "Paste", [&] { added = doc.insertObject(static_cast<std::size_t>(doc.objectCount), obj); });
    view.state.selectedObject = added;
    view.noteSceneChanged();
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
    const auto selection = [this](CommandState& s) {
        s.enabled = view.state.selectedObject && historyAvailable();
    };
    router.add(
        T::View, cmd::kObjectDelete, [this] { view.deleteSelected("Delete"); }, selection);
    router.add(
        T::View, cmd::kEditCut, [this] { cut(); }, selection);
    router.add(
        T::View, cmd::kEditCopy, [this] { copy(); }, selection);
    router.add(
        T::View, cmd::kEditPaste, [this] { paste(); },
        [this](CommandState& s) { s.enabled = clipboardHasText && historyAvailable(); });
}
