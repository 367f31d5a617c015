#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/CatalogueBuilder.h"
#include "catalogue/OutlineLookup.h"
#include "catalogue/TreeViewData.h"
#include "controls/MicaTextView.h"
#include "platform/TestFiles.h"
#include "shell/EntryDisplay.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

const char* const kScript =
    "OUTLINE [Gliederung] 01.05.96 {\n"
    "Willkommen [willkommen]\n"
    "Kapitel\n"
    "  Packer [Packer]\n"
    "  Raster [Raster]\n"
    "  Kurz [kurz]\n"
    "}\n"
    "INFOTEXT [Willkommen] 24.12.95 {\n"
    "<F1>Willkommen – Größe\n"
    "erste & zweite\n"
    "<f2>Code\n"
    "}\n"
    "INFOTEXT [Kurz] 24.12.95 {\n"
    "Nur <F1>eine Zeile\n"
    "}\n"
    "SHORTTEXT [Packer] 10.06.96 {\n"
    "D:\\COMPS\\PACKER.ZIP\n"
    "Packt\n"
    "}\n"
    "COMPONENT [Raster] {\n"
    "[LongName]\n"
    "Raster\n"
    "}\n";

// The info text page: its view as the window has it, three fonts, untagged lines keeping the
// font before.
class ShellEntryDisplayInfoText : public ::testing::Test {
protected:
    void SetUp() override
    {
        TCatalogueBuilder builder;
        builder.AddSource("demo.txt", kScript);
        TCatalogueBuilder::WriteCatalogue(builder.Build(), Dir.Path());
        Container.DataFileName = Dir / "Lumarc32.dat";
        Container.IndexFileName = Dir / "Lumarc32.idx";
        Container.SetActive(true);
        Container.LoadOutline(Tree);
        View.UseStandardFont = false;
        View.AddFont();
        ASSERT_TRUE(Display.ShowInfoText(Entry("Kurz")));
    }

    int Entry(const std::string& caption) const { return test::EntryContaining(Tree, caption); }
    std::vector<int> RowFonts() const
    {
        std::vector<int> fonts;
        for (int row = 0; row < View.RowCount(); ++row)
            fonts.push_back(View.RowFont(row));
        return fonts;
    }

    TTempDir Dir;
    TBrowzerContainer Container;
    TTreeViewData Tree;
    TMicaTextView View;
    TEntryDisplay Display{Container, TEntryPages{nullptr, &View}};
};

TEST_F(ShellEntryDisplayInfoText, ShowsTheStoredLinesWithTheirFonts)
{
    EXPECT_EQ(RowFonts(), std::vector<int>({1}));  // a tag mid-line counts
    View.hide();
    ASSERT_TRUE(Display.ShowInfoText(Entry("Willkommen")));
    EXPECT_EQ(View.Lines[0],
              "<F1>Willkommen \x96 Gr\xF6\xDF"
              "e");  // CP1252, as stored
    EXPECT_EQ(RowFonts(), std::vector<int>({1, 1, 2}));
    EXPECT_FALSE(View.isHidden());
    EXPECT_EQ(View.PlainLines(), QStringList({"Willkommen – Größe", "erste & zweite", "Code"}));
}

TEST_F(ShellEntryDisplayInfoText, RefusedEntriesAndFailuresLeaveTheViewAsItWas)
{
    const std::vector<std::string> lines = View.Lines.Strings();
    const auto unchanged = [&] { return View.Lines.Strings() == lines && RowFonts() == std::vector<int>({1}); };

    for (const int entry : {Entry("Kapitel"), Entry("Packer"), Entry("Raster"), -1}) {
        EXPECT_FALSE(Display.ShowInfoText(entry)) << entry;
        EXPECT_TRUE(unchanged()) << entry;
    }
    try {
        Display.ShowInfoText(Tree.Count());
        ADD_FAILURE() << "no error past the outline";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(Tree.Count()) + ")");
    }
    EXPECT_TRUE(unchanged());

    std::filesystem::resize_file(Container.DataFileName, 8);  // every body ends early now
    EXPECT_THROW(Display.ShowInfoText(Entry("Willkommen")), EStreamError);
    EXPECT_TRUE(unchanged());
}

}  // namespace
