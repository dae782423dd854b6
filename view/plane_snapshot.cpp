// Capturing and comparing the inputs of the plane pane's static layer.
#include "view/plane_snapshot.h"

namespace {

ViewState withoutObjects(const ViewState& view) {
    ViewState v = view;
    v.forgetAllObjects();
    v.mergeOverlay.reset(); // drawn in the dynamic layer
    return v;
}

} // namespace

void PlaneSnapshot::capture(const CTorvaneDoc& doc, const ViewState& v) {
    view = withoutObjects(v);
    objects.clear();
    objects.reserve(static_cast<std::size_t>(doc.objectCount));
    selectedIndex = -1;
    for (const SceneObject* obj : doc) {
        if (obj == v.selectedObject) {
            selectedIndex = static_cast<std::ptrdiff_t>(objects.size());
            objects.emplace_back();
        } else {
            objects.push_back(*obj);
        }
    }
    captured = true;
}

bool PlaneSnapshot::matches(const CTorvaneDoc& doc, const ViewState& v) const {
    if (!captured || !(withoutObjects(v) == view))
        return false;
    std::size_t i = 0;
    std::ptrdiff_t selectedAt = -1;
    for (const SceneObject* obj : doc) {
        if (i == objects.size())
            return false;
        if (obj == v.selectedObject)
            selectedAt = static_cast<std::ptrdiff_t>(i);
        else if (!(*obj == objects[i]))
            return false;
        ++i;
    }
    return i == objects.size() && selectedAt == selectedIndex;
}

void PlaneSnapshot::clear() {
    captured = false;
    objects.clear();
}
