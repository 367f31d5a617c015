#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "BuildScripts.h"
#include "platform/Exception.h"
#include "catalogue/CatalogueBuilder.h"
#include "catalogue/CompoText.h"
#include "catalogue/IndexedStream.h"
#include "catalogue/MemoryStream.h"
#include "catalogue/RecordRef.h"
#include "catalogue/ScriptOutlineText.h"
#include "catalogue/ShortText.h"
#include "settings/core/Settings.h"

using namespace lumarc;

namespace {

struct TBuilt {
    TMemoryStream Data;
    TMemoryStream Index;
    TIndexedStream Indexed{Data, Index, true};
    TTreeViewData Tree;

    explicit TBuilt(const TCatalogueBuilder::TImages& images) : Data(images.Data), Index(images.Index)
    {
        TIndexEntry key;
        key.RecordType = 3;
        EXPECT_TRUE(Indexed.FindEntry(key));
        TScriptOutlineText outline(nullptr, &Tree);
        Load(outline, key.Offset);
    }

    void Load(TScriptComponent& record, int32_t offset)
    {
        Data.SetPosition(offset);
        TRecordStreamScope scope(record, Indexed, 0);
        record.Load();
    }

    int Node(const std::string& text) const
    {
        for (int i = 0; i < Tree.Count(); ++i)
            if (Tree.Texts[i] == text)
                return i;
        ADD_FAILURE() << "no node " << text;
        return 0;
    }
};

TCatalogueBuilder::TImages Build(const std::string& script)
{
    TCatalogueBuilder builder;
    builder.AddSource("demo.txt", script);
    return builder.Build();
}

std::string BuildError(std::initializer_list<std::pair<std::string, std::string>> files)
{
    TCatalogueBuilder builder;
    for (const auto& [name, text] : files)
        builder.AddSource(name, text);
    try {
        builder.Build();
    } catch (const EBuildError& e) {
        return e.what();
    }
    return "no error";
}

const char* const kOutline = "OUTLINE [O] {\nA [a]\n}\n";

}  // namespace

TEST(CatalogueBuilder, BuildsEveryKindAndLinksTheOutline)
{
    TBuilt cat(Build(test::kDemoScript));
    EXPECT_EQ(cat.Data.Bytes().substr(0, 4), std::string("\x03\x00\x02\x00", 4));
    const std::vector<TIndexEntry> entries = cat.Indexed.Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].RecordType, 4);
    EXPECT_EQ(entries[0].Offset, 4);
    EXPECT_EQ(entries[1].RecordType, 6);
    EXPECT_EQ(entries[2].RecordType, 5);
    EXPECT_EQ(entries[3].RecordType, 3);  // the outline comes last

    const TTreeViewData& tree = cat.Tree;
    EXPECT_TRUE(tree.HasTexts2);
    EXPECT_EQ(tree.RootCount, 2);
    TTVRevEntry entry;

    tree.GetNode(cat.Node("Willkommen "), entry);
    EXPECT_EQ(entry.RecordRef, 4);
    EXPECT_EQ(entry.Date, EncodeDate(1995, 12, 24));
    TScriptInfoText info;
    cat.Load(info, RecordOffsetOf(entry.RecordRef));
    // CP1252: the dash is 0x96, the euro sign 0x80.
    EXPECT_EQ(info.Lines[0], "<F1>Willkommen \x96 10 \x80");

    tree.GetNode(cat.Node("Packer "), entry);
    EXPECT_EQ(RecordKindOf(entry.RecordRef), TRecordKind::rkShort);
    EXPECT_EQ(RecordOffsetOf(entry.RecordRef), entries[1].Offset);
    EXPECT_EQ(entry.Date, EncodeDate(1996, 6, 10));
    TShortText shortText;
    cat.Load(shortText, RecordOffsetOf(entry.RecordRef));
    // The memo lines below the first are CP850: box drawing and umlauts in the OEM code page.
    EXPECT_EQ(shortText.Lines[1], "\xDA\xC4\xBF Gr\x94\xE1" "e");

    tree.GetNode(cat.Node("Raster "), entry);
    EXPECT_EQ(RecordKindOf(entry.RecordRef), TRecordKind::rkComponent);
    EXPECT_EQ(entry.Date, DefaultRecordDate());  // "[Raster] {" names no date
    EXPECT_EQ(entry.Parent, cat.Node("Tabellen"));
    TCompoText compo;
    cat.Load(compo, RecordOffsetOf(entry.RecordRef));
    EXPECT_EQ(compo.LongName, "Raster & Gitter");
    EXPECT_EQ(compo.Rating, 7);

    tree.GetNode(cat.Node("Komponenten"), entry);
    EXPECT_EQ(entry.RecordRef, -1);
    EXPECT_EQ(entry.Date, EncodeDate(1996, 5, 1));  // the outline's own date
}

