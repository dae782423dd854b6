// Pane geometry and the plane mapping of the view state.
#include "view/view_state.h"

#include <cmath>

bool ViewState::onSplitter(int mx) const {
    const int s = splitX();
    return mx >= s - 2 && mx <= s + 4;
}

void ViewState::onSize(int cx, int cy) {
    clientWidth = cx;
    clientHeight = cy;
    // Without a plane pane the circle-space pane always fills the window. Otherwise it keeps
    // its width as long as that fits, so the splitter never ends up outside the window.
    if (!showPlane || spacePaneWidth > cx)
        spacePaneWidth = cx;
}

Point2 ViewState::planePixel(double x, double y) const {
    return {planeZoom * x + planeOriginX, planeZoom * y + planeOriginY};
}

int ViewState::paneRowOfMouse(int my) const {
    // Row 0 of the pane is the window's bottom row, clientHeight - 1 from the top.
    return clientHeight - 1 - my;
}

Point2 ViewState::sceneOfMouse(int mx, int my) const {
    const double zoom = planeZoom;
    return {std::trunc((mx - planeOriginX) / zoom),
            std::trunc((paneRowOfMouse(my) - planeOriginY) / zoom)};
}

void ViewState::forgetAllObjects() {
    hoverObject = nullptr;
    selectedObject = nullptr;
    pickMarks.clear();
}
