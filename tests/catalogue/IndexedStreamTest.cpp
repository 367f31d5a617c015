#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "catalogue/IndexedStream.h"
#include "catalogue/MemoryStream.h"

using namespace lumarc;

namespace {

std::string Entry(int16_t type, int32_t offset, uint16_t reserved = 0)
{
    TMemoryStream data, index;
    TIndexedStream indexed(data, index, true);
    indexed.AddEntry(type, offset);
    std::string bytes = index.Bytes();
    bytes[2] = static_cast<char>(reserved & 0xFF);
    bytes[3] = static_cast<char>(reserved >> 8);
    return bytes;
}

}  // namespace

TEST(CatalogueIndexedStream, EntriesAreEightLittleEndianBytes)
{
    EXPECT_EQ(Entry(3, 0x1234), std::string("\x03\x00\x00\x00\x34\x12\x00\x00", 8));
}

TEST(CatalogueIndexedStream, EmptyIndexFindsNothing)
{
    TMemoryStream data, index;
    TIndexedStream indexed(data, index, false);
    TIndexEntry key;
    key.RecordType = 3;
    EXPECT_FALSE(indexed.FindEntry(key));
}

// Both modes find alike and leave the index where reading entry by entry would.
TEST(CatalogueIndexedStream, FirstMatchWinsAndReservedBytesDoNotMatter)
{
    for (const bool direct : {false, true}) {
        TMemoryStream data, index(Entry(4, 4) + Entry(3, 100, 0xBEEF) + Entry(3, 200) + std::string("\x03\x00", 2));
        TIndexedStream indexed(data, index, direct);
        TIndexEntry key;
        key.RecordType = 3;
        key.Offset = 999;
        ASSERT_TRUE(indexed.FindEntry(key)) << direct;
        EXPECT_EQ(key.Offset, 100);
        EXPECT_EQ(key.Reserved, 0xBEEF);
        EXPECT_EQ(indexed.IndexStream().Position(), 16);

        // The two trailing bytes look like type 3 but make no whole entry.
        key.RecordType = 5;
        key.Offset = 999;
        EXPECT_FALSE(indexed.FindEntry(key)) << direct;
        EXPECT_EQ(key.Offset, 999);
        EXPECT_EQ(indexed.IndexStream().Position(), 26);
        EXPECT_EQ(indexed.Entries().size(), 3u);
    }
}

TEST(CatalogueIndexedStream, CopyingModeKeepsItsOwnCopy)
{
    TMemoryStream data, index(Entry(3, 8));
    TIndexedStream indexed(data, index, false);
    // An entry added to the copy goes behind the copied ones, the file stays as it was.
    indexed.AddEntry(5, 16);
    index.SetPosition(0);
    index.WriteBuffer(Entry(4, 8).data(), 8);
    TIndexEntry key;
    key.RecordType = 3;
    EXPECT_TRUE(indexed.FindEntry(key));
    const std::vector<TIndexEntry> entries = indexed.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].RecordType, 3);
    EXPECT_EQ(entries[1].RecordType, 5);
    EXPECT_EQ(entries[1].Offset, 16);
    EXPECT_EQ(index.Size(), 8);
}
