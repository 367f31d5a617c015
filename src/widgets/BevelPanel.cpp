#include "BevelPanel.h"

#include <QPainter>

#include <algorithm>

namespace lumarc {

TBevelPanel::TBevelPanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TBevelPanel::SetBevelWidth(int width)
{
    width = std::max(0, width);
    if (width == FBevelWidth)
        return;
    FBevelWidth = width;
    update();
}

void TBevelPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, palette().color(QPalette::Button));

    painter.setPen(Qt::black);
    painter.drawRect(all.adjusted(0, 0, -1, -1));

    // Each ring of the bevel: light along the top and left, dark along the bottom and right.
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    for (int ring = 1; ring <= FBevelWidth; ++ring) {
        const QRect r = all.adjusted(ring, ring, -ring, -ring);
        if (r.width() < 0 || r.height() < 0)
            break;
        painter.setPen(light);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(dark);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
}

}  // namespace lumarc
