// The search dialog, the results dialog and the search thread, run for real on a main window
// opened on a generated catalogue.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPoint>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include <filesystem>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/RecordRef.h"
#include "catalogue/TreeViewData.h"
#include "install/core/InstallStore.h"
#include "install/core/Library.h"
#include "controls/MicaTextView.h"
#include "search/HitList.h"
#include "search/SearchDlg.h"
#include "search/SearchFoundDlg.h"
#include "search/SearchThread.h"
#include "search/core/CatalogueSearch.h"
#include "shell/FindBar.h"
#include "shell/SearchCommand.h"
#include "shell/TermMarks.h"
#include "shell/ToolDiscMainTestSupport.h"

namespace lumarc {
namespace {

using test::Part;
using test::ProcessUntil;

// The build's generated catalogue: large enough that a search runs for many report intervals.
constexpr int kEntries = 10000;

class SearchDialogs : public test::TMainWindowTest {
protected:
    // A whole search then takes about a second, so that these tests can watch it run and stop
    // it midway even when the machine is busy and the window's thread gets little time.
    void SetUp() override
    {
        test::TMainWindowTest::SetUp();
        TSearchThread::SetEntryPause(std::chrono::microseconds(50));
    }
    void TearDown() override
    {
        test::TMainWindowTest::TearDown();
        TSearchThread::SetEntryPause(std::chrono::microseconds(0));
    }

    TToolDiscMain& OpenGenerated() { return Open(LUMARC_LARGE_CATALOGUE); }
    // For a test that damages the data file.
    TToolDiscMain& OpenCopy()
    {
        std::filesystem::copy(LUMARC_LARGE_CATALOGUE, Dir.Path(), std::filesystem::copy_options::recursive);
        return Open(Dir.Path());
    }
    TSearchfounddlg& Results() { return Window->SearchCommand().ResultsDialog(); }
    TSearchdlg& Query() { return Window->SearchCommand().SearchDialog(); }

    // Answers the next showing of the modal search dialog.
    void AnswerQuery(const QString& text, bool caseSensitive = false, bool ok = true)
    {
        QTimer::singleShot(0, &Query(), [this, text, caseSensitive, ok] {
            Query().SearchEdit->setText(text);
            Query().CaseSensiBox->setChecked(caseSensitive);
            (ok ? Query().OKBtn : Query().CancelBtn)->click();
        });
    }

    // Runs the event loop until the running search has ended (up to 20 seconds).
    bool WaitForEnd()
    {
        QElapsedTimer timer;
        timer.start();
        while (Results().SearchThread() && timer.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return !Results().SearchThread();
    }

    // The hits the engine finds, for comparison.
    std::vector<std::pair<int, QString>> EngineHits(const std::string& query, bool caseSensitive = false)
    {
        TCatalogueSearch search(Part<TBrowzerOutline>(*Window, "OverviewOL")->TreeData(),
                                Window->BrowzerContainer().DataFileName, query, caseSensitive);
        std::vector<std::pair<int, QString>> hits;
        std::string text;
        for (int i = 0; i < search.Count(); ++i)
            if (search.SearchEntry(i, text))
                hits.emplace_back(i, QString::fromStdString(text));
        return hits;
    }
    std::vector<std::pair<int, QString>> ListedHits()
    {
        std::vector<std::pair<int, QString>> hits;
        for (int row = 0; row < Results().SrchOutputListBox->count(); ++row)
            hits.emplace_back(Results().EntryOf(row), Results().SrchOutputListBox->item(row)->text());
        return hits;
    }
};

TEST_F(SearchDialogs, SearchDialogKeepsQueryAndCaseAfterOk)
{
    OpenGenerated();
    TSearchdlg& dlg = Query();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Volltextsuche"));
    EXPECT_EQ(dlg.Label1->text(), QStringLiteral("Such&begriff:"));
    EXPECT_EQ(dlg.SHintLabel1->text(), QStringLiteral("\" + \" = And-Suche"));
    EXPECT_EQ(dlg.SHintLabel2->text(), QStringLiteral("\" - \" = Or-Suche"));
    EXPECT_EQ(dlg.CaseSensiBox->text(), QStringLiteral("Groß/&Kleinschreibung beachten"));
    EXPECT_EQ(dlg.size(), QSize(317, 192));

    AnswerQuery(QStringLiteral("Delphi + Bericht"), true);
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.SearchText, QStringLiteral("Delphi + Bericht"));
    EXPECT_TRUE(dlg.CaseSensitive);

