// The component list as a user drives it: opened from the main window by its key, narrowed by
// its filters, a row picked with the mouse and shown with Enter or a double click.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QTreeView>

#include <string>
#include <vector>

#include "ToolDiscMainTestSupport.h"
#include "components/ComponentListModel.h"
#include "components/ComponentListWindow.h"
#include "shell/ComponentCommands.h"

namespace lumarc::test {
namespace {

// Twenty components that differ in every field a filter reads; K3 is shown by two entries.
std::string GeneratedScript()
{
    const char* compilers[] = {"", "Delphi", "Delphi2", "BP", "Delphi, Delphi2", "delphi bp"};
    const char* languages[] = {"49", "1", "44", "33", "0"};
    const char* distributions[] = {"Freeware", "Shareware", "Demoversion", "Vollversion"};
    const char* systems[] = {"Windows 95", "WIN 3.1", "DOS"};
    const char* words[] = {"Grid", "Drag&Drop", "Datenbank", "grid, Druck"};
    std::string outline = "OUTLINE [Gliederung] 01.05.96 {\nAlle\n";
    std::string records;
    for (int i = 0; i < 20; ++i) {
        const std::string name = "K" + std::to_string(i);
        outline += "  " + name + " [" + name + "]\n";
        const std::string date = (i % 2 ? "03.0" : "01.0") + std::to_string(1 + i % 9) + ".96";
        records += "COMPONENT [" + name + "] " + date + " {\n[LongName]\nKomponente " + name + "\n";
        records += "[Rating]\n" + std::to_string(i % 11) + "\n";
        records += "[Language]\n" + std::string(languages[i % 5]) + "\n";
        records += "Compiler\n" + std::string(compilers[i % 6]) + "\n";
        records += "[Distribution]\n" + std::string(distributions[i % 4]) + "\n";
        records += "[OS]\n" + std::string(systems[(i / 2) % 3]) + "\n";
        records += "[KeyWords]\n" + std::string(words[(i / 3) % 4]) + "\n}\n";
    }
    outline += "Nochmal [K3]\n}\n";
    return outline + records;
}

// The number in "Deutsch (5)".
int CountIn(const QString& caption)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\((\\d+)\\)$")).match(caption);
    EXPECT_TRUE(match.hasMatch()) << caption.toStdString();
    return match.captured(1).toInt();
}

class ComponentListTest : public TMainWindowTest {
protected:
    TComponentListWindow& OpenList()
    {
        WriteCatalogue(Dir / "Data", GeneratedScript().c_str());
        Open(Dir.Path());
        EXPECT_TRUE(Activate());
        QTest::keyClick(Window.get(), Qt::Key_L, Qt::ControlModifier);
        TComponentListWindow& list = Window->ComponentCommands().List();
        EXPECT_TRUE(list.isVisible());
        EXPECT_TRUE(ProcessUntil([&] { return !list.Reading(); }));
        return list;
    }
    static int Rows(const TComponentListWindow& list) { return list.Model().rowCount(); }
    static QModelIndex RowOf(const TComponentListWindow& list, const QString& name)
    {
        const QModelIndexList found =
            list.Model().match(list.Model().index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
        return found.isEmpty() ? QModelIndex() : found[0];
    }
};

TEST_F(ComponentListTest, NarrowedByFiltersKeepsTheRowPickedAndShowsItsEntry)
{
    TComponentListWindow& list = OpenList();
    EXPECT_EQ(Rows(list), 21);  // a row for each entry that shows a component

    // A click picks K4 (a Delphi 1 component); a filter it passes keeps it picked.
    QTreeView& view = list.View();
    const QModelIndex k4 = RowOf(list, QStringLiteral("Komponente K4"));
    ASSERT_TRUE(k4.isValid());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(k4).center());
    EXPECT_EQ(list.SelectedEntry(), Entry("K4"));
    QTest::mouseClick(Part<QCheckBox>(list, "FilterDelphi1"), Qt::LeftButton);
    EXPECT_EQ(Rows(list), 10);
    EXPECT_EQ(list.SelectedEntry(), Entry("K4"));
    // Typing narrows further; K4 is gone and the first row shown is picked in its place.
    QTest::keyClicks(Part<QLineEdit>(list, "FilterText"), "k1");
    EXPECT_EQ(Rows(list), 7);  // K1, K10, K11, K13, K16, K17 and K19
    EXPECT_EQ(list.SelectedEntry(), Entry("K1"));

