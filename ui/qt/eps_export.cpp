// Export dialog and the failure message around the EPS writer.
#include "ui/qt/eps_export.h"

#include "ui/eps_writer.h"
#include "ui/qt/user_prompts.h"

#include <QFileInfo>

void exportEps(QWidget* dialogOwner, QWidget* messageOwner, UserPrompts& prompts,
               const CTorvaneDoc& doc, const QString& documentTitle) {
    // Without the scene's own extension, so the default "eps" is added and the scene file
    // is never offered as the target.
    const QString initialName = QFileInfo(documentTitle).completeBaseName();
    const QString path = prompts.saveFileName(dialogOwner, "Export to file", "EPS Files (*.eps)",
                                              "eps", initialName);
    if (path.isEmpty())
        return;
    if (!writeEpsFile(path.toStdString(), doc))
        prompts.message(messageOwner, "Info", "Error!", UserPrompts::Icon::Information);
}
