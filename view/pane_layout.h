// Viewports and projections of the whole window and of each pane, and the coloured
// rectangles of the frame and splitter drawn around the panes.
#pragma once

#include "view/view_state.h"

#include <vector>

struct PaneSetup {
    int viewportX = 0, viewportY = 0, viewportWidth = 0, viewportHeight = 0;
    bool perspective = false;
    // Orthographic volume (perspective == false)
    double left = 0, right = 0, bottom = 0, top = 0, nearPlane = 1, farPlane = -1;
    // Perspective frustum (perspective == true)
    double fovY = 60, aspect = 1, zNear = 1, zFar = 5000;
};

PaneSetup windowSetup(const ViewState& v);
PaneSetup planeSetup(const ViewState& v);
PaneSetup spaceSetup(const ViewState& v);

struct FrameRect {
    float red, green, blue;
    float x1, y1, x2, y2;
};

// In drawing order, in whole-window pixels with y upward.
std::vector<FrameRect> frameRects(const ViewState& v);
