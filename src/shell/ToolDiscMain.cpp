#include "ToolDiscMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

#include "Application.h"
#include "CDAboutBox.h"
#include "CatalogueChooser.h"
#include "CommandKeys.h"
#include "ComponentPage.h"
#include "EntryDisplay.h"
#include "FindBar.h"
#include "Glyphs.h"
#include "HintSwitch.h"
#include "InstallCommand.h"
#include "Messages.h"
#include "Navigation.h"
#include "OutlinePreload.h"
#include "PrintCommands.h"
#include "ProgramEnd.h"
#include "ScreenRoom.h"
#include "SearchCommand.h"
#include "SplitControl.h"
#include "TermMarks.h"
#include "WebExportCommand.h"
#include "WideInfoForm.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CatalogueLocation.h"
#include "catalogue/Coding.h"
#include "catalogue/CompoText.h"
#include "catalogue/FileStream.h"
#include "catalogue/RecordRef.h"
#include "controls/BrowzerOutline.h"
#include "controls/MicaTextView.h"
#include "install/CInstDlg.h"
#include "platform/Disc.h"
#include "platform/Exception.h"
#include "print/PrinterSetup.h"
#include "search/SearchDlg.h"
#include "search/SearchFoundDlg.h"
#include "settings/OptionsDialog.h"
#include "settings/core/PathRoutines.h"
#include "settings/core/RegistrySettings.h"
#include "settings/core/Settings.h"
#include "widgets/CaptionRoom.h"
#include "widgets/DesignLook.h"
#include "widgets/Gauge.h"
#include "widgets/MsgBox.h"

namespace lumarc {

namespace {

const char* const kErrorCaption = "Lumarcer - Fehler";

constexpr int kMinWidth = 640;
constexpr int kMinHeight = 460;
constexpr int kDesignWidth = 588;
constexpr int kDesignHeight = 441;
// The notebook's pages.
enum { piKomponente = 0, piShortDesc = 1, piInfotext = 2 };
const char* const kLoadFailed = "Fehler beim Laden der Datenbank!";

QToolButton* MakeSpeedButton(QWidget* parent, const char* name, TGlyph glyph, const QString& hint, int left, int top,
                             int width, int height)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(TGlyphs::Icon(glyph));
    button->setIconSize(QSize(TGlyphs::kSize, TGlyphs::kSize));
    button->setToolTip(hint);
    // The button shows a picture only; a screen reader says its hint, without a key.
    button->setAccessibleName(hint);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(left, top, width, height);
    return button;
}

QWidget* MakePage(QStackedWidget* notebook, const char* name)
{
    auto* page = new QWidget(notebook);
    page->setObjectName(QString::fromLatin1(name));
    notebook->addWidget(page);
    return page;
}

void FillWith(QWidget* page, QWidget* child)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(child);
}

}  // namespace

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
    QMenu* MIHelp = nullptr;
    QAction* MIOpenCatalogue = nullptr;
    QMenu* MIRecent = nullptr;
    QAction* MIExportWeb = nullptr;
    QAction* MIInstall = nullptr;
    QAction* MISearch = nullptr;
    QAction* MIPrint = nullptr;
    QAction* MIPreview = nullptr;
    QAction* MIOptions = nullptr;
    QAction* MIPrinterSetup = nullptr;
    QAction* MIQuit = nullptr;
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

