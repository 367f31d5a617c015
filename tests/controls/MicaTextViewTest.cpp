#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>

#include "MicaTextViewSupport.h"
#include "print/core/FontTag.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

TEST(ControlsMicaTextViewTags, FirstTagSelectsTheFontAndOnlyItsFourCharactersAreCut)
{
    const struct {
        std::string Line;
        int Font;
        std::string Shown;
    } cases[] = {
        {"<F1>Header", 1, "Header"},
        {"<f1>lower case", 1, "lower case"},
        {"Vor<F1>nach", 1, "Vornach"},
        {"a<F1>b<F2>c", 1, "ab<F2>c"},
        {"<F 1>x", 1, ">x"},            // spaces count for the font, not for the cut
        {"< F1>x", 1, "< F1>x"},
        {"<\bF3>x", 3, "<\bF3>x"},
        {"<F12>", 1, ">"},
        {"<Fx>then<F2>", -1, "then<F2>"},
        {"ends in <F", -1, "ends in "},
        {"ends in <F1", 1, "ends in "},
        {"plain", -1, "plain"},
        {"", -1, ""},
        {"\xC4<F0>\xDF", 0, "\xC4\xDF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FontTagOf(c.Line), c.Font) << c.Line;
        EXPECT_EQ(StripFontTag(c.Line), c.Shown) << c.Line;
    }
}

TEST(ControlsMicaTextViewFonts, NewViewAndFontList)
{
    TMicaTextView view;
    EXPECT_EQ(view.Lines.Strings(), std::vector<std::string>({"<F1>Header", "<F0>Normal"}));
    EXPECT_EQ(view.GetFont(0), QFont("Arial", 8));
    EXPECT_EQ(view.GetFont(1), QFont("Times New Roman", 18, QFont::Bold));
    EXPECT_EQ(view.DefaultColWidth(), 500);
    EXPECT_EQ(view.size(), QSize(100, 130));
    EXPECT_EQ(view.RowFont(0), 1);
    EXPECT_EQ(view.RowFont(1), 0);
    EXPECT_GT(view.RowHeight(0), view.RowHeight(1));

    QFont& first = view.GetFont(0);
    EXPECT_EQ(view.AddFont(), 2);
    EXPECT_EQ(view.GetFont(2).pointSize(), 8);
    EXPECT_EQ(&first, &view.GetFont(0));   // callers hold on to fonts they set up
    for (const int bad : {3, -1}) {
        try {
            view.GetFont(bad);
            ADD_FAILURE() << bad;
        } catch (const MicaTextViewError& e) {
            EXPECT_STREQ(e.what(), "Index Außerhalb des gültigen Bereiches");
        }
    }
}

int HeightOf(const TMicaTextView& view, int font)
{
    return QFontMetrics(view.Fonts()[static_cast<size_t>(font)], view.viewport()).height();
}

TEST(ControlsMicaTextViewLayout, RowFontsAndHeightsFollowTagsAndTheStandardFontSwitch)
{
    TMicaTextView view;
    view.GetFont(view.AddFont()) = QFont("Courier", 10);
    view.UseStandardFont = false;
    view.ActualFont = 2;   // only a start value for nobody: layout begins at font 0
    SetLines(view, {"first", "<F1>Heading", "goes on", "<f2>mono", "again"});
    const int carried[] = {0, 1, 1, 2, 2};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(view.RowFont(row), carried[row]) << row;
        EXPECT_EQ(view.RowHeight(row), HeightOf(view, carried[row])) << row;
    }
    EXPECT_EQ(view.ActualFont, 2);

    view.UseStandardFont = true;
    view.GetFont(0).setPointSize(20);
    view.LayoutRows();
    const int standard[] = {0, 1, 0, 2, 0};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(view.RowFont(row), standard[row]) << row;
    EXPECT_EQ(view.RowHeight(2), HeightOf(view, 0));
    EXPECT_EQ(view.ActualFont, 0);
}

