// One page per print job: the plane drawing through the painter canvas.
#include "app/scene_printing.h"

#include "app/document_strings.h"
#include "ui/qt/user_prompts.h"
#include "view/picture_area.h"
#include "view/qt/plane_picture.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

void paintScenePage(QPainter& painter, const QRectF& page, const CTorvaneDoc& doc,
                    const ViewState& view, const QFont& screenFont) {
    paintPlanePicture(painter, page, doc, pictureArea(doc, view), paneTextFont(screenFont),
                      PictureBackground::Paper);
}

bool ScenePrinting::printTo(QPrinter& target) {
    QPainter painter;
    if (!painter.begin(&target)) {
        prompts.message(owner, doc_strings::kWindowTitle, "The printer could not be started.",
                        UserPrompts::Icon::Warning);
        return false;
    }
    paintScenePage(painter, painter.viewport(), doc, view, screenFont);
    return painter.end();
}

void ScenePrinting::print() {
    QPrintDialog dialog(&printer, owner);
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer);
}

void ScenePrinting::preview() {
    QPrintPreviewDialog dialog(&printer, owner);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* target) { printTo(*target); });
    dialog.exec();
}

void ScenePrinting::setup() {
    QPageSetupDialog dialog(&printer, owner);
    dialog.exec();
}

bool ScenePrinting::printDirect() {
    return printTo(printer);
}
