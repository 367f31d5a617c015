#pragma once
// A value between a minimum and a maximum shown as a bar, a pie, a needle or a plain field,
// optionally with the percentage reached as text. The text is combined into the picture with
// exclusive-or, so it stays readable on the filled and the unfilled part alike.

#include <QColor>
#include <QImage>
#include <QWidget>

#include "platform/Exception.h"

class QPainter;

namespace lumarc {

// Raised when a range bound would cross the other bound.
LUMARC_DECLARE_ERROR(EInvalidOperation, Exception);

enum class TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

enum class TBorderStyle { bsNone, bsSingle };

class TGauge : public QWidget {
    Q_OBJECT

public:
    explicit TGauge(QWidget* parent = nullptr);

    TGaugeKind Kind() const { return FKind; }
    void SetKind(TGaugeKind Value);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    QColor ForeColor() const { return FForeColor; }
    void SetForeColor(const QColor& Value);
    QColor BackColor() const { return FBackColor; }
    void SetBackColor(const QColor& Value);
    // The control's own colour, shown around the pie and the needle: the palette's window role.
    QColor Color() const;
    void SetColor(const QColor& Value);

    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value);  // throws EInvalidOperation above MaxValue
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);  // throws EInvalidOperation below MinValue
    int Progress() const { return FProgress; }
    void SetProgress(int Value);  // clamps into [MinValue, MaxValue]

    // Whole percentage of the range that Progress has reached; 0 for an empty range.
    int Percent() const;

    // The complete picture of the control as it is painted, at the control's size; `ratio`
    // device pixels to a pixel of the control.
    QImage PaintImage(qreal ratio = 1.0) const;

    // Truncate(Z * (P * 0.01)): the pixels of length Z that P per cent cover.
    static int Portion(int P, int Z);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Called whenever a property change must show at once; repaints synchronously.
    virtual void RepaintNow();

private:
    QRect PaintRect() const;
    void PaintKind(QPainter& Canvas, const QRect& Rect) const;
    void PaintBar(QPainter& Canvas, const QRect& Rect) const;
    void PaintPie(QPainter& Canvas, const QRect& Rect) const;
    void PaintNeedle(QPainter& Canvas, const QRect& Rect) const;
    void PaintText(QImage& Image, const QRect& Rect) const;

    TGaugeKind FKind = TGaugeKind::gkHorizontalBar;
    bool FShowText = true;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    QColor FForeColor = QColor(0, 0, 0);
    QColor FBackColor = QColor(255, 255, 255);
    int FMinValue = 0;
    int FMaxValue = 100;
    int FProgress = 0;
};

}  // namespace lumarc
