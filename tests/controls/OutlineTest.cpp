#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/CatalogueBuilder.h"
#include "catalogue/RecordIO.h"
#include "catalogue/ScriptInfoText.h"
#include "catalogue/ScriptOutlineText.h"
#include "controls/BrowzerOutline.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"
#include "settings/core/Settings.h"

using namespace lumarc;

namespace {

// Four levels with siblings that have children at every level, a leaf dated after the update
// date (through its record) and CP1252 text. Roots: Komponenten, Willkommen, Größe €.
const char* const kScript =
    "OUTLINE [Gliederung] 02.05.96 {\n"
    "Komponenten\n  Tabellen\n    Raster\n      Zellen\n      Spalten\n    Gitter\n      Linien\n"
    "  Packer\n    Zip\n[Neu]Willkommen\nGröße €\n  Unterpunkt\n}\n"
    "INFOTEXT [Neu] 03.05.96 {\nText\n}\n";

std::string Name(const QTreeWidgetItem* item)
{
    return item ? item->text(0).toStdString() : "<none>";
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

QTreeWidgetItem* Created(const QTreeWidget& tree, const std::string& name)
{
    for (QTreeWidgetItem* item : CreatedItems(tree))
        if (Name(item) == name)
            return item;
    ADD_FAILURE() << "no item " << name;
    return nullptr;
}

// Roots first, then each root's run of children; every node dated 2 May 1996.
TTreeViewData FlatTwoLevels(int roots, int childrenEach)
{
    TTreeViewData data;
    const int nodes = roots + roots * childrenEach;
    for (int i = 0; i < nodes; ++i) {
        const bool root = i < roots;
        data.Texts.Add("Knoten " + std::to_string(i), -1);
        data.ParentList.Add(root ? -1 : (i - roots) / childrenEach);
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
        FSavedUpdateDate = Settings().UpdateDate;
        Settings().UpdateDate = EncodeDate(1996, 5, 2);
    }
    void TearDown() override
    {
        Settings().UpdateDate = FSavedUpdateDate;
        std::filesystem::remove_all(FDir);
    }

    // Each catalogue in a directory and a container of its own, like a fresh program start.
    TBrowzerContainer& NewContainer(std::filesystem::path& dir)
    {
        dir = FDir / std::to_string(FContainers.size());
        std::filesystem::create_directories(dir);
        auto& container = *FContainers.emplace_back(std::make_unique<TBrowzerContainer>());
        container.DataFileName = (dir / "Lumarc32.dat").string();
        container.IndexFileName = (dir / "Lumarc32.idx").string();
        return container;
    }

    void LoadScript(const std::string& script = kScript)
    {
        std::filesystem::path dir;
        TBrowzerContainer& container = NewContainer(dir);
        TCatalogueBuilder builder;
        builder.AddSource("outline.txt", script);
        TCatalogueBuilder::WriteCatalogue(builder.Build(), dir.string());
        Outline.LoadFromContainer(container);
    }

    // Stores the tree data as it is, inconsistencies included.
    void LoadData(TTreeViewData data, bool withOutline = true)
    {
        std::filesystem::path dir;
        TBrowzerContainer& container = NewContainer(dir);
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
        Outline.LoadFromContainer(container);
    }

    int EntryNamed(const std::string& name) const
    {
        const auto& texts = Outline.TreeData().Texts.Strings();
        for (size_t i = 0; i < texts.size(); ++i)
            if (Cp1252ToUtf8(texts[i]) == name)
                return static_cast<int>(i);
        ADD_FAILURE() << "no entry " << name;
        return -1;
    }
    std::string Selected() const { return Name(Outline.currentItem()); }

    std::filesystem::path FDir;
    TDateTime FSavedUpdateDate = 0;
    std::vector<std::unique_ptr<TBrowzerContainer>> FContainers;
    TBrowzerOutline Outline;
};

using ControlsOutlineLoad = ControlsOutlineFixture;

TEST_F(ControlsOutlineLoad, BuildsTheTopLevelAndOnlyTheFirstNodesChildren)
{
    LoadScript();
    EXPECT_EQ(Outline.objectName(), "OverviewOL");
    ASSERT_EQ(Outline.topLevelItemCount(), 3);
    EXPECT_EQ(Name(Outline.topLevelItem(2)), "Größe €");
    QTreeWidgetItem* first = Outline.topLevelItem(0);
    EXPECT_TRUE(first->isExpanded());
    ASSERT_EQ(first->childCount(), 2);
    EXPECT_EQ(first->child(0)->childCount(), 0) << "grandchildren wait for their own expansion";
    EXPECT_EQ(CreatedItems(Outline).size(), 5u);

    // Unmade children still show the expand button; a leaf has none.
    EXPECT_EQ(first->child(0)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_NE(Outline.topLevelItem(1)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    for (QTreeWidgetItem* item : CreatedItems(Outline)) {
        const int entry = TBrowzerOutline::EntryOf(item);
        EXPECT_EQ(item->data(0, Qt::UserRole).toInt(), entry);
        EXPECT_EQ(Name(item), Cp1252ToUtf8(Outline.TreeData().Texts[entry]));
    }
    EXPECT_EQ(FContainers.back()->TreeData(), &Outline.TreeData());
}

TEST_F(ControlsOutlineLoad, SingleTopLevelNodeIsOpenAndSelectedAfterStartUp)
{
    LoadScript("OUTLINE {\nWurzel\n  Eins\n  Zwei\n}\n");
    Outline.ResetOverview();
    ASSERT_EQ(Outline.topLevelItemCount(), 1);
    EXPECT_TRUE(Outline.topLevelItem(0)->isExpanded());
    EXPECT_EQ(Outline.topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(Outline.currentItem(), Outline.topLevelItem(0));
    EXPECT_TRUE(Outline.topLevelItem(0)->isSelected());
}

TEST_F(ControlsOutlineLoad, ReloadsStartFreshAndFailuresLeaveNoStaleState)
{
    LoadScript();  // with second texts
    Outline.ResetOverview();
    Outline.SetHandledNode(Outline.currentItem());
    LoadData(FlatTwoLevels(2, 1));  // without
    EXPECT_EQ(Outline.TreeData().Texts2.Count(), 0) << "second texts of the old outline survived";
    EXPECT_EQ(Outline.topLevelItemCount(), 2);
    EXPECT_EQ(Outline.HandledNode(), nullptr) << "the handled node died with its tree";

    // Files that cannot be opened leave everything as it was.
    std::filesystem::path dir;
    EXPECT_THROW(Outline.LoadFromContainer(NewContainer(dir)), EFOpenError);
    EXPECT_EQ(Outline.topLevelItemCount(), 2);

    // A catalogue without outline record leaves control and data empty.
    try {
        LoadData(TTreeViewData(), false);
        FAIL() << "expected EBrowzerError";
    } catch (const EBrowzerError& e) {
        EXPECT_STREQ(e.what(), "Konnte OutlineText nicht laden!");
    }
    EXPECT_EQ(Outline.topLevelItemCount(), 0);
    EXPECT_EQ(Outline.TreeData().Count(), 0);
}

using ControlsOutlineExpand = ControlsOutlineFixture;

TEST_F(ControlsOutlineExpand, ChildrenAreMadeOnceHoweverTheNodeIsOpened)
{
    LoadScript();
    QTreeWidgetItem* tabellen = Outline.topLevelItem(0)->child(0);
    for (int round = 0; round < 3; ++round) {
        tabellen->setExpanded(true);
        ASSERT_EQ(tabellen->childCount(), 2) << "round " << round;
        EXPECT_EQ(Name(tabellen->child(1)), "Gitter");
        tabellen->setExpanded(false);
        EXPECT_EQ(tabellen->childCount(), 2) << "collapsing keeps the children";
    }
    Outline.ExpandNode(tabellen);
    EXPECT_EQ(tabellen->childCount(), 2);

    QTreeWidgetItem* groesse = Outline.topLevelItem(2);
    Outline.setCurrentItem(groesse);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(&Outline, &right);
    ASSERT_EQ(groesse->childCount(), 1);
    EXPECT_EQ(Name(groesse->child(0)), "Unterpunkt");
}

using ControlsOutlineSelectEntry = ControlsOutlineFixture;

TEST_F(ControlsOutlineSelectEntry, ExpandsExactlyThePathBelowCollapsedAncestors)
{
    LoadScript();
    Outline.topLevelItem(0)->setExpanded(false);
    Outline.SelectEntry(EntryNamed("Spalten"));

    EXPECT_EQ(Selected(), "Spalten");
    EXPECT_TRUE(Outline.currentItem()->isSelected());
    EXPECT_FALSE(Outline.currentItem()->isExpanded());
    for (const char* ancestor : {"Komponenten", "Tabellen", "Raster"})
        EXPECT_TRUE(Created(Outline, ancestor)->isExpanded()) << ancestor;
    for (const char* aside : {"Gitter", "Packer", "Größe €"}) {
        EXPECT_FALSE(Created(Outline, aside)->isExpanded()) << aside;
        EXPECT_EQ(Created(Outline, aside)->childCount(), 0) << aside;
    }
    EXPECT_EQ(CreatedItems(Outline).size(), 3u + 2u + 2u + 2u);
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
        EXPECT_EQ(Selected(), "Packer");
    }
}

using ControlsOutlineNextEntry = ControlsOutlineFixture;

TEST_F(ControlsOutlineNextEntry, WalksTheWholeOutlineInReadingOrderAndStopsAtTheLastLeaf)
{
    LoadScript();
    Outline.ResetOverview();
    std::vector<std::string> seen{Selected()};
    for (int i = 0; i < 20; ++i) {
        Outline.NextEntry();
        if (Selected() != seen.back())
            seen.push_back(Selected());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"Komponenten", "Tabellen", "Raster", "Zellen", "Spalten", "Gitter",
                                              "Linien", "Packer", "Zip", "Willkommen", "Größe €", "Unterpunkt"}));
    for (const char* parent : {"Tabellen", "Raster", "Gitter", "Packer", "Größe €"})
        EXPECT_TRUE(Created(Outline, parent)->isExpanded()) << parent;

    Outline.setCurrentItem(nullptr);
    Outline.NextEntry();
    EXPECT_EQ(Outline.currentItem(), nullptr);
}

using ControlsOutlineKeys = ControlsOutlineFixture;

TEST_F(ControlsOutlineKeys, LineDownUpAndLevelUpFollowTheVisibleLines)
{
    LoadScript();
    Outline.ResetOverview();
    Outline.LineDown();
    EXPECT_EQ(Selected(), "Tabellen");
    Outline.LineDown();
    EXPECT_EQ(Selected(), "Packer") << "children of a shut node are no lines";
    Outline.LineUp();
    EXPECT_EQ(Selected(), "Tabellen");

    Outline.ExpandNode(Outline.currentItem());
    Outline.LevelUp();
    EXPECT_EQ(Selected(), "Tabellen");
    EXPECT_FALSE(Outline.currentItem()->isExpanded()) << "left arrow first collapses";
    Outline.LevelUp();
    EXPECT_EQ(Selected(), "Komponenten") << "then moves to the parent";
    Outline.LevelUp();
    Outline.LineDown();
    EXPECT_EQ(Selected(), "Willkommen");
    Outline.LevelUp();
    Outline.LineUp();
    Outline.LineUp();
    EXPECT_EQ(Selected(), "Komponenten");
    EXPECT_EQ(Outline.SelectedSnapshot(), Outline.currentItem());
}

using ControlsOutlineImages = ControlsOutlineFixture;

QImage Picture(const QIcon& icon, QIcon::Mode mode = QIcon::Normal)
{
    return icon.pixmap(QSize(16, 16), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}
QImage Drawn(int index)
{
    return TOutlineImages::Draw(index).toImage().convertToFormat(QImage::Format_ARGB32);
}
QImage Shown(const QTreeWidgetItem* item, QIcon::Mode mode = QIcon::Normal)
{
    return Picture(item->data(0, Qt::DecorationRole).value<QIcon>(), mode);
}

TEST_F(ControlsOutlineImages, ChosenByChildrenThenByDateAndAskedAgainOnEveryPaint)
{
    LoadScript();
    Outline.SelectEntry(EntryNamed("Zellen"));
    QTreeWidgetItem* zellen = Created(Outline, "Zellen");          // leaf of 2 May 1996
    QTreeWidgetItem* willkommen = Created(Outline, "Willkommen");  // leaf of 3 May 1996
    EXPECT_EQ(Outline.ImageIndex(EntryNamed("Zellen")), 0) << "on the update date is not new";
    EXPECT_EQ(Outline.ImageIndex(EntryNamed("Willkommen")), 2);
    EXPECT_EQ(Outline.ImageIndex(EntryNamed("Raster")), 1);
    EXPECT_EQ(Shown(zellen), Drawn(0));
    EXPECT_EQ(Shown(zellen, QIcon::Selected), Drawn(0));
    EXPECT_EQ(Shown(willkommen), Drawn(2));
    EXPECT_EQ(Shown(Created(Outline, "Raster")), Drawn(1));

    Settings().UpdateDate = EncodeDate(1996, 5, 1);
    EXPECT_EQ(Shown(zellen), Drawn(2));
    EXPECT_EQ(Outline.ImageIndex(EntryNamed("Raster")), 1) << "a parent stays a parent";
    Settings().UpdateDate = EncodeDate(1996, 5, 3);
    EXPECT_EQ(Shown(willkommen), Drawn(0));

    EXPECT_EQ(Outline.ImageIndex(-1), 0);
    EXPECT_EQ(Outline.ImageIndex(Outline.TreeData().Count()), 0);
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < i; ++k)
            EXPECT_NE(Drawn(i), Drawn(k)) << i << " vs " << k;
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
    EXPECT_FALSE(ShowsTheNewMark(Outline));
}

// A caption cut short by the pane's width reads whole in its tooltip; one that fits has none.
TEST_F(ControlsOutlineImages, ACutCaptionShowsWholeInItsTooltip)
{
    const std::string longCaption = "Ein sehr langer Eintrag, den das schmale Fenster abschneidet";
    TTreeViewData data;
    for (const std::string& caption : {std::string("Kurz"), longCaption}) {
        data.Texts.Add(caption, -1);
        data.ParentList.Add(-1);
        data.FirstChildList.Add(-1);
        data.ChildCountList.Add(0);
        data.Dates.Insert(data.Dates.Count(), EncodeDate(1996, 5, 2));
    }
    data.RootCount = 2;
    LoadData(data);
    Outline.resize(120, 200);
    Outline.show();
    auto tipAt = [this](int row) {
        // A tip goes a moment after it is hidden.
        QToolTip::hideText();
        for (int i = 0; i < 100 && QToolTip::isVisible(); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        const QRect cell = Outline.visualItemRect(Outline.topLevelItem(row));
        QHelpEvent help(QEvent::ToolTip, cell.center(), Outline.viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(Outline.viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tipAt(1), QString::fromStdString(longCaption));
    EXPECT_EQ(tipAt(0), QString());
    Outline.resize(600, 200);
    EXPECT_EQ(tipAt(1), QString());
}

using ControlsOutlineReset = ControlsOutlineFixture;

TEST_F(ControlsOutlineReset, CollapsesEverythingBelowTheFirstNodeAndSelectsTheTop)
{
    LoadScript();
    Outline.SelectEntry(EntryNamed("Linien"));
    Outline.SelectEntry(EntryNamed("Zellen"));
    const size_t created = CreatedItems(Outline).size();
    Outline.ResetOverview();
    EXPECT_EQ(Outline.currentItem(), Outline.topLevelItem(0));
    EXPECT_TRUE(Outline.topLevelItem(0)->isExpanded());
    for (const char* below : {"Tabellen", "Raster", "Gitter"})
        EXPECT_FALSE(Created(Outline, below)->isExpanded()) << below;
    EXPECT_EQ(CreatedItems(Outline).size(), created) << "collapsed nodes keep their children";
}

TEST_F(ControlsOutlineReset, FewerThanTwoNodesDoNothing)
{
    LoadScript("OUTLINE {\nAllein\n}\n");
    Outline.setCurrentItem(nullptr);
    Outline.ResetOverview();
    EXPECT_EQ(Outline.currentItem(), nullptr);
    TBrowzerOutline empty;
    empty.ResetOverview();
    empty.NextEntry();
    EXPECT_EQ(empty.currentItem(), nullptr);
}

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
    EXPECT_EQ(Outline.SelectedEntry(), 99999) << "the last leaf stays selected";
}

using ControlsOutlineCorrupt = ControlsOutlineFixture;

TEST_F(ControlsOutlineCorrupt, ChildRunsAndRootCountAreCutToTheNodesThatExist)
{
    TTreeViewData data = FlatTwoLevels(3, 1);  // roots 0..2, children 3..5
    data.ChildCountList.SetItem(0, 1000000);
    data.FirstChildList.SetItem(1, -7);
    data.FirstChildList.SetItem(2, 6);
    LoadData(data);
    EXPECT_EQ(Outline.topLevelItem(0)->childCount(), 3);
    for (int root : {1, 2}) {
        Outline.ExpandNode(Outline.topLevelItem(root));
        EXPECT_EQ(Outline.topLevelItem(root)->childCount(), 0);
        EXPECT_NE(Outline.topLevelItem(root)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
        EXPECT_EQ(Outline.ImageIndex(root), 0);
    }

    data.RootCount = 50;
    LoadData(data);
    EXPECT_EQ(Outline.topLevelItemCount(), 6);
    data.RootCount = -3;
    LoadData(data);
    EXPECT_EQ(Outline.topLevelItemCount(), 0);
    EXPECT_THROW(Outline.SelectEntry(0), EListError);
}

TEST_F(ControlsOutlineCorrupt, LoopsNeverHang)
{
    TTreeViewData self = FlatTwoLevels(1, 0);  // node 0: its own parent and only child
    self.FirstChildList.SetItem(0, 0);
    self.ChildCountList.SetItem(0, 1);
    self.ParentList.SetItem(0, 0);
    LoadData(self);
    EXPECT_THROW(Outline.SelectEntry(0), EListError);
    Outline.setCurrentItem(Outline.topLevelItem(0));
    for (int i = 0; i < 20; ++i)
        Outline.NextEntry();
    EXPECT_EQ(CreatedItems(Outline).size(), 21u) << "one level a step, each made once";

    TTreeViewData pair = FlatTwoLevels(1, 1);  // nodes 0 and 1, each the other's parent
    pair.ParentList.SetItem(0, 1);
    pair.FirstChildList.SetItem(1, 0);
    pair.ChildCountList.SetItem(1, 1);
    LoadData(pair);
    EXPECT_THROW(Outline.SelectEntry(1), EListError);
}

TEST_F(ControlsOutlineCorrupt, UnplaceableEntryFailsAndTouchesNothing)
{
    TTreeViewData data = FlatTwoLevels(2, 2);  // roots 0, 1; children 2, 3 and 4, 5
    data.ParentList.SetItem(5, 0);             // a parent whose run does not hold it
    data.ParentList.SetItem(3, 77);            // a parent that does not exist
    LoadData(data);
    Outline.SelectEntry(4);
    Outline.topLevelItem(0)->setExpanded(false);
    for (int bad : {5, 3}) {
        EXPECT_THROW(Outline.SelectEntry(bad), EListError) << bad;
        EXPECT_EQ(Outline.SelectedEntry(), 4);
        EXPECT_FALSE(Outline.topLevelItem(0)->isExpanded()) << bad;
    }

    data = FlatTwoLevels(2, 2);
    data.ParentList.Clear();
    data.Dates = TDateList();
    LoadData(data);
    EXPECT_EQ(Outline.topLevelItem(0)->childCount(), 2);
    EXPECT_THROW(Outline.SelectEntry(2), EListError);
    EXPECT_EQ(Outline.ImageIndex(2), 0);
    EXPECT_NO_THROW(Outline.grab());
}

}  // namespace
