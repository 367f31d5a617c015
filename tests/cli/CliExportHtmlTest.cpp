// lumarc-cli export-html: the site's pages hold what show prints, the outline reaches every
// record, the files come from the disc and from nowhere else, and failures are said.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliRun.h"

#include <nlohmann/json.hpp>

namespace fs = std::filesystem;

namespace {

using lumarc::test::ReadAll;
using lumarc::test::TRun;
using CliExportHtml = lumarc::test::TCliTest;

// The text of the element with id "text" as a browser's innerText gives it for a <pre>: tags
// dropped, character references read.
std::string TextElement(const std::string& page)
{
    const size_t open = page.find("<pre id=\"text\"");
    if (open == std::string::npos)
        return "<no text element>";
    const size_t from = page.find('>', open) + 1;
    const std::string inner = page.substr(from, page.find("</pre>", from) - from);
    std::string text;
    for (size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] == '<') {
            i = inner.find('>', i);
            continue;
        }
        if (inner[i] != '&') {
            text += inner[i];
            continue;
        }
        const size_t end = inner.find(';', i);
        const std::string name = inner.substr(i + 1, end - i - 1);
        text += name == "amp"    ? "&"
                : name == "lt"   ? "<"
                : name == "gt"   ? ">"
                : name == "quot" ? "\""
                : name == "#13"  ? "\r"
                                 : "?";
        i = end;
    }
    return text;
}

std::set<int> Numbers(const std::string& text, const std::string& pattern)
{
    std::set<int> numbers;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        numbers.insert(std::stoi((*it)[1]));
    return numbers;
}

// Tags in the middle and in lower case, markup characters, a tab, an empty first line, key
// words past one packed line and with doubled ampersands, box drawing in a short text, a
// heading with a record and children, and one without either.
const char* const kScript =
    "OUTLINE {\n"
    "Start [start]\n"
    "Kapitel\n"
    "  Packer [packer]\n"
    "  Raster [raster]\n"
    "    Unter [unter]\n"
    "Leer\n"
    "}\n"
    "INFOTEXT [start] 01.01.95 {\n"
    "\n"
    "<F1>Titel <b>&amp; \"Zitat\"\n"
    "Zeile\tmit Tab und <f2>Tag in der Mitte\n"
    "ohne Tag, Schrift 2 bleibt\n"
    "}\n"
    "SHORTTEXT [packer] 24.12.30 {\n"
    "D:\\COMPS\\PACKER.ZIP\n"
    "┌──┐ Größe <1>\n"
    "└──┘\n"
    "}\n"
    "INFOTEXT [unter] {\n"
    "unten\n"
    "}\n"
    "COMPONENT [raster] {\n"
    "[LongName]\n"
    "Raster & Gitter <pro>\n"
    "[Version]\n"
    "1.1\n"
    "[Rating]\n"
    "7\n"
    "[ShortInfo]\n"
    "Drag&&Drop\n"
    "[KeyWords]\n"
    "Drag&&Drop; Wort1; Wort2; Wort3; Wort4; Wort5; Wort6; Wort7; Wort8; Wort9; Wort10; Wort11; Wort12; "
    "Wort13; Wort14; Wort15; Wort16; Wort17; Wort18; Wort19; Wort20; Wort21; Wort22; Wort23; Wort24; Wort25; "
    "Wort26; Wort27; Wort28; Wort29; Wort30; Wort31; Wort32; Wort33; Wort34; Wort35; Wort36; Wort37; Wort38; "
    "Wort39; Wort40; Wort41; Wort42; Wort43; Wort44; Wort45\n"
    "[LongInfo]\n"
    "Ein Gitter.\n"
    "\n"
    "  eingerückt\n"
    "[Review]\n"
    "Gut.\n"
    "}\n";

class CliExportHtmlPages : public CliExportHtml {
protected:
    // Exports `catalogue` and compares entry pages with show: every entry, or every `step`th.
    void ExpectPagesAreShow(const fs::path& catalogue, int step = 1)
    {
        const fs::path site = Dir / "site";
        fs::remove_all(site);
        const TRun run = Run("export-html " + catalogue.string() + " " + site.string());
        ASSERT_EQ(run.Status, 0) << run.Err;
        const int entries =
            static_cast<int>(nlohmann::json::parse(Run("dump " + catalogue.string()).Out)["nodes"].size());
        ASSERT_GT(entries, 0);
        for (int entry = 0; entry < entries; entry += step) {
            const TRun show = Run("show " + catalogue.string() + " " + std::to_string(entry));
            ASSERT_EQ(show.Status, 0) << show.Err;
            std::string expected = show.Out;
            if (!expected.empty())
                expected.pop_back();  // show ends every line, the element separates them
            EXPECT_EQ(TextElement(ReadAll(site / "entry" / (std::to_string(entry) + ".html"))), expected)
                << catalogue << " entry " << entry;
        }
    }
};

}  // namespace

