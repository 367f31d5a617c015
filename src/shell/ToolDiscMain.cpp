#include "ToolDiscMain.h"

#include "Application.h"

#include "CommandKeys.h"
#include "FindBar.h"
#include "EntryDisplay.h"
#include "HintSwitch.h"
#include "InstallCommand.h"
#include "Navigation.h"
#include "OutlinePreload.h"
#include "PrintCommands.h"
#include "ScreenRoom.h"
#include "SearchCommand.h"
#include "TermMarks.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QUrl>
#include <QMimeData>
#include <QDropEvent>
#include <QDragEnterEvent>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "CDAboutBox.h"
#include "Glyphs.h"
#include "widgets/DesignLook.h"
#include "widgets/MsgBox.h"
#include "install/CInstDlg.h"
#include "platform/Disc.h"
#include "catalogue/Coding.h"
#include "catalogue/FileStream.h"
#include "search/SearchDlg.h"
#include "search/SearchFoundDlg.h"
#include "CatalogueChooser.h"
#include "ProgramEnd.h"
#include "SplitControl.h"
#include "WideInfoForm.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CompoText.h"
#include "catalogue/RecordRef.h"
#include "controls/BrowzerOutline.h"
#include "widgets/CaptionRoom.h"
#include "widgets/Gauge.h"
#include "controls/MicaTextView.h"
#include "platform/Exception.h"
#include "print/LineOutput.h"
#include "settings/core/PathRoutines.h"
#include "settings/OptionsDialog.h"
#include "settings/core/RegistrySettings.h"
#include "settings/core/Settings.h"

namespace lumarc {

namespace {

const char* const kErrorCaption = "Lumarcer - Fehler";
const char* const kLoadFailed = "Fehler beim Laden der Datenbank!";

// The old "System" font, 13 pixels high; fontconfig maps the name, DejaVu Sans is the
// stated fallback where it does not.
TToolDiscMain::TMessageHook& MessageHook()
{
    static TToolDiscMain::TMessageHook hook;
    return hook;
}

QFrame* MakePanel(QWidget* parent, const char* name, QFrame::Shadow shadow = QFrame::Raised)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setLineWidth(1);
    return panel;
}

QLabel* MakeSystemLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, bool bold = false)
{
    const QFont font = SystemFont(bold);
    return MakeLabel(parent, name, caption, left, top, &font);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setGeometry(left, top, width, 23);
    return edit;
}

QToolButton* MakeSpeedButton(QWidget* parent, const char* name, TGlyph glyph, const QString& hint, int left,
                             int top, int width, int height)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(TGlyphs::Icon(glyph));
    button->setIconSize(QSize(TGlyphs::kSize, TGlyphs::kSize));
    button->setToolTip(hint);
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

TToolDiscMain::TMessageHook TToolDiscMain::SetMessageHook(TMessageHook hook)
{
    TMessageHook old = std::move(MessageHook());
    MessageHook() = std::move(hook);
    return old;
}

void TToolDiscMain::ShowMessage(TMessageKind kind, const QString& caption, const QString& text)
{
    if (MessageHook()) {
        MessageHook()(kind, caption, text);
        return;
    }
    if (kind == TMessageKind::mkMsgBox) {
        TMsgBox box;
        box.SetCaption(caption);
        box.SetMsg(text);
        box.SetButtons(TMSGButtons::msgOK);
        box.Execute();
    } else {
        QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
        const TBoxShowing showing(&box);
        box.exec();
    }
}

