// The origin is a whole pixel, so zooming about a point keeps it fixed to within half a
// pixel; origins are kept far inside the int range so drawing never overflows.
#include "view/plane_navigation.h"

#include <algorithm>
#include <cmath>

namespace {

// Pixels between the scene and the pane's edge after a fit.
constexpr int kFitMargin = 20;
// Origins beyond this would overflow the pixel arithmetic of drawing and hit testing.
constexpr double kMaxOrigin = 1e9;

bool fitsOrigin(double x, double y) {
    return std::isfinite(x) && std::isfinite(y) && std::abs(x) <= kMaxOrigin &&
           std::abs(y) <= kMaxOrigin;
}

} // namespace

Point2 scenePointAt(const ViewState& state, int mx, int my) {
    const double zoom = state.planeZoom;
    return {(mx - state.planeOriginX) / zoom,
            (state.paneRowOfMouse(my) - state.planeOriginY) / zoom};
}

bool zoomPlaneAbout(ViewState& state, int mx, int my, double factor, const Point2& anchor) {
    if (!(factor > 0) || !std::isfinite(factor))
        return false;
    const double zoom = state.planeZoom;
    const double newZoom = std::max<double>(zoom * factor, kMinPlaneZoom);
    if (newZoom == zoom || !std::isfinite(static_cast<float>(newZoom)))
        return false;
    const double z = static_cast<float>(newZoom);
    const double ox = std::round(mx - z * anchor.x);
    const double oy = std::round(state.paneRowOfMouse(my) - z * anchor.y);
    if (!fitsOrigin(ox, oy))
        return false;
    state.planeZoom = static_cast<float>(newZoom);
    state.planeOriginX = static_cast<int>(ox);
    state.planeOriginY = static_cast<int>(oy);
    return true;
}

std::optional<SceneBounds> sceneBounds(const CTorvaneDoc& doc) {
    std::optional<SceneBounds> box;
    auto include = [&box](double x0, double y0, double x1, double y1) {
        if (!box) {
            box = SceneBounds{x0, y0, x1, y1};
            return;
        }
        box->minX = std::min(box->minX, x0);
        box->minY = std::min(box->minY, y0);
        box->maxX = std::max(box->maxX, x1);
        box->maxY = std::max(box->maxY, y1);
    };
    for (const SceneObject* o : doc) {
        if (isLineKind(o->kind)) {
            include(std::min(o->x[0], o->x[1]), std::min(o->y[0], o->y[1]),
                    std::max(o->x[0], o->x[1]), std::max(o->y[0], o->y[1]));
        } else {
            const double r = std::abs(o->r);
            include(o->x[0] - r, o->y[0] - r, o->x[0] + r, o->y[0] + r);
        }
    }
    return box;
}

bool zoomPlaneToFit(ViewState& state, const CTorvaneDoc& doc) {
    const std::optional<SceneBounds> box = sceneBounds(doc);
    if (!box)
        return false;
    const double paneWidth = state.splitX();
    const double paneHeight = state.clientHeight;
    const double width = box->maxX - box->minX;
    const double height = box->maxY - box->minY;
    const double roomX = std::max(paneWidth - 2 * kFitMargin, 1.0);
    const double roomY = std::max(paneHeight - 2 * kFitMargin, 1.0);
    double zoom = state.planeZoom;
    if (width > 0 || height > 0)
        zoom =
            std::min(width > 0 ? roomX / width : INFINITY, height > 0 ? roomY / height : INFINITY);
    const double cx = box->minX / 2 + box->maxX / 2;
    const double cy = box->minY / 2 + box->maxY / 2;
    // Far from the origin the whole-pixel origin cannot hold the zoom the box asks for:
    // show it smaller instead.
    const double reach = std::max(std::abs(cx), std::abs(cy));
    if (reach > 0)
        zoom = std::min(zoom, kMaxOrigin / 2 / reach);
    zoom = std::max<double>(zoom, kMinPlaneZoom);
    if (!std::isfinite(static_cast<float>(zoom)))
        return false;
    const float z = static_cast<float>(zoom);
    const double ox = std::round((paneWidth - 1) / 2 - z * cx);
    const double oy = std::round((paneHeight - 1) / 2 - z * cy);
    if (!fitsOrigin(ox, oy))
        return false;
    state.planeZoom = z;
    state.planeOriginX = static_cast<int>(ox);
    state.planeOriginY = static_cast<int>(oy);
    return true;
}
