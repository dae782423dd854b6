// Maps a plane area onto a painter's device and runs the plane drawing through the
// painter canvas.
#include "view/qt/plane_picture.h"

#include "view/qt/painter_plane_canvas.h"

#include <QFontInfo>
#include <QPainter>

#include <algorithm>

namespace {

// The plane pane's clear colour.
const QColor kPaneGrey = QColor::fromRgbF(0.82f, 0.82f, 0.82f);

} // namespace

QFont paneTextFont(const QFont& screenFont) {
    QFont font = screenFont;
    font.setPixelSize(std::max(1, QFontInfo(screenFont).pixelSize()));
    return font;
}

void paintPlanePicture(QPainter& painter, const QRectF& target, const CTorvaneDoc& doc,
                       const PlaneArea& area, const QFont& textFont, PictureBackground background) {
    const double width = std::max(1.0, area.width);
    const double height = std::max(1.0, area.height);
    const double scale = std::min(target.width() / width, target.height() / height);
    if (!(scale > 0))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Pane pixels with y upward onto the device, centred in the target.
    painter.translate(target.center().x() - scale * width / 2,
                      target.center().y() + scale * height / 2);
    painter.scale(scale, -scale);
    const QRectF frame(0, 0, width, height);
    painter.setClipRect(frame);
    if (background == PictureBackground::Pane)
        painter.fillRect(frame, kPaneGrey);
    PainterPlaneCanvas canvas(painter, textFont);
    drawPlane(canvas, doc, area, nullptr, nullptr);
    painter.restore();
}
