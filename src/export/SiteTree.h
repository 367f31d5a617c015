#pragma once
// The outline in the order the website reads it.

#include <vector>

#include "catalogue/TreeViewData.h"

namespace lumarc {

// Depth first from the top-level nodes, children in their run, as the viewer's outline and
// `lumarc-cli tree` show it. A damaged outline whose runs loop or overlap gives each node once,
// where it is first reached.
struct TSiteTree {
    std::vector<int> Order;   // the nodes reached, in tree order
    std::vector<int> Depth;   // per place in Order, 0 for a top-level node
    std::vector<int> Place;   // per node: its place in Order, -1 for a node no top-level node reaches
    std::vector<int> Parent;  // per node: the node it is shown under, -1 for a top-level or unreached node

    // The nodes shown directly under `node`, in order.
    std::vector<int> Children(int node) const;
};

TSiteTree WalkOutline(const TTreeViewData& tree);

}  // namespace lumarc
