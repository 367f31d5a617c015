#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "SearchMatcher.h"
#include "SearchableRecords.h"
#include "StoredTextScan.h"
#include "catalogue/CaptionList.h"

namespace lumarc {

class TTreeViewData;
class TStoredOutline;

// The entries a search walks: each one's record reference, and its caption for a hit.
class TSearchEntries {
public:
    virtual ~TSearchEntries() = default;
    virtual int Count() const = 0;
    virtual int32_t Ref(int index) const = 0;
    virtual std::string Caption(int index) const = 0;
};
// Those of an outline's captions, read where they are, which must stay unchanged while a search
// lasts; and those of an outline read where it is stored.
std::shared_ptr<const TSearchEntries> SearchEntriesOf(std::shared_ptr<const TCaptionList> captions);
std::shared_ptr<const TSearchEntries> SearchEntriesOf(std::shared_ptr<const TStoredOutline> outline);

// Walks the outline's entries and tests each entry's record against a query. It reads the
// data file through a read-only handle of its own, so it may run in a thread of its own while
// the viewer keeps reading the same file. Made from an outline, it keeps a copy of its captions
// and references, so the outline is touched only while the search is made.
class TCatalogueSearch {
public:
    TCatalogueSearch(const TTreeViewData& treeData, std::string dataFileName, const std::string& query,
                     bool caseSensitive);
    // Reads the captions and references of `entries` where they are, so that searches of one
    // outline side by side need no copy each; they must stay unchanged while the search lasts.
    TCatalogueSearch(std::shared_ptr<const TCaptionList> entries, std::string dataFileName, const std::string& query,
                     bool caseSensitive);
    TCatalogueSearch(std::shared_ptr<const TSearchEntries> entries, std::string dataFileName, const std::string& query,
                     bool caseSensitive);
    ~TCatalogueSearch();
    TCatalogueSearch(const TCatalogueSearch&) = delete;
    TCatalogueSearch& operator=(const TCatalogueSearch&) = delete;

    int Count() const { return FEntries->Count(); }

    // Looks for the terms in the records' stored bytes, so that a record is read only when it
    // holds a hit whose line is wanted. UseScan shares one scan among the searches of one query.
    void ScanStoredText();
    void UseScan(std::shared_ptr<const TStoredTextScan> scan) { FScan = std::move(scan); }
    bool Scanned() const { return FScan != nullptr; }

    // Reads and tests entry `index` (0..Count-1). True for a hit, with the text the result list
    // shows in hitText and, when `line` is given, the line it is listed with (empty bytes when
    // no single term can be pointed at). An entry without a record is no hit. Raises the data
    // file's open error on the first call that needs the file, and the record's read error.
    bool SearchEntry(int index, std::string& hitText, TSearchMatcher::TMatchedLine* line = nullptr);

    // The list text of a hit: a short text whose first line contains ".ZIP" (any case) is
    // listed under that line as stored, every other entry under its caption.
    static std::string HitText(std::string_view caption, const std::string* shortTextFirstLine);

private:
    std::shared_ptr<const TSearchEntries> FEntries;
    TSearchableRecords FRecords;
    TSearchMatcher FMatcher;
    std::string FFirstLine;
    std::string FDataFileName;
    std::string FQuery;
    bool FCaseSensitive;
    std::shared_ptr<const TStoredTextScan> FScan;
    TStoredLines FLines;
};

}  // namespace lumarc
