#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/CodePage.h"

namespace lumarc {
namespace {

// The WHATWG windows-1252 code points of bytes 0x80-0x9F; every other byte is its own code point.
const char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string Utf8(char32_t c)
{
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

std::string AllBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

char32_t Cp1252CodePoint(int byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : static_cast<char32_t>(byte);
}

TEST(PlatformCodePage, Cp1252DecodesEveryByteAsWhatwg)
{
    std::string expectedAll;
    for (int b = 0; b < 256; ++b) {
        const std::string expected = Utf8(Cp1252CodePoint(b));
        EXPECT_EQ(Cp1252ToUtf8(std::string(1, static_cast<char>(b))), expected) << "byte " << b;
        expectedAll += expected;
    }
    EXPECT_EQ(Cp1252ToUtf8(AllBytes()), expectedAll);
}

TEST(PlatformCodePage, Cp1252RoundTripsAllBytes)
{
    std::string back;
    ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(AllBytes()), back));
    EXPECT_EQ(back, AllBytes());
    // The undefined bytes between ordinary text, where they split the conversion into runs.
    const std::string mixed = "a\x81\x8D\x8F\x90\x9Dz\x81";
    ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(mixed), back));
    EXPECT_EQ(back, mixed);
}

TEST(PlatformCodePage, Utf8ToCp1252RefusesWhatItCannotHold)
{
    std::string out;
    EXPECT_TRUE(Utf8ToCp1252("Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC", out));  // "Grüß €"
    EXPECT_EQ(out, "Gr\xFC\xDF \x80");
    EXPECT_FALSE(Utf8ToCp1252("\xCE\xA9", out));      // Greek capital omega
    EXPECT_FALSE(Utf8ToCp1252("\xE2\x94\x80", out));  // box drawing: CP850 has it, CP1252 not
    EXPECT_FALSE(Utf8ToCp1252("\xC2\x80", out));      // U+0080: byte 0x80 is the euro sign
    EXPECT_TRUE(Utf8ToCp1252("", out));
    EXPECT_EQ(out, "");
}

TEST(PlatformCodePage, InvalidUtf8IsRefused)
{
    std::string out;
    for (const std::string bad : {"\xC3", "ab\xC2", "\x81", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80", "\xC2\x81\xC3"}) {
        EXPECT_FALSE(Utf8ToCp1252(bad, out)) << "cp1252 " << bad.size();
        EXPECT_FALSE(Utf8ToCp850(bad, out)) << "cp850 " << bad.size();
    }
}

TEST(PlatformCodePage, Cp850DecodesBoxDrawingAndControlsStraight)
{
    EXPECT_EQ(Cp850ToUtf8("\xB3"), "\xE2\x94\x82");  // U+2502
    EXPECT_EQ(Cp850ToUtf8("\xC4"), "\xE2\x94\x80");  // U+2500
    EXPECT_EQ(Cp850ToUtf8("\xC9"), "\xE2\x95\x94");  // U+2554
    EXPECT_EQ(Cp850ToUtf8("\xDB"), "\xE2\x96\x88");  // U+2588
    EXPECT_EQ(Cp850ToUtf8("\x81\x9B"), "\xC3\xBC\xC3\xB8");  // "üø"
    for (int b = 0; b < 0x20; ++b)
        EXPECT_EQ(Cp850ToUtf8(std::string(1, static_cast<char>(b))), std::string(1, static_cast<char>(b))) << b;
    EXPECT_EQ(Cp850ToUtf8("\x7F"), "\x7F");
}

TEST(PlatformCodePage, Cp850RoundTripsAllBytes)
{
    const std::string decoded = Cp850ToUtf8(AllBytes());
    std::string back;
    ASSERT_TRUE(Utf8ToCp850(decoded, back));
    EXPECT_EQ(back, AllBytes());
    EXPECT_FALSE(Utf8ToCp850("\xE2\x82\xAC", back));  // no euro sign in CP850
}

TEST(PlatformCodePage, UpperCaseAnsiConvertsTheLowerCaseLetters)
{
    EXPECT_EQ(UpperCaseAnsi("abc xyz 09_{}"), "ABC XYZ 09_{}");
    EXPECT_EQ(UpperCaseAnsi("\xE4\xF6\xFC\xE0\xFE"), "\xC4\xD6\xDC\xC0\xDE");  // äöüàþ
    EXPECT_EQ(UpperCaseAnsi("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");          // šœžÿ
    EXPECT_EQ(UpperCaseAnsi("\xDF\xF7\xB5\xAA\xBA"), "\xDF\xF7\xB5\xAA\xBA");  // ß ÷ µ ª º stay
    EXPECT_EQ(UpperCaseAnsi(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(PlatformCodePage, UpperCaseAnsiIsIdempotentOverAllBytes)
{
    const std::string once = UpperCaseAnsi(AllBytes());
    EXPECT_EQ(UpperCaseAnsi(once), once);  // no capital maps to a lower-case letter
}

TEST(PlatformCodePage, ConversionsAreSafeFromSeveralThreads)
{
    const std::string bytes = AllBytes();
    const std::string expected1252 = Cp1252ToUtf8(bytes);
    const std::string expected850 = Cp850ToUtf8(bytes);
    std::vector<int> failures(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 300; ++i) {
                std::string back;
                if (Cp1252ToUtf8(bytes) != expected1252 || Cp850ToUtf8(bytes) != expected850 ||
                    !Utf8ToCp1252(expected1252, back) || back != bytes || !Utf8ToCp850(expected850, back) ||
                    back != bytes)
                    ++failures[static_cast<size_t>(t)];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace lumarc
