#include "ComponentList.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/CompoText.h"
#include "catalogue/DateList.h"
#include "catalogue/OutlineRuns.h"
#include "catalogue/RecordRef.h"
#include "catalogue/TreeViewData.h"
#include "platform/AsciiCase.h"
#include "settings/core/TextRoutines.h"

namespace lumarc {

namespace {

// Only a-z are folded: other letters of that time's code page have no agreed case pair here.
std::string Folded(const std::string& text)
{
    return AsciiLower(text);
}

bool Contains(const std::string& text, const std::string& part)
{
    return Folded(text).find(Folded(part)) != std::string::npos;
}

TComponentRow RowOf(int entry, const TCompoText& compo)
{
    TComponentRow row;
    row.Entry = entry;
    row.ShortName = compo.ShortName;
    row.LongName = compo.LongName;
    row.FileName = compo.FileName;
    row.Version = compo.Version;
    row.OS = compo.OS;
    row.Distribution = compo.Distribution;
    row.Price = compo.Price;
    row.Rating = compo.Rating;
    row.Language = compo.Language;
    row.Compiler = compo.Compiler;
    for (const std::string& word : compo.KeyWords.Strings())
        row.KeyWords.push_back(CollapseDoubledAmpersands(word));
    return row;
}

}  // namespace

TComponentEntry ComponentEntryOf(const TTreeViewData& tree, int entry)
{
    TComponentEntry item;
    item.Entry = entry;
    item.Offset = RecordOffsetOf(tree.Texts.Objects(entry));
    TDateTime date = 0;
    if (entry < tree.Dates.Count() && TryUnpackDate(tree.Dates.Packed(entry), date))
        item.Date = date;
    item.Leaf = ChildRunOf(tree, entry).Count == 0;
    return item;
}

std::vector<TComponentEntry> ComponentEntries(const TTreeViewData& tree)
{
    std::vector<TComponentEntry> entries;
    for (int entry = 0; entry < tree.Count(); ++entry) {
        if (RecordKindOf(tree.Texts.Objects(entry)) == TRecordKind::rkComponent)
            entries.push_back(ComponentEntryOf(tree, entry));
    }
    return entries;
}

TComponentRow ComponentRowOf(const TComponentEntry& entry, const TCompoText& compo)
{
    TComponentRow row = RowOf(entry.Entry, compo);
    row.Date = entry.Date;
    row.Leaf = entry.Leaf;
    return row;
}

TComponentRow ReadComponentRow(TBrowzerContainer& container, const TComponentEntry& entry)
{
    TCompoText compo;
    container.ReadRecord(compo, entry.Offset);
    return ComponentRowOf(entry, compo);
}

std::vector<TComponentRow> ReadComponentRows(TBrowzerContainer& container, const TTreeViewData& tree,
                                             const TUnreadableRow& unreadable)
{
    std::vector<TComponentRow> rows;
    for (const TComponentEntry& entry : ComponentEntries(tree)) {
        try {
            rows.push_back(ReadComponentRow(container, entry));
        } catch (const std::exception& error) {
            if (unreadable)
                unreadable(entry.Entry, error);
        }
    }
    return rows;
}

bool Matches(const TComponentFilter& filter, const TComponentRow& row)
{
    if (filter.Compilers != 0 && (row.Compiler & filter.Compilers) == 0)
        return false;
    if (!filter.Languages.empty() &&
        std::find(filter.Languages.begin(), filter.Languages.end(), row.Language) == filter.Languages.end())
        return false;
    if (filter.MinRating && row.Rating < *filter.MinRating)
        return false;
    if (filter.KeyWord) {
        const std::string wanted = Folded(*filter.KeyWord);
        if (std::none_of(row.KeyWords.begin(), row.KeyWords.end(),
                         [&](const std::string& word) { return Folded(word) == wanted; }))
            return false;
    }
    if (filter.Distribution && !Contains(row.Distribution, *filter.Distribution))
        return false;
    if (filter.OS && !Contains(row.OS, *filter.OS))
        return false;
    if (filter.Since && !(row.Leaf && row.Date && *row.Date > *filter.Since))
        return false;
    return true;
}

}  // namespace lumarc
