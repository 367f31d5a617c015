#include "ToolDiscMain.h"
#include "ToolDiscMainParts.h"

#include <QCloseEvent>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>

#include "Application.h"
#include "CDAboutBox.h"
#include "CommandKeys.h"
#include "ComponentCommands.h"
#include "LibraryCommands.h"
#include "ComponentPage.h"
#include "EntryDisplay.h"
#include "FindBar.h"
#include "HintSwitch.h"
#include "InstallCommand.h"
#include "Messages.h"
#include "Navigation.h"
#include "OutlinePreload.h"
#include "PrintCommands.h"
#include "ScreenRoom.h"
#include "SearchCommand.h"
#include "SplitControl.h"
#include "TermMarks.h"
#include "WideInfoForm.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CompoText.h"
#include "controls/BrowzerOutline.h"
#include "controls/MicaTextView.h"
#include "install/CInstDlg.h"
#include "platform/Disc.h"
#include "platform/Exception.h"
#include "print/PrinterSetup.h"
#include "search/SearchDlg.h"
#include "search/SearchFoundDlg.h"
#include "settings/OptionsDialog.h"
#include "settings/core/Settings.h"
#include "widgets/DesignLook.h"
#include "widgets/MsgBox.h"

namespace lumarc {

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
    F->ComponentCommands = std::make_unique<TComponentCommands>(*this);
    F->LibraryCommands = std::make_unique<TLibraryCommands>(*this);
    // The marks of what was installed need the database and a hash of the index, and so does
    // the library's record of the opening: after the window is on screen.
    QTimer::singleShot(0, this, [this] {
        F->ComponentCommands->RefreshMarks();
        if (F->Opened)
            F->LibraryCommands->CatalogueOpened(F->Catalogue);
    });
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
    // A running search ends before the outline and the catalogue it was started on, and so
    // does the reading of the component list.
    F->LibraryCommands.reset();
    F->ComponentCommands.reset();
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
    F->ComponentCommands->CloseWindows();
    F->LibraryCommands->CloseWindow();
    QMainWindow::closeEvent(event);
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
    if (!F->InstallDialog)
        return;
    RunInstallCommand(*F->EntryDisplay, F->PageKind == pkComponent, *F->InstallDialog, F->OverviewOL->SelectedEntry(),
                      F->Catalogue);
    F->ComponentCommands->RefreshMarks();
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

TComponentCommands& TToolDiscMain::ComponentCommands() const
{
    return *F->ComponentCommands;
}

TLibraryCommands& TToolDiscMain::LibraryCommands() const
{
    return *F->LibraryCommands;
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
