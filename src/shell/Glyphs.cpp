#include "Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace lumarc {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kTeal(0, 128, 128);
const QColor kDarkGray(96, 96, 96);
const QColor kRed(192, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kYellow(255, 255, 0);

void Arrow(QPainter& p, const QColor& colour, std::initializer_list<QPoint> points)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygon(QList<QPoint>(points)));
}

void Sheet(QPainter& p, const QRect& r)
{
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(kDarkGray);
    for (int y = r.top() + 3; y < r.bottom() - 1; y += 2)
        p.drawLine(r.left() + 2, y, r.right() - 2, y);
}

void DrawTree(QPainter& p)
{
    p.setPen(Qt::black);
    p.drawLine(4, 5, 4, 14);
    p.drawLine(4, 9, 8, 9);
    p.drawLine(4, 14, 8, 14);
    p.fillRect(2, 2, 5, 4, kYellow);
    p.drawRect(2, 2, 5, 4);
    p.fillRect(9, 8, 5, 3, kTeal);
    p.fillRect(9, 13, 5, 3, kTeal);
}

}  // namespace

QPixmap TGlyphs::Draw(TGlyph glyph)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    switch (glyph) {
    case TGlyph::gFirst:
        DrawTree(p);
        Arrow(p, kNavy, {{11, 1}, {15, 5}, {12, 5}, {12, 7}, {10, 7}, {10, 5}, {7, 5}});
        break;
    case TGlyph::gPrev:
        DrawTree(p);
        Arrow(p, kGreen, {{12, 0}, {16, 4}, {13, 4}, {13, 6}, {11, 6}, {11, 4}, {8, 4}});
        break;
    case TGlyph::gDown:
    case TGlyph::gNext:
        Arrow(p, glyph == TGlyph::gDown ? kNavy : kGreen, {{5, 1}, {10, 1}, {10, 8}, {14, 8}, {7, 15}, {1, 8}, {5, 8}});
        break;
    case TGlyph::gUp:
        Arrow(p, kGreen, {{7, 1}, {14, 8}, {10, 8}, {10, 15}, {5, 15}, {5, 8}, {1, 8}});
        break;
    case TGlyph::gPrevHist:
        Arrow(p, kNavy, {{1, 8}, {8, 1}, {8, 5}, {15, 5}, {15, 11}, {8, 11}, {8, 15}});
        break;
    case TGlyph::gCopy:
        Sheet(p, QRect(1, 1, 9, 11));
        Sheet(p, QRect(6, 4, 9, 11));
        break;
    case TGlyph::gPrint:
        Sheet(p, QRect(4, 1, 8, 7));
        p.setPen(Qt::black);
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(1, 7, 14, 6);
        p.fillRect(11, 9, 2, 2, kGreen);
        Sheet(p, QRect(4, 11, 8, 4));
        break;
    case TGlyph::gInstall:
        p.setPen(Qt::black);
        p.setBrush(QColor(200, 200, 220));
        p.drawEllipse(0, 0, 10, 10);
        p.setBrush(Qt::white);
        p.drawEllipse(4, 4, 2, 2);
        p.setBrush(QColor(160, 110, 40));
        p.drawRect(6, 10, 9, 5);
        Arrow(p, kRed, {{9, 3}, {13, 3}, {13, 7}, {15, 7}, {11, 11}, {7, 7}, {9, 7}});
        break;
    case TGlyph::gSearch:
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.setPen(QPen(kDarkGray, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 10), QPointF(14, 14));
        break;
    case TGlyph::gOrderForm:
        Sheet(p, QRect(2, 0, 11, 15));
        p.setPen(QPen(kRed, 1, Qt::DashLine));
        p.drawLine(0, 8, 15, 8);
        break;
    case TGlyph::gOptions:
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        for (int y : {1, 6, 11}) {
            p.drawRect(1, y, 4, 4);
            p.drawLine(7, y + 2, 14, y + 2);
        }
        p.setPen(QPen(kGreen, 2));
        p.drawLine(2, 3, 3, 5);
        p.drawLine(3, 5, 6, 0);
        break;
    case TGlyph::gInfo:
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(kNavy);
        p.setBrush(kNavy);
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        p.fillRect(7, 7, 2, 6, Qt::white);
        p.fillRect(7, 3, 2, 2, Qt::white);
        break;
    case TGlyph::gQuit:
        p.setPen(Qt::black);
        p.setBrush(QColor(160, 110, 40));
        p.drawRect(3, 1, 9, 14);
        p.setBrush(QColor(100, 60, 20));
        p.drawPolygon(QPolygon({QPoint(3, 1), QPoint(8, 3), QPoint(8, 15), QPoint(3, 15)}));
        p.fillRect(6, 8, 1, 2, kYellow);
        break;
    case TGlyph::gExpand:
        Sheet(p, QRect(4, 4, 7, 7));
        Arrow(p, kNavy, {{0, 0}, {4, 0}, {0, 4}});
        Arrow(p, kNavy, {{15, 15}, {11, 15}, {15, 11}});
        Arrow(p, kNavy, {{15, 0}, {15, 4}, {11, 0}});
        Arrow(p, kNavy, {{0, 15}, {0, 11}, {4, 15}});
        break;
    }
    return pixmap;
}

}  // namespace lumarc
