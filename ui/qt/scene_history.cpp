// One undo command per recorded step, holding the step's difference of the object list.
#include "ui/qt/scene_history.h"

#include <QUndoCommand>

namespace {

class SceneStep : public QUndoCommand {
  public:
    SceneStep(const QString& name, SceneChange change, CTorvaneDoc& doc, SceneHistory& history)
        : QUndoCommand(name), change(std::move(change)), doc(doc), history(history) {}

    void undo() override {
        change.applyBackward(doc);
        Q_EMIT history.documentRestored();
    }
    void redo() override {
        // Pushing calls redo, but the change is already in the document then.
        if (firstRedo) {
            firstRedo = false;
            return;
        }
        change.applyForward(doc);
        Q_EMIT history.documentRestored();
    }

  private:
    SceneChange change;
    CTorvaneDoc& doc;
    SceneHistory& history;
    bool firstRedo = true;
};

} // namespace

SceneHistory::SceneHistory(CTorvaneDoc& document) : doc(document) {
    connect(&stack, &QUndoStack::cleanChanged, this, &SceneHistory::announceModified);
}

void SceneHistory::announceModified() {
    const bool now = isModified();
    if (now == announcedModified)
        return;
    announcedModified = now;
    Q_EMIT modifiedChanged(now);
}

void SceneHistory::noteOpenChange() {
    if (!pending || pending->touched)
        return;
    pending->touched = true;
    announceModified();
}

void SceneHistory::apply(const QString& name, const std::function<void()>& change) {
    begin(name);
    change();
    commit();
}

void SceneHistory::begin(const QString& name) {
    commit();
    pending = Pending{name, takeSnapshot(doc)};
}

bool SceneHistory::commit() {
    if (!pending)
        return false;
    SceneChange change = SceneChange::between(pending->before, doc);
    const QString name = pending->name;
    pending.reset();
    if (change.empty()) {
        announceModified();
        return false;
    }
    stack.push(new SceneStep(name, std::move(change), doc, *this));
    announceModified();
    return true;
}

void SceneHistory::cancel() {
    if (!pending)
        return;
    const SceneChange change = SceneChange::between(pending->before, doc);
    pending.reset();
    announceModified();
    if (change.empty())
        return;
    change.applyBackward(doc);
    Q_EMIT documentRestored();
}

void SceneHistory::undo() {
    commit();
    stack.undo();
}

void SceneHistory::redo() {
    commit();
    stack.redo();
}

void SceneHistory::clear() {
    pending.reset();
    stack.clear();
    announceModified();
}

void SceneHistory::markSaved() {
    commit();
    stack.setClean();
    announceModified();
}
