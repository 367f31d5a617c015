// The query language and the line matcher, on lines given in memory.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/core/QueryParser.h"
#include "search/core/SearchMatcher.h"

namespace lumarc {
namespace {

std::vector<std::pair<std::string, int32_t>> Parse(const std::string& query, bool caseSensitive = true)
{
    TStringList terms;
    ParseQuery(query, caseSensitive, terms);
    std::vector<std::pair<std::string, int32_t>> result;
    for (int i = 0; i < terms.Count(); ++i)
        result.emplace_back(terms[i], terms.Objects(i));
    return result;
}

bool Match(const std::string& query, const std::vector<std::string>& lines, bool caseSensitive = false)
{
    TStringList terms;
    ParseQuery(query, caseSensitive, terms);
    TSearchMatcher matcher(terms, caseSensitive);
    return matcher.Matches(lines);
}

using Terms = std::vector<std::pair<std::string, int32_t>>;

TEST(SearchQueryParse, SeparatorsSplitTermsAndCarryTheirOperator)
{
    EXPECT_EQ(Parse("Raster"), (Terms{{"Raster", soNone}}));
    EXPECT_EQ(Parse("a b + c d - e"), (Terms{{"a b", soAnd}, {"c d", soOr}, {"e", soNone}}));
    EXPECT_EQ(Parse("a - b + c"), (Terms{{"a", soOr}, {"b", soAnd}, {"c", soNone}}));
}

TEST(SearchQueryParse, PlusAndMinusWithoutBlanksOnBothSidesArePartOfTheTerm)
{
    EXPECT_EQ(Parse("C++ +x -y a+ b"), (Terms{{"C++ +x -y a+ b", soNone}}));
    EXPECT_EQ(Parse("Win-32 + Delphi-2"), (Terms{{"Win-32", soAnd}, {"Delphi-2", soNone}}));
}

TEST(SearchQueryParse, TheSeparatorThatComesFirstWins)
{
    // " - + " holds " - " at 0 and " + " at 2: OR comes first, leaving "+ x".
    EXPECT_EQ(Parse("a - + x"), (Terms{{"a", soOr}, {"+ x", soNone}}));
    EXPECT_EQ(Parse("a + - x"), (Terms{{"a", soAnd}, {"- x", soNone}}));
}

TEST(SearchQueryParse, SeparatorsAtTheEdgesLeaveEmptyTerms)
{
    EXPECT_EQ(Parse(" + a"), (Terms{{"", soAnd}, {"a", soNone}}));
    EXPECT_EQ(Parse("a - "), (Terms{{"a", soOr}, {"", soNone}}));
    EXPECT_EQ(Parse(""), (Terms{{"", soNone}}));
}

TEST(SearchQueryParse, WithoutCaseOnlyAToZAreUpperCased)
{
    EXPECT_EQ(Parse("gr\xF6\xDF" "e + \xE4rger", false), (Terms{{"GR\xF6\xDF" "E", soAnd}, {"\xE4RGER", soNone}}));
    EXPECT_EQ(Parse("Gro\xDF", true), (Terms{{"Gro\xDF", soNone}}));
}

TEST(SearchUpperCase, FoldsAToZInEveryPositionAndNothingElse)
{
    // Long enough for the eight-byte steps and a tail, with every byte value once.
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    const std::string upper = UpperCaseAZ(std::string_view(all));
    ASSERT_EQ(upper.size(), 256u);
    for (int c = 0; c < 256; ++c) {
        const int expected = c >= 'a' && c <= 'z' ? c - 32 : c;
        EXPECT_EQ(static_cast<unsigned char>(upper[static_cast<size_t>(c)]), expected) << c;
    }
    for (size_t offset = 0; offset < 9; ++offset)
        EXPECT_EQ(UpperCaseAZ(std::string_view(std::string(offset, '`') + "az{@AZ")),
                  std::string(offset, '`') + "AZ{@AZ");
}

TEST(SearchMatch, AndThenOrMatchesTheFirstTwoTogetherOrTheThirdAlone)
{
    const std::string query = "raster + gitter - packer";
    EXPECT_TRUE(Match(query, {"Raster", "Gitter"}));
    EXPECT_TRUE(Match(query, {"Packer"}));
    EXPECT_FALSE(Match(query, {"Raster"}));
    EXPECT_FALSE(Match(query, {"Gitter", "nichts"}));
}

TEST(SearchMatch, OrThenAndNeedsTheThirdAndOneOfTheFirstTwo)
{
    const std::string query = "raster - gitter + packer";
    EXPECT_TRUE(Match(query, {"Raster Packer"}));
    EXPECT_TRUE(Match(query, {"Gitter", "Packer"}));
    EXPECT_FALSE(Match(query, {"Packer"}));
    EXPECT_FALSE(Match(query, {"Raster", "Gitter"}));
}

TEST(SearchMatch, LongChainsAreCombinedStrictlyLeftToRight)
{
    // ((a OR b) AND c) OR d: without precedence "a - b + c - d" is not a OR (b AND c) OR d.
    EXPECT_FALSE(Match("a1 - b1 + c1 - d1", {"a1"}));
    EXPECT_TRUE(Match("a1 - b1 + c1 - d1", {"d1"}));
    EXPECT_TRUE(Match("a1 - b1 + c1 - d1", {"b1 c1"}));
}

TEST(SearchMatch, WithoutTheCaseBoxCaseIsIgnoredButUmlautsAreNotFolded)
{
    EXPECT_TRUE(Match("datenbank", {"Die DATENBANK"}));
    EXPECT_TRUE(Match("DatenBank", {"die datenbank"}));
    EXPECT_FALSE(Match("\xE4rger", {"\xC4RGER"}));
    EXPECT_TRUE(Match("\xE4rger", {"\xE4RGER"}));
}

TEST(SearchMatch, WithTheCaseBoxCaseCounts)
{
    EXPECT_FALSE(Match("DatenBank", {"DATENBANK"}, true));
    EXPECT_TRUE(Match("DatenBank", {"Die DatenBank"}, true));
}

TEST(SearchMatch, PlusAndMinusInsideATermAreSearchedLiterally)
{
    EXPECT_TRUE(Match("c++", {"Ein C++-Compiler"}));
    EXPECT_FALSE(Match("c++", {"Ein C-Compiler"}));
    EXPECT_TRUE(Match("win-32", {"fuer WIN-32"}));
}

TEST(SearchMatch, ATermMustLieWithinOneLine)
{
    EXPECT_FALSE(Match("daten bank", {"Daten", "bank"}));
    EXPECT_FALSE(Match("daten\nbank", {"Daten", "bank"}));
    EXPECT_TRUE(Match("daten bank", {"x", "Daten bank"}));
    // A line may hold the joint's own byte: the term is still looked for line by line.
    EXPECT_TRUE(Match("a\nb", {"xa\nbx"}));
    EXPECT_FALSE(Match("a\nb", {"xa", "bx"}));
}

TEST(SearchMatch, EmptyTermsAndRecordsWithoutLinesMatchNothing)
{
    EXPECT_FALSE(Match("", {"alles"}));
    EXPECT_FALSE(Match(" + alles", {"alles"}));
    EXPECT_TRUE(Match(" - alles", {"alles"}));
    EXPECT_FALSE(Match("alles", {}));
    EXPECT_FALSE(Match(" - x", {}));
}

TEST(SearchMatch, OneMatcherServesRecordAfterRecord)
{
    TStringList terms;
    ParseQuery("zip", false, terms);
    TSearchMatcher matcher(terms, false);
    EXPECT_TRUE(matcher.Matches(std::vector<std::string>{"a.zip"}));
    EXPECT_FALSE(matcher.Matches(std::vector<std::string>{"a.arj"}));
    EXPECT_TRUE(matcher.Matches(std::vector<std::string>{"ZIP"}));
}

}  // namespace
}  // namespace lumarc
