// PrintLines on a PDF printer, read back with the poppler tools, and the clipboard routine.

#include "print/LineOutput.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>

#include <stdexcept>

#include "print/PdfProbe.h"
#include "print/PrinterError.h"
#include "widgets/Gauge.h"
#include "widgets/ProgressForm.h"

namespace lumarc {
namespace {

using test::FindWord;
using test::NonEmptyTrimmed;
using test::PdfLayoutLines;
using test::PdfPageCount;
using test::PdfWords;
using test::TPdfWord;

bool ProgressFormIsOpen()
{
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("ProgressForm"))
            return true;
    return false;
}

// Counts every progress window shown anywhere in the application, however briefly.
class TShowCounter : public QObject {
public:
    TShowCounter() { qApp->installEventFilter(this); }
    ~TShowCounter() override { qApp->removeEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("ProgressForm"))
            ++shown;
        return false;
    }
};

class PrintLineOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        QPrinter& printer = CurrentPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        UseFile(QStringLiteral("druck.pdf"));
        // Without a printer a job asks for its file; these take the one given to the printer.
        SetPdfFileChooser([](const QString& suggested) { return suggested; });
    }
    void TearDown() override { SetPdfFileChooser({}); }

    QString UseFile(const QString& name)
    {
        FFile = FDir.filePath(name);
        CurrentPrinter().setOutputFileName(FFile);
        return FFile;
    }
    const QString& File() const { return FFile; }
    static QRectF PaintRect() { return CurrentPrinter().pageLayout().paintRect(QPageLayout::Point); }
    static QFont Arial8() { return QFont(QStringLiteral("Arial"), 8); }

private:
    QTemporaryDir FDir;
    QString FFile;
};

TEST_F(PrintLineOutput, PrintsTheLinesInOrderFromTheTopLeftOfThePrintableAreaAsOneTitledJob)
{
    PrintLines({QStringLiteral("Erste Zeile"), QStringLiteral("Zweite Zeile"), QStringLiteral("Dritte Zeile")},
               Arial8());

    ASSERT_TRUE(QFile::exists(File()));
    EXPECT_EQ(PdfPageCount(File()), 1);
    EXPECT_EQ(test::PdfInfoField(File(), QStringLiteral("Title")), QStringLiteral("Brimvale ToolDisc"));
    EXPECT_EQ(
        NonEmptyTrimmed(PdfLayoutLines(File())),
        (QStringList{QStringLiteral("Erste Zeile"), QStringLiteral("Zweite Zeile"), QStringLiteral("Dritte Zeile")}));

    const auto words = PdfWords(File());
    const TPdfWord* first = FindWord(words, QStringLiteral("Erste"));
    ASSERT_NE(first, nullptr);
    const QRectF area = PaintRect();
    EXPECT_NEAR(first->xMin, area.left(), 1.5);
    EXPECT_GE(first->yMin, area.top() - 0.5);
    EXPECT_LT(first->yMin, area.top() + 4);
}

TEST_F(PrintLineOutput, FontKeepsItsSizeInPointsOnTheHighResolutionPrinter)
{
    auto heightOf = [&](const QFont& font, const QString& file) {
        UseFile(file);
        PrintLines({QStringLiteral("Hoehe")}, font);
        const auto words = PdfWords(File());
        const TPdfWord* word = FindWord(words, QStringLiteral("Hoehe"));
        return word ? word->yMax - word->yMin : -1.0;
    };
    const double eight = heightOf(Arial8(), QStringLiteral("acht.pdf"));
    const double sixteen = heightOf(QFont(QStringLiteral("Arial"), 16), QStringLiteral("sechzehn.pdf"));
    // A font given in pixels (11 px on a 96 dpi screen are 8.25 points) must not shrink to
    // 11 printer dots.
    QFont pixels(QStringLiteral("Arial"));
    pixels.setPixelSize(11);
    const double fromPixels = heightOf(pixels, QStringLiteral("pixel.pdf"));

    EXPECT_GT(eight, 6.0);
    EXPECT_LT(eight, 12.0);
    EXPECT_NEAR(sixteen / eight, 2.0, 0.15);
    EXPECT_NEAR(fromPixels / eight, 1.0, 0.15);
}

TEST_F(PrintLineOutput, LongLineContinuesOnTheNextLineInsteadOfBeingCut)
{
    QString digits;
    for (int i = 0; i < 40; ++i)
        digits += QStringLiteral("0123456789");
    PrintLines({digits, QStringLiteral("Schluss")}, Arial8());

    const QStringList lines = NonEmptyTrimmed(PdfLayoutLines(File()));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.back(), QStringLiteral("Schluss"));
    EXPECT_EQ(lines.mid(0, lines.size() - 1).join(QString()), digits);

    const QRectF area = PaintRect();
    for (const TPdfWord& word : PdfWords(File())) {
        EXPECT_LE(word.xMax, area.right() + 0.5) << word.text.toStdString();
        EXPECT_GE(word.xMin, area.left() - 0.5) << word.text.toStdString();
    }
}

