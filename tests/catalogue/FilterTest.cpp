#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "catalogue/FilterError.h"
#include "catalogue/LZWFilter.h"
#include "catalogue/MemoryStream.h"

using namespace lumarc;

namespace {

std::string Ramp(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += static_cast<char>(i * 7 + 3);
    return s;
}

}  // namespace

TEST(CatalogueFilter, FilteringTwiceGivesTheBytesBack)
{
    std::string bytes = Ramp(300);
    std::string copy = bytes;
    FilterBytes(copy.data(), static_cast<int64_t>(copy.size()));
    EXPECT_NE(copy, bytes);
    EXPECT_EQ(static_cast<uint8_t>(copy[0]), static_cast<uint8_t>(bytes[0]) ^ 0x5A);
    FilterBytes(copy.data(), static_cast<int64_t>(copy.size()));
    EXPECT_EQ(copy, bytes);
}

TEST(CatalogueFilter, ReadingFromAnyOffsetMatchesReadingFromTheStart)
{
    TMemoryStream stored(Ramp(200));
    char whole[110], tail[10];
    {
        TLZWFilter filter(stored, 0);
        ASSERT_EQ(filter.Read(whole, 110), 110);
    }
    stored.SetPosition(100);
    TLZWFilter filter(stored, 0);
    ASSERT_EQ(filter.Read(tail, 10), 10);
    EXPECT_EQ(std::string(tail, 10), std::string(whole + 100, 10));
}

TEST(CatalogueFilter, WrittenBytesAreStoredScrambledAndReadBackPlain)
{
    TMemoryStream stored;
    const std::string plain = "Raster & Gitter";
    {
        TLZWFilter writer(stored, 3);  // any odd mode writes
        EXPECT_EQ(writer.Write(plain.data(), static_cast<int64_t>(plain.size())), static_cast<int64_t>(plain.size()));
    }
    EXPECT_EQ(static_cast<uint8_t>(stored.Bytes()[0]), static_cast<uint8_t>('R' ^ 0x5A));
    stored.SetPosition(0);
    TLZWFilter reader(stored, 0);
    std::string back(plain.size(), '\0');
    EXPECT_EQ(reader.Read(back.data(), static_cast<int64_t>(back.size())), static_cast<int64_t>(plain.size()));
    EXPECT_EQ(back, plain);
}

TEST(CatalogueFilter, ModesAreEnforced)
{
    TMemoryStream stream(std::string(16, 'x'));
    char buffer[4] = {};
    try {
        TLZWFilter even(stream, 2);
        FAIL() << "mode 2 was accepted";
    } catch (const ELZWFilterError& e) {
        EXPECT_STREQ(e.what(), "Fehler beim Erstellen des Streams!");
    }
    TLZWFilter writing(stream, 1);
    try {
        writing.Read(buffer, 4);
        FAIL();
    } catch (const ELZWFilterError& e) {
        EXPECT_STREQ(e.what(), "Falscher StreamModus!");
    }
    TLZWFilter reading(stream, 0);
    try {
        reading.Write(buffer, 4);
        FAIL();
    } catch (const ELZWFilterError& e) {
        EXPECT_STREQ(e.what(), "Falscher StreamModus!");
    }
}

TEST(CatalogueFilter, ReadAtTheEndDeliversWhatIsThereWithoutError)
{
    TMemoryStream stream(std::string(5, 'a'));
    stream.SetPosition(3);
    TLZWFilter filter(stream, 0);
    char buffer[10];
    EXPECT_EQ(filter.Read(buffer, 10), 2);
    EXPECT_EQ(filter.Read(buffer, 10), 0);
}

TEST(CatalogueFilter, ReleasingLeavesTheUnderlyingStreamWhereTheFilterLeftIt)
{
    TMemoryStream stream(Ramp(64));
    stream.SetPosition(8);
    {
        TLZWFilter filter(stream, 0);
        char buffer[16];
        filter.Read(buffer, 16);
    }
    EXPECT_EQ(stream.Position(), 24);
}

namespace {

class TBrokenStream : public TMemoryStream {
public:
    int64_t Write(const void*, int64_t) override { throw EWriteError("disk full"); }
};

}  // namespace

TEST(CatalogueFilter, UnderlyingWriteErrorsBecomeFilterErrors)
{
    TBrokenStream broken;
    TLZWFilter filter(broken, 1);
    try {
        filter.Write("abc", 3);
        FAIL();
    } catch (const ELZWFilterError& e) {
        EXPECT_STREQ(e.what(), "Konnte nicht in den Stream schreiben!");
    }
}
