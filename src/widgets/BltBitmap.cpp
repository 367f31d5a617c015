#include "BltBitmap.h"

namespace lumarc {

void TBltBitmap::MakeLike(const QImage& Template)
{
    const QSize size = Template.size();
    if (FImage.size() != size || FImage.format() != QImage::Format_RGB32)
        FImage = QImage(size, QImage::Format_RGB32);
    FImage.setDevicePixelRatio(Template.devicePixelRatio());
    if (!FImage.isNull())
        FImage.fill(WindowFrameColor());
}

}  // namespace lumarc
