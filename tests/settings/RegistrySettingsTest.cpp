#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/TestFiles.h"
#include "settings/core/RegKey.h"
#include "settings/core/RegistrySettings.h"
#include "settings/core/Settings.h"

namespace lumarc {
namespace {

using test::ReadFile;
using test::WriteFile;

// Starts every test from the defaults with an empty configuration directory, and leaves the
// process-wide settings as it found them.
class SettingsLoadSave : public ::testing::Test {
protected:
    SettingsLoadSave() { Settings() = TSettings{}; }
    ~SettingsLoadSave() override { Settings() = FSaved; }

    std::string KeyFile() const { return FDir / "Brimvale/Lumarc32/2.0.conf"; }

    static void ExpectDefaults()
    {
        const TSettings defaults;
        EXPECT_EQ(Settings().DefaultDestinationPath, defaults.DefaultDestinationPath);
        EXPECT_EQ(Settings().ShowHints, 1);
        EXPECT_EQ(Settings().CDVolumeLabel, "TOOLDISC.CD");
    }

    TSettings FSaved = Settings();
    test::TTempDir FDir;
    test::TScopedEnv FConfig{"XDG_CONFIG_HOME", FDir.Path()};
};

TEST_F(SettingsLoadSave, LoadWithoutKey_CreatesItAndKeepsDefaults)
{
    LoadSettings();
    ExpectDefaults();
    EXPECT_TRUE(test::Exists(KeyFile()));
}

TEST_F(SettingsLoadSave, SaveThenLoad_RestoresAllThreeValues)
{
    Settings().DefaultDestinationPath = "/home/j\xC3\xB6rg/Komponenten";
    Settings().ShowHints = 0;
    Settings().CDVolumeLabel = "OTHER.CD";
    SaveSettings();
    Settings() = TSettings{};
    LoadSettings();
    EXPECT_EQ(Settings().DefaultDestinationPath, "/home/j\xC3\xB6rg/Komponenten");
    EXPECT_EQ(Settings().ShowHints, 0);  // hints switched off survive the restart
    EXPECT_EQ(Settings().CDVolumeLabel, "OTHER.CD");
    EXPECT_NE(ReadFile(KeyFile()).find("ShowHints=dword:00000000"), std::string::npos);
}

TEST_F(SettingsLoadSave, UpdateDateIsNotKept)
{
    SetUpdateDateText("24.12.95");
    SaveSettings();
    Settings() = TSettings{};
    LoadSettings();
    EXPECT_EQ(Settings().UpdateDateText, "02.05.96");
    EXPECT_EQ(ReadFile(KeyFile()).find("Update"), std::string::npos);
}

TEST_F(SettingsLoadSave, MissingValues_KeepCurrentSettingsButShowHintsBecomesOne)
{
    WriteFile(KeyFile(), "CDVolumeLabel=sz:MINE\n");
    Settings().DefaultDestinationPath = "/current";
    Settings().ShowHints = 0;
    LoadSettings();
    EXPECT_EQ(Settings().DefaultDestinationPath, "/current");
    EXPECT_EQ(Settings().ShowHints, 1);
    EXPECT_EQ(Settings().CDVolumeLabel, "MINE");
}

TEST_F(SettingsLoadSave, OverlongLabel_RaisesAfterTheValuesBeforeIt)
{
    WriteFile(KeyFile(), "DefaultDestinationPath=sz:/new\nShowHints=dword:0\nCDVolumeLabel=sz:TOOLDISC.CD.LONG\n");
    try {
        LoadSettings();
        FAIL() << "no error";
    } catch (const ERegKey& e) {
        EXPECT_STREQ(e.what(), "Fehler beim Lesen des RegistryStrings!");
    }
    EXPECT_EQ(Settings().DefaultDestinationPath, "/new");
    EXPECT_EQ(Settings().ShowHints, 0);
    EXPECT_EQ(Settings().CDVolumeLabel, "TOOLDISC.CD");
}

TEST_F(SettingsLoadSave, LoadCorruptFile_UsesDefaults)
{
    const std::string junk = "\x89PNG\r\n\x1A\n\x00\x00 this is no settings file";
    WriteFile(KeyFile(), junk);
    LoadSettings();
    ExpectDefaults();
    EXPECT_EQ(ReadFile(KeyFile()), junk);
}

TEST_F(SettingsLoadSave, LoadUnreadableFile_UsesDefaults)
{
    std::filesystem::create_directories(KeyFile());  // a directory where the file should be
    LoadSettings();
    ExpectDefaults();
}

TEST_F(SettingsLoadSave, CorruptFileSurvivesTheStartAndIsReplacedOnlyBySaving)
{
    WriteFile(KeyFile(), "garbage\n");
    LoadSettings();
    EXPECT_EQ(ReadFile(KeyFile()), "garbage\n");
    Settings().ShowHints = 0;
    Settings().DefaultDestinationPath = "/mine";
    SaveSettings();
    Settings() = TSettings{};
    LoadSettings();
    EXPECT_EQ(Settings().ShowHints, 0);
    EXPECT_EQ(Settings().DefaultDestinationPath, "/mine");
}

TEST_F(SettingsLoadSave, OneBadLineCostsOnlyThatLineIsSaidOnceAndKeptOnSaving)
{
    const std::string damaged = "DefaultDestinationPath=sz:/home/anna/komp\n"
                                "ShowHints=dword:0000000G\n"
                                "CDVolumeLabel=sz:MEINE.CD\n";
    WriteFile(KeyFile(), damaged);
    try {
        LoadSettings();
        FAIL() << "the bad line went unsaid";
    } catch (const ERegKey& e) {
        const std::string said = e.what();
        EXPECT_NE(said.find("Zeile 2: ShowHints=dword:0000000G"), std::string::npos) << said;
        EXPECT_NE(said.find(KeyFile() + ".bak"), std::string::npos) << said;
    }
    EXPECT_EQ(Settings().DefaultDestinationPath, "/home/anna/komp");
    EXPECT_EQ(Settings().ShowHints, 1);
    EXPECT_EQ(Settings().CDVolumeLabel, "MEINE.CD");
    EXPECT_EQ(ReadFile(KeyFile()), damaged);  // reading changes nothing

    Settings().ShowHints = 0;
    SaveSettings();
    EXPECT_EQ(ReadFile(KeyFile() + ".bak"), damaged);
    Settings() = TSettings{};
    LoadSettings();  // the saved file is whole again: nothing more to say
    EXPECT_EQ(Settings().ShowHints, 0);
    EXPECT_EQ(Settings().CDVolumeLabel, "MEINE.CD");
}

TEST_F(SettingsLoadSave, SaveWhereNothingCanBeWritten_SaysSoInsteadOfPassing)
{
    // A file where the configuration directory should be, then a directory where the key file
    // should be: neither can take the settings.
    WriteFile(FDir / "Brimvale", "not a directory");
    try {
        SaveSettings();
        FAIL() << "no error";
    } catch (const ERegKey& e) {
        EXPECT_STREQ(e.what(), "Die Einstellungen konnten nicht gespeichert werden!");
    }
    std::filesystem::remove(FDir / "Brimvale");
    std::filesystem::create_directories(KeyFile());
    EXPECT_THROW(SaveSettings(), ERegKey);
    EXPECT_TRUE(std::filesystem::is_directory(KeyFile()));
}

TEST_F(SettingsLoadSave, SaveOfAnOverlongPath_RaisesAndKeepsTheFileReadable)
{
    Settings().DefaultDestinationPath = std::string(300, 'p');
    EXPECT_THROW(SaveSettings(), ERegKey);
    Settings() = TSettings{};
    LoadSettings();
    ExpectDefaults();
}

}  // namespace
}  // namespace lumarc
