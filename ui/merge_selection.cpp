// Moving an object between the lists: the i-th line of a list is always the i-th
// node of that cluster, so look-alike objects cannot be confused.
#include "ui/merge_selection.h"

MergeSelectionModel::MergeSelectionModel(const CTorvaneDoc& doc) {
    for (SceneObject* o : doc) {
        nodes.push_back({o, 0});
        lists[0].push_back(o->toString());
    }
}

const std::vector<std::string>& MergeSelectionModel::lines(int listId) const {
    const int cluster = listId - IDC_OBJECT_LIST;
    return lists[cluster >= 0 && cluster <= 2 ? cluster : 0];
}

bool MergeSelectionModel::move(int buttonId, int selectedLine) {
    int source, target;
    switch (buttonId) {
    case IDC_TO_CLUSTER1:
        source = 0, target = 1;
        break;
    case IDC_TO_CLUSTER2:
        source = 0, target = 2;
        break;
    case IDC_FROM_CLUSTER1:
        source = 1, target = 0;
        break;
    case IDC_FROM_CLUSTER2:
        source = 2, target = 0;
        break;
    default:
        return false;
    }
    if (target != 0 && lists[target].size() > 1)
        return false;
    std::vector<std::string>& from = lists[source];
    if (selectedLine < 0 || selectedLine >= static_cast<int>(from.size()))
        return false;

    int seen = 0;
    for (MergeSelection& node : nodes)
        if (node.cluster == source && seen++ == selectedLine) {
            node.cluster = target;
            break;
        }
    std::vector<std::string>& to = lists[target];
    to.clear();
    for (const MergeSelection& node : nodes)
        if (node.cluster == target)
            to.push_back(node.object->toString());
    from.erase(from.begin() + selectedLine);
    return true;
}
