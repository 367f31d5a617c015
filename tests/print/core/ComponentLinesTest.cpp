// The component page's lines and the component text built from them, on records made in
// memory. Expected texts are CP1252 bytes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/core/ComponentPage.h"
#include "print/core/ComponentText.h"
#include "print/core/FontTag.h"
#include "print/core/PlainLines.h"

using namespace lumarc;

namespace {

using TLines = std::vector<std::string>;

TStringList List(const TLines& lines)
{
    TStringList list;
    for (const std::string& line : lines)
        list.Add(line);
    return list;
}

}  // namespace

TEST(PrintCoreComponentPage, LanguageNamesCoverEveryKnownCodeAndNothingElse)
{
    EXPECT_EQ(LanguageName(1), "Englisch");
    EXPECT_EQ(LanguageName(44), "Englisch");
    EXPECT_EQ(LanguageName(33), "Franz\xF6sisch");
    EXPECT_EQ(LanguageName(49), "Deutsch");
    for (int code = 0; code < 256; ++code) {
        if (code != 1 && code != 33 && code != 44 && code != 49) {
            EXPECT_EQ(LanguageName(code), "") << code;
        }
    }
}

TEST(PrintCoreComponentPage, CompilerListForEveryFlagCombination)
{
    const char* const expected[8] = {
        "",
        "Delphi 1.0X",
        "Delphi 2",
        "Delphi 1.0X, Delphi 2",
        "BPascal",
        "Delphi 1.0X, BPascal",
        "Delphi 2, BPascal",
        "Delphi 1.0X, Delphi 2, BPascal",
    };
    for (int flags = 0; flags < 8; ++flags)
        EXPECT_EQ(CompilerList(flags), expected[flags]) << flags;
    // Bits above the three compilers name nothing.
    EXPECT_EQ(CompilerList(0xF8), "");
    EXPECT_EQ(CompilerList(0xFE), "Delphi 2, BPascal");
}

TEST(PrintCoreComponentPage, LanguageAndCompilerLineJoinsOnlyThePartsPresent)
{
    struct TCase {
        std::string OS;
        uint8_t Language;
        uint8_t Compiler;
        std::string Line;
    };
    const TCase cases[] = {
        {"", 0, 0, ""},
        {"", 7, 0, ""},
        {"Win95", 0, 0, "OS: Win95"},
        {"", 44, 0, "Sprache: Englisch"},
        {"", 0, 4, "Compiler: BPascal"},
        {"", 49, 6, "Sprache: Deutsch  Compiler: Delphi 2, BPascal"},
        {"Win 3.1", 7, 1, "OS: Win 3.1  Compiler: Delphi 1.0X"},
        {"NT", 33, 7, "OS: NT  Sprache: Franz\xF6sisch  Compiler: Delphi 1.0X, Delphi 2, BPascal"},
    };
    for (const TCase& c : cases) {
        TCompoText compo;
        compo.OS = c.OS;
        compo.Language = c.Language;
        compo.Compiler = c.Compiler;
        EXPECT_EQ(LangCompLine(compo), c.Line) << c.OS << ' ' << int(c.Language) << ' ' << int(c.Compiler);
    }
}

TEST(PrintCoreComponentPage, KeyWordsPackIntoLinesOfAtMostTheLimitBeforeTheLastWord)
{
    EXPECT_TRUE(PackKeyWords({}).Empty());
    EXPECT_EQ(PackKeyWords(List({"GRID", "DB"})).Strings(), (TLines{" GRID DB"}));

    // The test is word + line <= 255 before the blank is added, so a line may reach 256.
    const std::string a(200, 'A'), b54(54, 'B'), b55(55, 'B');
    const TLines fits = PackKeyWords(List({a, b54})).Strings();
    EXPECT_EQ(fits, (TLines{" " + a + " " + b54}));
    EXPECT_EQ(fits[0].size(), 256u);
    EXPECT_EQ(PackKeyWords(List({a, b55})).Strings(), (TLines{" " + a, b55}));

    // Later lines begin with a word; every line is filled before the next one starts.
    TStringList many;
    for (int i = 0; i < 60; ++i)
        many.Add("WORD" + std::to_string(100 + i));  // 7 characters each
    const TLines packed = PackKeyWords(many).Strings();
    ASSERT_EQ(packed.size(), 2u);
    EXPECT_EQ(packed[0].front(), ' ');
    EXPECT_EQ(packed[1].substr(0, 7), "WORD132");
    EXPECT_EQ(packed[0].size(), 32u * 8);
    EXPECT_EQ(packed[1].size(), 28u * 8 - 1);

    // A word beyond the limit stands alone; as the first word it leaves the empty start line
    // behind it.
    const std::string huge(256, 'H');
    EXPECT_EQ(PackKeyWords(List({huge, "X"})).Strings(), (TLines{"", huge, "X"}));
    EXPECT_EQ(PackKeyWords(List({"X", huge})).Strings(), (TLines{" X", huge}));
}