    // Shown again, the last query is all selected; Cancel takes nothing over.
    QTimer::singleShot(0, &dlg, [&dlg] {
        EXPECT_EQ(dlg.SearchEdit->selectedText(), QStringLiteral("Delphi + Bericht"));
        dlg.SearchEdit->setText(QStringLiteral("anders"));
        dlg.CancelBtn->click();
    });
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.SearchText, QStringLiteral("Delphi + Bericht"));
}

TEST_F(SearchDialogs, HitsAppearWhileTheSearchRunsAndEndExact)
{
    OpenGenerated();
    TSearchfounddlg& results = Results();
    EXPECT_EQ(results.windowTitle(), QStringLiteral("Volltextsuche..."));
    AnswerQuery(QStringLiteral("zip + c0001"));
    Window->SearchCommand().SBSearchClick();
    EXPECT_TRUE(results.isVisible());
    EXPECT_EQ(results.windowTitle(), QStringLiteral("VollTextSuche nach \"zip + c0001\" ..."));
    EXPECT_EQ(results.Foundplaces->text(), QStringLiteral("0"));
    EXPECT_FALSE(results.OKBtn->isEnabled());
    ASSERT_NE(results.SearchThread(), nullptr);

    // Entries 1000.. are the first hits: until then OK stays off and nothing is listed.
    ASSERT_TRUE(ProcessUntil([&] { return results.SrchOutputListBox->count() > 0; }));
    EXPECT_NE(results.SearchThread(), nullptr) << "the first hits should arrive while the search runs";
    EXPECT_TRUE(results.OKBtn->isEnabled());
    EXPECT_EQ(results.SrchOutputListBox->currentRow(), 0);
    EXPECT_TRUE(results.windowTitle().endsWith(QStringLiteral(" ...")));

    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(results.windowTitle(), QStringLiteral("VollTextSuche nach \"zip + c0001\" - Fertig"));
    const auto expected = EngineHits("zip + c0001");
    EXPECT_EQ(ListedHits(), expected);
    EXPECT_EQ(results.Foundplaces->text(), QString::number(expected.size()));
    EXPECT_EQ(results.Searchedplaces->text(), QString::number(kEntries - 1));
    EXPECT_EQ(results.SrchOutputListBox->currentRow(), 0);
}

TEST_F(SearchDialogs, CancelHidesAndTheSearchGoesOnToItsEnd)
{
    OpenGenerated();
    TSearchfounddlg& results = Results();
    results.StartSearch(QStringLiteral("Datenbank"), false);
    results.CancelBtn->click();
    EXPECT_FALSE(results.isVisible());
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(results.windowTitle().endsWith(QStringLiteral(" - Fertig")));
    EXPECT_EQ(results.SrchOutputListBox->count(), static_cast<int>(EngineHits("Datenbank").size()));

    // While the list holds hits the search command only shows them again.
    bool asked = false;
    QTimer::singleShot(0, &Query(), [&] {
        asked = Query().isVisible();
        Query().reject();
    });
    Window->SearchCommand().SBSearchClick();
    QCoreApplication::processEvents();
    EXPECT_FALSE(asked);
    EXPECT_TRUE(results.isVisible());
}

TEST_F(SearchDialogs, AnotherCatalogueOpenedMidSearchStopsItAndKeepsNoOldHit)
{
    OpenGenerated();
    test::WriteCatalogue(Dir / "klein/Data");
    TSearchfounddlg& results = Results();
    results.StartSearch(QStringLiteral("Datenbank"), false);
    ASSERT_TRUE(ProcessUntil([&] { return results.SrchOutputListBox->count() > 0; }));
    ASSERT_NE(results.SearchThread(), nullptr);
    ASSERT_TRUE(Window->OpenAnotherCatalogue(QString::fromStdString(Dir / "klein")));
    EXPECT_EQ(results.SearchThread(), nullptr);
    EXPECT_FALSE(results.isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(results.SrchOutputListBox->count(), 0);

    // The next search asks anew and runs on the new catalogue.
    AnswerQuery(QStringLiteral("Scheibe"));
    Window->SearchCommand().SBSearchClick();
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(results.SrchOutputListBox->count(), 1);
    EXPECT_EQ(results.EntryOf(0), Entry("Willkommen"));
}

// A library of three: the catalogue shown, one whose data file was cut short after it was
// added, and the generated one. The hits come grouped in that order, the damaged one is named,
// and a hit of the generated catalogue opens it with the hit shown.
TEST_F(SearchDialogs, TheWholeLibraryIsSearchedInItsOrderAndAHitElsewhereOpensItsCatalogue)
{
    test::TScopedEnv dataHome("XDG_DATA_HOME", Config / "data");
    test::WriteCatalogue(Dir / "klein/Data");
    std::string other = test::kMainScript;
    other.replace(other.find("Scheibe"), 7, "Platte");
    test::WriteCatalogue(Dir / "kaputt/Data", other.c_str());
    {
        TInstallStore store;
        TLibrary library(store);
        for (const std::string& place : {Dir / "klein", Dir / "kaputt", std::string(LUMARC_LARGE_CATALOGUE)})
            ASSERT_TRUE(library.Add(place)) << place;
    }
    std::filesystem::resize_file(Dir / "kaputt/Data/Lumarc32.dat", 10);
    Open(Dir / "klein");
    const std::string query = "Datenbank - Willkommen";
    QTimer::singleShot(0, &Query(), [this, &query] {
        Query().SearchEdit->setText(QString::fromStdString(query));
        Query().LibraryBox->setChecked(true);
        Query().OKBtn->click();
    });
    Window->SearchCommand().SBSearchClick();
    ASSERT_TRUE(WaitForEnd());

    // What the engine finds in each, read on its own.
    const auto engineHits = [&query](const std::string& dir) {
        TBrowzerContainer container;
        container.DataFileName = dir + "/Data/Lumarc32.dat";
        container.IndexFileName = dir + "/Data/Lumarc32.idx";
        container.SetActive(true);
        TTreeViewData tree;
        container.LoadOutline(tree);
        TCatalogueSearch search(tree, container.DataFileName, query, false);
        std::vector<std::pair<int, int>> hits;
        std::string text;
        for (int i = 0; i < search.Count(); ++i)
            if (search.SearchEntry(i, text))
                hits.emplace_back(0, i);
        return hits;
    };
    std::vector<std::pair<int, int>> expected;
    for (auto [source, entry] : engineHits(Dir / "klein"))
        expected.emplace_back(0, entry);
    expected.emplace_back(1, -1);
    for (auto [source, entry] : engineHits(LUMARC_LARGE_CATALOGUE))
        expected.emplace_back(2, entry);
    std::vector<std::pair<int, int>> listed;
    int firstLarge = -1;
    for (int row = 0; row < Results().SrchOutputListBox->count(); ++row) {
        const TSearchHit* hit = Results().SrchOutputListBox->Hit(row);
        listed.emplace_back(hit->Source, hit->Entry);
        if (hit->Source == 2 && firstLarge < 0)
            firstLarge = row;
    }
    ASSERT_EQ(listed, expected);
    EXPECT_TRUE(Results().SrchOutputListBox->Hit(1)->Text.startsWith("nicht durchsucht"));
    // The two small discs have one title and no label; the list tells them apart.
    EXPECT_NE(Results().SrchOutputListBox->SourceName(0), Results().SrchOutputListBox->SourceName(1));

    Results().SrchOutputListBox->setCurrentRow(firstLarge + 3);
    Results().OKBtn->click();
    EXPECT_EQ(Window->Catalogue(), QString::fromStdString(LUMARC_LARGE_CATALOGUE));
    EXPECT_EQ(Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectedEntry(), expected[static_cast<size_t>(firstLarge + 3)].second);
    // The list stays with every catalogue's hits; one of the catalogue shown opens in place.
    EXPECT_EQ(Results().SrchOutputListBox->count(), static_cast<int>(expected.size()));
    Results().SrchOutputListBox->setCurrentRow(firstLarge + 4);
    Results().OKBtn->click();
    EXPECT_EQ(Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectedEntry(), expected[static_cast<size_t>(firstLarge + 4)].second);
}

TEST_F(SearchDialogs, NewSearchStopsTheOldOneAndNoOldHitArrivesAfterwards)
{
    OpenGenerated();
    TSearchfounddlg& results = Results();
    results.StartSearch(QStringLiteral("zip"), false);
    ASSERT_TRUE(ProcessUntil([&] { return results.SrchOutputListBox->count() > 0; }));
    // The query dialog's own event loop may see the old thread end and go.
    QPointer<TSearchThread> old = results.SearchThread();
    ASSERT_FALSE(old.isNull());
    const uint64_t oldSerial = old->Serial();

    AnswerQuery(QStringLiteral("gibtesnicht"));
    results.NewSearchBtn->click();
    EXPECT_EQ(results.SrchOutputListBox->count(), 0);
    EXPECT_FALSE(results.OKBtn->isEnabled());
    EXPECT_TRUE(old.isNull() || old->Terminated());
    ASSERT_TRUE(WaitForEnd());
    // Let anything the old thread may still have sent arrive.
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(results.SrchOutputListBox->count(), 0);
    EXPECT_EQ(results.Foundplaces->text(), QStringLiteral("0"));
    EXPECT_EQ(results.windowTitle(), QStringLiteral("VollTextSuche nach \"gibtesnicht\" - Fertig"));

    // However late a report of the old search comes, it is dropped.
    TSearchProgress late;
    late.Searched = 7;
    late.Hits.emplace_back(7, QStringLiteral("alt"));
    results.AddProgress(oldSerial, late);
    results.EndSearch(oldSerial, "");
    EXPECT_EQ(results.SrchOutputListBox->count(), 0);
    EXPECT_EQ(results.windowTitle(), QStringLiteral("VollTextSuche nach \"gibtesnicht\" - Fertig"));
}

TEST_F(SearchDialogs, ASecondSearchFromTheMainWindowStopsTheFirst)
{
    OpenGenerated();
    TSearchfounddlg& results = Results();
    // Hits only near the end: the list stays empty, so the command asks for a new query.
    results.StartSearch(QStringLiteral("c0009991"), false);
    QPointer<TSearchThread> first = results.SearchThread();
    ASSERT_FALSE(first.isNull());
    AnswerQuery(QStringLiteral("c0000001"));
    Window->SearchCommand().SBSearchClick();
    EXPECT_TRUE(first.isNull() || first->Terminated());
    ASSERT_TRUE(WaitForEnd());
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(ListedHits(), EngineHits("c0000001"));
}

TEST_F(SearchDialogs, OkAndDoubleClickShowTheHitAtOnce)
{
    OpenGenerated();
    TSearchfounddlg& results = Results();
    std::vector<int> shown;
    QObject::connect(Window.get(), &TToolDiscMain::EntryShown, Window.get(),
                     [&](int entry) { shown.push_back(entry); });
    results.StartSearch(QStringLiteral("c0009997 - c0000100"), false);
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(ListedHits().size(), 2u);
    shown.clear();
    results.OKBtn->click();
    EXPECT_FALSE(results.isVisible());
    EXPECT_EQ(Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectedEntry(), 100);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), 100);

