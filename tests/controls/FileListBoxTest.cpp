// The file list box on scratch directories: what it reads, how it sorts and filters, how the
// columns look, and the right-button selection.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <ctime>
#include <filesystem>
#include <string>
#include <utime.h>
#include <vector>

#include "controls/FileListFormat.h"
#include "controls/xFileListBox.h"
#include "platform/TestFiles.h"

#include <sys/stat.h>

namespace lumarc::test {
namespace {

std::vector<std::string> Items(const TxFileListBox& list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.count(); ++i)
        items.push_back(list.item(i)->text().toStdString());
    return items;
}

class FileListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TxFileListBox::SetDriveSource([] { return std::vector<std::string>{"/", "/home/anna", "/media/stick"}; });
        std::filesystem::create_directories(Root / "sub/Beta");
        std::filesystem::create_directories(Root / "sub/alpha");
        std::filesystem::create_directories(Root / "sub/9lives");
        WriteFile(Root / "sub/Unit1.PAS", "unit");
        WriteFile(Root / "sub/unit1.dfm", "form");
        WriteFile(Root / "sub/both.pas.dfm", "x");
        WriteFile(Root / "sub/readme.txt", std::string(1234, 'r'));
        WriteFile(Root / "sub/.hidden", "h");
        WriteFile(Root / "sub/setup.exe", "MZ");
        WriteFile(Root / "sub/run.bat", "@echo");
    }
    void TearDown() override { TxFileListBox::SetDriveSource({}); }

    TxFileListBox& Open(const std::string& dir)
    {
        List.SetDirectory(QString::fromStdString(dir));
        return List;
    }

    TTempDir Root;
    TxFileListBox List;
};

TEST_F(FileListBoxTest, Reading_DirectoriesFirstDotDotBeforeLettersNoDot)
{
    List.SetSFShow(sfsAll & ~sfsDrives);
    Open(Root / "sub");
    const auto items = Items(List);
    ASSERT_GE(items.size(), 4u);
    EXPECT_EQ(items[0], "..");
    EXPECT_EQ(items[1], "9lives");
    EXPECT_EQ(items[2], "alpha");
    EXPECT_EQ(items[3], "Beta");  // as on disk
    EXPECT_EQ(std::count(items.begin(), items.end(), "."), 0);
    EXPECT_EQ(List.LastDirIndex(), 3);
    // Files after the directories, sorted without regard to case, in their case on disk.
    EXPECT_EQ(std::vector<std::string>(items.begin() + 4, items.end()),
              (std::vector<std::string>{".hidden", "both.pas.dfm", "readme.txt", "run.bat", "setup.exe", "unit1.dfm",
                                        "Unit1.PAS"}));
    EXPECT_EQ(List.LastFileIndex(), static_cast<int>(items.size()) - 1);
    EXPECT_EQ(List.LastDriveIndex(), List.LastFileIndex());
}

TEST_F(FileListBoxTest, Reading_NamesThatDifferInCaseAreTwoFilesAndKeepTheirCase)
{
    WriteFile(Root / "sub/UNIT1.PAS", "other unit");
    Open(Root / "sub");
    const auto items = Items(List);
    for (const char* name : {"Unit1.PAS", "UNIT1.PAS"}) {
        const auto found = std::find(items.begin(), items.end(), name);
        ASSERT_NE(found, items.end()) << name;
        EXPECT_EQ(List.FullPathOf(static_cast<int>(found - items.begin())).toStdString(),
                  Root / ("sub/" + std::string(name)));
    }
    List.SetUpperCase(true);  // shown alike, and still two files
    const auto upper = Items(List);
    EXPECT_EQ(std::count(upper.begin(), upper.end(), "UNIT1.PAS"), 2);
}

TEST_F(FileListBoxTest, Masks_BothPatternsListedOnceAndHiddenFilesFollowTheFileType)
{
    List.SetSFShow(sfsSize);
    List.SetMask(QStringLiteral("*.pas;*.dfm"));
    Open(Root / "sub");
    EXPECT_EQ(Items(List), (std::vector<std::string>{"both.pas.dfm", "unit1.dfm", "Unit1.PAS"}));
    // A file that both patterns match is one file, listed once.
    List.SetMask(QStringLiteral("*.dfm;both.*"));
    EXPECT_EQ(Items(List), (std::vector<std::string>{"both.pas.dfm", "unit1.dfm"}));

    List.SetMask(QStringLiteral("*.*"));
    List.SetFileType(ftDirectory | ftArchive | ftNormal);
    const auto items = Items(List);
    EXPECT_EQ(std::count(items.begin(), items.end(), ".hidden"), 0);
    List.SetFileType(ftDirectory | ftArchive | ftNormal | ftHidden);
    const auto withHidden = Items(List);
    EXPECT_EQ(std::count(withHidden.begin(), withHidden.end(), ".hidden"), 1);
}

