// The unzip library through its C interface: what lands in the destination, what the callbacks
// see, how the overwrite answers act, and that hostile archives write nothing outside.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "UnzipCommand.h"
#include "dunzip/ZipWriter.h"
#include "platform/TestFiles.h"

namespace lumarc::test {
namespace {

namespace fs = std::filesystem;

struct TStatusCall {
    std::string Item;
    int32_t Percent;
};
struct TMessageCall {
    int32_t MsgId;
    int32_t P1;
    std::string Text1;
    std::string Text2;
};

// A caller of the library with recording callbacks; answers questions from a list.
class TCaller {
public:
    std::vector<TStatusCall> Status;
    std::vector<TMessageCall> Messages;
    std::vector<int> Answers;  // for MsgID 8, in order; 0 once used up
    bool SupplyTexts = true;
    bool CancelStatus = false;

    int Run(const std::string& zip, const std::string& dest, const char* spec = "*.*")
    {
        std::string zipBuf = zip, destBuf = dest, specBuf = spec ? spec : "";
        UnzipCommand cmd {};
        cmd.unzipStructSize = sizeof(UnzipCommand);
        cmd.function = UNZIP_EXTRACT;
        cmd.lpszZipFile = zipBuf.data();
        cmd.lpszDestination = destBuf.data();
        cmd.lpszFileSpec = spec ? specBuf.data() : nullptr;
        cmd.lpMinorStatus = &StatusThunk;
        cmd.lpMinorUserData = this;
        cmd.lpMessageDisplay = &MessageThunk;
        cmd.lpMessageDisplayData = this;
        return dunzip(&cmd);
    }

private:
    static int StatusThunk(const char* item, int32_t percent, void* user)
    {
        auto* self = static_cast<TCaller*>(user);
        self->Status.push_back({item, percent});
        return self->CancelStatus ? 1 : 0;
    }
    static int MessageThunk(int32_t msgId, int32_t, int32_t p1, int32_t, char* lpsz1, char* lpsz2, void* user)
    {
        auto* self = static_cast<TCaller*>(user);
        self->Messages.push_back({msgId, p1, msgId == DZ_MSG_TEXT ? std::string() : std::string(lpsz1 ? lpsz1 : ""),
                                  lpsz2 ? lpsz2 : ""});
        if (msgId == DZ_MSG_TEXT) {
            if (!self->SupplyTexts)
                return 0;
            const char* text = p1 == 72 ? "Entpacke Datei: %s"
                               : p1 == 68 ? "Datei %s existiert schon, soll sie überschrieben werden?"
                               : p1 == 128 ? "Datei %s ist schreibgeschützt"
                               : p1 == 14 ? "Entpacker - Warnung"
                                          : nullptr;
            if (!text)
                return 0;
            std::snprintf(lpsz1, DZ_TEXT_BUFFER, "%s", text);
            return 1;
        }
        if (msgId == DZ_MSG_QUESTION) {
            if (self->Answers.empty())
                return 0;
            const int answer = self->Answers.front();
            self->Answers.erase(self->Answers.begin());
            return answer;
        }
        return 1;
    }
};

std::vector<TMessageCall> Questions(const TCaller& caller)
{
    std::vector<TMessageCall> result;
    for (const TMessageCall& m : caller.Messages) {
        if (m.MsgId == DZ_MSG_QUESTION)
            result.push_back(m);
    }
    return result;
}

// Everything below `root`, as relative names, to prove that nothing else appeared.
std::vector<std::string> Tree(const std::string& root)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        names.push_back(fs::relative(entry.path(), root).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

class DunzipTest : public ::testing::Test {
protected:
    std::string Zip(const std::function<void(TZipWriter&)>& fill)
    {
        const std::string path = Dir / "test.zip";
        TZipWriter writer(path);
        fill(writer);
        writer.Close();
        return path;
    }
    TTempDir Dir;
    std::string Dest = Dir / "ziel";
    TCaller Caller;
};

TEST_F(DunzipTest, RecordLayout_SizeIsWrittenIntoTheRecord)
{
    EXPECT_EQ(sizeof(UnzipCommand), sizeof(void*) == 8 ? 202u : 142u);
    EXPECT_EQ(sizeof(UnzipCommand32), 142u);
}

TEST_F(DunzipTest, Extract_NestedDirectories_ByteIdentical)
{
    const std::string binary = PoorlyPackingBytes(70000);
    const std::string zip = Zip([&](TZipWriter& w) {
        w.File("readme.txt", "Hallo\r\n").Dir("src/").File("src/grid.pas", "unit Grid;\n").File("src/lib/deep/data.bin", binary);
    });
    EXPECT_EQ(Caller.Run(zip, Dest + "/"), DZ_OK);
    EXPECT_EQ(ReadFile(Dest + "/readme.txt"), "Hallo\r\n");
    EXPECT_EQ(ReadFile(Dest + "/src/grid.pas"), "unit Grid;\n");
    EXPECT_EQ(ReadFile(Dest + "/src/lib/deep/data.bin"), binary);
    EXPECT_EQ(Tree(Dest), (std::vector<std::string>{"readme.txt", "src", "src/grid.pas", "src/lib", "src/lib/deep",
                                                    "src/lib/deep/data.bin"}));
}

TEST_F(DunzipTest, Extract_AFullDestinationStopsAndLeavesNoPartialFile)
{
    const std::string big = PoorlyPackingBytes(100000);
    const std::string zip = Zip([&](TZipWriter& w) { w.File("a.txt", "a").File("big.bin", big).File("c.txt", "c"); });
    int result = 0;
    {
        TFileSizeLimit full(40000);
        result = Caller.Run(zip, Dest);
    }
    EXPECT_EQ(result, DZ_ERR_WRITE);
    // The member before is kept, the one that did not fit leaves nothing, none after it is tried.
    EXPECT_EQ(Tree(Dest), (std::vector<std::string>{"a.txt"}));
    ASSERT_EQ(Caller.Status.size(), 2u);
}

TEST_F(DunzipTest, Extract_FileSpecSelectsMembers)
{
    const std::string zip = Zip([](TZipWriter& w) { w.File("a.pas", "a").File("b.txt", "b").File("sub/c.PAS", "c"); });
    EXPECT_EQ(Caller.Run(zip, Dest, "*.pas"), DZ_OK);
    EXPECT_EQ(Tree(Dest), (std::vector<std::string>{"a.pas", "sub", "sub/c.PAS"}));
}

TEST_F(DunzipTest, Callbacks_StatusGetsCompletedTextAndPercentOfMembersDone)
{
    const std::string zip = Zip([](TZipWriter& w) { w.File("a.txt", "a").File("b.txt", "b").File("c.txt", "c").File("d.txt", "d"); });
    ASSERT_EQ(Caller.Run(zip, Dest), DZ_OK);
    ASSERT_EQ(Caller.Status.size(), 4u);
    EXPECT_EQ(Caller.Status[0].Item, "Entpacke Datei: a.txt");
    EXPECT_EQ(Caller.Status[0].Percent, 0);
    EXPECT_EQ(Caller.Status[1].Percent, 25);
    EXPECT_EQ(Caller.Status[3].Item, "Entpacke Datei: d.txt");
    EXPECT_EQ(Caller.Status[3].Percent, 75);
    // The destination it made is told first; then each member asks for text 72, through a
    // buffer of the promised capacity.
    ASSERT_GE(Caller.Messages.size(), 2u);
    EXPECT_EQ(Caller.Messages[0].MsgId, DZ_MSG_FOLDER);
    EXPECT_EQ(Caller.Messages[1].MsgId, DZ_MSG_TEXT);
    EXPECT_EQ(Caller.Messages[1].P1, 72);
}

TEST_F(DunzipTest, Callbacks_WithoutTextTheStatusGetsTheBareName)
{
    Caller.SupplyTexts = false;
    const std::string zip = Zip([](TZipWriter& w) { w.File("dir/x.txt", "x"); });
    ASSERT_EQ(Caller.Run(zip, Dest), DZ_OK);
    ASSERT_EQ(Caller.Status.size(), 1u);
    EXPECT_EQ(Caller.Status[0].Item, "dir/x.txt");
}

TEST_F(DunzipTest, Callbacks_StatusCancelStopsWithNonZero)
{
    Caller.CancelStatus = true;
    const std::string zip = Zip([](TZipWriter& w) { w.File("a.txt", "a").File("b.txt", "b"); });
    EXPECT_NE(Caller.Run(zip, Dest), DZ_OK);
    EXPECT_FALSE(Exists(Dest + "/a.txt"));
}

class DunzipOverwriteTest : public DunzipTest {
protected:
    void SetUp() override
    {
        WriteFile(Dest + "/a.txt", "alt a");
        WriteFile(Dest + "/b.txt", "alt b");
        ZipPath = Zip([](TZipWriter& w) { w.File("a.txt", "neu a").File("b.txt", "neu b").File("c.txt", "neu c"); });
    }
    std::string ZipPath;
};

TEST_F(DunzipOverwriteTest, Yes_OverwritesAndAsksWithTargetPathAndCaption)
{
    Caller.Answers = {6, 6};
    EXPECT_EQ(Caller.Run(ZipPath, Dest + "/"), DZ_OK);
    EXPECT_EQ(ReadFile(Dest + "/a.txt"), "neu a");
    EXPECT_EQ(ReadFile(Dest + "/b.txt"), "neu b");
    const auto questions = Questions(Caller);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].Text1, "Datei " + Dest + "/a.txt existiert schon, soll sie überschrieben werden?");
    EXPECT_EQ(questions[0].Text2, "Entpacker - Warnung");
}

TEST_F(DunzipOverwriteTest, No_SkipsTheFileAndStillSucceeds)
{
    Caller.Answers = {7, 6};
    EXPECT_EQ(Caller.Run(ZipPath, Dest), DZ_OK);
    EXPECT_EQ(ReadFile(Dest + "/a.txt"), "alt a");
    EXPECT_EQ(ReadFile(Dest + "/b.txt"), "neu b");
    EXPECT_EQ(ReadFile(Dest + "/c.txt"), "neu c");
}

TEST_F(DunzipOverwriteTest, Cancel_StopsSendsTheNoticeAndFails)
{
    Caller.Answers = {2};
    EXPECT_NE(Caller.Run(ZipPath, Dest), DZ_OK);
    EXPECT_EQ(ReadFile(Dest + "/a.txt"), "alt a");
    EXPECT_FALSE(Exists(Dest + "/c.txt"));
    ASSERT_FALSE(Caller.Messages.empty());
    EXPECT_EQ(Caller.Messages.back().MsgId, DZ_MSG_CANCELLED);
    EXPECT_EQ(Questions(Caller).size(), 1u);
}

TEST_F(DunzipOverwriteTest, ReadOnlyTarget_AsksText128AndReplacesOnYes)
{
    fs::permissions(Dest + "/a.txt", fs::perms::owner_read);
    Caller.Answers = {6, 7};
    EXPECT_EQ(Caller.Run(ZipPath, Dest), DZ_OK);
    const auto questions = Questions(Caller);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].Text1, "Datei " + Dest + "/a.txt ist schreibgeschützt");
    EXPECT_EQ(ReadFile(Dest + "/a.txt"), "neu a");
}

