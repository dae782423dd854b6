// The plane pane's drawing, expressed in canvas primitives in pane pixels (y upward).
#include "view/plane_drawing.h"

#include "view/overlay_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double kDegreesToRadians = 0.017453292;
constexpr double kDrawLimit = 1.0e9;
constexpr int kHighlightRed = 204, kHighlightGreen = 204, kHighlightBlue = 0;

double drawable(double v) {
    if (std::isnan(v))
        return 0.0;
    return std::fmax(-kDrawLimit, std::fmin(kDrawLimit, v));
}

// Every angle of the drawing is a whole number of degrees in 0..360; the table gives the
// very values cos and sin give for them, without computing them for every vertex.
struct UnitCircle {
    std::array<double, 361> cosine, sine;
    UnitCircle() {
        for (int d = 0; d <= 360; ++d) {
            const double a = d * kDegreesToRadians;
            cosine[static_cast<std::size_t>(d)] = std::cos(a);
            sine[static_cast<std::size_t>(d)] = std::sin(a);
        }
    }
};
const UnitCircle kUnitCircle;

Point2 polar(Point2 centre, double radius, int degrees) {
    const auto d = static_cast<std::size_t>(degrees);
    return drawablePoint(centre.x + radius * kUnitCircle.cosine[d],
                         centre.y + radius * kUnitCircle.sine[d]);
}

Point2 offset(Point2 base, double dx, double dy) {
    return drawablePoint(base.x + dx, base.y + dy);
}

void drawInArea(PlaneCanvas& canvas, const SceneObject& obj, const ClipBounds& clip,
                const PlaneArea& area, int level) {
    if (outsideArea(obj, clip, area))
        return;
    canvas.setStackLevel(level);
    drawObject(canvas, obj, clip, area.originX, area.originY, area.zoom);
}

// Distances from p to the nearest and to the farthest point of the area's rectangle.
void distancesToArea(Point2 p, const PlaneArea& area, double& nearest, double& farthest) {
    const double nx = std::max({0.0, -p.x, p.x - area.width});
    const double ny = std::max({0.0, -p.y, p.y - area.height});
    nearest = std::hypot(nx, ny);
    const double fx = std::max(std::fabs(p.x), std::fabs(p.x - area.width));
    const double fy = std::max(std::fabs(p.y), std::fabs(p.y - area.height));
    farthest = std::hypot(fx, fy);
}

// Room around an element for line widths, mark sizes and the float rounding of vertices at
// the magnitude given.
double cullMargin(const SceneObject& obj, double magnitude) {
    return 10.0 + std::max(obj.width, 1) + 1.0e-5 * magnitude;
}

