// One page per print job: the plane drawing through the painter canvas.
#include "app/scene_printing.h"

#include "app/document_strings.h"
#include "ui/qt/user_prompts.h"
#include "view/plane_drawing.h"
#include "view/qt/painter_plane_canvas.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

#include <algorithm>

void paintScenePage(QPainter& painter, const QRectF& page, const CTorvaneDoc& doc,
                    const ViewState& view) {
    const double paneWidth = std::max(1, view.splitX());
    const double paneHeight = std::max(1, view.clientHeight);
    const double scale = std::min(page.width() / paneWidth, page.height() / paneHeight);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Pane pixels with y upward onto the page, centred.
    painter.translate(page.center().x() - scale * paneWidth / 2,
                      page.center().y() + scale * paneHeight / 2);
    painter.scale(scale, -scale);
    painter.setClipRect(QRectF(0, 0, paneWidth, paneHeight));
    ViewState printed = view;
    printed.forgetAllObjects();
    PainterPlaneCanvas canvas(painter);
    drawPlane(canvas, doc, printed);
    painter.restore();
}

bool ScenePrinting::printTo(QPrinter& target) {
    QPainter painter;
    if (!painter.begin(&target)) {
        prompts.message(owner, doc_strings::kWindowTitle, "The printer could not be started.",
                        UserPrompts::Icon::Warning);
        return false;
    }
    paintScenePage(painter, painter.viewport(), doc, view);
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
