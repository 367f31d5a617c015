#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "RecordIO.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/ScriptInfoText.h"
#include "catalogue/ScriptOutlineText.h"
#include "catalogue/ScriptParser.h"
#include "catalogue/TreeViewData.h"
#include "platform/Exception.h"

using namespace lumarc;
using lumarc::test::TMemoryCatalogue;

namespace {

class CatalogueContainer : public ::testing::Test {
protected:
    void SetUp() override
    {
        FDir =
            std::filesystem::temp_directory_path() / ("lumarc-container-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(FDir);
        Container.DataFileName = (FDir / "Lumarc32.dat").string();
        Container.IndexFileName = (FDir / "Lumarc32.idx").string();
    }
    void TearDown() override { std::filesystem::remove_all(FDir); }

    void Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(FDir / name, std::ios::binary) << bytes;
    }

    // A catalogue whose outline holds Tools > Editors.
    void WriteCatalogue(bool withOutline = true)
    {
        TMemoryCatalogue cat;
        TScriptInfoText info;
        info.Lines.Add("hallo");
        cat.Store(info);
        if (withOutline) {
            TScriptParser parser;
            parser.Lines = {"OUTLINE {", "Tools", "  Editors", "}", "END"};
            TScriptOutlineText outline;
            outline.ParseScript(parser);
            cat.Store(outline);
        }
        Write("Lumarc32.dat", cat.Data.Bytes());
        Write("Lumarc32.idx", cat.Index.Bytes());
    }

    std::string VersionFailureFor(const std::string& header)
    {
        Write("Lumarc32.dat", header);
        Write("Lumarc32.idx", "");
        try {
            Container.CheckVersion();
        } catch (const EVersionError& e) {
            return e.Message();
        }
        return {};
    }

    std::filesystem::path FDir;
    TBrowzerContainer Container;
};

}  // namespace

TEST_F(CatalogueContainer, VersionCheckPassesOnlyThreeTwo)
{
    EXPECT_EQ(VersionFailureFor(std::string("\x03\x00\x02\x00", 4)), "");
    const std::string message =
        "Falsche Datendateien - bitte kopieren Sie die richtigen Dateien der Version: 3 in das DATA-Verzeichnis!";
    EXPECT_EQ(VersionFailureFor(std::string("\x03\x00\x01\x00", 4)), message);
    EXPECT_EQ(VersionFailureFor(std::string("\x02\x00\x02\x00", 4)), message);
    EXPECT_EQ(VersionFailureFor(std::string("\x03\x00\x02", 3)), message);
    EXPECT_EQ(VersionFailureFor(""), message);
    // The check leaves the container as it found it: closed.
    EXPECT_FALSE(Container.Active());
}

TEST_F(CatalogueContainer, VersionCheckOnAnOpenContainerLeavesItOpen)
{
    WriteCatalogue();
    Container.SetActive(true);
    Container.CheckVersion();
    EXPECT_TRUE(Container.Active());
    EXPECT_NE(Container.IndexedStream(), nullptr);
}

TEST_F(CatalogueContainer, ActivationOpensOnceAndClosingTwiceIsHarmless)
{
    WriteCatalogue();
    Container.SetActive(false);
    EXPECT_FALSE(Container.Active());
    Container.SetActive(true);
    // With the files gone from the directory, a second opening would fail; the files opened
    // first stay in use and can still be read.
    std::filesystem::remove(Container.DataFileName);
    std::filesystem::remove(Container.IndexFileName);
    EXPECT_NO_THROW(Container.SetActive(true));
    ASSERT_TRUE(Container.Active());
    TTreeViewData tree;
    EXPECT_NO_THROW(Container.LoadOutline(tree));
    EXPECT_GT(tree.Count(), 0);
    Container.SetActive(false);
    EXPECT_NO_THROW(Container.SetActive(false));
    EXPECT_FALSE(Container.Active());
    EXPECT_EQ(Container.IndexedStream(), nullptr);
    // Closed for real: opening again now looks for the files and finds none.
    EXPECT_THROW(Container.SetActive(true), EFOpenError);
}

