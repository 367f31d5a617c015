#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Reader.h"
#include "RecordRef.h"

namespace lumarc {

// The lines a record's GetText gives, read straight from its body without building the record,
// so that a search over every record allocates nothing per line. Each line is appended to
// `text` followed by '\n', and where it starts to `lineStarts`. A component's lines come in
// body order (KeyWords, ShortInfo, LongInfo, Installation, Review, LongName, FileName), not in
// GetText's. The key words and the short info are given as the component page shows them,
// with "&&" read as "&". The whole body is read, so a damaged record raises the error its
// Load raises.
// Where each of those lines lies in a stored body, in the same order: its start within `stored`
// and its length (a string cut to 255 as above). The lines of lists stored with doubled
// ampersands are given as stored. False when AppendSearchableText would be. Given `span`, it
// also tells where the lines lie together, from the first one's start to the last one's end,
// and where the first one ends: a short text's first line is its file name, the lines after it
// follow, each behind its length byte.
struct TStoredLine {
    uint32_t Start;
    uint32_t Length;
};
struct TStoredSpan {
    uint32_t FirstEnd = 0;
    uint32_t Start = UINT32_MAX;
    uint32_t End = 0;
};
bool StoredSearchableLines(TRecordKind kind, std::string_view stored, std::vector<TStoredLine>& lines,
                           TStoredSpan* span = nullptr);

void AppendSearchableText(TRecordKind kind, TReader& reader, std::string& text, std::vector<size_t>& lineStarts);

// The same from a body held in memory as stored (still scrambled), `stored` beginning at the
// body. False, leaving text and lineStarts as they were, when the body does not lie whole
// within `stored` or is not well formed: the caller then reads it through the record filter,
// which raises the record's own error.
bool AppendSearchableText(TRecordKind kind, std::string_view stored, std::string& text,
                          std::vector<size_t>& lineStarts);

}  // namespace lumarc