TEST_F(FileListBoxTest, Masks_WithoutDirsNoDirectoryNotEvenDotDot)
{
    List.SetSFShow(sfsSize | sfsProcIcons);
    Open(Root / "sub");
    for (const auto& item : Items(List))
        EXPECT_NE(item, "..");
    EXPECT_EQ(List.LastDirIndex(), -1);
    EXPECT_EQ(List.DirEntries().Count(), 0);
}

TEST_F(FileListBoxTest, Masks_EmptyDirectoryGivesEmptyListDrawnAsFocusRectangle)
{
    std::filesystem::create_directories(Root / "leer");
    List.SetSFShow(sfsSize);
    Open(Root / "leer");
    EXPECT_EQ(List.count(), 0);
    QImage image(100, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    List.DrawItem(painter, 0, QRect(0, 0, 100, 16), false, false);
    painter.end();
    EXPECT_EQ(image.pixelColor(50, 8), List.Color());  // inside: the background only
    int ink = 0;                                       // the dotted rectangle along the top edge
    for (int x = 0; x < 100; ++x)
        ink += image.pixelColor(x, 0) != List.Color();
    EXPECT_GT(ink, 10);
}

TEST_F(FileListBoxTest, SortTypes_OrderTheBlocksAndEntryAtFollows)
{
    List.SetSFShow(sfsDirs | sfsDrives);
    List.SetMask(QStringLiteral("*.bat"));
    Open(Root / "sub");
    EXPECT_EQ(Items(List), (std::vector<std::string>{"..", "9lives", "alpha", "Beta", "run.bat", "/", "/home/anna",
                                                     "/media/stick"}));
    List.SetSortType(stNameDirDrive);
    EXPECT_EQ(Items(List).front(), "run.bat");
    EXPECT_EQ(List.EntryAt(1).Name, "..");
    EXPECT_TRUE(List.EntryAt(5).IsDrive);
    List.SetSortType(stDirDriveName);
    EXPECT_EQ(Items(List)[4], "/");
    EXPECT_EQ(Items(List).back(), "run.bat");
    EXPECT_FALSE(List.EntryAt(7).IsDrive);
    EXPECT_EQ(List.FullPathOf(5).toStdString(), "/home/anna");
}

TEST_F(FileListBoxTest, Glyphs_FolderFloppyExeAndPlain)
{
    List.SetSFShow(sfsDirs | sfsDrives);
    Open(Root / "sub");
    const auto items = Items(List);
    auto glyphOf = [&](const std::string& name) {
        const int i = static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
        return List.Glyph(i).toImage();
    };
    EXPECT_EQ(glyphOf("alpha"), List.FolderGlyph.toImage());
    EXPECT_EQ(glyphOf("/media/stick"), List.FloppyGlyph.toImage());
    EXPECT_EQ(glyphOf("run.bat"), List.ExeGlyph.toImage());
    EXPECT_EQ(glyphOf("setup.exe"), List.ExeGlyph.toImage());  // without sfsProcIcons
    EXPECT_EQ(glyphOf("readme.txt"), List.PlainFileGlyph.toImage());
    EXPECT_EQ(List.FloppyGlyph.size(), QSize(16, 11));
    EXPECT_EQ(List.FolderGlyph.size(), QSize(16, 15));
}

TEST(ControlsFileListFormat, FieldsDatesAndAttributes)
{
    EXPECT_EQ(FormatField(QStringLiteral("%9d"), int64_t{1234}), QStringLiteral("     1234"));
    EXPECT_EQ(FormatField(QStringLiteral("%-12.12s"), QStringLiteral("kurz.pas")), QStringLiteral("kurz.pas    "));
    EXPECT_EQ(FormatField(QStringLiteral("%-12.12s"), QStringLiteral("sehrlangername.pas")),
              QStringLiteral("sehrlangerna"));
    EXPECT_EQ(FormatField(QStringLiteral("[%s] 100%%"), QStringLiteral("x")), QStringLiteral("[x] 100%"));
    EXPECT_EQ(FormatField(QStringLiteral("%n%d"), int64_t{5}), QStringLiteral("%n5"));  // unknown stays text
    const uint32_t packed = ((1996 - 1980) << 9 | 12 << 5 | 31) << 16 | (14 << 11 | 5 << 5 | 10);
    EXPECT_EQ(FormatFileTime(QStringLiteral("mm.dd.yy"), packed), QStringLiteral("12.31.96"));
    EXPECT_EQ(FormatFileTime(QStringLiteral("t"), packed), QStringLiteral("14:05"));
    EXPECT_EQ(FormatFileTime(QStringLiteral("hh:mm"), packed), QStringLiteral("14:05"));
    EXPECT_EQ(AttrText(QStringLiteral("ARSH"), faArchive), QStringLiteral("A   "));
    EXPECT_EQ(AttrText(QStringLiteral("ARSH"), faReadOnly | faHidden), QStringLiteral(" R H"));
    EXPECT_EQ(AttrText(QStringLiteral("rash"), faArchive | faSysFile), QStringLiteral(" as "));
}

TEST_F(FileListBoxTest, Drawing_SizeRightAlignedAtOffsetAndFormatEvent)
{
    List.SetSFShow(sfsSize);
    List.SetShowGlyphs(false);
    List.SetMask(QStringLiteral("readme.txt"));
    Open(Root / "sub");
    ASSERT_EQ(List.count(), 1);
    std::vector<std::pair<int, QString>> asked;
    List.OnGetFormat = [&](TxFileListBox*, QString& format, TFormatKind kind, int) { asked.push_back({kind, format}); };
    QImage image(300, 16, QImage::Format_RGB32);
    QPainter painter(&image);
    List.DrawItem(painter, 0, QRect(0, 0, 300, 16), false, false);
    painter.end();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], std::make_pair(0, QStringLiteral("%-12s")));
    EXPECT_EQ(asked[1], std::make_pair(1, QStringLiteral("%9d")));
    // The size ends at the size offset: text start 2 + 150 + 2; nothing of it beyond.
    const QColor background = List.Color();
    bool inkBefore = false;
    for (int x = 130; x < 154; ++x)
        for (int y = 0; y < 16; ++y)
            inkBefore = inkBefore || image.pixelColor(x, y) != background;
    bool inkAfter = false;
    for (int x = 156; x < 300; ++x)
        for (int y = 0; y < 16; ++y)
            inkAfter = inkAfter || image.pixelColor(x, y) != background;
    EXPECT_TRUE(inkBefore);
    EXPECT_FALSE(inkAfter);
}

