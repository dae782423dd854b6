// What one editing step did to the document's object list: the objects it removed, added
// and changed, each with its full state, so that the step can be taken back and done again.
#pragma once

#include "scene/torvane_doc.h"

#include <cstddef>
#include <utility>
#include <vector>

// Every field of the list's objects, in list order. The pointers only identify objects
// across the step; they are never followed.
struct SceneSnapshot {
    std::vector<std::pair<const SceneObject*, SceneObject>> objects;
};

SceneSnapshot takeSnapshot(const CTorvaneDoc& doc);

// True when every field of the two records is the same.
bool sameState(const SceneObject& a, const SceneObject& b);

class SceneChange {
  public:
    // The difference between the list as it was (before) and as it is now (doc). Objects
    // that stay keep their order: a step removes, adds and changes, it never reorders.
    static SceneChange between(const SceneSnapshot& before, const CTorvaneDoc& doc);

    bool empty() const { return removed.empty() && added.empty() && changed.empty(); }

    // Takes the document from the list before the step to the list after it (redo) or
    // back (undo). Changed objects keep their identity; removed ones come back as new
    // objects at their old positions.
    void applyForward(CTorvaneDoc& doc) const;
    void applyBackward(CTorvaneDoc& doc) const;

  private:
    struct Placed {
        std::size_t index; // position in the list on its own side of the step
        SceneObject state;
    };
    struct Changed {
        std::size_t beforeIndex, afterIndex;
        SceneObject before, after;
    };
    // One direction of the step: from the list that holds `leaving` to the one that holds
    // `arriving`; `fromBefore` says which side of the step the document is on.
    static void transform(CTorvaneDoc& doc, const std::vector<Placed>& leaving,
                          const std::vector<Placed>& arriving, const std::vector<Changed>& changed,
                          bool fromBefore);

    std::vector<Placed> removed; // ascending positions in the list before the step
    std::vector<Placed> added;   // ascending positions in the list after the step
    std::vector<Changed> changed;
};
