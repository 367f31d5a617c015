#include "controls/Gauge.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

#include <climits>

namespace lumarc {
namespace {

const QColor Navy(0, 0, 128);
const QColor Yellow(255, 255, 0);
const QColor Grey(192, 192, 192);

// Counts the synchronous repaints property changes ask for.
class TCountingGauge : public TGauge {
public:
    int Repaints = 0;

protected:
    void RepaintNow() override
    {
        ++Repaints;
        TGauge::RepaintNow();
    }
};

QRgb Rgb(const QColor& c)
{
    return c.rgb() | 0xFF000000u;
}

// Every pixel of the rectangle (right and bottom exclusive) has the colour.
::testing::AssertionResult Filled(const QImage& image, int left, int top, int right, int bottom, const QColor& colour)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (image.pixel(x, y) != Rgb(colour))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << QColor(image.pixel(x, y)).name().toStdString()
                       << ", expected " << colour.name().toStdString();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult FrameIsBlack(const QImage& image)
{
    const int w = image.width(), h = image.height();
    for (auto result : {Filled(image, 0, 0, w, 1, Qt::black), Filled(image, 0, h - 1, w, h, Qt::black),
                        Filled(image, 0, 0, 1, h, Qt::black), Filled(image, w - 1, 0, w, h, Qt::black)})
        if (!result)
            return result;
    return ::testing::AssertionSuccess();
}

void Configure(TGauge& gauge, int width, int height, TGaugeKind kind, int progress)
{
    gauge.resize(width, height);
    gauge.SetKind(kind);
    gauge.SetForeColor(Yellow);
    gauge.SetBackColor(Navy);
    gauge.SetColor(Grey);
    gauge.SetProgress(progress);
}

TEST(ControlsGauge, StartsWithTheDocumentedDefaults)
{
    TGauge gauge;
    EXPECT_EQ(gauge.Kind(), TGaugeKind::gkHorizontalBar);
    EXPECT_TRUE(gauge.ShowText());
    EXPECT_EQ(gauge.BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_EQ(gauge.ForeColor(), QColor(Qt::black));
    EXPECT_EQ(gauge.BackColor(), QColor(Qt::white));
    EXPECT_EQ(gauge.MinValue(), 0);
    EXPECT_EQ(gauge.MaxValue(), 100);
    EXPECT_EQ(gauge.Progress(), 0);
    EXPECT_EQ(gauge.Percent(), 0);
    EXPECT_EQ(gauge.size(), QSize(100, 100));
    EXPECT_TRUE(gauge.testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(static_cast<int>(TGaugeKind::gkText), 0);
    EXPECT_EQ(static_cast<int>(TGaugeKind::gkNeedle), 4);
}

TEST(ControlsGauge, PercentIsTheTruncatedShareOfTheRange)
{
    TGauge gauge;
    gauge.SetProgress(70);
    EXPECT_EQ(gauge.Percent(), 70);

    gauge.SetMaxValue(3);
    gauge.SetProgress(2);   // 66.67 per cent
    EXPECT_EQ(gauge.Percent(), 66);

    gauge.SetMinValue(-10);
    gauge.SetMaxValue(-4);
    gauge.SetProgress(-7);   // half way between negative bounds
    EXPECT_EQ(gauge.Percent(), 50);

    // The widest range: differences beyond an int must not wrap.
    gauge.SetMinValue(INT_MIN);
    gauge.SetMaxValue(INT_MAX);
    gauge.SetProgress(0);
    EXPECT_EQ(gauge.Percent(), 50);
    gauge.SetProgress(INT_MAX);
    EXPECT_EQ(gauge.Percent(), 100);
}

TEST(ControlsGauge, EmptyRangeIsAcceptedWithPercentZero)
{
    TGauge gauge;
    gauge.SetProgress(40);
    gauge.SetMaxValue(40);
    gauge.SetMinValue(40);
    EXPECT_EQ(gauge.MinValue(), 40);
    EXPECT_EQ(gauge.MaxValue(), 40);
    EXPECT_EQ(gauge.Progress(), 40);
    EXPECT_EQ(gauge.Percent(), 0);
    EXPECT_FALSE(gauge.PaintImage().isNull());
}

TEST(ControlsGauge, ProgressOutsideTheRangeStoresTheNearerLimit)
{
    TGauge gauge;
    gauge.SetMinValue(10);
    gauge.SetMaxValue(20);
    gauge.SetProgress(5);
    EXPECT_EQ(gauge.Progress(), 10);
    gauge.SetProgress(25);
    EXPECT_EQ(gauge.Progress(), 20);
    gauge.SetProgress(INT_MIN);
    EXPECT_EQ(gauge.Progress(), 10);
}

TEST(ControlsGauge, NarrowingTheRangePullsProgressAlong)
{
    TGauge gauge;
    gauge.SetProgress(20);
    gauge.SetMinValue(50);
    EXPECT_EQ(gauge.Progress(), 50);

    gauge.SetProgress(90);
    gauge.SetMaxValue(60);
    EXPECT_EQ(gauge.Progress(), 60);
}

TEST(ControlsGauge, CrossingBoundsRaisesAndKeepsRangeAndValue)
{
    TGauge gauge;
    gauge.SetMinValue(50);
    gauge.SetProgress(70);
    try {
        gauge.SetMaxValue(10);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Value must be between 51 and 2147483647");
    }
    try {
        gauge.SetMinValue(101);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Value must be between -2147483647 and 99");
    }
    EXPECT_EQ(gauge.MinValue(), 50);
    EXPECT_EQ(gauge.MaxValue(), 100);
    EXPECT_EQ(gauge.Progress(), 70);
    EXPECT_THROW(gauge.SetMaxValue(49), Exception);
}

TEST(ControlsGauge, ErrorBoundsAtTheEndsOfTheIntegerRangeDoNotWrap)
{
    TGauge gauge;
    gauge.SetMinValue(INT_MIN);
    gauge.SetMaxValue(INT_MIN);
    try {
        gauge.SetMinValue(0);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Value must be between -2147483647 and -2147483649");
    }

    TGauge top;
    top.SetMaxValue(INT_MAX);
    top.SetMinValue(INT_MAX);
    try {
        top.SetMaxValue(0);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Value must be between 2147483648 and 2147483647");
    }
}

TEST(ControlsGauge, RepaintsOnlyWhenSomethingVisibleChanges)
{
    TCountingGauge gauge;
    gauge.SetMaxValue(10000);
    gauge.SetProgress(100);
    ASSERT_EQ(gauge.Percent(), 1);
    gauge.Repaints = 0;

    gauge.SetProgress(101);   // still 1 per cent
    EXPECT_EQ(gauge.Progress(), 101);
    EXPECT_EQ(gauge.Repaints, 0);
    gauge.SetProgress(200);   // 2 per cent
    EXPECT_EQ(gauge.Repaints, 1);
    gauge.SetProgress(200);
    gauge.SetProgress(20000);   // clamps to 10000
    EXPECT_EQ(gauge.Repaints, 2);
    gauge.SetProgress(10001);   // clamps to the value it already has
    EXPECT_EQ(gauge.Repaints, 2);

    gauge.Repaints = 0;
    gauge.SetKind(TGaugeKind::gkHorizontalBar);
    gauge.SetShowText(true);
    gauge.SetBorderStyle(TBorderStyle::bsSingle);
    gauge.SetForeColor(Qt::black);
    gauge.SetBackColor(Qt::white);
    gauge.SetMaxValue(10000);
    gauge.SetMinValue(0);
    EXPECT_EQ(gauge.Repaints, 0);

    gauge.SetKind(TGaugeKind::gkPie);
    gauge.SetShowText(false);
    gauge.SetBorderStyle(TBorderStyle::bsNone);
    gauge.SetForeColor(Yellow);
    gauge.SetBackColor(Navy);
    gauge.SetColor(Grey);
    gauge.SetMaxValue(5000);
    gauge.SetMinValue(1);
    EXPECT_EQ(gauge.Repaints, 8);
}

TEST(ControlsGauge, PortionTruncatesTheScaledLength)
{
    EXPECT_EQ(TGauge::Portion(70, 76), 53);
    EXPECT_EQ(TGauge::Portion(0, 76), 0);
    EXPECT_EQ(TGauge::Portion(100, 76), 76);
    EXPECT_EQ(TGauge::Portion(1, 99), 0);
}

TEST(ControlsGauge, HorizontalBarAtSeventyPercentCoversColumnsOneToFiftyTwo)
{
    TGauge gauge;
    Configure(gauge, 77, 15, TGaugeKind::gkHorizontalBar, 70);
    gauge.SetShowText(false);
    const QImage image = gauge.PaintImage();
    ASSERT_EQ(image.size(), QSize(77, 15));
    EXPECT_TRUE(FrameIsBlack(image));
    EXPECT_TRUE(Filled(image, 1, 1, 53, 14, Yellow));
    EXPECT_TRUE(Filled(image, 53, 1, 76, 14, Navy));
}

TEST(ControlsGauge, HorizontalBarAtZeroDrawsNoBar)
{
    TGauge gauge;
    Configure(gauge, 77, 15, TGaugeKind::gkHorizontalBar, 0);
    gauge.SetShowText(false);
    const QImage image = gauge.PaintImage();
    EXPECT_TRUE(FrameIsBlack(image));
    EXPECT_TRUE(Filled(image, 1, 1, 76, 14, Navy));
}

TEST(ControlsGauge, HorizontalBarWithoutBorderFillsAllAtFullRange)
{
    TGauge gauge;
    Configure(gauge, 40, 10, TGaugeKind::gkHorizontalBar, 100);
    gauge.SetShowText(false);
    gauge.SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_TRUE(Filled(gauge.PaintImage(), 0, 0, 40, 10, Yellow));
}

TEST(ControlsGauge, VerticalBarGrowsFromTheBottom)
{
    TGauge gauge;
    Configure(gauge, 20, 15, TGaugeKind::gkVerticalBar, 50);
    gauge.SetShowText(false);
    // H = 14, Y = 7: the fill starts at row 7 and runs to the last row inside the frame.
    QImage image = gauge.PaintImage();
    EXPECT_TRUE(FrameIsBlack(image));
    EXPECT_TRUE(Filled(image, 1, 1, 19, 7, Navy));
    EXPECT_TRUE(Filled(image, 1, 7, 19, 14, Yellow));

    gauge.SetProgress(100);
    image = gauge.PaintImage();
    EXPECT_TRUE(FrameIsBlack(image));
    EXPECT_TRUE(Filled(image, 1, 1, 19, 14, Yellow));

    gauge.SetBorderStyle(TBorderStyle::bsNone);
    image = gauge.PaintImage();
    EXPECT_TRUE(Filled(image, 0, 0, 20, 1, Navy));
    EXPECT_TRUE(Filled(image, 0, 1, 20, 15, Yellow));
}

TEST(ControlsGauge, TextKindIsAPlainField)
{
    TGauge gauge;
    Configure(gauge, 30, 12, TGaugeKind::gkText, 80);
    gauge.SetShowText(false);
    const QImage image = gauge.PaintImage();
    EXPECT_TRUE(FrameIsBlack(image));
    EXPECT_TRUE(Filled(image, 1, 1, 29, 11, Navy));
}

// The text is white on black combined by exclusive-or: where it is drawn, every pixel must be
// the exact inverse of the picture without text, and it must lie centred inside PaintRect.
void ExpectInvertedCentredText(TGauge& gauge, const QString& expectedText)
{
    gauge.SetShowText(false);
    const QImage plain = gauge.PaintImage();
    gauge.SetShowText(true);
    const QImage withText = gauge.PaintImage();
    ASSERT_EQ(plain.size(), withText.size());

    QRect changed;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb a = plain.pixel(x, y), b = withText.pixel(x, y);
            if (a == b)
                continue;
            ASSERT_EQ(b & 0xFFFFFFu, ~a & 0xFFFFFFu) << "not inverted at " << x << ", " << y;
            changed |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(changed.isEmpty()) << "no text drawn";

    const QRect paintRect = gauge.rect().adjusted(1, 1, -1, -1);
    EXPECT_TRUE(paintRect.contains(changed));
    QFont font = gauge.font();
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font);
    const int x = (paintRect.width() + 1 - metrics.horizontalAdvance(expectedText)) / 2;
    const int y = (paintRect.height() + 1 - metrics.height()) / 2;
    const QRect textBox(x, y, metrics.horizontalAdvance(expectedText), metrics.height());
    EXPECT_TRUE(textBox.adjusted(-1, 0, 1, 0).contains(changed))
        << "text at " << changed.x() << "," << changed.y() << " " << changed.width() << "x" << changed.height();
}

TEST(ControlsGauge, TextIsCentredAndInvertsWhatLiesBeneath)
{
    TGauge gauge;
    Configure(gauge, 77, 15, TGaugeKind::gkHorizontalBar, 70);
    ExpectInvertedCentredText(gauge, "70%");

    // Over both parts of the bar at once: half filled on a wide gauge with a large font.
    TGauge wide;
    Configure(wide, 120, 40, TGaugeKind::gkHorizontalBar, 50);
    QFont big = wide.font();
    big.setPixelSize(24);
    wide.setFont(big);
    ExpectInvertedCentredText(wide, "50%");
    wide.SetShowText(true);
    const QImage image = wide.PaintImage();
    bool invertedYellow = false, invertedNavy = false;
    for (int y = 1; y < 39; ++y)
        for (int x = 1; x < 119; ++x) {
            invertedYellow |= image.pixel(x, y) == Rgb(QColor(0, 0, 255));
            invertedNavy |= image.pixel(x, y) == Rgb(QColor(255, 255, 127));
        }
    EXPECT_TRUE(invertedYellow);
    EXPECT_TRUE(invertedNavy);
}

TEST(ControlsGauge, ZeroPercentStillShowsItsText)
{
    TGauge gauge;
    Configure(gauge, 77, 15, TGaugeKind::gkHorizontalBar, 0);
    ExpectInvertedCentredText(gauge, "0%");
}

TEST(ControlsGauge, TextIsClippedToTheFrame)
{
    TGauge gauge;
    Configure(gauge, 12, 8, TGaugeKind::gkHorizontalBar, 100);
    QFont big = gauge.font();
    big.setPixelSize(30);
    gauge.setFont(big);
    EXPECT_TRUE(FrameIsBlack(gauge.PaintImage()));
}

TEST(ControlsGauge, PieFillsClockwiseFromTheTop)
{
    TGauge gauge;
    Configure(gauge, 101, 101, TGaugeKind::gkPie, 50);
    gauge.SetShowText(false);
    QImage image = gauge.PaintImage();
    EXPECT_TRUE(FrameIsBlack(image));
    EXPECT_EQ(image.pixel(3, 3), Rgb(Grey));   // outside the ellipse
    EXPECT_EQ(image.pixel(75, 50), Rgb(Yellow));
    EXPECT_EQ(image.pixel(25, 50), Rgb(Navy));

    gauge.SetProgress(25);   // the upper right quadrant only
    image = gauge.PaintImage();
    EXPECT_EQ(image.pixel(70, 30), Rgb(Yellow));
    EXPECT_EQ(image.pixel(70, 70), Rgb(Navy));
    EXPECT_EQ(image.pixel(30, 30), Rgb(Navy));

    gauge.SetProgress(75);
    image = gauge.PaintImage();
    EXPECT_EQ(image.pixel(30, 70), Rgb(Yellow));
    EXPECT_EQ(image.pixel(30, 30), Rgb(Navy));

    gauge.SetProgress(100);
    image = gauge.PaintImage();
    EXPECT_EQ(image.pixel(30, 30), Rgb(Yellow));
    EXPECT_EQ(image.pixel(70, 70), Rgb(Yellow));

    gauge.SetProgress(0);
    image = gauge.PaintImage();
    EXPECT_EQ(image.pixel(70, 30), Rgb(Navy));
    EXPECT_EQ(image.pixel(30, 70), Rgb(Navy));
}

TEST(ControlsGauge, NeedlePointsAlongTheUpperHalf)
{
    TGauge gauge;
    Configure(gauge, 101, 61, TGaugeKind::gkNeedle, 50);
    gauge.SetShowText(false);
    QImage image = gauge.PaintImage();
    EXPECT_EQ(image.pixel(3, 3), Rgb(Grey));
    EXPECT_EQ(image.pixel(30, 40), Rgb(Navy));   // inside the half ellipse, off the needle
    for (int y = 20; y < 55; ++y)
        EXPECT_EQ(image.pixel(50, y), Rgb(Yellow)) << "row " << y;   // straight up at 50 %
    EXPECT_TRUE(Filled(image, 1, 60, 100, 61, Yellow));   // the base line over the bottom frame row

    gauge.SetProgress(0);
    image = gauge.PaintImage();
    for (int y = 20; y < 55; ++y)
        EXPECT_EQ(image.pixel(50, y), Rgb(Navy)) << "row " << y;
}

TEST(ControlsGauge, WidgetShowsThePaintedImage)
{
    TGauge gauge;
    Configure(gauge, 77, 15, TGaugeKind::gkHorizontalBar, 70);
    const QImage grabbed = gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(grabbed, gauge.PaintImage());
}

TEST(ControlsGauge, ZeroSizedGaugePaintsNothing)
{
    TGauge gauge;
    gauge.resize(0, 0);
    gauge.SetProgress(50);
    EXPECT_TRUE(gauge.PaintImage().isNull());
}

}  // namespace
}  // namespace lumarc
