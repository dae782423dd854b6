// What the static layer of the plane pane was drawn from. The same inputs draw the same
// pixels, so a kept image of that layer is good exactly while its snapshot still matches the
// document and the view: no change anywhere has to be announced for the image to be redrawn.
#pragma once

#include "scene/torvane_doc.h"
#include "view/view_state.h"

#include <cstddef>
#include <vector>

class PlaneSnapshot {
  public:
    void capture(const CTorvaneDoc& doc, const ViewState& view);
    bool matches(const CTorvaneDoc& doc, const ViewState& view) const;
    void clear();

  private:
    bool captured = false;
    // The whole view state but hover and selection, which belong to the dynamic layer.
    ViewState view;
    // Every listed object in order; the selected one (dynamic) only holds its place.
    std::vector<SceneObject> objects;
    std::ptrdiff_t selectedIndex = -1;
};
