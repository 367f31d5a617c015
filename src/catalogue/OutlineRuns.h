#pragma once
// The outline as it is shown: which nodes are children of which, and which are marked new.
// The lists may be damaged, so every value is checked before it is used.

#include "TreeViewData.h"
#include "settings/core/DateTime.h"

namespace lumarc {

// The value at `index`, false when the list does not hold one: damaged lists may be shorter
// than the outline.
bool ValueAt(const TIntList& list, int index, int32_t& value);

struct TChildRun {
    int First = 0;
    int Count = 0;
};

// The children of `entry`: none for an entry the lists do not hold, a first child outside the
// nodes, or a count of 0 or below; a run that goes past the last node ends there.
TChildRun ChildRunOf(const TTreeViewData& tree, int entry);

// The number of top-level nodes, RootCount cut to the nodes there are.
int RootRunOf(const TTreeViewData& tree);

// An entry without children whose date is valid and later than `updateDate`: the outline
// shows it with the "new" picture.
bool IsNewEntry(const TTreeViewData& tree, int entry, TDateTime updateDate);

}  // namespace lumarc