    results.show();
    shown.clear();
    results.SrchOutputListBox->setCurrentRow(1);
    results.SrchOutputListBoxDblClick();
    EXPECT_FALSE(results.isVisible());
    EXPECT_EQ(Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectedEntry(), 9997);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), 9997);
}

TEST_F(SearchDialogs, AnErrorKeepsTheHitsAndSaysTheSearchEndedEarly)
{
    OpenCopy();
    const int32_t ref = Part<TBrowzerOutline>(*Window, "OverviewOL")->TreeData().Texts.Objects(5000);
    std::filesystem::resize_file(Dir / "Data/Lumarc32.dat", static_cast<uintmax_t>(RecordOffsetOf(ref)) + 10);
    TSearchfounddlg& results = Results();
    results.StartSearch(QStringLiteral("zip"), false);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(results.windowTitle(),
              QStringLiteral("VollTextSuche nach \"zip\" - vorzeitig beendet: Stream read error"));
    // Every short text and component before entry 5000 names a .ZIP file.
    EXPECT_EQ(results.SrchOutputListBox->count(), 5000 * 2 / 3);
    EXPECT_EQ(results.Searchedplaces->text(), QStringLiteral("4999"));
    EXPECT_TRUE(results.OKBtn->isEnabled());
    // A long query gives up its middle, never the title's end.
    results.StartSearch(QStringLiteral("Komponenten + Datenbanken - Tabellen - Gitter + Freeware"), false);
    ASSERT_TRUE(WaitForEnd());
    const QString title = results.windowTitle();
    EXPECT_TRUE(title.startsWith(QStringLiteral("VollTextSuche nach \"Kompo"))) << title.toStdString();
    EXPECT_TRUE(title.contains(QStringLiteral("…"))) << title.toStdString();
    EXPECT_TRUE(title.endsWith(QStringLiteral("ware\" - vorzeitig beendet: Stream read error"))) << title.toStdString();
}

