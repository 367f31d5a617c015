#pragma once
// The component records of a catalogue as rows of a list, and the filters that narrow it: the
// fields someone looking for a component asks about (compiler, language, rating, key words,
// distribution, operating system, date). Texts stay CP1252 bytes, as stored.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/core/DateTime.h"

namespace lumarc {

class TBrowzerContainer;
class TCompoText;
class TTreeViewData;

struct TComponentRow {
    int Entry = 0;
    std::string ShortName, LongName, FileName, Version, OS, Distribution, Price;
    uint8_t Rating = 0;
    uint8_t Language = 0;
    uint8_t Compiler = 0;
    // As the component page shows them, "&&" read as "&".
    std::vector<std::string> KeyWords;
    // The outline node's date; none when the packed date is no valid date.
    std::optional<TDateTime> Date;
    // The outline marks the entry as new when its date is after the update date (no heading is).
    bool Leaf = true;
};

// What a row takes from the outline, so that a thread can read the records without it.
struct TComponentEntry {
    int Entry = 0;
    int32_t Offset = 0;
    std::optional<TDateTime> Date;
    bool Leaf = true;
};

// The outline entries whose record is a component description, in entry order (a record that
// two entries show is named twice).
std::vector<TComponentEntry> ComponentEntries(const TTreeViewData& tree);
// What the outline says of one entry, whatever its record.
TComponentEntry ComponentEntryOf(const TTreeViewData& tree, int entry);
// The entry's row; raises what reading its record raises.
TComponentRow ReadComponentRow(TBrowzerContainer& container, const TComponentEntry& entry);
// The row of a component already read.
TComponentRow ComponentRowOf(const TComponentEntry& entry, const TCompoText& compo);

// One row per entry of ComponentEntries. A record that cannot be read is left out and told to
// `unreadable` with its error.
using TUnreadableRow = std::function<void(int entry, const std::exception& error)>;
std::vector<TComponentRow> ReadComponentRows(TBrowzerContainer& container, const TTreeViewData& tree,
                                             const TUnreadableRow& unreadable);

// Every condition that is set must hold; within one, any of its values.
struct TComponentFilter {
    uint8_t Compilers = 0;        // any of these flags set; 0 asks nothing
    std::vector<int> Languages;   // any of these codes; empty asks nothing
    std::optional<int> MinRating;  // rating as stored (0-10) at least this
    std::optional<std::string> KeyWord;       // a key word equal to it, only a-z folded
    std::optional<std::string> Distribution;  // contains it, only a-z folded
    std::optional<std::string> OS;            // contains it, only a-z folded
    std::optional<TDateTime> Since;           // the outline's "new" rule against this date
};

bool Matches(const TComponentFilter& filter, const TComponentRow& row);

}  // namespace lumarc
