// The session: what one run leaves is what the next one starts with, and a session file that
// is damaged or points at what has gone gives the program's own start, never a failure.

#include "shell/Session.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include <filesystem>
#include <fstream>

#include "ToolDiscMainTestSupport.h"
#include "controls/MicaTextView.h"
#include "search/SearchFoundDlg.h"
#include "shell/SearchCommand.h"
#include "shell/WideInfoForm.h"

namespace lumarc::test {
namespace {

inline const char* const kOtherScript =
    "OUTLINE [Gliederung] 01.05.96 {\n"
    "Erster [Erster]\n"
    "Zweiter [Zweiter]\n"
    "}\n"
    "INFOTEXT [Erster] 24.12.95 {\n"
    "<F1>Eins\n"
    "}\n"
    "INFOTEXT [Zweiter] 24.12.95 {\n"
    "<F1>Zwei\n"
    "}\n";

class Session : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        WriteCatalogue(Dir / "Data");
        WriteCatalogue(Other / "DATA", kOtherScript);
    }
    // Starts as the program does: the session read, the window opened on its catalogue and
    // put back as the session had it.
    void Start(const QString& given = QString())
    {
        Detail.reset();
        Window.reset();
        const TSession session = TSession::Load(File);
        Open(session.StartCatalogue(given).toStdString());
        Detail = std::make_unique<TWideInfoForm>();
        Detail->setAttribute(Qt::WA_DontShowOnScreen);
        Window->SetDetailWindow(Detail.get());
        session.Restore(*Window, *Detail);
        QCoreApplication::processEvents();
    }
    void End() { ASSERT_TRUE(TSession::Capture(*Window, *Detail).Save(File)); }
    void WriteFile(const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(File.toStdString()).parent_path());
        std::ofstream(File.toStdString(), std::ios::binary) << bytes;
    }
    void TearDown() override
    {
        Detail.reset();
        TMainWindowTest::TearDown();
    }

    TTempDir Other;
    const QString File = TSession::DefaultFile();
    std::unique_ptr<TWideInfoForm> Detail;
};

TEST_F(Session, TheNextStartHasTheWindowsTheCatalogueAndTheEntryOfTheLastRun)
{
    ASSERT_TRUE(File.startsWith(QString::fromStdString(Config / "state")));
    Start(QString::fromStdString(Dir.Path()));
    // Geometry the offscreen screen can hold, so that restoring need not move it.
    Window->setGeometry(30, 40, 720, 520);
    Window->SetSplitterPosition(260);
    Detail->setGeometry(50, 60, 600, 470);
    Detail->SetMemoHeights(40, 150);
    Window->SearchCommand().ResultsDialog().resize(500, 380);
    ASSERT_TRUE(Window->OpenAnotherCatalogue(QString::fromStdString(Other.Path())));
    Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectEntry(1);
    End();

    Start();
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Window->Catalogue(), QString::fromStdString(Other.Path()));
    EXPECT_EQ(Window->geometry().size(), QSize(720, 520));
    EXPECT_EQ(Window->SplitterPosition(), 260);
    EXPECT_EQ(Part<QFrame>(*Window, "InfoPanel")->x(),
              Part<QFrame>(*Window, "Splitter")->x() + Part<QFrame>(*Window, "Splitter")->width());
    EXPECT_EQ(Detail->size(), QSize(600, 470));
    EXPECT_EQ(Detail->ReviewHeight(), 40);
    EXPECT_EQ(Detail->InstallHeight(), 150);
    EXPECT_EQ(Window->SearchCommand().ResultsDialog().size(), QSize(500, 380));
    EXPECT_EQ(Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectedEntry(), 1);
    ASSERT_TRUE(
        ProcessUntil([&] { return Part<TMicaTextView>(*Window, "TextView")->PlainLines() == QStringList({"Zwei"}); }));
    // The catalogue the first start opened is among the recent ones, after the one opened later.
    const QStringList both = {QString::fromStdString(Other.Path()), QString::fromStdString(Dir.Path())};
    EXPECT_EQ(Window->RecentCatalogues(), both);

    // A catalogue named on the command line wins; the last entry belongs to the other disc.
    Start(QString::fromStdString(Dir.Path()));
    EXPECT_EQ(Window->Catalogue(), QString::fromStdString(Dir.Path()));
    EXPECT_EQ(Window->RecentCatalogues(), QStringList(both.rbegin(), both.rend()));
    EXPECT_EQ(Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectedEntry(), 0);
    EXPECT_EQ(Window->SplitterPosition(), 260);

    // Maximised comes back maximised.
    Window->showMaximized();
    QCoreApplication::processEvents();
    End();
    Start();
    EXPECT_TRUE(Window->windowState() & Qt::WindowMaximized);
}

