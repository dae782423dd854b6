// Diffing two states of the object list by object identity, and replaying the difference
// in either direction.
#include "scene/scene_change.h"

#include <unordered_map>

SceneSnapshot takeSnapshot(const CTorvaneDoc& doc) {
    SceneSnapshot snapshot;
    snapshot.objects.reserve(static_cast<std::size_t>(doc.objectCount));
    for (const SceneObject* o : doc)
        snapshot.objects.emplace_back(o, *o);
    return snapshot;
}

bool sameState(const SceneObject& a, const SceneObject& b) {
    return a.kind == b.kind && a.x[0] == b.x[0] && a.x[1] == b.x[1] && a.y[0] == b.y[0] &&
           a.y[1] == b.y[1] && a.r == b.r && a.red == b.red && a.green == b.green &&
           a.blue == b.blue && a.dashed == b.dashed && a.width == b.width && a.pinned == b.pinned;
}

SceneChange SceneChange::between(const SceneSnapshot& before, const CTorvaneDoc& doc) {
    std::unordered_map<const SceneObject*, std::size_t> beforeIndex;
    for (std::size_t i = 0; i < before.objects.size(); ++i)
        beforeIndex.emplace(before.objects[i].first, i);

    SceneChange change;
    std::vector<bool> kept(before.objects.size(), false);
    std::size_t afterIndex = 0;
    bool anyKept = false;
    std::size_t lastKept = 0;
    for (const SceneObject* o : doc) {
        const auto it = beforeIndex.find(o);
        // A freed object's address can come back for a new one within the step; kept
        // objects must also keep their order, so one seen out of order counts as new.
        if (it != beforeIndex.end() && !kept[it->second] && (!anyKept || it->second > lastKept)) {
            const std::size_t i = it->second;
            kept[i] = true;
            anyKept = true;
            lastKept = i;
            if (!sameState(before.objects[i].second, *o))
                change.changed.push_back({i, afterIndex, before.objects[i].second, *o});
        } else {
            change.added.push_back({afterIndex, *o});
        }
        ++afterIndex;
    }
    for (std::size_t i = 0; i < before.objects.size(); ++i)
        if (!kept[i])
            change.removed.push_back({i, before.objects[i].second});
    return change;
}

void SceneChange::transform(CTorvaneDoc& doc, const std::vector<Placed>& leaving,
                            const std::vector<Placed>& arriving,
                            const std::vector<Changed>& changedObjects, bool fromBefore) {
    // Positions are those of the list this direction starts from, so the changes in place
    // come first, then removals from the back, then insertions from the front: each
    // insertion then lands exactly at its final position.
    for (const Changed& c : changedObjects)
        if (SceneObject* o = doc.objectAt(fromBefore ? c.beforeIndex : c.afterIndex))
            *o = fromBefore ? c.after : c.before;
    for (auto it = leaving.rbegin(); it != leaving.rend(); ++it)
        if (SceneObject* o = doc.objectAt(it->index))
            doc.removeObject(o);
    for (const Placed& p : arriving)
        doc.insertObject(p.index, p.state);
}

void SceneChange::applyForward(CTorvaneDoc& doc) const {
    transform(doc, removed, added, changed, true);
}

void SceneChange::applyBackward(CTorvaneDoc& doc) const {
    transform(doc, added, removed, changed, false);
}
