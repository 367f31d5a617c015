// Layout of printed lines, read back from a device that records every piece of text drawn.

#include "print/TextDevice.h"

#include "print/RecordingDevice.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <memory>
#include <stdexcept>

namespace lumarc {
namespace {

using test::TDrawnText;
using test::TRecordingDevice;

// A fixed-pitch font makes "how many characters fit" a matter of counting.
QFont MonoFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(20);
    return font;
}

class TLayout {
public:
    TLayout(int width, int height, QFont font = MonoFont()) : FDevice(width, height)
    {
        FPainter.begin(&FDevice);
        FPainter.setFont(font);
        FText = std::make_unique<TTextDevice>(FPainter, QSize(width, height), [this] {
            if (FFailNewPage)
                throw std::runtime_error("paper out");
            FPageStarts.push_back(FDevice.Drawn().size());
        });
    }
    ~TLayout() { FPainter.end(); }

    TTextDevice& Text() { return *FText; }
    const std::vector<TDrawnText>& Drawn() { return FDevice.Drawn(); }
    QFontMetrics Metrics() const { return FPainter.fontMetrics(); }
    int Ascent() const { return Metrics().ascent(); }
    int CharWidth() const { return Metrics().horizontalAdvance(QLatin1Char('M')); }
    // Index of the first piece drawn on each page after the first.
    const std::vector<size_t>& PageStarts() const { return FPageStarts; }
    void FailNewPage() { FFailNewPage = true; }

