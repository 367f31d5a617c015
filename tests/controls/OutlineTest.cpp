#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTreeWidgetItem>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/CatalogueBuilder.h"
#include "catalogue/RecordIO.h"
#include "catalogue/ScriptOutlineText.h"
#include "catalogue/ScriptInfoText.h"
#include "controls/BrowzerOutline.h"
#include "controls/OutlineImages.h"
#include "controls/OutlineItem.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"
#include "settings/core/Settings.h"

using namespace lumarc;

namespace {

// Four levels, siblings with children at every level, a "new" leaf and CP1252 text.
// Node order after the build: 0 Komponenten, 1 Willkommen, 2 Größe €, then the child runs.
const char* const kScript =
    "OUTLINE [Gliederung] 02.05.96 {\n"
    "Komponenten\n"
    "  Tabellen\n"
    "    Raster\n"
    "      Zellen\n"
    "      Spalten\n"
    "    Gitter\n"
    "      Linien\n"
    "  Packer\n"
    "    Zip\n"
    "[Neu]Willkommen\n"
    "Größe €\n"
    "  Unterpunkt\n"
    "}\n"
    "INFOTEXT [Neu] 03.05.96 {\n"
    "Text\n"
    "}\n";

const std::vector<std::string> kReadingOrder = {"Komponenten", "Tabellen", "Raster",     "Zellen",
                                                "Spalten",     "Gitter",   "Linien",     "Packer",
                                                "Zip",         "Willkommen", "Größe €", "Unterpunkt"};

QString Text(const QTreeWidgetItem* item)
{
    return item ? item->text(0) : QStringLiteral("<none>");
}

std::vector<QTreeWidgetItem*> CreatedItems(const QTreeWidget& tree)
{
    std::vector<QTreeWidgetItem*> items;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        items.push_back(tree.topLevelItem(i));
    for (size_t i = 0; i < items.size(); ++i)
        for (int c = 0; c < items[i]->childCount(); ++c)
            items.push_back(items[i]->child(c));
    return items;
}

QTreeWidgetItem* Created(const QTreeWidget& tree, const QString& text)
{
    for (QTreeWidgetItem* item : CreatedItems(tree))
        if (item->text(0) == text)
            return item;
    return nullptr;
}

// Roots, then each root's run of children; all dated 2 May 1996.
TTreeViewData FlatTwoLevels(int roots, int childrenEach)
{
    TTreeViewData data;
    const int nodes = roots + roots * childrenEach;
    data.Texts.Reserve(nodes);
    for (int i = 0; i < nodes; ++i) {
        const bool root = i < roots;
        const int owner = root ? -1 : (i - roots) / childrenEach;
        data.Texts.Add("Knoten " + std::to_string(i), -1);
        data.ParentList.Add(owner);
        data.FirstChildList.Add(root && childrenEach > 0 ? roots + i * childrenEach : -1);
        data.ChildCountList.Add(root ? childrenEach : 0);
        data.Dates.Insert(i, EncodeDate(1996, 5, 2));
    }
    data.RootCount = roots;
    return data;
}

class ControlsOutlineFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        FDir = std::filesystem::temp_directory_path() /
               ("lumarc-outline-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(FDir);
        FSavedUpdateDate = Settings().UpdateDate;
        Settings().UpdateDate = EncodeDate(1996, 5, 2);
    }
    void TearDown() override
    {
        Settings().UpdateDate = FSavedUpdateDate;
        std::filesystem::remove_all(FDir);
    }

    // Each catalogue gets a container of its own, as a fresh start of the program would.
    TBrowzerContainer& NewContainer()
    {
        const std::string name = "cat" + std::to_string(FContainers.size());
        std::filesystem::create_directories(FDir / name);
        auto& container = *FContainers.emplace_back(std::make_unique<TBrowzerContainer>());
        container.DataFileName = (FDir / name / "Lumarc32.dat").string();
        container.IndexFileName = (FDir / name / "Lumarc32.idx").string();
        return container;
    }

    TBrowzerContainer& WriteScript(const std::string& script)
    {
        TBrowzerContainer& container = NewContainer();
        TCatalogueBuilder builder;
        builder.AddSource("outline.txt", script);
        TCatalogueBuilder::WriteCatalogue(builder.Build(),
                                          std::filesystem::path(container.DataFileName).parent_path().string());
        return container;
    }