TEST(PrintCoreComponentPage, PageLinesCarryTaggedHeadingsInTheirOrder)
{
    TCompoText compo;
    compo.ShortInfo = List({"Ein Raster", "mit && Zeilen"});
    compo.Order = List({"Bestellnummer 12"});
    compo.Price = "49 DM";
    compo.Contact = List({"Firma", "Stadt"});
    compo.KeyWords = List({"GRID", "RASTER"});
    compo.LongInfo = List({"not on the page"});
    EXPECT_EQ(ComponentPageLines(compo).Strings(),
              (TLines{"<F1>KurzInfo:", "Ein Raster", "mit && Zeilen", "<F1>Order:", "Bestellnummer 12",
                      "<F1>Preis:", "49 DM", "", "<F1>Kontaktadresse:", "Firma", "Stadt",
                      "<F1>Schl\xFCsselw\xF6rter:", " GRID RASTER"}));
}

TEST(PrintCoreComponentPage, PartsWithoutContentHaveNoHeading)
{
    TCompoText empty;
    empty.OS = "Win95";
    empty.Rating = 7;
    EXPECT_TRUE(ComponentPageLines(empty).Empty());

    TCompoText priceOnly;
    priceOnly.Price = "frei";
    EXPECT_EQ(ComponentPageLines(priceOnly).Strings(), (TLines{"<F1>Preis:", "frei", ""}));

    // An empty line counts as content of a list.
    TCompoText blankContact;
    blankContact.Contact = List({""});
    EXPECT_EQ(ComponentPageLines(blankContact).Strings(), (TLines{"<F1>Kontaktadresse:", ""}));
}

TEST(PrintCoreFontTag, FirstTagOfEitherCaseIsCutWhateverFollows)
{
    const std::pair<std::string, std::string> cases[] = {
        {"<F1>Titel", "Titel"},
        {"<f0>klein", "klein"},
        {"vorne <F1>hinten", "vorne hinten"},
        {"<F1>a<F0>b", "a<F0>b"},
        {"<F 1>x", ">x"},
        {"<Fx>kein Tag", "kein Tag"},
        {"Ende<F", "Ende"},
        {"Ende<F1", "Ende"},
        {"ohne Tag <G1>", "ohne Tag <G1>"},
        {"", ""},
        {"<", "<"},
    };
    for (const auto& [line, plain] : cases)
        EXPECT_EQ(StripFontTag(line), plain) << line;
    EXPECT_EQ(LinesWithoutFontTags(List({"<F1>a", "b", "<F0>"})).Strings(), (TLines{"a", "b", ""}));
}

TEST(PrintCoreComponentText, HeadingPageLinesWithoutTagsThenTheLongDescription)
{
    TCompoText compo;
    compo.LongName = "Raster & Gitter";
    compo.Version = "2.1";
    compo.ShortInfo = List({"Zeilen && Spalten"});
    compo.Price = "49 DM";
    compo.KeyWords = List({"A&&B"});
    compo.LongInfo = List({"Lange & breite", "", "Beschreibung"});
    EXPECT_EQ(ComponentText(compo).Strings(),
              (TLines{"Komponente: Raster & Gitter   Version 2.1", "", "KurzInfo:", "Zeilen & Spalten", "Preis:",
                      "49 DM", "", "Schl\xFCsselw\xF6rter:", " A&B", "Ausf\xFChrliche Beschreibung:", "Lange & breite",
                      "", "Beschreibung"}));
}

TEST(PrintCoreComponentText, EmptyComponentStillHasItsFrame)
{
    EXPECT_EQ(ComponentText(TCompoText{}).Strings(),
              (TLines{"Komponente:    Version ", "", "Ausf\xFChrliche Beschreibung:"}));
}

TEST(PrintCoreComponentText, DoubledAmpersandsPrintAsTheViewDrawsThem)
{
    EXPECT_EQ(CollapseDoubledAmpersands("a && b"), "a & b");
    EXPECT_EQ(CollapseDoubledAmpersands("&&&&"), "&&");
    EXPECT_EQ(CollapseDoubledAmpersands("&&&"), "&&");
    EXPECT_EQ(CollapseDoubledAmpersands("a & b"), "a & b");
    EXPECT_EQ(CollapseDoubledAmpersands("&"), "&");
    EXPECT_EQ(CollapseDoubledAmpersands(""), "");
}
