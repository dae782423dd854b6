// Picture areas: the pane as on screen, or the scene's bounding box with a margin.
#include "view/picture_area.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kMarginShare = 0.05;

struct Box {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    bool empty() const { return minX > maxX; }
    void add(double x, double y) {
        // An object that cannot be placed must not stretch the picture to nothing.
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
};

Box objectBox(const CTorvaneDoc& doc) {
    Box box;
    for (const SceneObject* o : doc) {
        if (isLineKind(o->kind)) {
            box.add(o->x[0], o->y[0]);
            box.add(o->x[1], o->y[1]);
        } else {
            const double r = std::fabs(o->r);
            box.add(o->x[0] - r, o->y[0] - r);
            box.add(o->x[0] + r, o->y[0] + r);
        }
    }
    return box;
}

// The full box at one pixel per unit with the point (cx, cy) in its middle.
PlaneArea centredAt(double cx, double cy, double width, double height) {
    return {width, height, width / 2 - cx, height / 2 - cy, 1.0};
}

bool usable(const PlaneArea& a) {
    return std::isfinite(a.originX) && std::isfinite(a.originY) && std::isfinite(a.zoom) &&
           a.zoom > 0;
}

} // namespace

PlaneArea visiblePaneArea(const ViewState& view) {
    if (!view.showPlane || view.splitX() <= 0 || view.clientHeight <= 0)
        return {};
    return {static_cast<double>(view.splitX()), static_cast<double>(view.clientHeight),
            static_cast<double>(view.planeOriginX), static_cast<double>(view.planeOriginY),
            view.planeZoom};
}

PlaneArea sceneArea(const CTorvaneDoc& doc, double maxWidth, double maxHeight) {
    maxWidth = std::max(1.0, std::round(maxWidth));
    maxHeight = std::max(1.0, std::round(maxHeight));
    const Box box = objectBox(doc);
    if (box.empty())
        return centredAt(0, 0, maxWidth, maxHeight);
    const double cx = box.minX / 2 + box.maxX / 2;
    const double cy = box.minY / 2 + box.maxY / 2;
    const double longer = std::max(box.maxX - box.minX, box.maxY - box.minY);
    // A single point has no size to fit: show it as the default view would.
    if (longer == 0 || !std::isfinite(longer))
        return centredAt(cx, cy, maxWidth, maxHeight);

    const double margin = kMarginShare * longer;
    const double spanX = box.maxX - box.minX + 2 * margin;
    const double spanY = box.maxY - box.minY + 2 * margin;
    const double zoom = std::min(maxWidth / spanX, maxHeight / spanY);
    const PlaneArea area{std::clamp(std::round(spanX * zoom), 1.0, maxWidth),
                         std::clamp(std::round(spanY * zoom), 1.0, maxHeight),
                         -(box.minX - margin) * zoom, -(box.minY - margin) * zoom, zoom};
    return usable(area) ? area : centredAt(cx, cy, maxWidth, maxHeight);
}

PlaneArea pictureArea(const CTorvaneDoc& doc, const ViewState& view) {
    const PlaneArea pane = visiblePaneArea(view);
    if (pane.width > 0 && pane.height > 0)
        return pane;
    const double width = view.clientWidth > 0 ? view.clientWidth : kScenePictureSide;
    const double height = view.clientHeight > 0 ? view.clientHeight : kScenePictureSide;
    return sceneArea(doc, width, height);
}