TEST(ControlsMicaTextViewLayout, TagPastTheFontListRaisesAtItsRowAndPaintingSurvives)
{
    TMicaTextView view;
    view.resize(300, 200);
    try {
        SetLines(view, {"<F1>fine", "<F5>no such font", "after"});
        FAIL() << "no error";
    } catch (const MicaTextViewError& e) {
        EXPECT_STREQ(e.what(), "Index Außerhalb des gültigen Bereiches");
    }
    EXPECT_EQ(view.RowCount(), 3);
    EXPECT_EQ(view.RowFont(0), 1);
    EXPECT_EQ(view.RowFont(2), -1);
    // Drawn in the font at hand; an exception out of the paint event would end the program.
    EXPECT_FALSE(InkBounds(Render(view), RowRect(view, 1)).isNull());
}

TEST(ControlsMicaTextViewLayout, ClearKeepsTheRowsUntilTheNextLayout_AnEmptyViewHasOneBlankRow)
{
    TMicaTextView view;
    SetLines(view, {"one", "two", "three"});
    view.Clear();
    EXPECT_EQ(view.Lines.Count(), 0);
    EXPECT_EQ(view.RowCount(), 3);
    view.LayoutRows();
    EXPECT_EQ(view.RowCount(), 1);
    const QImage image = Render(view);
    EXPECT_TRUE(InkBounds(image, image.rect()).isNull());
}

class ControlsMicaTextViewDrawing : public ::testing::Test {
protected:
    ControlsMicaTextViewDrawing() { View.resize(400, 200); }

    QImage ImageOf(const std::string& line)
    {
        SetLines(View, {line});
        return Render(View);
    }
    QRect InkOf(const std::string& line) { return InkBounds(ImageOf(line), RowRect(View, 0)); }
    int AdvanceOf(const QString& text) const
    {
        return QFontMetrics(View.GetFont(0), View.viewport()).horizontalAdvance(text);
    }

    TMicaTextView View;
};

TEST_F(ControlsMicaTextViewDrawing, TagsAreNotDrawn)
{
    EXPECT_EQ(ImageOf("<F0>Normal"), ImageOf("Normal"));
    EXPECT_EQ(ImageOf("Vor<f0>nach"), ImageOf("Vornach"));
    EXPECT_EQ(ImageOf("<F 0>x"), ImageOf(">x"));
}

TEST_F(ControlsMicaTextViewDrawing, InsetCentringFontsTabsAndCutting)
{
    const QRect big = InkOf("<F1>HHH");
    const QFontMetrics metrics(View.GetFont(1), View.viewport());
    const int baseline = (View.RowHeight(0) - metrics.height()) / 2 + metrics.ascent();
    EXPECT_GE(big.left(), 2);
    EXPECT_LE(big.left(), 5);
    EXPECT_NEAR(big.bottom(), baseline - 1, 2);
    EXPECT_GT(big.height(), InkOf("HHH").height() * 3 / 2);

    EXPECT_GT(InkOf("x\tx").width(), InkOf("xx").width() + 20);

    View.SetDefaultColWidth(60);
    EXPECT_LT(InkOf(std::string(80, 'M')).right(), 60);
}

TEST_F(ControlsMicaTextViewDrawing, DoubledAmpersandShowsOne_SingleAmpersandUnderlinesTheNext)
{
    const QRect doubled = InkOf("A&&B");
    EXPECT_GT(doubled.width(), AdvanceOf("AB") + 2);
    EXPECT_LT(doubled.width(), AdvanceOf("A&&B") - 2);

    const QRect plain = InkOf("x");
    const QRect mnemonic = InkOf("&x");
    EXPECT_NEAR(mnemonic.left(), plain.left(), 1);
    EXPECT_GT(mnemonic.bottom(), plain.bottom());   // the underline
}

class ControlsMicaTextViewColumn : public ::testing::Test {
protected:
    ControlsMicaTextViewColumn()
    {
        View.resize(300, 200);
        View.SetDefaultColWidth(385);
    }

    // Letters of font 0 just past `pixels` wide, and their width.
    std::pair<std::string, int> LineOfWidth(int pixels) const
    {
        const QFontMetrics metrics(View.GetFont(0), View.viewport());
        std::string line;
        while (metrics.horizontalAdvance(QString::fromStdString(line)) < pixels)
            line += "abcdefghij"[line.size() % 10];
        return {line, metrics.horizontalAdvance(QString::fromStdString(line))};
    }

    TMicaTextView View;
};