TEST_F(SearchDialogs, ResultsDialogLayout)
{
    OpenGenerated();
    TSearchfounddlg& results = Results();
    EXPECT_EQ(results.size(), QSize(382, 309));
    EXPECT_EQ(results.Label1->text(), QStringLiteral("durchsucht:"));
    EXPECT_EQ(results.Label2->text(), QStringLiteral("Fundstellen:"));
    EXPECT_EQ(results.NewSearchBtn->text(), QStringLiteral("Neue &Suche"));
    EXPECT_EQ(results.OKBtn->text(), QStringLiteral("OK"));
    EXPECT_EQ(results.SrchOutputListBox->geometry(), QRect(20, 52, 335, 205));
    EXPECT_FALSE(results.OKBtn->isEnabled());
    // Nothing to open while the list is empty.
    results.show();
    results.OKBtnClick();
    EXPECT_TRUE(results.isVisible());
}

// Beside each hit, the line that matched as its page shows it: decoded from its code page,
// without an info text's font tag, trimmed, and with every place of a term marked.
TEST_F(SearchDialogs, EachHitShowsItsMatchedLineWithTheTermsMarked)
{
    test::WriteCatalogue(Dir / "Data",
                         "OUTLINE [Gliederung] 01.05.96 {\n"
                         "Willkommen [Info]\n"
                         "Kalender [Kalender]\n"
                         "}\n"
                         "INFOTEXT [Info] 24.12.95 {\n"
                         "<F1>Überschrift\n"
                         "<F0>   Ein Gitter für gitterlose Tabellen   \n"
                         "}\n"
                         "SHORTTEXT [Kalender] 10.06.96 {\n"
                         "D:\\COMPS\\KALENDER.TXT\n"
                         "│ frei wählbarem Gitter │\n"
                         "}\n");
    Open(Dir.Path());
    TSearchfounddlg& results = Results();
    TSearchThread::SetEntryPause(std::chrono::microseconds(0));
    results.StartSearch(QStringLiteral("gitter"), false);
    ASSERT_TRUE(WaitForEnd());
    THitList& list = *results.SrchOutputListBox;
    ASSERT_EQ(list.count(), 2);
    const auto marked = [&](int row) {
        const QString line = list.Hit(row)->Line;
        QStringList parts;
        for (const auto& [start, length] : list.Hit(row)->Marks)
            parts << line.mid(start, length);
        return std::make_pair(line, parts);
    };
    EXPECT_EQ(marked(0), std::make_pair(QStringLiteral("Ein Gitter für gitterlose Tabellen"),
                                        QStringList{QStringLiteral("Gitter"), QStringLiteral("gitter")}));
    EXPECT_EQ(marked(1),
              std::make_pair(QStringLiteral("│ frei wählbarem Gitter │"), QStringList{QStringLiteral("Gitter")}));
    EXPECT_TRUE(list.EmptyText().isEmpty());

    // Nothing found is said in the list, and a new search takes it back.
    results.StartSearch(QStringLiteral("wählbarem + fehlt"), false);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.EmptyText(), QStringLiteral("Keine Fundstellen"));
    results.StartSearch(QStringLiteral("wählbarem"), false);
    EXPECT_TRUE(list.EmptyText().isEmpty());
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(marked(0).second, QStringList{QStringLiteral("wählbarem")});
}

