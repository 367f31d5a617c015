#pragma once
// The main window: a bar of speed buttons, the overview outline on the left, a splitter, and
// the info pane with a notebook of three pages (component, short text, info text). It owns the
// catalogue container and opens the catalogue when created. Its widgets are its own, named.

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <exception>
#include <memory>

namespace lumarc {

class TBrowzerContainer;
class TBrowzerOutline;
class TCInstDlg;
struct TCatalogueLocation;
class TComponentCommands;
class TCompoText;
class TFindBar;
class TLibraryCommands;
class TNavigation;
class TOptionsDialog;
class TOutlinePreload;
class TPrintCommands;
class TSearchCommand;
class TTermMarks;

class TToolDiscMain : public QMainWindow {
    Q_OBJECT

public:
    // Page kinds: what the info pane shows.
    enum : uint8_t { pkNothing = 0, pkInfoText = 1, pkShortText = 2, pkComponent = 3 };

    // Opens the catalogue found in catalogueDir (empty: the program's directory; else any form
    // LocateCatalogue takes). Load failures are reported and the window still opens; a data file
    // of the wrong version ends in the container's version-failure handler. An outline `preload`
    // started for the same files saves reading the outline again.
    explicit TToolDiscMain(const QString& catalogueDir = QString(), QWidget* parent = nullptr,
                           TOutlinePreload* preload = nullptr);
    ~TToolDiscMain() override;

    // The two files the window opens for a catalogue (empty: the program's directory).
    static TCatalogueLocation CatalogueFiles(const QString& catalogueDir);

    TBrowzerContainer& BrowzerContainer();
    TBrowzerOutline& Outline() const;
    int PageKind() const;
    // Shows the page of a record kind and sets the buttons; the same kind again changes nothing.
    void SetPageKind(int kind);
    // Sizes and places the window inside a screen's available area, centred.
    void FitToScreen(const QRect& available);

    // The detail window (hidden by page kinds other than the component's) and the dialogs the
    // commands open. Not owned: they live as long as the program's other forms.
    void SetDetailWindow(QWidget* form);
    QWidget* DetailWindow() const;
    void SetOptionsDialog(TOptionsDialog* dialog);
    void SetInstallDialog(TCInstDlg* dialog);
    bool HintsShown() const;

    // True when the short text memo shows its text through the OEM code page (no line-drawing font).
    bool ShortMemoOemConvert() const;
    // The component shown last.
    TCompoText* CompoText() const;
    // The commands of the navigation buttons, of printing and copying, and of the search.
    TNavigation& Navigation() const;
    TPrintCommands& PrintCommands() const;
    TSearchCommand& SearchCommand() const;
    // The component list and the list of installations.
    TComponentCommands& ComponentCommands() const;
    // The library window and the record of what was opened.
    TLibraryCommands& LibraryCommands() const;
    // The marks of found text in the shown entry, and the find bar below the page (Ctrl+F).
    TTermMarks& TermMarks() const;
    TFindBar& FindBar() const;
    // Says why a command could not read the catalogue and lets go of its files, so that the
    // next command opens them afresh: a disc taken out and put back works again.
    void ReportCatalogueError(const std::exception& error);

    // Opens another catalogue in place of the shown one. When the new one cannot be read, the old
    // one stays and the user learns why; false then. Otherwise all of the old goes: outline,
    // history, page, detail window, and a running search.
    bool OpenAnotherCatalogue(const QString& catalogue);
    // The catalogue shown, as it was given; empty when none could be opened.
    QString Catalogue() const;
    // The last catalogues opened, the newest first, at most kRecentCount.
    static constexpr int kRecentCount = 8;
    QStringList RecentCatalogues() const;
    void SetRecentCatalogues(const QStringList& catalogues);

    // The narrowest the overview panel and the info pane may become by a splitter drag.
    static constexpr int kMinOverviewWidth = 40;
    static constexpr int kMinInfoWidth = 100;
    // The overview panel's width; set, it goes where a drag could have put it.
    int SplitterPosition() const;
    void SetSplitterPosition(int overviewWidth);
    bool SplitterDragging() const;

signals:
    // After OverviewOLClick has shown the selected entry (or found nothing to show).
    void EntryShown(int entry);

public slots:
    void SBInstallClick();
    // Shows the outline's selected entry on its page.
    void OverviewOLClick();

protected:
    // The other windows go with this one: closing it ends the program even during a dialog.
    void closeEvent(QCloseEvent* event) override;
    // A catalogue dropped on the window is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    struct TParts;
    std::unique_ptr<TParts> F;
};

}  // namespace lumarc
