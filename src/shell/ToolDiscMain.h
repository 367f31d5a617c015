#pragma once
// The main window: a bar of speed buttons, the overview outline on the left, a splitter, and
// the info pane with a notebook of three pages (component, short text, info text). It owns the
// catalogue container and opens the catalogue when it is created.

#include <QMainWindow>
#include <QStringList>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "catalogue/CatalogueLocation.h"
#include "catalogue/IntList.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QMouseEvent;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QToolButton;

namespace lumarc {

class TBrowzerContainer;
class TBrowzerOutline;
class TCInstDlg;
class TCompoText;
class TEntryDisplay;
class THintSwitch;
class TOptionsDialog;
class TNavigation;
class TPrintCommands;
class TSearchCommand;
class TTermMarks;
class TFindBar;
class TOutlinePreload;
class TGauge;
class TMicaTextView;
class TSplitControl;

class TToolDiscMain : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kMinWidth = 640;
    static constexpr int kMinHeight = 460;
    static constexpr int kDesignWidth = 588;
    static constexpr int kDesignHeight = 441;
    // Page kinds: what the info pane shows.
    enum : uint8_t { pkNothing = 0, pkInfoText = 1, pkShortText = 2, pkComponent = 3 };
    // Notebook page indexes.
    enum { piKomponente = 0, piShortDesc = 1, piInfotext = 2 };

    // How a message reaches the user: the program's message box, or the plain box with a stop
    // icon that stands in for the framework's default error display. Replaceable, so that
    // tests and the screenshot mode are never stopped by a modal window.
    enum class TMessageKind { mkMsgBox, mkDefaultError };
    using TMessageHook = std::function<void(TMessageKind kind, const QString& caption, const QString& text)>;
    // Returns the hook it replaces; an empty function restores the modal boxes.
    static TMessageHook SetMessageHook(TMessageHook hook);

    // Opens the catalogue found in catalogueDir (empty: the program's directory; else any form
    // LocateCatalogue takes, disc images included). Load failures are reported through
    // the message hook and the window still opens; a data file of the wrong version ends in the
    // container's version-failure handler.
    // An outline `preload` started for the same files saves reading the outline again.
    explicit TToolDiscMain(const QString& catalogueDir = QString(), QWidget* parent = nullptr,
                           TOutlinePreload* preload = nullptr);
    ~TToolDiscMain() override;

    using TCatalogueFiles = TCatalogueLocation;
    // The two files the window opens for a catalogue (empty: the program's directory).
    static TCatalogueFiles CatalogueFiles(const QString& catalogueDir);

    TBrowzerContainer& BrowzerContainer() { return *FBrowzerContainer; }
    int PageKind() const { return FPageKind; }
    // Shows the page of a record kind and sets the buttons; the same kind again changes nothing.
    void SetPageKind(int kind);
    // Lays out the panes from the splitter's position.
    void ArrangePanes();
    // Fits the panes and the component fields to the window's client area.
    void FormResize();

    // The detail window of the shown component; page kinds other than the component's hide it.
    // Not owned: it lives as long as the program's other forms.
    void SetDetailWindow(QWidget* form) { FDetailWindow = form; }
    QWidget* DetailWindow() const { return FDetailWindow; }
    // The options dialog the options command opens; not owned, as the detail window.
    void SetOptionsDialog(TOptionsDialog* dialog);
    // The install dialog the install command opens; not owned, as the detail window.
    void SetInstallDialog(TCInstDlg* dialog);
    // Whether tooltips show anywhere in the application (the hint setting).
    bool HintsShown() const;

