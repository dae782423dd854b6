// The document's life on the desktop: its file, title and modified state, New, Open,
// Save and Save As, and asking before unsaved changes would be lost.
#pragma once

#include "scene/torvane_doc.h"

#include <QObject>
#include <QString>

class QWidget;
class RecentFileList;
class SceneHistory;
class UserPrompts;

class DocumentLifecycle : public QObject {
    Q_OBJECT

  public:
    DocumentLifecycle(CTorvaneDoc& doc, SceneHistory& history, UserPrompts& prompts,
                      RecentFileList& recent);

    void setOwnerWindow(QWidget* window) { owner = window; }

    bool newDocument();
    // Asks for a file, then opens it.
    bool openDocument();
    // The scene that was open stays when the file cannot be read.
    bool openDocumentFile(const QString& path);
    bool save();
    bool saveAs();
    // True when the caller may go on discarding the document (saved, or the user said so).
    bool saveModified();

    // Unsaved changes: the history is away from the saved state, or a change was made
    // outside it.
    bool isModified() const;
    // On: a change outside the history. Off: the scene as it is counts as saved.
    void setModified(bool on);
    // The file name, or "Untitled" for a document never saved.
    QString title() const;
    QString path() const { return filePath; }
    // The open scene's folder, where file dialogs start; empty for a scene never saved.
    QString folder() const;
    // The scene's file, or its title while it has none: what a dialog offers first.
    QString fileOrTitle() const { return filePath.isEmpty() ? title() : filePath; }

  Q_SIGNALS:
    // Every object may have been replaced: holders of object references must drop them.
    void documentReplaced();
    void titleChanged();

  private:
    bool load(const QString& path);
    // A new scene in the document: empty history, nothing unsaved.
    void startFresh();
    bool saveTo(const QString& path);
    void setPath(const QString& path);

    CTorvaneDoc& doc;
    UserPrompts& prompts;
    RecentFileList& recent;
    SceneHistory& history;
    QWidget* owner = nullptr;
    QString filePath;
    bool changedOutsideHistory = false;
};