TToolDiscMain::TToolDiscMain(const QString& catalogueDir, QWidget* parent, TOutlinePreload* preload)
    : QMainWindow(parent), F(std::make_unique<TParts>(*this))
{
    F->Preload = preload;
    setObjectName(QStringLiteral("ToolDiscMain"));
    setAcceptDrops(true);
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    setFont(SystemFont());
    F->CreateComponents();
    const TEntryPages pages{F->BrowzerNoteBook, F->TextView, F->ShortFileName, F->ShortMemo, F->PageKomponente};
    F->EntryDisplay = std::make_unique<TEntryDisplay>(*F->BrowzerContainer, pages);
    F->Navigation = std::make_unique<TNavigation>(*F->OverviewOL, *F->SBInstall, *F->SBPrevHist);
    F->PrintCommands = std::make_unique<TPrintCommands>(*this, *F->EntryDisplay);
    F->HintSwitch = new THintSwitch(this);
    F->TermMarks = new TTermMarks(*this, pages);
    F->FindBar = new TFindBar(*F->TermMarks, F->InfoPanel);
    connect(F->FindBar, &TFindBar::VisibilityChanged, this, [this] { F->FormResize(); });
    F->ConnectCommands();
    BindCommandKeys(*this);
    // Until something is shown the commands stand as for page kind 0, so that a catalogue
    // that fails to open leaves nothing to print, copy or install.
    for (QWidget* command :
         {static_cast<QWidget*>(F->SBInstall), static_cast<QWidget*>(F->SBCopy), static_cast<QWidget*>(F->SBPrintText)})
        command->setEnabled(false);
    F->MIPrint->setEnabled(false);
    F->MIPreview->setEnabled(false);
    F->MIInstall->setEnabled(false);
    F->ExpandBtn->setVisible(false);
    setMinimumSize(kMinWidth, kMinHeight);
    resize(kDesignWidth, kDesignHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        FitToScreen(screen->availableGeometry());
    F->FormCreate(catalogueDir);
    F->Preload = nullptr;
    F->SearchCommand = std::make_unique<TSearchCommand>(*this);
}

void TToolDiscMain::FitToScreen(const QRect& available)
{
    KeepInside(*this, available);  // first the size, so that the centre is the right one
    move(available.center() - rect().center());
    KeepInside(*this, available);
}

TToolDiscMain::~TToolDiscMain()
{
    // Children are destroyed after this body; their last resize events must not reach a
    // half-destroyed window.
    // A running search ends before the outline and the catalogue it was started on.
    F->SearchCommand.reset();
    F->ClientArea->removeEventFilter(this);
    F->OverviewPanel->removeEventFilter(this);
    // The widgets go while the parts their signals reach are still there.
    delete takeCentralWidget();
}

void TToolDiscMain::closeEvent(QCloseEvent* event)
{
    F->SearchCommand->ResultsDialog().StopSearch();
    F->SearchCommand->ResultsDialog().hide();
    // A command that runs in a dialog (a copy, an unpacking) finishes first: the dialog's
    // loop ends when the command returns to it.
    if (F->InstallDialog && F->InstallDialog->isVisible())
        F->InstallDialog->CloseWhenDone();
    for (QDialog* dialog :
         {static_cast<QDialog*>(F->OptionsDialog.data()), static_cast<QDialog*>(&F->SearchCommand->SearchDialog())}) {
        if (dialog && dialog->isVisible())
            dialog->reject();
    }
    if (F->DetailWindow)
        F->DetailWindow->close();
    QMainWindow::closeEvent(event);
}

void TToolDiscMain::TParts::CreateComponents()
{
    ClientArea = new QWidget(&W);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    W.setCentralWidget(ClientArea);
    CreateButtonBar();
    CreateOverview();
    CreateInfoPanel();
    CreateMenu();
    ClientArea->installEventFilter(&W);
    OverviewPanel->installEventFilter(&W);
    Splitter->installEventFilter(&W);
}

void TToolDiscMain::TParts::CreateButtonBar()
{
    ButtonBar = MakePanel(ClientArea, "ButtonBar");
    ButtonBar->setGeometry(0, 0, kDesignWidth, 29);
    auto bar = [this](const char* name, TGlyph glyph, const char* hint, int left) {
        return MakeSpeedButton(ButtonBar, name, glyph, QString::fromUtf8(hint), left, 2, 25, 25);
    };
    SBFirst = bar("SBFirst", TGlyph::gFirst, "Überblick zurücksetzen", 4);
    SBPrev = bar("SBPrev", TGlyph::gPrev, "eine Ebene höher", 35);
    SBDown = bar("SBDown", TGlyph::gDown, "eine Zeile weiter nach unten", 60);
    SBCopy = bar("SBCopy", TGlyph::gCopy, "Text in die Zwischenablage kopieren", 91);
    SBPrintText = bar("SBPrintText", TGlyph::gPrint, "Text drucken", 116);
    SBInstall = bar("SBInstall", TGlyph::gInstall, "Programm installieren", 141);
    SBSearch = bar("SBSearch", TGlyph::gSearch, "im Text Suchen", 172);
    SBBestellFormular = bar("SBBestellFormular", TGlyph::gOrderForm, "Bestellformular drucken", 204);
    SBOptions = bar("SBOptions", TGlyph::gOptions, "Einstellungen des Lumarcers", 229);
    SBInfo = bar("SBInfo", TGlyph::gInfo, "Informationen über das Programm", 254);
    QuitButton = bar("QuitButton", TGlyph::gQuit, "Lumarc beenden", 283);
}

void TToolDiscMain::TParts::CreateOverview()
{
    OverviewPanel = MakePanel(ClientArea, "OverviewPanel");
    OverviewPanel->setGeometry(1, 29, 176, 364);
    OverViewLabel = MakeSystemLabel(OverviewPanel, "OverViewLabel", QString::fromUtf8("Überbli&ck"), 10, 2);
    OverviewOL = new TBrowzerOutline(OverviewPanel);
    OverviewOL->setGeometry(4, 19, 167, 336);
    OverViewLabel->setBuddy(OverviewOL);
    // A tree takes no name from its label by itself.
    OverviewOL->setAccessibleName(QString::fromUtf8("Überblick"));
    OverviewOL->setRootIsDecorated(false);
    OverviewOL->setIndentation(19);
    OverviewOL->setToolTipDuration(0);
    // The selection stays as visible as with the focus when the focus is elsewhere.
    QPalette pal = OverviewOL->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    OverviewOL->setPalette(pal);

    Splitter = MakePanel(ClientArea, "Splitter");
    Splitter->setFrameStyle(QFrame::NoFrame);
    Splitter->setGeometry(178, 29, 3, 364);
    Splitter->setCursor(Qt::SplitHCursor);
}

void TToolDiscMain::TParts::CreateInfoPanel()
{
    InfoPanel = MakePanel(ClientArea, "InfoPanel");
    InfoPanel->setGeometry(182, 29, 395, 364);
    SBUp = MakeSpeedButton(InfoPanel, "SBUp", TGlyph::gUp, QStringLiteral("vorheriger Eintrag"), 8, 6, 22, 23);
    SBNext = MakeSpeedButton(InfoPanel, "SBNext", TGlyph::gNext, QString::fromUtf8("nächster Eintrag"), 32, 6, 22, 23);
    SBPrevHist = MakeSpeedButton(InfoPanel, "SBPrevHist", TGlyph::gPrevHist,
                                 QString::fromUtf8("letzter gewählter Eintrag"), 60, 6, 22, 23);
    SBPrevHist->setEnabled(false);
    ShortFileName = MakeSystemLabel(InfoPanel, "ShortFileName", QString(), 94, 10);
    ShortFileName->setVisible(false);
    ExpandBtn = new QPushButton(TGlyphs::Icon(TGlyph::gExpand), QStringLiteral("Er&weitern"), InfoPanel);
    ExpandBtn->setObjectName(QStringLiteral("ExpandBtn"));
    ExpandBtn->setGeometry(278, 8, 103, 25);

    BrowzerNoteBook = new QStackedWidget(InfoPanel);
    BrowzerNoteBook->setObjectName(QStringLiteral("BrowzerNoteBook"));
    BrowzerNoteBook->setGeometry(2, 34, 387, 327);
    PageKomponente = new TComponentPage(BrowzerNoteBook);
    BrowzerNoteBook->addWidget(PageKomponente);
    PageShortDesc = MakePage(BrowzerNoteBook, "ShortDesc");
    PageInfotext = MakePage(BrowzerNoteBook, "Infotext");

    ShortMemo = new QPlainTextEdit(PageShortDesc);
    ShortMemo->setObjectName(QStringLiteral("ShortMemo"));
    ShortMemo->setReadOnly(true);
    ShortMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    FillWith(PageShortDesc, ShortMemo);

    TextView = new TMicaTextView(PageInfotext);
    TextView->setObjectName(QStringLiteral("TextView"));
    TextView->SetDefaultColWidth(385);
    TextView->ActualFont = 0;
    TextView->UseStandardFont = false;
    FillWith(PageInfotext, TextView);

    BrowzerNoteBook->setCurrentIndex(piInfotext);
}

void TToolDiscMain::TParts::CreateMenu()
{
    BrowzerMenu = W.menuBar();
    BrowzerMenu->setObjectName(QStringLiteral("BrowzerMenu"));
    MIFile = BrowzerMenu->addMenu(QStringLiteral("&Datei"));
    MIFile->setObjectName(QStringLiteral("MIFile"));
    auto item = [this](QMenu* menu, const char* name, const char* caption, const char* shortcut) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        if (shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
        return action;
    };
    MIOpenCatalogue = item(MIFile, "MIOpenCatalogue", "Katalog &öffnen...", "Ctrl+K");
    MIRecent = MIFile->addMenu(QStringLiteral("&Zuletzt geöffnet"));
    MIRecent->setObjectName(QStringLiteral("MIRecent"));
    MIExportWeb = item(MIFile, "MIExportWeb", "Als &Webseite exportieren...", nullptr);
    MIFile->addSeparator();
    MIInstall = item(MIFile, "MIInstall", "&Installation", "Ctrl+I");
    MISearch = item(MIFile, "MISearch", "&Suchen", "Ctrl+S");
    MIPrint = item(MIFile, "MIPrint", "&Drucken", "Ctrl+D");
    MIPreview = item(MIFile, "MIPreview", "Seiten&ansicht", nullptr);
    MIFile->addSeparator();
    MIOptions = item(MIFile, "MIOptions", "&Optionen", "Ctrl+O");
    MIPrinterSetup = item(MIFile, "MIPrinterSetup", "Drucker&einstellungen", "Ctrl+E");
    MIFile->addSeparator();
    MIQuit = item(MIFile, "MIQuit", "&Beenden", "Alt+F4");
    MIHelp = BrowzerMenu->addMenu(QStringLiteral("&Hilfe"));
    MIHelp->setObjectName(QStringLiteral("MIHelp"));
    MIAbout = item(MIHelp, "MIAbout", "&Info...", nullptr);
}

void TToolDiscMain::TParts::ConnectCommands()
{
    // A button and the menu item of the same command run it alike.
    const auto command = [this](QObject* sender, auto run) {
        if (auto* action = qobject_cast<QAction*>(sender))
            connect(action, &QAction::triggered, &W, run);
        else
            connect(static_cast<QAbstractButton*>(sender), &QAbstractButton::clicked, &W, run);
    };
    command(MIOpenCatalogue, [this] { MIOpenCatalogueClick(); });
    command(MIExportWeb, [this] { MIExportWebClick(); });
    FillRecentMenu();
    for (QObject* sender : {static_cast<QObject*>(MIInstall), static_cast<QObject*>(SBInstall)})
        command(sender, [this] { W.SBInstallClick(); });
    for (QObject* sender : {static_cast<QObject*>(MISearch), static_cast<QObject*>(SBSearch)})
        command(sender, [this] { SearchCommand->SBSearchClick(); });
    for (QObject* sender : {static_cast<QObject*>(MIPrint), static_cast<QObject*>(SBPrintText)})
        command(sender, [this] { PrintCommands->SBPrintTextClick(); });
    command(MIPreview, [this] { PrintCommands->MIPreviewClick(); });
    for (QObject* sender : {static_cast<QObject*>(MIOptions), static_cast<QObject*>(SBOptions)})
        command(sender, [this] { SBOptionsClick(); });
    command(MIPrinterSetup, [this] { MIPrinterSetupClick(); });
    for (QObject* sender : {static_cast<QObject*>(MIQuit), static_cast<QObject*>(QuitButton)})
        command(sender, [this] { W.close(); });
    for (QObject* sender : {static_cast<QObject*>(MIAbout), static_cast<QObject*>(SBInfo)})
        command(sender, [this] { MIAboutClick(); });
    command(SBFirst, [this] { Navigation->SBFirstClick(); });
    command(SBPrev, [this] { Navigation->SBPrevClick(); });
    command(SBDown, [this] { Navigation->SBDownClick(); });
    command(SBUp, [this] { Navigation->SBUpClick(); });
    command(SBNext, [this] { Navigation->SBNextClick(); });
    command(SBPrevHist, [this] { Navigation->SBPrevHistClick(); });
    command(SBCopy, [this] { PrintCommands->SBCopyClick(); });
    command(SBBestellFormular, [this] { PrintCommands->SBBestellFormularClick(); });
    command(ExpandBtn, [this] { ExpandBtnClick(); });
    connect(OverviewOL, &QTreeWidget::currentItemChanged, &W, [this] { ScheduleOverviewOLClick(); });
}

namespace {

// The program's own catalogue lies in the program's directory, as on the disc and in the build.
// Installed, the program is in "bin/" and its demo in "share/lumarc/" beside it.
#ifndef LUMARC_BIN_TO_DATA
#define LUMARC_BIN_TO_DATA "../share/lumarc"
#endif
std::string OwnCatalogueDir()
{
    const std::string programDir = ProgramDir();
    if (LocateCatalogue(programDir).LookedFor.empty())
        return programDir;
    const std::string installed = (std::filesystem::path(programDir) / LUMARC_BIN_TO_DATA / "").lexically_normal();
    return LocateCatalogue(installed).LookedFor.empty() ? installed : programDir;
}

}  // namespace

TCatalogueLocation TToolDiscMain::CatalogueFiles(const QString& catalogueDir)
{
    return LocateCatalogue(catalogueDir.isEmpty() ? OwnCatalogueDir() : catalogueDir.toStdString());
}

void TToolDiscMain::TParts::FormCreate(const QString& catalogueDir)
{
    const TLineDrawFont memoFont = LineDrawFont();
    ShortMemo->setFont(memoFont.Font);
    ShortMemoOemConvert = memoFont.OemConvert;
    QPalette memoPal = ShortMemo->palette();
    memoPal.setColor(QPalette::Text, Qt::black);
    ShortMemo->setPalette(memoPal);

    // A settings key that cannot be read costs the kept settings, not the catalogue.
    try {
        LoadSettings();
    } catch (const Exception& e) {
        ShowMessage(TMessageKind::mkDefaultError, QString::fromLatin1(kApplicationTitle),
                    QString::fromStdString(e.Message()) + QLatin1Char('.'));
    }
    // The stored hint setting holds from the start, not only after the options dialog.
    HintSwitch->SetShowHints(Settings().ShowHints != 0);

    const int courier = TextView->AddFont();
    TextView->GetFont(courier) = QFont(QStringLiteral("Courier"), 10);
    TextView->Clear();

    SplitControl = std::make_unique<TSplitControl>(&W);
    SplitControl->Attach(Splitter, OverviewPanel, [this] { return std::pair{kMinOverviewWidth, WidestOverview()}; });

    Location = TToolDiscMain::CatalogueFiles(catalogueDir);
    Catalogue = catalogueDir.isEmpty() ? QString::fromStdString(OwnCatalogueDir()) : catalogueDir;
    BrowzerContainer->DataFileName = Location.DataFileName;
    BrowzerContainer->IndexFileName = Location.IndexFileName;

    try {
        OpenCatalogue();
        Opened = true;
        AddRecent(Catalogue);
    } catch (const EVersionError& e) {
        // Without a catalogue of its own version the program has nothing to show: it ends.
        ShowMessage(TMessageKind::mkMsgBox, QStringLiteral("Fehler"), QString::fromStdString(e.Message()));
        throw EProgramEnd(e.Message(), TBrowzerContainer::kVersionExitCode);
    } catch (const EFOpenError&) {
        ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption),
                    QString::fromStdString(CatalogueNotFoundMessage(Location)));
    } catch (const EListError&) {
        ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption), QString::fromUtf8(kLoadFailed));
    } catch (const std::exception& e) {
        ShowMessage(TMessageKind::mkDefaultError, QString::fromLatin1(kApplicationTitle),
                    QString::fromUtf8(e.what()) + QLatin1Char('.'));
        return;
    }
    ArrangePanes();
}

