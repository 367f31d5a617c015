#include "SearchableRecords.h"

#include "catalogue/BufferedFileStream.h"
#include "catalogue/LZWFilter.h"
#include "catalogue/Reader.h"
#include "catalogue/RecordRef.h"
#include "catalogue/SearchableText.h"

namespace lumarc {

namespace {

// Most bodies are a few kilobytes: the window is moved on when less than this is left in it.
constexpr int64_t kLikelyRecordSize = 64 * 1024;

}  // namespace

TSearchableRecords::TSearchableRecords(std::string dataFileName) : FDataFileName(std::move(dataFileName)) {}

TSearchableRecords::~TSearchableRecords() = default;

bool TSearchableRecords::Read(int32_t ref, std::string& text, std::vector<size_t>& lineStarts)
{
    text.clear();
    lineStarts.clear();
    const TRecordKind kind = RecordKindOf(ref);
    if (kind == TRecordKind::rkNone)
        return false;
    if (!FData)
        FData = std::make_unique<TBufferedFileStream>(FDataFileName);
    const int32_t offset = RecordOffsetOf(ref);
    // Straight from the window when the body lies in it, once more with the window moved to
    // the body, and else (a body larger than the window, or a damaged one) through the record
    // filter as a record's Load reads it, raising the record's error.
    if (!AppendSearchableText(kind, FData->Peek(offset, kLikelyRecordSize), text, lineStarts) &&
        !AppendSearchableText(kind, FData->Peek(offset, TBufferedFileStream::kDefaultWindow), text, lineStarts)) {
        FData->SetPosition(offset);
        TLZWFilter filter(*FData, 0);
        TReader reader(filter);
        AppendSearchableText(kind, reader, text, lineStarts);
    }
    return true;
}

}  // namespace lumarc