TEST_F(FileListBoxTest, Drawing_AHugeSizeNeverRunsIntoTheName)
{
    // A sparse file of eleven digits' size: wider than the size column was made for.
    WriteFile(Root / "big/langername.x", "");
    std::filesystem::resize_file(Root / "big/langername.x", 12345678901ull);
    List.SetSFShow(sfsSize);
    List.SetShowGlyphs(false);
    QFont font(QStringLiteral("System"));
    font.setPixelSize(13);
    font.setBold(true);
    List.setFont(font);
    Open(Root / "big");
    ASSERT_EQ(List.count(), 1);
    QImage image(300, 16, QImage::Format_RGB32);
    QPainter painter(&image);
    List.DrawItem(painter, 0, QRect(0, 0, 300, 16), false, false);
    painter.end();
    // Between the name's ink and the digits' ink there is a column of background.
    const QColor background = List.Color();
    std::vector<bool> inked(300, false);
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 16; ++y)
            inked[x] = inked[x] || image.pixelColor(x, y) != background;
    const int digitsLeft = 2 + 150 + 2 - QFontMetrics(font).horizontalAdvance(QStringLiteral("12345678901"));
    ASSERT_GT(digitsLeft, 2);
    EXPECT_TRUE(std::find(inked.begin(), inked.begin() + digitsLeft - 1, true) != inked.begin() + digitsLeft - 1);
    EXPECT_FALSE(inked[static_cast<size_t>(digitsLeft - 2)]);
}

TEST_F(FileListBoxTest, Drawing_ANameOfEightAndThreeLettersIsNeverShortenedInColumns)
{
    // The install dialog's target list: columns set to 130 pixels, names in a bold font.
    WriteFile(Root / "target/HANDBUCH.TXT", "");
    WriteFile(Root / "target/TAB.PAS", "");
    QFont font(QStringLiteral("System"));
    font.setPixelSize(15);
    font.setBold(true);
    List.setFont(font);
    List.resize(400, 200);
    List.SetMultiColumns(true);
    List.SetMultiColumnWidth(130);
    List.SetSFShow(sfsProcIcons);
    Open(Root / "target");
    ASSERT_EQ(List.count(), 2);
    const int needed = QFontMetrics(font).horizontalAdvance(QStringLiteral("HANDBUCH.TXT"));
    for (int i = 0; i < List.count(); ++i) {
        const QRect cell = List.visualItemRect(List.item(i));
        EXPECT_GE(cell.width(), needed + List.ItemHeight() + 6) << i;
    }
}

