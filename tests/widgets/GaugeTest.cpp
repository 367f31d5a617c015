#include "widgets/Gauge.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

#include <climits>
#include <vector>

namespace lumarc {
namespace {

const QColor Navy(0, 0, 128), Yellow(255, 255, 0), Grey(192, 192, 192), Black(0, 0, 0);

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

// Every pixel of the area has the colour. Edges() builds areas with right and bottom exclusive.
::testing::AssertionResult Filled(const QImage& image, QRect r, const QColor& colour)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (QColor(image.pixel(x, y)) != colour)
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " is " << QColor(image.pixel(x, y)).name().toStdString();
    return ::testing::AssertionSuccess();
}

QRect Edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void Configure(TGauge& gauge, int width, int height, TGaugeKind kind, int progress,
               TBorderStyle border = TBorderStyle::bsSingle)
{
    gauge.resize(width, height);
    gauge.SetKind(kind);
    gauge.SetBorderStyle(border);
    gauge.SetForeColor(Yellow);
    gauge.SetBackColor(Navy);
    gauge.SetColor(Grey);
    gauge.SetProgress(progress);
}

TEST(ControlsGauge, ProgressStaysInTheRangeAndPercentTruncates)
{
    TGauge gauge;
    EXPECT_EQ(gauge.size(), QSize(100, 100));
    gauge.SetProgress(70);
    EXPECT_EQ(gauge.Percent(), 70);
    gauge.SetProgress(-5);
    EXPECT_EQ(gauge.Progress(), 0);
    gauge.SetProgress(101);
    EXPECT_EQ(gauge.Progress(), 100);
    gauge.SetProgress(20);
    gauge.SetMinValue(50);  // pulls Progress along
    EXPECT_EQ(gauge.Progress(), 50);
    gauge.SetProgress(90);
    gauge.SetMaxValue(60);
    EXPECT_EQ(gauge.Progress(), 60);

    gauge.SetMinValue(0);
    gauge.SetMaxValue(3);
    gauge.SetProgress(2);
    EXPECT_EQ(gauge.Percent(), 66);
    gauge.SetMinValue(-10);
    gauge.SetMaxValue(-4);
    gauge.SetProgress(-7);
    EXPECT_EQ(gauge.Percent(), 50);
    // The widest range: differences beyond an int must not wrap.
    gauge.SetMinValue(INT_MIN);
    gauge.SetMaxValue(INT_MAX);
    gauge.SetProgress(0);
    EXPECT_EQ(gauge.Percent(), 50);

    gauge.SetMinValue(40);
    gauge.SetMaxValue(40);  // an empty range is accepted
    EXPECT_EQ(gauge.Progress(), 40);
    EXPECT_EQ(gauge.Percent(), 0);
    EXPECT_FALSE(gauge.PaintImage().isNull());
}

TEST(ControlsGauge, CrossingBoundsRaisesAndKeepsRangeAndValue)
{
    auto message = [](TGauge& gauge, bool min, int value) -> std::string {
        try {
            min ? gauge.SetMinValue(value) : gauge.SetMaxValue(value);
        } catch (const EInvalidOperation& e) {
            return e.what();
        }
        return "no error";
    };
    TGauge gauge;
    gauge.SetMinValue(50);
    gauge.SetProgress(70);
    EXPECT_EQ(message(gauge, false, 10), "Value must be between 51 and 2147483647");
    EXPECT_EQ(message(gauge, true, 101), "Value must be between -2147483647 and 99");
    EXPECT_EQ(gauge.MinValue(), 50);
    EXPECT_EQ(gauge.MaxValue(), 100);
    EXPECT_EQ(gauge.Progress(), 70);

    // One past the other bound, at the ends of the integer range, without wrapping.
    TGauge low;
    low.SetMinValue(INT_MIN);
    low.SetMaxValue(INT_MIN);
    EXPECT_EQ(message(low, true, 0), "Value must be between -2147483647 and -2147483649");
    TGauge high;
    high.SetMaxValue(INT_MAX);
    high.SetMinValue(INT_MAX);
    EXPECT_EQ(message(high, false, 0), "Value must be between 2147483648 and 2147483647");
}

TEST(ControlsGauge, RepaintsOnlyWhenSomethingVisibleChanges)
{
    TCountingGauge gauge;
    gauge.SetMaxValue(10000);
    gauge.SetProgress(100);
    gauge.Repaints = 0;
    gauge.SetProgress(101);  // still 1 per cent
    EXPECT_EQ(gauge.Progress(), 101);
    EXPECT_EQ(gauge.Repaints, 0);
    gauge.SetProgress(200);
    gauge.SetProgress(20000);  // clamps to 10000
    gauge.SetProgress(10001);  // clamps to the value it has
    EXPECT_EQ(gauge.Repaints, 2);

    gauge.Repaints = 0;
    gauge.SetKind(TGaugeKind::gkHorizontalBar);  // all unchanged
    gauge.SetShowText(true);
    gauge.SetForeColor(Black);
    gauge.SetMaxValue(10000);
    EXPECT_EQ(gauge.Repaints, 0);
    gauge.SetKind(TGaugeKind::gkPie);
    gauge.SetBorderStyle(TBorderStyle::bsNone);
    gauge.SetBackColor(Navy);
    gauge.SetMinValue(1);
    EXPECT_EQ(gauge.Repaints, 4);
}

struct TFillCase {
    TGaugeKind Kind;
    int Width, Height, Progress;
    TBorderStyle Border;
    std::vector<std::pair<QRect, QColor>> Areas;
};

TEST(ControlsGauge, BarsFillTheirShareOfPaintRect)
{
    using enum TGaugeKind;
    const auto single = TBorderStyle::bsSingle, none = TBorderStyle::bsNone;
    const std::vector<TFillCase> cases = {
        // W = 76, X = 53: columns 1 to 52, rows 1 to 13; the frame stays black.
        {gkHorizontalBar,
         77,
         15,
         70,
         single,
         {{Edges(1, 1, 53, 14), Yellow},
          {Edges(53, 1, 76, 14), Navy},
          {Edges(0, 0, 77, 1), Black},
          {Edges(0, 14, 77, 15), Black},
          {Edges(0, 0, 1, 15), Black},
          {Edges(76, 0, 77, 15), Black}}},
        {gkHorizontalBar, 77, 15, 0, single, {{Edges(1, 1, 76, 14), Navy}}},
        {gkHorizontalBar, 40, 10, 100, none, {{Edges(0, 0, 40, 10), Yellow}}},
        // H = 14, Y = 7: the fill starts at row 7.
        {gkVerticalBar, 20, 15, 50, single, {{Edges(1, 1, 19, 7), Navy}, {Edges(1, 7, 19, 14), Yellow}}},
        {gkVerticalBar, 20, 15, 100, single, {{Edges(1, 1, 19, 14), Yellow}, {Edges(0, 0, 20, 1), Black}}},
        // Y = H - 1 leaves the top row unfilled.
        {gkVerticalBar, 20, 15, 100, none, {{Edges(0, 0, 20, 1), Navy}, {Edges(0, 1, 20, 15), Yellow}}},
        {gkText, 30, 12, 80, single, {{Edges(1, 1, 29, 11), Navy}, {Edges(0, 11, 30, 12), Black}}},
    };
    for (const TFillCase& c : cases) {
        TGauge gauge;
        Configure(gauge, c.Width, c.Height, c.Kind, c.Progress, c.Border);
        gauge.SetShowText(false);
        const QImage image = gauge.PaintImage();
        for (const auto& [area, colour] : c.Areas)
            EXPECT_TRUE(Filled(image, area, colour)) << "kind " << int(c.Kind) << " at " << c.Progress;
    }
}

// White text combined by exclusive-or: where it is drawn every pixel is the exact inverse of
// the picture without text, and it lies in the centred text box inside PaintRect.
void ExpectInvertedCentredText(TGauge& gauge, const QString& text)
{
    gauge.SetShowText(false);
    const QImage plain = gauge.PaintImage();
    gauge.SetShowText(true);
    const QImage withText = gauge.PaintImage();
    QRect changed;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (plain.pixel(x, y) != withText.pixel(x, y)) {
                ASSERT_EQ(withText.pixel(x, y) & 0xFFFFFFu, ~plain.pixel(x, y) & 0xFFFFFFu) << x << "," << y;
                changed |= QRect(x, y, 1, 1);
            }
    ASSERT_FALSE(changed.isEmpty()) << "no text drawn";
    const QRect paintRect = gauge.rect().adjusted(1, 1, -1, -1);
    QFont font = gauge.font();
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    const QRect box((paintRect.width() + 1 - width) / 2, (paintRect.height() + 1 - metrics.height()) / 2, width,
                    metrics.height());
    EXPECT_TRUE(paintRect.contains(changed));
    EXPECT_TRUE(box.adjusted(-1, 0, 1, 0).contains(changed)) << changed.x() << "," << changed.y();
}

TEST(ControlsGauge, TextIsCentredAndInvertsWhatLiesBeneath)
{
    TGauge small;
    Configure(small, 77, 15, TGaugeKind::gkHorizontalBar, 70);
    ExpectInvertedCentredText(small, "70%");
    small.SetProgress(0);
    ExpectInvertedCentredText(small, "0%");

    // Half filled under a large font: the text crosses both colours.
    TGauge wide;
    Configure(wide, 120, 40, TGaugeKind::gkHorizontalBar, 50);
    QFont big = wide.font();
    big.setPixelSize(24);
    wide.setFont(big);
    ExpectInvertedCentredText(wide, "50%");
    const QImage image = wide.PaintImage();
    bool onYellow = false, onNavy = false;
    for (int y = 1; y < 39; ++y)
        for (int x = 1; x < 119; ++x) {
            onYellow |= QColor(image.pixel(x, y)) == QColor(0, 0, 255);
            onNavy |= QColor(image.pixel(x, y)) == QColor(255, 255, 127);
        }
    EXPECT_TRUE(onYellow && onNavy);

    // Text larger than the gauge is clipped to PaintRect: the frame stays black.
    wide.resize(12, 8);
    EXPECT_TRUE(Filled(wide.PaintImage(), Edges(0, 0, 12, 1), Black));
}

// At a scale factor of 2 the picture has twice the pixels and the same drawing: every shape
// covers the device pixels of the logical ones, and the text still inverts exactly.
TEST(ControlsGauge, ScaledPictureDrawsTheSameShapesAtTwiceThePixels)
{
    for (TGaugeKind kind : {TGaugeKind::gkHorizontalBar, TGaugeKind::gkVerticalBar}) {
        TGauge gauge;
        Configure(gauge, 77, 15, kind, 70);
        gauge.SetShowText(false);
        const QImage logical = gauge.PaintImage();
        const QImage scaled = gauge.PaintImage(2.0);
        ASSERT_EQ(scaled.size(), logical.size() * 2);
        EXPECT_EQ(scaled.devicePixelRatio(), 2.0);
        for (int y = 0; y < scaled.height(); ++y)
            for (int x = 0; x < scaled.width(); ++x)
                ASSERT_EQ(scaled.pixel(x, y), logical.pixel(x / 2, y / 2)) << int(kind) << " at " << x << "," << y;

        gauge.SetShowText(true);
        const QImage withText = gauge.PaintImage(2.0);
        int inverted = 0;
        for (int y = 0; y < scaled.height(); ++y)
            for (int x = 0; x < scaled.width(); ++x)
                if (withText.pixel(x, y) != scaled.pixel(x, y)) {
                    ASSERT_EQ(withText.pixel(x, y) & 0xFFFFFFu, ~scaled.pixel(x, y) & 0xFFFFFFu) << x << "," << y;
                    ++inverted;
                }
        EXPECT_GT(inverted, 0);
    }
}

TEST(ControlsGauge, PieFillsClockwiseFromTheTop)
{
    TGauge gauge;
    Configure(gauge, 101, 101, TGaugeKind::gkPie, 0);
    gauge.SetShowText(false);
    const std::vector<std::tuple<int, QPoint, QColor>> probes = {
        {0, {70, 30}, Navy},  {0, {3, 3}, Grey},       {25, {70, 30}, Yellow}, {25, {70, 70}, Navy},
        {25, {30, 30}, Navy}, {50, {75, 50}, Yellow},  {50, {25, 50}, Navy},   {75, {30, 70}, Yellow},
        {75, {30, 30}, Navy}, {100, {30, 30}, Yellow}, {100, {3, 3}, Grey},
    };
    for (const auto& [progress, at, colour] : probes) {
        gauge.SetProgress(progress);
        EXPECT_EQ(QColor(gauge.PaintImage().pixel(at)), colour) << progress << "% at " << at.x() << "," << at.y();
    }
}

TEST(ControlsGauge, NeedleStandsUpAtHalfRange)
{
    TGauge gauge;
    Configure(gauge, 101, 61, TGaugeKind::gkNeedle, 50);
    gauge.SetShowText(false);
    QImage image = gauge.PaintImage();
    EXPECT_EQ(QColor(image.pixel(3, 3)), Grey);
    EXPECT_EQ(QColor(image.pixel(30, 40)), Navy);
    EXPECT_TRUE(Filled(image, Edges(50, 20, 51, 55), Yellow));
    EXPECT_TRUE(Filled(image, Edges(1, 60, 100, 61), Yellow));  // the base line, on the frame row
    gauge.SetProgress(0);
    EXPECT_TRUE(Filled(gauge.PaintImage(), Edges(50, 20, 51, 55), Navy));
}

TEST(ControlsGauge, WidgetShowsThePaintedImage)
{
    TGauge gauge;
    Configure(gauge, 77, 15, TGaugeKind::gkHorizontalBar, 70);
    EXPECT_TRUE(gauge.testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(gauge.grab().toImage().convertToFormat(QImage::Format_RGB32), gauge.PaintImage());
    gauge.resize(0, 0);
    EXPECT_TRUE(gauge.PaintImage().isNull());
}

}  // namespace
}  // namespace lumarc
