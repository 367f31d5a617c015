// Finding a catalogue's two files as discs name them: any case, ISO version suffixes, the data
// directory first, each file by itself.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "catalogue/CatalogueLocation.h"
#include "platform/TestFiles.h"

namespace lumarc::test {
namespace {

namespace fs = std::filesystem;

TEST(CatalogueLocation, EveryCombinationOfCaseAndVersionSuffixIsFound)
{
    for (const char* dir : {"Data", "DATA", "data"}) {
        for (const auto& [dat, idx] : {std::pair{"Lumarc32.dat", "Lumarc32.idx"}, {"LUMARC32.DAT", "LUMARC32.IDX"},
                                       {"lumarc32.dat", "lumarc32.idx"}, {"LUMARC32.DAT;1", "LUMARC32.IDX;1"}}) {
            TTempDir disc;
            WriteFile(disc / (std::string(dir) + "/" + dat), "d");
            WriteFile(disc / (std::string(dir) + "/" + idx), "i");
            const TCatalogueLocation found = LocateCatalogue(disc.Path());
            EXPECT_EQ(found.DataFileName, disc / (std::string(dir) + "/" + dat)) << dir << "/" << dat;
            EXPECT_EQ(found.IndexFileName, disc / (std::string(dir) + "/" + idx)) << dir << "/" << idx;
            EXPECT_TRUE(found.LookedFor.empty());
            // The data directory itself, and its data file, name the same catalogue.
            EXPECT_EQ(LocateCatalogue(disc / dir).IndexFileName, found.IndexFileName);
            EXPECT_EQ(LocateCatalogue(found.DataFileName).IndexFileName, found.IndexFileName);
        }
    }
}

TEST(CatalogueLocation, EachFileIsLookedForByItselfDataFirstAndMissingOnesAreNamed)
{
    TTempDir disc;
    WriteFile(disc / "DATA/LUMARC32.DAT", "in data");
    WriteFile(disc / "Lumarc32.dat", "beside");
    WriteFile(disc / "lumarc32.idx", "beside");
    fs::create_directories(disc / "data2/Lumarc32.idx");  // a directory named like the file is no file
    TCatalogueLocation found = LocateCatalogue(disc.Path());
    EXPECT_EQ(found.DataFileName, disc / "DATA/LUMARC32.DAT");
    EXPECT_EQ(found.IndexFileName, disc / "lumarc32.idx");

    fs::remove(disc / "lumarc32.idx");
    found = LocateCatalogue(disc.Path());
    EXPECT_EQ(found.IndexFileName, disc / "DATA/Lumarc32.idx");
    EXPECT_EQ(CatalogueNotFoundMessage(found),
              "Datenbank nicht gefunden!\nGesucht: " + disc / "DATA/Lumarc32.idx" + ", " + disc / "Lumarc32.idx");
}

}  // namespace
}  // namespace lumarc::test