TEST_F(FileListBoxTest, Drawing_ColoursFollowFocusAndSelection)
{
    List.SetSFShow(sfsSize);
    List.SetShowGlyphs(false);
    Open(Root / "sub");
    auto background = [&](bool focused, bool selected) {
        QImage image(200, 16, QImage::Format_RGB32);
        QPainter painter(&image);
        List.DrawItem(painter, 1, QRect(0, 0, 200, 16), focused, selected);
        return image.pixelColor(199, 0);
    };
    EXPECT_EQ(background(true, false), List.FocusedBkColor());
    EXPECT_EQ(background(false, true), List.Color());
}

class FileListBoxMouseTest : public FileListBoxTest {
protected:
    void SetUp() override
    {
        FileListBoxTest::SetUp();
        List.SetMultiSelect(true);
        List.SetSFShow(sfsSize | sfsDirs);
        List.resize(300, 400);
        List.show();
        Open(Root / "sub");
    }
    QPoint PointOf(int index) { return List.visualItemRect(List.item(index)).center(); }
    void Right(QEvent::Type type, int index, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, PointOf(index), List.viewport()->mapToGlobal(PointOf(index)), Qt::RightButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(List.viewport(), &event);
    }
};

TEST_F(FileListBoxMouseTest, RightDrag_TakesTheStateOfTheFirstItem)
{
    const int first = List.LastDirIndex() + 1;
    List.SetSelected(first, true);
    Right(QEvent::MouseButtonPress, first, Qt::RightButton);
    EXPECT_FALSE(List.Selected(first));
    EXPECT_FALSE(List.DragSelectState());
    List.SetSelected(first + 1, true);
    List.SetSelected(first + 2, true);
    List.SetSelected(first + 3, true);
    for (int i = 1; i <= 3; ++i)
        Right(QEvent::MouseMove, first + i, Qt::RightButton);
    Right(QEvent::MouseButtonRelease, first + 3, Qt::NoButton);
    for (int i = 0; i <= 3; ++i)
        EXPECT_FALSE(List.Selected(first + i)) << i;
    EXPECT_EQ(List.SelCount(), 0);
}

TEST_F(FileListBoxMouseTest, RightPress_OnDotDotOrDirectoryChangesNothing)
{
    int changes = 0;
    QObject::connect(&List, &TxFileListBox::Changed, [&] { ++changes; });
    Right(QEvent::MouseButtonPress, 0, Qt::RightButton);
    Right(QEvent::MouseButtonRelease, 0, Qt::NoButton);
    Right(QEvent::MouseButtonPress, 1, Qt::RightButton);
    EXPECT_EQ(List.SelCount(), 0);
    EXPECT_EQ(changes, 0);
    const int file = List.LastDirIndex() + 1;
    Right(QEvent::MouseButtonPress, file, Qt::RightButton);
    EXPECT_TRUE(List.Selected(file));
    EXPECT_TRUE(List.DragSelectState());
    EXPECT_EQ(changes, 1);
}

TEST_F(FileListBoxMouseTest, Execute_DirectoryOpensParentGoesUpFileRaisesEvent)
{
    QString executed;
    List.OnExecute = [&](TxFileListBox*, const QString& path) { executed = path; };
    List.SetItemIndex(2);  // alpha
    List.ExecuteCurrent();
    EXPECT_EQ(List.Directory().toStdString(), Root / "sub/alpha");
    List.SetItemIndex(0);  // ..
    List.ExecuteCurrent();
    EXPECT_EQ(List.Directory().toStdString(), Root / "sub");
    const auto items = Items(List);
    const int readme = static_cast<int>(std::find(items.begin(), items.end(), "readme.txt") - items.begin());
    List.SetItemIndex(readme);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&List, &enter);
    EXPECT_EQ(executed.toStdString(), Root / "sub/readme.txt");
}

TEST(ControlsSortFileList, TheSameNameIsKeptOnceAndOrderIgnoresAsciiCase)
{
    TSortFileList list;
    for (const char* name : {"b", "A", "c", "B", "a", "b"}) {
        auto entry = std::make_unique<TFileEntry>();
        entry->Name = name;
        list.Add(std::move(entry));
    }
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list[0].Name, "A");
    EXPECT_EQ(list[1].Name, "a");
    EXPECT_EQ(list[2].Name, "B");
    EXPECT_EQ(list[3].Name, "b");
    EXPECT_EQ(list[4].Name, "c");
    EXPECT_THROW(list.Add(nullptr), ESortFileList);
}

}  // namespace
}  // namespace lumarc::test
