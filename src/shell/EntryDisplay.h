#pragma once

namespace lumarc {

class TToolDiscMain;

// Shows an outline entry on the page of its record kind.
class TEntryDisplay {
public:
    explicit TEntryDisplay(TToolDiscMain& main) : FMain(main) {}

    // Reads the entry's record and shows it; raises the record's error when it cannot be read.
    void ShowEntry(int entry);

private:
    TToolDiscMain& FMain;
};

}  // namespace lumarc
