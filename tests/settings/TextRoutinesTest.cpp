#include <gtest/gtest.h>

#include <string>

#include "settings/core/TextRoutines.h"

namespace lumarc {
namespace {

TCharSet Set(const std::string& members)
{
    TCharSet set;
    for (const char c : members)
        set.set(static_cast<unsigned char>(c));
    return set;
}

TEST(SettingsText, RemoveCharsKeepsTheOthersInOrder)
{
    EXPECT_EQ(RemoveChars("DELPHI, C++; VCL", Set(" ,;")), "DELPHIC++VCL");
    EXPECT_EQ(RemoveChars("abc", TCharSet{}), "abc");
    EXPECT_EQ(RemoveChars("", Set("a")), "");
    EXPECT_EQ(RemoveChars(std::string("a\0b\xFF" "c", 5), Set(std::string("\0\xFF", 2))), "abc");
}

TEST(SettingsText, DoubleAmpersands)
{
    EXPECT_EQ(DoubleAmpersands("Tom & Jerry"), "Tom && Jerry");
    EXPECT_EQ(DoubleAmpersands("&&"), "&&&&");
    EXPECT_EQ(DoubleAmpersands("&"), "&&");
    EXPECT_EQ(DoubleAmpersands("none"), "none");
    EXPECT_EQ(DoubleAmpersands(""), "");
}

TEST(SettingsText, LastCharPosCountsFromOne)
{
    EXPECT_EQ(LastCharPos('\\', "c:\\a\\b"), 5u);
    EXPECT_EQ(LastCharPos('c', "c:\\a\\b"), 1u);
    EXPECT_EQ(LastCharPos('b', "c:\\a\\b"), 6u);
    EXPECT_EQ(LastCharPos('x', "c:\\a\\b"), 0u);
    EXPECT_EQ(LastCharPos('x', ""), 0u);
}

}  // namespace
}  // namespace lumarc
