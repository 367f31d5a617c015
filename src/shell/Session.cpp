#include "Session.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QSettings>

#include <exception>

#include "ComponentCommands.h"
#include "ScreenRoom.h"
#include "SearchCommand.h"
#include "ToolDiscMain.h"
#include "WideInfoForm.h"
#include "catalogue/CatalogueLocation.h"
#include "controls/BrowzerOutline.h"
#include "platform/UserDirs.h"
#include "search/SearchFoundDlg.h"

namespace lumarc {

namespace {

const char* const kWindowGeometry = "MainWindow/Geometry";
const char* const kSplitter = "MainWindow/Splitter";
const char* const kDetailGeometry = "DetailWindow/Geometry";
const char* const kReviewHeight = "DetailWindow/ReviewHeight";
const char* const kInstallHeight = "DetailWindow/InstallHeight";
const char* const kResultsSize = "SearchResults/Size";
const char* const kListGeometry = "ComponentList/Geometry";
const char* const kListFilters = "ComponentList/Filters";
const char* const kCatalogue = "Catalogue/Path";
const char* const kEntry = "Catalogue/Entry";
const char* const kRecent = "Catalogue/Recent";

// A count the file holds, or -1 when it holds none or something else.
int Count(const QSettings& file, const char* key)
{
    bool ok = false;
    const int value = file.value(QLatin1String(key)).toInt(&ok);
    return ok && value >= 0 ? value : -1;
}

QString SamePath(const QString& path)
{
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

}  // namespace

QString TSession::DefaultFile()
{
    return QString::fromStdString(StateHome()) + QStringLiteral("/Brimvale/Lumarc32/session.conf");
}

TSession TSession::Load(const QString& file)
{
    TSession session;
    if (!QFileInfo(file).isFile())
        return session;
    const QSettings stored(file, QSettings::IniFormat);
    if (stored.status() != QSettings::NoError)
        return session;
    session.FWindowGeometry = stored.value(QLatin1String(kWindowGeometry)).toByteArray();
    session.FSplitter = Count(stored, kSplitter);
    session.FDetailGeometry = stored.value(QLatin1String(kDetailGeometry)).toByteArray();
    session.FReviewHeight = Count(stored, kReviewHeight);
    session.FInstallHeight = Count(stored, kInstallHeight);
    session.FResultsSize = stored.value(QLatin1String(kResultsSize)).toSize();
    session.FListGeometry = stored.value(QLatin1String(kListGeometry)).toByteArray();
    session.FListFilters = stored.value(QLatin1String(kListFilters)).toMap();
    session.FCatalogue = stored.value(QLatin1String(kCatalogue)).toString();
    session.FEntry = Count(stored, kEntry);
    for (const QString& path : stored.value(QLatin1String(kRecent)).toStringList()) {
        if (!path.isEmpty() && !session.FRecent.contains(path) && session.FRecent.size() < TToolDiscMain::kRecentCount)
            session.FRecent << path;
    }
    return session;
}

TSession TSession::Capture(const TToolDiscMain& window, const TWideInfoForm& detail)
{
    TSession session;
    session.FWindowGeometry = window.saveGeometry();
    session.FSplitter = window.SplitterPosition();
    session.FDetailGeometry = detail.saveGeometry();
    session.FReviewHeight = detail.ReviewHeight();
    session.FInstallHeight = detail.InstallHeight();
    session.FResultsSize = window.SearchCommand().ResultsDialog().size();
    session.FListGeometry = window.ComponentCommands().ListGeometry();
    session.FListFilters = window.ComponentCommands().ListFilters();
    session.FCatalogue = SamePath(window.Catalogue());
    session.FEntry = window.Outline().SelectedEntry();
    session.FRecent = window.RecentCatalogues();
    return session;
}

bool TSession::Save(const QString& file) const
{
    QSettings stored(file, QSettings::IniFormat);
    stored.clear();
    stored.setValue(QLatin1String(kWindowGeometry), FWindowGeometry);
    stored.setValue(QLatin1String(kSplitter), FSplitter);
    stored.setValue(QLatin1String(kDetailGeometry), FDetailGeometry);
    stored.setValue(QLatin1String(kReviewHeight), FReviewHeight);
    stored.setValue(QLatin1String(kInstallHeight), FInstallHeight);
    stored.setValue(QLatin1String(kResultsSize), FResultsSize);
    stored.setValue(QLatin1String(kListGeometry), FListGeometry);
    stored.setValue(QLatin1String(kListFilters), FListFilters);
    stored.setValue(QLatin1String(kCatalogue), FCatalogue);
    stored.setValue(QLatin1String(kEntry), FEntry);
    stored.setValue(QLatin1String(kRecent), FRecent);
    stored.sync();
    return stored.status() == QSettings::NoError;
}

QString TSession::StartCatalogue(const QString& given) const
{
    if (!given.isEmpty())
        return given;
    // A stick taken out or an image moved since: the program's own catalogue, without a word.
    if (FCatalogue.isEmpty() || !LocateCatalogue(FCatalogue.toStdString()).LookedFor.empty())
        return QString();
    return FCatalogue;
}

void TSession::Restore(TToolDiscMain& window, TWideInfoForm& detail) const
{
    // restoreGeometry checks what it reads and brings a window back onto a screen that exists.
    if (!FWindowGeometry.isEmpty())
        window.restoreGeometry(FWindowGeometry);
    if (FSplitter >= 0) {
        // The splitter's bounds follow the client area, which the window's layout sets only
        // when it is shown.
        if (window.layout())
            window.layout()->activate();
        window.SetSplitterPosition(FSplitter);
    }
    if (!FDetailGeometry.isEmpty())
        detail.restoreGeometry(FDetailGeometry);
    if (FReviewHeight >= 0 && FInstallHeight >= 0)
        detail.SetMemoHeights(FReviewHeight, FInstallHeight);
    // Never below the designed size, never beyond the screen.
    if (FResultsSize.isValid()) {
        TSearchfounddlg& results = window.SearchCommand().ResultsDialog();
        QSize size = FResultsSize.expandedTo(results.minimumSize());
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            size = size.boundedTo(WindowRoom(screen->availableGeometry())).expandedTo(results.minimumSize());
        results.resize(size);
    }
    window.ComponentCommands().RestoreList(FListGeometry, FListFilters);
    // The catalogue this start opened stays the newest of the recent ones.
    QStringList recent = window.RecentCatalogues();
    for (const QString& path : FRecent) {
        if (!recent.contains(path))
            recent << path;
    }
    window.SetRecentCatalogues(recent);
    if (FEntry >= 0 && !FCatalogue.isEmpty() && SamePath(window.Catalogue()) == FCatalogue &&
        window.Outline().SelectedEntry() >= 0) {
        try {
            window.Outline().SelectEntry(FEntry);
        } catch (const std::exception&) {
            // The disc was remastered since: its start selection stays.
        }
    }
}

}  // namespace lumarc
