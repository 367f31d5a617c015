#pragma once
// The main window's insides, shared by the files that build it (ToolDiscMainBuild.cpp), open
// its catalogue (ToolDiscMainCatalogue.cpp) and run it (ToolDiscMain.cpp). Nothing outside the
// window includes this.

#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

#include "ToolDiscMain.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CatalogueLocation.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QWidget;

namespace lumarc {

class TBrowzerOutline;
class TCInstDlg;
class TComponentCommands;
class TLibraryCommands;
class TComponentPage;
class TEntryDisplay;
class TFindBar;
class THintSwitch;
class TMicaTextView;
class TNavigation;
class TOptionsDialog;
class TOutlinePreload;
class TPrintCommands;
class TSearchCommand;
class TSplitControl;
class TTermMarks;

inline const char* const kErrorCaption = "Lumarcer - Fehler";

constexpr int kMinWidth = 640;
constexpr int kMinHeight = 460;
constexpr int kDesignWidth = 588;
constexpr int kDesignHeight = 441;
// The notebook's pages.
enum { piKomponente = 0, piShortDesc = 1, piInfotext = 2 };
inline const char* const kLoadFailed = "Fehler beim Laden der Datenbank!";

// The window's widgets, the parts it delegates to, and its state. The builders and the
// handlers of private events work on these.
struct TToolDiscMain::TParts {
    explicit TParts(TToolDiscMain& window) : W(window) {}

    void CreateComponents();
    void CreateButtonBar();
    void CreateOverview();
    void CreateInfoPanel();
    void CreateMenu();
    void ConnectCommands();
    void FormCreate(const QString& catalogueDir);
    void OpenCatalogue();
    void AddRecent(const QString& catalogue);
    void FillRecentMenu();
    // Lays out the panes from the splitter's position.
    void ArrangePanes();
    // Fits the panes and the component fields to the window's client area.
    void FormResize();
    void OverviewPanelResize();
    int WidestOverview() const;
    int MinInfoWidth() const;
    void ScheduleOverviewOLClick();
    // After the options dialog was confirmed: outline images and hints follow the settings.
    void ApplyOptions();
    void MIOpenCatalogueClick();
    void MIExportWebClick();
    void MIPrinterSetupClick();
    void MIAboutClick();
    void SBOptionsClick();
    void ExpandBtnClick();

    TToolDiscMain& W;

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
    TComponentPage* PageKomponente = nullptr;
    QWidget* PageShortDesc = nullptr;
    QWidget* PageInfotext = nullptr;
    QPlainTextEdit* ShortMemo = nullptr;
    TMicaTextView* TextView = nullptr;

    QMenuBar* BrowzerMenu = nullptr;
    QMenu* MIFile = nullptr;
    QMenu* MIComponents = nullptr;
    QMenu* MIHelp = nullptr;
    QAction* MIOpenCatalogue = nullptr;
    QMenu* MIRecent = nullptr;
    QAction* MIExportWeb = nullptr;
    QAction* MILibrary = nullptr;
    QAction* MIInstall = nullptr;
    QAction* MISearch = nullptr;
    QAction* MIPrint = nullptr;
    QAction* MIPreview = nullptr;
    QAction* MIOptions = nullptr;
    QAction* MIPrinterSetup = nullptr;
    QAction* MIQuit = nullptr;
    QAction* MIComponentList = nullptr;
    QAction* MIInstalled = nullptr;
    QAction* MIAbout = nullptr;

    std::unique_ptr<TBrowzerContainer> BrowzerContainer = std::make_unique<TBrowzerContainer>();
    // Where the shown catalogue was looked for, for the message when it is missing.
    TCatalogueLocation Location;
    QString Catalogue;
    // Whether Catalogue could be read; a start on one that cannot leaves it false.
    bool Opened = false;
    QStringList Recent;
    TOutlinePreload* Preload = nullptr;  // only while the window is created
    std::unique_ptr<TSplitControl> SplitControl;
    // The window delegates the display, the navigation and the output commands to these.
    std::unique_ptr<TEntryDisplay> EntryDisplay;
    std::unique_ptr<TNavigation> Navigation;
    std::unique_ptr<TPrintCommands> PrintCommands;
    std::unique_ptr<TSearchCommand> SearchCommand;
    std::unique_ptr<TComponentCommands> ComponentCommands;
    std::unique_ptr<TLibraryCommands> LibraryCommands;
    TTermMarks* TermMarks = nullptr;  // a child of the window
    TFindBar* FindBar = nullptr;      // a child of the info pane
    QPointer<QWidget> DetailWindow;
    QPointer<TOptionsDialog> OptionsDialog;
    QPointer<TCInstDlg> InstallDialog;
    THintSwitch* HintSwitch = nullptr;
    uint8_t PageKind = pkNothing;
    bool ShortMemoOemConvert = false;
    bool ClickPending = false;
};

}  // namespace lumarc