bool TToolDiscMain::OpenAnotherCatalogue(const QString& catalogue)
{
    const TCatalogueLocation location = LocateCatalogue(catalogue.toStdString());
    // Read all of the new one first: what cannot be read must not cost the shown catalogue.
    TBrowzerContainer fresh;
    fresh.DataFileName = location.DataFileName;
    fresh.IndexFileName = location.IndexFileName;
    TTreeViewData tree;
    try {
        fresh.SetActive(true);
        fresh.CheckVersion();
        fresh.LoadOutline(tree);
        if (tree.Count() == 0)
            throw EListError(ListIndexError(0));
    } catch (const EFOpenError&) {
        ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption),
                    QString::fromStdString(CatalogueNotFoundMessage(location)));
        return false;
    } catch (const EListError&) {
        ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption), QString::fromUtf8(kLoadFailed));
        return false;
    } catch (const std::exception& e) {
        ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption), QString::fromUtf8(e.what()));
        return false;
    }

    // Nothing of the old catalogue may go on: its search, its detail window, its history.
    // The search threads read the outline that is about to be replaced: joined first.
    F->SearchCommand->ResultsDialog().Reset();
    F->SearchCommand->SearchDialog().hide();
    if (F->DetailWindow)
        F->DetailWindow->hide();
    try {
        F->BrowzerContainer->SetActive(false);
    } catch (const std::exception&) {
        // Closing read-only files loses nothing.
    }
    F->BrowzerContainer->DataFileName = location.DataFileName;
    F->BrowzerContainer->IndexFileName = location.IndexFileName;
    F->BrowzerContainer->TakeOpenFiles(fresh);
    F->Location = location;
    F->Catalogue = catalogue;
    F->Opened = true;
    F->Navigation->ClearHistory();
    F->EntryDisplay->Forget();
    SetPageKind(pkNothing);
    F->OverviewOL->LoadFromContainer(*F->BrowzerContainer, std::move(tree));
    F->OverviewOL->ResetOverview();
    F->EntryDisplay->ShowInfoText(0);
    F->TextView->LayoutRows();
    SetPageKind(pkInfoText);
    F->ArrangePanes();
    F->AddRecent(catalogue);
    return true;
}

