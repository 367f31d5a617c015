#include "SearchFoundDlg.h"

#include <QApplication>

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>

#include "HitList.h"
#include "SearchDlg.h"
#include "SearchThread.h"
#include "catalogue/BrowzerContainer.h"
#include "controls/BrowzerOutline.h"
#include "platform/CodePage.h"
#include "search/core/QueryParser.h"
#include "widgets/AnsiText.h"
#include "widgets/DesignLook.h"

namespace lumarc {

namespace {

const char* const kFreshTitle = "Volltextsuche...";

// A caption from `left` up to just before its counter, its text against the right edge.
QLabel* MakeCaption(QWidget* parent, const char* name, const QString& caption, int left, int top, int right)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(left, top, right - left, label->sizeHint().height());
    return label;
}

QLabel* MakeCounter(QWidget* parent, const char* name, int left, int top)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(left, top, 60, label->fontMetrics().height());
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QIcon& icon, const QString& caption, int left, int top,
                        int width, int height)
{
    auto* button = new QPushButton(icon, caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, height);
    return button;
}

// The query in the catalogue's code page. A character that CP1252 cannot hold cannot be in
// the catalogue: it becomes a line end, which no line holds, so its term is never found
// (instead of, say, a "?" that would find question marks).
std::string QueryBytes(const QString& searchText)
{
    std::string query;
    if (Utf8ToCp1252(searchText.toStdString(), query))
        return query;
    query.clear();
    for (const char32_t c : searchText.toUcs4()) {
        std::string one;
        query += Utf8ToCp1252(QString::fromUcs4(&c, 1).toStdString(), one) ? one : std::string("\n");
    }
    return query;
}

}  // namespace

TSearchfounddlg::TSearchfounddlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Searchfounddlg"));
    setWindowTitle(QString::fromLatin1(kFreshTitle));
    setFont(SansSerifFont(true));
    setMinimumSize(kDesignWidth, kDesignHeight);
    resize(kDesignWidth, kDesignHeight);
    move(84, 64);

    Label1 = MakeCaption(this, "Label1", QStringLiteral("durchsucht:"), 12, 12, 100);
    Searchedplaces = MakeCounter(this, "Searchedplaces", 105, 12);
    Label2 = MakeCaption(this, "Label2", QStringLiteral("Fundstellen:"), 207, 12, 300);
    Foundplaces = MakeCounter(this, "Foundplaces", 306, 12);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(12, 40, 357, 225);

    SrchOutputListBox = new THitList(this);
    SrchOutputListBox->setObjectName(QStringLiteral("SrchOutputListBox"));
    // Read as the count above it is captioned, so that a screen reader names the list it enters.
    SrchOutputListBox->setAccessibleName(QStringLiteral("Fundstellen"));
    SrchOutputListBox->setGeometry(20, 52, 335, 205);
    // Every row 16 pixels high; uniform rows also keep long hit lists cheap to fill.
    SrchOutputListBox->setUniformItemSizes(true);
    // The view lays out every row again after each report; in batches, a list of hundreds of
    // thousands of hits (a search of the library) keeps the window answering while it grows.
    SrchOutputListBox->setLayoutMode(QListView::Batched);
    SrchOutputListBox->setBatchSize(5000);
    SrchOutputListBox->setStyleSheet(QStringLiteral("QListWidget::item { height: 16px; }"));
    connect(SrchOutputListBox, &QListWidget::itemDoubleClicked, this, &TSearchfounddlg::SrchOutputListBoxDblClick);

    NewSearchBtn = MakeButton(this, "NewSearchBtn", style()->standardIcon(QStyle::SP_FileDialogContentsView),
                              QStringLiteral("Neue &Suche"), 16, 274, 121, 29);
    OKBtn = MakeButton(this, "OKBtn", style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), 161, 274,
                       100, 29);
    OKBtn->setEnabled(false);
    OKBtn->setDefault(true);
    CancelBtn = MakeButton(this, "CancelBtn", style()->standardIcon(QStyle::SP_DialogCancelButton),
                           QStringLiteral("Abbrechen"), 267, 274, 100, 29);
    connect(NewSearchBtn, &QPushButton::clicked, this, &TSearchfounddlg::NewSearchBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TSearchfounddlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TSearchfounddlg::CancelBtnClick);
    setFocusProxy(SrchOutputListBox);
}

TSearchfounddlg::~TSearchfounddlg()
{
    StopAndJoinAll();
}

void TSearchfounddlg::SetCatalogue(TBrowzerOutline* outline, const TBrowzerContainer* container)
{
    FOutline = outline;
    FContainer = container;
}