    // True when the short text memo shows its text through the OEM code page (the line-drawing
    // font is missing).
    bool ShortMemoOemConvert() const { return FShortMemoOemConvert; }
    const TIntList& History() const { return FHistory; }
    bool RecordHistory() const { return FRecordHistory; }
    TCompoText* CompoText() const { return FCompoText.get(); }
    bool SplitterDragging() const;
    TSearchCommand& SearchCommand() { return *FSearchCommand; }
    const TSearchCommand& SearchCommand() const { return *FSearchCommand; }
    // The marks of found text in the shown entry.
    TTermMarks& TermMarks() { return *FTermMarks; }
    // The find bar below the page (Ctrl+F).
    TFindBar& FindBar() { return *FFindBar; }

    // Opens another catalogue in place of the shown one (any form LocateCatalogue takes). The
    // old one stays on screen, and the user learns why, when the new one cannot be read; false
    // then. Otherwise it replaces all of the old: outline, history, page, detail window, and a
    // running search is stopped.
    bool OpenAnotherCatalogue(const QString& catalogue);
    // The catalogue shown, as it was given; empty when none could be opened.
    QString Catalogue() const { return FCatalogue; }
    // The last catalogues opened, the newest first, at most kRecentCount.
    static constexpr int kRecentCount = 8;
    QStringList RecentCatalogues() const { return FRecent; }
    void SetRecentCatalogues(const QStringList& catalogues);

    // The narrowest the overview panel and the info pane may become by a splitter drag.
    static constexpr int kMinOverviewWidth = 40;
    static constexpr int kMinInfoWidth = 100;
    // The overview panel's width, which the splitter sets.
    int SplitterPosition() const;
    // Puts the splitter where a drag could have put it in the window's present width.
    void SetSplitterPosition(int overviewWidth);

    QWidget* ClientArea = nullptr;
    QFrame* ButtonBar = nullptr;
    QToolButton* SBFirst = nullptr;
    QToolButton* SBPrev = nullptr;
    QToolButton* SBDown = nullptr;
    QToolButton* SBCopy = nullptr;
    QToolButton* SBPrintText = nullptr;
    QToolButton* SBInstall = nullptr;
    QToolButton* SBSearch = nullptr;
    QToolButton* SBBestellFormular = nullptr;
    QToolButton* SBOptions = nullptr;
    QToolButton* SBInfo = nullptr;
    QToolButton* QuitButton = nullptr;

    QFrame* OverviewPanel = nullptr;
    QLabel* OverViewLabel = nullptr;
    TBrowzerOutline* OverviewOL = nullptr;
    QFrame* Splitter = nullptr;
    QFrame* InfoPanel = nullptr;
    QToolButton* SBUp = nullptr;
    QToolButton* SBNext = nullptr;
    QToolButton* SBPrevHist = nullptr;
    QLabel* ShortFileName = nullptr;
    QPushButton* ExpandBtn = nullptr;

    QStackedWidget* BrowzerNoteBook = nullptr;
    QWidget* PageKomponente = nullptr;
    QWidget* PageShortDesc = nullptr;
    QWidget* PageInfotext = nullptr;
    QGroupBox* CompoDescBox = nullptr;
    QScrollArea* CompoScrollBox = nullptr;
    QWidget* CompoScrollContents = nullptr;
    QLabel* KompoCopyLabel = nullptr;
    QLineEdit* CompoCopyright = nullptr;
    QLabel* UseFulLabel = nullptr;
    QFrame* UseFulPanel = nullptr;
    QLabel* RatingLabel = nullptr;
    TGauge* RatingGauge = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* CompoDistribution = nullptr;
    QLineEdit* LangCompInfo = nullptr;
    QLabel* CompolimitLabel = nullptr;
    QLineEdit* CompoLimitations = nullptr;
    TMicaTextView* StuffView = nullptr;
    QPlainTextEdit* ShortMemo = nullptr;
    TMicaTextView* TextView = nullptr;

    QMenuBar* BrowzerMenu = nullptr;
    QMenu* MIFile = nullptr;
    QMenu* MIHelp = nullptr;
    QAction* MIOpenCatalogue = nullptr;
    QMenu* MIRecent = nullptr;
    QAction* MIInstall = nullptr;
    QAction* MISearch = nullptr;
    QAction* MIPrint = nullptr;
    QAction* MIPreview = nullptr;
    QAction* MIOptions = nullptr;
    QAction* MIPrinterSetup = nullptr;
    QAction* MIQuit = nullptr;
    QAction* MIAbout = nullptr;