// An opened hit shows where it was found: every place of the terms is marked in the views of
// its page, the first is in view, F3 steps on, and the next entry shown has no marks.
TEST_F(SearchDialogs, AnOpenedHitMarksItsTermsOnEveryKindOfPage)
{
    std::string script =
        "OUTLINE [Gliederung] 01.05.96 {\n"
        "Info [Info]\n"
        "Kurz [Kurz]\n"
        "Raster [Raster]\n"
        "Leer\n"
        "}\n"
        "INFOTEXT [Info] 24.12.95 {\n"
        "<F1>Gitter oben\n";
    for (int i = 0; i < 60; ++i)
        script += "Zeile " + std::to_string(i) + "\n";
    script +=
        "unten ein GITTER und noch ein gitter\n"
        "}\n"
        "SHORTTEXT [Kurz] 10.06.96 {\n"
        "D:\\COMPS\\KURZ.ZIP\n"
        "┌ Gitter für Größe ┐\n"
        "}\n"
        "COMPONENT [Raster] {\n"
        "[LongName]\n"
        "Raster\n"
        "[Copyright]\n"
        "(c) Gitterwerk\n"
        "[ShortInfo]\n"
        "Ein Gitter & mehr\n"
        "}\n";
    test::WriteCatalogue(Dir / "Data", script.c_str());
    TToolDiscMain& w = Open(Dir.Path());
    ASSERT_TRUE(Activate());
    TSearchThread::SetEntryPause(std::chrono::microseconds(0));
    TSearchfounddlg& results = Results();
    TTermMarks& marks = w.TermMarks();
    const auto open = [&](int row) {
        results.SrchOutputListBox->setCurrentRow(row);
        results.OKBtnClick();
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        // The window manager gives the window back its activation when the dialog goes.
        ASSERT_TRUE(Activate());
    };
    results.StartSearch(QStringLiteral("gitter"), false);
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(results.SrchOutputListBox->count(), 3);

    // Info text: three places on two rows, the first current; F3 brings the far row into view.
    open(0);
    ASSERT_EQ(w.PageKind(), TToolDiscMain::pkInfoText);
    using TMark = TMicaTextView::TMark;
    EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->Marks(), (std::vector<TMark>{{0, 0, 6}, {61, 10, 6}, {61, 30, 6}}));
    EXPECT_EQ(marks.Current(), 0);
    EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->TopRow(), 0);
    QTest::keyClick(&w, Qt::Key_F3);
    EXPECT_EQ(marks.Current(), 1);
    EXPECT_GT(Part<TMicaTextView>(w, "TextView")->TopRow(), 0);
    QTest::keyClick(&w, Qt::Key_F3, Qt::ShiftModifier);
    QTest::keyClick(&w, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(marks.Current(), 2);  // round to the last

    // Short text: the memo marks what it shows.
    open(1);
    ASSERT_EQ(w.PageKind(), TToolDiscMain::pkShortText);
    EXPECT_TRUE(Part<TMicaTextView>(w, "TextView")->Marks().empty());
    const QList<QTextEdit::ExtraSelection> memo = Part<QPlainTextEdit>(w, "ShortMemo")->extraSelections();
    ASSERT_EQ(memo.size(), 1);
    EXPECT_EQ(memo[0].cursor.selectedText(), QStringLiteral("Gitter"));

    // Component: the field and the page's text view.
    open(2);
    ASSERT_EQ(w.PageKind(), TToolDiscMain::pkComponent);
    EXPECT_TRUE(Part<QPlainTextEdit>(w, "ShortMemo")->extraSelections().isEmpty());
    ASSERT_EQ(marks.Count(), 2);
    ASSERT_EQ(Part<TMicaTextView>(w, "StuffView")->Marks().size(), 1u);
    const TMark shown = Part<TMicaTextView>(w, "StuffView")->Marks()[0];
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->ShownText(shown.Row).mid(shown.Start, shown.Length),
              QStringLiteral("Gitter"));
    // The field's mark is painted over it.
    const QImage field = Part<QLineEdit>(w, "CompoCopyright")->grab().toImage();
    bool marked = false;
    for (int y = 0; y < field.height() && !marked; ++y)
        for (int x = 0; x < field.width() && !marked; ++x) {
            const QColor c = field.pixelColor(x, y);
            marked = c.red() > 200 && c.blue() < 170 && c.green() > 120;
        }
    EXPECT_TRUE(marked);

    // The next entry shown carries none.
    Part<TBrowzerOutline>(w, "OverviewOL")
        ->SelectEntry(Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectedEntry() + 1);
    ASSERT_TRUE(ProcessUntil([&] { return marks.Count() == 0; }));
    EXPECT_TRUE(Part<TMicaTextView>(w, "StuffView")->Marks().empty());
}

