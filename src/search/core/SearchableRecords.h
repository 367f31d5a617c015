#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lumarc {

class TBufferedFileStream;

// Reads records' searchable lines (AppendSearchableText) through a read-only handle of its own
// on the data file, so that it may run beside the viewer's reads. The search and the web
// export's index read through it, so both see the same lines.
class TSearchableRecords {
public:
    explicit TSearchableRecords(std::string dataFileName);
    ~TSearchableRecords();
    TSearchableRecords(const TSearchableRecords&) = delete;
    TSearchableRecords& operator=(const TSearchableRecords&) = delete;

    // Replaces text and lineStarts with the lines of the record `ref` refers to; false, and
    // both emptied, for the reference -1. Raises the data file's open error on the first call
    // that needs the file, and the record's read error.
    bool Read(int32_t ref, std::string& text, std::vector<size_t>& lineStarts);

private:
    std::string FDataFileName;
    std::unique_ptr<TBufferedFileStream> FData;
};

}  // namespace lumarc