TToolDiscMain::TToolDiscMain(const QString& catalogueDir, QWidget* parent, TOutlinePreload* preload)
    : QMainWindow(parent), FBrowzerContainer(std::make_unique<TBrowzerContainer>()), FPreload(preload)
{
    setObjectName(QStringLiteral("ToolDiscMain"));
    setAcceptDrops(true);
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    setFont(SystemFont());
    CreateComponents();
    FEntryDisplay = std::make_unique<TEntryDisplay>(*this);
    FNavigation = std::make_unique<TNavigation>(*this);
    FPrintCommands = std::make_unique<TPrintCommands>(*this);
    FHintSwitch = new THintSwitch(this);
    FTermMarks = new TTermMarks(*this);
    FFindBar = new TFindBar(*FTermMarks, InfoPanel);
    connect(FFindBar, &TFindBar::VisibilityChanged, this, &TToolDiscMain::FormResize);
    ConnectCommands();
    BindCommandKeys(*this);
    // Until something is shown the commands stand as for page kind 0, so that a catalogue
    // that fails to open leaves nothing to print, copy or install.
    for (QWidget* command : {static_cast<QWidget*>(SBInstall), static_cast<QWidget*>(SBCopy),
                             static_cast<QWidget*>(SBPrintText)})
        command->setEnabled(false);
    MIPrint->setEnabled(false);
    MIPreview->setEnabled(false);
    MIInstall->setEnabled(false);
    ExpandBtn->setVisible(false);
    setMinimumSize(kMinWidth, kMinHeight);
    resize(kDesignWidth, kDesignHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        FitToScreen(screen->availableGeometry());
    FormCreate(catalogueDir);
    FPreload = nullptr;
    FSearchCommand = std::make_unique<TSearchCommand>(*this);
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
    FSearchCommand.reset();
    ClientArea->removeEventFilter(this);
    OverviewPanel->removeEventFilter(this);
    Splitter->removeEventFilter(this);
}

void TToolDiscMain::closeEvent(QCloseEvent* event)
{
    FSearchCommand->ResultsDialog().StopSearch();
    FSearchCommand->ResultsDialog().hide();
    // A command that runs in a dialog (a copy, an unpacking) finishes first: the dialog's
    // loop ends when the command returns to it.
    if (FInstallDialog && FInstallDialog->isVisible())
        FInstallDialog->CloseWhenDone();
    for (QDialog* dialog : {static_cast<QDialog*>(FOptionsDialog.data()), static_cast<QDialog*>(&FSearchCommand->SearchDialog())}) {
        if (dialog && dialog->isVisible())
            dialog->reject();
    }
    if (FDetailWindow)
        FDetailWindow->close();
    QMainWindow::closeEvent(event);
}

void TToolDiscMain::CreateComponents()
{
    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(ClientArea);
    CreateButtonBar();
    CreateOverview();
    CreateInfoPanel();
    CreateMenu();
    ClientArea->installEventFilter(this);
    OverviewPanel->installEventFilter(this);
    Splitter->installEventFilter(this);
}

void TToolDiscMain::CreateButtonBar()
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

void TToolDiscMain::CreateOverview()
{
    OverviewPanel = MakePanel(ClientArea, "OverviewPanel");
    OverviewPanel->setGeometry(1, 29, 176, 364);
    OverViewLabel = MakeSystemLabel(OverviewPanel, "OverViewLabel", QString::fromUtf8("Überbli&ck"), 10, 2);
    OverviewOL = new TBrowzerOutline(OverviewPanel);
    OverviewOL->setGeometry(4, 19, 167, 336);
    OverViewLabel->setBuddy(OverviewOL);
    OverviewOL->setRootIsDecorated(false);
    OverviewOL->setIndentation(19);
    OverviewOL->setToolTipDuration(0);
    // The selection stays as visible as with the focus when the focus is elsewhere.
    QPalette pal = OverviewOL->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    OverviewOL->setPalette(pal);

    Splitter = MakePanel(ClientArea, "Splitter");
    Splitter->setFrameStyle(QFrame::NoFrame);
    Splitter->setGeometry(178, 29, 3, 364);
    Splitter->setCursor(Qt::SplitHCursor);
}

void TToolDiscMain::CreateInfoPanel()
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
    PageKomponente = MakePage(BrowzerNoteBook, "Komponente");
    PageShortDesc = MakePage(BrowzerNoteBook, "ShortDesc");
    PageInfotext = MakePage(BrowzerNoteBook, "Infotext");
    CreateComponentPage();

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

void TToolDiscMain::CreateComponentPage()
{
    CompoDescBox = new QGroupBox(PageKomponente);
    CompoDescBox->setObjectName(QStringLiteral("CompoDescBox"));
    CompoDescBox->setGeometry(0, 0, 387, 327);
    CompoScrollBox = new QScrollArea(CompoDescBox);
    CompoScrollBox->setObjectName(QStringLiteral("CompoScrollBox"));
    CompoScrollBox->setFrameShape(QFrame::NoFrame);
    CompoScrollBox->setWidgetResizable(false);
    CompoScrollBox->setGeometry(CompoDescBox->contentsRect());
    CompoScrollContents = new QWidget;
    CompoScrollContents->setObjectName(QStringLiteral("CompoScrollContents"));
    CompoScrollContents->resize(CompoScrollBox->size());
    CompoScrollBox->setWidget(CompoScrollContents);
    QWidget* box = CompoScrollContents;

    KompoCopyLabel = MakeSystemLabel(box, "KompoCopyLabel", QStringLiteral("Copyright:"), 8, 3, true);
    KompoCopyLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CompoCopyright = MakeEdit(box, "CompoCopyright", 78, 1, 299);
    UseFulLabel = MakeSystemLabel(box, "UseFulLabel", QStringLiteral("Wertung:"), 13, 27, true);
    UseFulLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    UseFulPanel = MakePanel(box, "UseFulPanel", QFrame::Sunken);
    UseFulPanel->setGeometry(77, 26, 85, 19);
    RatingLabel = MakeSystemLabel(UseFulPanel, "RatingLabel", QStringLiteral("keine"), 4, 2);
    RatingGauge = new TGauge(UseFulPanel);
    RatingGauge->setObjectName(QStringLiteral("RatingGauge"));
    RatingGauge->setGeometry(4, 2, 77, 15);
    RatingGauge->SetForeColor(QColor(255, 255, 0));
    RatingGauge->SetBackColor(QColor(0, 0, 128));
    RatingGauge->SetProgress(0);
    Label7 = MakeSystemLabel(box, "Label7", QStringLiteral("Distribution:"), 170, 27, true);
    CompoDistribution = MakeEdit(box, "CompoDistribution", 256, 24, 121);
    LangCompInfo = MakeEdit(box, "LangCompInfo", 9, 47, 368);
    CompolimitLabel = MakeSystemLabel(box, "CompolimitLabel", QString::fromUtf8("Einschränkungen:"), 8, 74, true);
    CompoLimitations = MakeEdit(box, "CompoLimitations", 132, 70, 245);
    // Our fonts are wider than the ones these places were made for: each caption keeps its
    // text whole and pushes the fields after it along its row.
    for (QWidget* caption : {static_cast<QWidget*>(KompoCopyLabel), static_cast<QWidget*>(UseFulLabel),
                             static_cast<QWidget*>(Label7), static_cast<QWidget*>(CompolimitLabel)})
        MakeRoomForCaption(caption);
    StuffView = new TMicaTextView(box);
    StuffView->setObjectName(QStringLiteral("StuffView"));
    StuffView->setGeometry(2, 102, 379, 203);
    StuffView->SetDefaultColWidth(377);
    StuffView->ActualFont = 1;
    StuffView->UseStandardFont = true;
}

void TToolDiscMain::CreateMenu()
{
    BrowzerMenu = menuBar();
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

void TToolDiscMain::ConnectCommands()
{
    connect(MIOpenCatalogue, &QAction::triggered, this, &TToolDiscMain::MIOpenCatalogueClick);
    FillRecentMenu();
    connect(MIInstall, &QAction::triggered, this, &TToolDiscMain::SBInstallClick);
    connect(SBInstall, &QToolButton::clicked, this, &TToolDiscMain::SBInstallClick);
    connect(MISearch, &QAction::triggered, this, &TToolDiscMain::SBSearchClick);
    connect(SBSearch, &QToolButton::clicked, this, &TToolDiscMain::SBSearchClick);
    connect(MIPrint, &QAction::triggered, this, &TToolDiscMain::SBPrintTextClick);
    connect(SBPrintText, &QToolButton::clicked, this, &TToolDiscMain::SBPrintTextClick);
    connect(MIPreview, &QAction::triggered, this, &TToolDiscMain::MIPreviewClick);
    connect(MIOptions, &QAction::triggered, this, &TToolDiscMain::SBOptionsClick);
    connect(SBOptions, &QToolButton::clicked, this, &TToolDiscMain::SBOptionsClick);
    connect(MIPrinterSetup, &QAction::triggered, this, &TToolDiscMain::MIPrinterSetupClick);
    connect(MIQuit, &QAction::triggered, this, &TToolDiscMain::MIQuitClick);
    connect(QuitButton, &QToolButton::clicked, this, &TToolDiscMain::QuitButtonClick);
    connect(MIAbout, &QAction::triggered, this, &TToolDiscMain::MIAboutClick);
    connect(SBInfo, &QToolButton::clicked, this, &TToolDiscMain::SBInfoClick);
    connect(SBFirst, &QToolButton::clicked, this, &TToolDiscMain::SBFirstClick);
    connect(SBPrev, &QToolButton::clicked, this, &TToolDiscMain::SBPrevClick);
    connect(SBDown, &QToolButton::clicked, this, &TToolDiscMain::SBDownClick);
    connect(SBCopy, &QToolButton::clicked, this, &TToolDiscMain::SBCopyClick);
    connect(SBBestellFormular, &QToolButton::clicked, this, &TToolDiscMain::SBBestellFormularClick);
    connect(SBUp, &QToolButton::clicked, this, &TToolDiscMain::SBUpClick);
    connect(SBNext, &QToolButton::clicked, this, &TToolDiscMain::SBNextClick);
    connect(SBPrevHist, &QToolButton::clicked, this, &TToolDiscMain::SBPrevHistClick);
    connect(ExpandBtn, &QPushButton::clicked, this, &TToolDiscMain::ExpandBtnClick);
    connect(OverviewOL, &QTreeWidget::currentItemChanged, this, &TToolDiscMain::ScheduleOverviewOLClick);
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

TToolDiscMain::TCatalogueFiles TToolDiscMain::CatalogueFiles(const QString& catalogueDir)
{
    return LocateCatalogue(catalogueDir.isEmpty() ? OwnCatalogueDir() : catalogueDir.toStdString());
}

void TToolDiscMain::FormCreate(const QString& catalogueDir)
{
    // The line-drawing font shows the OEM box characters as they are; without it the memo's
    // text goes through the OEM code page first.
    if (QFontDatabase::families().contains(QStringLiteral("MS LineDraw"))) {
        ShortMemo->setFont(QFont(QStringLiteral("MS LineDraw")));
        FShortMemoOemConvert = false;
    } else {
        QFont fixed(QStringLiteral("Fixedsys"));
        fixed.setFamilies({QStringLiteral("Fixedsys"), QStringLiteral("DejaVu Sans Mono")});
        fixed.setStyleHint(QFont::TypeWriter);
        fixed.setPixelSize(12);
        ShortMemo->setFont(fixed);
        FShortMemoOemConvert = true;
    }
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
    FHintSwitch->SetShowHints(Settings().ShowHints != 0);

    const int courier = TextView->AddFont();
    TextView->GetFont(courier) = QFont(QStringLiteral("Courier"), 10);
    TextView->Clear();

    FSplitControl = std::make_unique<TSplitControl>(this);
    FHistory.Clear();
    FRecordHistory = true;

    FLocation = CatalogueFiles(catalogueDir);
    FCatalogue = catalogueDir.isEmpty() ? QString::fromStdString(OwnCatalogueDir()) : catalogueDir;
    FBrowzerContainer->DataFileName = FLocation.DataFileName;
    FBrowzerContainer->IndexFileName = FLocation.IndexFileName;

    try {
        OpenCatalogue();
    } catch (const EProgramEnd&) {
        throw;
    } catch (const EFOpenError&) {
        ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption),
                    QString::fromStdString(CatalogueNotFoundMessage(FLocation)));
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
        TFileStream data(location.DataFileName, TFileStream::TMode::fmOpenRead);
        uint8_t header[4] = {};
        if (data.ReadAt(0, header, 4) < 4 || GetInt16LE(header) != TBrowzerContainer::kFormatVersion ||
            GetInt16LE(header + 2) != TBrowzerContainer::kFormatWord2) {
            ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption),
                        QString::fromStdString(TBrowzerContainer::VersionMessage()));
            return false;
        }
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
    FSearchCommand->ResultsDialog().Reset();
    FSearchCommand->SearchDialog().hide();
    if (FDetailWindow)
        FDetailWindow->hide();
    try {
        FBrowzerContainer->SetActive(false);
    } catch (const std::exception&) {
        // Closing read-only files loses nothing.
    }
    FBrowzerContainer->DataFileName = location.DataFileName;
    FBrowzerContainer->IndexFileName = location.IndexFileName;
    FBrowzerContainer->TakeOpenFiles(fresh);
    FLocation = location;
    FCatalogue = catalogue;
    FHistory.Clear();
    FRecordHistory = true;
    FCompoText.reset();
    SetPageKind(pkNothing);
    OverviewOL->LoadFromContainer(*FBrowzerContainer, std::move(tree));
    OverviewOL->ResetOverview();
    TextView->ShowInfoText(*FBrowzerContainer, 0);
    TextView->LayoutRows();
    SetPageKind(pkInfoText);
    ArrangePanes();
    AddRecent(catalogue);
    return true;
}