void TToolDiscMain::TParts::MIOpenCatalogueClick()
{
    const QString chosen = ChooseCatalogue(&W, Catalogue);
    if (!chosen.isEmpty())
        W.OpenAnotherCatalogue(chosen);
}

void TToolDiscMain::TParts::MIExportWebClick()
{
    // A catalogue that did not open has nothing to publish.
    if (OverviewOL->TreeData().Count() == 0) {
        ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption),
                    QString::fromUtf8("Es ist kein Katalog geöffnet, der sich exportieren ließe."));
        return;
    }
    RunWebExportCommand(&W, *BrowzerContainer, OverviewOL->TreeData());
}

void TToolDiscMain::SetRecentCatalogues(const QStringList& catalogues)
{
    F->Recent = catalogues.mid(0, kRecentCount);
    F->FillRecentMenu();
}

void TToolDiscMain::TParts::AddRecent(const QString& catalogue)
{
    const QString path = QDir::cleanPath(QFileInfo(catalogue).absoluteFilePath());
    Recent.removeAll(path);
    Recent.prepend(path);
    W.SetRecentCatalogues(Recent);
}

void TToolDiscMain::TParts::FillRecentMenu()
{
    MIRecent->clear();
    for (int i = 0; i < Recent.size(); ++i) {
        const QString path = Recent[i];
        QAction* action = MIRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        action->setObjectName(QStringLiteral("MIRecent%1").arg(i + 1));
        // A catalogue that has gone (a stick taken out, an image moved) is shown, not offered.
        action->setEnabled(DiscPathKind(path.toStdString()) != TDiscPathKind::None);
        connect(action, &QAction::triggered, &W, [this, path] { W.OpenAnotherCatalogue(path); });
    }
    MIRecent->setEnabled(!Recent.isEmpty());
}