TEST_F(Session, ALastCatalogueThatHasGoneGivesTheProgramsOwnStart)
{
    Start(QString::fromStdString(Dir.Path()));
    ASSERT_TRUE(Window->OpenAnotherCatalogue(QString::fromStdString(Other.Path())));
    End();
    std::filesystem::remove_all(Other.Path() + "/DATA");
    EXPECT_TRUE(TSession::Load(File).StartCatalogue(QString()).isEmpty());
    Start();
    // A stick taken out since is no error of its own; the recent list still names it.
    EXPECT_NE(Window->Catalogue(), QString::fromStdString(Other.Path()));
    for (const TMessage& message : Messages)
        EXPECT_FALSE(message.Text.contains(QString::fromStdString(Other.Path()))) << message.Text.toStdString();
    EXPECT_TRUE(Window->RecentCatalogues().contains(QString::fromStdString(Other.Path())));
}

TEST_F(Session, ACatalogueThatFailedToOpenIsNeitherTheLastNorARecentOne)
{
    Start(QString::fromStdString(Dir.Path()));
    End();
    const QString broken = QString::fromStdString(Other / "nirgends");
    Start(broken);
    EXPECT_FALSE(Messages.empty());
    EXPECT_FALSE(Window->RecentCatalogues().contains(broken));
    End();
    // The next plain start does not show the error again.
    EXPECT_TRUE(TSession::Load(File).StartCatalogue(QString()).isEmpty());
    Messages.clear();
    Start();
    for (const TMessage& message : Messages)
        EXPECT_FALSE(message.Text.contains(broken)) << message.Text.toStdString();
    EXPECT_FALSE(Window->RecentCatalogues().contains(broken));
    EXPECT_TRUE(Window->RecentCatalogues().contains(QString::fromStdString(Dir.Path())));
}

TEST_F(Session, ADamagedFileGivesTheDesignStartAndIsWrittenWholeAgain)
{
    Start(QString::fromStdString(Dir.Path()));
    const QSize freshSize = Window->size();
    const int freshSplitter = Window->SplitterPosition();
    const QSize freshDetail = Detail->size();
    const int freshReview = Detail->ReviewHeight();

    const std::string damaged[] = {
        std::string("\0\xff\x13[Main\nGeometry=@ByteArray(\x01", 24),
        "[MainWindow]\nGeometry=@ByteArray(\\x1\\xd9\\xd0\\xcb\\0\\x3)\nSplitter=abc\n"
        "[DetailWindow]\nGeometry=nonsense\nReviewHeight=-4\nInstallHeight=\n"
        "[Catalogue]\nPath=/nowhere/at/all\nEntry=9999\nRecent=\n",
        "[Catalogue]\nPath=" + Dir.Path() + "\nEntry=4711\n",
    };
    for (const std::string& bytes : damaged) {
        SCOPED_TRACE(bytes);
        WriteFile(bytes);
        Start(QString::fromStdString(Dir.Path()));
        EXPECT_TRUE(Messages.empty());
        EXPECT_EQ(Window->size(), freshSize);
        EXPECT_EQ(Window->SplitterPosition(), freshSplitter);
        EXPECT_EQ(Detail->size(), freshDetail);
        EXPECT_EQ(Detail->ReviewHeight(), freshReview);
        EXPECT_EQ(Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectedEntry(), 0);
        EXPECT_EQ(Window->RecentCatalogues(), QStringList({QString::fromStdString(Dir.Path())}));
    }

    // Values from a wider screen or a taller window stay within what a drag could reach.
    WriteFile("[MainWindow]\nSplitter=99999\n[DetailWindow]\nReviewHeight=5000\nInstallHeight=5000\n");
    Start(QString::fromStdString(Dir.Path()));
    EXPECT_GE(Part<QFrame>(*Window, "InfoPanel")->width(), TToolDiscMain::kMinInfoWidth);
    EXPECT_LE(Detail->LongInfoMemo->geometry().bottom(), Detail->height());
    EXPECT_GE(Detail->InstallHeight(), 0);

    End();
    EXPECT_EQ(TSession::Load(File).StartCatalogue(QString()), QString::fromStdString(Dir.Path()));
}

}  // namespace
}  // namespace lumarc::test
