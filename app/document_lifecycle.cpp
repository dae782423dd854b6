// New, Open, Save and Save As over the tvn file functions, with the user's consent
// before unsaved work is discarded.
#include "app/document_lifecycle.h"

#include "app/document_strings.h"
#include "app/recent_file_list.h"
#include "scene/tvn_file.h"
#include "ui/qt/user_prompts.h"

#include <QFileInfo>

namespace {

const QString kOpenFilter = QString(doc_strings::kFileFilter) + ";;All Files (*)";
const QString kCaption = doc_strings::kWindowTitle;

} // namespace

DocumentLifecycle::DocumentLifecycle(CTorvaneDoc& document, UserPrompts& userPrompts,
                                     RecentFileList& recentFiles)
    : doc(document), prompts(userPrompts), recent(recentFiles) {}

QString DocumentLifecycle::title() const {
    return filePath.isEmpty() ? QString("Untitled") : QFileInfo(filePath).fileName();
}

void DocumentLifecycle::setModified(bool on) {
    if (modified == on)
        return;
    modified = on;
    Q_EMIT titleChanged();
}

void DocumentLifecycle::setPath(const QString& path) {
    filePath = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (!filePath.isEmpty())
        recent.add(filePath);
    Q_EMIT titleChanged();
}

bool DocumentLifecycle::saveModified() {
    if (!modified)
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
    modified = false;
    setPath(QString());
    Q_EMIT documentReplaced();
    return true;
}

bool DocumentLifecycle::openDocument() {
    if (!saveModified())
        return false;
    const QString path = prompts.openFileName(owner, kOpenFilter);
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
    if (!loadSceneFile(path.toStdString(), doc, &error)) {
        prompts.message(owner, kCaption, kUnexpectedFileFormat, UserPrompts::Icon::Warning);
        return false;
    }
    modified = false;
    setPath(path);
    Q_EMIT documentReplaced();
    return true;
}

bool DocumentLifecycle::save() {
    if (filePath.isEmpty())
        return saveAs();
    return saveTo(filePath);
}

bool DocumentLifecycle::saveAs() {
    const QString initial = filePath.isEmpty() ? title() : filePath;
    const QString path =
        prompts.saveFileName(owner, "Save As", doc_strings::kFileFilter,
                             QString(doc_strings::kDefaultExtension).mid(1), initial);
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
    modified = false;
    setPath(path);
    return true;
}
