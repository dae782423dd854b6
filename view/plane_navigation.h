// Zooming the plane about a point, and fitting the whole scene into the plane pane.
#pragma once

#include "scene/torvane_doc.h"
#include "view/view_state.h"

#include <optional>

// Zoom never goes below this many pixels per unit; it has no upper limit of its own.
inline constexpr float kMinPlaneZoom = 0.05f;

// The scene point under the mouse position (mx, my; my downward), not rounded.
Point2 scenePointAt(const ViewState& state, int mx, int my);

// Scales the zoom by factor and keeps the scene point `anchor` at the mouse position to
// the nearest whole pixel. Several zooms about one anchor therefore never drift. False
// when nothing changed (at the lowest zoom, or when the origin would leave the pixel range).
bool zoomPlaneAbout(ViewState& state, int mx, int my, double factor, const Point2& anchor);

struct SceneBounds {
    double minX, minY, maxX, maxY;
};

// The box around every object: circles by their centre and radius, lines by their two
// points. Nothing for an empty scene.
std::optional<SceneBounds> sceneBounds(const CTorvaneDoc& doc);

// Zoom and origin that show every object inside the plane pane with a margin; false for
// an empty scene. A scene of one point is centred at the zoom it had.
bool zoomPlaneToFit(ViewState& state, const CTorvaneDoc& doc);
