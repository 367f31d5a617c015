// lumarc-cli as other tools see it: exit codes, stdout and stderr of the real program.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "catalogue/BuildScripts.h"
#include "cli/CliRun.h"

namespace fs = std::filesystem;

namespace {

using lumarc::test::ReadAll;
using lumarc::test::TRun;
using Cli = lumarc::test::TCliTest;

}  // namespace

TEST_F(Cli, DumpIsJsonWithTheFixedSchema)
{
    const fs::path cat = BuildDemo();
    const TRun run = Run("dump " + cat.string());
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto dump = nlohmann::ordered_json::parse(run.Out);

    std::vector<std::string> keys;
    for (const auto& item : dump.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"header", "index", "rootCount", "hasTexts2", "nodes", "records"}));
    EXPECT_EQ(dump["header"], nlohmann::json::parse("[3, 2]"));
    EXPECT_EQ(dump["index"][0], nlohmann::ordered_json::parse(R"({"type": 4, "offset": 4})"));
    EXPECT_EQ(dump["rootCount"], 2);
    EXPECT_EQ(dump["hasTexts2"], true);

    const auto& welcome = dump["nodes"][0];
    std::vector<std::string> nodeKeys;
    for (const auto& item : welcome.items())
        nodeKeys.push_back(item.key());
    EXPECT_EQ(nodeKeys, (std::vector<std::string>{"text", "text2", "parent", "firstChild", "childCount", "date", "ref"}));
    EXPECT_EQ(welcome["text"], "Willkommen ");
    EXPECT_EQ(welcome["text2"], "willkommen");
    EXPECT_EQ(welcome["date"], "1995-12-24");
    EXPECT_EQ(welcome["ref"], 4);

    const auto& records = dump["records"];
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0]["kind"], "info");
    EXPECT_EQ(records[0]["lines"][0], "<F1>Willkommen – 10 €");
    // Records follow node order: Willkommen, Packer (a second child of Komponenten), Raster.
    const auto& raster = records[2];
    EXPECT_EQ(raster["kind"], "component");
    std::vector<std::string> compoKeys;
    for (const auto& item : raster.items())
        compoKeys.push_back(item.key());
    EXPECT_EQ(compoKeys,
              (std::vector<std::string>{"entry", "kind", "offset", "shortName", "longName", "fileName", "version",
                                        "lastReview", "copyright", "os", "distribution", "limitations", "price",
                                        "rating", "language", "compiler", "keyWords", "shortInfo", "longInfo",
                                        "installation", "review", "documentation", "contact", "order"}));
    EXPECT_EQ(raster["rating"], 7);
    EXPECT_TRUE(raster["order"].is_array());
    EXPECT_EQ(records[1]["kind"], "short");
    EXPECT_EQ(records[1]["entry"], 3);
    EXPECT_EQ(records[1]["lines"][1], "┌─┐ Größe");
    EXPECT_EQ(records[1]["offset"], dump["index"][1]["offset"]);
    EXPECT_EQ(static_cast<uint32_t>(dump["nodes"][3]["ref"].get<int32_t>()), 0x40000000u | records[1]["offset"].get<uint32_t>());
}

TEST_F(Cli, DumpReportsUnreadableRecordsAndGoesOn)
{
    const fs::path cat = BuildDemo();
    const auto dump = nlohmann::json::parse(Run("dump " + cat.string()).Out);
    std::string data = ReadAll(cat / "Data" / "Lumarc32.dat");
    // Give the info text a line count far beyond the file.
    data[4] = static_cast<char>(0x7F ^ 0x5A);
    Write(cat / "Data" / "Lumarc32.dat", data);
    const TRun run = Run("dump " + cat.string());
    EXPECT_EQ(run.Status, 1);
    const auto broken = nlohmann::json::parse(run.Out);
    EXPECT_EQ(broken["records"][0]["error"], "Stream read error");
    EXPECT_FALSE(broken["records"][0].contains("lines"));
    EXPECT_EQ(broken["records"][1], dump["records"][1]);
}

TEST_F(Cli, TreeIndentsTwoSpacesPerLevel)
{
    const TRun run = Run("tree " + BuildDemo().string());
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "Willkommen \nKomponenten\n  Tabellen\n    Raster \n  Packer \n");
}

