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
// Where those lines lie in a stored body, told by runs of lines rather than line by line, so
// that a walk over every record stores nothing per line: a list's lines lie one after the
// other, each behind its length byte; a string is one line (cut to 255 as above). Runs come in
// the same order as the lines. The lines of lists stored with doubled ampersands are given as
// stored. False when AppendSearchableText would be.
struct TStoredRun {
    uint32_t Start;  // the first line's first byte, within `stored`
    uint32_t End;    // past the last line's last byte
    uint32_t Count;  // a list's lines; 0 for a string, which is the one line [Start, End)
};
struct TStoredLines {
    std::vector<TStoredRun> Runs;
    size_t LineCount = 0;
    // From the first line's start to the last one's end, and where the first one ends: a short
    // text's first line is its file name, the lines after it follow, each behind its length byte.
    uint32_t Start = UINT32_MAX;
    uint32_t End = 0;
    uint32_t FirstEnd = 0;

    // Whether [at, at + length) lies within one of lines [firstLine, endLine) of `stored`.
    bool WithinOneLine(const uint8_t* stored, size_t at, size_t length, size_t firstLine, size_t endLine) const;
};
bool StoredSearchableLines(TRecordKind kind, std::string_view stored, TStoredLines& lines);

void AppendSearchableText(TRecordKind kind, TReader& reader, std::string& text, std::vector<size_t>& lineStarts);

// The same from a body held in memory as stored (still scrambled), `stored` beginning at the
// body. False, leaving text and lineStarts as they were, when the body does not lie whole
// within `stored` or is not well formed: the caller then reads it through the record filter,
// which raises the record's own error.
bool AppendSearchableText(TRecordKind kind, std::string_view stored, std::string& text,
                          std::vector<size_t>& lineStarts);

}  // namespace lumarc
