#pragma once
// An off-screen bitmap for drawing that is combined into another image with raster
// operations. Always 32-bit RGB, so exclusive-or combines colour channels bit for bit.

#include <QColor>
#include <QImage>
#include <QSize>

namespace lumarc {

class TBltBitmap {
public:
    TBltBitmap() = default;

    // Takes the template's width and height and fills the whole bitmap with the window-frame
    // colour, solid. Callers paint over it; the fill only guarantees defined pixels.
    void MakeLike(const QImage& Template);
    void MakeLike(const TBltBitmap& Template) { MakeLike(Template.FImage); }

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    QImage& Image() { return FImage; }
    const QImage& Image() const { return FImage; }

    // The platform's default window-frame colour. Qt's palettes have no such role.
    static QColor WindowFrameColor() { return QColor(0, 0, 0); }

private:
    QImage FImage;
};

}  // namespace lumarc