TEST_F(Cli, TreeNumbersAreTheEntriesShowTakes)
{
    const fs::path demo = BuildDemo();
    const TRun numbered = Run("tree --numbers " + demo.string());
    ASSERT_EQ(numbered.Status, 0);
    // Each line is the plain line behind its number and a tab; the number shows that entry.
    std::istringstream lines(numbered.Out), plain(Run("tree " + demo.string()).Out);
    std::string line, expected;
    while (std::getline(lines, line)) {
        ASSERT_TRUE(std::getline(plain, expected));
        const size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        EXPECT_EQ(line.substr(tab + 1), expected);
        EXPECT_EQ(Run("show " + demo.string() + " " + line.substr(0, tab)).Status, 0) << line;
    }
    EXPECT_FALSE(std::getline(plain, expected));
    EXPECT_EQ(Run("tree --numbers " + demo.string()).Out.substr(0, 13), "0\tWillkommen ");
}

TEST_F(Cli, AFailedWriteIsAnErrorNeverSuccess)
{
    const fs::path demo = BuildDemo();
    for (const char* command : {"dump", "tree", "check"}) {
        const std::string err = (Dir / "err").string();
        const int raw = std::system((std::string(LUMARC_CLI) + " " + command + " " + demo.string() + " >/dev/full 2>" + err).c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        // check of a sound catalogue writes nothing, so it has nothing to fail on.
        EXPECT_EQ(WEXITSTATUS(raw), std::string(command) == "check" ? 0 : 1) << command;
        if (std::string(command) != "check") {
            EXPECT_NE(ReadAll(err).find("nicht geschrieben"), std::string::npos) << command;
        }
    }
}

TEST_F(Cli, CatalogueIsFoundInDataOrBesideOrByItsDataFile)
{
    const fs::path cat = BuildDemo();
    EXPECT_EQ(Run("tree " + (cat / "Data").string()).Status, 0);
    fs::copy_file(cat / "Data" / "Lumarc32.dat", Dir / "other.dat");
    fs::copy_file(cat / "Data" / "Lumarc32.idx", Dir / "other.idx");
    EXPECT_EQ(Run("tree " + (Dir / "other.dat").string()).Status, 0);
    // The index names the catalogue as well as its data file does.
    const TRun byIndex = Run("tree " + (Dir / "other.idx").string());
    EXPECT_EQ(byIndex.Status, 0) << byIndex.Err;
    EXPECT_EQ(byIndex.Out, Run("tree " + (Dir / "other.dat").string()).Out);
    const TRun missing = Run("tree " + (Dir / "nowhere").string());
    EXPECT_EQ(missing.Status, 1);
    const std::string nowhere = (Dir / "nowhere").string();
    const std::string said = "Datenbank nicht gefunden!\nGesucht: " + nowhere + ", " + nowhere + ".idx\n";
    EXPECT_EQ(missing.Err, said);
    EXPECT_EQ(Run("check " + nowhere).Err, said);
}

TEST_F(Cli, WrongFormatPrintsTheVersionMessage)
{
    const fs::path cat = BuildDemo();
    std::string data = ReadAll(cat / "Data" / "Lumarc32.dat");
    data[2] = 1;
    Write(cat / "Data" / "Lumarc32.dat", data);
    const std::string said =
        "Falsche Datendateien - bitte kopieren Sie die richtigen Dateien der Version: 3 in das DATA-Verzeichnis!\n";
    // The searches read the version where they map the data file; search-all names the catalogue.
    for (const std::string& command : {"dump " + cat.string(), "search " + cat.string() + " Demo"}) {
        const TRun run = Run(command);
        EXPECT_EQ(run.Status, 1) << command;
        EXPECT_EQ(run.Out, "") << command;
        EXPECT_EQ(run.Err, said) << command;
    }
    const TRun all = Run("search-all Demo " + cat.string());
    EXPECT_EQ(all.Status, 1);
    EXPECT_EQ(all.Out, "");
    EXPECT_EQ(all.Err, cat.string() + ": " + said);
}

// The searches find the outline in the index where they map it, the container left closed.
TEST_F(Cli, AnIndexWithoutOutlineIsSaidBySearches)
{
    const fs::path cat = BuildDemo();
    std::string index = ReadAll(cat / "Data" / "Lumarc32.idx");
    for (size_t at = 0; at + 8 <= index.size(); at += 8)
        if (index[at] == 3 && index[at + 1] == 0)
            index[at] = 7;
    Write(cat / "Data" / "Lumarc32.idx", index);
    const std::string said = "Konnte OutlineText nicht laden!\n";
    const TRun one = Run("search " + cat.string() + " Demo");
    EXPECT_EQ(one.Status, 1);
    EXPECT_EQ(one.Err, said);
    const TRun all = Run("search-all Demo " + cat.string());
    EXPECT_EQ(all.Status, 1);
    EXPECT_EQ(all.Err, cat.string() + ": " + said);
}

TEST_F(Cli, CheckPassesASoundCatalogueAndListsProblemsOfBrokenOnes)
{
    const fs::path cat = BuildDemo();
    const TRun sound = Run("check " + cat.string());
    EXPECT_EQ(sound.Status, 0);
    EXPECT_EQ(sound.Out, "");

    const std::string data = ReadAll(cat / "Data" / "Lumarc32.dat");
    const std::string index = ReadAll(cat / "Data" / "Lumarc32.idx");
    Write(cat / "Data" / "Lumarc32.dat", data.substr(0, data.size() - 3));
    const TRun truncated = Run("check " + cat.string());
    EXPECT_EQ(truncated.Status, 1);
    EXPECT_NE(truncated.Out.find("Stream read error"), std::string::npos) << truncated.Out;

    Write(cat / "Data" / "Lumarc32.dat", data);
    std::string mistyped = index;
    mistyped[8] = 5;  // the short text entered as a component
    Write(cat / "Data" / "Lumarc32.idx", mistyped);
    const TRun typed = Run("check " + cat.string());
    EXPECT_EQ(typed.Status, 1);
    EXPECT_NE(typed.Out.find("ist vom Typ 5 statt 6"), std::string::npos) << typed.Out;
}

TEST_F(Cli, CheckAndDumpSurviveCorruptionAtEveryByte)
{
    const fs::path cat = BuildDemo();
    const std::string data = ReadAll(cat / "Data" / "Lumarc32.dat");
    // Every eighth byte keeps the run short; the catalogue tests flip each byte in memory.
    for (size_t pos = 0; pos < data.size(); pos += 8) {
        std::string broken = data;
        broken[pos] = static_cast<char>(broken[pos] ^ 0xFF);
        Write(cat / "Data" / "Lumarc32.dat", broken);
        const TRun check = Run("check " + cat.string());
        EXPECT_TRUE(check.Status == 0 || check.Status == 1) << pos;
        const TRun dump = Run("dump " + cat.string());
        EXPECT_TRUE(dump.Status == 0 || dump.Status == 1) << pos << dump.Err;
        if (dump.Status == 0 || !dump.Out.empty()) {
            EXPECT_TRUE(nlohmann::json::accept(dump.Out)) << pos;
        }
    }
}

TEST_F(Cli, BuildRefusesBadScriptsAndWritesNothing)
{
    Write(Dir / "a.txt", "OUTLINE {\nA\n  B [fehlt]\n}\n");
    const TRun link = Run("build -o " + (Dir / "out").string() + " " + (Dir / "a.txt").string());
    EXPECT_EQ(link.Status, 1);
    EXPECT_EQ(link.Err, (Dir / "a.txt").string() + ":3: unbekannter Verweis [fehlt]\n");
    EXPECT_FALSE(fs::exists(Dir / "out"));

    Write(Dir / "b.txt", "OUTLINE {\nA ✓\n}\n");
    const TRun glyph = Run("build -o " + (Dir / "out").string() + " " + (Dir / "b.txt").string());
    EXPECT_EQ(glyph.Status, 1);
    EXPECT_NE(glyph.Err.find("b.txt:2: "), std::string::npos) << glyph.Err;
    EXPECT_FALSE(fs::exists(Dir / "out"));

    // A failed build keeps an earlier catalogue as it was.
    const fs::path cat = BuildDemo();
    const std::string before = ReadAll(cat / "Data" / "Lumarc32.dat");
    EXPECT_EQ(Run("build -o " + (cat / "Data").string() + " " + (Dir / "a.txt").string()).Status, 1);
    EXPECT_EQ(ReadAll(cat / "Data" / "Lumarc32.dat"), before);
    EXPECT_EQ(fs::directory_iterator(cat / "Data") == fs::directory_iterator(), false);
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(cat / "Data"))
        ++files;
    EXPECT_EQ(files, 2u);
}