TEST_F(DunzipTest, Failures_MissingOrCorruptArchiveIsNonZero)
{
    EXPECT_NE(Caller.Run(Dir / "fehlt.zip", Dest), DZ_OK);
    WriteFile(Dir / "kaputt.zip", "PK\x03\x04 this is not an archive");
    EXPECT_NE(Caller.Run(Dir / "kaputt.zip", Dest), DZ_OK);
}

TEST_F(DunzipTest, Failures_WrongRecordSizeOrFunctionIsRefused)
{
    UnzipCommand cmd {};
    cmd.unzipStructSize = 142 + 1;
    cmd.function = UNZIP_EXTRACT;
    EXPECT_EQ(dunzip(&cmd), DZ_ERR_PARAMS);
    cmd.unzipStructSize = sizeof(UnzipCommand);
    cmd.function = 3;
    EXPECT_EQ(dunzip(&cmd), DZ_ERR_PARAMS);
    EXPECT_EQ(dunzip(nullptr), DZ_ERR_PARAMS);
}

class DunzipHostileTest : public DunzipTest {
protected:
    // The destination sits one level down, so that an escape would land visibly beside it.
    void ExpectNothingOutside()
    {
        for (const auto& name : Tree(Dir.Path())) {
            EXPECT_TRUE(name == "test.zip" || name == "ziel" || name.rfind("ziel/", 0) == 0) << name;
        }
    }
};