QString TSearchfounddlg::Caption(const QString& state) const
{
    return QStringLiteral("VollTextSuche nach \"") + FSearchText + QStringLiteral("\" ") + state;
}

void TSearchfounddlg::ShowCaption(const QString& state)
{
    FCaptionState = state;
    // The window manager cuts a long title at its end, which loses the state ("- Fertig"):
    // the query gives up its middle instead. The title bar's buttons and icon take some room.
    // Title bars are mostly set in a bold face.
    constexpr int kTitleBarRoom = 130;
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const QString whole = Caption(state);
    const int room = width() - kTitleBarRoom;
    if (metrics.horizontalAdvance(whole) <= room) {
        setWindowTitle(whole);
        return;
    }
    // A short query stays whole: shortened, it would say nothing.
    const int least = metrics.horizontalAdvance(QStringLiteral("Datenbanken…"));
    const int fixed = metrics.horizontalAdvance(whole) - metrics.horizontalAdvance(FSearchText);
    const QString query = metrics.elidedText(FSearchText, Qt::ElideMiddle, std::max(room - fixed, least));
    setWindowTitle(QStringLiteral("VollTextSuche nach \"") + query + QStringLiteral("\" ") + state);
}

void TSearchfounddlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!FCaptionState.isNull())
        ShowCaption(FCaptionState);
    const int growX = width() - kDesignWidth;
    const int growY = height() - kDesignHeight;
    Bevel1->setGeometry(12, 40, 357 + growX, 225 + growY);
    SrchOutputListBox->setGeometry(20, 52, 335 + growX, 205 + growY);
    NewSearchBtn->move(16, 274 + growY);
    OKBtn->move(161 + growX, 274 + growY);
    CancelBtn->move(267 + growX, 274 + growY);
}

void TSearchfounddlg::ClearResults()
{
    SrchOutputListBox->ClearHits();
    FHitCount = 0;
    OKBtn->setEnabled(false);
}

void TSearchfounddlg::ShowFresh()
{
    ClearResults();
    Searchedplaces->clear();
    Foundplaces->clear();
    FCaptionState = QString();
    setWindowTitle(QString::fromLatin1(kFreshTitle));
}

void TSearchfounddlg::StartSearch(const QString& searchText, bool caseSensitive)
{
    StopSearch();
    ReleaseFinished();
    if (searchText.isEmpty() || !FOutline || !FContainer)
        return;
    const std::string query = QueryBytes(searchText);
    FSearchStarted = true;
    FSearchText = searchText;
    FCaseSensitive = caseSensitive;
    FShownSerial = ++FSerial;
    ShowCaption(QStringLiteral("..."));
    Foundplaces->setText(QStringLiteral("0"));
    ClearResults();
    FSources.clear();
    SrchOutputListBox->SetSourceNames({});
    FSearchThread = std::make_unique<TSearchThread>(query, FOutline->TreeData(), FContainer->DataFileName, this,
                                                    caseSensitive, FShownSerial);
    show();
    raise();
    // The keys go to the hits, not to the window behind, which the search dialog handed back.
    activateWindow();
    repaint();
}

void TSearchfounddlg::StartLibrarySearch(const QString& searchText, bool caseSensitive,
                                         std::vector<TSearchSource> sources)
{
    StopSearch();
    ReleaseFinished();
    if (searchText.isEmpty() || sources.empty())
        return;
    FSearchStarted = true;
    FSearchText = searchText;
    FCaseSensitive = caseSensitive;
    FShownSerial = ++FSerial;
    FSources = sources;
    // Three columns need more room than the designed size gives.
    if (width() < 2 * kDesignWidth)
        resize(2 * kDesignWidth, std::max(height(), kDesignHeight * 3 / 2));
    ShowCaption(QStringLiteral("in der Bibliothek ..."));
    Foundplaces->setText(QStringLiteral("0"));
    ClearResults();
    SrchOutputListBox->SetSourceNames([this] {
        QStringList names;
        for (const TSearchSource& source : FSources)
            names << source.Name;
        return names;
    }());
    FSearchThread =
        std::make_unique<TSearchThread>(QueryBytes(searchText), std::move(sources), this, caseSensitive, FShownSerial);
    show();
    raise();
    activateWindow();
    repaint();
}

