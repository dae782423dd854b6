// Pick marks carry their order as a number beside the object; the preview draws the moved
// copies as solid objects, the chosen circle red and wider, and for a rotation an arc from
// the x axis through the angle with the angle written beside it.
#include "view/overlay_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr int kPickHaloWidth = 6;
constexpr double kTurnArcRadius = 60; // pixels
constexpr int kTurnColour[3] = {128, 0, 160};

Point2 pixelOf(const ViewState& view, double x, double y) {
    const Point2 p = view.planePixel(x, y);
    return drawablePoint(p.x, p.y);
}

void drawPickNumbers(PlaneCanvas& canvas, const ViewState& view) {
    int n = 0;
    for (const PickMark& mark : view.pickMarks) {
        ++n;
        int red, green, blue;
        pickMarkColour(mark.cluster, red, green, blue);
        canvas.setColour(red, green, blue);
        const Point2 at = pixelOf(view, mark.object->x[0], mark.object->y[0]);
        canvas.text({at.x + 8, at.y + 8}, std::to_string(n));
    }
}

void drawTurn(PlaneCanvas& canvas, const ViewState& view, double angle) {
    const Point2 origin{static_cast<double>(view.planeOriginX),
                        static_cast<double>(view.planeOriginY)};
    const auto onArc = [&](double a, double radius) {
        return drawablePoint(origin.x + radius * std::cos(a), origin.y + radius * std::sin(a));
    };
    canvas.setColour(kTurnColour[0], kTurnColour[1], kTurnColour[2]);
    canvas.setLineWidth(2);
    canvas.segment(origin, onArc(0, kTurnArcRadius * 1.3));
    canvas.segment(origin, onArc(angle, kTurnArcRadius * 1.3));
    // About three degrees per segment, at least two.
    const int steps = std::max(2, static_cast<int>(std::fabs(angle) / 0.05));
    for (int i = 0; i < steps; ++i)
        canvas.segment(onArc(angle * i / steps, kTurnArcRadius),
                       onArc(angle * (i + 1) / steps, kTurnArcRadius));
    // Arrowhead at the end of the arc, pointing along the turn.
    const double along = angle >= 0 ? 1.0 : -1.0;
    const Point2 tip = onArc(angle, kTurnArcRadius);
    const double back = angle - along * 0.15;
    canvas.filledTriangle(tip, onArc(back, kTurnArcRadius - 6), onArc(back, kTurnArcRadius + 6));
    canvas.setLineWidth(1);
    char text[48];
    std::snprintf(text, sizeof text, "%.2f deg", angle * 57.29577951308232);
    canvas.text(onArc(angle / 2, kTurnArcRadius + 10), text);
}

} // namespace

void pickMarkColour(int cluster, int& red, int& green, int& blue) {
    if (cluster == 1)
        red = 255, green = 140, blue = 0; // orange
    else if (cluster == 2)
        red = 150, green = 40, blue = 230; // violet
    else
        red = 0, green = 170, blue = 170; // teal
}

void drawPickHalos(PlaneCanvas& canvas, const ViewState& view) {
    const PlaneArea area = windowArea(view);
    for (const PickMark& mark : view.pickMarks) {
        int red, green, blue;
        pickMarkColour(mark.cluster, red, green, blue);
        // With the axes, beneath every object and the hover and selection halos.
        drawHalo(canvas, *mark.object, red, green, blue, kPickHaloWidth, clipFor(area), area,
                 kAxesLevel);
    }
}

void drawPlaneOverlays(PlaneCanvas& canvas, const ViewState& view, int level) {
    const ClipBounds clip = clipFor(windowArea(view));
    canvas.setStackLevel(level);
    drawPickNumbers(canvas, view);
    if (!view.mergeOverlay)
        return;
    const MergeOverlay& o = *view.mergeOverlay;
    const double ox = view.planeOriginX, oy = view.planeOriginY, zoom = view.planeZoom;
    for (const SceneObject& other : o.others)
        drawCircleObject(canvas, other, false, kCircleVertexCount, ox, oy, zoom);
    for (const SceneObject& moved : o.moved)
        drawObject(canvas, moved, clip, ox, oy, zoom);
    if (o.hasCircle)
        drawCircleObject(canvas, o.circle, true, kCircleVertexCount, ox, oy, zoom);
    if (o.turn)
        drawTurn(canvas, view, o.angle);
}