TEST_F(DunzipHostileTest, DotDotMember_IsRefusedOthersExtracted)
{
    const std::string zip = Zip([](TZipWriter& w) { w.File("../x", "evil").File("a/../../y", "evil").File("ok.txt", "ok"); });
    EXPECT_EQ(Caller.Run(zip, Dest), DZ_ERR_REFUSED);
    ExpectNothingOutside();
    EXPECT_EQ(ReadFile(Dest + "/ok.txt"), "ok");
    EXPECT_FALSE(Exists(Dir / "x"));
    int refused = 0;
    for (const auto& m : Caller.Messages)
        refused += m.MsgId == DZ_MSG_REFUSED;
    EXPECT_EQ(refused, 2);
}

TEST_F(DunzipHostileTest, AbsoluteAndDriveMembers_AreRefused)
{
    const std::string abs = Dir / "abs.txt";
    const std::string zip = Zip([&](TZipWriter& w) { w.File(abs, "evil").File("C:\\evil.txt", "evil").File("\\x.txt", "e"); });
    EXPECT_NE(Caller.Run(zip, Dest), DZ_OK);
    EXPECT_FALSE(Exists(abs));
    ExpectNothingOutside();
}

TEST_F(DunzipHostileTest, SymlinkMember_IsNotCreatedAndNotFollowed)
{
    const std::string zip = Zip([&](TZipWriter& w) { w.Link("link", Dir.Path()).File("link/escape.txt", "evil"); });
    EXPECT_NE(Caller.Run(zip, Dest), DZ_OK);
    EXPECT_FALSE(Exists(Dest + "/link") && fs::is_symlink(Dest + "/link"));
    EXPECT_FALSE(Exists(Dir / "escape.txt"));
    ExpectNothingOutside();
}

