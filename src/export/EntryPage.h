#pragma once
// The page of one outline entry: its text in the element with id "text", line for line as
// `lumarc-cli show` prints it, and around it what the viewer shows beside the text.

#include <string>
#include <vector>

#include "SiteTree.h"
#include "catalogue/ParamScriptComponent.h"
#include "catalogue/RecordRef.h"
#include "catalogue/TreeViewData.h"
#include "settings/core/DateTime.h"

namespace lumarc {

// The file a component or short text names, for the page to show.
struct TFileLink {
    std::string Shown;  // the Windows path as the catalogue holds it, UTF-8
    std::string Href;   // below the site's root ("files/COMPS/GRID.ZIP"), or empty when not copied
};

struct TEntryPageInput {
    const TTreeViewData& Tree;
    const TSiteTree& Site;
    TDateTime UpdateDate = 0;
    int Node = 0;
    // The entry's record, loaded, of the kind its reference names; null for an entry without
    // one or one that could not be read.
    TRecordKind Kind = TRecordKind::rkNone;
    const TParamScriptComponent* Record = nullptr;
    // The record's error message when it could not be read.
    std::string Error = {};
    const TFileLink* File = nullptr;
};

// The whole HTML document of entry/N.html.
std::string EntryPage(const TEntryPageInput& input);

// The lines of a record as `show` prints them, UTF-8, one string each: the element "text".
// `classes` gets each line's CSS class (the font the viewer shows it in), or "".
void EntryTextLines(TRecordKind kind, const TParamScriptComponent& record, std::vector<std::string>& lines,
                    std::vector<std::string>& classes);

}  // namespace lumarc
