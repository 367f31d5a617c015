// lumarc-cli install, installed and uninstall on real files: what an installation writes is
// recorded, and removing it takes back exactly that, never a file the user changed or added,
// never a folder that was there before.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/CliRun.h"
#include "dunzip/ZipWriter.h"

namespace fs = std::filesystem;

namespace {

using lumarc::test::ReadAll;
using lumarc::test::TRun;
using Json = nlohmann::json;

const char* const kScript =
    "OUTLINE [Gliederung] 01.05.96 {\r\n"
    "Eins [Eins]\r\n"
    "Fehlt [Fehlt]\r\n"
    "Leer\r\n"
    "Paket [Paket]\r\n"
    "}\r\n"
    "COMPONENT [Eins] {\r\n[LongName]\r\nEins & Zwei\r\n[FileName]\r\nD:\\COMPS\\EINS.ZIP\r\n}\r\n"
    "COMPONENT [Fehlt] {\r\n[LongName]\r\nFehlt\r\n[FileName]\r\nD:\\COMPS\\FEHLT.ZIP\r\n}\r\n"
    "COMPONENT [Paket] {\r\n[LongName]\r\nPaket\r\n[FileName]\r\nD:\\COMPS\\PAKET.ZIP\r\n}\r\n";

class CliInstall : public lumarc::test::TCliTest {
protected:
    void SetUp() override
    {
        TCliTest::SetUp();
        ::setenv("XDG_DATA_HOME", (Dir / "data").c_str(), 1);
        Catalogue = BuildScript(kScript);
        Write(Catalogue / "COMPS" / "EINS.ZIP", "vom Hersteller");
    }
    void TearDown() override
    {
        ::unsetenv("XDG_DATA_HOME");
        TCliTest::TearDown();
    }

    Json Installed()
    {
        const TRun run = Run("installed --json");
        EXPECT_EQ(run.Status, 0) << run.Err;
        return Json::parse(run.Out);
    }

    fs::path Catalogue;
};

}  // namespace

TEST_F(CliInstall, WhatWasInstalledIsRecordedAndRemovedAgain)
{
    const fs::path dest = Dir / "ziel" / "tief";
    const TRun first = Run("install " + Catalogue.string() + " 0 " + dest.string());
    ASSERT_EQ(first.Status, 0) << first.Err;
    EXPECT_EQ(first.Out, (dest / "EINS.ZIP").string() + "\nInstallation 1\n");
    EXPECT_EQ(ReadAll(dest / "EINS.ZIP"), "vom Hersteller");

    Json records = Installed();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]["id"], 1);
    EXPECT_EQ(records[0]["entry"], 0);
    EXPECT_EQ(records[0]["component"], "Eins & Zwei");
    EXPECT_EQ(records[0]["catalogue"], Catalogue.string());
    EXPECT_EQ(records[0]["destination"], dest.string());
    EXPECT_EQ(records[0]["files"], Json::parse(R"([{"path": ")" + (dest / "EINS.ZIP").string() +
                                               R"(", "size": 14, "state": "unchanged"}])"));

    // A second install does not replace the file unasked, and records nothing.
    const TRun again = Run("install " + Catalogue.string() + " 0 " + dest.string());
    EXPECT_EQ(again.Status, 1);
    EXPECT_NE(again.Err.find((dest / "EINS.ZIP").string()), std::string::npos) << again.Err;
    EXPECT_TRUE(again.Out.empty());
    EXPECT_EQ(Installed().size(), 1u);

    // The user changes the file and adds one of his own: removing keeps both, and the folders.
    Write(dest / "EINS.ZIP", "geändert");
    Write(dest / "meins.txt", "meins");
    EXPECT_EQ(Installed()[0]["files"][0]["state"], "changed");
    const TRun removed = Run("uninstall 1");
    EXPECT_EQ(removed.Status, 0) << removed.Err;
    EXPECT_EQ(removed.Out, "behalten (geändert): " + (dest / "EINS.ZIP").string() + "\n");
    EXPECT_EQ(ReadAll(dest / "EINS.ZIP"), "geändert");
    EXPECT_EQ(ReadAll(dest / "meins.txt"), "meins");
    EXPECT_TRUE(Installed().empty());
    EXPECT_EQ(Run("uninstall 1").Status, 1);

    // Over the changed file with --overwrite: removing the installation puts the user's back.
    const TRun over = Run("install " + Catalogue.string() + " 0 " + dest.string() + " --overwrite");
    ASSERT_EQ(over.Status, 0) << over.Err;
    EXPECT_EQ(over.Out, (dest / "EINS.ZIP").string() + "\nInstallation 2\n");
    EXPECT_EQ(ReadAll(dest / "EINS.ZIP"), "vom Hersteller");
    EXPECT_EQ(Run("uninstall 2").Out, "entfernt: " + (dest / "EINS.ZIP").string() + "\nwiederhergestellt: " +
                                          (dest / "EINS.ZIP").string() + "\n");
    EXPECT_EQ(ReadAll(dest / "EINS.ZIP"), "geändert");
}

