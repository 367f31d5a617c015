#include "catalogue/CompoText.h"

#include <gtest/gtest.h>

#include <tuple>

#include "RecordIO.h"
#include "catalogue/ScriptParser.h"
#include "platform/Exception.h"

using namespace lumarc;
using lumarc::test::TMemoryCatalogue;

namespace {

std::unique_ptr<TCompoText> Parse(std::vector<std::string> body)
{
    TScriptParser parser;
    parser.Lines.push_back("COMPONENT [C] 15.05.96 {");
    for (auto& line : body)
        parser.Lines.push_back(std::move(line));
    parser.Lines.push_back("}");
    parser.Lines.push_back("END");
    auto record = std::make_unique<TCompoText>();
    record->ParseScript(parser);
    return record;
}

std::vector<std::string> Words(const std::string& value)
{
    TStringList list;
    TCompoText::SplitKeyWords(value, list);
    return list.Strings();
}

}  // namespace

TEST(CatalogueCompoText, KeyWordsSplitAtSpacesFirst)
{
    EXPECT_EQ(Words("Grid, Editor;DB  Tools"), (std::vector<std::string>{"GRID", "EDITORDB", "TOOLS"}));
    EXPECT_EQ(Words("a;b,c"), (std::vector<std::string>{"AB", "C"}));  // "," before ";"
    EXPECT_EQ(Words("Drag&Drop"), std::vector<std::string>{"DRAG&&DROP"});
    EXPECT_TRUE(Words("  ,; ").empty());
}

TEST(CatalogueCompoText, CompilerFlags)
{
    EXPECT_EQ(Parse({"Compiler", "Delphi, dELPHI2"})->Compiler, 3);
    EXPECT_EQ(Parse({"Compiler", "BP"})->Compiler, 4);
    EXPECT_EQ(Parse({"compiler:", "delphi bp other"})->Compiler, 5);
    EXPECT_EQ(Parse({"[OS]", "Win95"})->Compiler, 0);
    EXPECT_EQ(Parse({"Compiler", ""})->Compiler, 0);
    // The header is the last line naming the compiler, wherever the word stands.
    EXPECT_EQ(Parse({"Compiler", "BP", "Geeignet für jeden Compiler", "Delphi"})->Compiler, 1);
}

TEST(CatalogueCompoText, SectionsFillTheirFields)
{
    const auto c = Parse({"[ShortName]",
                          "GRID",
                          "[LongName]",
                          "Raster & Gitter",
                          "[FileName]",
                          "D:\\COMPS\\GRID.ZIP",
                          "; ein Kommentar",
                          "[Rating]",
                          "7",
                          "[Language]",
                          "  49",
                          "[ShortInfo]",
                          "[noch] Zeile & eins",
                          "Zeile zwei",
                          "[LongInfo]",
                          "[Review]",
                          "Gut.",
                          "",
                          "[Order]",
                          "Tel. 0123 & Fax",
                          "[Price]",
                          "49,- DM",
                          "[Contact]"});
    EXPECT_EQ(c->ShortName, "GRID");
    EXPECT_EQ(c->LongName, "Raster & Gitter");  // single values keep their ampersands
    EXPECT_EQ(c->FileName, "D:\\COMPS\\GRID.ZIP");
    EXPECT_EQ(c->Rating, 7);
    EXPECT_EQ(c->Language, 49);
    // The first line after a header is always taken, even when it starts with "[".
    EXPECT_EQ(c->ShortInfo.Strings(), (std::vector<std::string>{"[noch] Zeile && eins", "Zeile zwei"}));
    // A section directly followed by another header takes that header line, and what follows
    // it up to the next "[" line.
    EXPECT_EQ(c->LongInfo.Strings(), (std::vector<std::string>{"[Review]", "Gut.", ""}));
    EXPECT_EQ(c->Review.Strings(), (std::vector<std::string>{"Gut.", ""}));
    EXPECT_EQ(c->Order.Strings(), std::vector<std::string>{"Tel. 0123 && Fax"});
    EXPECT_EQ(c->Price, "49,- DM");
    // A header on the last line has nothing below it.
    EXPECT_TRUE(c->Contact.Empty());
    EXPECT_TRUE(c->Lines.Empty());
}

TEST(CatalogueCompoText, RepeatedTagTakesTheLastAndNumbersFallBackToZero)
{
    const auto c = Parse({"[Version]", "1.0", "[Version]", "2.0", "[Rating]", "sieben", "[Language]", "300"});
    EXPECT_EQ(c->Version, "2.0");
    EXPECT_EQ(c->Rating, 0);
    EXPECT_EQ(c->Language, 300 & 0xFF);
}

