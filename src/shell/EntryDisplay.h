#pragma once

#include <memory>
#include <string>

class QLabel;
class QString;
class QPlainTextEdit;
class QStackedWidget;

namespace lumarc {

class TBrowzerContainer;
class TCompoText;
class TComponentPage;
class TMicaTextView;

// The views an entry is shown in, one notebook page for each record kind.
struct TEntryPages {
    QStackedWidget* Notebook = nullptr;
    TMicaTextView* TextView = nullptr;
    QLabel* ShortFileName = nullptr;
    QPlainTextEdit* ShortMemo = nullptr;
    TComponentPage* ComponentPage = nullptr;
};

// Shows an outline entry on the page of its record kind: an info text in the text view, a
// short text in the memo, a component description in the fields of the component page. It
// keeps the component shown last, which installing, printing and the detail window read.
class TEntryDisplay {
public:
    TEntryDisplay(TBrowzerContainer& container, const TEntryPages& pages);
    ~TEntryDisplay();

    // Reads the entry's record and shows it; returns the page kind of the window for it (0
    // for an entry without a record). Raises the record's error when it cannot be read; the
    // pages and the kept component are then as they were.
    int ShowEntry(int entry);

    // Each returns false, changing nothing, for a negative entry or one whose record is of
    // another kind; an entry past the end of the outline raises the list's index error, and a
    // record that cannot be read its read error, both before anything changes.
    bool ShowInfoText(int entry);
    bool ShowShortText(int entry);
    // The loaded record becomes the kept component; one that fails to load leaves the kept
    // component alone.
    bool ShowCompoText(int entry);

    const TEntryPages& Pages() const { return FPages; }
    TBrowzerContainer& Container() const { return FContainer; }
    // The component shown last; none before the first or after Forget.
    TCompoText* Component() const { return FComponent.get(); }
    // The file name line of the short text shown last, as stored.
    const std::string& ShortTextFileName() const { return FShortTextFileName; }
    // Another catalogue: nothing shown of the old one is kept.
    void Forget();

private:
    // The entry's record reference, or -1 for a negative entry; the container is activated.
    int RecordRef(int entry) const;
    QString Caption(int entry) const;

    TBrowzerContainer& FContainer;
    TEntryPages FPages;
    std::unique_ptr<TCompoText> FComponent;
    std::string FShortTextFileName;
};

}  // namespace lumarc
