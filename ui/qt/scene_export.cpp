// Export dialog, the format of its chosen filter and the failure message around the
// picture writers.
#include "ui/qt/scene_export.h"

#include "ui/qt/user_prompts.h"

#include <QFileInfo>
#include <QStringList>

namespace {

PictureFormat formatOfFilter(const QString& filter) {
    for (const ExportFilter& f : kExportFilters)
        if (filter == f.text)
            return f.format;
    return PictureFormat::Eps;
}

} // namespace

void exportScene(QWidget* dialogOwner, QWidget* messageOwner, UserPrompts& prompts,
                 const CTorvaneDoc& doc, const QString& documentName, const PlaneArea& area,
                 const QFont& screenFont) {
    QStringList filters;
    for (const ExportFilter& f : kExportFilters)
        filters << f.text;
    // Without the scene's own extension, so the filter's extension is added and the scene
    // file is never offered as the target.
    const QFileInfo scene(documentName);
    const QString initialName = scene.isAbsolute()
                                    ? scene.absolutePath() + "/" + scene.completeBaseName()
                                    : scene.completeBaseName();
    QString chosenFilter;
    const QString path = prompts.saveFileName(dialogOwner, "Export to file", filters.join(";;"),
                                              "eps", initialName, &chosenFilter);
    if (path.isEmpty())
        return;
    switch (writePictureFile(path, formatOfFilter(chosenFilter), doc, area, screenFont)) {
    case PictureWriteResult::Written:
        break;
    case PictureWriteResult::TooLarge:
        prompts.message(messageOwner, "Info", kEpsTooLarge, UserPrompts::Icon::Warning);
        break;
    case PictureWriteResult::CannotWrite:
        prompts.message(messageOwner, "Info", "Error!", UserPrompts::Icon::Information);
        break;
    }
}