// Ctrl+F finds in the shown page: typing marks, Return steps on, the case box counts, the page
// gives the bar its room, and Escape closes the bar with its marks.
TEST_F(SearchDialogs, TheFindBarFindsInTheShownPage)
{
    test::WriteCatalogue(Dir / "Data",
                         "OUTLINE [Gliederung] 01.05.96 {\n"
                         "Info [Info]\n"
                         "Kurz [Kurz]\n"
                         "}\n"
                         "INFOTEXT [Info] 24.12.95 {\n"
                         "<F1>Tabelle und tabelle\n"
                         "noch eine Tabelle\n"
                         "}\n"
                         "SHORTTEXT [Kurz] 10.06.96 {\n"
                         "D:\\COMPS\\KURZ.ZIP\n"
                         "Tabelle │ Größe\n"
                         "}\n");
    TToolDiscMain& w = Open(Dir.Path());
    ASSERT_TRUE(Activate());
    TFindBar& bar = w.FindBar();
    TTermMarks& marks = w.TermMarks();
    const int pageHeight = Part<QStackedWidget>(w, "BrowzerNoteBook")->height();
    Part<TBrowzerOutline>(w, "OverviewOL")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(bar.isVisible());
    EXPECT_TRUE(bar.FindEdit->hasFocus());
    EXPECT_LT(Part<QStackedWidget>(w, "BrowzerNoteBook")->height(), pageHeight);
    EXPECT_LE(Part<QStackedWidget>(w, "BrowzerNoteBook")->geometry().bottom(), bar.geometry().top());

    QTest::keyClicks(bar.FindEdit, QStringLiteral("tabelle"));
    EXPECT_EQ(marks.Count(), 3);
    EXPECT_EQ(marks.Current(), 0);
    QTest::keyClick(bar.FindEdit, Qt::Key_Return);
    EXPECT_EQ(marks.Current(), 1);
    bar.FindCaseBox->setChecked(true);
    EXPECT_EQ(marks.Count(), 1);
    bar.FindCaseBox->setChecked(false);

    // Another page: F3 finds the field's text there.
    Part<TBrowzerOutline>(w, "OverviewOL")->SelectEntry(1);
    ASSERT_TRUE(ProcessUntil([&] { return w.PageKind() == TToolDiscMain::pkShortText; }));
    EXPECT_EQ(marks.Count(), 0);
    QTest::keyClick(bar.FindEdit, Qt::Key_F3);
    EXPECT_EQ(marks.Count(), 1);
    QTest::keyClicks(bar.FindEdit, QStringLiteral("x"));
    EXPECT_EQ(marks.Count(), 0);

    QTest::keyClick(bar.FindEdit, Qt::Key_Escape);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_FALSE(marks.Active());
    EXPECT_TRUE(Part<QPlainTextEdit>(w, "ShortMemo")->extraSelections().isEmpty());
    EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->height(), pageHeight);
}