void TToolDiscMain::MIOpenCatalogueClick()
{
    const QString chosen = ChooseCatalogue(this, FCatalogue);
    if (!chosen.isEmpty())
        OpenAnotherCatalogue(chosen);
}

void TToolDiscMain::SetRecentCatalogues(const QStringList& catalogues)
{
    FRecent = catalogues.mid(0, kRecentCount);
    FillRecentMenu();
}

void TToolDiscMain::AddRecent(const QString& catalogue)
{
    const QString path = QFileInfo(catalogue).absoluteFilePath();
    FRecent.removeAll(path);
    FRecent.prepend(path);
    SetRecentCatalogues(FRecent);
}

void TToolDiscMain::FillRecentMenu()
{
    MIRecent->clear();
    for (int i = 0; i < FRecent.size(); ++i) {
        const QString path = FRecent[i];
        QAction* action = MIRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        action->setObjectName(QStringLiteral("MIRecent%1").arg(i + 1));
        // A catalogue that has gone (a stick taken out, an image moved) is shown, not offered.
        action->setEnabled(DiscPathKind(path.toStdString()) != TDiscPathKind::None);
        connect(action, &QAction::triggered, this, [this, path] { OpenAnotherCatalogue(path); });
    }
    MIRecent->setEnabled(!FRecent.isEmpty());
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

void TToolDiscMain::OpenCatalogue()
{
    // The files are opened once, or taken from the read-ahead that opened them, and stay open
    // through the version check for the outline's load: each opening copies the index.
    std::optional<TOutlinePreload::TResult> preloaded;
    if (FPreload)
        preloaded = FPreload->Take(FBrowzerContainer->DataFileName, FBrowzerContainer->IndexFileName);
    if (preloaded)
        FBrowzerContainer->TakeOpenFiles(*preloaded->Container);
    FBrowzerContainer->SetActive(true);
    FBrowzerContainer->CheckVersion();
    OverviewOL->LoadFromContainer(*FBrowzerContainer,
                                  preloaded ? std::make_optional(std::move(preloaded->TreeData)) : std::nullopt);
    OverviewOL->ResetOverview();
    TextView->ShowInfoText(*FBrowzerContainer, 0);
    TextView->LayoutRows();
    SetPageKind(pkInfoText);
}

void TToolDiscMain::SetPageKind(int kind)
{
    if (kind == FPageKind)
        return;
    FPageKind = static_cast<uint8_t>(kind);
    switch (kind) {
    case pkNothing:
        BrowzerNoteBook->setCurrentIndex(piInfotext);
        TextView->setVisible(false);
        ShortFileName->setVisible(false);
        SBInstall->setEnabled(false);
        SBCopy->setEnabled(false);
        SBPrintText->setEnabled(false);
        break;
    case pkInfoText:
        BrowzerNoteBook->setCurrentIndex(piInfotext);
        ShortFileName->setVisible(false);
        SBInstall->setEnabled(false);
        SBCopy->setEnabled(true);
        SBPrintText->setEnabled(true);
        break;
    case pkShortText:
        BrowzerNoteBook->setCurrentIndex(piShortDesc);
        ShortFileName->setVisible(true);
        SBInstall->setEnabled(true);
        SBCopy->setEnabled(true);
        SBPrintText->setEnabled(true);
        break;
    case pkComponent:
        BrowzerNoteBook->setCurrentIndex(piKomponente);
        ShortFileName->setVisible(false);
        SBInstall->setEnabled(true);
        SBCopy->setEnabled(true);
        SBPrintText->setEnabled(true);
        break;
    default:
        break;
    }
    // Another component keeps an open detail window open; any other kind of entry closes it.
    if (kind != pkComponent && FDetailWindow)
        FDetailWindow->hide();
    MIPrint->setEnabled(SBPrintText->isEnabled());
    MIPreview->setEnabled(SBPrintText->isEnabled());
    MIInstall->setEnabled(SBInstall->isEnabled());
    ExpandBtn->setVisible(BrowzerNoteBook->currentIndex() == piKomponente);
}

void TToolDiscMain::ArrangePanes()
{
    OverviewPanel->resize(OverviewPanel->width(), Splitter->height());
    Splitter->move(OverviewPanel->width() + 1, Splitter->y());
    const int infoLeft = Splitter->x() + Splitter->width();
    InfoPanel->setGeometry(infoLeft, InfoPanel->y(), ClientArea->width() - infoLeft, Splitter->height());
    // An open find bar takes its room from the bottom of the page.
    const int findRoom = FFindBar && !FFindBar->isHidden() ? TFindBar::kHeight + 2 : 0;
    BrowzerNoteBook->resize(InfoPanel->width() - 8, InfoPanel->height() - BrowzerNoteBook->y() - 4 - findRoom);
    if (findRoom > 0)
        FFindBar->setGeometry(BrowzerNoteBook->x(), BrowzerNoteBook->geometry().bottom() + 3, BrowzerNoteBook->width(),
                              TFindBar::kHeight);
    CompoDescBox->resize(BrowzerNoteBook->size());
    OverviewOL->resize(OverviewPanel->width() - 8, OverviewPanel->height() - OverviewOL->y() - 4);
}

void TToolDiscMain::FormResize()
{
    ButtonBar->resize(ClientArea->width(), ButtonBar->height());
    Splitter->resize(Splitter->width(), ClientArea->height() - Splitter->y());
    ArrangePanes();
    ExpandBtn->move(InfoPanel->width() - ExpandBtn->width() - 2, ExpandBtn->y());
    // The scroll box fills the group box; its contents are never larger than it.
    CompoScrollBox->setGeometry(CompoDescBox->contentsRect());
    CompoScrollContents->resize(CompoScrollBox->size());
    const int parentWidth = CompoScrollContents->width();
    for (QWidget* field : {static_cast<QWidget*>(CompoCopyright), static_cast<QWidget*>(CompoDistribution),
                           static_cast<QWidget*>(LangCompInfo), static_cast<QWidget*>(CompoLimitations),
                           static_cast<QWidget*>(StuffView)})
        field->resize(parentWidth - field->x() - 4, field->height());
    StuffView->resize(StuffView->width(), CompoScrollContents->height() - StuffView->y() - 4);
}

void TToolDiscMain::OverviewPanelResize()
{
    // A splitter drag changes the info pane's width as a window resize does: the component
    // page's fields and "Erweitern" follow it.
    FormResize();
}

bool TToolDiscMain::SplitterDragging() const
{
    return FSplitControl && FSplitControl->Dragging();
}

int TToolDiscMain::SplitterPosition() const
{
    return OverviewPanel->width();
}

int TToolDiscMain::WidestOverview() const
{
    // Keep both panes usable rather than let a captured mouse push one off the window.
    return std::max(kMinOverviewWidth, ClientArea->width() - Splitter->width() - 1 - kMinInfoWidth);
}

void TToolDiscMain::SetSplitterPosition(int overviewWidth)
{
    OverviewPanel->resize(std::clamp(overviewWidth, kMinOverviewWidth, WidestOverview()), OverviewPanel->height());
    FormResize();
}

void TToolDiscMain::SplitterMouseDown(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || event->buttons() != Qt::LeftButton ||
        event->modifiers() != Qt::NoModifier)
        return;
    FSplitControl->BeginDrag(Splitter, OverviewPanel, kMinOverviewWidth, WidestOverview());
}

