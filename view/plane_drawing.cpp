// The plane pane's drawing, expressed in canvas primitives in pane pixels (y upward).
#include "view/plane_drawing.h"

#include <array>
#include <cmath>

namespace {

constexpr double kDegreesToRadians = 0.017453292;
constexpr double kDrawLimit = 1.0e9;
constexpr int kHighlightRed = 204, kHighlightGreen = 204, kHighlightBlue = 0;

double drawable(double v) {
    if (std::isnan(v))
        return 0.0;
    return std::fmax(-kDrawLimit, std::fmin(kDrawLimit, v));
}

Point2 polar(Point2 centre, double radius, double degrees) {
    const double a = degrees * kDegreesToRadians;
    return drawablePoint(centre.x + radius * std::cos(a), centre.y + radius * std::sin(a));
}

Point2 offset(Point2 base, double dx, double dy) {
    return drawablePoint(base.x + dx, base.y + dy);
}

// The halo is a solid copy in the highlight colour, two pixels wider, drawn under the
// object itself.
void drawHighlight(PlaneCanvas& canvas, const SceneObject* obj, const ClipBounds& clip,
                   const PlaneArea& area) {
    if (!obj)
        return;
    SceneObject halo;
    halo.kind = obj->kind;
    halo.x[0] = obj->x[0];
    halo.y[0] = obj->y[0];
    if (isLineKind(obj->kind)) {
        halo.x[1] = obj->x[1];
        halo.y[1] = obj->y[1];
    } else {
        halo.r = obj->r;
    }
    halo.setColour(kHighlightRed, kHighlightGreen, kHighlightBlue);
    halo.width = obj->width + 2;
    drawObject(canvas, halo, clip, area.originX, area.originY, area.zoom);
}

void drawLegend(PlaneCanvas& canvas) {
    canvas.setColour(255, 0, 0);
    canvas.segment({25, 25}, {50, 25});
    canvas.text({55, 23}, "x");
    canvas.setColour(0, 255, 0);
    canvas.segment({25, 25}, {25, 50});
    canvas.text({23, 57}, "y");
}

} // namespace

Point2 drawablePoint(double x, double y) {
    return {drawable(x), drawable(y)};
}

void drawPlane(PlaneCanvas& canvas, const CTorvaneDoc& doc, const ViewState& view) {
    const PlaneArea window{static_cast<double>(view.clientWidth),
                           static_cast<double>(view.clientHeight),
                           static_cast<double>(view.planeOriginX),
                           static_cast<double>(view.planeOriginY), view.planeZoom};
    drawPlane(canvas, doc, window, view.hoverObject, view.selectedObject);
}

void drawPlane(PlaneCanvas& canvas, const CTorvaneDoc& doc, const PlaneArea& area,
               const SceneObject* hover, const SceneObject* selected) {
    const double w = area.width;
    const double h = area.height;
    canvas.setColour(0, 0, 0);
    canvas.segment(drawablePoint(0, area.originY), drawablePoint(w, area.originY));
    canvas.segment(drawablePoint(area.originX, 0), drawablePoint(area.originX, h));
    canvas.setLineWidth(1);

    const ClipBounds clip{-10, h + 10, w + 10, -10};
    drawHighlight(canvas, hover, clip, area);
    drawHighlight(canvas, selected, clip, area);
    for (const SceneObject* obj : doc)
        drawObject(canvas, *obj, clip, area.originX, area.originY, area.zoom);
    drawLegend(canvas);
}

void drawObject(PlaneCanvas& canvas, const SceneObject& obj, const ClipBounds& clip, double originX,
                double originY, double zoom) {
    if (isLineKind(obj.kind))
        drawLineObject(canvas, obj, clip, originX, originY, zoom);
    else
        drawCircleObject(canvas, obj, true, kCircleVertexCount, originX, originY, zoom);
}

void drawCircleObject(PlaneCanvas& canvas, const SceneObject& obj, bool marks, int vertexCount,
                      double originX, double originY, double zoom) {
    const double radius = zoom * obj.r;
    const Point2 centre = drawablePoint(zoom * obj.x[0] + originX, zoom * obj.y[0] + originY);
    canvas.setColour(obj.red, obj.green, obj.blue);
    drawCircleOutline(canvas, obj, centre, radius, vertexCount);

    if (radius != 0) {
        const double a = std::fabs(radius);
        // Counter-clockwise arrow in the second quadrant for a positive radius,
        // clockwise in the first for a negative one.
        const double tip = radius > 0 ? 155 : 25;
        const double base = radius > 0 ? 135 : 45;
        canvas.filledTriangle(polar(centre, a, tip), polar(centre, 1.1 * a, base),
                              polar(centre, 0.9 * a, base));
        if (obj.kind == KIND_C_PRIME) {
            const double tick = radius > 0 ? 130 : 50;
            canvas.segment(polar(centre, 1.1 * a, tick), polar(centre, 0.9 * a, tick));
        }
    }
    if (marks)
        drawHandleMark(canvas, obj, centre);
}

