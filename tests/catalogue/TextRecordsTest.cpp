#include <gtest/gtest.h>

#include "RecordIO.h"
#include "catalogue/ScriptOutlineText.h"
#include "catalogue/ScriptParser.h"
#include "catalogue/ShortText.h"
#include "platform/Exception.h"
#include "settings/core/Settings.h"

using namespace lumarc;
using lumarc::test::TMemoryCatalogue;

namespace {

TScriptParser Script(std::vector<std::string> lines)
{
    TScriptParser parser;
    parser.Lines = std::move(lines);
    return parser;
}

}  // namespace

TEST(CatalogueTextRecords, RecordTypes)
{
    EXPECT_EQ(TScriptText().RecordType(), 2);
    EXPECT_EQ(TScriptOutlineText().RecordType(), 3);
    EXPECT_EQ(TScriptInfoText().RecordType(), 4);
    EXPECT_EQ(TShortText().RecordType(), 6);
}

TEST(CatalogueTextRecords, LineListRoundTripAndIndexEntry)
{
    TMemoryCatalogue cat;
    TShortText text;
    text.Lines.Add("D:\\COMPS\\GRID.ZIP");
    text.Lines.Add("");
    text.Lines.Add(std::string(300, '-'));
    const int32_t offset = cat.Store(text);
    EXPECT_EQ(text.DataPosition, offset);
    EXPECT_EQ(text.StoredPosition, offset);
    EXPECT_EQ(cat.Index.Bytes(), std::string("\x06\x00\x00\x00\x04\x00\x00\x00", 8));
    // The body is scrambled on disk: the count 3 is stored as 03^5A.
    EXPECT_EQ(static_cast<uint8_t>(cat.Data.Bytes()[4]), 0x03 ^ 0x5A);

    TShortText back;
    cat.Load(back, offset);
    ASSERT_EQ(back.Lines.Count(), 3);
    EXPECT_EQ(back.Lines[0], "D:\\COMPS\\GRID.ZIP");
    EXPECT_EQ(back.Lines[1], "");
    EXPECT_EQ(back.Lines[2], std::string(255, '-'));
    EXPECT_EQ(back.RecordStream(), nullptr);
}

TEST(CatalogueTextRecords, LoadingTwiceKeepsOnlyTheSecondBody)
{
    TMemoryCatalogue cat;
    TScriptInfoText a, b;
    a.Lines.Add("<F1>Eins");
    a.Lines.Add("zwei");
    b.Lines.Add("drei");
    const int32_t offA = cat.Store(a);
    const int32_t offB = cat.Store(b);
    TScriptInfoText reader;
    cat.Load(reader, offA);
    cat.Load(reader, offB);
    EXPECT_EQ(reader.Lines.Strings(), std::vector<std::string>{"drei"});

    TStringList text;
    text.Add("old");
    reader.GetText(text);
    EXPECT_EQ(text.Strings(), std::vector<std::string>{"drei"});
}

TEST(CatalogueTextRecords, EmptyBodyGivesNoLines)
{
    TMemoryCatalogue cat;
    TScriptInfoText empty;
    const int32_t offset = cat.Store(empty);
    TScriptInfoText back;
    back.Lines.Add("stale");
    cat.Load(back, offset);
    EXPECT_EQ(back.Lines.Count(), 0);
}