void drawHighlight(PlaneCanvas& canvas, const SceneObject* obj, const ClipBounds& clip,
                   const PlaneArea& area, int level) {
    if (obj)
        drawHalo(canvas, *obj, kHighlightRed, kHighlightGreen, kHighlightBlue, 2, clip, area,
                 level);
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

void drawHalo(PlaneCanvas& canvas, const SceneObject& obj, int red, int green, int blue,
              int extraWidth, const ClipBounds& clip, const PlaneArea& area, int level) {
    SceneObject halo;
    halo.kind = obj.kind;
    halo.x[0] = obj.x[0];
    halo.y[0] = obj.y[0];
    if (isLineKind(obj.kind)) {
        halo.x[1] = obj.x[1];
        halo.y[1] = obj.y[1];
    } else {
        halo.r = obj.r;
    }
    halo.setColour(red, green, blue);
    // Saturating: a file may hold any width up to the largest int32.
    halo.width =
        obj.width + std::min(extraWidth, std::numeric_limits<std::int32_t>::max() - obj.width);
    drawInArea(canvas, halo, clip, area, level);
}

PlaneArea windowArea(const ViewState& view) {
    return {static_cast<double>(view.clientWidth), static_cast<double>(view.clientHeight),
            static_cast<double>(view.planeOriginX), static_cast<double>(view.planeOriginY),
            view.planeZoom};
}

ClipBounds clipFor(const PlaneArea& area) {
    return {-10, area.height + 10, area.width + 10, -10};
}

void drawPlane(PlaneCanvas& canvas, const CTorvaneDoc& doc, const ViewState& view,
               PlaneLayer layer) {
    // The merge's marks and preview change while the scene stays: they are dynamic.
    const bool drawDynamic = layer != PlaneLayer::Static;
    if (drawDynamic)
        drawPickHalos(canvas, view);
    drawPlane(canvas, doc, windowArea(view), view.hoverObject, view.selectedObject, layer);
    if (drawDynamic)
        drawPlaneOverlays(canvas, view, legendLevel(doc) + 1);
}

void drawPlane(PlaneCanvas& canvas, const CTorvaneDoc& doc, const PlaneArea& area,
               const SceneObject* hover, const SceneObject* selected, PlaneLayer layer) {
    const bool drawStatic = layer != PlaneLayer::Dynamic;
    const bool drawDynamic = layer != PlaneLayer::Static;
    // A full drawing has no dynamic object: the selected one is drawn in its place in order.
    const SceneObject* dynamicObject = layer == PlaneLayer::All ? nullptr : selected;
    const double w = area.width;
    const double h = area.height;
    if (drawStatic) {
        canvas.setStackLevel(kAxesLevel);
        canvas.setColour(0, 0, 0);
        canvas.segment(drawablePoint(0, area.originY), drawablePoint(w, area.originY));
        canvas.segment(drawablePoint(area.originX, 0), drawablePoint(area.originX, h));
    }
    canvas.setLineWidth(1);

    const ClipBounds clip = clipFor(area);
    if (drawDynamic) {
        drawHighlight(canvas, hover, clip, area, kHoverHaloLevel);
        drawHighlight(canvas, selected, clip, area, kSelectionHaloLevel);
    }
    int level = kFirstObjectLevel;
    for (const SceneObject* obj : doc) {
        if (obj == dynamicObject ? drawDynamic : drawStatic)
            drawInArea(canvas, *obj, clip, area, level);
        ++level;
    }
    if (drawStatic) {
        canvas.setStackLevel(legendLevel(doc));
        drawLegend(canvas);
    }
}

bool outsideArea(const SceneObject& obj, const ClipBounds& clip, const PlaneArea& area) {
    const double zoom = area.zoom;
    double nearest = 0, farthest = 0;
    const auto beyond = [&](Point2 p, double reach, double margin) {
        distancesToArea(p, area, nearest, farthest);
        return nearest > reach + margin;
    };
    if (isLineKind(obj.kind)) {
        const Point2 p0 =
            drawablePoint(zoom * obj.x[0] + area.originX, zoom * obj.y[0] + area.originY);
        const Point2 p1 =
            drawablePoint(zoom * obj.x[1] + area.originX, zoom * obj.y[1] + area.originY);
        Point2 a, b;
        if (infiniteLineEnds(p0.x, p1.x, p0.y, p1.y, clip, a, b)) {
            const double magnitude =
                std::max({std::fabs(a.x), std::fabs(a.y), std::fabs(b.x), std::fabs(b.y)});
            const double margin = cullMargin(obj, magnitude);
            const double dx = b.x - a.x, dy = b.y - a.y;
            const double length = std::hypot(dx, dy);
            if (!(length > 0) || !std::isfinite(length))
                return false;
            // Signed distances of the area's corners from the drawn segment's line.
            double lowest = INFINITY, highest = -INFINITY;
            for (const Point2 corner : {Point2{0, 0}, Point2{area.width, 0}, Point2{0, area.height},
                                        Point2{area.width, area.height}}) {
                const double d = ((corner.x - a.x) * dy - (corner.y - a.y) * dx) / length;
                lowest = std::min(lowest, d);
                highest = std::max(highest, d);
            }
            if (!(lowest > margin || highest < -margin))
                return false;
        }
        // The arrow and the tick reach 36 pixels back from point 1, the handles 6.
        const double magnitude =
            std::max({std::fabs(p0.x), std::fabs(p0.y), std::fabs(p1.x), std::fabs(p1.y)});
        const double margin = cullMargin(obj, magnitude);
        return beyond(p1, 37, margin) && beyond(p0, 6, margin);
    }
    const Point2 centre =
        drawablePoint(zoom * obj.x[0] + area.originX, zoom * obj.y[0] + area.originY);
    const double radius = std::fabs(zoom * obj.r);
    if (!std::isfinite(radius))
        return false;
    const double margin =
        cullMargin(obj, std::max(std::fabs(centre.x), std::fabs(centre.y)) + 1.1 * radius);
    // The handle sits on the centre; the outline, arrow and tick lie between 0.9 and 1.1
    // times the radius from it.
    if (!beyond(centre, 6, margin))
        return false;
    const bool ringBeyond = nearest > 1.1 * radius + margin;
    const bool ringAround = farthest < 0.9 * radius - margin;
    return ringBeyond || ringAround;
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
        const int tip = radius > 0 ? 155 : 25;
        const int base = radius > 0 ? 135 : 45;
        canvas.filledTriangle(polar(centre, a, tip), polar(centre, 1.1 * a, base),
                              polar(centre, 0.9 * a, base));
        if (obj.kind == KIND_C_PRIME) {
            const int tick = radius > 0 ? 130 : 50;
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

bool infiniteLineEnds(double x0, double x1, double y0, double y1, const ClipBounds& clip, Point2& a,
                      Point2& b) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    if (dx == 0 && dy == 0)
        return false;
    bool steep = std::fabs(std::trunc(dy)) > std::fabs(std::trunc(dx));
    // Both deltas below one pixel: only a vertical line may not be divided by dx.
    if (dx == 0)
        steep = true;
    if (steep) {
        a = drawablePoint(x0 + (clip.top - y0) / dy * dx, clip.top);
        b = drawablePoint(x0 + (clip.bottom - y0) / dy * dx, clip.bottom);
    } else {
        a = drawablePoint(clip.right, y0 + (clip.right - x0) / dx * dy);
        b = drawablePoint(clip.left, y0 + (clip.left - x0) / dx * dy);
    }
    return true;
}

void drawInfiniteLine(PlaneCanvas& canvas, const SceneObject& obj, double x0, double x1, double y0,
                      double y1, const ClipBounds& clip) {
    Point2 a, b;
    if (!infiniteLineEnds(x0, x1, y0, y1, clip, a, b))
        return;
    if (obj.dashed)
        canvas.setLineStipple(true);
    canvas.segment(a, b);
    if (obj.dashed)
        canvas.setLineStipple(false);
}

void drawHandleMark(PlaneCanvas& canvas, const SceneObject& obj, Point2 at) {
    canvas.handleMark(at, obj.red, obj.green, obj.blue);
}

void PlaneCanvas::handleMark(Point2 centre, int red, int green, int blue) {
    static constexpr int kRimVertices = 31; // 0, 12, ..., 360 degrees
    std::array<Point2, kRimVertices + 1> fan;
    const auto fill = [&](double radius) {
        fan[0] = centre;
        for (int i = 0; i < kRimVertices; ++i)
            fan[static_cast<std::size_t>(i) + 1] = polar(centre, radius, 12 * i);
        filledFan(fan);
    };
    setColour(0, 0, 0);
    fill(6);
    setColour(red, green, blue);
    fill(5);
}
