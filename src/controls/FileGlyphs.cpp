#include "FileGlyphs.h"

#include <QPainter>

namespace lumarc {

namespace {

const QColor kTransparent(0, 128, 128);  // teal, the usual key colour of 16-colour bitmaps

QPixmap Blank(int height)
{
    QPixmap pixmap(16, height);
    pixmap.fill(kTransparent);
    return pixmap;
}

}  // namespace

QPixmap ExeGlyphPixmap()
{
    QPixmap pixmap = Blank(15);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 13, 11);
    p.fillRect(2, 2, 12, 3, QColor(0, 0, 128));
    p.fillRect(3, 7, 4, 3, QColor(128, 128, 128));
    return pixmap;
}

QPixmap FolderGlyphPixmap()
{
    QPixmap pixmap = Blank(15);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(QColor(255, 255, 0));
    p.drawRect(1, 4, 13, 8);
    p.drawRect(2, 2, 5, 2);
    return pixmap;
}

QPixmap PlainFileGlyphPixmap()
{
    QPixmap pixmap = Blank(15);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(3, 0, 9, 13);
    p.setPen(QColor(128, 128, 128));
    for (int y = 3; y <= 10; y += 2)
        p.drawLine(5, y, 10, y);
    return pixmap;
}

QPixmap FloppyGlyphPixmap()
{
    QPixmap pixmap = Blank(11);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(1, 0, 13, 9);
    p.fillRect(4, 1, 7, 3, Qt::white);
    p.fillRect(5, 6, 5, 3, QColor(0, 0, 128));
    return pixmap;
}

}  // namespace lumarc