TEST_F(CliInstall, FoldersItMadeGoFoldersThatWereThereStayAndSharedFilesWaitForTheirLastRecord)
{
    const fs::path before = Dir / "vorher";
    fs::create_directories(before);
    const fs::path made = before / "neu" / "tiefer";
    ASSERT_EQ(Run("install " + Catalogue.string() + " 0 " + made.string()).Status, 0);
    ASSERT_EQ(Run("install " + Catalogue.string() + " 0 " + made.string() + " --overwrite").Status, 0);
    // The second record wrote the same file: removing the first leaves it for the second.
    EXPECT_EQ(Run("uninstall 1").Out, "");
    EXPECT_TRUE(fs::exists(made / "EINS.ZIP"));
    EXPECT_EQ(Run("uninstall 2").Out, "entfernt: " + (made / "EINS.ZIP").string() + "\n");
    EXPECT_FALSE(fs::exists(made / "EINS.ZIP"));
    EXPECT_FALSE(fs::exists(before / "neu"));
    EXPECT_TRUE(fs::is_directory(before));
    // The file went to the trash, where a file manager can put it back.
    EXPECT_TRUE(fs::exists(Dir / "data" / "Trash" / "files" / "EINS.ZIP"));
}

TEST_F(CliInstall, NothingIsWrittenForAFileMissingOnTheDiscOrAnEntryWithoutOne)
{
    const fs::path dest = Dir / "ziel";
    const TRun missing = Run("install " + Catalogue.string() + " 1 " + dest.string());
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("FEHLT.ZIP"), std::string::npos) << missing.Err;
    EXPECT_FALSE(fs::exists(dest));
    EXPECT_EQ(Run("install " + Catalogue.string() + " 2 " + dest.string()).Status, 1);
    EXPECT_EQ(Run("install " + Catalogue.string() + " 4 " + dest.string()).Status, 2);
    EXPECT_EQ(Run("install " + Catalogue.string() + " eins " + dest.string()).Status, 2);
    EXPECT_FALSE(fs::exists(dest));
    EXPECT_TRUE(Installed().empty());
}

TEST_F(CliInstall, ADamagedListIsKeptAsideAndInstallingGoesOn)
{
    const fs::path list = Dir / "data" / "Brimvale" / "Lumarc32" / "lumarc.sqlite";
    Write(list, std::string(4096, 'x'));
    const TRun run = Run("install " + Catalogue.string() + " 0 " + (Dir / "ziel").string());
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Err.find("beschädigt"), std::string::npos) << run.Err;
    EXPECT_EQ(ReadAll(list.string() + ".bak"), std::string(4096, 'x'));
    EXPECT_EQ(Installed().size(), 1u);
}

TEST_F(CliInstall, AnArchiveIsUnpackedWithItsRefusalsAndNothingIsReplacedUnasked)
{
    {
        lumarc::test::TZipWriter zip((Catalogue / "COMPS" / "PAKET.ZIP").string());
        zip.File("a.txt", "neu a").File("sub/b.txt", "neu b").File("../boese.txt", "weg");
        zip.Close();
    }
    const fs::path dest = Dir / "ziel";
    const TRun run = Run("install " + Catalogue.string() + " 3 " + dest.string() + " --unpack");
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("../boese.txt"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, (dest / "a.txt").string() + "\n" + (dest / "sub/b.txt").string() + "\nInstallation 1\n");
    EXPECT_FALSE(fs::exists(Dir / "boese.txt"));
    ASSERT_EQ(Installed()[0]["files"].size(), 2u);

    // Again without --overwrite: named, nothing written, no record.
    Write(dest / "a.txt", "meins");
    const TRun again = Run("install " + Catalogue.string() + " 3 " + dest.string() + " --unpack");
    EXPECT_EQ(again.Status, 1);
    EXPECT_NE(again.Err.find((dest / "a.txt").string()), std::string::npos) << again.Err;
    EXPECT_TRUE(again.Out.empty());
    EXPECT_EQ(ReadAll(dest / "a.txt"), "meins");
    EXPECT_EQ(Installed().size(), 1u);

    // Removing the first keeps the changed file and the folder that holds it, and takes the rest.
    EXPECT_EQ(Run("uninstall 1").Out, "entfernt: " + (dest / "sub/b.txt").string() +
                                          "\nbehalten (geändert): " + (dest / "a.txt").string() + "\n");
    EXPECT_FALSE(fs::exists(dest / "sub"));
    EXPECT_EQ(ReadAll(dest / "a.txt"), "meins");
}
