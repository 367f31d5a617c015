#pragma once
// An ISO 9660 file system read from a disc image in place. The sectors come from wherever the
// image keeps them (DiscLayout.h); the names are the Joliet ones where the disc has them, else
// the Rock Ridge ones, else the ISO names. A file system mastered for a place after audio
// tracks counts its sectors from the disc's start, one mastered on its own from the track's:
// the root directory, which names its own sector, tells which.

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumarc {

// One piece of a file's data on the disc.
struct TIsoExtent {
    uint32_t Lsn = 0;
    uint32_t Size = 0;
};

struct TIsoEntry {
    std::string Name;  // as the image lists it, "." and ".." included
    bool Directory = false;
    int64_t Size = 0;
    std::time_t Time = 0;
    // A file stored in several extents (4 GiB and more, or split by its mastering tool) has a
    // directory record for each, in order; read together they are the file.
    std::vector<TIsoExtent> Extents;
    // Extents that cannot be read as one file (a piece before the last that ends within a
    // sector): the file is refused rather than read short.
    bool Unreadable = false;
};

class TSectorSource;

class TIsoVolume {
public:
    ~TIsoVolume();
    TIsoVolume(const TIsoVolume&) = delete;
    TIsoVolume& operator=(const TIsoVolume&) = delete;

    // Nothing when the image holds no file system that can be read; `problem` then says why,
    // in German, and errno is ENOENT for a data file that is missing, else EIO.
    static std::unique_ptr<TIsoVolume> Open(const std::string& image, std::string* problem = nullptr);

    const TIsoEntry& Root() const { return FRoot; }
    // The entries of a directory; nothing when it cannot be read whole.
    std::optional<std::vector<TIsoEntry>> List(const TIsoEntry& directory);
    // Up to `count` sectors from `lsn` into `out`; the bytes read, 0 when none could be.
    int64_t Read(uint32_t lsn, int64_t count, char* out);
    // The volume label, without trailing blanks.
    const std::string& Label() const { return FLabel; }

private:
    TIsoVolume() = default;
    bool FindRoot(const char* pvd, int64_t trackLsn);
    bool IsDirectoryAt(int64_t index, uint32_t lsn);
    std::optional<TIsoEntry> Record(const unsigned char* record, size_t length);

    std::unique_ptr<TSectorSource> FSectors;
    int64_t FBase = 0;  // the file system's number of the track's first sector
    bool FJoliet = false;
    TIsoEntry FRoot;
    std::string FLabel;
};

}  // namespace lumarc
