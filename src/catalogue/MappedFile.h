#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace lumarc {

// A data file mapped read-only with every page read in at once, so that a walk over all of it
// neither waits on the disk page by page nor copies it. Shared by what reads one catalogue side
// by side; unmapped when the last holder lets go.
class TMappedFile {
public:
    // Null when the file cannot be mapped (missing, not a regular file, empty, above 4 GiB) or a
    // page could not be read (a damaged disc): the caller then reads it as a stream, which
    // raises the read's own error where it fails.
    static std::shared_ptr<const TMappedFile> Open(const std::string& fileName);
    ~TMappedFile();
    TMappedFile(const TMappedFile&) = delete;
    TMappedFile& operator=(const TMappedFile&) = delete;

    std::string_view Bytes() const { return {static_cast<const char*>(FData), FSize}; }

private:
    TMappedFile(void* data, size_t size) : FData(data), FSize(size) {}

    void* FData;
    size_t FSize;
};

}  // namespace lumarc
