// The Merge Control dialog's state without a toolkit: one node per document object
// with its cluster number, the three lists of object texts, and the method.
#pragma once

#include "scene/torvane_doc.h"
#include "ui/merge_command.h"

#include <string>
#include <vector>

enum MergeControlId {
    IDC_OBJECT_LIST = 1000,
    IDC_CLUSTER1_LIST = 1001,
    IDC_CLUSTER2_LIST = 1002,
    IDC_TO_CLUSTER1 = 1003,
    IDC_TO_CLUSTER2 = 1004,
    IDC_FROM_CLUSTER1 = 1005,
    IDC_FROM_CLUSTER2 = 1006,
    IDC_METHOD_LIST = 1009,
};

class MergeSelectionModel {
  public:
    // Every object of doc, in document order, in no cluster; method Translate.
    explicit MergeSelectionModel(const CTorvaneDoc& doc);

    // Lines of list 1000, 1001 or 1002 (the nodes with cluster number 0, 1 or 2).
    const std::vector<std::string>& lines(int listId) const;
    // Button 1003..1006 with the selected line of its source list (-1 for none).
    // Returns false when nothing moved: no selection, or the target already full.
    bool move(int buttonId, int selectedLine);

    const std::vector<MergeSelection>& selection() const { return nodes; }
    int method = MERGE_TRANSLATE;

  private:
    std::vector<MergeSelection> nodes;
    std::vector<std::string> lists[3];
};
