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

// Most bodies are a few kilobytes: the window is moved on when less than this is left in it.
constexpr int64_t kLikelyRecordSize = 64 * 1024;

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

std::string TCatalogueSearch::HitText(std::string_view caption, const std::string* shortTextFirstLine)
{
    if (shortTextFirstLine && UpperCaseAZ(*shortTextFirstLine).find(".ZIP") != std::string::npos)
        return *shortTextFirstLine;
    return std::string(caption);
}

bool TCatalogueSearch::SearchEntry(int index, std::string& hitText, TSearchMatcher::TMatchedLine* line)
{
    const int32_t ref = FEntries.Objects(index);
    const TRecordKind kind = RecordKindOf(ref);
    if (kind == TRecordKind::rkNone)
        return false;
    if (!FData)
        FData = std::make_unique<TBufferedFileStream>(FDataFileName);
    const int32_t offset = RecordOffsetOf(ref);
    FMatcher.Clear();
    // Straight from the window when the body lies in it, once more with the window moved to
    // the body, and else (a body larger than the window, or a damaged one) through the record
    // filter as a record's Load reads it, raising the record's error.
    if (!AppendSearchableText(kind, FData->Peek(offset, kLikelyRecordSize), FMatcher.Text(), FMatcher.LineStarts()) &&
        !AppendSearchableText(kind, FData->Peek(offset, TBufferedFileStream::kDefaultWindow), FMatcher.Text(),
                              FMatcher.LineStarts())) {
        FData->SetPosition(offset);
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
    // A short text's lines below its file name are OEM text.
    const size_t oemFrom = isShort && FMatcher.LineStarts().size() > 1 ? FMatcher.LineStarts()[1] : std::string::npos;
    if (!FMatcher.MatchText(oemFrom))
        return false;
    hitText = HitText(FEntries[index], isShort ? &FFirstLine : nullptr);
    if (line && !FMatcher.MatchedLine(*line)) {
        line->Bytes.clear();
        line->Marks.clear();
    }
    return true;
}

}  // namespace lumarc
