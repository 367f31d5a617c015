// Print lines and the order form read from catalogues that the builder writes to disk, the
// way the viewer and lumarc-cli read them.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "catalogue/CatalogueBuilder.h"
#include "print/core/EntryLines.h"
#include "print/core/OrderForm.h"

using namespace lumarc;
namespace fs = std::filesystem;

namespace {

using TLines = std::vector<std::string>;

const char* const kScript =
    "OUTLINE [Gliederung] 01.05.96 {\n"
    "   BestellFormular[bestellung]\n"
    "Willkommen [willkommen]\n"
    "Kurz [kurz]\n"
    "Leer\n"
    "Raster [raster]\n"
    "Einzeilig [datei]\n"
    "}\n"
    "INFOTEXT [bestellung] {\n"
    "<F1>Bestellformular\n"
    "Bitte ausschneiden:\n"
    "------ schnipp ------\n"
    "<F0>Name:\n"
    "Adresse:\n"
    "------ Schnapp ------\n"
    "}\n"
    "INFOTEXT [willkommen] {\n"
    "<F1>Willkommen – 10 €\n"
    "Text <f0>mit Tag\n"
    "}\n"
    "SHORTTEXT [kurz] {\n"
    "D:\\COMPS\\PACKER.ZIP\n"
    "┌─┐ Größe\n"
    "zweite\n"
    "}\n"
    "SHORTTEXT [datei] {\n"
    "D:\\COMPS\\NUR.ZIP\n"
    "}\n"
    "COMPONENT [raster] {\n"
    "[LongName]\n"
    "Raster & Gitter\n"
    "[Version]\n"
    "2.0\n"
    "[ShortInfo]\n"
    "Kurz & gut\n"
    "[KeyWords]\n"
    "grid, raster\n"
    "[LongInfo]\n"
    "Lang\n"
    "Zeile 2\n"
    "[Language]\n"
    "49\n"
    "Compiler\n"
    "Delphi BP\n"
    "}\n";

class PrintCoreEntryLines : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dir = fs::temp_directory_path() / ("lumarc-print-core-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }

    // Builds `script` and opens it as the viewer does.
    void Open(const std::string& script)
    {
        TCatalogueBuilder builder;
        builder.AddSource("test.txt", script);
        const fs::path out = Dir / std::to_string(++Builds);
        TCatalogueBuilder::WriteCatalogue(builder.Build(), out.string());
        Container = std::make_unique<TBrowzerContainer>();
        Container->DataFileName = (out / "Lumarc32.dat").string();
        Container->IndexFileName = (out / "Lumarc32.idx").string();
        Container->SetActive(true);
        Tree = std::make_unique<TTreeViewData>();
        Container->LoadOutline(*Tree);
    }

    TEntryLines Entry(int entry) { return ReadEntryLines(*Container, *Tree, entry); }

    fs::path Dir;
    int Builds = 0;
    std::unique_ptr<TBrowzerContainer> Container;
    std::unique_ptr<TTreeViewData> Tree;
};

}  // namespace

TEST_F(PrintCoreEntryLines, EachRecordKindGivesItsPrintLines)
{
    Open(kScript);

    const TEntryLines info = Entry(1);
    EXPECT_EQ(info.Kind, TRecordKind::rkInfo);
    EXPECT_EQ(info.Lines.Strings(), (TLines{"Willkommen \x96 10 \x80", "Text mit Tag"}));

    const TEntryLines shortText = Entry(2);
    EXPECT_EQ(shortText.Kind, TRecordKind::rkShort);
    EXPECT_EQ(shortText.Lines.Strings(), (TLines{"\xDA\xC4\xBF Gr\x94\xE1" "e", "zweite"}));

    const TEntryLines compo = Entry(4);
    EXPECT_EQ(compo.Kind, TRecordKind::rkComponent);
    EXPECT_EQ(compo.Lines.Strings(),
              (TLines{"Komponente: Raster & Gitter   Version 2.0", "", "KurzInfo:", "Kurz & gut",
                      "Schl\xFCsselw\xF6rter:", " GRID RASTER", "Ausf\xFChrliche Beschreibung:", "Lang", "Zeile 2"}));
}

TEST_F(PrintCoreEntryLines, EntriesWithoutLinesAndOutOfRange)
{
    Open(kScript);
    const TEntryLines heading = Entry(3);
    EXPECT_EQ(heading.Kind, TRecordKind::rkNone);
    EXPECT_TRUE(heading.Lines.Empty());

    const TEntryLines oneLine = Entry(5);
    EXPECT_EQ(oneLine.Kind, TRecordKind::rkShort);
    EXPECT_TRUE(oneLine.Lines.Empty());

    EXPECT_EQ(Entry(-1).Kind, TRecordKind::rkNone);
    EXPECT_THROW(Entry(6), EListError);
}

TEST_F(PrintCoreEntryLines, OrderFormIsCutFromItsInfoText)
{
    Open(kScript);
    EXPECT_EQ(ReadOrderForm(*Container, *Tree).Strings(), (TLines{"<F0>Name:", "Adresse:"}));
}

TEST_F(PrintCoreEntryLines, OrderFormNeedsItsEntryAndAnInfoText)
{
    Open("OUTLINE {\nBestellFormular [b]\n}\nINFOTEXT [b] {\nx\n1 SCHNIPP 1\na\nb\n2 SCHNAPP 2\n}\n");
    EXPECT_TRUE(ReadOrderForm(*Container, *Tree).Empty());

    Open("OUTLINE {\n   BestellFormular\n}\n");
    EXPECT_TRUE(ReadOrderForm(*Container, *Tree).Empty());

    // The marks sit in a component's long description; it is not read as an info text.
    Open("OUTLINE {\n   bestellformular[c]\n}\nCOMPONENT [c] {\n[LongInfo]\nx\n1 SCHNIPP 1\na\nb\n2 SCHNAPP 2\n}\n");
    EXPECT_TRUE(ReadOrderForm(*Container, *Tree).Empty());
}
