#include "OutlineRuns.h"

#include <algorithm>

#include "DateList.h"

namespace lumarc {

bool ValueAt(const TIntList& list, int index, int32_t& value)
{
    if (index < 0 || index >= list.Count())
        return false;
    value = list.Values()[static_cast<size_t>(index)];
    return true;
}

TChildRun ChildRunOf(const TTreeViewData& tree, int entry)
{
    int32_t first = -1;
    int32_t count = 0;
    if (!ValueAt(tree.FirstChildList, entry, first) || !ValueAt(tree.ChildCountList, entry, count))
        return {};
    const int nodes = tree.Count();
    if (first < 0 || first >= nodes || count <= 0)
        return {};
    return {first, static_cast<int>(std::min<int64_t>(count, int64_t{nodes} - first))};
}

int RootRunOf(const TTreeViewData& tree)
{
    return std::clamp(tree.RootCount, 0, tree.Count());
}

bool IsNewEntry(const TTreeViewData& tree, int entry, TDateTime updateDate)
{
    if (entry < 0 || entry >= tree.Count() || ChildRunOf(tree, entry).Count > 0)
        return false;
    int32_t packed = 0;
    TDateTime date = 0;
    return ValueAt(tree.Dates.PackedList(), entry, packed) && TryUnpackDate(packed, date) && date > updateDate;
}

}  // namespace lumarc
