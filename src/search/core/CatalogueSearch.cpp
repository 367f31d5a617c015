#include "CatalogueSearch.h"

#include "QueryParser.h"
#include "catalogue/BufferedFileStream.h"
#include "catalogue/LZWFilter.h"
#include "catalogue/Reader.h"
#include "catalogue/RecordRef.h"
#include "catalogue/SearchableText.h"
#include "catalogue/TreeViewData.h"

namespace lumarc {

namespace {

TStringList ParsedTerms(const std::string& query, bool caseSensitive)
{
    TStringList terms;
    ParseQuery(query, caseSensitive, terms);
    return terms;
}

}  // namespace

TCatalogueSearch::TCatalogueSearch(const TTreeViewData& treeData, std::string dataFileName, const std::string& query,
                                   bool caseSensitive)
    : FEntries(treeData.Texts),
      FDataFileName(std::move(dataFileName)),
      FMatcher(ParsedTerms(query, caseSensitive), caseSensitive)
{
}

TCatalogueSearch::~TCatalogueSearch() = default;

std::string TCatalogueSearch::HitText(const std::string& caption, const std::string* shortTextFirstLine)
{
    if (shortTextFirstLine && UpperCaseAZ(*shortTextFirstLine).find(".ZIP") != std::string::npos)
        return *shortTextFirstLine;
    return caption;
}

bool TCatalogueSearch::SearchEntry(int index, std::string& hitText)
{
    const int32_t ref = FEntries.Objects(index);
    const TRecordKind kind = RecordKindOf(ref);
    if (kind == TRecordKind::rkNone)
        return false;
    if (!FData)
        FData = std::make_unique<TBufferedFileStream>(FDataFileName);
    FData->SetPosition(RecordOffsetOf(ref));
    FMatcher.Clear();
    {
        // The record filter and the reader framing, as a record's Load reads its body.
        TLZWFilter filter(*FData, 0);
        TReader reader(filter);
        AppendSearchableText(kind, reader, FMatcher.Text(), FMatcher.LineStarts());
    }
    const bool isShort = kind == TRecordKind::rkShort && !FMatcher.LineStarts().empty();
    if (isShort) {
        const std::string& text = FMatcher.Text();
        const size_t end = FMatcher.LineStarts().size() > 1 ? FMatcher.LineStarts()[1] - 1 : text.size() - 1;
        FFirstLine.assign(text, 0, end);
    }
    if (!FMatcher.MatchText())
        return false;
    hitText = HitText(FEntries[index], isShort ? &FFirstLine : nullptr);
    return true;
}

}  // namespace lumarc