TEST_F(CatalogueContainer, MissingFilesRaiseTheOpenErrorAndLeaveItClosed)
{
    Write("Lumarc32.dat", std::string("\x03\x00\x02\x00", 4));
    EXPECT_THROW(Container.SetActive(true), EFOpenError);
    EXPECT_FALSE(Container.Active());
    EXPECT_THROW(Container.CheckVersion(), EFOpenError);
}

TEST_F(CatalogueContainer, LoadOutlineFillsTheGivenTreeData)
{
    WriteCatalogue();
    TTreeViewData tree;
    Container.LoadOutline(tree);  // closed: nothing happens
    EXPECT_EQ(Container.TreeData(), nullptr);
    EXPECT_EQ(tree.Count(), 0);

    Container.SetActive(true);
    Container.LoadOutline(tree);
    EXPECT_EQ(Container.TreeData(), &tree);
    EXPECT_EQ(tree.Texts.Strings(), (std::vector<std::string>{"Tools", "Editors"}));
}

TEST_F(CatalogueContainer, NoOutlineRecordIsReported)
{
    WriteCatalogue(false);
    Container.SetActive(true);
    TTreeViewData tree;
    try {
        Container.LoadOutline(tree);
        FAIL();
    } catch (const EBrowzerError& e) {
        EXPECT_STREQ(e.what(), "Konnte OutlineText nicht laden!");
    }
}

TEST_F(CatalogueContainer, ReadRecordFollowsTheReadingProtocol)
{
    WriteCatalogue();
    TScriptInfoText info;
    Container.ReadRecord(info, 4);
    EXPECT_TRUE(Container.Active());
    EXPECT_EQ(info.Lines.Strings(), std::vector<std::string>{"hallo"});
    EXPECT_EQ(info.RecordStream(), nullptr);
    TScriptInfoText past;
    EXPECT_THROW(Container.ReadRecord(past, 1 << 20), EReadError);
    EXPECT_EQ(past.RecordStream(), nullptr);
}

TEST_F(CatalogueContainer, OpenFilesAreTakenOnlyFromAnActiveContainerOnTheSameFiles)
{
    WriteCatalogue();
    TBrowzerContainer other;
    other.DataFileName = Container.DataFileName;
    other.IndexFileName = Container.IndexFileName;
    Container.TakeOpenFiles(other);  // not active: nothing to take
    EXPECT_FALSE(Container.Active());

    other.SetActive(true);
    TBrowzerContainer elsewhere;
    elsewhere.DataFileName = (FDir / "anders.dat").string();
    elsewhere.IndexFileName = Container.IndexFileName;
    elsewhere.TakeOpenFiles(other);  // other file names
    EXPECT_FALSE(elsewhere.Active());
    EXPECT_TRUE(other.Active());

    Container.TakeOpenFiles(other);
    EXPECT_TRUE(Container.Active());
    EXPECT_FALSE(other.Active());
    EXPECT_EQ(other.IndexedStream(), nullptr);
    // Taken files serve as if opened here: the outline and a record read through them.
    TTreeViewData tree;
    Container.LoadOutline(tree);
    EXPECT_EQ(tree.Texts.Strings(), (std::vector<std::string>{"Tools", "Editors"}));
    TScriptInfoText info;
    Container.ReadRecord(info, 4);
    EXPECT_EQ(info.Lines.Strings(), std::vector<std::string>{"hallo"});

    // An active container keeps its own files.
    other.SetActive(true);
    TIndexedStream* const own = Container.IndexedStream();
    Container.TakeOpenFiles(other);
    EXPECT_EQ(Container.IndexedStream(), own);
    EXPECT_TRUE(other.Active());
}