void TToolDiscMain::SplitterMouseMove(QMouseEvent* event)
{
    if (FSplitControl->Dragging()) {
        const QPoint pos = event->position().toPoint();
        FSplitControl->TrackTo(pos.x(), pos.y());
    }
}

void TToolDiscMain::SplitterMouseUp(QMouseEvent*)
{
    if (FSplitControl->Dragging())
        FSplitControl->EndDrag();
}

bool TToolDiscMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ClientArea && event->type() == QEvent::Resize) {
        FormResize();
    } else if (watched == OverviewPanel && event->type() == QEvent::Resize) {
        OverviewPanelResize();
    } else if (watched == Splitter) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            SplitterMouseDown(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseMove:
            SplitterMouseMove(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            SplitterMouseUp(static_cast<QMouseEvent*>(event));
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TToolDiscMain::ScheduleOverviewOLClick()
{
    // Several selection changes in one go (a reset, a key held down) end in one display.
    if (FClickPending)
        return;
    FClickPending = true;
    QTimer::singleShot(0, this, [this] {
        FClickPending = false;
        OverviewOLClick();
    });
}

void TToolDiscMain::OverviewOLClick()
{
    QTreeWidgetItem* node = OverviewOL->currentItem();
    if (!node)
        return;
    OverviewOL->SetHandledNode(node);
    const int entry = TBrowzerOutline::EntryOf(node);
    // Marks belong to the entry they were found in; shown again, it keeps them.
    if (entry != FTermMarks->Entry())
        FTermMarks->Clear();
    // An entry that cannot be read must not leave the previous entry on screen as if it
    // were this one, nor end the event loop.
    try {
        FEntryDisplay->ShowEntry(entry);
    } catch (const std::exception& e) {
        SetPageKind(pkNothing);
        ReportCatalogueError(e);
    }
    FTermMarks->Refresh();
    FNavigation->EntryDisplayed();
    emit EntryShown(entry);
}

void TToolDiscMain::ReportCatalogueError(const std::exception& error)
{
    const bool missing = dynamic_cast<const EFOpenError*>(&error) != nullptr;
    ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption),
                missing ? QString::fromStdString(CatalogueNotFoundMessage(FLocation)) : QString::fromUtf8(error.what()));
    try {
        FBrowzerContainer->SetActive(false);
    } catch (const std::exception&) {
        // Closing a read-only file cannot lose anything; the next open reports what is wrong.
    }
}

