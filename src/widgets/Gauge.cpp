#include "Gauge.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "BltBitmap.h"
#include "GaugeAccessible.h"

namespace lumarc {

namespace {

// A rectangle as the drawing algorithm speaks of it: right and bottom exclusive.
struct TEdges {
    int Left, Top, Right, Bottom;
};

TEdges EdgesOf(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void FillEdges(QPainter& canvas, int left, int top, int right, int bottom, const QColor& colour)
{
    if (right > left && bottom > top)
        canvas.fillRect(QRect(left, top, right - left, bottom - top), colour);
}

// The rectangle that makes Qt's stroked ellipse cover the pixels left..right-1 and
// top..bottom-1: a one-pixel pen adds one pixel to the size.
QRectF EllipseBox(int left, int top, int right, int bottom)
{
    return QRectF(left, top, right - left - 1, bottom - top - 1);
}

// Draws the pie of the ellipse in (left, top, right, bottom) that runs counter-clockwise
// from the radial through (x1, y1) to the radial through (x2, y2). Radials that coincide
// give the whole ellipse. Qt measures angles on the unit circle the ellipse is stretched
// from, so each radial's direction is mapped back onto that circle first.
void DrawPie(QPainter& canvas, int left, int top, int right, int bottom, int x1, int y1, int x2, int y2)
{
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double rx = std::max(1.0, (right - left) / 2.0);
    const double ry = std::max(1.0, (bottom - top) / 2.0);
    auto angleOf = [&](int x, int y) { return std::atan2((cy - y) / ry, (x - cx) / rx); };
    constexpr double fullCircle = 2 * std::numbers::pi;
    const double start = angleOf(x1, y1);
    double span = std::fmod(angleOf(x2, y2) - start, fullCircle);
    if (span < 0)
        span += fullCircle;
    if (span * 180 / std::numbers::pi * 16 < 0.5)
        span = fullCircle;
    auto sixteenths = [](double radians) {
        return static_cast<int>(std::lround(radians * 180 / std::numbers::pi * 16));
    };
    canvas.drawPie(EllipseBox(left, top, right, bottom), sixteenths(start), sixteenths(span));
}

// Rounds halves to the even neighbour.
int Nearest(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

void XorInto(QImage& target, const QImage& source)
{
    const int height = std::min(target.height(), source.height());
    const int width = std::min(target.width(), source.width());
    for (int y = 0; y < height; ++y) {
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y));
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < width; ++x)
            to[x] = 0xFF000000u | ((to[x] ^ from[x]) & 0x00FFFFFFu);
    }
}

std::string RangeMessage(long long low, long long high)
{
    return "Value must be between " + std::to_string(low) + " and " + std::to_string(high);
}

}  // namespace

TGauge::TGauge(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
    TGaugeAccessible::Install();
}

void TGauge::SetKind(TGaugeKind Value)
{
    if (Value == FKind)
        return;
    FKind = Value;
    RepaintNow();
}

void TGauge::SetShowText(bool Value)
{
    if (Value == FShowText)
        return;
    FShowText = Value;
    RepaintNow();
}

void TGauge::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    RepaintNow();
}

void TGauge::SetForeColor(const QColor& Value)
{
    if (Value == FForeColor)
        return;
    FForeColor = Value;
    RepaintNow();
}

void TGauge::SetBackColor(const QColor& Value)
{
    if (Value == FBackColor)
        return;
    FBackColor = Value;
    RepaintNow();
}

QColor TGauge::Color() const
{
    return palette().color(QPalette::Window);
}

void TGauge::SetColor(const QColor& Value)
{
    if (Value == Color())
        return;
    QPalette p = palette();
    p.setColor(QPalette::Window, Value);
    setPalette(p);
    RepaintNow();
}

void TGauge::SetMinValue(int Value)
{
    if (Value == FMinValue)
        return;
    // Widened: the bounds of the message lie one past the other bound, which for the
    // extreme values would not fit an int.
    if (Value > FMaxValue)
        throw EInvalidOperation(RangeMessage(-2147483647LL, static_cast<long long>(FMaxValue) - 1));
    FMinValue = Value;
    if (FProgress < Value)
        FProgress = Value;
    RepaintNow();
}

void TGauge::SetMaxValue(int Value)
{
    if (Value == FMaxValue)
        return;
    if (Value < FMinValue)
        throw EInvalidOperation(RangeMessage(static_cast<long long>(FMinValue) + 1, 2147483647LL));
    FMaxValue = Value;
    if (FProgress > Value)
        FProgress = Value;
    RepaintNow();
}

void TGauge::SetProgress(int Value)
{
    if (Value < FMinValue)
        Value = FMinValue;
    else if (Value > FMaxValue)
        Value = FMaxValue;
    if (Value == FProgress)
        return;
    const int before = Percent();
    FProgress = Value;
    // The print progress window sets the value after every line: only a visible change
    // is worth a repaint, and worth telling a screen reader.
    if (Percent() == before)
        return;
    RepaintNow();
    QAccessibleValueChangeEvent changed(this, FProgress);
    QAccessible::updateAccessibility(&changed);
}

int TGauge::Percent() const
{
    if (FMaxValue == FMinValue)
        return 0;
    // In floating point: the differences of two int bounds need not fit an int.
    const double done = static_cast<double>(FProgress) - FMinValue;
    const double range = static_cast<double>(FMaxValue) - FMinValue;
    return static_cast<int>(std::trunc(done * 100 / range));
}

int TGauge::Portion(int P, int Z)
{
    return static_cast<int>(std::trunc(Z * (P * 0.01)));
}

