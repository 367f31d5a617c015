// lumarc-cli on disc images: every form reads as the directory it was mastered from, and a
// damaged image gives the catalogue's messages.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "platform/Disc.h"
#include "platform/DiscImages.h"

namespace fs = std::filesystem;

namespace {

using lumarc::test::TRun;
using lumarc::test::TIsoForm;

class CliImage : public lumarc::test::TCliTest {
protected:
    void SetUp() override
    {
        TCliTest::SetUp();
        if (!lumarc::test::HaveXorriso())
            GTEST_SKIP() << "xorriso is missing";
        Disc = BuildDemo();
        Write(Disc / "COMPS/FREEWARE/TEILER.PAS", "unit Teiler;");
    }
    fs::path Disc;
};

TEST_F(CliImage, EveryFormReadsAsTheDirectoryItWasMadeFrom)
{
    const TRun expected = Run("dump " + Disc.string());
    ASSERT_EQ(expected.Status, 0) << expected.Err;
    const std::string search = Run("search " + Disc.string() + " Komponente").Out;
    std::vector<fs::path> images;
    for (const auto& [form, name] : {std::pair{TIsoForm::Plain, "plain.iso"}, {TIsoForm::Joliet, "joliet.iso"},
                                     {TIsoForm::RockRidge, "rockridge.ISO"}}) {
        lumarc::test::MakeIso(Disc.string(), (Dir / name).string(), form);
        images.push_back(Dir / name);
    }
    for (int mode : {1, 2}) {
        const std::string stem = "mode" + std::to_string(mode);
        lumarc::test::MakeBinCue((Dir / "plain.iso").string(), (Dir / (stem + ".bin")).string(),
                                 (Dir / (stem + ".cue")).string(), mode);
        images.push_back(Dir / (stem + ".cue"));
    }
    // MODE2/2336, whose cue names its data file in another case than the disk has it.
    lumarc::test::MakeBinCue((Dir / "plain.iso").string(), (Dir / "m2raw.bin").string(), (Dir / "m2raw.cue").string(), 2,
                             2336, "M2RAW.BIN");
    images.push_back(Dir / "m2raw.cue");
    // An ISO by its content, whatever its name.
    fs::copy_file(Dir / "plain.iso", Dir / "disc.img");
    images.push_back(Dir / "disc.img");
    // Raw sectors beside a descriptor: CloneCD (.ccd + .img, opened by either) and Alcohol
    // (.mds + .mdf).
    lumarc::test::MakeBinCue((Dir / "plain.iso").string(), (Dir / "clone.img").string(), (Dir / "clone.cue").string(), 1);
    Write(Dir / "CLONE.CCD", "[CloneCD]\nVersion=3\n");
    lumarc::test::MakeBinCue((Dir / "plain.iso").string(), (Dir / "alcohol.mdf").string(), (Dir / "alcohol.cue").string(), 1);
    Write(Dir / "alcohol.mds", "MEDIA DESCRIPTOR");
    for (const char* name : {"CLONE.CCD", "clone.img", "alcohol.mds"})
        images.push_back(Dir / name);
    // A file per track, the audio track's file first.
    lumarc::test::MakeBinCue((Dir / "plain.iso").string(), (Dir / "track2.bin").string(), (Dir / "track2.cue").string(), 1);
    Write(Dir / "track1.bin", std::string(2352 * 300, '\0'));
    Write(Dir / "tracks.cue", "FILE \"track1.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                              "FILE \"track2.bin\" BINARY\n  TRACK 02 MODE1/2352\n    INDEX 01 00:00:00\n");
    images.push_back(Dir / "tracks.cue");
    for (const fs::path& image : images) {
        const TRun dump = Run("dump " + image.string());
        EXPECT_EQ(dump.Status, 0) << image << ": " << dump.Err;
        EXPECT_EQ(dump.Out, expected.Out) << image;
        EXPECT_EQ(Run("check " + image.string()).Status, 0) << image;
        EXPECT_EQ(Run("search " + image.string() + " Komponente").Out, search) << image;
        // The data file named inside the image, in the case a CD shows it.
        EXPECT_EQ(Run("tree " + (image / "DATA/LUMARC32.DAT").string()).Status, 0) << image;
    }
}

TEST_F(CliImage, DataAfterAudioAndTheImagesOfOtherWritersRead)
{
    using lumarc::test::RawSectors;
    const TRun expected = Run("dump " + Disc.string());
    lumarc::test::MakeIso(Disc.string(), (Dir / "plain.iso").string(), TIsoForm::Plain);
    const std::string iso = lumarc::test::ReadAll(Dir / "plain.iso");
    const std::string audio(2352 * 300, '\0');  // four seconds of silence
    // An enhanced CD in one BIN: audio first, the file system mastered on its own...
    Write(Dir / "enhanced.bin", audio + RawSectors(iso, 1, 2352, 300));
    Write(Dir / "enhanced.cue",
          "FILE \"enhanced.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
          "  TRACK 02 MODE1/2352\n    INDEX 01 00:04:00\n");
    // ...or mastered for its place on the disc, after the audio and a pregap of two seconds.
    lumarc::test::MakeIso(Disc.string(), (Dir / "placed.iso").string(), TIsoForm::Joliet, "TOOLDISC.CD", "-C 0,450");
    Write(Dir / "placed.bin",
          audio + std::string(2352 * 150, '\0') + RawSectors(lumarc::test::ReadAll(Dir / "placed.iso"), 1, 2352, 450));
    Write(Dir / "placed.cue",
          "FILE \"placed.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
          "  TRACK 02 MODE1/2352\n    INDEX 00 00:04:00\n    INDEX 01 00:06:00\n");
    // CloneCD keeps every sector from the disc's first; its descriptor says where each track begins.
    Write(Dir / "clone.img", audio + RawSectors(iso, 1, 2352, 300));
    Write(Dir / "clone.ccd", "[CloneCD]\nVersion=3\n[TRACK 1]\nMODE=0\nINDEX 1=0\n[TRACK 2]\nMODE=1\nINDEX 1=300\n");
    // Raw sectors with their subchannel data.
    Write(Dir / "sub.mdf", RawSectors(iso, 1, 2448));
    Write(Dir / "sub.mds", "MEDIA DESCRIPTOR");
    // cdrdao's table of contents for a track of plain sectors.
    Write(Dir / "disc.toc", "CD_ROM\n\nTRACK MODE1\nDATAFILE \"plain.iso\"\n");
    // Nero, written track at once and disc at once, audio first.
    Write(Dir / "tao.nrg", lumarc::test::NeroImage({{audio, 7, 0}, {iso, 0, 300}}, false));
    Write(Dir / "dao.nrg", lumarc::test::NeroImage({{audio, 7, 0}, {RawSectors(iso, 1), 3, 300}}, true));
    for (const char* name :
         {"enhanced.cue", "placed.cue", "clone.ccd", "sub.mds", "sub.mdf", "disc.toc", "tao.nrg", "dao.nrg"}) {
        const TRun dump = Run("dump " + (Dir / name).string());
        EXPECT_EQ(dump.Status, 0) << name << ": " << dump.Err;
        EXPECT_EQ(dump.Out, expected.Out) << name;
    }
}

TEST_F(CliImage, AFolderMovedBelowTheEighthLevelIsFoundWhereItBelongs)
{
    // Rock Ridge without Joliet keeps a tree only eight levels deep: a disc kept nine deep is
    // moved into RR_MOVED, with a placeholder where it was.
    const fs::path deep = Dir / "tree/A/B/C/D/E/F/G/H";
    fs::create_directories(deep);
    fs::rename(Disc, deep / "DISC");
    const TRun expected = Run("dump " + (deep / "DISC").string());
    lumarc::test::MakeIso((Dir / "tree").string(), (Dir / "deep.iso").string(), TIsoForm::RockRidge, "TOOLDISC.CD",
                          "-rr_reloc_dir RR_MOVED");
    const TRun dump = Run("dump " + (Dir / "deep.iso/A/B/C/D/E/F/G/H/DISC").string());
    EXPECT_EQ(dump.Status, 0) << dump.Err;
    EXPECT_EQ(dump.Out, expected.Out);
    std::vector<std::string> root;
    for (const lumarc::TDirEntry& entry : lumarc::ListDiscFolder((Dir / "deep.iso").string()))
        root.push_back(entry.Name);
    EXPECT_EQ(root, (std::vector<std::string>{".", "A"}));
}

TEST_F(CliImage, ADamagedImageGivesTheCataloguesMessagesAndNeverACrash)
{
    lumarc::test::MakeIso(Disc.string(), (Dir / "whole.iso").string(), TIsoForm::RockRidge);
    const std::string whole = lumarc::test::ReadAll(Dir / "whole.iso");
    const std::string data = lumarc::test::ReadAll(Disc / "Data/Lumarc32.dat");
    const size_t extent = whole.find(data.substr(0, 256));
    ASSERT_NE(extent, std::string::npos);
    std::vector<std::pair<std::string, std::string>> damaged = {
        {"empty.iso", ""},
        {"junk.iso", std::string(40000, 'x')},
        {"head.iso", whole.substr(0, 17 * 2048)},                     // the volume descriptors and nothing more
        {"half.iso", whole.substr(0, extent + data.size() / 2)},      // the data file cut in its middle
    };
    std::string noDirectory = whole;
    for (size_t at = 16 * 2048 + 156; at < 16 * 2048 + 190; ++at)
        noDirectory[at] = '\xFF';  // the root directory record points far past the end
    damaged.push_back({"root.iso", noDirectory});
    for (const auto& [name, bytes] : damaged) {
        Write(Dir / name, bytes);
        for (const char* command : {"dump", "tree", "check", "show"}) {
            const TRun run = Run(std::string(command) + " " + (Dir / name).string() + (command == std::string("show") ? " 0" : ""));
            EXPECT_EQ(run.Status, 1) << name << " " << command << ": " << run.Err;
            EXPECT_FALSE(run.Err.empty() && run.Out.empty()) << name << " " << command;
        }
    }
    Write(Dir / "broken.cue", "FILE \"gone.bin\" BINARY\n  TRACK 01 MODE1/2352\n");
    const TRun cue = Run("tree " + (Dir / "broken.cue").string());
    EXPECT_EQ(cue.Status, 1);
    EXPECT_EQ(cue.Err, "Die Abbilddatei gone.bin fehlt (genannt in broken.cue).\n");
    // An image without a file system to read says so, not that the catalogue is missing, and
    // nothing of the library's own words reaches the output.
    const TRun junk = Run("dump " + (Dir / "junk.iso").string());
    EXPECT_EQ(junk.Err.rfind("Das Abbild " + (Dir / "junk.iso").string() + " kann nicht gelesen werden", 0), 0u)
        << junk.Err;
    EXPECT_EQ(junk.Out, "");
}

TEST_F(CliImage, FilesInSeveralExtentsAreReadWhole)
{
    // A component archive stored in five extents.
    std::string archive;
    for (int i = 0; i < 5 * 4096 + 777; ++i)
        archive.push_back(static_cast<char>((i * 7919) % 251));
    Write(Disc / "COMPS/PACKER.ZIP", archive);
    const TRun expected = Run("dump " + Disc.string());
    lumarc::test::MakeIso(Disc.string(), (Dir / "whole.iso").string(), TIsoForm::Plain);
    std::string iso = lumarc::test::ReadAll(Dir / "whole.iso");
    lumarc::test::SplitIntoExtents(iso, "PACKER.ZIP;1", 5);
    Write(Dir / "split.iso", iso);

    const TRun dump = Run("dump " + (Dir / "split.iso").string());
    EXPECT_EQ(dump.Status, 0) << dump.Err;
    EXPECT_EQ(dump.Out, expected.Out);
    const TRun site = Run("export-html --with-files " + (Dir / "split.iso").string() + " " + (Dir / "site").string());
    EXPECT_EQ(site.Status, 0) << site.Err;
    const std::string copied = lumarc::test::ReadAll(Dir / "site/files/COMPS/PACKER.ZIP");
    EXPECT_EQ(copied.size(), archive.size());
    EXPECT_TRUE(copied == archive);
}

}  // namespace

TEST_F(CliImage, TheWebExportOfAnImageIsThatOfTheDirectoryFilesIncluded)
{
    Write(Disc / "COMPS/Packer.zip", "PK packer");
    lumarc::test::MakeIso(Disc.string(), (Dir / "disc.iso").string(), TIsoForm::Joliet);
    ASSERT_EQ(Run("export-html --with-files " + Disc.string() + " " + (Dir / "from-dir").string()).Status, 0);
    const TRun run = Run("export-html --with-files " + (Dir / "disc.iso").string() + " " + (Dir / "from-image").string());
    ASSERT_EQ(run.Status, 0) << run.Err;
    std::vector<fs::path> written;
    for (const auto& file : fs::recursive_directory_iterator(Dir / "from-dir"))
        if (file.is_regular_file())
            written.push_back(fs::relative(file.path(), Dir / "from-dir"));
    ASSERT_FALSE(written.empty());
    EXPECT_NE(std::find(written.begin(), written.end(), fs::path("files/COMPS/Packer.zip")), written.end());
    for (const fs::path& file : written)
        EXPECT_EQ(lumarc::test::ReadAll(Dir / "from-image" / file), lumarc::test::ReadAll(Dir / "from-dir" / file)) << file;
}
