#include <gtest/gtest.h>

#include <functional>

#include "platform/Exception.h"
#include "catalogue/Coding.h"
#include "catalogue/MemoryStream.h"

using namespace lumarc;

namespace {

std::string Encode(const std::function<void(TWriter&)>& write)
{
    TMemoryStream stream;
    {
        TWriter writer(stream);
        write(writer);
        writer.FlushBuffer();
    }
    return stream.Bytes();
}

template <class T>
T Decode(const std::string& bytes, const std::function<T(TReader&)>& read)
{
    TMemoryStream stream(bytes);
    TReader reader(stream);
    return read(reader);
}

TStringList Lines(std::initializer_list<std::string> lines)
{
    TStringList list;
    for (const auto& l : lines)
        list.Add(l);
    return list;
}

}  // namespace

TEST(CatalogueCoding, Int32IsLittleEndianAndSigned)
{
    EXPECT_EQ(Encode([](TWriter& w) { WriteInt32(w, 0x01020304); }), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(Encode([](TWriter& w) { WriteInt32(w, -1); }), std::string(4, '\xFF'));
    EXPECT_EQ(Decode<int32_t>(std::string("\xFE\xFF\xFF\xFF", 4), ReadInt32), -2);
}

TEST(CatalogueCoding, ShortStringsAreCutTo255Bytes)
{
    EXPECT_EQ(Encode([](TWriter& w) { WriteShortString(w, ""); }), std::string(1, '\0'));
    const std::string encoded = Encode([](TWriter& w) { WriteShortString(w, std::string(300, 'x')); });
    ASSERT_EQ(encoded.size(), 256u);
    EXPECT_EQ(static_cast<uint8_t>(encoded[0]), 255);
    EXPECT_EQ(Decode<std::string>(encoded, ReadShortString), std::string(255, 'x'));
}

TEST(CatalogueCoding, EmptyStringListIsFourZeroBytesAndClearsTheTarget)
{
    EXPECT_EQ(Encode([](TWriter& w) { WriteStringList(w, TStringList()); }), std::string(4, '\0'));
    TStringList target = Lines({"alt", "älter"});
    TMemoryStream stream(std::string(4, '\0'));
    TReader reader(stream);
    ReadStringList(reader, target);
    EXPECT_EQ(target.Count(), 0);
}

TEST(CatalogueCoding, NegativeStringListCountReadsAsEmpty)
{
    TStringList target = Lines({"alt"});
    TMemoryStream stream(std::string("\xFF\xFF\xFF\xFF", 4));
    TReader reader(stream);
    ReadStringList(reader, target);
    EXPECT_EQ(target.Count(), 0);
}

TEST(CatalogueCoding, StringListRoundTrips)
{
    const TStringList lines = Lines({"<F1>Titel", "", std::string("Gr\xF6\xDF" "e", 5)});
    const std::string bytes = Encode([&](TWriter& w) { WriteStringList(w, lines); });
    EXPECT_EQ(bytes.size(), 4u + 10 + 1 + 6);
    TStringList back;
    TMemoryStream stream(bytes);
    TReader reader(stream);
    ReadStringList(reader, back);
    EXPECT_EQ(back, lines);
}

// Every proper prefix of a valid encoding must fail cleanly with the read error.
TEST(CatalogueCoding, EveryTruncationFailsWithStreamReadError)
{
    const std::string bytes = Encode([](TWriter& w) {
        WriteInt32(w, 7);
        WriteStringList(w, Lines({"eins", "zwei", ""}));
        WriteInt32Block(w, {1, -1, 3});
        WriteTaggedString(w, "Version 2.0");
    });
    for (size_t length = 0; length < bytes.size(); ++length) {
        TMemoryStream stream(bytes.substr(0, length));
        TReader reader(stream);
        TStringList list;
        try {
            ReadInt32(reader);
            ReadStringList(reader, list);
            ReadInt32Block(reader);
            ReadTaggedString(reader);
            FAIL() << "prefix of " << length << " bytes read whole";
        } catch (const EReadError& e) {
            EXPECT_STREQ(e.what(), "Stream read error") << length;
        }
    }
}

TEST(CatalogueCoding, HugeCountsFailAtOnceWithoutAllocating)
{
    // Counts near 2^31 with a few bytes behind them: must not try to allocate or loop.
    for (const std::string& bytes : {std::string("\xFF\xFF\xFF\x7F" "abc", 7), std::string("\x00\x00\x00\x40", 4)}) {
        TMemoryStream s1(bytes);
        TReader r1(s1);
        TStringList list;
        EXPECT_THROW(ReadStringList(r1, list), EReadError);
        TMemoryStream s2(bytes);
        TReader r2(s2);
        EXPECT_THROW(ReadInt32Block(r2), EReadError);
    }
    TMemoryStream s3(std::string("\x0C\xFF\xFF\xFF\x7F" "ab", 7));
    TReader r3(s3);
    EXPECT_THROW(ReadTaggedString(r3), EReadError);
}

TEST(CatalogueCoding, NegativeIntBlockCountIsAReadError)
{
    TMemoryStream stream(std::string("\xFE\xFF\xFF\xFF", 4));
    TReader reader(stream);
    EXPECT_THROW(ReadInt32Block(reader), EReadError);
}

TEST(CatalogueCoding, TaggedStringsAcceptBothTagsAndKeep255Bytes)
{
    EXPECT_EQ(Encode([](TWriter& w) { WriteTaggedString(w, "abc"); }), std::string("\x06\x03" "abc", 5));
    EXPECT_EQ(Decode<std::string>(std::string("\x06\x03" "abc", 5), ReadTaggedString), "abc");
    EXPECT_EQ(Decode<std::string>(std::string("\x0C\x02\x00\x00\x00" "xy", 7), ReadTaggedString), "xy");
    std::string longForm = std::string("\x0C\x2C\x01\x00\x00", 5) + std::string(300, 'z');
    EXPECT_EQ(Decode<std::string>(longForm, ReadTaggedString), std::string(255, 'z'));
    try {
        Decode<std::string>(std::string("\x07\x01" "a", 3), ReadTaggedString);
        FAIL();
    } catch (const EPropertyError& e) {
        EXPECT_STREQ(e.what(), "Invalid property value");
    }
}

TEST(CatalogueCoding, BufferedReadsAcrossTheBufferBoundaryKeepEveryByte)
{
    TStringList lines;
    for (int i = 0; i < 100; ++i)
        lines.Add(std::string(static_cast<size_t>(i * 2 % 256), static_cast<char>('a' + i % 26)));
    const std::string bytes = Encode([&](TWriter& w) { WriteStringList(w, lines); });
    ASSERT_GT(bytes.size(), 2u * TReader::kBufferSize);
    TMemoryStream stream(bytes + "tail");
    TStringList back;
    {
        TReader reader(stream);
        ReadStringList(reader, back);
    }
    EXPECT_EQ(back, lines);
    // The reader gives back what it read ahead.
    EXPECT_EQ(stream.Position(), static_cast<int64_t>(bytes.size()));

    // Any buffer size reads the same and gives back the same, however its edges fall.
    for (const int64_t size : {int64_t{1}, int64_t{7}, int64_t{300}, int64_t{256 * 1024}}) {
        stream.SetPosition(0);
        TStringList again;
        {
            TReader reader(stream, size);
            ReadStringList(reader, again);
        }
        EXPECT_EQ(again, lines) << size;
        EXPECT_EQ(stream.Position(), static_cast<int64_t>(bytes.size())) << size;
    }
}
