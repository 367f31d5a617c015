// lumarc-cli components: every filter, alone and together, against what dump says of the same
// catalogue, so the list and the dump cannot drift apart.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/CliRun.h"

namespace {

using lumarc::test::TRun;
using Cli = lumarc::test::TCliTest;
using Json = nlohmann::json;

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Shown(std::string word)
{
    for (size_t at = word.find("&&"); at != std::string::npos; at = word.find("&&", at + 1))
        word.erase(at, 1);
    return word;
}

// Thirty components that differ in every field a filter reads; two of them shown by two
// entries each, one of those under an entry with a component of its own.
std::string GeneratedScript()
{
    const char* compilers[] = {"", "Delphi", "Delphi2", "BP", "Delphi, Delphi2", "delphi bp"};
    const char* languages[] = {"49", "1", "44", "33", "0", "x"};
    const char* distributions[] = {"Freeware", "Shareware", "Demoversion", "Vollversion", "freeware mit Quelltext"};
    const char* systems[] = {"Windows 95", "WIN 3.1", "DOS", "Windows NT, Windows 95", "Gr\xC3\xBC\xC3\x9F OS"};
    const char* words[] = {"Grid", "Drag&Drop", "Datenbank", "grid, Druck", "Apercu Tabelle"};
    std::string outline = "OUTLINE [Gliederung] 01.05.96 {\r\nAlle\r\n";
    std::string records;
    for (int i = 0; i < 30; ++i) {
        const std::string name = "K" + std::to_string(i);
        if (i != 7)
            outline += "  " + name + " [" + name + "]\r\n";
        char date[16];
        std::snprintf(date, sizeof date, "%02d.%02d.96", 1 + i % 27, 1 + i % 12);
        records += "COMPONENT [" + name + "] " + date + " {\r\n[LongName]\r\nKomponente " + name + "\r\n";
        records += "[Version]\r\n1." + std::to_string(i) + "\r\n[Rating]\r\n" + std::to_string(i % 11) + "\r\n";
        records += "[Language]\r\n" + std::string(languages[i % 6]) + "\r\n";
        records += "Compiler\r\n" + std::string(compilers[i % 6]) + "\r\n";
        records += "[Distribution]\r\n" + std::string(distributions[i % 5]) + "\r\n";
        records += "[OS]\r\n" + std::string(systems[(i / 2) % 5]) + "\r\n";
        records += "[KeyWords]\r\n" + std::string(words[(i / 3) % 5]) + "\r\n}\r\n";
    }
    outline += "K7 [K7]\r\n  Kind [K8]\r\nNochmal [K3]\r\n}\r\n";
    return outline + records;
}

}  // namespace

