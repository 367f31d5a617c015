#pragma once
// A paint device that keeps every piece of text drawn on it with its baseline position, so
// layout tests can read back exactly where each piece went.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QString>
#include <QTextItem>

#include <vector>

namespace lumarc::test {

struct TDrawnText {
    QString text;
    QPointF baseline;
};

class TRecordingEngine : public QPaintEngine {
public:
    std::vector<TDrawnText> drawn;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override { drawn.push_back({item.text(), p}); }
    Type type() const override { return QPaintEngine::User; }
};

class TRecordingDevice : public QPaintDevice {
public:
    TRecordingDevice(int width, int height) : FWidth(width), FHeight(height) {}

    QPaintEngine* paintEngine() const override { return &FEngine; }
    std::vector<TDrawnText>& Drawn() { return FEngine.drawn; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return FWidth;
        case PdmHeight: return FHeight;
        case PdmWidthMM: return FWidth * 254 / 960;
        case PdmHeightMM: return FHeight * 254 / 960;
        case PdmNumColors: return 0x7fffffff;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    int FWidth;
    int FHeight;
    mutable TRecordingEngine FEngine;
};

}  // namespace lumarc::test