void TSearchfounddlg::StopSearch()
{
    FShownSerial = 0;
    if (!FSearchThread)
        return;
    FSearchThread->Terminate();
    // What a stopped search still had to say is dropped, its end included: the caption says
    // here that it is over.
    ShowCaption(QStringLiteral("- Fertig"));
    // The thread ends before its next entry; it is joined once it has, not here, so that a
    // slow read never holds up the window.
    TSearchThread* stopped = FSearchThread.get();
    connect(stopped, &QThread::finished, this, &TSearchfounddlg::ReleaseFinished, Qt::QueuedConnection);
    FStopped.push_back(std::move(FSearchThread));
}

void TSearchfounddlg::ReleaseFinished()
{
    std::erase_if(FStopped, [](const std::unique_ptr<TSearchThread>& thread) { return thread->isFinished(); });
}

void TSearchfounddlg::StopAndJoinAll()
{
    StopSearch();
    for (auto& thread : FStopped)
        thread->Terminate();
    // Each thread's destructor waits for it.
    FStopped.clear();
}

void TSearchfounddlg::Reset()
{
    if (!FSources.empty())
        return;
    StopAndJoinAll();
    ShowFresh();
    FSearchStarted = false;
    hide();
}

QStringList TSearchfounddlg::Terms() const
{
    TStringList terms;
    ParseQuery(QueryBytes(FSearchText), FCaseSensitive, terms);
    QStringList decoded;
    for (const std::string& term : terms.Strings())
        decoded << FromAnsi(term);
    return decoded;
}

int TSearchfounddlg::EntryOf(int row) const
{
    const TSearchHit* hit = SrchOutputListBox->Hit(row);
    return hit ? hit->Entry : -1;
}

void TSearchfounddlg::AddProgress(uint64_t serial, const TSearchProgress& progress)
{
    if (serial != FShownSerial || serial == 0)
        return;
    if (!progress.Hits.empty()) {
        SrchOutputListBox->setUpdatesEnabled(false);
        SrchOutputListBox->AddHits(progress.Hits);
        SrchOutputListBox->setUpdatesEnabled(true);
        FHitCount += static_cast<int>(progress.Hits.size());
        Foundplaces->setText(QString::number(FHitCount));
        if (!OKBtn->isEnabled()) {
            OKBtn->setEnabled(true);
            SrchOutputListBox->setCurrentRow(0);
        }
    }
    if (progress.Searched >= 0)
        Searchedplaces->setText(QString::number(progress.Searched));
}

void TSearchfounddlg::EndSearch(uint64_t serial, const std::string& error)
{
    if (serial != FShownSerial || serial == 0 || !FSearchThread || FSearchThread->Serial() != serial)
        return;
    if (FHitCount == 0)
        SrchOutputListBox->SetEmptyText(QStringLiteral("Keine Fundstellen"));
    if (error.empty())
        ShowCaption(QStringLiteral("- Fertig"));
    else
        ShowCaption(QStringLiteral("- vorzeitig beendet: ") + QString::fromStdString(error));
    // The thread has nothing left to do but return; joining it is immediate.
    FSearchThread.reset();
}

void TSearchfounddlg::OKBtnClick()
{
    if (SrchOutputListBox->count() == 0 || !FOutline)
        return;
    const int row = std::max(0, SrchOutputListBox->currentRow());
    const TSearchHit* hit = SrchOutputListBox->Hit(row);
    // A catalogue that could not be searched has nothing to show.
    if (!hit || hit->Entry < 0)
        return;
    if (hit->Source >= 0 && static_cast<size_t>(hit->Source) < FSources.size()) {
        const std::string& place = FSources[static_cast<size_t>(hit->Source)].Place;
        if (!ShownPlace || ShownPlace() != place) {
            emit OpenOtherCatalogue(QString::fromStdString(place), hit->Entry);
            return;
        }
    }
    try {
        FOutline->SelectEntry(EntryOf(row));
    } catch (const std::exception&) {
        // An entry the outline cannot place (a damaged outline) is not shown.
        return;
    }
    hide();
    emit OutlineClick();
}

void TSearchfounddlg::SrchOutputListBoxDblClick()
{
    OKBtnClick();
}

void TSearchfounddlg::CancelBtnClick()
{
    hide();
}

void TSearchfounddlg::NewSearchBtnClick()
{
    if (!FSearchDialog || !FSearchDialog->Execute())
        return;
    if (FSearchStarted) {
        ClearResults();
        StopSearch();
    }
    // Nothing searched: nothing of the old search may stand, its counts and title included.
    if (FSearchDialog->SearchText.isEmpty())
        ShowFresh();
    if (FSearchDialog->WholeLibrary && StartLibrary && !FSearchDialog->SearchText.isEmpty())
        StartLibrary();
    else
        StartSearch(FSearchDialog->SearchText, FSearchDialog->CaseSensitive);
}

}  // namespace lumarc