void TToolDiscMain::MIPrinterSetupClick()
{
    QPrintDialog dialog(&CurrentPrinter(), this);
    dialog.setObjectName(QStringLiteral("PrinterSetup"));
    dialog.setWindowTitle(QStringLiteral("Druckereinstellungen"));
    // The setup only chooses the printer and its settings; a button "Drucken" would print nothing.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    dialog.exec();
}

void TToolDiscMain::MIQuitClick()
{
    close();
}

void TToolDiscMain::QuitButtonClick()
{
    close();
}

void TToolDiscMain::MIAboutClick()
{
    TCDAboutBox about(this);
    about.exec();
}

void TToolDiscMain::SBInfoClick()
{
    MIAboutClick();
}

void TToolDiscMain::SBInstallClick()
{
    if (FInstallDialog)
        RunInstallCommand(*this, *FInstallDialog);
}

void TToolDiscMain::SetInstallDialog(TCInstDlg* dialog)
{
    FInstallDialog = dialog;
}

void TToolDiscMain::SBSearchClick()
{
    FSearchCommand->SBSearchClick();
}

void TToolDiscMain::SBPrintTextClick()
{
    FPrintCommands->SBPrintTextClick();
}

void TToolDiscMain::MIPreviewClick()
{
    FPrintCommands->MIPreviewClick();
}

