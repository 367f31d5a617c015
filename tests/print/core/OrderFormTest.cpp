// Cutting the order form out of its entry's lines, and finding the entry.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/core/OrderForm.h"

using namespace lumarc;

namespace {

using TLines = std::vector<std::string>;

// `count` lines "Zeile i", with the given marks placed at their line numbers.
TStringList Text(int count, const std::vector<std::pair<int, std::string>>& marks)
{
    TStringList lines;
    for (int i = 0; i < count; ++i)
        lines.Add("Zeile " + std::to_string(i));
    TStringList result;
    for (int i = 0; i < count; ++i) {
        std::string line = lines[i];
        for (const auto& [at, mark] : marks)
            if (at == i)
                line = mark;
        result.Add(line);
    }
    return result;
}

TLines Numbers(int first, int last)
{
    TLines lines;
    for (int i = first; i <= last; ++i)
        lines.push_back("Zeile " + std::to_string(i));
    return lines;
}

const std::string kStart = "--- SCHNIPP ---";
const std::string kStop = "--- SCHNAPP ---";

}  // namespace

TEST(PrintCoreOrderForm, LinesStrictlyBetweenTheMarks)
{
    EXPECT_EQ(CutOrderForm(Text(12, {{3, kStart}, {10, kStop}})).Strings(), Numbers(4, 9));
    EXPECT_EQ(CutOrderForm(Text(7, {{3, kStart}, {6, kStop}})).Strings(), Numbers(4, 5));
    // The start mark may stand on line 1, only not on line 0.
    EXPECT_EQ(CutOrderForm(Text(6, {{1, kStart}, {5, kStop}})).Strings(), Numbers(2, 4));
}

TEST(PrintCoreOrderForm, MarksAreFoundInAnyCaseButNeedTheirBlanks)
{
    EXPECT_EQ(CutOrderForm(Text(8, {{2, "x schnipp x"}, {6, "y SchNaPP y"}})).Strings(), Numbers(3, 5));
    EXPECT_TRUE(CutOrderForm(Text(8, {{2, "SCHNIPP here"}, {6, kStop}})).Empty());
    EXPECT_TRUE(CutOrderForm(Text(8, {{2, kStart}, {6, "--SCHNAPP--"}})).Empty());
    // Only the first line with each mark counts.
    EXPECT_EQ(CutOrderForm(Text(10, {{2, kStart}, {5, kStop}, {6, kStart}, {9, kStop}})).Strings(), Numbers(3, 4));
}

TEST(PrintCoreOrderForm, NothingWithoutValidMarks)
{
    struct TCase {
        const char* What;
        int Count;
        std::vector<std::pair<int, std::string>> Marks;
    };
    const TCase cases[] = {
        {"no text at all", 0, {}},
        {"no marks", 10, {}},
        {"start mark missing", 10, {{6, kStop}}},
        {"stop mark missing", 10, {{2, kStart}}},
        {"a single line between", 6, {{3, kStart}, {5, kStop}}},
        {"marks adjacent", 6, {{3, kStart}, {4, kStop}}},
        {"marks in the wrong order", 10, {{7, kStart}, {2, kStop}}},
        {"stop mark on the first line", 10, {{0, kStop}, {4, kStart}}},
        {"start mark on the first line", 10, {{0, kStart}, {6, kStop}}},
    };
    for (const TCase& c : cases)
        EXPECT_TRUE(CutOrderForm(Text(c.Count, c.Marks)).Empty()) << c.What;

    TStringList oneLine;
    oneLine.Add(kStart + " " + kStop);
    EXPECT_TRUE(CutOrderForm(oneLine).Empty());
}

TEST(PrintCoreOrderForm, EntryIsFoundByItsExactTextInAnyCase)
{
    TTreeViewData tree;
    auto add = [&tree](const std::string& text) {
        TTVRevEntry entry;
        entry.Text = text;
        return tree.AddNode(entry);
    };
    add("Willkommen");
    add("BestellFormular");
    add("   BestellFormular ");
    EXPECT_EQ(FindOrderFormEntry(tree), -1);
    const int first = add("   BESTELLformular");
    add("   BestellFormular");
    EXPECT_EQ(FindOrderFormEntry(tree), first);
    EXPECT_EQ(FindOrderFormEntry(TTreeViewData{}), -1);
}