TEST_F(CliExportHtmlPages, EveryEntryPageHoldsWhatShowPrints)
{
    ExpectPagesAreShow(BuildScript(kScript));
    ExpectPagesAreShow(LUMARC_DEMO_CATALOGUE);
    ExpectPagesAreShow(LUMARC_LARGE_CATALOGUE, 97);
}

TEST_F(CliExportHtml, OutlineLinksEveryRecordAndPagesLinkTheirNeighboursInTreeOrder)
{
    const fs::path cat = BuildScript(kScript);
    const fs::path site = Dir / "site";
    ASSERT_EQ(Run("export-html " + cat.string() + " " + site.string()).Status, 0);

    const auto dump = nlohmann::json::parse(Run("dump " + cat.string()).Out);
    std::set<int> withRecord;
    for (size_t i = 0; i < dump["nodes"].size(); ++i)
        if (dump["nodes"][i]["ref"] != -1)
            withRecord.insert(static_cast<int>(i));
    const std::string index = ReadAll(site / "index.html");
    EXPECT_EQ(Numbers(index, R"(href="entry/(\d+)\.html")"), withRecord);
    EXPECT_NE(index.find("<details"), std::string::npos);
    EXPECT_NE(index.find("<!doctype html>\n<html lang=\"de\">"), std::string::npos);

    // Tree order as `tree --numbers` prints it; each page links the one before, the one after
    // and its parent (the outline for a top-level entry).
    std::vector<int> order;
    std::vector<int> depth;
    std::istringstream tree(Run("tree --numbers " + cat.string()).Out);
    for (std::string line; std::getline(tree, line);) {
        order.push_back(std::stoi(line));
        const size_t text = line.find('\t') + 1;
        depth.push_back(static_cast<int>((line.find_first_not_of(' ', text) - text) / 2));
    }
    ASSERT_EQ(order.size(), dump["nodes"].size());
    for (size_t i = 0; i < order.size(); ++i) {
        const std::string page = ReadAll(site / "entry" / (std::to_string(order[i]) + ".html"));
        const std::string at = "entry " + std::to_string(order[i]);
        EXPECT_EQ(Numbers(page, R"(href="(\d+)\.html" rel="prev")"),
                  i > 0 ? std::set<int>{order[i - 1]} : std::set<int>{})
            << at;
        EXPECT_EQ(Numbers(page, R"(href="(\d+)\.html" rel="next")"),
                  i + 1 < order.size() ? std::set<int>{order[i + 1]} : std::set<int>{})
            << at;
        size_t parent = i;
        while (parent > 0 && depth[parent] >= depth[i])
            --parent;
        if (depth[i] == 0)
            EXPECT_NE(page.find("href=\"../index.html\" rel=\"up\""), std::string::npos) << at;
        else
            EXPECT_EQ(Numbers(page, R"(href="(\d+)\.html" rel="up")"), std::set<int>{order[parent]}) << at;
        EXPECT_NE(page.find("<title>"), std::string::npos) << at;
    }
    // Dated 2030, after the update date: marked new in the outline and on its page.
    EXPECT_NE(ReadAll(site / "entry" / "3.html").find("<span class=\"neu\">neu</span></h1>"), std::string::npos);
    EXPECT_EQ(ReadAll(site / "entry" / "0.html").find("class=\"neu\""), std::string::npos);
    EXPECT_NE(index.find("Packer</a><span class=\"neu\">"), std::string::npos);
}

