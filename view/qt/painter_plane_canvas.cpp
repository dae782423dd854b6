// QPainter primitives for the plane drawing.
#include "view/qt/painter_plane_canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace {

QPointF toQt(Point2 p) {
    return {p.x, p.y};
}

QPolygonF polygon(std::span<const Point2> vertices) {
    QPolygonF out;
    out.reserve(static_cast<qsizetype>(vertices.size()));
    for (const Point2& p : vertices)
        out << toQt(p);
    return out;
}

} // namespace

void PainterPlaneCanvas::setColour(int red, int green, int blue) {
    colour = QColor(red, green, blue);
}

void PainterPlaneCanvas::usePen() {
    const double w = std::max(width, 1);
    QPen pen(colour, w);
    pen.setCapStyle(Qt::FlatCap);
    if (stipple)
        pen.setDashPattern({4.0 / w, 4.0 / w}); // four pixels on, four off, as 0x0F0F
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
}

void PainterPlaneCanvas::useBrush() {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
}

void PainterPlaneCanvas::segment(Point2 a, Point2 b) {
    usePen();
    painter.drawLine(toQt(a), toQt(b));
}

void PainterPlaneCanvas::lineLoop(std::span<const Point2> vertices) {
    usePen();
    painter.drawPolygon(polygon(vertices));
}

void PainterPlaneCanvas::lineSegments(std::span<const Point2> vertices) {
    usePen();
    for (std::size_t i = 0; i + 1 < vertices.size(); i += 2)
        painter.drawLine(toQt(vertices[i]), toQt(vertices[i + 1]));
}

void PainterPlaneCanvas::filledTriangle(Point2 a, Point2 b, Point2 c) {
    useBrush();
    const Point2 corners[] = {a, b, c};
    painter.drawPolygon(polygon(corners));
}

void PainterPlaneCanvas::filledFan(std::span<const Point2> vertices) {
    useBrush();
    if (vertices.size() > 1)
        painter.drawPolygon(polygon(vertices.subspan(1)));
}

void PainterPlaneCanvas::text(Point2 rasterPosition, std::string_view characters) {
    // Pane pixels run upward: draw the text upright by flipping back around its origin.
    painter.save();
    painter.translate(toQt(rasterPosition));
    painter.scale(1, -1);
    painter.setPen(colour);
    painter.setFont(textFont);
    painter.drawText(QPointF(0, 0), QString::fromLatin1(characters.data(),
                                                        static_cast<qsizetype>(characters.size())));
    painter.restore();
}
