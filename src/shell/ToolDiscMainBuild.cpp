#include "ToolDiscMain.h"
#include "ToolDiscMainParts.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ComponentCommands.h"
#include "LibraryCommands.h"
#include "ComponentPage.h"
#include "Glyphs.h"
#include "Navigation.h"
#include "PrintCommands.h"
#include "SearchCommand.h"
#include "SplitControl.h"
#include "TermMarks.h"
#include "controls/BrowzerOutline.h"
#include "controls/MicaTextView.h"
#include "platform/Disc.h"
#include "print/PrinterSetup.h"
#include "widgets/DesignLook.h"

namespace lumarc {

namespace {

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
    MILibrary = item(MIFile, "MILibrary", "&Bibliothek...", "Ctrl+Shift+B");
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
    MIComponents = BrowzerMenu->addMenu(QStringLiteral("&Komponenten"));
    MIComponents->setObjectName(QStringLiteral("MIComponents"));
    MIComponentList = item(MIComponents, "MIComponentList", "Komponenten&liste...", "Ctrl+L");
    MIInstalled = item(MIComponents, "MIInstalled", "&Installierte Komponenten...", nullptr);
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
    command(MILibrary, [this] { LibraryCommands->ShowWindow(); });
    command(MIComponentList, [this] { ComponentCommands->ShowList(); });
    command(MIInstalled, [this] { ComponentCommands->ShowInstalled(); });
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

}  // namespace lumarc