    // Tree data stored as it is, inconsistencies included.
    TBrowzerContainer& WriteData(TTreeViewData data, bool withOutline = true)
    {
        TBrowzerContainer& container = NewContainer();
        test::TMemoryCatalogue catalogue;
        TScriptInfoText info;
        info.Lines.Add("Text");
        catalogue.Store(info);
        if (withOutline) {
            TScriptOutlineText outline(nullptr, &data);
            catalogue.Store(outline);
        }
        std::ofstream(container.DataFileName, std::ios::binary) << catalogue.Data.Bytes();
        std::ofstream(container.IndexFileName, std::ios::binary) << catalogue.Index.Bytes();
        return container;
    }

    void LoadScript(const std::string& script = kScript) { Outline.LoadFromContainer(WriteScript(script)); }
    void LoadData(const TTreeViewData& data) { Outline.LoadFromContainer(WriteData(data)); }

    int EntryNamed(const std::string& text) const
    {
        const auto& texts = Outline.TreeData().Texts.Strings();
        for (size_t i = 0; i < texts.size(); ++i)
            if (Cp1252ToUtf8(texts[i]) == text)
                return static_cast<int>(i);
        ADD_FAILURE() << "no entry " << text;
        return -1;
    }

    std::string SelectedText() const
    {
        const int entry = Outline.SelectedEntry();
        return entry < 0 ? "<none>" : Cp1252ToUtf8(Outline.TreeData().Texts[entry]);
    }

    std::filesystem::path FDir;
    TDateTime FSavedUpdateDate = 0;
    std::vector<std::unique_ptr<TBrowzerContainer>> FContainers;
    TBrowzerOutline Outline;
};

// ---------------------------------------------------------------------------------------------

using ControlsOutlineLoad = ControlsOutlineFixture;

