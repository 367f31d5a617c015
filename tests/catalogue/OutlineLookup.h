#pragma once
// Finding a node of a loaded outline by what its caption says, for tests that know their
// catalogue by its texts rather than its node numbers.

#include <gtest/gtest.h>

#include <string>

#include "catalogue/TreeViewData.h"

namespace lumarc::test {

// The first node whose caption contains `caption`; a test failure and -1 when none does.
inline int EntryContaining(const TTreeViewData& tree, const std::string& caption)
{
    for (int i = 0; i < tree.Count(); ++i)
        if (tree.Texts[i].find(caption) != std::string::npos)
            return i;
    ADD_FAILURE() << "no entry containing " << caption;
    return -1;
}

}  // namespace lumarc::test