TEST_F(DunzipHostileTest, ExistingLinkInDestination_IsNotWrittenThrough)
{
    fs::create_directories(Dest);
    fs::create_directory_symlink(Dir.Path(), Dest + "/sub");
    const std::string zip = Zip([](TZipWriter& w) { w.File("sub/escape.txt", "evil"); });
    EXPECT_NE(Caller.Run(zip, Dest), DZ_OK);
    EXPECT_FALSE(Exists(Dir / "escape.txt"));
}

// The central directory entry of `name` in the archive's bytes, changed at `field` (its offset
// in the entry) to `value` (4 bytes, little-endian).
void PatchEntry(std::string& bytes, const std::string& name, size_t field, uint32_t value)
{
    for (size_t at = bytes.find("PK\x01\x02"); at != std::string::npos; at = bytes.find("PK\x01\x02", at + 4)) {
        const size_t length = static_cast<unsigned char>(bytes[at + 28]) | static_cast<unsigned char>(bytes[at + 29]) << 8;
        if (bytes.compare(at + 46, length, name) != 0)
            continue;
        for (int i = 0; i < 4; ++i)
            bytes[at + field + i] = static_cast<char>(value >> (8 * i));
        return;
    }
    ADD_FAILURE() << "no entry " << name;
}

TEST_F(DunzipHostileTest, Bombs_OverlappingMembersAndTooMuchInAllAreRefusedWhole)
{
    // Two members whose directory entries point at the same data: the overlapping-file bomb.
    const std::string content = PoorlyPackingBytes(4000);
    std::string bytes = ReadFile(Zip([&](TZipWriter& w) { w.File("a.bin", content).File("b.bin", content); }));
    PatchEntry(bytes, "b.bin", 42, 0);
    WriteFile(Dir / "test.zip", bytes);
    EXPECT_EQ(Caller.Run(Dir / "test.zip", Dest), DZ_ERR_REFUSED);
    EXPECT_TRUE(Tree(Dest).empty());

    // Members that claim more than the bound in all, each below it.
    bytes = ReadFile(Zip([&](TZipWriter& w) { w.File("a.bin", content).File("b.bin", content); }));
    PatchEntry(bytes, "a.bin", 24, 700u << 20);
    PatchEntry(bytes, "b.bin", 24, 700u << 20);
    WriteFile(Dir / "test.zip", bytes);
    Caller.Messages.clear();
    EXPECT_EQ(Caller.Run(Dir / "test.zip", Dest), DZ_ERR_REFUSED);
    EXPECT_TRUE(Tree(Dest).empty());
    ExpectNothingOutside();
}

