#pragma once
// Where a ZIP archive lies in its file and where its members' data lie in the archive, read from
// the end of central directory record and the central directory themselves. libzip finds an
// archive only where its offsets are right for the file; a self-extractor (a program with the
// archive appended) or an archive with other data in front has bytes before it, and an
// archive whose members share their data (the overlapping-file bomb) looks sound to it.

#include <cstdint>
#include <string>
#include <vector>

namespace zipfile {

struct TZipMember {
    uint64_t LocalOffset = 0;  // of its local header, from the archive's start
    uint64_t PackedSize = 0;
    uint64_t NameLength = 0;
};

struct TZipLayout {
    // Bytes in front of the archive whose offsets do not count them (0 for a plain archive,
    // and for a self-extractor whose offsets were adjusted to the whole file).
    uint64_t Start = 0;
    // In central directory order, which is libzip's index order.
    std::vector<TZipMember> Members;
};

// False when the file holds no end of central directory record or its directory cannot be
// read; libzip then judges the file alone.
bool ReadZipLayout(const std::string& path, TZipLayout& layout);

// Whether the data of any two members overlap, so that the archive unpacks to far more than
// it holds.
bool MembersOverlap(const TZipLayout& layout);

}  // namespace zipfile
