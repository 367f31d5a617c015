#include "CatalogueSearch.h"

#include "QueryParser.h"
#include "catalogue/StoredOutline.h"
#include "catalogue/RecordRef.h"
#include "catalogue/TreeViewData.h"

namespace lumarc {

namespace {

class TCaptionEntries : public TSearchEntries {
public:
    explicit TCaptionEntries(std::shared_ptr<const TCaptionList> captions) : FCaptions(std::move(captions)) {}
    int Count() const override { return FCaptions->Count(); }
    int32_t Ref(int index) const override { return FCaptions->Objects(index); }
    std::string Caption(int index) const override { return std::string((*FCaptions)[index]); }

private:
    std::shared_ptr<const TCaptionList> FCaptions;
};

class TStoredEntries : public TSearchEntries {
public:
    explicit TStoredEntries(std::shared_ptr<const TStoredOutline> outline) : FOutline(std::move(outline)) {}
    int Count() const override { return FOutline->Count(); }
    int32_t Ref(int index) const override { return FOutline->Ref(index); }
    std::string Caption(int index) const override { return FOutline->Caption(index); }

private:
    std::shared_ptr<const TStoredOutline> FOutline;
};

TStringList ParsedTerms(const std::string& query, bool caseSensitive)
{
    TStringList terms;
    ParseQuery(query, caseSensitive, terms);
    return terms;
}

}  // namespace

std::shared_ptr<const TSearchEntries> SearchEntriesOf(std::shared_ptr<const TCaptionList> captions)
{
    return std::make_shared<const TCaptionEntries>(std::move(captions));
}

std::shared_ptr<const TSearchEntries> SearchEntriesOf(std::shared_ptr<const TStoredOutline> outline)
{
    return std::make_shared<const TStoredEntries>(std::move(outline));
}

TCatalogueSearch::TCatalogueSearch(const TTreeViewData& treeData, std::string dataFileName, const std::string& query,
                                   bool caseSensitive)
    : TCatalogueSearch(std::make_shared<const TCaptionList>(treeData.Texts), std::move(dataFileName), query,
                       caseSensitive)
{
}

TCatalogueSearch::TCatalogueSearch(std::shared_ptr<const TCaptionList> entries, std::string dataFileName,
                                   const std::string& query, bool caseSensitive)
    : TCatalogueSearch(SearchEntriesOf(std::move(entries)), std::move(dataFileName), query, caseSensitive)
{
}

TCatalogueSearch::TCatalogueSearch(std::shared_ptr<const TSearchEntries> entries, std::string dataFileName,
                                   const std::string& query, bool caseSensitive)
    : FEntries(std::move(entries)),
      FRecords(dataFileName),
      FMatcher(ParsedTerms(query, caseSensitive), caseSensitive),
      FDataFileName(std::move(dataFileName)),
      FQuery(query),
      FCaseSensitive(caseSensitive)
{
}

void TCatalogueSearch::ScanStoredText()
{
    FScan = TStoredTextScan::Make(FDataFileName, FQuery, FCaseSensitive);
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
    const int32_t ref = FEntries->Ref(index);
    if (FScan) {
        // The record is read only when it holds a hit whose line is asked for, or when it is
        // damaged, so that its error is the one reading it raises.
        switch (FScan->Match(ref, FLines, FFirstLine)) {
        case TStoredTextScan::TVerdict::vNoHit: return false;
        case TStoredTextScan::TVerdict::vHit:
            if (line)
                break;
            hitText = HitText(FEntries->Caption(index), RecordKindOf(ref) == TRecordKind::rkShort ? &FFirstLine : nullptr);
            return true;
        case TStoredTextScan::TVerdict::vUnread: break;
        }
    }
    FMatcher.Clear();
    if (!FRecords.Read(ref, FMatcher.Text(), FMatcher.LineStarts()))
        return false;
    const TRecordKind kind = RecordKindOf(ref);
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
    hitText = HitText(FEntries->Caption(index), isShort ? &FFirstLine : nullptr);
    if (line && !FMatcher.MatchedLine(*line)) {
        line->Bytes.clear();
        line->Marks.clear();
    }
    return true;
}

}  // namespace lumarc
