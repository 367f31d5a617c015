#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Exception.h"
#include "catalogue/CaptionList.h"
#include "catalogue/Coding.h"
#include "catalogue/MemoryStream.h"

using namespace lumarc;

namespace {

TCaptionList Captions(const std::vector<std::string>& texts)
{
    TCaptionList list;
    for (size_t i = 0; i < texts.size(); ++i)
        list.Add(texts[i], static_cast<int32_t>(100 + i));
    return list;
}

std::string Encoded(const TCaptionList& list)
{
    TMemoryStream stream;
    {
        TWriter writer(stream);
        WriteStringList(writer, list);
        writer.FlushBuffer();
    }
    return stream.Bytes();
}

}  // namespace

TEST(CaptionList, InsertKeepsEveryTextAndObjectInPlace)
{
    TCaptionList list = Captions({"Tools", "", "Grids"});
    list.Insert(1, "Editors ", 7);
    list.Insert(0, "Anfang", 8);
    list.Insert(list.Count(), "", 9);
    EXPECT_EQ(list.Strings(), (std::vector<std::string>{"Anfang", "Tools", "Editors ", "", "Grids", ""}));
    const std::vector<int32_t> objects{8, 100, 7, 101, 102, 9};
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.Objects(i), objects[static_cast<size_t>(i)]) << i;
    list.SetObject(3, -1);
    EXPECT_EQ(list.Objects(3), -1);
    EXPECT_EQ(list[4], "Grids");
}

TEST(CaptionList, BadIndexesRaiseTheListError)
{
    TCaptionList list = Captions({"eins"});
    EXPECT_THROW(list[1], EListError);
    EXPECT_THROW(list[-1], EListError);
    EXPECT_THROW(list.Objects(1), EListError);
    EXPECT_THROW(list.SetObject(-1, 0), EListError);
    EXPECT_THROW(list.Insert(2, "x"), EListError);
    try {
        list[5];
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (5)");
    }
    EXPECT_EQ(list.Strings(), std::vector<std::string>{"eins"});
}

TEST(CaptionList, ObjectsReadZeroUntilSetAndCompareByValue)
{
    TCaptionList plain;
    plain.Add("eins");
    plain.Add("zwei");
    TCaptionList zeroed = plain;
    zeroed.SetObject(1, 5);
    EXPECT_NE(zeroed, plain);
    zeroed.SetObject(1, 0);
    EXPECT_EQ(zeroed, plain);
    EXPECT_EQ(plain.Objects(1), 0);

    // A first object given by an insertion keeps the zeros of the texts before and after it.
    plain.Insert(1, "mitte", -7);
    EXPECT_EQ(plain.Objects(0), 0);
    EXPECT_EQ(plain.Objects(1), -7);
    EXPECT_EQ(plain.Objects(2), 0);

    plain.SetObjects({1, 2, 3});
    EXPECT_EQ(plain.Objects(2), 3);
    EXPECT_THROW(plain.SetObjects({1, 2}), EListError);
    EXPECT_EQ(plain.Objects(1), 2);
}

TEST(CaptionList, AssignRefusesEndsThatDoNotCoverTheBytes)
{
    TCaptionList list = Captions({"alt"});
    EXPECT_THROW(list.Assign("abcdef", {3, 2, 6}), EListError);
    EXPECT_THROW(list.Assign("abcdef", {3, 5}), EListError);
    EXPECT_THROW(list.Assign("abc", {}), EListError);
    EXPECT_EQ(list.Strings(), std::vector<std::string>{"alt"});
    list.Assign("abcdef", {3, 3, 6});
    EXPECT_EQ(list.Strings(), (std::vector<std::string>{"abc", "", "def"}));
    EXPECT_EQ(list.Objects(2), 0);
}

// The outline's captions and every other string list share one encoding: the same bytes must
// read back to the same texts, also across the reader's buffer and from every truncation.
TEST(CaptionList, EncodesExactlyAsAStringList)
{
    std::vector<std::string> texts;
    for (int i = 0; i < 100; ++i)
        texts.push_back(std::string(static_cast<size_t>(i * 3 % 256), static_cast<char>('a' + i % 26)));
    texts.push_back(std::string(300, 'x'));
    texts.push_back("Gr\xF6\xDF" "e");
    TStringList lines;
    for (const std::string& text : texts)
        lines.Add(text);
    const TCaptionList captions = Captions(texts);
    TMemoryStream linesStream;
    {
        TWriter writer(linesStream);
        WriteStringList(writer, lines);
        writer.FlushBuffer();
    }
    const std::string bytes = Encoded(captions);
    ASSERT_EQ(bytes, linesStream.Bytes());
    ASSERT_GT(bytes.size(), 2u * TReader::kBufferSize);

    TMemoryStream stream(bytes + "tail");
    TCaptionList back = Captions({"alt"});
    {
        TReader reader(stream);
        ReadStringList(reader, back);
    }
    texts[100].resize(255);
    EXPECT_EQ(back.Strings(), texts);
    EXPECT_EQ(stream.Position(), static_cast<int64_t>(bytes.size()));

    for (size_t length = 0; length < bytes.size(); length += 97) {
        TMemoryStream cut(bytes.substr(0, length));
        TReader reader(cut);
        TCaptionList list;
        EXPECT_THROW(ReadStringList(reader, list), EReadError) << length;
    }
}

// A long list sizes its buffer from its first texts: lists whose first texts are much shorter
// or much longer than the rest must read back whole all the same.
TEST(CaptionList, LongListsReadWholeWhateverTheirFirstTextsAre)
{
    const auto shaped = [](int count, const std::function<size_t(int)>& length) {
        std::vector<std::string> texts;
        for (int i = 0; i < count; ++i)
            texts.push_back(std::string(length(i), static_cast<char>('A' + i % 26)));
        return texts;
    };
    const std::vector<std::vector<std::string>> lists = {
        shaped(3000, [](int i) { return i < 300 ? size_t{0} : size_t{200}; }),
        shaped(3000, [](int i) { return i < 256 ? size_t{255} : size_t{1}; }),
        shaped(2000, [](int i) { return static_cast<size_t>(i * 7 % 256); }),
        shaped(257, [](int) { return size_t{3}; }),
    };
    for (const std::vector<std::string>& texts : lists) {
        const std::string bytes = Encoded(Captions(texts));
        // Something behind the list, as in a record, and nothing: both bound the estimate.
        for (const std::string& behind : {std::string(), std::string(1000, 'z')}) {
            TMemoryStream stream(bytes + behind);
            TReader reader(stream);
            TCaptionList back;
            ReadStringList(reader, back);
            EXPECT_EQ(back.Strings(), texts) << texts.size() << " texts, " << behind.size() << " bytes behind";
        }
    }
}

TEST(CaptionList, EmptyAndNegativeCountsClearTheTarget)
{
    EXPECT_EQ(Encoded(TCaptionList()), std::string(4, '\0'));
    for (const std::string& bytes : {std::string(4, '\0'), std::string("\xFF\xFF\xFF\xFF", 4)}) {
        TCaptionList target = Captions({"alt", "älter"});
        TMemoryStream stream(bytes);
        TReader reader(stream);
        ReadStringList(reader, target);
        EXPECT_TRUE(target.Empty());
    }
    TMemoryStream huge(std::string("\xFF\xFF\xFF\x7F" "abc", 7));
    TReader reader(huge);
    TCaptionList list;
    EXPECT_THROW(ReadStringList(reader, list), EReadError);
}
