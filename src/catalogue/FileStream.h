#pragma once

#include <memory>
#include <string>

#include "Stream.h"

namespace lumarc {

class TDiscFile;

// A stream on an open file. Opening for reading needs an existing file; creating truncates. A
// file inside a disc image ("/x/disc.iso/DATA/LUMARC32.DAT") opens for reading only, and is
// read in place.
class TFileStream : public TStream {
public:
    enum class TMode { fmOpenRead, fmOpenReadWrite, fmCreate };

    // Raises EFOpenError (EFCreateError for fmCreate) naming the file and the system's reason.
    TFileStream(const std::string& fileName, TMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t ReadAt(int64_t offset, void* buffer, int64_t count) override;
    // One system call instead of three seeks: every count read from a record asks for it.
    int64_t Size() override;

    const std::string& FileName() const { return FFileName; }
    // Flushes written data to the disk; raises EWriteError when that fails.
    void Sync();

private:
    std::string FFileName;
    int FHandle = -1;
    std::unique_ptr<TDiscFile> FInImage;
    int64_t FPosition = 0;  // of a file in an image
};

}  // namespace lumarc
