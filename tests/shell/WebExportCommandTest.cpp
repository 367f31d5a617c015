// "Als Webseite exportieren..." in the real window: the directory dialog, the export in its
// thread, the question at the end, and a directory the user did not mean for it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ToolDiscMainTestSupport.h"
#include "controls/BrowzerOutline.h"
#include "controls/MicaTextView.h"

namespace lumarc::test {
namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class WebExport : public TMainWindowTest {
protected:
    // Answers the modal windows as they come: the directory dialog with `target`, the
    // message box questions with `yes`. Returns how many questions were asked.
    int Export(const std::filesystem::path& target, bool yes)
    {
        int questions = 0;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && dialog->isVisible()) {
                EXPECT_EQ(dialog->objectName(), "WebExportDialog");
                // Typed in, as a user names a directory that is not there yet.
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                ASSERT_NE(name, nullptr);
                name->setText(QString::fromStdString(target.string()));
                static_cast<QDialog*>(dialog)->accept();
            } else if (auto* button = modal ? modal->findChild<QAbstractButton*>(yes ? "YesBtn" : "NoBtn") : nullptr;
                       button && button->isVisible()) {
                ++questions;
                button->click();
            }
        });
        answer.start(20);
        Part<QAction>(*Window, "MIExportWeb")->trigger();
        return questions;
    }
};

TEST_F(WebExport, WritesTheShownCatalogueIntoTheDirectoryTypedAndAsksAboutTheBrowser)
{
    OpenBuilt();
    const std::filesystem::path site = Dir / "neue Seite";
    EXPECT_EQ(Export(site, false), 1);
    EXPECT_TRUE(Messages.empty());
    ASSERT_TRUE(std::filesystem::exists(site / "index.html"));
    const int entries = Part<TBrowzerOutline>(*Window, "OverviewOL")->TreeData().Count();
    for (int entry = 0; entry < entries; ++entry)
        EXPECT_TRUE(std::filesystem::exists(site / "entry" / (std::to_string(entry) + ".html"))) << entry;
    // The start page as the viewer shows it is the page's text.
    const std::string page = ReadFile(site / "entry" / "0.html");
    for (const QString& line : Part<TMicaTextView>(*Window, "TextView")->PlainLines())
        EXPECT_NE(page.find(line.toStdString()), std::string::npos) << line.toStdString();
    // The viewer goes on reading its catalogue afterwards.
    Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectEntry(Entry("Hinweise"));
    Window->OverviewOLClick();
    EXPECT_TRUE(Messages.empty());
}

TEST_F(WebExport, ADirectoryHoldingOtherFilesIsWrittenToOnlyWhenTheUserSaysSo)
{
    OpenBuilt();
    const std::filesystem::path letters = Dir / "Briefe";
    std::filesystem::create_directories(letters);
    std::ofstream(letters / "brief.txt") << "Lieber Hans";
    EXPECT_EQ(Export(letters, false), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(letters), {}), 1);
    EXPECT_EQ(ReadFile(letters / "brief.txt"), "Lieber Hans");

    // A directory with an earlier export is simply written again.
    const std::filesystem::path site = Dir / "Seite";
    EXPECT_EQ(Export(site, false), 1);
    EXPECT_EQ(Export(site, false), 1) << "only the question about the browser";
    EXPECT_TRUE(std::filesystem::exists(site / "search-index.json"));
}

}  // namespace
}  // namespace lumarc::test