TEST_F(CliExportHtml, WithFilesTakesTheDiscsFilesAsTheyAreSpeltAndNothingOffTheDisc)
{
    const fs::path disc = BuildScript(
        "OUTLINE {\n"
        "Gitter [gitter]\n"
        "Fehlt [fehlt]\n"
        "Ausbruch [ausbruch]\n"
        "Verweis [verweis]\n"
        "}\n"
        "COMPONENT [gitter] {\n[FileName]\nD:\\COMPS\\GRID.ZIP\n[LongName]\nGitter\n}\n"
        "SHORTTEXT [fehlt] {\nD:\\COMPS\\FEHLT.ZIP\nnicht da\n}\n"
        "SHORTTEXT [ausbruch] {\nD:\\..\\geheim.txt\nnicht auf der CD\n}\n"
        "SHORTTEXT [verweis] {\nD:\\COMPS\\LINK.TXT\nein Verweis hinaus\n}\n",
        "disc");
    Write(disc / "comps" / "Grid.zip", "PK archive bytes");
    Write(Dir / "geheim.txt", "secret");
    fs::create_symlink(Dir / "geheim.txt", disc / "comps" / "link.txt");
    const fs::path site = Dir / "site";
    const TRun run = Run("export-html --with-files " + disc.string() + " " + site.string());
    ASSERT_EQ(run.Status, 0) << run.Err;

    EXPECT_EQ(ReadAll(site / "files" / "comps" / "Grid.zip"), "PK archive bytes");
    EXPECT_NE(ReadAll(site / "entry" / "0.html").find("href=\"../files/comps/Grid.zip\""), std::string::npos);
    for (const char* page : {"1.html", "2.html", "3.html"})
        EXPECT_EQ(ReadAll(site / "entry" / page).find("files/"), std::string::npos) << page;
    std::vector<fs::path> taken;
    for (const auto& file : fs::recursive_directory_iterator(site / "files"))
        if (file.is_regular_file())
            taken.push_back(fs::relative(file.path(), site));
    EXPECT_EQ(taken, std::vector<fs::path>{"files/comps/Grid.zip"});

    // Without the option nothing is copied, and the name is still shown.
    const fs::path plain = Dir / "plain";
    ASSERT_EQ(Run("export-html " + disc.string() + " " + plain.string()).Status, 0);
    EXPECT_FALSE(fs::exists(plain / "files"));
    EXPECT_NE(ReadAll(plain / "entry" / "0.html").find("D:\\COMPS\\GRID.ZIP"), std::string::npos);
}

TEST_F(CliExportHtml, UnreadableRecordsAndUnwritableTargetsAreSaid)
{
    const fs::path cat = BuildScript(kScript);
    std::string data = ReadAll(cat / "Data" / "Lumarc32.dat");
    // The first record is the start page's info text: a line count far beyond the file.
    data[4] = static_cast<char>(0x7F ^ 0x5A);
    Write(cat / "Data" / "Lumarc32.dat", data);
    const fs::path site = Dir / "site";
    const TRun broken = Run("export-html " + cat.string() + " " + site.string());
    EXPECT_EQ(broken.Status, 1);
    EXPECT_EQ(broken.Err, "Eintrag 0: Stream read error\n");
    EXPECT_NE(ReadAll(site / "entry" / "0.html").find("konnte nicht gelesen werden: Stream read error"),
              std::string::npos);
    // The rest is there, and the search still finds it.
    EXPECT_NE(ReadAll(site / "entry" / "4.html").find("Raster &amp; Gitter"), std::string::npos);
    EXPECT_NE(ReadAll(site / "search-index.json").find("Gut."), std::string::npos);
    EXPECT_TRUE(fs::exists(site / "index.html"));

    Write(Dir / "datei", "kein Verzeichnis");
    const TRun blocked = Run("export-html " + cat.string() + " " + (Dir / "datei").string());
    EXPECT_EQ(blocked.Status, 1);
    EXPECT_EQ(
        blocked.Err.rfind("Das Verzeichnis " + (Dir / "datei").string() + "/entry konnte nicht angelegt werden: ", 0),
        0u)
        << blocked.Err;
    EXPECT_EQ(ReadAll(Dir / "datei"), "kein Verzeichnis");

    const TRun missing = Run("export-html " + (Dir / "nirgends").string() + " " + (Dir / "out").string());
    EXPECT_EQ(missing.Status, 1);
    EXPECT_FALSE(fs::exists(Dir / "out"));
}

TEST_F(CliExportHtml, AUsersOwnFilesAreNeverWrittenAmongUnlessForced)
{
    const fs::path cat = BuildScript(kScript);
    const fs::path mine = Dir / "meins";
    Write(mine / "index.html", "meine eigene Seite");
    const TRun refused = Run("export-html " + cat.string() + " " + mine.string());
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find(mine.string()), std::string::npos) << refused.Err;
    EXPECT_EQ(ReadAll(mine / "index.html"), "meine eigene Seite");
    EXPECT_EQ(std::distance(fs::directory_iterator(mine), fs::directory_iterator()), 1);

    EXPECT_EQ(Run("export-html --force " + cat.string() + " " + mine.string()).Status, 0);
    EXPECT_NE(ReadAll(mine / "index.html"), "meine eigene Seite");
    // A site this export wrote is replaced without being forced.
    const TRun again = Run("export-html " + cat.string() + " " + mine.string());
    EXPECT_EQ(again.Status, 0) << again.Err;
}