TEST(CatalogueBuilder, OutlineWithoutLinksStoresNoSecondTexts)
{
    TBuilt cat(Build("OUTLINE {\nA\n  B\n}\n"));
    EXPECT_FALSE(cat.Tree.HasTexts2);
    EXPECT_EQ(cat.Tree.Texts2.Count(), 0);
    TTVRevEntry entry;
    cat.Tree.GetNode(0, entry);
    EXPECT_EQ(entry.Date, DefaultRecordDate());
}

TEST(CatalogueBuilder, LastRecordKeepsItsWholeBody)
{
    TBuilt cat(Build(std::string(kOutline) + "INFOTEXT [a] {\n1\n2\n3\n4\n}"));
    TScriptInfoText info;
    cat.Load(info, 4);
    EXPECT_EQ(info.Lines.Strings(), (std::vector<std::string>{"1", "2", "3", "4"}));
}

TEST(CatalogueBuilder, LastRecordWithoutClosingBraceNeverTakesTheAddedEndLine)
{
    TBuilt cat(Build(std::string(kOutline) + "SHORTTEXT [a] {\nD:\\X.ZIP"));
    TShortText text;
    cat.Load(text, 4);
    EXPECT_EQ(text.Lines.Strings(), std::vector<std::string>{"D:\\X.ZIP"});
}

TEST(CatalogueBuilder, ErrorsNameFileAndLine)
{
    EXPECT_EQ(BuildError({{"a.txt", "OUTLINE {\nX\n  Y [nirgends]\n}\n"}}), "a.txt:3: unbekannter Verweis [nirgends]");
    EXPECT_EQ(BuildError({{"a.txt", kOutline}, {"b.txt", "\nINFOTEXT [A] {\nx\n}\nINFOTEXT [A] {\n}\n"}}),
              "b.txt:5: Name [A] ist schon vergeben");
    EXPECT_EQ(BuildError({{"a.txt", kOutline}, {"b.txt", "INFOTEXT [a] {\nZeichen ☺\n}\n"}}),
              "b.txt:2: Zeichen ist in CP1252 nicht darstellbar");
    // The euro sign is CP1252 but not CP850: fine on a short text's first line, not below it.
    EXPECT_EQ(BuildError({{"a.txt", kOutline}, {"b.txt", "SHORTTEXT [a] {\n10 €\n10 €\n}\n"}}),
              "b.txt:3: Zeichen ist in CP850 nicht darstellbar");
    EXPECT_EQ(BuildError({{"a.txt", "INFOTEXT [a] {\n}\n"}}), "a.txt:1: kein OUTLINE-Datensatz");
    EXPECT_EQ(BuildError({{"a.txt", kOutline}, {"b.txt", "INFOTEXT [a] {\n}\noutline {\n}\n"}}),
              "b.txt:3: zweiter OUTLINE-Datensatz");
    EXPECT_EQ(BuildError({{"a.txt", "OUTLINE {\nA\n}\n\xFF\n"}}), "a.txt:4: Zeichen ist in CP1252 nicht darstellbar");
}

TEST(CatalogueBuilder, WriteCatalogueWritesBothFilesOrNone)
{
    const auto dir = std::filesystem::temp_directory_path() / ("lumarc-build-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    const TCatalogueBuilder::TImages images = Build(kOutline + std::string("INFOTEXT [a] {\nx\n}\n"));
    TCatalogueBuilder::WriteCatalogue(images, (dir / "Data").string());
    std::ifstream data(dir / "Data" / "Lumarc32.dat", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(data), {}), images.Data);
    EXPECT_EQ(std::filesystem::file_size(dir / "Data" / "Lumarc32.idx"), images.Index.size());

    // A directory that cannot be made (a file stands in its way) leaves nothing behind.
    std::ofstream(dir / "blocked") << "x";
    EXPECT_THROW(TCatalogueBuilder::WriteCatalogue(images, (dir / "blocked" / "Data").string()), EBuildError);
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::recursive_directory_iterator(dir))
        ++files;
    EXPECT_EQ(files, 4u);  // Data/, its two files, and "blocked"
    std::filesystem::remove_all(dir);
}
