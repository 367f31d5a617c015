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
    // The same without reading any page in: ReadIn must have read a part before it is touched.
    static std::shared_ptr<const TMappedFile> Map(const std::string& fileName);
    // Reads in the pages that hold [from, from + size), which parts of one file may do side by
    // side; false where a page cannot be read, or on a system that cannot read pages in ahead
    // (Linux before 5.14).
    bool ReadIn(size_t from, size_t size) const;
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
