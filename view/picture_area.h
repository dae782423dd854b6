// Which part of the plane a printed page or an exported picture shows, and at what size.
#pragma once

#include "scene/torvane_doc.h"
#include "view/plane_drawing.h"
#include "view/view_state.h"

// The box a whole-scene picture is fitted into when there is no window to take it from.
inline constexpr double kScenePictureSide = 800;

// The plane pane as it shows now: its pixels, origin and zoom. Zero width or height when
// the pane is hidden.
PlaneArea visiblePaneArea(const ViewState& view);

// The objects' bounding box (circles by centre and radius, lines by their two points) with
// a margin of 5% of its longer side all round, at the largest zoom that fits into
// maxWidth x maxHeight pixels; the picture takes the box's proportions. An empty scene
// shows the box around the origin at one pixel per unit.
PlaneArea sceneArea(const CTorvaneDoc& doc, double maxWidth, double maxHeight);

// The visible plane pane, or, when it is hidden, the whole scene fitted into the window.
PlaneArea pictureArea(const CTorvaneDoc& doc, const ViewState& view);