// Widths are compared within a pixel: the drawn width rounds up where the advance rounds.
TEST_F(ControlsMicaTextViewColumn, AWideLineWidensTheColumnAfterThePaintingUntilTheNextText)
{
    const auto [line, width] = LineOfWidth(600);
    SetLines(View, {"short", line});
    Render(View);
    EXPECT_EQ(View.DefaultColWidth(), 385);   // posted, not done inside the painting
    QCoreApplication::sendPostedEvents();
    const int widened = View.DefaultColWidth();
    EXPECT_NEAR(widened, width + 5, 1);
    EXPECT_EQ(View.horizontalScrollBar()->maximum(), widened - View.viewport()->width());

    // A narrower text gets a column for its own widest line, not the last text's.
    const auto [narrower, narrowerWidth] = LineOfWidth(450);
    SetLines(View, {"short", narrower});
    Render(View);
    QCoreApplication::sendPostedEvents();
    EXPECT_NEAR(View.DefaultColWidth(), narrowerWidth + 5, 1);

    // A text that fits has no horizontal scrolling left, even when a widening of the text
    // before it is still queued.
    SetLines(View, {line});
    Render(View);
    SetLines(View, {"short"});
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(View.DefaultColWidth(), 385);
    EXPECT_EQ(View.horizontalScrollBar()->maximum(), 385 - View.viewport()->width());
}

TEST_F(ControlsMicaTextViewColumn, ANarrowerWideLineDrawnLaterDoesNotTakeTheColumnBack)
{
    const auto [wide, wideWidth] = LineOfWidth(700);
    SetLines(View, {wide, LineOfWidth(500).first});
    Render(View);   // both rows ask while the column is still 385 wide
    View.hide();    // no second painting to repair a narrowed column
    QCoreApplication::sendPostedEvents();
    EXPECT_NEAR(View.DefaultColWidth(), wideWidth + 5, 1);
}

void Press(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&widget, &event);
}

TEST(ControlsMicaTextViewKeys, HomeScrollsToTheRightEnd_EndToTheLeft_ArrowsStep)
{
    TMicaTextView view;
    view.resize(200, 60);
    Show(view);
    SetLines(view, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    view.SetDefaultColWidth(1000);
    const int step = TMicaTextView::kHorzLineStep;

    Press(view, Qt::Key_Home);
    EXPECT_EQ(view.LeftOffset(), view.horizontalScrollBar()->maximum());
    EXPECT_GT(view.LeftOffset(), 0);
    Press(view, Qt::Key_End);
    EXPECT_EQ(view.LeftOffset(), 0);
    Press(view, Qt::Key_Right);
    Press(view, Qt::Key_Right);
    Press(view, Qt::Key_Left);
    EXPECT_EQ(view.LeftOffset(), step);
    EXPECT_EQ(view.Row(), 0);

    Press(view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view.Row(), 9);
    EXPECT_LE(RowRect(view, 9).bottom(), view.viewport()->height());
    view.LayoutRows();   // back to the top
    EXPECT_EQ(view.Row(), 0);
    EXPECT_EQ(view.TopRow(), 0);
    EXPECT_EQ(view.LeftOffset(), 0);
}

class TCapturingView : public TMicaTextView {
public:
    QStringList Printed;
    QFont PrintFont;

protected:
    void PrintLineList(const QStringList& lines, const QFont& font) override
    {
        Printed = lines;
        PrintFont = font;
    }
};

TEST(ControlsMicaTextViewOutput, PrintAndCopyHandOverTheLinesWithoutTags)
{
    TCapturingView view;
    SetLines(view, {"<F1>Kopf & Fu\xDF", "a<f1>b<F0>c", "<F 0>d", ""});
    view.PrintText();
    const QStringList plain = {"Kopf & Fuß", "ab<F0>c", ">d", ""};
    EXPECT_EQ(view.Printed, plain);
    EXPECT_EQ(view.PrintFont, QFont("Arial", 8));
    EXPECT_EQ(view.Lines[0], "<F1>Kopf & Fu\xDF");

    view.CopyText();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), plain.join("\r\n") + "\r\n");

    view.Clear();
    view.CopyText();  // nothing to copy: the clipboard keeps what it had
    EXPECT_EQ(QGuiApplication::clipboard()->text(), plain.join("\r\n") + "\r\n");
}

}  // namespace