TEST_F(Cli, WrongUsageExitsWithTwo)
{
    EXPECT_EQ(Run("").Status, 2);
    const TRun unknown = Run("frobnicate x");
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_EQ(unknown.Err.substr(0, 30), "Unbekannter Befehl: frobnicate");
    const TRun version = Run("--version");
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "lumarc-cli 2.03\n");
    const TRun missing = Run("dump");
    EXPECT_EQ(missing.Status, 2);
    EXPECT_EQ(missing.Err, "Es fehlt: KATALOG\nHilfe: lumarc-cli dump --help\n");
    // The hint names the help that lists what was missing, down to a command of a command.
    EXPECT_EQ(Run("library add").Err, "Es fehlt: PFAD\nHilfe: lumarc-cli library add --help\n");
    EXPECT_EQ(Run("build x.txt").Status, 2);
    EXPECT_EQ(Run("--help").Status, 0);
    // A wrong value is said in German, with the option it was given to.
    for (const auto& [args, said] : std::initializer_list<std::pair<const char*, const char*>>{
             {"tree x --numbers=ja", "Ungültiger Wert für --numbers: ja\n"},
             {"components x --min-rating", "Es fehlt ein Wert für --min-rating\n"},
             {"components x --min-rating 1 --min-rating 2", "Zu viele Werte für --min-rating\n"}}) {
        const TRun wrong = Run(args);
        EXPECT_EQ(wrong.Status, 2) << args;
        EXPECT_EQ(wrong.Err.substr(0, wrong.Err.find('\n') + 1), said) << args;
    }
    // An unknown option is named, before a command as after it.
    for (const char* args : {"--frobnicate", "dump --frobnicate x"}) {
        const TRun option = Run(args);
        EXPECT_EQ(option.Status, 2) << args;
        EXPECT_EQ(option.Err.substr(0, 32), "Unbekannte Option: --frobnicate\n") << args;
    }
}

