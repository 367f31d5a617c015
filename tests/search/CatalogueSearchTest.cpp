// The search over a catalogue on disk: what is read, what is listed, and what a damaged
// record does.

#include "search/core/CatalogueSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bench/SyntheticCatalogue.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/BufferedFileStream.h"
#include "catalogue/CatalogueBuilder.h"
#include "catalogue/LZWFilter.h"
#include "catalogue/OutlineLookup.h"
#include "catalogue/ParamScriptComponent.h"
#include "catalogue/RecordRef.h"
#include "catalogue/SearchableText.h"
#include "catalogue/TreeViewData.h"
#include "platform/CodePage.h"
#include "platform/TestFiles.h"

namespace lumarc {
namespace {

using test::TTempDir;

const char* const kScript =
    "OUTLINE [Gliederung] 01.05.96 {\n"
    "Willkommen [Willkommen]\n"
    "Komponenten\n"
    "  Raster [Raster]\n"
    "  Packer [Packer]\n"
    "  Liesmich [Liesmich]\n"
    "}\n"
    "INFOTEXT [Willkommen] 24.12.95 {\n"
    "<F1>Willkommen auf der Scheibe\n"
    "<F0>Datenbank und Raster\n"
    "}\n"
    "SHORTTEXT [Packer] 10.06.96 {\n"
    "D:\\COMPS\\packer.zip\n"
    "Packt Dateien in Datenbank\n"
    "}\n"
    "SHORTTEXT [Liesmich] 10.06.96 {\n"
    "D:\\COMPS\\LIESMICH.TXT\n"
    "Datenbank lesen\n"
    "}\n"
    "COMPONENT [Raster] {\n"
    "[LongName]\n"
    "Raster & Gitter\n"
    "[FileName]\n"
    "D:\\COMPS\\RASTER.ZIP\n"
    "[KeyWords]\n"
    "Tabelle Gitter\n"
    "[Contact]\n"
    "Datenbank-Versand\n"
    "}\n";

class SearchCatalogue : public ::testing::Test {
protected:
    void Build(const char* script = kScript)
    {
        TCatalogueBuilder builder;
        builder.AddSource("test.txt", script);
        TCatalogueBuilder::WriteCatalogue(builder.Build(), Dir.Path());
        Open();
    }
    void Open()
    {
        Container = std::make_unique<TBrowzerContainer>();
        Container->DataFileName = Dir / "Lumarc32.dat";
        Container->IndexFileName = Dir / "Lumarc32.idx";
        Container->SetActive(true);
        Tree = TTreeViewData();
        Container->LoadOutline(Tree);
    }
    int Entry(const std::string& caption) const { return test::EntryContaining(Tree, caption); }
    // Every query is searched as before, reading each record, and on the stored bytes (where
    // the query allows it) with each width of vectors the processor has: all must list the same
    // hits with the same lines.
    std::vector<std::pair<int, std::string>> Search(const std::string& query, bool caseSensitive = false)
    {
        const auto read = Hits(query, caseSensitive, std::nullopt);
        if (query.find_first_of("&\n") == std::string::npos) {
            for (const size_t widest : {size_t{64}, size_t{32}, size_t{16}, size_t{0}})
                EXPECT_EQ(Hits(query, caseSensitive, widest), read) << query << ", vectors up to " << widest;
        }
        std::vector<std::pair<int, std::string>> hits;
        for (const THit& hit : read)
            hits.emplace_back(hit.Entry, hit.Text);
        return hits;
    }
    struct THit {
        int Entry;
        std::string Text;
        std::string Line;
        std::vector<std::pair<size_t, size_t>> Marks;
        bool operator==(const THit&) const = default;
    };
    // Reading each record, or on the stored bytes with vectors up to `widest` bytes.
    std::vector<THit> Hits(const std::string& query, bool caseSensitive, std::optional<size_t> widest)
    {
        std::vector<THit> hits;
        for (const bool withLines : {false, true}) {
            TCatalogueSearch search(Tree, Container->DataFileName, query, caseSensitive);
            if (widest) {
                search.UseScan(TStoredTextScan::Make(Container->DataFileName, query, caseSensitive, *widest));
                EXPECT_TRUE(search.Scanned()) << query;
            }
            std::string text;
            TSearchMatcher::TMatchedLine line;
            size_t next = 0;
            for (int i = 0; i < search.Count(); ++i) {
                if (!search.SearchEntry(i, text, withLines ? &line : nullptr))
                    continue;
                if (!withLines)
                    hits.push_back({i, text, {}, {}});
                else if (next < hits.size() && hits[next].Entry == i)
                    hits[next++] = {i, text, line.Bytes, line.Marks};
                else
                    ADD_FAILURE() << "entry " << i << " is a hit only when its line is asked for: " << query;
            }
        }
        return hits;
    }
    friend std::ostream& operator<<(std::ostream& out, const THit& hit)
    {
        return out << hit.Entry << ' ' << hit.Text << " [" << hit.Line << ']';
    }

