#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>

#include "platform/TestFiles.h"
#include "settings/core/RegKey.h"

namespace lumarc {
namespace {

using test::ReadFile;
using test::WriteFile;

constexpr const char* kKey = "SOFTWARE\\Brimvale\\Lumarc32\\2.0";

// Every test gets its own configuration directory.
class SettingsRegKey : public ::testing::Test {
protected:
    std::string KeyFile() const { return FDir / "Brimvale/Lumarc32/2.0.conf"; }

    template <typename Call>
    static std::string ErrorOf(Call call)
    {
        try {
            call();
        } catch (const ERegKey& e) {
            return e.what();
        }
        return "";
    }

    test::TTempDir FDir;
    test::TScopedEnv FConfig{"XDG_CONFIG_HOME", FDir.Path()};
};

TEST_F(SettingsRegKey, CreateOpensAndCreatesTheKey)
{
    TRegKey key(HKEY_LOCAL_MACHINE, kKey);
    EXPECT_EQ(key.LastError, ERROR_SUCCESS);
    EXPECT_EQ(key.Key, KeyFile());
    EXPECT_EQ(key.RootKey, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(key.SubKey, kKey);
    EXPECT_TRUE(test::Exists(KeyFile()));
    key.Close();
    EXPECT_EQ(key.Key, "");
}

TEST_F(SettingsRegKey, CreateFailureIsLeftInLastError)
{
    TRegKey bad(HKEY_LOCAL_MACHINE, "SOFTWARE\\..\\escape");
    EXPECT_EQ(bad.LastError, ERROR_BADKEY);
    EXPECT_EQ(bad.Key, "");

    WriteFile(KeyFile(), "not a settings file\n");
    TRegKey corrupt(HKEY_LOCAL_MACHINE, kKey);
    EXPECT_EQ(corrupt.LastError, ERROR_BADDB);
    EXPECT_EQ(ReadFile(KeyFile()), "not a settings file\n");
    EXPECT_EQ(ErrorOf([&] { corrupt.ReadString("x", "", 10); }), SRegStringRead);
    EXPECT_EQ(ErrorOf([&] { corrupt.Close(); }), SRegKeyClose);
}

TEST_F(SettingsRegKey, StringsPersistAndMissingValuesGiveTheDefault)
{
    {
        TRegKey key(HKEY_LOCAL_MACHINE, kKey);
        key.WriteString("DefaultDestinationPath", "c:\\delphi\\comp");
        EXPECT_EQ(key.LastError, ERROR_SUCCESS);
        key.Close();
    }
    TRegKey key(HKEY_LOCAL_MACHINE, kKey);
    EXPECT_EQ(key.ReadString("DefaultDestinationPath", "x", 512), "c:\\delphi\\comp");
    EXPECT_EQ(key.ReadString("defaultdestinationpath", "x", 512), "c:\\delphi\\comp");
    EXPECT_EQ(key.LastError, ERROR_SUCCESS);
    EXPECT_EQ(key.ReadString("Missing", "fallback", 512), "fallback");
    EXPECT_EQ(key.LastError, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.ReadInteger("Missing", -7), -7);
    EXPECT_EQ(key.LastError, ERROR_FILE_NOT_FOUND);
}

TEST_F(SettingsRegKey, ReadStringRefusesTextsLongerThanTheBuffer)
{
    TRegKey key(HKEY_LOCAL_MACHINE, kKey);
    key.WriteString("Label", "TOOLDISC.CD12");  // 13 bytes
    EXPECT_EQ(key.ReadString("Label", "", 13), "TOOLDISC.CD12");
    key.WriteString("Label", "TOOLDISC.CD123");  // 14 bytes
    EXPECT_EQ(ErrorOf([&] { key.ReadString("Label", "", 13); }), "Fehler beim Lesen des RegistryStrings!");
    EXPECT_EQ(key.LastError, ERROR_MORE_DATA);
}

TEST_F(SettingsRegKey, ReadStringEndsAtATerminatingZeroWhateverTheType)
{
    WriteFile(KeyFile(), "Terminated=sz:ABC\\x00\nInner=sz:A\\x00B\nNumber=dword:00000041\n");
    TRegKey key(HKEY_LOCAL_MACHINE, kKey);
    ASSERT_EQ(key.LastError, ERROR_SUCCESS);
    EXPECT_EQ(key.ReadString("Terminated", "", 4), "ABC");
    EXPECT_EQ(key.ReadString("Inner", "", 13), "A");
    EXPECT_EQ(key.ReadString("Number", "", 13), "A");  // the four bytes 41 00 00 00
}

TEST_F(SettingsRegKey, IntegersAreStoredAsFourBytes)
{
    TRegKey key(HKEY_LOCAL_MACHINE, kKey);
    for (const std::int32_t value : {0, 1, -1, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max()}) {
        key.WriteInteger("ShowHints", value);
        EXPECT_EQ(key.ReadInteger("ShowHints", 99), value);
    }
    key.WriteInteger("ShowHints", 0);
    EXPECT_NE(ReadFile(KeyFile()).find("ShowHints=dword:00000000\n"), std::string::npos) << ReadFile(KeyFile());
}

TEST_F(SettingsRegKey, ReadIntegerWantsExactlyFourBytes)
{
    TRegKey key(HKEY_LOCAL_MACHINE, kKey);
    key.WriteString("Four", "ABCD");
    EXPECT_EQ(key.ReadInteger("Four", 0), 0x44434241);
    key.WriteString("Two", "AB");
    EXPECT_EQ(ErrorOf([&] { key.ReadInteger("Two", 0); }), SRegStringRead);
    key.WriteString("Five", "ABCDE");
    EXPECT_EQ(ErrorOf([&] { key.ReadInteger("Five", 0); }), SRegStringRead);
}

TEST_F(SettingsRegKey, OverlongWritesAreRefusedNotCut)
{
    TRegKey key(HKEY_LOCAL_MACHINE, kKey);
    const std::string longest(TRegKey::MaxWriteLength, 'x');
    key.WriteString(longest, longest);
    EXPECT_EQ(key.ReadString(longest, "", 512), longest);
    EXPECT_EQ(ErrorOf([&] { key.WriteString("Value", longest + "y"); }), "Fehler beim Schreiben des RegistryStrings!");
    EXPECT_EQ(ErrorOf([&] { key.WriteString(longest + "y", "v"); }), SRegStringWrite);
    EXPECT_EQ(key.LastError, ERROR_INVALID_PARAMETER);
    EXPECT_EQ(key.ReadString("Value", "none", 512), "none");
}

TEST_F(SettingsRegKey, FailedWritesRaiseAndKeepTheOldValue)
{
    TRegKey key(HKEY_LOCAL_MACHINE, kKey);
    key.WriteString("Kept", "old");
    std::filesystem::remove(KeyFile());
    std::filesystem::create_directories(KeyFile() + "/blocker");
    EXPECT_EQ(ErrorOf([&] { key.WriteString("Kept", "new"); }), SRegStringWrite);
    EXPECT_NE(key.LastError, ERROR_SUCCESS);
    EXPECT_EQ(ErrorOf([&] { key.WriteInteger("Kept", 1); }), SRegStringWrite);
    EXPECT_EQ(key.ReadString("Kept", "", 512), "old");
}

TEST_F(SettingsRegKey, DeleteKeyRemovesTheKey)
{
    {
        TRegKey key(HKEY_LOCAL_MACHINE, kKey);
        key.WriteString("Name", "value");
        key.DeleteKey();
        EXPECT_EQ(key.Key, "");
        EXPECT_FALSE(test::Exists(KeyFile()));
        EXPECT_EQ(ErrorOf([&] { key.DeleteKey(); }), SRegKeyClose);
    }
    TRegKey again(HKEY_LOCAL_MACHINE, kKey);
    EXPECT_EQ(again.ReadString("Name", "gone", 512), "gone");
    std::filesystem::remove(KeyFile());
    EXPECT_EQ(ErrorOf([&] { again.DeleteKey(); }), "Fehler beim Löschen des RegistryKeys!");
    EXPECT_EQ(again.LastError, ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace lumarc
