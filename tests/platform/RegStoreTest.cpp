#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/RegStore.h"
#include "platform/TestFiles.h"

namespace lumarc {
namespace {

using test::ReadFile;
using test::TScopedEnv;
using test::TTempDir;
using test::WriteFile;

std::vector<TRegValue> ParseOk(const std::string& text)
{
    std::vector<TRegValue> values;
    EXPECT_TRUE(TRegStore::Parse(text, values)) << text;
    return values;
}

std::string AllBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

class PlatformRegStore : public ::testing::Test {
protected:
    TTempDir FDir;
    TScopedEnv FConfig{"XDG_CONFIG_HOME", FDir.Path()};
};

TEST_F(PlatformRegStore, KeyFileMapsTheKeyBelowTheConfigDirectory)
{
    EXPECT_EQ(TRegStore::KeyFile(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brimvale\\Lumarc32\\2.0"),
              FDir / "Brimvale/Lumarc32/2.0.conf");
    EXPECT_EQ(TRegStore::KeyFile(HKEY_CURRENT_USER, "software\\Other"), FDir / "Other.conf");
    EXPECT_EQ(TRegStore::KeyFile(HKEY_LOCAL_MACHINE, "SOFTWARE"), FDir / "SOFTWARE.conf");
    EXPECT_EQ(TRegStore::KeyFile(HKEY_LOCAL_MACHINE, "Plain"), FDir / "Plain.conf");
}

TEST_F(PlatformRegStore, KeyFileRefusesKeysThatCouldEscapeOrCannotBeStored)
{
    for (const std::string bad : {"", "A\\..\\B", "A\\\\B", "A\\.", "A/B", "SOFTWARE\\", "A\\B\nC", "..\\x"})
        EXPECT_EQ(TRegStore::KeyFile(HKEY_LOCAL_MACHINE, bad), "") << bad;
    EXPECT_EQ(TRegStore::KeyFile(0x80000000, "SOFTWARE\\X"), "");  // HKEY_CLASSES_ROOT
}

TEST(PlatformRegStoreDirs, KeyFileFallsBackToHomeConfig)
{
    TTempDir home;
    TScopedEnv homeEnv("HOME", home.Path() + "/");
    {
        TScopedEnv relative("XDG_CONFIG_HOME", "relative/dir");
        EXPECT_EQ(TRegStore::KeyFile(HKEY_LOCAL_MACHINE, "K"), home / ".config/K.conf");
    }
    TScopedEnv empty("XDG_CONFIG_HOME", "");
    EXPECT_EQ(TRegStore::KeyFile(HKEY_LOCAL_MACHINE, "K"), home / ".config/K.conf");
}

TEST(PlatformRegStoreFormat, AnyByteStringRoundTripsInNamesAndTexts)
{
    const std::vector<TRegValue> values = {
        {AllBytes(), REG_SZ, AllBytes()},
        {"", REG_SZ, ""},
        {" =#;name with = and blanks ", REG_SZ, "  leading and trailing  "},
        {"#comment-like", REG_SZ, "c:\\delphi\\component\\"},
        {";also", REG_SZ, "\\x41 is not an escape here"},
        {"Zero", REG_DWORD, TRegStore::EncodeDword(0)},
        {"Max", REG_DWORD, TRegStore::EncodeDword(0xFFFFFFFF)},
        {"High", REG_DWORD, TRegStore::EncodeDword(0x80000001)},
    };
    const std::string text = TRegStore::Format(values);
    std::vector<TRegValue> back;
    ASSERT_TRUE(TRegStore::Parse(text, back)) << text;
    ASSERT_EQ(back.size(), values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(back[i].Name, values[i].Name) << i;
        EXPECT_EQ(back[i].Type, values[i].Type) << i;
        EXPECT_EQ(back[i].Data, values[i].Data) << i;
    }
}

TEST(PlatformRegStoreFormat, ReadsHandEditedFilesLeniently)
{
    const auto values = ParseOk(
        "\xEF\xBB\xBF# comment\r\n"
        "\r\n"
        "   ; another\n"
        "  Name  =  sz:caf\xC3\xA9 \\x20\r\n"
        "count=dword:ff\n"
        "NAME=sz:last one wins");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].Name, "Name");
    EXPECT_EQ(values[0].Data, "last one wins");
    EXPECT_EQ(values[1].Data, TRegStore::EncodeDword(255));
    EXPECT_EQ(ParseOk("A=sz:caf\xC3\xA9 \\x20")[0].Data, "caf\xC3\xA9  ");
}

TEST(PlatformRegStoreFormat, CorruptTextIsRefused)
{
    std::vector<TRegValue> values;
    const std::vector<std::string> corrupt = {
        "garbage", "Name", "Name=text", "Name=SZ:x", "Name=sz:\\q", "Name=sz:\\x4", "Name=sz:a\\",
        "Name=dword:", "Name=dword:123456789", "Name=dword:xyz", "Name=dword:-1", "Name=sz:a\tb",
        std::string("A=sz:\0", 6), std::string("\x01\x02\x03\xFF\x00", 5), "[Section]"};
    for (const std::string& bad : corrupt)
        EXPECT_FALSE(TRegStore::Parse(bad, values)) << bad;
}

TEST_F(PlatformRegStore, OpenCreatesAMissingKeyWithItsDirectories)
{
    TRegStore store(FDir / "a/b/key.conf");
    EXPECT_EQ(store.Open(false), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(test::Exists(store.File()));
    EXPECT_EQ(store.Open(true), ERROR_SUCCESS);
    EXPECT_TRUE(test::Exists(store.File()));
    EXPECT_TRUE(store.Values().empty());
}

TEST_F(PlatformRegStore, OpenLeavesACorruptOrUnreadableFileAlone)
{
    const std::string corrupt = FDir / "corrupt.conf";
    WriteFile(corrupt, "\x7F" "ELF\x02\x01 binary junk\n");
    TRegStore store(corrupt);
    EXPECT_EQ(store.Open(true), ERROR_BADDB);
    EXPECT_EQ(ReadFile(corrupt), "\x7F" "ELF\x02\x01 binary junk\n");

    std::filesystem::create_directories(FDir / "dir.conf");
    EXPECT_EQ(TRegStore(FDir / "dir.conf").Open(true), ERROR_CANTREAD);
}

TEST_F(PlatformRegStore, SetReplacesInPlaceAndPersists)
{
    const std::string file = FDir / "k.conf";
    TRegStore store(file);
    ASSERT_EQ(store.Open(true), ERROR_SUCCESS);
    ASSERT_EQ(store.Set({"First", REG_SZ, "1"}), ERROR_SUCCESS);
    ASSERT_EQ(store.Set({"Second", REG_SZ, "2"}), ERROR_SUCCESS);
    ASSERT_EQ(store.Set({"FIRST", REG_DWORD, TRegStore::EncodeDword(7)}), ERROR_SUCCESS);

    TRegStore reread(file);
    ASSERT_EQ(reread.Open(false), ERROR_SUCCESS);
    ASSERT_EQ(reread.Values().size(), 2u);
    EXPECT_EQ(reread.Values()[0].Name, "First");
    EXPECT_EQ(reread.Values()[0].Type, REG_DWORD);
    ASSERT_NE(reread.Find("second"), nullptr);
    EXPECT_EQ(reread.Find("second")->Data, "2");
    EXPECT_EQ(reread.Find("third"), nullptr);
}

TEST_F(PlatformRegStore, FailedSetChangesNothing)
{
    const std::string file = FDir / "k.conf";
    TRegStore store(file);
    ASSERT_EQ(store.Open(true), ERROR_SUCCESS);
    ASSERT_EQ(store.Set({"Kept", REG_SZ, "old"}), ERROR_SUCCESS);
    // A directory in the file's place makes the rename fail.
    std::filesystem::remove(file);
    std::filesystem::create_directories(file + "/blocker");
    EXPECT_NE(store.Set({"Kept", REG_SZ, "new"}), ERROR_SUCCESS);
    EXPECT_EQ(store.Find("Kept")->Data, "old");
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(FDir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1u) << "a temporary file was left behind";
}

TEST_F(PlatformRegStore, RemoveDeletesTheFileButNotAKeyWithSubkeys)
{
    TRegStore parent(FDir / "P.conf");
    TRegStore child(FDir / "P/C.conf");
    ASSERT_EQ(parent.Open(true), ERROR_SUCCESS);
    ASSERT_EQ(child.Open(true), ERROR_SUCCESS);
    EXPECT_EQ(parent.Remove(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(child.Remove(), ERROR_SUCCESS);
    EXPECT_FALSE(test::Exists(child.File()));
    EXPECT_EQ(child.Remove(), ERROR_FILE_NOT_FOUND);
    std::filesystem::remove(FDir / "P");
    EXPECT_EQ(parent.Remove(), ERROR_SUCCESS);
}

}  // namespace
}  // namespace lumarc
