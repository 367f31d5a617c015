#include "InstalledMark.h"

#include <QPainter>
#include <QPixmap>

namespace lumarc {

void DrawInstalledCheck(QPainter& painter, const QRect& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r(box);
    painter.setPen(QPen(QColor(0, 100, 0), r.width() / 10.0));
    painter.setBrush(Qt::white);
    painter.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
    QPen tick(QColor(0, 140, 0), r.width() / 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(tick);
    painter.setBrush(Qt::NoBrush);
    const auto at = [&r](double x, double y) { return QPointF(r.left() + x * r.width(), r.top() + y * r.height()); };
    painter.drawPolyline(QPolygonF({at(0.25, 0.52), at(0.43, 0.72), at(0.76, 0.3)}));
    painter.restore();
}

QIcon InstalledCheckIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawInstalledCheck(painter, QRect(0, 0, size, size));
    painter.end();
    return QIcon(pixmap);
}

}  // namespace lumarc
