#pragma once
// The entries of a file list and the list that keeps them sorted by name as they come in.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/DirectoryScan.h"
#include "platform/Exception.h"

namespace lumarc {

LUMARC_DECLARE_ERROR(ESortFileList, Exception);

inline const char* const SSortFileListInsert = "Exception on inserting file into list.";

struct TFileEntry {
    std::string Name;      // as listed, UTF-8
    // The name on disk; Name too unless the list shows names in upper case. The paths of the
    // entries are built from this one.
    std::string FileName;
    uint32_t Attr = 0;
    uint32_t Time = 0;  // packed date and time: date in the high word, time in the low word
    int64_t Size = 0;
    bool IsDirectory = false;
    bool IsDrive = false;
};

class TSortFileList {
public:
    // Compares by name without regard to ASCII letter case, and names equal so by their names
    // on disk: an entry for the very file of one already there is discarded (the old one stays),
    // otherwise it goes before the first greater one.
    // Returns whether it was kept. Failures raise ESortFileList.
    bool Add(std::unique_ptr<TFileEntry> entry);
    // At the end, unsorted (the drives keep their own order).
    void Append(std::unique_ptr<TFileEntry> entry);
    void Clear() { FEntries.clear(); }
    int Count() const { return static_cast<int>(FEntries.size()); }
    const TFileEntry& operator[](int index) const { return *FEntries.at(static_cast<size_t>(index)); }

    // <0, 0, >0 as a and b compare without regard to ASCII letter case.
    static int CompareNames(const std::string& a, const std::string& b);

private:
    std::vector<std::unique_ptr<TFileEntry>> FEntries;
};

}  // namespace lumarc
