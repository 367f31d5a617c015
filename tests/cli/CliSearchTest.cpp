// lumarc-cli search: the viewer's query rules over a built catalogue, one hit a line.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "SyntheticCatalogue.h"
#include "catalogue/RecordRef.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/TreeViewData.h"
#include "cli/CliRun.h"

namespace fs = std::filesystem;

namespace {

using lumarc::test::TRun;
using CliSearch = lumarc::test::TCliTest;

// Entries: 0 Willkommen (info), 1 Kapitel (no record), 2 Packer (short, .zip), 3 Raster
// (component), 4 Liesmich (short, no .ZIP in its first line).
const char* const kScript =
    "OUTLINE {\n"
    "Willkommen [willkommen]\n"
    "Kapitel\n"
    "  Packer [packer]\n"
    "  Raster [raster]\n"
    "  Liesmich [liesmich]\n"
    "}\n"
    "INFOTEXT [willkommen] {\n"
    "<F1>Willkommen – Größe zählt\n"
    "C++ und Delphi\n"
    "}\n"
    "SHORTTEXT [packer] {\n"
    "D:\\COMPS\\Packer.zip\n"
    "Packt Dateien für Delphi\n"
    "}\n"
    "COMPONENT [raster] {\n"
    "[LongName]\n"
    "Raster & Gitter\n"
    "[KeyWords]\n"
    "Tabelle\n"
    "}\n"
    "SHORTTEXT [liesmich] {\n"
    "LIESMICH.TXT\n"
    "Delphi lesen\n"
    "}\n";

TEST_F(CliSearch, PrintsEntryNumberTabAndHitTextInEntryOrder)
{
    const fs::path cat = BuildScript(kScript);
    const TRun run = Run("search " + cat.string() + " delphi");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "0\tWillkommen \n2\tD:\\COMPS\\Packer.zip\n4\tLiesmich \n");
    EXPECT_EQ(run.Err, "");
}

TEST_F(CliSearch, QueryRulesAndCaseFlag)
{
    const fs::path cat = BuildScript(kScript);
    const std::string base = "search " + cat.string() + " ";
    EXPECT_EQ(Run(base + "'tabelle + gitter - nichts'").Out, "3\tRaster \n");
    EXPECT_EQ(Run(base + "'nichts - tabelle + packt'").Out, "");
    EXPECT_EQ(Run(base + "'c++'").Out, "0\tWillkommen \n");
    EXPECT_EQ(Run(base + "DELPHI --case").Out, "");
    EXPECT_EQ(Run(base + "Delphi --case").Out, "0\tWillkommen \n2\tD:\\COMPS\\Packer.zip\n4\tLiesmich \n");
    // The query arrives as UTF-8 and is matched as CP1252; umlauts are not folded.
    EXPECT_EQ(Run(base + "größe").Out, "0\tWillkommen \n");
    EXPECT_EQ(Run(base + "GRÖSSE").Out, "");
    EXPECT_EQ(Run(base + "GRÖßE").Out, "");
    EXPECT_EQ(Run(base + "gRößE").Out, "0\tWillkommen \n");
}

TEST_F(CliSearch, EmptyQueryFindsNothingAndUnencodableQueryIsUsageError)
{
    const fs::path cat = BuildScript(kScript);
    const TRun empty = Run("search " + cat.string() + " ''");
    EXPECT_EQ(empty.Status, 0);
    EXPECT_EQ(empty.Out, "");
    const TRun han = Run("search " + cat.string() + " '漢'");
    EXPECT_EQ(han.Status, 2);
    EXPECT_EQ(han.Out, "");
    EXPECT_EQ(Run("search " + cat.string()).Status, 2);
    EXPECT_EQ(Run("search " + (Dir / "fehlt").string() + " x").Status, 1);
}

TEST_F(CliSearch, ADamagedRecordEndsTheSearchAfterTheHitsBeforeIt)
{
    const fs::path cat = BuildScript(kScript);
    lumarc::TBrowzerContainer container;
    container.DataFileName = (cat / "Data/Lumarc32.dat").string();
    container.IndexFileName = (cat / "Data/Lumarc32.idx").string();
    container.SetActive(true);
    lumarc::TTreeViewData tree;
    container.LoadOutline(tree);
    container.SetActive(false);
    // The component's body claims a tag byte that no tagged string has.
    const int32_t offset = lumarc::RecordOffsetOf(tree.Texts.Objects(3));
    std::string data = lumarc::test::ReadAll(cat / "Data/Lumarc32.dat");
    data[static_cast<size_t>(offset)] = static_cast<char>(99 ^ 0x5A);
    Write(cat / "Data/Lumarc32.dat", data);
    const TRun run = Run("search " + cat.string() + " delphi");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "0\tWillkommen \n2\tD:\\COMPS\\Packer.zip\n");
    EXPECT_EQ(run.Err, "Invalid property value\n");
}

// Large catalogues are searched in slices side by side: the output is still one search.
TEST_F(CliSearch, ALargeCatalogueListsEveryHitInOrder)
{
    lumarc::TSyntheticCatalogue::Write(8100, (Dir / "big").string());
    const TRun run = Run("search " + (Dir / "big").string() + " '.zip + c00080'");
    EXPECT_EQ(run.Status, 0) << run.Err;
    std::string expected;
    for (int entry = 8000; entry < 8100; ++entry)
        if (entry % 3 != 0)
            expected += std::to_string(entry) + "\t" +
                        (entry % 3 == 1 ? "D:\\COMPS\\C000" + std::to_string(entry) + ".ZIP"
                                        : "Eintrag 000" + std::to_string(entry) + " ") +
                        "\n";
    EXPECT_EQ(run.Out, expected);
}

}  // namespace