    void Write(std::initializer_list<const char16_t*> lines)
    {
        for (const char16_t* line : lines)
            FText->WriteLine(QString::fromUtf16(line));
    }

private:
    TRecordingDevice FDevice;
    QPainter FPainter;
    std::unique_ptr<TTextDevice> FText;
    std::vector<size_t> FPageStarts;
    bool FFailNewPage = false;
};

void ExpectPiece(const TDrawnText& piece, const QString& text, int x, int baseline)
{
    EXPECT_EQ(piece.text, text);
    EXPECT_EQ(piece.baseline.x(), x) << piece.text.toStdString();
    EXPECT_EQ(piece.baseline.y(), baseline) << piece.text.toStdString();
}

TEST(PrintLineOutputTextDevice, LinesGoDownFromTheTopLeftTwoPixelsApartEmptyLinesOnlyCharacterHigh)
{
    TLayout layout(2000, 2000);
    const int h = layout.Metrics().height();
    EXPECT_EQ(layout.Text().TextLineHeight(), h + 2);
    EXPECT_EQ(layout.Text().EmptyLineHeight(), h);

    layout.Write({u"eins", u"zwei", u"", u"", u"drei"});

    const auto& drawn = layout.Drawn();
    ASSERT_EQ(drawn.size(), 3u);
    const int a = layout.Ascent();
    ExpectPiece(drawn[0], QStringLiteral("eins"), 0, a);
    ExpectPiece(drawn[1], QStringLiteral("zwei"), 0, (h + 2) + a);
    ExpectPiece(drawn[2], QStringLiteral("drei"), 0, 2 * (h + 2) + 2 * h + a);
    EXPECT_EQ(layout.Text().Y(), 3 * (h + 2) + 2 * h);
}

TEST(PrintLineOutputTextDevice, LongLineBreaksAfterTheLastCharacterThatFits)
{
    TLayout probe(100, 100);
    const int cw = probe.CharWidth();
    // Room for ten characters and half of an eleventh.
    TLayout layout(10 * cw + cw / 2, 5000);
    const int pitch = layout.Text().TextLineHeight();
    const int a = layout.Ascent();

    layout.Write({u"AAAAAAAAAABBBBBBBBBBCCCCC", u"next"});

    const auto& drawn = layout.Drawn();
    ASSERT_EQ(drawn.size(), 4u);
    ExpectPiece(drawn[0], QStringLiteral("AAAAAAAAAA"), 0, a);
    ExpectPiece(drawn[1], QStringLiteral("BBBBBBBBBB"), 0, pitch + a);
    ExpectPiece(drawn[2], QStringLiteral("CCCCC"), 0, 2 * pitch + a);
    ExpectPiece(drawn[3], QStringLiteral("next"), 0, 3 * pitch + a);
}

TEST(PrintLineOutputTextDevice, LineExactlyAsWideAsTheAreaStaysWhole)
{
    TLayout probe(100, 100);
    const int cw = probe.CharWidth();
    TLayout layout(10 * cw, 5000);
    layout.Write({u"0123456789"});
    ASSERT_EQ(layout.Drawn().size(), 1u);
    EXPECT_EQ(layout.Drawn()[0].text, QStringLiteral("0123456789"));
}

TEST(PrintLineOutputTextDevice, CharacterWiderThanTheAreaIsPrintedAloneInsteadOfLoopingForever)
{
    TLayout layout(3, 5000);
    const int pitch = layout.Text().TextLineHeight();
    layout.Write({u"WWW"});
    const auto& drawn = layout.Drawn();
    ASSERT_EQ(drawn.size(), 3u);
    for (size_t i = 0; i < drawn.size(); ++i)
        ExpectPiece(drawn[i], QStringLiteral("W"), 0, static_cast<int>(i) * pitch + layout.Ascent());
}

TEST(PrintLineOutputTextDevice, BreakNeverSplitsACharacterOutsideTheBasicPlane)
{
    TLayout probe(100, 100);
    const QFontMetrics m = probe.Metrics();
    // Room for "ab" and the box a lone half would show as, but not for the whole character:
    // it must move to the next line whole, never leave half of itself behind.
    const int room = m.horizontalAdvance(QString::fromUtf16(u"ab\xD83D"));
    ASSERT_LT(room, m.horizontalAdvance(QString::fromUtf16(u"ab\U0001F600")));
    TLayout layout(room, 5000);
    const QString line = QString::fromUtf16(u"ab\U0001F600c");
    layout.Text().WriteLine(line);
    QString joined;
    for (const TDrawnText& piece : layout.Drawn()) {
        ASSERT_FALSE(piece.text.isEmpty());
        EXPECT_FALSE(piece.text.back().isHighSurrogate()) << "piece ends in half a character";
        EXPECT_FALSE(piece.text.front().isLowSurrogate()) << "piece starts with half a character";
        joined += piece.text;
    }
    EXPECT_EQ(joined, line);
    EXPECT_EQ(layout.Drawn()[0].text, QStringLiteral("ab"));
}

TEST(PrintLineOutputTextDevice, TabsStopAtMultiplesOfEightAverageCharacterWidths)
{
    TLayout layout(5000, 5000);
    const int tab = layout.Text().TabWidth();
    EXPECT_EQ(tab, 8 * layout.Metrics().averageCharWidth());
    const int pitch = layout.Text().TextLineHeight();
    const int a = layout.Ascent();

    layout.Write({u"A\tB", u"AAAAAAAAA\tB", u"\tB", u"A\t\tB"});

    const auto& drawn = layout.Drawn();
    ASSERT_EQ(drawn.size(), 7u);
    ExpectPiece(drawn[0], QStringLiteral("A"), 0, a);
    ExpectPiece(drawn[1], QStringLiteral("B"), tab, a);
    // Nine characters end past the first stop.
    ExpectPiece(drawn[3], QStringLiteral("B"), 2 * tab, pitch + a);
    ExpectPiece(drawn[4], QStringLiteral("B"), tab, 2 * pitch + a);
    ExpectPiece(drawn[6], QStringLiteral("B"), 2 * tab, 3 * pitch + a);
}

TEST(PrintLineOutputTextDevice, TabPastTheRightEdgeStartsANewLine)
{
    TLayout probe(100, 100);
    const int tab = probe.Text().TabWidth();
    TLayout layout(tab + tab / 2, 5000);
    const int pitch = layout.Text().TextLineHeight();

    layout.Write({u"ab\tcd\tef"});

    const auto& drawn = layout.Drawn();
    ASSERT_EQ(drawn.size(), 3u);
    ExpectPiece(drawn[0], QStringLiteral("ab"), 0, layout.Ascent());
    ExpectPiece(drawn[1], QStringLiteral("cd"), tab, layout.Ascent());
    ExpectPiece(drawn[2], QStringLiteral("ef"), 0, pitch + layout.Ascent());
}

TEST(PrintLineOutputTextDevice, LineFeedInsideALineStartsAnotherCarriageReturnIsDropped)
{
    TLayout layout(5000, 5000);
    const int pitch = layout.Text().TextLineHeight();
    layout.Write({u"oben\r\nunten", u"danach"});
    const auto& drawn = layout.Drawn();
    ASSERT_EQ(drawn.size(), 3u);
    ExpectPiece(drawn[0], QStringLiteral("oben"), 0, layout.Ascent());
    ExpectPiece(drawn[1], QStringLiteral("unten"), 0, pitch + layout.Ascent());
    ExpectPiece(drawn[2], QStringLiteral("danach"), 0, 2 * pitch + layout.Ascent());
}

TEST(PrintLineOutputTextDevice, NewPageWhenLessThanTwoLineHeightsWouldRemain)
{
    TLayout probe(100, 100);
    const int pitch = probe.Text().TextLineHeight();

    // Four line heights: after the third line only one would remain.
    {
        TLayout layout(5000, 4 * pitch);
        layout.Write({u"1", u"2", u"3", u"4", u"5", u"6", u"7"});
        EXPECT_EQ(layout.PageStarts(), (std::vector<size_t>{3, 6}));
        EXPECT_EQ(layout.Text().PageCount(), 3);
        ExpectPiece(layout.Drawn()[3], QStringLiteral("4"), 0, layout.Ascent());
    }
    // One pixel less: after the second line less than two line heights remain.
    {
        TLayout layout(5000, 4 * pitch - 1);
        layout.Write({u"1", u"2", u"3", u"4", u"5"});
        EXPECT_EQ(layout.PageStarts(), (std::vector<size_t>{2, 4}));
    }
}

TEST(PrintLineOutputTextDevice, FullPageEjectsNoBlankSheetUntilSomethingIsWrittenOnTheNext)
{
    TLayout probe(100, 100);
    const int pitch = probe.Text().TextLineHeight();
    const int h = probe.Text().EmptyLineHeight();
    TLayout layout(5000, 4 * pitch);

    layout.Write({u"1", u"2", u"3"});
    EXPECT_TRUE(layout.PageStarts().empty());
    EXPECT_EQ(layout.Text().PageCount(), 1);

    // An empty line is the first line of the next page, even before that page is begun.
    layout.Write({u"", u"4"});
    ASSERT_EQ(layout.PageStarts().size(), 1u);
    EXPECT_EQ(layout.Text().PageCount(), 2);
    ExpectPiece(layout.Drawn().back(), QStringLiteral("4"), 0, h + layout.Ascent());
}

TEST(PrintLineOutputTextDevice, FormFeedStartsANewPage)
{
    TLayout layout(5000, 5000);
    layout.Write({u"vorher\fnachher"});
    ASSERT_EQ(layout.PageStarts(), (std::vector<size_t>{1}));
    ExpectPiece(layout.Drawn()[1], QStringLiteral("nachher"), 0, layout.Ascent());
}

TEST(PrintLineOutputTextDevice, RefusedNewPageEndsTheWriting)
{
    TLayout probe(100, 100);
    TLayout layout(5000, 3 * probe.Text().TextLineHeight());
    layout.FailNewPage();
    layout.Write({u"1", u"2"});
    EXPECT_THROW(layout.Text().WriteLine(QStringLiteral("3")), std::runtime_error);
    EXPECT_EQ(layout.Drawn().size(), 2u);
}

}  // namespace
}  // namespace lumarc