    // Enter on a row shows its component in the main window.
    view.setFocus();
    view.setCurrentIndex(RowOf(list, QStringLiteral("Komponente K10")));
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(Window->Outline().SelectedEntry(), Entry("K10"));
    EXPECT_TRUE(ProcessUntil([&] { return Window->PageKind() == TToolDiscMain::pkComponent; }));

    // A double click does the same.
    const QModelIndex k1 = RowOf(list, QStringLiteral("Komponente K1"));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(k1).center());
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(k1).center());
    EXPECT_EQ(Window->Outline().SelectedEntry(), Entry("K1"));

    // Another catalogue: the list reads it, the filters stay.
    TTempDir other;
    WriteCatalogue(other / "Data");
    ASSERT_TRUE(Window->OpenAnotherCatalogue(QString::fromStdString(other.Path())));
    ASSERT_TRUE(ProcessUntil([&] { return !list.Reading(); }));
    EXPECT_EQ(Part<QLineEdit>(list, "FilterText")->text(), QStringLiteral("k1"));
    Part<QLineEdit>(list, "FilterText")->clear();
    Part<QCheckBox>(list, "FilterDelphi1")->setChecked(false);
    ASSERT_EQ(Rows(list), 1);
    EXPECT_EQ(list.Model().index(0, 0).data().toString(), QStringLiteral("Raster & Gitter"));
}

TEST_F(ComponentListTest, EachCountIsTheNumberOfRowsItsValueLeaves)
{
    TComponentListWindow& list = OpenList();
    // Other filters set, so that a count has to leave out what they leave out.
    Part<QCheckBox>(list, "FilterDelphi2")->setChecked(true);
    Part<QSpinBox>(list, "FilterRating")->setValue(20);
    const int base = Rows(list);
    ASSERT_GT(base, 3);
    ASSERT_LT(base, 21);

    int checked = 0;
    for (const char* name : {"FilterLanguage", "FilterDistribution", "FilterOS", "FilterKeyWords"}) {
        auto* facet = Part<QListWidget>(list, name);
        ASSERT_GT(facet->count(), 1) << name;
        // The counts are read while a value of the same filter is checked: they still say
        // what each value would leave alone.
        facet->item(0)->setCheckState(Qt::Checked);
        std::vector<int> counts;
        for (int i = 0; i < facet->count(); ++i)
            counts.push_back(CountIn(facet->item(i)->text()));
        facet->item(0)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(Rows(list), base);
        for (int i = 0; i < facet->count(); ++i) {
            QListWidgetItem* value = facet->item(i);
            value->setCheckState(Qt::Checked);
            EXPECT_EQ(Rows(list), counts[static_cast<size_t>(i)]) << name << ' ' << value->text().toStdString();
            value->setCheckState(Qt::Unchecked);
            ++checked;
        }
    }
    EXPECT_GE(checked, 14);

    // The compiler's own counts ask the other filters, not the compiler.
    auto* delphi2 = Part<QCheckBox>(list, "FilterDelphi2");
    auto* bp = Part<QCheckBox>(list, "FilterBPascal");
    const int bpCount = CountIn(bp->text().remove(QLatin1Char('&')));
    delphi2->setChecked(false);
    bp->setChecked(true);
    EXPECT_EQ(Rows(list), bpCount);
    bp->setChecked(false);

    for (const char* name : {"FilterNew", "FilterInstalled", "FilterNotInstalled"}) {
        auto* button = Part<QAbstractButton>(list, name);
        const int count = CountIn(button->text().remove(QLatin1Char('&')));
        button->setChecked(true);
        EXPECT_EQ(Rows(list), count) << name;
    }
}

TEST_F(ComponentListTest, SortedDownwardsRowsOfEqualRatingKeepTheirOutlineOrder)
{
    TComponentListWindow& list = OpenList();
    list.View().sortByColumn(TComponentListModel::cRating, Qt::DescendingOrder);
    // K8 and K19 are both rated 80 %.
    const int k8 = RowOf(list, QStringLiteral("Komponente K8")).row();
    const int k19 = RowOf(list, QStringLiteral("Komponente K19")).row();
    EXPECT_EQ(list.Model().index(0, 0).data().toString(), QStringLiteral("Komponente K10"));
    EXPECT_EQ(k19, k8 + 1);
}

}  // namespace
}  // namespace lumarc::test
