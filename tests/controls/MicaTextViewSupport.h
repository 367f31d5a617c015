#pragma once

#include <QCoreApplication>
#include <QImage>
#include <initializer_list>
#include <string>

#include "controls/MicaTextView.h"

namespace lumarc::test {

inline void SetLines(TMicaTextView& view, std::initializer_list<std::string> lines)
{
    view.Lines.Clear();
    for (const std::string& line : lines)
        view.Lines.Add(line);
    view.LayoutRows();
}

// A hidden widget holds its resize back, so its viewport has a stale size; showing without a
// screen lays it out.
inline void Show(QWidget& widget)
{
    widget.setAttribute(Qt::WA_DontShowOnScreen);
    widget.show();
}

inline QImage Render(TMicaTextView& view)
{
    Show(view);
    QImage image(view.viewport()->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    view.viewport()->render(&image);
    return image;
}

// Bounding box of the dark pixels inside `area`; null when there are none.
inline QRect InkBounds(const QImage& image, const QRect& area)
{
    QRect ink;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// Row `row` in the visible area, counting from the top row.
inline QRect RowRect(const TMicaTextView& view, int row)
{
    int top = 0;
    for (int r = view.TopRow(); r < row; ++r)
        top += view.RowHeight(r);
    return QRect(0, top, view.viewport()->width(), view.RowHeight(row));
}

}  // namespace lumarc::test