// The designed size is the smallest; a larger dialog gives the list the room.
TEST_F(SearchDialogs, TheResultsDialogGrowsWithItsList)
{
    OpenGenerated();
    TSearchfounddlg& results = Results();
    results.show();
    results.resize(200, 200);
    EXPECT_EQ(results.size(), QSize(382, 309));
    results.resize(700, 500);
    const QRect list = results.SrchOutputListBox->geometry();
    EXPECT_EQ(list.size(), QSize(335 + 318, 205 + 191));
    for (QWidget* button : {static_cast<QWidget*>(results.NewSearchBtn), static_cast<QWidget*>(results.OKBtn),
                            static_cast<QWidget*>(results.CancelBtn)}) {
        EXPECT_TRUE(results.rect().contains(button->geometry()));
        EXPECT_GT(button->y(), list.bottom());
    }
    EXPECT_EQ(results.CancelBtn->geometry().right(), 700 - 16);
}

TEST_F(SearchDialogs, ANewEmptyQueryStopsTheSearchAndEmptiesTheList)
{
    OpenGenerated();
    TSearchfounddlg& results = Results();
    results.StartSearch(QStringLiteral("zip"), false);
    ASSERT_TRUE(ProcessUntil([&] { return results.SrchOutputListBox->count() > 0; }));
    AnswerQuery(QString());
    results.NewSearchBtn->click();
    EXPECT_EQ(results.SearchThread(), nullptr);
    EXPECT_EQ(results.SrchOutputListBox->count(), 0);
    EXPECT_FALSE(results.OKBtn->isEnabled());
    // No count or title of the old search stays.
    EXPECT_EQ(results.windowTitle(), QStringLiteral("Volltextsuche..."));
    EXPECT_TRUE(results.Foundplaces->text().isEmpty());
    EXPECT_TRUE(results.Searchedplaces->text().isEmpty());
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(results.SrchOutputListBox->count(), 0);
}