    // Sizes and places the window inside a screen's available area, centred. The start does
    // it for the primary screen.
    void FitToScreen(const QRect& available);

signals:
    // After OverviewOLClick has shown the selected entry (or found nothing to show).
    void EntryShown(int entry);

public slots:
    // "Katalog öffnen...": a directory, a data file or a disc image, chosen in a file dialog.
    void MIOpenCatalogueClick();
    void SBInstallClick();
    void SBSearchClick();
    void SBPrintTextClick();
    // "Seitenansicht": what printing the shown page would give.
    void MIPreviewClick();
    void SBOptionsClick();
    void MIPrinterSetupClick();
    void MIQuitClick();
    void QuitButtonClick();
    void MIAboutClick();
    void SBInfoClick();
    void SBFirstClick();
    void SBPrevClick();
    void SBDownClick();
    void SBCopyClick();
    void SBBestellFormularClick();
    void SBUpClick();
    void SBNextClick();
    void SBPrevHistClick();
    void ExpandBtnClick();
    // Shows the outline's selected entry on its page.
    void OverviewOLClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The program's other windows go with this one, so that closing it ends the program even
    // while a dialog is open or a search runs.
    void closeEvent(QCloseEvent* event) override;
    // A catalogue dropped on the window is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The window's parts for display, navigation and output work on its state directly.
    friend class TEntryDisplay;
    friend class TNavigation;
    friend class TPrintCommands;

    void CreateComponents();
    void CreateButtonBar();
    void CreateOverview();
    void CreateInfoPanel();
    void CreateComponentPage();
    void CreateMenu();
    void ConnectCommands();
    void FormCreate(const QString& catalogueDir);
    void OpenCatalogue();
    void AddRecent(const QString& catalogue);
    void FillRecentMenu();
    void OverviewPanelResize();
    int WidestOverview() const;
    void SplitterMouseDown(QMouseEvent* event);
    void SplitterMouseMove(QMouseEvent* event);
    void SplitterMouseUp(QMouseEvent* event);
    void ScheduleOverviewOLClick();
    // After the options dialog was confirmed: outline images and hints follow the settings.
    void ApplyOptions();
    static void ShowMessage(TMessageKind kind, const QString& caption, const QString& text);
    // Says why a command could not read the catalogue and lets go of its files, so that the
    // next command opens them afresh: a disc taken out and put back works again.
    void ReportCatalogueError(const std::exception& error);

    std::unique_ptr<TBrowzerContainer> FBrowzerContainer;
    // Where the shown catalogue was looked for, for the message when it is missing.
    TCatalogueLocation FLocation;
    QString FCatalogue;
    QStringList FRecent;
    TOutlinePreload* FPreload = nullptr;  // only while the window is created
    std::unique_ptr<TSplitControl> FSplitControl;
    std::unique_ptr<TCompoText> FCompoText;
    // The window delegates the display, the navigation and the output commands to these.
    std::unique_ptr<TEntryDisplay> FEntryDisplay;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TPrintCommands> FPrintCommands;
    std::unique_ptr<TSearchCommand> FSearchCommand;
    TTermMarks* FTermMarks = nullptr;  // a child of the window
    TFindBar* FFindBar = nullptr;      // a child of the info pane
    QPointer<QWidget> FDetailWindow;
    QPointer<TOptionsDialog> FOptionsDialog;
    QPointer<TCInstDlg> FInstallDialog;
    THintSwitch* FHintSwitch = nullptr;
    TIntList FHistory;
    uint8_t FPageKind = pkNothing;
    bool FRecordHistory = true;
    bool FShortMemoOemConvert = false;
    bool FClickPending = false;
};

}  // namespace lumarc
