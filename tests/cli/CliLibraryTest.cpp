// lumarc-cli library and search-all: a folder of discs (a directory catalogue, the same disc as an
// ISO image and as a BIN/CUE pair, and another disc) becomes a library of two catalogues, which
// search-all searches as search searches each of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/CliRun.h"
#include "platform/DiscImages.h"

namespace {

using lumarc::test::Lines;
using lumarc::test::TRun;
using Json = nlohmann::json;
namespace fs = std::filesystem;

const char* const kOtherScript =
    "OUTLINE [Gliederung] 01.05.96 {\nAndere Scheibe [Start]\nGitter [Gitter]\n}\n"
    "INFOTEXT [Start] {\n<F1>Andere Scheibe\n}\n"
    "INFOTEXT [Gitter] {\n<F0>  ein Gitter aus Holz  \n}\n";

class CliLibrary : public lumarc::test::TCliTest {
protected:
    void SetUp() override
    {
        TCliTest::SetUp();
        ::setenv("XDG_DATA_HOME", (Dir / "data").c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("XDG_DATA_HOME");
        TCliTest::TearDown();
    }

    // discs/demo (a directory), discs/images/demo.iso and demo.cue + demo.bin of the same disc,
    // and discs/other.iso of another.
    fs::path MakeDiscs()
    {
        const fs::path demo = BuildDemo();
        const fs::path other = BuildScript(kOtherScript, "other");
        fs::create_directories(Dir / "discs/images");
        fs::rename(demo, Dir / "discs/demo");
        lumarc::test::MakeIso((Dir / "discs/demo").string(), (Dir / "discs/images/demo.iso").string(),
                              lumarc::test::TIsoForm::Joliet);
        lumarc::test::MakeBinCue((Dir / "discs/images/demo.iso").string(), (Dir / "discs/images/demo.bin").string(),
                                 (Dir / "discs/images/demo.cue").string(), 1);
        lumarc::test::MakeIso(other.string(), (Dir / "discs/other.iso").string(), lumarc::test::TIsoForm::Plain,
                              "OTHER");
        Write(Dir / "discs/notes.txt", "keine Scheibe");
        return Dir / "discs";
    }
};

}  // namespace

// Nothing to search and a path that is not there are said, not passed over in silence.
TEST_F(CliLibrary, AnEmptyLibraryAndAMistypedPathAreSaid)
{
    const TRun empty = Run("search-all Gitter");
    EXPECT_EQ(empty.Status, 1);
    EXPECT_EQ(empty.Err, "Die Bibliothek ist leer; es wurde nichts durchsucht.\n");
    const TRun added = Run("library add " + (Dir / "nirgends").string() + " " + BuildDemo().string());
    EXPECT_EQ(added.Status, 0) << added.Err;
    EXPECT_EQ(added.Err, (Dir / "nirgends").string() + ": nicht gefunden\n");
    EXPECT_EQ(Lines(added.Out).size(), 1u);
}

// One catalogue given in each of its spellings is searched once, under the first.
TEST_F(CliLibrary, SearchAllSearchesACatalogueGivenTwiceOnce)
{
    const std::string demo = BuildDemo().string();
    const TRun once = Run("search-all Gitter " + demo);
    ASSERT_EQ(once.Status, 0) << once.Err;
    ASSERT_NE(once.Out, "");
    const TRun spelt = Run("search-all Gitter " + demo + " " + demo + "/ " + demo + "/Data " + demo +
                           "/Data/Lumarc32.dat " + demo);
    EXPECT_EQ(spelt.Status, 0) << spelt.Err;
    EXPECT_EQ(spelt.Out, once.Out);
}

// A library's website where no folder can be made is refused once, before any catalogue.
TEST_F(CliLibrary, ALibrarysSiteWhereNoFolderCanBeMadeIsSaidOnce)
{
    ASSERT_EQ(Run("library add " + BuildDemo().string()).Status, 0);
    Write(Dir / "datei", "kein Verzeichnis");
    const TRun blocked = Run("export-html --library " + (Dir / "datei/site").string());
    EXPECT_EQ(blocked.Status, 1);
    EXPECT_EQ(Lines(blocked.Err).size(), 1u) << blocked.Err;
    EXPECT_EQ(blocked.Err, "Das Verzeichnis " + (Dir / "datei/site").string() +
                               " konnte nicht angelegt werden: Eine Datei steht, wo ein Ordner hingehört\n");
}

TEST_F(CliLibrary, AFolderOfDiscsBecomesOneCatalogueWithEachPlaceAndSearchAllSearchesEach)
{
    if (!lumarc::test::HaveXorriso())
        GTEST_SKIP() << "xorriso fehlt";
    const fs::path discs = MakeDiscs();
    const TRun added = Run("library add " + discs.string());
    ASSERT_EQ(added.Status, 0) << added.Err;
    // The image's data file is reached through its descriptor; the text file is passed over.
    EXPECT_EQ(Lines(added.Out).size(), 4u) << added.Out;
    const TRun again = Run("library add " + discs.string());
    EXPECT_EQ(again.Status, 0);
    EXPECT_EQ(again.Out, "");
    // A path through an image is there, though the host's file system does not know it.
    const TRun throughImage = Run("library add " + (discs / "images/demo.iso").string() + "/");
    EXPECT_EQ(throughImage.Status, 0);
    EXPECT_EQ(throughImage.Err, "");

    const Json list = Json::parse(Run("library list --json").Out);
    ASSERT_EQ(list.size(), 2u) << list.dump(2);
    const Json& demo = list[0]["places"].size() == 3 ? list[0] : list[1];
    const Json& other = &demo == &list[0] ? list[1] : list[0];
    std::vector<std::string> places;
    for (const Json& place : demo["places"]) {
        places.push_back(place["path"]);
        EXPECT_TRUE(place["present"].get<bool>());
    }
    std::sort(places.begin(), places.end());
    EXPECT_EQ(places, (std::vector<std::string>{(discs / "demo").string(), (discs / "images/demo.cue").string(),
                                                (discs / "images/demo.iso").string()}));
    EXPECT_EQ(demo["label"], "TOOLDISC.CD");  // learnt from an image, though a folder came first
    EXPECT_EQ(other["label"], "OTHER");
    EXPECT_EQ(other["title"], "Andere Scheibe");
    EXPECT_EQ(other["entries"], 2);

    // search-all over the library: each catalogue at its first place, as search finds there.
    const TRun all = Run("search-all Gitter");
    EXPECT_EQ(all.Status, 0) << all.Err;
    std::string expected;
    for (const Json& catalogue : list) {
        const std::string place = catalogue["places"][0]["path"];
        for (const std::string& line : Lines(Run("search " + place + " Gitter").Out))
            expected += place + "\t" + line + "\n";
    }
    EXPECT_EQ(all.Out, expected);
    ASSERT_NE(expected.find("other.iso\t1\tGitter"), std::string::npos) << expected;

    // Given catalogues, one unreadable among them: said, the others searched, status 1.
    const TRun given = Run("search-all --json Gitter " + (discs / "other.iso").string() + " " +
                           (discs / "notes.txt").string() + " " + (discs / "images/demo.cue").string());
    EXPECT_EQ(given.Status, 1);
    EXPECT_NE(given.Err.find("Datenbank nicht gefunden"), std::string::npos) << given.Err;
    const Json hits = Json::parse(given.Out);
    ASSERT_GE(hits.size(), 2u);
    EXPECT_EQ(hits[0], (Json{{"catalogue", (discs / "other.iso").string()},
                             {"entry", 1},
                             {"hitText", "Gitter "},  // as search prints it
                             {"line", "ein Gitter aus Holz"}}));
    EXPECT_EQ(hits.back()["catalogue"], (discs / "images/demo.cue").string());

    // Forgetting a catalogue never touches its files.
    EXPECT_EQ(Run("library remove " + std::to_string(other["id"].get<int>())).Status, 0);
    EXPECT_TRUE(fs::exists(discs / "other.iso"));
    EXPECT_EQ(Json::parse(Run("library list --json").Out).size(), 1u);
    EXPECT_EQ(Run("library remove 99").Status, 1);
    EXPECT_EQ(Run("library add " + (discs / "notes.txt").string()).Status, 1);
}
