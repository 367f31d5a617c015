#pragma once
// What printing and copying hand out for an outline entry, by the kind of its record.

#include "catalogue/BrowzerContainer.h"
#include "catalogue/RecordRef.h"
#include "catalogue/ScriptInfoText.h"
#include "catalogue/ShortText.h"
#include "catalogue/StringList.h"
#include "catalogue/TreeViewData.h"

namespace lumarc {

// Info text: its lines without their font tags.
TStringList InfoTextPrintLines(const TScriptInfoText& info);
// Short text: the memo's lines, line 1 on (line 0 names the file and is not in the memo).
// They stay OEM (CP850) bytes, as stored.
TStringList ShortTextPrintLines(const TShortText& text);

struct TEntryLines {
    TRecordKind Kind = TRecordKind::rkNone;
    TStringList Lines;
};

// Reads the entry's record through `container` and returns its print lines; kind rkNone and
// no lines for a negative entry or an entry without record. An entry past the end of the
// outline raises the list's index error; record errors pass through.
TEntryLines ReadEntryLines(TBrowzerContainer& container, const TTreeViewData& tree, int entry);

}  // namespace lumarc