TEST_F(ControlsOutlineLoad, BuildsTheTopLevelAndOnlyTheFirstNodesChildren)
{
    LoadScript();
    EXPECT_EQ(Outline.objectName(), "OverviewOL");
    ASSERT_EQ(Outline.topLevelItemCount(), 3);
    EXPECT_EQ(Text(Outline.topLevelItem(0)), "Komponenten");
    EXPECT_EQ(Text(Outline.topLevelItem(1)), "Willkommen");
    EXPECT_EQ(Text(Outline.topLevelItem(2)), QString::fromUtf8("Größe €"));

    QTreeWidgetItem* first = Outline.topLevelItem(0);
    EXPECT_TRUE(first->isExpanded());
    ASSERT_EQ(first->childCount(), 2);
    EXPECT_EQ(Text(first->child(0)), "Tabellen");
    EXPECT_EQ(first->child(0)->childCount(), 0) << "grandchildren wait for their own expansion";
    EXPECT_EQ(CreatedItems(Outline).size(), 5u);

    // Unexpanded nodes with children still offer the expand button.
    EXPECT_EQ(first->child(0)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(Outline.topLevelItem(2)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_NE(Outline.topLevelItem(1)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

    // Every item names its tree-data node, also through the item data.
    for (QTreeWidgetItem* item : CreatedItems(Outline)) {
        const int entry = TBrowzerOutline::EntryOf(item);
        EXPECT_EQ(item->data(0, Qt::UserRole).toInt(), entry);
        EXPECT_EQ(item->text(0).toStdString(), Cp1252ToUtf8(Outline.TreeData().Texts[entry]));
    }
}

TEST_F(ControlsOutlineLoad, ContainerSharesTheControlsTreeData)
{
    TBrowzerContainer& container = WriteScript(kScript);
    Outline.LoadFromContainer(container);
    EXPECT_TRUE(container.Active());
    EXPECT_EQ(container.TreeData(), &Outline.TreeData());
    EXPECT_EQ(Outline.TreeData().Count(), 12);
}

TEST_F(ControlsOutlineLoad, OneTopLevelNodeIsExpandedAndSelectedAfterStartUp)
{
    LoadScript("OUTLINE {\nWurzel\n  Eins\n  Zwei\n}\n");
    Outline.ResetOverview();
    ASSERT_EQ(Outline.topLevelItemCount(), 1);
    EXPECT_TRUE(Outline.topLevelItem(0)->isExpanded());
    EXPECT_EQ(Outline.topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(Outline.currentItem(), Outline.topLevelItem(0));
    EXPECT_TRUE(Outline.topLevelItem(0)->isSelected());
}

TEST_F(ControlsOutlineLoad, MissingOutlineRecordLeavesControlAndDataEmpty)
{
    LoadScript();
    Outline.ResetOverview();
    Outline.SetHandledNode(Outline.currentItem());

    try {
        Outline.LoadFromContainer(WriteData(TTreeViewData(), false));
        FAIL() << "expected EBrowzerError";
    } catch (const EBrowzerError& e) {
        EXPECT_STREQ(e.what(), "Konnte OutlineText nicht laden!");
    }
    EXPECT_EQ(Outline.topLevelItemCount(), 0);
    EXPECT_EQ(Outline.TreeData().Count(), 0);
    EXPECT_EQ(Outline.HandledNode(), nullptr);
    EXPECT_EQ(Outline.SelectedSnapshot(), nullptr);
}

TEST_F(ControlsOutlineLoad, UnopenableCatalogueLeavesTheControlAsItWas)
{
    LoadScript();
    TBrowzerContainer& missing = NewContainer();
    EXPECT_THROW(Outline.LoadFromContainer(missing), EFOpenError);
    EXPECT_EQ(Outline.topLevelItemCount(), 3);
    EXPECT_EQ(Outline.TreeData().Count(), 12);
}

TEST_F(ControlsOutlineLoad, ReloadStartsFromFreshTreeData)
{
    LoadScript();  // has second texts
    Outline.ResetOverview();
    Outline.SetHandledNode(Outline.currentItem());
    ASSERT_TRUE(Outline.TreeData().HasTexts2);

    LoadData(FlatTwoLevels(2, 1));  // has none
    EXPECT_FALSE(Outline.TreeData().HasTexts2);
    EXPECT_EQ(Outline.TreeData().Texts2.Count(), 0) << "second texts of the old outline must not survive";
    TTVRevEntry entry;
    Outline.TreeData().GetNode(0, entry);
    EXPECT_EQ(entry.Text2, "");
    EXPECT_EQ(Outline.topLevelItemCount(), 2);
    EXPECT_EQ(Outline.HandledNode(), nullptr) << "the handled node was deleted with its tree";
}

// ---------------------------------------------------------------------------------------------

using ControlsOutlineExpand = ControlsOutlineFixture;

TEST_F(ControlsOutlineExpand, ExpandCollapseExpandCreatesChildrenOnce)
{
    LoadScript();
    QTreeWidgetItem* tabellen = Outline.topLevelItem(0)->child(0);
    for (int round = 0; round < 3; ++round) {
        tabellen->setExpanded(true);
        ASSERT_EQ(tabellen->childCount(), 2) << "round " << round;
        EXPECT_EQ(Text(tabellen->child(0)), "Raster");
        EXPECT_EQ(Text(tabellen->child(1)), "Gitter");
        tabellen->setExpanded(false);
        EXPECT_EQ(tabellen->childCount(), 2) << "collapsing keeps the children";
    }
    Outline.ExpandNode(tabellen);
    Outline.CreateChildren(tabellen);
    EXPECT_EQ(tabellen->childCount(), 2);
}

TEST_F(ControlsOutlineExpand, KeyboardExpansionCreatesChildren)
{
    LoadScript();
    QTreeWidgetItem* groesse = Outline.topLevelItem(2);
    Outline.setCurrentItem(groesse);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(&Outline, &right);
    EXPECT_TRUE(groesse->isExpanded());
    ASSERT_EQ(groesse->childCount(), 1);
    EXPECT_EQ(Text(groesse->child(0)), "Unterpunkt");
}

TEST_F(ControlsOutlineExpand, LeafExpansionCreatesNothing)
{
    LoadScript();
    QTreeWidgetItem* willkommen = Outline.topLevelItem(1);
    Outline.ExpandNode(willkommen);
    EXPECT_EQ(willkommen->childCount(), 0);
    EXPECT_EQ(CreatedItems(Outline).size(), 5u);
}

// ---------------------------------------------------------------------------------------------

using ControlsOutlineSelectEntry = ControlsOutlineFixture;

TEST_F(ControlsOutlineSelectEntry, ExpandsExactlyThePathBelowCollapsedAncestors)
{
    LoadScript();
    Outline.topLevelItem(0)->setExpanded(false);
    const int spalten = EntryNamed("Spalten");

    Outline.SelectEntry(spalten);

    EXPECT_EQ(SelectedText(), "Spalten");
    EXPECT_TRUE(Outline.currentItem()->isSelected());
    for (const char* ancestor : {"Komponenten", "Tabellen", "Raster"})
        EXPECT_TRUE(Created(Outline, ancestor)->isExpanded()) << ancestor;
    EXPECT_FALSE(Outline.currentItem()->isExpanded());
    // Siblings on the way keep their children unmade and stay shut.
    for (const char* aside : {"Gitter", "Packer", "Größe €"}) {
        QTreeWidgetItem* item = Created(Outline, QString::fromUtf8(aside));
        ASSERT_NE(item, nullptr) << aside;
        EXPECT_FALSE(item->isExpanded()) << aside;
        EXPECT_EQ(item->childCount(), 0) << aside;
    }
    EXPECT_EQ(CreatedItems(Outline).size(), 3u + 2u + 2u + 2u);
}

TEST_F(ControlsOutlineSelectEntry, TopLevelAndRepeatedSelectionsReuseItems)
{
    LoadScript();
    Outline.SelectEntry(EntryNamed("Zip"));
    const size_t created = CreatedItems(Outline).size();
    Outline.SelectEntry(EntryNamed("Willkommen"));
    EXPECT_EQ(Outline.currentItem(), Outline.topLevelItem(1));
    Outline.SelectEntry(EntryNamed("Zip"));
    EXPECT_EQ(SelectedText(), "Zip");
    EXPECT_EQ(CreatedItems(Outline).size(), created);
}

TEST_F(ControlsOutlineSelectEntry, IndexOutsideTheDataFailsAndKeepsTheSelection)
{
    LoadScript();
    Outline.SelectEntry(EntryNamed("Packer"));
    for (int bad : {-1, 12, 1000}) {
        try {
            Outline.SelectEntry(bad);
            FAIL() << bad;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), ListIndexError(bad));
        }
        EXPECT_EQ(SelectedText(), "Packer");
    }
}

// ---------------------------------------------------------------------------------------------

using ControlsOutlineNextEntry = ControlsOutlineFixture;

TEST_F(ControlsOutlineNextEntry, WalksTheWholeOutlineInReadingOrder)
{
    LoadScript();
    Outline.ResetOverview();
    std::vector<std::string> seen{SelectedText()};
    for (int i = 0; i < 20; ++i) {
        Outline.NextEntry();
        if (SelectedText() == seen.back())
            break;
        seen.push_back(SelectedText());
    }
    EXPECT_EQ(seen, kReadingOrder);
    // Every node with sub-entries was opened on the way.
    for (const char* parent : {"Komponenten", "Tabellen", "Raster", "Gitter", "Packer", "Größe €"})
        EXPECT_TRUE(Created(Outline, QString::fromUtf8(parent))->isExpanded()) << parent;
}

TEST_F(ControlsOutlineNextEntry, LastNodeWithChildrenOpensAndGoesToItsFirstChild)
{
    LoadScript();
    Outline.setCurrentItem(Outline.topLevelItem(2));
    Outline.NextEntry();
    EXPECT_EQ(SelectedText(), "Unterpunkt");
    Outline.NextEntry();
    EXPECT_EQ(SelectedText(), "Unterpunkt") << "the last leaf stays selected";
}

TEST_F(ControlsOutlineNextEntry, NothingSelectedNothingHappens)
{
    LoadScript();
    Outline.setCurrentItem(nullptr);
    Outline.NextEntry();
    EXPECT_EQ(Outline.currentItem(), nullptr);

    TBrowzerOutline empty;
    empty.NextEntry();
    EXPECT_EQ(empty.currentItem(), nullptr);
}

// ---------------------------------------------------------------------------------------------

using ControlsOutlineKeys = ControlsOutlineFixture;

TEST_F(ControlsOutlineKeys, LineDownUpAndLevelUpFollowTheVisibleLines)
{
    LoadScript();
    Outline.ResetOverview();
    ASSERT_EQ(SelectedText(), "Komponenten");

    Outline.LineDown();
    EXPECT_EQ(SelectedText(), "Tabellen");
    Outline.LineDown();
    EXPECT_EQ(SelectedText(), "Packer") << "the children of the shut Tabellen are not lines";
    Outline.LineUp();
    EXPECT_EQ(SelectedText(), "Tabellen");

    Outline.ExpandNode(Outline.currentItem());
    Outline.LevelUp();
    EXPECT_EQ(SelectedText(), "Tabellen");
    EXPECT_FALSE(Outline.currentItem()->isExpanded()) << "left arrow first collapses";
    Outline.LevelUp();
    EXPECT_EQ(SelectedText(), "Komponenten") << "then moves to the parent";
    Outline.LevelUp();
    EXPECT_FALSE(Outline.topLevelItem(0)->isExpanded());
    Outline.LineDown();
    EXPECT_EQ(SelectedText(), "Willkommen");
    Outline.LevelUp();
    EXPECT_EQ(SelectedText(), "Willkommen") << "a collapsed top-level node stays";

    Outline.LineUp();
    Outline.LineUp();
    EXPECT_EQ(SelectedText(), "Komponenten") << "the first line is the top";
    EXPECT_EQ(Outline.SelectedSnapshot(), Outline.currentItem());
}

// ---------------------------------------------------------------------------------------------

using ControlsOutlineImages = ControlsOutlineFixture;

QImage IconPicture(const QTreeWidgetItem* item, QIcon::Mode mode = QIcon::Normal)
{
    const QIcon icon = item->data(0, Qt::DecorationRole).value<QIcon>();
    return icon.pixmap(QSize(16, 16), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage Drawn(int index)
{
    return TOutlineImages::Draw(index).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST_F(ControlsOutlineImages, ThreeDistinctPicturesThatLookTheSameWhenSelected)
{
    const TOutlineImages images;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Drawn(i).size(), QSize(16, 16));
        EXPECT_EQ(images.Icon(i).pixmap(16, QIcon::Selected).toImage().convertToFormat(QImage::Format_ARGB32),
                  Drawn(i));
        for (int k = 0; k < i; ++k)
            EXPECT_NE(Drawn(i), Drawn(k)) << i << " vs " << k;
    }
    EXPECT_TRUE(images.Icon(3).isNull());
    EXPECT_TRUE(images.Icon(-1).isNull());
}

TEST_F(ControlsOutlineImages, ChosenByChildrenThenByDateAgainstTheUpdateDate)
{
    LoadScript();
    Outline.SelectEntry(EntryNamed("Zellen"));
    const int willkommen = EntryNamed("Willkommen");  // 3 May 1996, a leaf
    const int zellen = EntryNamed("Zellen");          // 2 May 1996, a leaf
    const int komponenten = EntryNamed("Komponenten");

    EXPECT_EQ(Outline.ImageIndex(zellen), 0) << "dated on the update date: not new";
    EXPECT_EQ(Outline.ImageIndex(willkommen), 2);
    EXPECT_EQ(Outline.ImageIndex(komponenten), 1);

    // A day earlier makes the 2 May entries new; a parent stays a parent.
    Settings().UpdateDate = EncodeDate(1996, 5, 1);
    EXPECT_EQ(Outline.ImageIndex(zellen), 2);
    EXPECT_EQ(Outline.ImageIndex(komponenten), 1);
    Settings().UpdateDate = EncodeDate(1996, 5, 3);
    EXPECT_EQ(Outline.ImageIndex(willkommen), 0);

    // The items ask again each time they are drawn, selected or not.
    Settings().UpdateDate = EncodeDate(1996, 5, 2);
    EXPECT_EQ(IconPicture(Created(Outline, "Willkommen")), Drawn(2));
    EXPECT_EQ(IconPicture(Created(Outline, "Zellen")), Drawn(0));
    EXPECT_EQ(IconPicture(Created(Outline, "Zellen"), QIcon::Selected), Drawn(0));
    EXPECT_EQ(IconPicture(Created(Outline, "Raster")), Drawn(1));
    Settings().UpdateDate = EncodeDate(1990, 1, 1);
    EXPECT_EQ(IconPicture(Created(Outline, "Zellen")), Drawn(2));

    EXPECT_EQ(Outline.ImageIndex(-1), 0);
    EXPECT_EQ(Outline.ImageIndex(Outline.TreeData().Count()), 0);
}

bool ShowsTheNewMark(TBrowzerOutline& outline)
{
    const QImage shot = outline.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) == qRgb(255, 0, 0))
                return true;
    return false;
}

TEST_F(ControlsOutlineImages, TheNewMarkIsOnScreenOnlyWhileAnEntryIsNew)
{
    LoadScript();
    Outline.resize(240, 300);
    Outline.show();
    EXPECT_TRUE(ShowsTheNewMark(Outline));
    Settings().UpdateDate = EncodeDate(1996, 6, 1);
    Outline.viewport()->update();
    EXPECT_FALSE(ShowsTheNewMark(Outline));
}

TEST_F(ControlsOutlineImages, InvalidStoredDateIsNotNew)
{
    TTreeViewData data = FlatTwoLevels(2, 0);
    // Patch the packed date of node 1 to 31 February in the stored image.
    TMemoryStream image;
    {
        TWriter writer(image);
        data.WriteData(writer);
        writer.FlushBuffer();
    }
    std::string bytes = image.Bytes();
    const int32_t good = PackDate(EncodeDate(1996, 5, 2));
    const int32_t bad = (1996 << 16) | (2 << 8) | 31;
    const std::string goodBytes(reinterpret_cast<const char*>(&good), 4);
    const size_t at = bytes.rfind(goodBytes);
    ASSERT_NE(at, std::string::npos);
    std::memcpy(&bytes[at], &bad, 4);
    TMemoryStream patched(bytes);
    TReader reader(patched);
    TTreeViewData broken;
    broken.ReadData(reader);

    Settings().UpdateDate = EncodeDate(1990, 1, 1);
    LoadData(broken);
    EXPECT_EQ(Outline.ImageIndex(0), 2);
    EXPECT_EQ(Outline.ImageIndex(1), 0);
    EXPECT_NO_THROW(Outline.grab());
}

// ---------------------------------------------------------------------------------------------

using ControlsOutlineReset = ControlsOutlineFixture;

TEST_F(ControlsOutlineReset, CollapsesEverythingBelowTheFirstNodeAndSelectsTheTop)
{
    LoadScript();
    Outline.SelectEntry(EntryNamed("Linien"));
    Outline.SelectEntry(EntryNamed("Zellen"));
    const size_t created = CreatedItems(Outline).size();

    Outline.ResetOverview();

    QTreeWidgetItem* first = Outline.topLevelItem(0);
    EXPECT_EQ(Outline.currentItem(), first);
    EXPECT_TRUE(first->isExpanded());
    for (const char* below : {"Tabellen", "Raster", "Gitter"})
        EXPECT_FALSE(Created(Outline, below)->isExpanded()) << below;
    EXPECT_EQ(CreatedItems(Outline).size(), created) << "collapsed nodes keep their children";
}

TEST_F(ControlsOutlineReset, FewerThanTwoNodesDoNothing)
{
    LoadScript("OUTLINE {\nAllein\n}\n");
    ASSERT_EQ(Outline.topLevelItemCount(), 1);
    Outline.setCurrentItem(nullptr);
    Outline.ResetOverview();
    EXPECT_EQ(Outline.currentItem(), nullptr);

    TBrowzerOutline empty;
    EXPECT_NO_THROW(empty.ResetOverview());
}

// ---------------------------------------------------------------------------------------------

using ControlsOutlineLarge = ControlsOutlineFixture;

TEST_F(ControlsOutlineLarge, HundredThousandNodesCreateOnlyWhatIsShown)
{
    LoadData(FlatTwoLevels(100, 999));
    ASSERT_EQ(Outline.TreeData().Count(), 100000);
    EXPECT_EQ(Outline.topLevelItemCount(), 100);
    EXPECT_EQ(CreatedItems(Outline).size(), 100u + 999u);

    Outline.SelectEntry(99999);
    EXPECT_EQ(Outline.SelectedEntry(), 99999);
    EXPECT_EQ(CreatedItems(Outline).size(), 100u + 999u + 999u);
    Outline.NextEntry();
    EXPECT_EQ(Outline.SelectedEntry(), 99999);
}

// ---------------------------------------------------------------------------------------------

using ControlsOutlineCorrupt = ControlsOutlineFixture;

TEST_F(ControlsOutlineCorrupt, ChildRunsAreCutToTheNodesThatExist)
{
    TTreeViewData data = FlatTwoLevels(3, 1);  // roots 0..2, children 3..5
    data.ChildCountList.SetItem(0, 1000000);   // runs past the end
    data.FirstChildList.SetItem(1, -7);        // a count without a first child
    data.FirstChildList.SetItem(2, 6);         // first child past the end
    LoadData(data);

    EXPECT_EQ(Outline.topLevelItem(0)->childCount(), 3);
    for (int root : {1, 2}) {
        QTreeWidgetItem* item = Outline.topLevelItem(root);
        Outline.ExpandNode(item);
        EXPECT_EQ(item->childCount(), 0);
        EXPECT_NE(item->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
        EXPECT_EQ(Outline.ImageIndex(root), 0);
    }
}

TEST_F(ControlsOutlineCorrupt, RootCountOutsideTheDataIsClamped)
{
    TTreeViewData data = FlatTwoLevels(2, 1);
    data.RootCount = 50;
    LoadData(data);
    EXPECT_EQ(Outline.topLevelItemCount(), 4);

    data.RootCount = -3;
    LoadData(data);
    EXPECT_EQ(Outline.topLevelItemCount(), 0);
    EXPECT_THROW(Outline.SelectEntry(0), EListError);
}

TEST_F(ControlsOutlineCorrupt, LoopsNeverHang)
{
    // Node 0 is its own parent and its own only child.
    TTreeViewData data = FlatTwoLevels(1, 0);
    data.FirstChildList.SetItem(0, 0);
    data.ChildCountList.SetItem(0, 1);
    data.ParentList.SetItem(0, 0);
    LoadData(data);

    EXPECT_THROW(Outline.SelectEntry(0), EListError);
    Outline.setCurrentItem(Outline.topLevelItem(0));
    for (int i = 0; i < 20; ++i)
        Outline.NextEntry();
    EXPECT_EQ(Outline.SelectedEntry(), 0);
    EXPECT_EQ(CreatedItems(Outline).size(), 21u) << "one level per step, each made once";

    // Two nodes that name each other as parent.
    TTreeViewData pair = FlatTwoLevels(1, 1);
    pair.RootCount = 0;
    pair.ParentList.SetItem(0, 1);
    pair.ParentList.SetItem(1, 0);
    pair.FirstChildList.SetItem(1, 0);
    pair.ChildCountList.SetItem(1, 1);
    LoadData(pair);
    EXPECT_THROW(Outline.SelectEntry(1), EListError);
}

TEST_F(ControlsOutlineCorrupt, BrokenParentChainFailsWithoutChangingTheSelection)
{
    TTreeViewData data = FlatTwoLevels(2, 2);  // roots 0, 1; children 2, 3 and 4, 5
    data.ParentList.SetItem(5, 0);             // claims a parent whose run does not hold it
    data.ParentList.SetItem(3, 77);            // a parent that does not exist
    LoadData(data);
    Outline.SelectEntry(4);
    Outline.topLevelItem(0)->setExpanded(false);
    for (int bad : {5, 3}) {
        EXPECT_THROW(Outline.SelectEntry(bad), EListError) << bad;
        EXPECT_EQ(Outline.SelectedEntry(), 4);
        EXPECT_FALSE(Outline.topLevelItem(0)->isExpanded()) << "a path that cannot be placed opens nothing";
    }

    TTreeViewData shortLists = FlatTwoLevels(2, 2);
    shortLists.ParentList.Clear();
    shortLists.Dates = TDateList();
    LoadData(shortLists);
    EXPECT_EQ(Outline.topLevelItem(0)->childCount(), 2);
    EXPECT_THROW(Outline.SelectEntry(2), EListError);
    EXPECT_EQ(Outline.ImageIndex(2), 0);
    EXPECT_NO_THROW(Outline.grab());
}

}  // namespace
