#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FileStream.h"

namespace lumarc {

// A read-only stream on a file handle of its own that serves reads from a window of the file
// read with positional reads. A second reader of the data file (the search) walks the records
// in file order without a system call per record and without touching the viewer's position.
class TBufferedFileStream : public TStream {
public:
    static constexpr int64_t kDefaultWindow = 256 * 1024;

    // Raises the file's EFOpenError.
    explicit TBufferedFileStream(const std::string& fileName, int64_t windowSize = kDefaultWindow);

    int64_t Read(void* buffer, int64_t count) override;
    // Raises EWriteError: the stream only reads.
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return FSize; }

    // The file's bytes from `offset` to the end of the window, read so that the window starts
    // at `offset` unless it already holds it with at least `wanted` bytes after it. Empty at
    // or past the end of the file. Valid until the next call that reads.
    std::string_view Peek(int64_t offset, int64_t wanted);

private:
    bool Holds(int64_t offset, int64_t count) const
    {
        return offset >= FWindowStart && offset + count <= FWindowStart + FWindowLength;
    }
    void Fill(int64_t offset);

    TFileStream FFile;
    int64_t FSize = 0;
    int64_t FPosition = 0;
    std::vector<char> FWindow;
    int64_t FWindowStart = 0;
    int64_t FWindowLength = 0;
};

}  // namespace lumarc