TEST_F(DunzipTest, Forms_ZerosTrailingBytesDataInFrontAndPipeMembersUnpack)
{
    // Files of one repeated byte pack a thousandfold and are ordinary all the same.
    const std::string mib(1 << 20, '\0');
    const std::string big(20 << 20, '\0');
    std::string bytes = ReadFile(Zip([&](TZipWriter& w) { w.File("leer.db", mib).File("gross.bmp", big); }));
    ASSERT_EQ(Caller.Run(Dir / "test.zip", Dest), DZ_OK);
    EXPECT_EQ(ReadFile(Dest + "/leer.db"), mib);
    EXPECT_EQ(ReadFile(Dest + "/gross.bmp").size(), big.size());

    // A stray byte after the comment, as old mail and mailbox software left it.
    bytes = ReadFile(Zip([](TZipWriter& w) { w.File("a.txt", "eins"); }));
    WriteFile(Dir / "test.zip", bytes + "\x1a");
    ASSERT_EQ(Caller.Run(Dir / "test.zip", Dest + "/angehaengt"), DZ_OK);
    EXPECT_EQ(ReadFile(Dest + "/angehaengt/a.txt"), "eins");

    // A program in front whose length the archive's offsets do not count: a self-extractor.
    WriteFile(Dir / "setup.exe", "MZ" + PoorlyPackingBytes(4094) + bytes);
    ASSERT_EQ(Caller.Run(Dir / "setup.exe", Dest + "/sfx"), DZ_OK);
    EXPECT_EQ(ReadFile(Dest + "/sfx/a.txt"), "eins");

    // What zip stores of a pipe it read: the data, marked as a pipe.
    Zip([](TZipWriter& w) { w.File("pipe.txt", "aus der Leitung"); });
    {
        zip_t* archive = zip_open((Dir / "test.zip").c_str(), 0, nullptr);
        ASSERT_NE(archive, nullptr);
        zip_file_set_external_attributes(archive, 0, 0, ZIP_OPSYS_UNIX, static_cast<zip_uint32_t>(S_IFIFO | 0644) << 16);
        ASSERT_EQ(zip_close(archive), 0);
    }
    ASSERT_EQ(Caller.Run(Dir / "test.zip", Dest + "/pipe"), DZ_OK);
    struct stat st {};
    ASSERT_EQ(::lstat((Dest + "/pipe/pipe.txt").c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(ReadFile(Dest + "/pipe/pipe.txt"), "aus der Leitung");
}

TEST_F(DunzipTest, Forms_InfoZipZip64ArchivesUnpack)
{
    if (std::system("command -v zip >/dev/null") != 0)
        GTEST_SKIP() << "Info-ZIP zip is not installed";
    WriteFile(Dir / "quelle/eins.txt", "eins");
    WriteFile(Dir / "quelle/sub/zwei.txt", PoorlyPackingBytes(10000));
    const std::string command = "cd " + Dir.Path() + " && zip -q -fz -r z64.zip quelle";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_EQ(Caller.Run(Dir / "z64.zip", Dest), DZ_OK);
    EXPECT_EQ(ReadFile(Dest + "/quelle/eins.txt"), "eins");
    EXPECT_EQ(ReadFile(Dest + "/quelle/sub/zwei.txt"), PoorlyPackingBytes(10000));
}

}  // namespace
}  // namespace lumarc::test