    TTempDir Dir;
    std::unique_ptr<TBrowzerContainer> Container;
    TTreeViewData Tree;
};

TEST_F(SearchCatalogue, HitsComeInEntryOrderUnderTheirListText)
{
    Build();
    using Hits = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(Search("datenbank"), (Hits{{Entry("Willkommen"), "Willkommen "},
                                         {Entry("Packer"), "D:\\COMPS\\packer.zip"},
                                         {Entry("Liesmich"), "Liesmich "}}));
    // A component is searched in its GetText lines: key words, long name, file name.
    EXPECT_EQ(Search("gitter + raster.zip"), (Hits{{Entry("Raster"), "Raster "}}));
    // Contact lines are not part of the searched text.
    EXPECT_EQ(Search("versand"), Hits{});
}

// What is on screen is what is found. A short text's body is OEM text: umlauts are found as
// they are shown, and a box drawing is never taken for the CP1252 letter of the same byte.
// Key words and short info are stored with doubled ampersands and found as shown, with one.
const char* const kShownScript =
    "OUTLINE [Gliederung] 01.05.96 {\n"
    "Kalender [Kalender]\n"
    "Rahmen [Rahmen]\n"
    "Raster [Raster]\n"
    "Euro [Euro]\n"
    "}\n"
    "SHORTTEXT [Kalender] 10.06.96 {\n"
    "D:\\COMPS\\KALENDER.ZIP\n"
    "frei wählbarem Wochentag, Größe des Codes\n"
    "}\n"
    "SHORTTEXT [Rahmen] 10.06.96 {\n"
    "D:\\COMPS\\ÜBER.ZIP\n"
    "┌──┐ nur Rahmen ÷ und ¤\n"
    "└──┘\n"
    "}\n"
    "COMPONENT [Raster] {\n"
    "[LongName]\n"
    "TabulaGrid\n"
    "[ShortInfo]\n"
    "Gitter für Tabellen & Datenbanken\n"
    "[KeyWords]\n"
    "R&D Gitter\n"
    "[LongInfo]\n"
    "Lang & breit\n"
    "}\n"
    "INFOTEXT [Euro] 24.12.95 {\n"
    "Preis 10 € && mehr\n"
    "}\n";

TEST_F(SearchCatalogue, ShortTextsAndAmpersandsAreFoundAsShown)
{
    Build(kShownScript);
    const auto entries = [this](const std::string& utf8Query, bool caseSensitive = false) {
        std::string query;
        EXPECT_TRUE(Utf8ToCp1252(utf8Query, query)) << utf8Query;
        std::vector<int> found;
        for (const auto& [entry, text] : Search(query, caseSensitive))
            found.push_back(entry);
        return found;
    };
    const int kalender = Entry("Kalender");
    const int rahmen = Entry("Rahmen");
    const int raster = Entry("Raster");
    const int euro = Entry("Euro");

    EXPECT_EQ(entries("wählbarem"), std::vector<int>{kalender});
    EXPECT_EQ(entries("Größe des Codes"), std::vector<int>{kalender});
    EXPECT_EQ(entries("GRöße", true), std::vector<int>{});
    // Box drawing is no letter: "─" and "┌" are the bytes of "Ä" and "Ú" in CP1252.
    EXPECT_EQ(entries("Ä - Ú"), std::vector<int>{});
    // ÷ and ¤ are held by both code pages, at other bytes.
    EXPECT_EQ(entries("÷ + ¤"), std::vector<int>{rahmen});
    // The file name line stays CP1252; case folding is a–z only.
    EXPECT_EQ(entries("ÜBER.ZIP"), std::vector<int>{rahmen});
    EXPECT_EQ(entries("über.zip"), std::vector<int>{});
    // € has no place in CP850, so no short text line holds it.
    EXPECT_EQ(entries("€"), std::vector<int>{euro});

    EXPECT_EQ(entries("Tabellen & Datenbanken"), std::vector<int>{raster});
    EXPECT_EQ(entries("Tabellen && Datenbanken"), std::vector<int>{});
    EXPECT_EQ(entries("R&D"), std::vector<int>{raster});
    // Lists stored as written keep their ampersands as they are.
    EXPECT_EQ(entries("Lang & breit"), std::vector<int>{raster});
    EXPECT_EQ(entries("10 € && mehr"), std::vector<int>{euro});
    // The lines after the collapsed ones are still found whole.
    EXPECT_EQ(entries("TabulaGrid + Lang & breit"), std::vector<int>{raster});
}

TEST_F(SearchCatalogue, AnEntryWithoutRecordIsNeverAHit)
{
    Build();
    const int group = Entry("Komponenten");
    ASSERT_EQ(Tree.Texts.Objects(group), kNoRecord);
    // Its caption is the first term; the search does find the other one, and only there.
    std::vector<int> found;
    for (const auto& [entry, text] : Search("komponenten - willkommen"))
        found.push_back(entry);
    EXPECT_EQ(found, std::vector<int>{Entry("Willkommen")});
}

TEST_F(SearchCatalogue, HitTextRule)
{
    const std::string zip = "d:\\comps\\x.Zip";
    EXPECT_EQ(TCatalogueSearch::HitText("Packer", &zip), zip);
    const std::string txt = "D:\\COMPS\\X.TXT";
    EXPECT_EQ(TCatalogueSearch::HitText("Packer", &txt), "Packer");
    EXPECT_EQ(TCatalogueSearch::HitText("Packer", nullptr), "Packer");
}

TEST_F(SearchCatalogue, ADamagedRecordRaisesItsReadErrorAfterTheEarlierHits)
{
    Build();
    const int32_t ref = Tree.Texts.Objects(Entry("Liesmich"));
    std::filesystem::resize_file(Dir / "Lumarc32.dat", static_cast<uintmax_t>(RecordOffsetOf(ref)) + 6);
    for (const bool scanned : {false, true}) {
        TCatalogueSearch search(Tree, Container->DataFileName, "datenbank", false);
        if (scanned)
            search.ScanStoredText();
        std::string text;
        EXPECT_TRUE(search.SearchEntry(Entry("Willkommen"), text));
        EXPECT_THROW(search.SearchEntry(Entry("Liesmich"), text), EReadError);
    }
}

// The scan of the stored bytes against reading every record, on a generated catalogue: words
// of every kind of line, either case rule, umlauts of both code pages, terms joined both ways,
// single letters, and terms that span a line end or a field.
TEST_F(SearchCatalogue, TheStoredBytesGiveTheHitsOfEveryRecordRead)
{
    TSyntheticCatalogue::Write(900, Dir.Path());
    Container = std::make_unique<TBrowzerContainer>();
    Container->DataFileName = Dir / "Data/Lumarc32.dat";
    Container->IndexFileName = Dir / "Data/Lumarc32.idx";
    Container->SetActive(true);
    Container->LoadOutline(Tree);
    const std::vector<std::string> utf8Queries = {
        "Datenbank", "datenbank", "DATENBANK", "dAtEnBaNk", "Größe", "größe", "GRÖSSE", "für", "Menü", "Schaltfläche",
        "C0000300.ZIP", "c0000300.zip", "d:\\comps\\c00004", "Eintrag 0000042", "Komponente 00001",
        "<F1>", "<F0>Datenbank", "1.5", "49,- DM", "Windows 95", "Beispiel GmbH", "keine", "01.05.96",
        "e", "E", "ä", "ü", "z", "Q", "0", " ", "Datenbank + Tabelle", "Tabelle - Formular",
        "Grafik + Drucker - Version", "Datenbank + gibtesnicht", "gibtesnicht - C0000007", " + ",
        "Datenbank Tabelle", "ZIP\nD", "nicht vorhanden"};
    int hits = 0;
    for (const std::string& utf8 : utf8Queries) {
        std::string query;
        ASSERT_TRUE(Utf8ToCp1252(utf8, query)) << utf8;
        for (const bool caseSensitive : {false, true})
            hits += static_cast<int>(Search(query, caseSensitive).size());
    }
    // The queries find something: a comparison of two empty lists would prove nothing.
    EXPECT_GT(hits, 10000);
}

// In the stored bytes a line's end is the next line's length byte, which may hold the very byte
// a term goes on with: a line of 67 characters is stored behind a 'C'. Such a place is no hit,
// in an info text, below a short text's file name and in a component's list alike.
TEST_F(SearchCatalogue, ATermAcrossALineEndIsNoHit)
{
    const std::string behindC = "de" + std::string(65, '-');
    Build(("OUTLINE [Gliederung] 01.05.96 {\n"
           "Info [Info]\nKurz [Kurz]\nTeil [Teil]\n"
           "}\n"
           "INFOTEXT [Info] 24.12.95 {\nEnde auf ab\n" +
           behindC +
           "\n}\n"
           "SHORTTEXT [Kurz] 10.06.96 {\nD:\\COMPS\\KURZ.ZIP\nEnde auf ab\n" +
           behindC +
           "\n}\n"
           "COMPONENT [Teil] {\n[LongInfo]\nEnde auf ab\n" +
           behindC + "\n}\n")
              .c_str());
    EXPECT_TRUE(Search("abCde", true).empty());
    EXPECT_TRUE(Search("abcde").empty());
    EXPECT_EQ(Search("ab").size(), 3u);
}

TEST_F(SearchCatalogue, AMissingDataFileRaisesItsOpenErrorAtTheFirstRecord)
{
    Build();
    TCatalogueSearch search(Tree, Dir / "fehlt.dat", "x", false);
    std::string text;
    EXPECT_FALSE(search.SearchEntry(Entry("Komponenten"), text));
    EXPECT_THROW(search.SearchEntry(Entry("Willkommen"), text), EFOpenError);
}

// The text read straight from a body must be the lines GetText gives, for every kind.
TEST_F(SearchCatalogue, SearchableTextIsWhatGetTextGives)
{
    TSyntheticCatalogue::Write(300, Dir.Path());
    Container = std::make_unique<TBrowzerContainer>();
    Container->DataFileName = Dir / "Data/Lumarc32.dat";
    Container->IndexFileName = Dir / "Data/Lumarc32.idx";
    Container->SetActive(true);
    Container->LoadOutline(Tree);
    TBufferedFileStream data(Container->DataFileName, 1000);
    const std::string file = test::ReadFile(Container->DataFileName);
    for (int entry = 0; entry < Tree.Count(); ++entry) {
        const int32_t ref = Tree.Texts.Objects(entry);
        const auto record = CreateRecordFor(ref);
        ASSERT_TRUE(record);
        Container->ReadRecord(*record, RecordOffsetOf(ref));
        TStringList expected;
        record->GetText(expected);

        data.SetPosition(RecordOffsetOf(ref));
        std::string text;
        std::vector<size_t> starts;
        {
            TLZWFilter filter(data, 0);
            TReader reader(filter);
            AppendSearchableText(RecordKindOf(ref), reader, text, starts);
        }
        // Straight from the stored bytes: the same text, and nothing from a body cut short.
        std::string fromMemory = "kept\n";
        std::vector<size_t> memoryStarts{0};
        const std::string_view stored = std::string_view(file).substr(static_cast<size_t>(RecordOffsetOf(ref)));
        ASSERT_TRUE(AppendSearchableText(RecordKindOf(ref), stored, fromMemory, memoryStarts));
        EXPECT_EQ(fromMemory, "kept\n" + text);
        ASSERT_EQ(memoryStarts.size(), starts.size() + 1);
        for (size_t i = 0; i < starts.size(); ++i)
            EXPECT_EQ(memoryStarts[i + 1], starts[i] + 5);
        if (entry < 3) {
            const size_t bodySize = static_cast<size_t>(Tree.Texts.Objects(entry + 1) & 0x3FFFFFFF) -
                                    static_cast<size_t>(RecordOffsetOf(ref));
            for (size_t cut = 0; cut < bodySize; ++cut) {
                std::string unchanged = "kept\n";
                std::vector<size_t> unchangedStarts{0};
                ASSERT_FALSE(AppendSearchableText(RecordKindOf(ref), stored.substr(0, cut), unchanged, unchangedStarts))
                    << "entry " << entry << " cut at " << cut;
                EXPECT_EQ(unchanged, "kept\n");
                EXPECT_EQ(unchangedStarts.size(), 1u);
            }
        }

        std::vector<std::string> lines;
        for (size_t i = 0; i < starts.size(); ++i) {
            const size_t end = i + 1 < starts.size() ? starts[i + 1] : text.size();
            lines.push_back(text.substr(starts[i], end - starts[i] - 1));
        }
        std::vector<std::string> wanted = expected.Strings();
        std::sort(lines.begin(), lines.end());
        std::sort(wanted.begin(), wanted.end());
        ASSERT_EQ(lines, wanted) << "entry " << entry;
    }
}

TEST(SearchStoredBody, ABadTagIsLeftToTheRecordFilter)
{
    // A component whose first tagged string has tag 99.
    std::string stored(1, static_cast<char>(99 ^ kFilterKey));
    stored += std::string(64, static_cast<char>(kFilterKey));
    std::string text;
    std::vector<size_t> starts;
    EXPECT_FALSE(AppendSearchableText(TRecordKind::rkComponent, stored, text, starts));
    EXPECT_TRUE(text.empty());
}

TEST(SearchBufferedFileStream, PeekMovesTheWindowToWhatIsWanted)
{
    TTempDir dir;
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += static_cast<char>(i);
    test::WriteFile(dir / "f", bytes);
    TBufferedFileStream stream(dir / "f", 100);
    EXPECT_EQ(stream.Peek(10, 1), std::string_view(bytes).substr(10, 100));
    // Still in the window, with enough after it: no read.
    EXPECT_EQ(stream.Peek(50, 20), std::string_view(bytes).substr(50, 60));
    EXPECT_EQ(stream.Peek(50, 80), std::string_view(bytes).substr(50, 100));
    EXPECT_EQ(stream.Peek(950, 100), std::string_view(bytes).substr(950));
    EXPECT_TRUE(stream.Peek(1000, 1).empty());
    EXPECT_TRUE(stream.Peek(-1, 1).empty());
}

TEST(SearchBufferedFileStream, ReadsAcrossWindowsAndSeeksFreely)
{
    TTempDir dir;
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += static_cast<char>(i * 7);
    test::WriteFile(dir / "f", bytes);
    TBufferedFileStream stream(dir / "f", 64);
    EXPECT_EQ(stream.Size(), 5000);
    std::string part(300, '\0');
    stream.SetPosition(4900);
    EXPECT_EQ(stream.Read(part.data(), 300), 100);
    EXPECT_EQ(part.substr(0, 100), bytes.substr(4900));
    stream.SetPosition(10);
    EXPECT_EQ(stream.Read(part.data(), 300), 300);
    EXPECT_EQ(part, bytes.substr(10, 300));
    EXPECT_EQ(stream.Position(), 310);
    EXPECT_THROW(stream.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
    EXPECT_THROW(stream.Write("x", 1), EWriteError);
}

}  // namespace
}  // namespace lumarc
