#include <gtest/gtest.h>

#include "BuildScripts.h"
#include "platform/Exception.h"
#include "catalogue/CatalogueBuilder.h"
#include "catalogue/CatalogueChecker.h"
#include "catalogue/Coding.h"
#include "catalogue/MemoryStream.h"

using namespace lumarc;

namespace {

TCatalogueBuilder::TImages Demo()
{
    TCatalogueBuilder builder;
    builder.AddSource("demo.txt", test::kDemoScript);
    return builder.Build();
}

std::vector<std::string> Check(const std::string& data, const std::string& index)
{
    TMemoryStream d(data), i(index);
    return TCatalogueChecker::Check(d, i);
}

bool Mentions(const std::vector<std::string>& problems, const std::string& part)
{
    for (const auto& p : problems)
        if (p.find(part) != std::string::npos)
            return true;
    return false;
}

// The plain outline body of a catalogue, to edit and store again at the same offset.
std::string Plain(const std::string& data, size_t offset)
{
    std::string plain = data.substr(offset);
    for (char& c : plain)
        c = static_cast<char>(c ^ 0x5A);
    return plain;
}

std::string Scrambled(const std::string& data, size_t offset, std::string plain)
{
    for (char& c : plain)
        c = static_cast<char>(c ^ 0x5A);
    return data.substr(0, offset) + plain;
}

}  // namespace

TEST(CatalogueChecker, SoundCatalogueHasNoProblems)
{
    const auto images = Demo();
    EXPECT_EQ(Check(images.Data, images.Index), std::vector<std::string>{});
}

TEST(CatalogueChecker, AnOutlineWithoutNodesIsSound)
{
    // Found by fuzzing: its empty lists were read into no buffer at all.
    TCatalogueBuilder builder;
    builder.AddSource("leer.txt", "OUTLINE ;[MM.]");
    const auto images = builder.Build();
    EXPECT_EQ(Check(images.Data, images.Index), std::vector<std::string>{});
}

TEST(CatalogueChecker, HeaderAndIndexProblems)
{
    const auto images = Demo();
    std::string data = images.Data;
    data[2] = 1;
    EXPECT_TRUE(Mentions(Check(data, images.Index), "Formatwörter 3, 1 statt 3, 2"));
    EXPECT_TRUE(Mentions(Check("", images.Index), "Kopf fehlt"));

    std::string index = images.Index + "\x03";
    EXPECT_TRUE(Mentions(Check(images.Data, index), "1 Bytes am Ende"));
    index = images.Index;
    index[0] = 9;
    EXPECT_TRUE(Mentions(Check(images.Data, index), "unbekannter Datensatztyp 9"));
    index = images.Index;
    PutInt32LE(reinterpret_cast<uint8_t*>(index.data() + 4), 1 << 24);
    EXPECT_TRUE(Mentions(Check(images.Data, index), "außerhalb der Datendatei"));
    EXPECT_TRUE(Mentions(Check(images.Data, ""), "Konnte OutlineText nicht laden!"));
    EXPECT_TRUE(Mentions(Check(images.Data, images.Index + images.Index.substr(24, 8)), "2 OutlineText-Einträge"));
}

TEST(CatalogueChecker, ReferenceOfTheWrongKindIsReported)
{
    const auto images = Demo();
    // Swap the index types of the info text and the short text.
    std::string index = images.Index;
    std::swap(index[0], index[8]);
    const auto problems = Check(images.Data, index);
    EXPECT_TRUE(Mentions(problems, "ist vom Typ 6 statt 4")) << ::testing::PrintToString(problems);
    EXPECT_TRUE(Mentions(problems, "ist vom Typ 4 statt 6"));
}

TEST(CatalogueChecker, OutlineInvariantsAreChecked)
{
    TCatalogueBuilder builder;
    builder.AddSource("o.txt", "OUTLINE [O] 01.05.96 {\nA\n  B\nC\n}\n");
    const auto images = Demo();
    const auto plainImages = builder.Build();
    const size_t offset = 4;
    const std::string plain = Plain(plainImages.Data, offset);
    // Image: root count, texts A C B, flag, parents (-1,-1,1)... find the parent list by value.
    EXPECT_EQ(Check(plainImages.Data, plainImages.Index), std::vector<std::string>{});

    std::string rootCount = plain;
    rootCount[0] = 3;
    EXPECT_TRUE(Mentions(Check(Scrambled(plainImages.Data, offset, rootCount), plainImages.Index), "RootCount 3"));

    // Node B claims to be its own parent: out of its parent's run and out of reach.
    const size_t parents = 4 + 4 + 2 + 2 + 2 + 1 + 4;
    std::string loop = plain;
    ASSERT_EQ(GetInt32LE(reinterpret_cast<const uint8_t*>(loop.data() + parents + 8)), 0);
    PutInt32LE(reinterpret_cast<uint8_t*>(loop.data() + parents + 8), 2);
    const auto problems = Check(Scrambled(plainImages.Data, offset, loop), plainImages.Index);
    EXPECT_TRUE(Mentions(problems, "Eintrag 2: liegt nicht in der Kinderfolge")) << ::testing::PrintToString(problems);
    EXPECT_TRUE(Mentions(problems, "Kind 2 nennt 2 als Elterneintrag"));

    // An invalid date (day 0) in the date list.
    const size_t dates = parents + 3 * 16;
    std::string date = plain;
    date[dates] = 0;
    EXPECT_TRUE(Mentions(Check(Scrambled(plainImages.Data, offset, date), plainImages.Index),
                         "Eintrag 0: ungültiges Datum"));
}

// Corrupt a real catalogue byte by byte and cut it at every length: the checker must report
// and never crash or hang.
TEST(CatalogueChecker, SurvivesEverySingleByteCorruptionAndTruncation)
{
    const auto images = Demo();
    const uint8_t values[] = {0x00, 0xFF, 0x80, 0x7F};
    for (size_t pos = 0; pos < images.Data.size(); ++pos) {
        for (uint8_t v : values) {
            std::string data = images.Data;
            data[pos] = static_cast<char>(v);
            Check(data, images.Index);
        }
        EXPECT_FALSE(Check(images.Data.substr(0, pos), images.Index).empty()) << "cut at " << pos;
    }
    for (size_t pos = 0; pos < images.Index.size(); ++pos) {
        for (uint8_t v : values) {
            std::string index = images.Index;
            index[pos] = static_cast<char>(v);
            Check(images.Data, index);
        }
        Check(images.Data, images.Index.substr(0, pos));
    }
}