void TToolDiscMain::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void TToolDiscMain::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    OpenAnotherCatalogue(urls.front().toLocalFile());
}

void TToolDiscMain::TParts::OpenCatalogue()
{
    // The files are opened once, or taken from the read-ahead that opened them, and stay open
    // through the version check for the outline's load: each opening copies the index.
    std::optional<TOutlinePreload::TResult> preloaded;
    if (Preload)
        preloaded = Preload->Take(BrowzerContainer->DataFileName, BrowzerContainer->IndexFileName);
    if (preloaded)
        BrowzerContainer->TakeOpenFiles(*preloaded->Container);
    BrowzerContainer->SetActive(true);
    BrowzerContainer->CheckVersion();
    OverviewOL->LoadFromContainer(*BrowzerContainer,
                                  preloaded ? std::make_optional(std::move(preloaded->TreeData)) : std::nullopt);
    OverviewOL->ResetOverview();
    EntryDisplay->ShowInfoText(0);
    TextView->LayoutRows();
    W.SetPageKind(pkInfoText);
}

void TToolDiscMain::SetPageKind(int kind)
{
    if (kind == F->PageKind)
        return;
    F->PageKind = static_cast<uint8_t>(kind);
    switch (kind) {
    case pkNothing:
        F->BrowzerNoteBook->setCurrentIndex(piInfotext);
        F->TextView->setVisible(false);
        F->ShortFileName->setVisible(false);
        F->SBInstall->setEnabled(false);
        F->SBCopy->setEnabled(false);
        F->SBPrintText->setEnabled(false);
        break;
    case pkInfoText:
        F->BrowzerNoteBook->setCurrentIndex(piInfotext);
        F->ShortFileName->setVisible(false);
        F->SBInstall->setEnabled(false);
        F->SBCopy->setEnabled(true);
        F->SBPrintText->setEnabled(true);
        break;
    case pkShortText:
        F->BrowzerNoteBook->setCurrentIndex(piShortDesc);
        F->ShortFileName->setVisible(true);
        F->SBInstall->setEnabled(true);
        F->SBCopy->setEnabled(true);
        F->SBPrintText->setEnabled(true);
        break;
    case pkComponent:
        F->BrowzerNoteBook->setCurrentIndex(piKomponente);
        F->ShortFileName->setVisible(false);
        F->SBInstall->setEnabled(true);
        F->SBCopy->setEnabled(true);
        F->SBPrintText->setEnabled(true);
        break;
    default:
        break;
    }
    // Another component keeps an open detail window open; any other kind of entry closes it.
    if (kind != pkComponent && F->DetailWindow)
        F->DetailWindow->hide();
    F->MIPrint->setEnabled(F->SBPrintText->isEnabled());
    F->MIPreview->setEnabled(F->SBPrintText->isEnabled());
    F->MIInstall->setEnabled(F->SBInstall->isEnabled());
    F->ExpandBtn->setVisible(F->BrowzerNoteBook->currentIndex() == piKomponente);
}

