// New, Open, Save and Save As over the tvn file functions, with the user's consent
// before unsaved work is discarded.
#include "app/document_lifecycle.h"

#include "app/document_strings.h"
#include "app/recent_file_list.h"
#include "scene/tvn_file.h"
#include "ui/qt/scene_history.h"
#include "ui/qt/user_prompts.h"

#include <QFileInfo>

namespace {

const QString kOpenFilter = QString(doc_strings::kFileFilter) + ";;All Files (*)";
const QString kCaption = doc_strings::kWindowTitle;

} // namespace

DocumentLifecycle::DocumentLifecycle(CTorvaneDoc& document, SceneHistory& sceneHistory,
                                     UserPrompts& userPrompts, RecentFileList& recentFiles)
    : doc(document), prompts(userPrompts), recent(recentFiles), history(sceneHistory) {
    connect(&history, &SceneHistory::modifiedChanged, this, &DocumentLifecycle::titleChanged);
}

QString DocumentLifecycle::title() const {
    return filePath.isEmpty() ? QString("Untitled") : QFileInfo(filePath).fileName();
}

QString DocumentLifecycle::folder() const {
    return filePath.isEmpty() ? QString() : QFileInfo(filePath).absolutePath();
}

bool DocumentLifecycle::isModified() const {
    return changedOutsideHistory || history.isModified();
}

void DocumentLifecycle::setModified(bool on) {
    const bool was = isModified();
    changedOutsideHistory = on;
    if (!on)
        history.markSaved();
    if (isModified() != was)
        Q_EMIT titleChanged();
}

void DocumentLifecycle::startFresh() {
    history.clear();
    changedOutsideHistory = false;
}

void DocumentLifecycle::setPath(const QString& path) {
    filePath = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (!filePath.isEmpty())
        recent.add(filePath);
    Q_EMIT titleChanged();
}

bool DocumentLifecycle::saveModified() {
    // Typing still under way in a field is part of the scene to be saved.
    history.commit();
    if (!isModified())
        return true;
    switch (prompts.askSaveChanges(owner, kCaption, QString("Save changes to %1?").arg(title()))) {
    case UserPrompts::SaveAnswer::Save:
        return save();
    case UserPrompts::SaveAnswer::Discard:
        return true;
    case UserPrompts::SaveAnswer::Cancel:
        return false;
    }
    return false;
}

bool DocumentLifecycle::newDocument() {
    if (!saveModified())
        return false;
    doc.OnNewDocument();
    startFresh();
    setPath(QString());
    Q_EMIT documentReplaced();
    return true;
}

bool DocumentLifecycle::openDocument() {
    if (!saveModified())
        return false;
    const QString path = prompts.openFileName(owner, kOpenFilter, folder());
    return !path.isEmpty() && load(path);
}

bool DocumentLifecycle::openDocumentFile(const QString& path) {
    return saveModified() && load(path);
}

bool DocumentLifecycle::load(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        prompts.message(owner, kCaption, QString("Cannot open %1.").arg(path),
                        UserPrompts::Icon::Warning);
        recent.remove(path);
        return false;
    }
    // The loader leaves the document exactly as it was unless the whole file is sound.
    std::string error;
    LoadNotes notes;
    if (!loadSceneFile(path.toStdString(), doc, &error, &notes)) {
        prompts.message(owner, kCaption,
                        QString(kUnexpectedFileFormat) + "\n" + QString::fromStdString(error),
                        UserPrompts::Icon::Warning);
        return false;
    }
    startFresh();
    setPath(path);
    Q_EMIT documentReplaced();
    if (!notes.empty()) {
        QString text = QString("Opened %1.").arg(info.fileName());
        for (const std::string& sentence : notes.sentences())
            text += "\n" + QString::fromStdString(sentence);
        prompts.message(owner, kCaption, text, UserPrompts::Icon::Warning);
    }
    return true;
}

bool DocumentLifecycle::save() {
    if (filePath.isEmpty())
        return saveAs();
    return saveTo(filePath);
}

bool DocumentLifecycle::saveAs() {
    // A scene's own path starts the dialog in its folder.
    const QString path =
        prompts.saveFileName(owner, "Save As", doc_strings::kFileFilter,
                             QString(doc_strings::kDefaultExtension).mid(1), fileOrTitle());
    if (path.isEmpty())
        return false;
    return saveTo(path);
}

bool DocumentLifecycle::saveTo(const QString& path) {
    std::string error;
    if (!saveSceneFile(path.toStdString(), doc, &error)) {
        prompts.message(owner, kCaption,
                        QString("The scene was not saved: %1.").arg(QString::fromStdString(error)),
                        UserPrompts::Icon::Warning);
        return false;
    }
    changedOutsideHistory = false;
    history.markSaved();
    setPath(path);
    return true;
}
