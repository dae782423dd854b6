// The document's undo history on Qt's undo stack. Every change to the scene goes through
// here as one named step; the step records each touched object's full state before and
// after, so undo and redo restore the scene exactly.
#pragma once

#include "scene/scene_change.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <optional>

class SceneHistory : public QObject {
    Q_OBJECT

  public:
    explicit SceneHistory(CTorvaneDoc& doc);

    // Runs change and records what it did to the document as one step named name (shown
    // as "Undo name"). Nothing is recorded when the document did not change.
    void apply(const QString& name, const std::function<void()>& change);

    // A change that spans several events (a drag, typing into a field): begin before the
    // first modification, commit when it is over. Beginning while another is open commits
    // that one first.
    void begin(const QString& name);
    // Records the open change; true when it changed the document.
    bool commit();
    // Puts the document back as it was at begin and records nothing.
    void cancel();
    bool isOpen() const { return pending.has_value(); }
    // The open change has modified the document (cheap to call on every drag step).
    void noteOpenChange();
    QString openName() const { return pending ? pending->name : QString(); }

    // Both commit an open change first.
    void undo();
    void redo();
    bool canUndo() const { return stack.canUndo(); }
    bool canRedo() const { return stack.canRedo(); }
    QString undoText() const { return stack.undoText(); }
    QString redoText() const { return stack.redoText(); }

    // A new or freshly opened document: no history, and it counts as saved.
    void clear();
    // The document as it is now is the one on disk.
    void markSaved();
    // False when undo or redo has led back to the saved state and no open change has
    // touched the document.
    bool isModified() const { return !stack.isClean() || (pending && pending->touched); }

    QUndoStack& undoStack() { return stack; }

  Q_SIGNALS:
    // Undo, redo or cancel changed the objects: references to them may have gone stale.
    void documentRestored();
    void modifiedChanged(bool modified);

  private:
    struct Pending {
        QString name;
        SceneSnapshot before;
        bool touched = false;
    };
    // Tells listeners when isModified() has flipped.
    void announceModified();

    CTorvaneDoc& doc;
    QUndoStack stack;
    std::optional<Pending> pending;
    bool announcedModified = false;
};