TEST_F(PrintLineOutput, ManyLinesGoOnNewPagesWithoutLosingOrCuttingALine)
{
    QStringList lines;
    for (int i = 1; i <= 250; ++i)
        lines << QStringLiteral("Zeile%1").arg(i, 3, 10, QLatin1Char('0'));
    PrintLines(lines, Arial8());

    const int pages = PdfPageCount(File());
    EXPECT_GE(pages, 2);
    EXPECT_EQ(NonEmptyTrimmed(PdfLayoutLines(File())), lines);

    const auto words = PdfWords(File());
    ASSERT_EQ(words.size(), 250u);
    const QRectF area = PaintRect();
    int onFirstPage = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        EXPECT_LE(words[i].yMax, area.bottom() + 0.5) << words[i].text.toStdString();
        if (words[i].page == 1)
            ++onFirstPage;
        if (i > 0 && words[i].page != words[i - 1].page) {
            EXPECT_LT(words[i].yMin, area.top() + 4) << "page " << words[i].page << " starts at the top";
        }
    }
    // Every page carries text: no empty sheet at the end.
    EXPECT_EQ(words.back().page, pages);

    // Exactly one page full of lines makes a one-page job.
    lines = lines.mid(0, onFirstPage);
    UseFile(QStringLiteral("eine-seite.pdf"));
    PrintLines(lines, Arial8());
    EXPECT_EQ(PdfPageCount(File()), 1);
}

TEST_F(PrintLineOutput, TabsLineUpOnCommonStopsAndWrapWhenPastTheRightEdge)
{
    const QFont font = Arial8();
    const QFontMetrics metrics(font, &CurrentPrinter());
    const int tab = 8 * metrics.averageCharWidth();
    // Text that ends beyond the last tab stop on the page, so that the next stop lies past
    // the right edge.
    const int width = CurrentPrinter().width();
    QString full;
    while (metrics.horizontalAdvance(full + QLatin1Char('x')) <= width)
        full += QLatin1Char('x');
    ASSERT_GT(metrics.horizontalAdvance(full), width / tab * tab);

    PrintLines({QStringLiteral("A\tB1"), QStringLiteral("AA\tB2"), QStringLiteral("AAAAAAAAAA\tB3"),
                full + QStringLiteral("\tEnde")},
               font);

    const auto words = PdfWords(File());
    const TPdfWord* a = FindWord(words, QStringLiteral("A"));
    const TPdfWord* b1 = FindWord(words, QStringLiteral("B1"));
    const TPdfWord* b2 = FindWord(words, QStringLiteral("B2"));
    const TPdfWord* b3 = FindWord(words, QStringLiteral("B3"));
    const TPdfWord* end = FindWord(words, QStringLiteral("Ende"));
    ASSERT_TRUE(a && b1 && b2 && b3 && end);
    EXPECT_NEAR(b1->yMin, a->yMin, 0.5);
    EXPECT_NEAR(b1->xMin, b2->xMin, 0.5);
    const double tabPoints = tab * 72.0 / CurrentPrinter().resolution();
    EXPECT_NEAR(b1->xMin - PaintRect().left(), tabPoints, 1.0);
    EXPECT_NEAR(b3->xMin - PaintRect().left(), 2 * tabPoints, 1.0);
    EXPECT_NEAR(end->xMin, PaintRect().left(), 1.0);
    EXPECT_GT(end->yMin, b3->yMax + 5.0);
    EXPECT_EQ(NonEmptyTrimmed(PdfLayoutLines(File())).back(), QStringLiteral("Ende"));
}

TEST_F(PrintLineOutput, EmptyLinesLeaveGapsOfTheCharacterHeight)
{
    auto distance = [&](const QStringList& lines, const QString& file) {
        UseFile(file);
        PrintLines(lines, Arial8());
        const auto words = PdfWords(File());
        const TPdfWord* top = FindWord(words, QStringLiteral("oben"));
        const TPdfWord* bottom = FindWord(words, QStringLiteral("unten"));
        return top && bottom ? bottom->yMin - top->yMin : -1.0;
    };
    const double adjacent = distance({QStringLiteral("oben"), QStringLiteral("unten")}, QStringLiteral("dicht.pdf"));
    const double apart =
        distance({QStringLiteral("oben"), QString(), QString(), QStringLiteral("unten")}, QStringLiteral("luecke.pdf"));
    ASSERT_GT(adjacent, 0.0);
    // One text line (character height plus two dots) and two empty lines (character height).
    EXPECT_NEAR(apart / adjacent, 3.0, 0.08);
    EXPECT_LT(apart / adjacent, 3.0);
}

