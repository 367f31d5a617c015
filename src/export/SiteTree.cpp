#include "SiteTree.h"

#include "catalogue/OutlineRuns.h"

namespace lumarc {

std::vector<int> TSiteTree::Children(int node) const
{
    std::vector<int> children;
    const int place = Place[static_cast<size_t>(node)];
    if (place < 0)
        return children;
    const int depth = Depth[static_cast<size_t>(place)];
    for (size_t i = static_cast<size_t>(place) + 1; i < Order.size() && Depth[i] > depth; ++i)
        if (Depth[i] == depth + 1)
            children.push_back(Order[i]);
    return children;
}

TSiteTree WalkOutline(const TTreeViewData& tree)
{
    const int n = tree.Count();
    TSiteTree site;
    site.Place.assign(static_cast<size_t>(n), -1);
    site.Parent.assign(static_cast<size_t>(n), -1);
    site.Order.reserve(static_cast<size_t>(n));
    site.Depth.reserve(static_cast<size_t>(n));
    struct TPending {
        int Node;
        int Parent;
        int Depth;
    };
    std::vector<TPending> pending;
    for (int i = RootRunOf(tree) - 1; i >= 0; --i)
        pending.push_back({i, -1, 0});
    while (!pending.empty()) {
        const TPending item = pending.back();
        pending.pop_back();
        if (site.Place[static_cast<size_t>(item.Node)] >= 0)
            continue;
        site.Place[static_cast<size_t>(item.Node)] = static_cast<int>(site.Order.size());
        site.Parent[static_cast<size_t>(item.Node)] = item.Parent;
        site.Order.push_back(item.Node);
        site.Depth.push_back(item.Depth);
        const TChildRun run = ChildRunOf(tree, item.Node);
        for (int k = run.First + run.Count - 1; k >= run.First && run.Count > 0; --k)
            if (site.Place[static_cast<size_t>(k)] < 0)
                pending.push_back({k, item.Node, item.Depth + 1});
    }
    return site;
}

}  // namespace lumarc