void TToolDiscMain::TParts::ArrangePanes()
{
    OverviewPanel->resize(OverviewPanel->width(), Splitter->height());
    Splitter->move(OverviewPanel->width() + 1, Splitter->y());
    const int infoLeft = Splitter->x() + Splitter->width();
    InfoPanel->setGeometry(infoLeft, InfoPanel->y(), ClientArea->width() - infoLeft, Splitter->height());
    // An open find bar takes its room from the bottom of the page.
    const int findRoom = FindBar && !FindBar->isHidden() ? TFindBar::kHeight + 2 : 0;
    BrowzerNoteBook->resize(InfoPanel->width() - 8, InfoPanel->height() - BrowzerNoteBook->y() - 4 - findRoom);
    if (findRoom > 0)
        FindBar->setGeometry(BrowzerNoteBook->x(), BrowzerNoteBook->geometry().bottom() + 3, BrowzerNoteBook->width(),
                             TFindBar::kHeight);
    PageKomponente->Fit(BrowzerNoteBook->size());
    OverviewOL->resize(OverviewPanel->width() - 8, OverviewPanel->height() - OverviewOL->y() - 4);
}

void TToolDiscMain::TParts::FormResize()
{
    ButtonBar->resize(ClientArea->width(), ButtonBar->height());
    Splitter->resize(Splitter->width(), ClientArea->height() - Splitter->y());
    ArrangePanes();
    ExpandBtn->move(InfoPanel->width() - ExpandBtn->width() - 2, ExpandBtn->y());
}

