// Pane viewports, projections and frame rectangles.
#include "view/pane_layout.h"

#include <algorithm>

namespace {

// A degenerate (empty) window must not give an empty orthographic volume or a
// division by zero in the aspect ratio.
double atLeastOne(double v) {
    return std::max(v, 1.0);
}

void appendBorder(std::vector<FrameRect>& out, float red, float green, float blue, float left,
                  float right, float height) {
    out.push_back({red, green, blue, left, 0, left + 3, height});
    out.push_back({red, green, blue, left, 0, right, 3});
    out.push_back({red, green, blue, right - 3, 0, right, height});
    out.push_back({red, green, blue, left, height - 3, right, height});
}

} // namespace

PaneSetup windowSetup(const ViewState& v) {
    PaneSetup p;
    p.viewportWidth = v.clientWidth;
    p.viewportHeight = v.clientHeight;
    p.right = atLeastOne(v.clientWidth);
    p.top = atLeastOne(v.clientHeight);
    return p;
}

PaneSetup planeSetup(const ViewState& v) {
    PaneSetup p;
    p.viewportWidth = v.splitX();
    p.viewportHeight = v.clientHeight;
    p.right = atLeastOne(v.splitX() - 1);
    p.top = atLeastOne(v.clientHeight - 1);
    return p;
}

PaneSetup spaceSetup(const ViewState& v) {
    PaneSetup p;
    p.viewportX = v.splitX();
    p.viewportWidth = v.spacePaneWidth;
    p.viewportHeight = v.clientHeight;
    p.perspective = true;
    p.aspect = static_cast<double>(v.spacePaneWidth) / atLeastOne(v.clientHeight);
    if (p.aspect <= 0)
        p.aspect = 1;
    return p;
}

std::vector<FrameRect> frameRects(const ViewState& v) {
    const float s = static_cast<float>(v.splitX());
    const float w = static_cast<float>(v.clientWidth);
    const float h = static_cast<float>(v.clientHeight);
    std::vector<FrameRect> out;
    const bool both = v.showPlane && v.showSpace;
    if (!both) {
        appendBorder(out, 1, 1, 0, 0, w, h);
        return out;
    }
    out.push_back({0.832f, 0.816f, 0.785f, s - 1, 0, s + 2, h});
    out.push_back({1, 1, 1, s - 2, 0, s - 1, h});
    out.push_back({0.5f, 0.5f, 0.5f, s + 2, 0, s + 3, h});
    out.push_back({0, 0, 0, s + 3, 0, s + 4, h});
    const float planeColour = v.spaceActive ? 0.0f : 1.0f;
    const float spaceColour = v.spaceActive ? 1.0f : 0.0f;
    appendBorder(out, planeColour, planeColour, 0, 0, s - 2, h);
    appendBorder(out, spaceColour, spaceColour, 0, s + 4, w, h);
    return out;
}
