// Opening another catalogue from the running viewer: the file dialog, a drop, the recent list,
// and a catalogue that cannot be read.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <filesystem>

#include "ToolDiscMainTestSupport.h"
#include "catalogue/BrowzerContainer.h"
#include "controls/BrowzerOutline.h"
#include "controls/MicaTextView.h"
#include "shell/CatalogueChooser.h"

namespace lumarc::test {
namespace {

inline const char* const kOtherScript =
    "OUTLINE [Gliederung] 01.05.96 {\n"
    "Anderer Katalog [Anders]\n"
    "}\n"
    "INFOTEXT [Anders] 24.12.95 {\n"
    "<F1>Eine andere Scheibe\n"
    "}\n";

class CatalogueChoice : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        WriteCatalogue(Other / "DATA", kOtherScript);
        OpenBuilt();
    }
    QString FirstCaption() const
    {
        return Part<TBrowzerOutline>(*Window, "OverviewOL")->topLevelItem(0)->text(0).trimmed();
    }

    TTempDir Other;
};

TEST_F(CatalogueChoice, TheFileDialogTakesADirectoryHoldingACatalogueAndReplacesTheShownOne)
{
    Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectEntry(Entry("Hinweise"));
    Window->OverviewOLClick();
    ASSERT_TRUE(ProcessUntil([&] { return Window->Navigation().History().Count() > 1; }));
    QTimer::singleShot(0, Window.get(), [&] {
        auto* chooser = qobject_cast<TCatalogueChooser*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        chooser->selectFile(QString::fromStdString(Other.Path()));
        chooser->accept();
    });
    Part<QAction>(*Window, "MIOpenCatalogue")->trigger();
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(FirstCaption(), QStringLiteral("Anderer Katalog"));
    EXPECT_EQ(Part<TMicaTextView>(*Window, "TextView")->PlainLines(), QStringList({"Eine andere Scheibe"}));
    EXPECT_LE(Window->Navigation().History().Count(), 1) << "the old catalogue's history must go";
    EXPECT_EQ(Window->BrowzerContainer().DataFileName, Other / "DATA/Lumarc32.dat");
    EXPECT_EQ(Window->RecentCatalogues(),
              QStringList({QString::fromStdString(Other.Path()), QString::fromStdString(Dir.Path())}));
}

TEST_F(CatalogueChoice, ADropOpensAndTheRecentListOffersOnlyWhatIsStillThere)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(Other / "DATA/Lumarc32.dat"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Window.get(), &drop);
    EXPECT_EQ(FirstCaption(), QStringLiteral("Anderer Katalog"));

    ASSERT_TRUE(Window->OpenAnotherCatalogue(QString::fromStdString(Dir.Path())));
    EXPECT_EQ(FirstCaption(), QStringLiteral("Willkommen"));
    ASSERT_EQ(Window->RecentCatalogues().size(), 2);
    EXPECT_EQ(Window->RecentCatalogues()[0], QString::fromStdString(Dir.Path()));

    // The other disc goes away: its entry stays in the list, greyed.
    std::filesystem::rename(Other / "DATA", Other / "WEG");
    Window->SetRecentCatalogues(Window->RecentCatalogues());
    QAction* gone = Part<QMenu>(*Window, "MIRecent")->findChild<QAction*>(QStringLiteral("MIRecent2"));
    ASSERT_NE(gone, nullptr);
    EXPECT_FALSE(gone->isEnabled());
    std::filesystem::rename(Other / "WEG", Other / "DATA");
    Window->SetRecentCatalogues(Window->RecentCatalogues());
    Part<QMenu>(*Window, "MIRecent")->findChild<QAction*>(QStringLiteral("MIRecent2"))->trigger();
    EXPECT_EQ(FirstCaption(), QStringLiteral("Anderer Katalog"));
}

TEST_F(CatalogueChoice, ACatalogueThatCannotBeReadLeavesTheShownOneAndSaysWhy)
{
    EXPECT_FALSE(Window->OpenAnotherCatalogue(QString::fromStdString(Other / "nirgends")));
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Messages[0].Text.startsWith(QStringLiteral("Datenbank nicht gefunden!\nGesucht: ")))
        << Messages[0].Text.toStdString();
    EXPECT_EQ(FirstCaption(), QStringLiteral("Willkommen"));
    EXPECT_EQ(Part<TMicaTextView>(*Window, "TextView")->PlainLines(),
              QStringList({"Willkommen auf der Scheibe", "zweite Zeile"}));

    WriteFile(Other / "alt/Lumarc32.dat", std::string("\x02\x00\x02\x00", 4) + std::string(60, '\0'));
    WriteFile(Other / "alt/Lumarc32.idx", std::string(8, '\0'));
    EXPECT_FALSE(Window->OpenAnotherCatalogue(QString::fromStdString(Other / "alt")));
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Messages[1].Text.toStdString(), TBrowzerContainer::VersionMessage());
    EXPECT_EQ(FirstCaption(), QStringLiteral("Willkommen"));
    EXPECT_EQ(Window->RecentCatalogues(), QStringList({QString::fromStdString(Dir.Path())}));
}

}  // namespace
}  // namespace lumarc::test