void TToolDiscMain::TParts::OverviewPanelResize()
{
    // A splitter drag changes the info pane's width as a window resize does: the component
    // page's fields and "Erweitern" follow it.
    FormResize();
}

bool TToolDiscMain::SplitterDragging() const
{
    return F->SplitControl && F->SplitControl->Dragging();
}

int TToolDiscMain::SplitterPosition() const
{
    return F->OverviewPanel->width();
}

int TToolDiscMain::TParts::WidestOverview() const
{
    // Keep both panes usable rather than let a captured mouse push one off the window.
    return std::max(kMinOverviewWidth, ClientArea->width() - Splitter->width() - 1 - MinInfoWidth());
}

int TToolDiscMain::TParts::MinInfoWidth() const
{
    // Every page's controls fit side by side: the navigation buttons and "Erweitern" above the
    // pages, the component page's fields, and the find bar below them.
    const int buttons = SBPrevHist->geometry().right() + 1 + 8 + ExpandBtn->width() + 2;
    const int pages = BrowzerNoteBook->x() + PageKomponente->MinimumWidth() + 6;
    const int findBar = FindBar ? BrowzerNoteBook->x() + FindBar->MinimumWidth() + 6 : 0;
    return std::max({kMinInfoWidth, buttons, pages, findBar});
}

void TToolDiscMain::SetSplitterPosition(int overviewWidth)
{
    F->OverviewPanel->resize(std::clamp(overviewWidth, kMinOverviewWidth, F->WidestOverview()),
                             F->OverviewPanel->height());
    F->FormResize();
}