TEST(CatalogueTextRecords, BodyEndingEarlyRaisesReadErrorAndDetaches)
{
    TMemoryCatalogue cat;
    TScriptInfoText text;
    text.Lines.Add("erste");
    text.Lines.Add("zweite");
    text.Lines.Add("abcdef");
    const int32_t offset = cat.Store(text);
    std::string bytes = cat.Data.Bytes();
    bytes.pop_back();
    TMemoryStream truncated(bytes);
    TIndexedStream indexed(truncated, cat.Index, true);
    TScriptInfoText back;
    back.Lines.Add("alt");
    truncated.SetPosition(offset);
    try {
        TRecordStreamScope scope(back, indexed, 0);
        back.Load();
        ADD_FAILURE() << "a body cut short loaded";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    // Released by the scope on the way out, and what was read before the cut is kept.
    EXPECT_EQ(back.RecordStream(), nullptr);
    EXPECT_EQ(back.Lines.Strings(), (std::vector<std::string>{"erste", "zweite"}));
}

TEST(CatalogueTextRecords, BaseRecordsCannotLoad)
{
    TMemoryCatalogue cat;
    TScriptComponent base;
    EXPECT_THROW(cat.Load(base, 4), EAbstractError);
}

TEST(CatalogueTextRecords, StoreRefusesOwnedComponentsThatAreNoRecords)
{
    TMemoryCatalogue cat;
    TScriptInfoText text;
    text.InsertComponent(std::make_unique<TComponent>());
    EXPECT_THROW(cat.Store(text), EInvalidCast);
    // Its own index entry was written first.
    EXPECT_EQ(cat.Index.Bytes().size(), 8u);
}

TEST(CatalogueTextRecords, HeaderDates)
{
    auto date = [](const std::string& line, TDateTime start = 0) {
        TDateTime d = start;
        TParamScriptComponent::ParseHeaderDate(line, d);
        return d;
    };
    EXPECT_EQ(date("INFOTEXT [Name] 24.12.95 {"), EncodeDate(1995, 12, 24));
    EXPECT_EQ(date("INFOTEXT [Name]"), DefaultRecordDate());
    EXPECT_EQ(DefaultRecordDate(), EncodeDate(1996, 5, 2));
    EXPECT_EQ(date("INFOTEXT [Name]   2 4.12.95 und mehr"), EncodeDate(1995, 12, 24));
    EXPECT_EQ(date("INFOTEXT [Name] 99.99.99"), DefaultRecordDate());
    EXPECT_EQ(date("INFOTEXT Name] 24.12.95", 42), 42);
    EXPECT_EQ(date("INFOTEXT ]Name[ 24.12.95", 42), 42);
    EXPECT_EQ(date("INFOTEXT [Name 24.12.95", 42), 42);
    EXPECT_EQ(date("INFOTEXT [Name]\t01.01.05"), EncodeDate(2005, 1, 1));
}

TEST(CatalogueTextRecords, ParseScriptTakesTheBodyUpToTheLastClosingBrace)
{
    TScriptParser parser = Script({"INFOTEXT [A] 24.12.95 {", "<F1>Titel", "", "Text } mit Klammer", "Ende", "}",
                                   "Nachsatz", "INFOTEXT [B] {", "x", "}", "END"});
    TScriptInfoText record;
    record.ParseScript(parser);
    EXPECT_EQ(record.Lines.Strings(), (std::vector<std::string>{"<F1>Titel", "", "Text } mit Klammer", "Ende"}));
    EXPECT_EQ(record.Date, EncodeDate(1995, 12, 24));
    EXPECT_EQ(parser.Line, 6);  // the next step of the driving loop reaches the next keyword line
    EXPECT_EQ(parser.KeywordAt(7), TScriptParser::kwInfoText);
}

TEST(CatalogueTextRecords, BodyWithoutClosingBraceIsTwoLines)
{
    TScriptParser parser = Script({"SHORTTEXT [A] {", "eins", "zwei", "drei", "end"});
    TShortText record;
    record.ParseScript(parser);
    EXPECT_EQ(record.Lines.Strings(), (std::vector<std::string>{"eins", "zwei"}));

    TScriptParser atEnd = Script({"SHORTTEXT [A] {", "eins"});
    TShortText last;
    last.ParseScript(atEnd);
    EXPECT_EQ(last.Lines.Strings(), std::vector<std::string>{"eins"});
}

TEST(CatalogueTextRecords, KeywordsMatchTheFirstWordOnly)
{
    TScriptParser parser = Script({"outline [x]", "Outlines", "END\bx", "COMPONENT", " INFOTEXT", ""});
    EXPECT_EQ(parser.KeywordAt(0), TScriptParser::kwOutline);
    EXPECT_EQ(parser.KeywordAt(1), TScriptParser::kwNone);
    EXPECT_EQ(parser.KeywordAt(2), TScriptParser::kwEnd);
    EXPECT_EQ(parser.KeywordAt(3), TScriptParser::kwComponent);
    EXPECT_EQ(parser.KeywordAt(4), TScriptParser::kwNone);
    EXPECT_EQ(parser.KeywordAt(5), TScriptParser::kwNone);
}

TEST(CatalogueOutlineText, FourLineExample)
{
    TScriptParser parser = Script({"OUTLINE [O] 01.05.96 {", "Tools", "  Editors [E1]", "  Grids", "Misc", "}", "END"});
    TScriptOutlineText outline;
    outline.ParseScript(parser);
    const TTreeViewData& tree = *outline.TreeData;
    ASSERT_EQ(tree.Count(), 4);
    EXPECT_EQ(tree.Texts.Strings(), (std::vector<std::string>{"Tools", "Misc", "Editors ", "Grids"}));
    EXPECT_EQ(tree.Texts2.Strings(), (std::vector<std::string>{"", "", "E1", ""}));
    EXPECT_EQ(tree.ParentList.Values(), (std::vector<int32_t>{-1, -1, 0, 0}));
    EXPECT_EQ(tree.RootCount, 2);
}

TEST(CatalogueOutlineText, ThreeLevelsAndShallowerLinesJoinTheOuterGroup)
{
    TScriptParser parser = Script({"OUTLINE {", "A", "    A1", "      A1x", "  B?", "C", "  x] y [z", "}", "END"});
    TScriptOutlineText outline;
    outline.ParseScript(parser);
    const TTreeViewData& tree = *outline.TreeData;
    TTVRevEntry entry;
    // "  B?" is shallower than A1's level 4: it joins the top level with its blanks kept.
    std::vector<std::string> texts;
    for (int i = 0; i < tree.Count(); ++i)
        texts.emplace_back(tree.Texts[i]);
    EXPECT_EQ(texts, (std::vector<std::string>{"A", "  B?", "C", "A1", "A1x", "x] y [z"}));
    tree.GetNode(5, entry);
    EXPECT_EQ(entry.Text2, "");  // "]" before "[" keeps both brackets
    EXPECT_EQ(entry.Parent, 2);
    tree.GetNode(4, entry);
    EXPECT_EQ(entry.Parent, 3);
}

TEST(CatalogueOutlineText, RoundTripIntoSharedTreeData)
{
    TMemoryCatalogue cat;
    TScriptParser parser = Script({"OUTLINE {", "Tools [T]", "  Editors", "}", "END"});
    TScriptOutlineText outline;
    outline.ParseScript(parser);
    outline.TreeData->HasTexts2 = true;
    const int32_t offset = cat.Store(outline);
    EXPECT_EQ(cat.Index.Bytes().substr(0, 2), std::string("\x03\x00", 2));

    auto shared = std::make_unique<TTreeViewData>();
    {
        TScriptOutlineText reader(nullptr, shared.get());
        EXPECT_TRUE(reader.SharedTreeData);
        cat.Load(reader, offset);
        EXPECT_EQ(reader.Lines.Count(), 0);
    }
    // The reader is gone; the tree data it filled stays intact.
    EXPECT_EQ(*shared, *outline.TreeData);
    EXPECT_FALSE(outline.SharedTreeData);
}
