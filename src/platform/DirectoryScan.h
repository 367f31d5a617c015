#pragma once
// One directory read as the install dialog's lists show it: each entry with the attribute bits
// of the old file systems, so that the lists can filter and mark entries as they always did.

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace lumarc {

// Attribute bits as the file lists show them.
enum : uint32_t {
    faReadOnly = 0x01, faHidden = 0x02, faSysFile = 0x04, faVolumeID = 0x08, faDirectory = 0x10, faArchive = 0x20
};

struct TDirEntry {
    std::string Name;  // as on disk
    uint32_t Attr = 0;
    std::time_t Time = 0;  // modification time
    int64_t Size = 0;      // 0 for a directory
};

// Every entry of `dir`, "." and ".." included (the root has no ".."): directories 0x10, dot
// files hidden, files the user may not write read-only, special files system, other files
// archive; on a FAT file system its own hidden and system bits as well. An unreadable
// directory gives nothing.
std::vector<TDirEntry> ReadDirectory(const std::string& dir);
// Only the entries whose names `wanted` takes: the others' attributes are not read, which took
// most of the time of finding one file in a folder.
std::vector<TDirEntry> ReadDirectory(const std::string& dir, const std::function<bool(const std::string&)>& wanted);

}  // namespace lumarc