bool TToolDiscMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == F->ClientArea && event->type() == QEvent::Resize) {
        F->FormResize();
    } else if (watched == F->OverviewPanel && event->type() == QEvent::Resize) {
        F->OverviewPanelResize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TToolDiscMain::TParts::ScheduleOverviewOLClick()
{
    // Several selection changes in one go (a reset, a key held down) end in one display.
    if (ClickPending)
        return;
    ClickPending = true;
    QTimer::singleShot(0, &W, [this] {
        ClickPending = false;
        W.OverviewOLClick();
    });
}

void TToolDiscMain::OverviewOLClick()
{
    QTreeWidgetItem* node = F->OverviewOL->currentItem();
    if (!node)
        return;
    F->OverviewOL->SetHandledNode(node);
    const int entry = TBrowzerOutline::EntryOf(node);
    // Marks belong to the entry they were found in; shown again, it keeps them.
    if (entry != F->TermMarks->Entry())
        F->TermMarks->Clear();
    // An entry that cannot be read must not leave the previous entry on screen as if it
    // were this one, nor end the event loop.
    try {
        SetPageKind(F->EntryDisplay->ShowEntry(entry));
    } catch (const std::exception& e) {
        SetPageKind(pkNothing);
        ReportCatalogueError(e);
    }
    F->TermMarks->Refresh();
    F->Navigation->EntryDisplayed();
    emit EntryShown(entry);
}

void TToolDiscMain::ReportCatalogueError(const std::exception& error)
{
    const bool missing = dynamic_cast<const EFOpenError*>(&error) != nullptr;
    ShowMessage(
        TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption),
        missing ? QString::fromStdString(CatalogueNotFoundMessage(F->Location)) : QString::fromUtf8(error.what()));
    try {
        F->BrowzerContainer->SetActive(false);
    } catch (const std::exception&) {
        // Closing a read-only file cannot lose anything; the next open reports what is wrong.
    }
}

void TToolDiscMain::TParts::MIPrinterSetupClick()
{
    ShowPrinterSetup(&W);
}

void TToolDiscMain::TParts::MIAboutClick()
{
    TCDAboutBox about(&W);
    about.exec();
}

void TToolDiscMain::SBInstallClick()
{
    if (F->InstallDialog)
        RunInstallCommand(*F->EntryDisplay, F->PageKind == pkComponent, *F->InstallDialog);
}

void TToolDiscMain::SetInstallDialog(TCInstDlg* dialog)
{
    F->InstallDialog = dialog;
}

void TToolDiscMain::TParts::SBOptionsClick()
{
    if (!OptionsDialog)
        return;
    // Exceptions must not cross the event loop: a settings store that refuses the save is
    // reported, the values in memory are already applied.
    try {
        OptionsDialog->Execute();
    } catch (const std::exception& e) {
        ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption), QString::fromUtf8(e.what()));
    }
}

void TToolDiscMain::SetOptionsDialog(TOptionsDialog* dialog)
{
    F->OptionsDialog = dialog;
    if (dialog)
        connect(dialog, &TOptionsDialog::SettingsApplied, this, [this] { F->ApplyOptions(); });
}

void TToolDiscMain::TParts::ApplyOptions()
{
    OverviewOL->viewport()->update();
    HintSwitch->SetShowHints(Settings().ShowHints != 0);
}

bool TToolDiscMain::HintsShown() const
{
    return F->HintSwitch->ShowHints();
}
void TToolDiscMain::TParts::ExpandBtnClick()
{
    if (auto* detail = qobject_cast<TWideInfoForm*>(DetailWindow.data()); detail && EntryDisplay->Component()) {
        detail->Fill(*EntryDisplay->Component(), true);
        TermMarks->Refresh();
    }
}

TBrowzerContainer& TToolDiscMain::BrowzerContainer()
{
    return *F->BrowzerContainer;
}

TBrowzerOutline& TToolDiscMain::Outline() const
{
    return *F->OverviewOL;
}

int TToolDiscMain::PageKind() const
{
    return F->PageKind;
}

QWidget* TToolDiscMain::DetailWindow() const
{
    return F->DetailWindow;
}

bool TToolDiscMain::ShortMemoOemConvert() const
{
    return F->ShortMemoOemConvert;
}

TCompoText* TToolDiscMain::CompoText() const
{
    return F->EntryDisplay->Component();
}

TNavigation& TToolDiscMain::Navigation() const
{
    return *F->Navigation;
}

TPrintCommands& TToolDiscMain::PrintCommands() const
{
    return *F->PrintCommands;
}

TSearchCommand& TToolDiscMain::SearchCommand() const
{
    return *F->SearchCommand;
}

TTermMarks& TToolDiscMain::TermMarks() const
{
    return *F->TermMarks;
}

TFindBar& TToolDiscMain::FindBar() const
{
    return *F->FindBar;
}

QString TToolDiscMain::Catalogue() const
{
    return F->Opened ? F->Catalogue : QString();
}

QStringList TToolDiscMain::RecentCatalogues() const
{
    return F->Recent;
}

void TToolDiscMain::SetDetailWindow(QWidget* form)
{
    F->DetailWindow = form;
}

}  // namespace lumarc