void TToolDiscMain::SBOptionsClick()
{
    if (!FOptionsDialog)
        return;
    // Exceptions must not cross the event loop: a settings store that refuses the save is
    // reported, the values in memory are already applied.
    try {
        FOptionsDialog->Execute();
    } catch (const std::exception& e) {
        ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption), QString::fromUtf8(e.what()));
    }
}

void TToolDiscMain::SetOptionsDialog(TOptionsDialog* dialog)
{
    FOptionsDialog = dialog;
    if (dialog)
        connect(dialog, &TOptionsDialog::SettingsApplied, this, &TToolDiscMain::ApplyOptions);
}

void TToolDiscMain::ApplyOptions()
{
    OverviewOL->viewport()->update();
    FHintSwitch->SetShowHints(Settings().ShowHints != 0);
}

bool TToolDiscMain::HintsShown() const
{
    return FHintSwitch->ShowHints();
}
void TToolDiscMain::SBFirstClick()
{
    FNavigation->SBFirstClick();
}

void TToolDiscMain::SBPrevClick()
{
    FNavigation->SBPrevClick();
}

void TToolDiscMain::SBDownClick()
{
    FNavigation->SBDownClick();
}

void TToolDiscMain::SBCopyClick()
{
    FPrintCommands->SBCopyClick();
}

void TToolDiscMain::SBBestellFormularClick()
{
    FPrintCommands->SBBestellFormularClick();
}

void TToolDiscMain::SBUpClick()
{
    FNavigation->SBUpClick();
}

void TToolDiscMain::SBNextClick()
{
    FNavigation->SBNextClick();
}

void TToolDiscMain::SBPrevHistClick()
{
    FNavigation->SBPrevHistClick();
}

void TToolDiscMain::ExpandBtnClick()
{
    if (auto* detail = qobject_cast<TWideInfoForm*>(FDetailWindow.data()); detail && FCompoText) {
        detail->Fill(*FCompoText, true);
        FTermMarks->Refresh();
    }
}

}  // namespace lumarc
