#include <iostream>
#include <vector>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "platform/CodePage.h"

namespace lumarc {

int RunTree(const std::string& catalogue, bool numbers)
{
    const std::unique_ptr<TOpenCatalogue> opened = OpenCatalogue(catalogue);
    if (!opened)
        return 1;
    const TTreeViewData& tree = opened->TreeData;
    const int n = tree.Count();
    const bool listsWhole = tree.FirstChildList.Count() == n && tree.ChildCountList.Count() == n;

    // Depth first, children in their run; a corrupt outline whose runs loop or leave the
    // node range prints each node once and stops there.
    std::vector<bool> printed(static_cast<size_t>(n), false);
    struct TItem {
        int Node;
        int Depth;
    };
    std::vector<TItem> pending;
    for (int i = std::min(tree.RootCount, n) - 1; i >= 0; --i)
        pending.push_back({i, 0});
    while (!pending.empty()) {
        const TItem item = pending.back();
        pending.pop_back();
        if (item.Node < 0 || item.Node >= n || printed[static_cast<size_t>(item.Node)])
            continue;
        printed[static_cast<size_t>(item.Node)] = true;
        if (numbers)
            std::cout << item.Node << '\t';
        std::cout << std::string(static_cast<size_t>(item.Depth) * 2, ' ') << Cp1252ToUtf8(tree.Texts[item.Node])
                  << '\n';
        if (!listsWhole)
            continue;
        const int64_t first = tree.FirstChildList[item.Node];
        const int64_t count = tree.ChildCountList[item.Node];
        for (int64_t k = first + count - 1; count > 0 && k >= first; --k)
            if (k >= 0 && k < n)
                pending.push_back({static_cast<int>(k), item.Depth + 1});
    }
    return 0;
}

}  // namespace lumarc