TEST_F(PrintLineOutput, GaugeIsSetAfterEveryLineRoundingHalvesToEven)
{
    std::vector<int> seen;
    bool windowShown = true;
    QString caption;
    const TPrintProgressHook watch = [&](TProgressForm& form) {
        seen.push_back(form.Gauge()->Progress());
        windowShown = windowShown && form.isVisible() && ProgressFormIsOpen();
        caption = form.InfoLabel()->text();
    };

    PrintLines({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, Arial8(), watch);
    EXPECT_EQ(seen, (std::vector<int>{33, 67, 100}));
    EXPECT_TRUE(windowShown);
    EXPECT_EQ(caption, QStringLiteral("Drucke Text..."));
    EXPECT_FALSE(ProgressFormIsOpen());

    seen.clear();
    UseFile(QStringLiteral("acht.pdf"));
    PrintLines(QStringList(8, QStringLiteral("x")), Arial8(), watch);
    EXPECT_EQ(seen, (std::vector<int>{12, 25, 38, 50, 62, 75, 88, 100}));
}

TEST(PrintLineOutputPercent, RoundsExactlyToTheNearestEvenOnHalves)
{
    EXPECT_EQ(PrintedPercent(1, 200), 0);  // 0.5
    EXPECT_EQ(PrintedPercent(3, 200), 2);  // 1.5
    EXPECT_EQ(PrintedPercent(5, 200), 2);  // 2.5
    EXPECT_EQ(PrintedPercent(7, 200), 4);  // 3.5
    EXPECT_EQ(PrintedPercent(1, 3), 33);
    EXPECT_EQ(PrintedPercent(2, 3), 67);
    EXPECT_EQ(PrintedPercent(3, 3), 100);
    EXPECT_EQ(PrintedPercent(1, 7), 14);     // 14.28...
    EXPECT_EQ(PrintedPercent(1, 1999), 0);   // 0.05
    EXPECT_EQ(PrintedPercent(10, 1999), 1);  // 0.50025: just above a half
    EXPECT_EQ(PrintedPercent(0, 5), 0);
    EXPECT_EQ(PrintedPercent(5'000'000'000LL, 10'000'000'000LL), 50);
}

TEST_F(PrintLineOutput, EmptyListOpensNoJobAndShowsNoWindow)
{
    TShowCounter windows;
    int hookCalls = 0;
    PrintLines({}, Arial8(), [&](TProgressForm&) { ++hookCalls; });

    EXPECT_FALSE(QFile::exists(File()));
    EXPECT_EQ(windows.shown, 0);
    EXPECT_EQ(hookCalls, 0);
    EXPECT_FALSE(ProgressFormIsOpen());
}

TEST_F(PrintLineOutput, RefusedJobRaisesAndTakesTheWindowAway)
{
    TShowCounter windows;
    CurrentPrinter().setOutputFileName(QStringLiteral("/nonexistent-lumarc-dir/druck.pdf"));

    EXPECT_THROW(PrintLines({QStringLiteral("x")}, Arial8()), EPrinter);
    EXPECT_FALSE(ProgressFormIsOpen());
    EXPECT_EQ(windows.shown, 1);
}

TEST_F(PrintLineOutput, FailurePartWayTakesTheWindowAwayAndLeavesThePrinterReady)
{
    int calls = 0;
    const auto jam = [&](TProgressForm&) {
        if (++calls == 2)
            throw std::runtime_error("paper jam");
    };
    EXPECT_THROW(PrintLines({QStringLiteral("eins"), QStringLiteral("zwei"), QStringLiteral("drei")}, Arial8(), jam),
                 std::runtime_error);
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(ProgressFormIsOpen());

    UseFile(QStringLiteral("wieder.pdf"));
    PrintLines({QStringLiteral("wieder")}, Arial8());
    EXPECT_EQ(NonEmptyTrimmed(PdfLayoutLines(File())), QStringList{QStringLiteral("wieder")});
}

TEST(PrintLineOutputClipboard, EveryLineEndsInCarriageReturnLineFeed)
{
    CopyLinesToClipboard({QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\r\nb\r\n"));

    CopyLinesToClipboard({QString::fromUtf8("Größe: 5 €"), QString(), QStringLiteral("\tEnde")});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Größe: 5 €\r\n\r\n\tEnde\r\n"));

    CopyLinesToClipboard({QString()});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("\r\n"));
}

TEST(PrintLineOutputClipboard, EmptyListLeavesWhatTheClipboardHeld)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));
    CopyLinesToClipboard({});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("vorher"));
}

}  // namespace
}  // namespace lumarc
