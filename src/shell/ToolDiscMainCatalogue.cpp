#include "ToolDiscMain.h"
#include "ToolDiscMainParts.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

#include <filesystem>
#include <optional>

#include "Application.h"
#include "CatalogueChooser.h"
#include "ComponentCommands.h"
#include "LibraryCommands.h"
#include "EntryDisplay.h"
#include "HintSwitch.h"
#include "Messages.h"
#include "Navigation.h"
#include "OutlinePreload.h"
#include "PrintCommands.h"
#include "ProgramEnd.h"
#include "SearchCommand.h"
#include "SplitControl.h"
#include "WebExportCommand.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CatalogueLocation.h"
#include "controls/BrowzerOutline.h"
#include "controls/MicaTextView.h"
#include "platform/Disc.h"
#include "platform/Exception.h"
#include "search/SearchDlg.h"
#include "search/SearchFoundDlg.h"
#include "settings/core/PathRoutines.h"
#include "settings/core/RegistrySettings.h"
#include "settings/core/Settings.h"
#include "widgets/DesignLook.h"
#include "widgets/MsgBox.h"

namespace lumarc {

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
    F->ComponentCommands->CatalogueOpened();
    F->LibraryCommands->CatalogueOpened(catalogue);
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

}  // namespace lumarc