TEST_F(SearchDialogs, ACharacterTheCatalogueCannotHoldIsNeverFound)
{
    OpenGenerated();
    TSearchfounddlg& results = Results();
    results.StartSearch(QStringLiteral("c0000001 + \u6F22 - c0000002?"), false);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(results.SrchOutputListBox->count(), 0);
    results.StartSearch(QStringLiteral("\u6F22 - c0000002"), false);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(ListedHits(), EngineHits("c0000002"));
}

TEST_F(SearchDialogs, EmptyQueryStartsNothing)
{
    OpenGenerated();
    TSearchfounddlg& results = Results();
    AnswerQuery(QString());
    Window->SearchCommand().SBSearchClick();
    EXPECT_EQ(results.SearchThread(), nullptr);
    EXPECT_FALSE(results.isVisible());
    EXPECT_EQ(results.windowTitle(), QStringLiteral("Volltextsuche..."));
}

TEST_F(SearchDialogs, ClosingTheMainWindowDuringASearchStopsAndJoinsIt)
{
    OpenGenerated();
    Results().StartSearch(QStringLiteral("e"), false);
    ASSERT_TRUE(ProcessUntil([&] { return Results().SrchOutputListBox->count() > 0; }));
    ASSERT_NE(Results().SearchThread(), nullptr);
    Window->close();
    Window.reset();
    // Reports already on their way find no dialog; nothing may crash.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace
}  // namespace lumarc