// CLI11 heads its lists in English; every help, down to the commands of a command, says German.
TEST_F(Cli, EveryCommandsHelpIsGerman)
{
    std::vector<std::string> commands{""};
    for (size_t i = 0; i < commands.size(); ++i) {
        const TRun help = Run(commands[i] + " --help");
        EXPECT_EQ(help.Status, 0) << commands[i];
        for (const char* english : {"Usage", "OPTIONS", "SUBCOMMAND", "Subcommands", "Options", "Positionals", "REQUIRED"})
            EXPECT_EQ(help.Out.find(english), std::string::npos) << commands[i] << " --help says " << english;
        const size_t listed = help.Out.find("Befehle:\n");
        if (listed == std::string::npos)
            continue;
        std::istringstream lines(help.Out.substr(listed + 9));
        for (std::string line; std::getline(lines, line) && line.rfind("  ", 0) == 0;)
            commands.push_back(commands[i] + " " + line.substr(2, line.find(' ', 2) - 2));
    }
    EXPECT_NE(std::find(commands.begin(), commands.end(), " library add"), commands.end());
}

TEST_F(Cli, OutputCutShortByAClosedPipeEndsQuietly)
{
    // More than a pipe holds, so that the writer meets the closed end.
    const fs::path big = LUMARC_LARGE_CATALOGUE;
    const std::string err = (Dir / "err").string();
    const std::string command = std::string(LUMARC_CLI) + " dump " + big.string() + " 2>" + err + " | head -c 10 >/dev/null";
    ASSERT_EQ(std::system(("bash -c '" + command + "'").c_str()), 0);
    EXPECT_EQ(ReadAll(err), "");
}
