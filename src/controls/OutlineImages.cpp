#include "OutlineImages.h"

#include <QPainter>
#include <QPolygonF>
#include <cmath>

#include "widgets/InstalledMark.h"

namespace lumarc {

namespace {

// A sheet with a folded corner and three lines of "text".
void DrawSheet(QPainter& p)
{
    const QPolygon sheet({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)});
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawPolygon(sheet);
    p.setBrush(QColor(192, 192, 192));
    p.drawPolygon(QPolygon({QPoint(10, 1), QPoint(10, 4), QPoint(13, 4)}));
    p.setPen(QColor(0, 0, 128));
    for (int y : {6, 8, 10, 12})
        p.drawLine(5, y, y == 12 ? 8 : 11, y);
}

// A closed folder: the tab, then the body.
void DrawFolder(QPainter& p)
{
    p.setPen(QColor(128, 96, 0));
    p.setBrush(QColor(255, 216, 96));
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(6, 3), QPoint(7, 5), QPoint(14, 5), QPoint(14, 13), QPoint(1, 13)}));
    p.setBrush(QColor(255, 236, 150));
    p.drawRect(1, 6, 13, 7);
}

// A red star in the lower right corner that marks the entry as new.
void DrawNewMark(QPainter& p)
{
    QPolygonF star;
    const QPointF centre(11.5, 11.5);
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 4.5 : 2.0;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(128, 0, 0));
    p.setBrush(QColor(255, 0, 0));
    p.drawPolygon(star);
}

}  // namespace

TOutlineImages::TOutlineImages()
{
    for (int i = 0; i < kCount; ++i) {
        const QPixmap picture = Draw(i);
        // The same picture in the selected mode: the style would otherwise tint it.
        FIcons[static_cast<size_t>(i)].addPixmap(picture, QIcon::Normal);
        FIcons[static_cast<size_t>(i)].addPixmap(picture, QIcon::Selected);
        QPixmap marked = picture;
        QPainter p(&marked);
        DrawInstalledCheck(p, QRect(0, kSize - 9, 9, 9));
        p.end();
        FInstalledIcons[static_cast<size_t>(i)].addPixmap(marked, QIcon::Normal);
        FInstalledIcons[static_cast<size_t>(i)].addPixmap(marked, QIcon::Selected);
    }
}

const QIcon& TOutlineImages::Icon(int index, bool installed) const
{
    if (index < 0 || index >= kCount)
        return FNone;
    return (installed ? FInstalledIcons : FIcons)[static_cast<size_t>(index)];
}

QPixmap TOutlineImages::Draw(int index)
{
    if (index < 0 || index >= kCount)
        return {};
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    switch (index) {
    case kEntry:
        DrawSheet(p);
        break;
    case kParent:
        DrawFolder(p);
        break;
    case kNewEntry:
        DrawSheet(p);
        DrawNewMark(p);
        break;
    }
    return picture;
}

}  // namespace lumarc
