#pragma once
// The order form: the part of one catalogue entry's info text between two cut marks.

#include <string>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/StringList.h"
#include "catalogue/TreeViewData.h"

namespace lumarc {

// The outline text of the entry that holds the order form (compared without regard to case).
inline constexpr const char* kOrderFormEntryText = "   BestellFormular";
inline constexpr const char* kOrderFormStartMark = " SCHNIPP ";
inline constexpr const char* kOrderFormStopMark = " SCHNAPP ";

// The first entry whose outline text is the order form's, or -1.
int FindOrderFormEntry(const TTreeViewData& tree);

// The lines strictly between the first line holding the start mark and the first line
// holding the stop mark (both found in the upper-cased line). Empty unless the start mark
// stands after the text's first line, the stop mark after it, and at least two lines lie
// between them; marks in the wrong order or missing give nothing.
TStringList CutOrderForm(const TStringList& lines);

// Finds the order form entry and cuts its info text. Nothing when there is no such entry or
// the entry has no info text; record errors pass through.
TStringList ReadOrderForm(TBrowzerContainer& container, const TTreeViewData& tree);

}  // namespace lumarc
