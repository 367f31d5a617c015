#pragma once
// An archive as a file of the host, for a library that opens files by name: the archive itself,
// or for one inside a disc image a copy in a temporary directory of its own.

#include <string>

namespace lumarc {

class TArchiveCopy {
public:
    explicit TArchiveCopy(const std::string& archive);
    // Removes the copy and its directory.
    ~TArchiveCopy();
    TArchiveCopy(const TArchiveCopy&) = delete;
    TArchiveCopy& operator=(const TArchiveCopy&) = delete;

    // Where the archive can be opened; the copy's path even when copying failed.
    const std::string& Path() const { return FPath; }
    // Why the copy could not be made, in German; empty when it was, or none was needed.
    const std::string& Error() const { return FError; }

private:
    std::string FPath;
    std::string FError;
    std::string FDir;
};

}  // namespace lumarc
