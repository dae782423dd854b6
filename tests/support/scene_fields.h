// Every field of every object of a scene, in list order, as comparable values: a test
// that a scene came back exactly compares these.
#pragma once

#include "scene/torvane_doc.h"

#include <tuple>
#include <vector>

using ObjectFields =
    std::tuple<int, double, double, double, double, double, int, int, int, int, int, int>;

inline ObjectFields fieldsOf(const SceneObject& o) {
    return {o.kind, o.x[0],  o.y[0], o.x[1],   o.y[1],  o.r,
            o.red,  o.green, o.blue, o.dashed, o.width, o.pinned};
}

inline std::vector<ObjectFields> sceneFields(const CTorvaneDoc& doc) {
    std::vector<ObjectFields> out;
    for (const SceneObject* o : doc)
        out.push_back(fieldsOf(*o));
    return out;
}