TEST(CatalogueCompoText, RoundTripKeepsEveryFieldInItsPlace)
{
    TMemoryCatalogue cat;
    TCompoText c;
    std::string* texts[] = {&c.ShortName, &c.LongName, &c.FileName,     &c.Version,     &c.LastReview,
                            &c.Copyright, &c.OS,       &c.Distribution, &c.Limitations, &c.Price};
    for (size_t i = 0; i < std::size(texts); ++i)
        *texts[i] = "text" + std::to_string(i);
    TStringList* lists[] = {&c.KeyWords, &c.ShortInfo,     &c.LongInfo, &c.Installation,
                            &c.Review,   &c.Documentation, &c.Contact,  &c.Order};
    for (size_t i = 0; i < std::size(lists); ++i)
        lists[i]->Add("list" + std::to_string(i));
    c.Rating = 7;
    c.Language = 49;
    c.Compiler = 3;
    const int32_t offset = cat.Store(c);
    EXPECT_EQ(c.DataPosition, offset);

    // Byte layout: tagged ShortName first, the three bytes after Price, Contact before Order.
    std::string plain = cat.Data.Bytes().substr(static_cast<size_t>(offset));
    for (char& ch : plain)
        ch = static_cast<char>(ch ^ 0x5A);
    EXPECT_EQ(plain.substr(0, 7), std::string("\x06\x05text0", 7));
    const size_t bytesAt = 10 * 7;
    EXPECT_EQ(plain.substr(bytesAt, 3), std::string("\x07\x31\x03", 3));
    EXPECT_LT(plain.find("list6"), plain.find("list7"));

    TCompoText back;
    back.Lines.Add("stale");
    cat.Load(back, offset);
    const std::string* backTexts[] = {&back.ShortName,   &back.LongName,  &back.FileName, &back.Version,
                                      &back.LastReview,  &back.Copyright, &back.OS,       &back.Distribution,
                                      &back.Limitations, &back.Price};
    for (size_t i = 0; i < std::size(backTexts); ++i)
        EXPECT_EQ(*backTexts[i], "text" + std::to_string(i));
    EXPECT_EQ(back.Contact.Strings(), std::vector<std::string>{"list6"});
    EXPECT_EQ(back.Order.Strings(), std::vector<std::string>{"list7"});
    EXPECT_EQ(back.Rating, 7);
    EXPECT_EQ(back.Language, 49);
    EXPECT_EQ(back.Compiler, 3);
    EXPECT_TRUE(back.Lines.Empty());
}

TEST(CatalogueCompoText, GetTextGathersTheSearchableText)
{
    TCompoText c;
    c.LongName = "Raster";
    c.FileName = "GRID.ZIP";
    TStringList text;
    text.Add("old");
    c.GetText(text);
    EXPECT_EQ(text.Strings(), (std::vector<std::string>{"Raster", "GRID.ZIP"}));
    c.KeyWords.Add("GRID");
    c.LongInfo.Add("lang");
    c.ShortInfo.Add("kurz");
    c.Review.Add("test");
    c.Installation.Add("inst");
    c.Documentation.Add("doc");
    c.GetText(text);
    EXPECT_EQ(text.Strings(), (std::vector<std::string>{"GRID", "lang", "kurz", "test", "inst", "Raster", "GRID.ZIP"}));
}

// Every field and list of a record read into an object that held another record is the new
// record's: a field the second record leaves empty must not keep the first one's value.
TEST(CatalogueCompoText, LoadingTwiceLeavesNothingOfTheFirst)
{
    TMemoryCatalogue cat;
    TCompoText first, second;
    for (std::string* field : {&first.ShortName, &first.LongName, &first.FileName, &first.Version, &first.LastReview,
                               &first.Copyright, &first.OS, &first.Distribution, &first.Limitations, &first.Price})
        *field = "alt";
    for (TStringList* list : {&first.KeyWords, &first.ShortInfo, &first.LongInfo, &first.Installation, &first.Review,
                              &first.Documentation, &first.Order, &first.Contact})
        list->Add("alt");
    first.Rating = 5;
    first.Compiler = TCompoText::cfBP;
    first.Language = 2;
    second.LongName = "neu";
    second.Contact.Add("neu");
    const int32_t a = cat.Store(first);
    const int32_t b = cat.Store(second);
    TCompoText reader, fresh;
    cat.Load(reader, a);
    cat.Load(reader, b);
    cat.Load(fresh, b);
    const auto fields = [](const TCompoText& c) {
        return std::tie(c.ShortName, c.LongName, c.FileName, c.Version, c.LastReview, c.KeyWords, c.Copyright,
                        c.ShortInfo, c.LongInfo, c.Installation, c.Review, c.Rating, c.OS, c.Compiler, c.Documentation,
                        c.Language, c.Distribution, c.Limitations, c.Price, c.Order, c.Contact);
    };
    EXPECT_TRUE(fields(reader) == fields(fresh));
    EXPECT_EQ(reader.LongName, "neu");
    EXPECT_EQ(reader.Contact.Strings(), std::vector<std::string>{"neu"});
    EXPECT_TRUE(reader.Order.Empty());
    EXPECT_EQ(reader.Rating, 0);
}

TEST(CatalogueCompoText, BadTagIsInvalidPropertyValue)
{
    TMemoryCatalogue cat;
    TCompoText c;
    const int32_t offset = cat.Store(c);
    std::string bytes = cat.Data.Bytes();
    bytes[static_cast<size_t>(offset)] = static_cast<char>(9 ^ 0x5A);
    TMemoryStream broken(bytes);
    TIndexedStream indexed(broken, cat.Index, true);
    broken.SetPosition(offset);
    TRecordStreamScope scope(c, indexed, 0);
    EXPECT_THROW(c.Load(), EPropertyError);
}
