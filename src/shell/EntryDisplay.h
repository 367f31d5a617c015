#pragma once

namespace lumarc {

class TBrowzerContainer;
class TCompoText;
class TToolDiscMain;

// Shows an outline entry on the page of its record kind: an info text in the text view, a
// short text in the memo, a component description in the fields of the component page.
class TEntryDisplay {
public:
    explicit TEntryDisplay(TToolDiscMain& main) : FMain(main) {}

    // Reads the entry's record, shows it and sets the page kind; an entry without a record
    // gives page kind 0. Raises the record's error when it cannot be read; the page and the
    // kept component are then as they were.
    void ShowEntry(int entry);

    // Each returns false, changing nothing, for a negative entry or one whose record is of
    // another kind; an entry past the end of the outline raises the list's index error.
    bool ShowShortText(TBrowzerContainer& container, int entry);
    // The loaded record becomes the window's kept component; one that fails to load leaves
    // the kept component alone.
    bool ShowCompoText(TBrowzerContainer& container, int entry);

    // Fills the component page's fields from `compo`.
    void FillComponentPage(const TCompoText& compo);

private:
    // The entry's record reference, or -1 for a negative entry; the container is activated.
    static int RecordRef(TBrowzerContainer& container, int entry);

    TToolDiscMain& FMain;
};

}  // namespace lumarc