void drawCircleOutline(PlaneCanvas& canvas, const SceneObject& obj, Point2 centre, double radius,
                       int vertexCount) {
    static constexpr int kMaxVertices = 360;
    if (vertexCount < 1)
        vertexCount = 1;
    if (vertexCount > kMaxVertices)
        vertexCount = kMaxVertices;
    const int remembered = canvas.lineWidth();
    canvas.setLineWidth(obj.width);

    std::array<Point2, kMaxVertices> vertices;
    const int step = 360 / vertexCount;
    std::size_t n = 0;
    for (int angle = 0; angle < 360; angle += step)
        vertices[n++] = polar(centre, radius, angle);
    const std::span<const Point2> used(vertices.data(), n);
    if (obj.dashed)
        canvas.lineSegments(used);
    else
        canvas.lineLoop(used);
    canvas.setLineWidth(remembered);
}

void drawLineObject(PlaneCanvas& canvas, const SceneObject& obj, const ClipBounds& clip,
                    double originX, double originY, double zoom) {
    const Point2 p0 = drawablePoint(zoom * obj.x[0] + originX, zoom * obj.y[0] + originY);
    const Point2 p1 = drawablePoint(zoom * obj.x[1] + originX, zoom * obj.y[1] + originY);
    // Direction from point 1 back towards point 0, from the scene coordinates.
    const double dx = obj.x[0] - obj.x[1];
    const double dy = obj.y[0] - obj.y[1];
    const double length = std::hypot(dx, dy);
    const bool hasDirection = length > 0 && std::isfinite(length);

    const int remembered = canvas.lineWidth();
    canvas.setLineWidth(obj.width);
    canvas.setColour(obj.red, obj.green, obj.blue);
    if (hasDirection)
        drawInfiniteLine(canvas, obj, p0.x, p1.x, p0.y, p1.y, clip);
    canvas.setLineWidth(remembered);

    if (hasDirection) {
        const double ux = dx / length;
        const double uy = dy / length;
        canvas.filledTriangle(p1, offset(p1, 25 * ux - 6 * uy, 25 * uy + 6 * ux),
                              offset(p1, 25 * ux + 6 * uy, 25 * uy - 6 * ux));
        if (obj.kind == KIND_L_PRIME)
            canvas.segment(offset(p1, 35 * ux - 6 * uy, 35 * uy + 6 * ux),
                           offset(p1, 35 * ux + 6 * uy, 35 * uy - 6 * ux));
    }
    drawHandleMark(canvas, obj, p0);
    drawHandleMark(canvas, obj, p1);
}

void drawInfiniteLine(PlaneCanvas& canvas, const SceneObject& obj, double x0, double x1, double y0,
                      double y1, const ClipBounds& clip) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    if (dx == 0 && dy == 0)
        return;
    bool steep = std::fabs(std::trunc(dy)) > std::fabs(std::trunc(dx));
    // Both deltas below one pixel: only a vertical line may not be divided by dx.
    if (dx == 0)
        steep = true;
    Point2 a, b;
    if (steep) {
        a = drawablePoint(x0 + (clip.top - y0) / dy * dx, clip.top);
        b = drawablePoint(x0 + (clip.bottom - y0) / dy * dx, clip.bottom);
    } else {
        a = drawablePoint(clip.right, y0 + (clip.right - x0) / dx * dy);
        b = drawablePoint(clip.left, y0 + (clip.left - x0) / dx * dy);
    }
    if (obj.dashed)
        canvas.setLineStipple(true);
    canvas.segment(a, b);
    if (obj.dashed)
        canvas.setLineStipple(false);
}

void drawHandleMark(PlaneCanvas& canvas, const SceneObject& obj, Point2 at) {
    static constexpr int kRimVertices = 31; // 0, 12, ..., 360 degrees
    std::array<Point2, kRimVertices + 1> fan;
    const auto fill = [&](double radius) {
        fan[0] = at;
        for (int i = 0; i < kRimVertices; ++i)
            fan[i + 1] = polar(at, radius, 12.0 * i);
        canvas.filledFan(fan);
    };
    canvas.setColour(0, 0, 0);
    fill(6);
    canvas.setColour(obj.red, obj.green, obj.blue);
    fill(5);
}