void TGauge::RepaintNow()
{
    repaint();
}

void TGauge::paintEvent(QPaintEvent*)
{
    // Drawn at the screen's resolution, so that the text and the pie stay sharp when scaled.
    const QImage image = PaintImage(devicePixelRatioF());
    QPainter canvas(this);
    canvas.drawImage(0, 0, image);
}

QRect TGauge::PaintRect() const
{
    QRect r = rect();
    if (FBorderStyle == TBorderStyle::bsSingle)
        r.adjust(1, 1, -1, -1);
    return r;
}

QImage TGauge::PaintImage(qreal ratio) const
{
    QImage image(size() * ratio, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    const QRect paintRect = PaintRect();

    TBltBitmap overlay;
    overlay.MakeLike(image);
    overlay.Image().fill(Qt::black);
    {
        QPainter canvas(&overlay.Image());
        PaintKind(canvas, paintRect);
    }
    XorInto(image, overlay.Image());

    if (FShowText)
        PaintText(image, paintRect);
    return image;
}

void TGauge::PaintKind(QPainter& Canvas, const QRect& Rect) const
{
    switch (FKind) {
    case TGaugeKind::gkText:
        Canvas.fillRect(Rect, FBackColor);
        break;
    case TGaugeKind::gkHorizontalBar:
    case TGaugeKind::gkVerticalBar:
        PaintBar(Canvas, Rect);
        break;
    case TGaugeKind::gkPie:
        PaintPie(Canvas, Rect);
        break;
    case TGaugeKind::gkNeedle:
        PaintNeedle(Canvas, Rect);
        break;
    }
}

void TGauge::PaintBar(QPainter& Canvas, const QRect& Rect) const
{
    const TEdges r = EdgesOf(Rect);
    Canvas.fillRect(Rect, FBackColor);
    const int w = r.Right - r.Left + 1;
    const int h = r.Bottom - r.Top + 1;
    if (FKind == TGaugeKind::gkHorizontalBar) {
        const int x = std::min(Portion(Percent(), w), w);
        if (x > 0)
            FillEdges(Canvas, r.Left, r.Top, x, h, FForeColor);
    } else {
        int y = Portion(Percent(), h);
        if (y >= h)
            y = h - 1;
        FillEdges(Canvas, r.Left, h - y, w, h, FForeColor);
    }
}

void TGauge::PaintPie(QPainter& Canvas, const QRect& Rect) const
{
    const TEdges r = EdgesOf(Rect);
    const int extra = FBorderStyle == TBorderStyle::bsSingle ? 1 : 0;
    const int w = r.Right - r.Left + extra;
    const int h = r.Bottom - r.Top + extra;
    Canvas.fillRect(Rect, Color());
    Canvas.setPen(QPen(FForeColor, 1));
    Canvas.setBrush(FBackColor);
    Canvas.drawEllipse(EllipseBox(r.Left, r.Top, w, h));
    const int percent = Percent();
    if (percent > 0) {
        Canvas.setBrush(FForeColor);
        const int mx = w / 2;
        const int my = h / 2;
        const double a = (percent * 0.02 + 0.5) * std::numbers::pi;
        DrawPie(Canvas, r.Left, r.Top, w, h, Nearest(mx * (1 - std::cos(a))), Nearest(my * (1 - std::sin(a))), mx, 0);
    }
}

void TGauge::PaintNeedle(QPainter& Canvas, const QRect& Rect) const
{
    const TEdges r = EdgesOf(Rect);
    const int extra = FBorderStyle == TBorderStyle::bsSingle ? 1 : 0;
    const int w = r.Right - r.Left + extra;
    const int h = r.Bottom - r.Top + extra;
    Canvas.fillRect(Rect, Color());
    Canvas.setPen(QPen(FForeColor, 1));
    Canvas.setBrush(FBackColor);
    DrawPie(Canvas, r.Left, r.Top, w, 2 * h - 1, r.Left + w, r.Bottom - 1, r.Left, r.Bottom - 1);
    FillEdges(Canvas, r.Left, r.Bottom, r.Left + w, r.Bottom + 1, FForeColor);
    const int percent = Percent();
    if (percent > 0) {
        const int mx = width() / 2;
        const double a = percent * 0.01 * std::numbers::pi;
        Canvas.drawLine(QPoint(mx, r.Bottom - 1),
                        QPoint(Nearest(mx * (1 - std::cos(a))), Nearest((r.Bottom - 1) * (1 - std::sin(a)))));
    }
}

void TGauge::PaintText(QImage& Image, const QRect& Rect) const
{
    const TEdges r = EdgesOf(Rect);
    const QString text = QString::number(Percent()) + QLatin1Char('%');
    // Exclusive-or inverts exactly only where the text is pure white: no grey edge pixels.
    QFont textFont = font();
    textFont.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(textFont, &Image);
    const int x = (r.Right - r.Left + 1 - metrics.horizontalAdvance(text)) / 2;
    const int y = (r.Bottom - r.Top + 1 - metrics.height()) / 2;

    TBltBitmap textImage;
    textImage.MakeLike(Image);
    textImage.Image().fill(Qt::black);
    {
        QPainter canvas(&textImage.Image());
        canvas.setFont(textFont);
        canvas.setPen(Qt::white);
        canvas.setBrush(Qt::NoBrush);
        canvas.setClipRect(Rect);
        canvas.drawText(x, y + metrics.ascent(), text);
    }
    XorInto(Image, textImage.Image());
}

}  // namespace lumarc