TEST_F(Cli, ComponentFiltersAgreeWithTheDump)
{
    const std::filesystem::path cat = BuildScript(GeneratedScript());
    const TRun dumpRun = Run("dump " + cat.string());
    ASSERT_EQ(dumpRun.Status, 0) << dumpRun.Err;
    const Json dump = Json::parse(dumpRun.Out);
    std::vector<Json> components;
    for (const Json& record : dump["records"])
        if (record["kind"] == "component")
            components.push_back(record);
    ASSERT_EQ(components.size(), 32u);  // K3 and K8 are shown twice

    const TRun all = Run("components --json " + cat.string());
    ASSERT_EQ(all.Status, 0) << all.Err;
    const Json rows = Json::parse(all.Out);
    ASSERT_EQ(rows.size(), components.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const Json& row = rows[i];
        const Json& record = components[i];
        SCOPED_TRACE(row.dump());
        std::vector<std::string> keys;
        for (const auto& item : row.items())
            keys.push_back(item.key());
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(keys, (std::vector<std::string>{"compiler", "compilers", "date", "distribution", "entry",
                                                  "fileName", "keyWords", "language", "longName", "os", "price",
                                                  "rating", "shortName", "version"}));
        EXPECT_EQ(row["entry"], record["entry"]);
        for (const char* key : {"shortName", "longName", "fileName", "version", "rating", "language", "compiler",
                                "os", "distribution", "price"})
            EXPECT_EQ(row[key], record[key]) << key;
        Json words = Json::array();
        for (const Json& word : record["keyWords"])
            words.push_back(Shown(word.get<std::string>()));
        EXPECT_EQ(row["keyWords"], words);
        EXPECT_EQ(row["date"], dump["nodes"][record["entry"].get<int>()]["date"]);
        std::vector<std::string> names;
        const int flags = record["compiler"];
        if (flags & 1)
            names.push_back("Delphi 1.0X");
        if (flags & 2)
            names.push_back("Delphi 2");
        if (flags & 4)
            names.push_back("BPascal");
        EXPECT_EQ(row["compilers"], Json(names));
    }

    // Each filter as the contract words it, computed here from the dump.
    using TWant = std::function<bool(const Json& record, const Json& node)>;
    const auto contains = [](const Json& text, const std::string& part) {
        return Lower(text.get<std::string>()).find(Lower(part)) != std::string::npos;
    };
    const auto hasWord = [](const Json& record, const std::string& word) {
        return std::any_of(record["keyWords"].begin(), record["keyWords"].end(),
                           [&](const Json& w) { return Lower(Shown(w.get<std::string>())) == Lower(word); });
    };
    const std::vector<std::pair<std::string, TWant>> cases = {
        {"--compiler delphi2", [](const Json& r, const Json&) { return (r["compiler"].get<int>() & 2) != 0; }},
        {"--compiler delphi1 --compiler bp",
         [](const Json& r, const Json&) { return (r["compiler"].get<int>() & 5) != 0; }},
        {"--language 49 --language 33",
         [](const Json& r, const Json&) { return r["language"] == 49 || r["language"] == 33; }},
        {"--min-rating 7", [](const Json& r, const Json&) { return r["rating"].get<int>() >= 7; }},
        {"--keyword GRID", [&](const Json& r, const Json&) { return hasWord(r, "grid"); }},
        {"--keyword drag\\&drop", [&](const Json& r, const Json&) { return hasWord(r, "drag&drop"); }},
        {"--distribution FREEWARE", [&](const Json& r, const Json&) { return contains(r["distribution"], "freeware"); }},
        {"--os 'windows 95'", [&](const Json& r, const Json&) { return contains(r["os"], "windows 95"); }},
        {"--os gr\xC3\xBC\xC3\x9F", [&](const Json& r, const Json&) { return contains(r["os"], "gr\xC3\xBC\xC3\x9F"); }},
        {"--since 1996-06-15",
         [](const Json&, const Json& n) { return n["childCount"] == 0 && n["date"].is_string() && n["date"] > "1996-06-15"; }},
        {"--compiler delphi2 --min-rating 3 --os win --since 1996-02-01",
         [&](const Json& r, const Json& n) {
             return (r["compiler"].get<int>() & 2) != 0 && r["rating"].get<int>() >= 3 && contains(r["os"], "win") &&
                    n["childCount"] == 0 && n["date"].is_string() && n["date"] > "1996-02-01";
         }},
    };
    for (const auto& [options, want] : cases) {
        SCOPED_TRACE(options);
        std::string expected;
        for (const Json& record : components) {
            const int entry = record["entry"];
            if (want(record, dump["nodes"][entry]))
                expected += std::to_string(entry) + "\t" + record["longName"].get<std::string>() + "\t" +
                            record["version"].get<std::string>() + "\n";
        }
        ASSERT_FALSE(expected.empty()) << "the catalogue must give each filter something to find";
        ASSERT_NE(expected.size(), all.Out.size());
        const TRun run = Run("components " + cat.string() + " " + options);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, expected);
    }
}

TEST_F(Cli, ComponentsRefusesUnknownCompilersAndDatesAndGoesOnPastUnreadableRecords)
{
    const std::filesystem::path cat = BuildScript(GeneratedScript());
    for (const char* options : {"--compiler delphi3", "--compiler Delphi2", "--since 1996-02-30", "--since 96-02-01",
                                "--since 1996-2-1", "--min-rating viel"}) {
        const TRun run = Run("components " + cat.string() + " " + options);
        EXPECT_EQ(run.Status, 2) << options;
        EXPECT_TRUE(run.Out.empty()) << options;
    }

    // One record whose first tag byte is no tag: the others are listed, the damage is said as
    // dump says it, and the status is 1.
    const TRun before = Run("components " + cat.string());
    const Json dump = Json::parse(Run("dump " + cat.string()).Out);
    const auto k10 = std::find_if(dump["records"].begin(), dump["records"].end(),
                                  [](const Json& r) { return r["longName"] == "Komponente K10"; });
    ASSERT_NE(k10, dump["records"].end());
    const Json& damaged = *k10;
    const std::filesystem::path data = cat / "Data" / "Lumarc32.dat";
    std::string bytes = lumarc::test::ReadAll(data);
    bytes[damaged["offset"].get<size_t>()] = static_cast<char>(0x07 ^ 0x5A);
    Write(data, bytes);
    const TRun after = Run("components " + cat.string());
    EXPECT_EQ(after.Status, 1);
    EXPECT_EQ(after.Err, "Invalid property value\n");
    const std::string line = std::to_string(damaged["entry"].get<int>()) + "\t" +
                             damaged["longName"].get<std::string>() + "\t" + damaged["version"].get<std::string>() +
                             "\n";
    ASSERT_NE(before.Out.find(line), std::string::npos) << before.Out;
    std::string expected = before.Out;
    expected.erase(expected.find(line), line.size());
    EXPECT_EQ(after.Out, expected);
}
