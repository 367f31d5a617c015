#include "CaptionRoom.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>
#include <climits>

namespace lumarc {

namespace {

// The widest line of a caption as shown: "&" marks a mnemonic and takes no room, "&&" is one.
int ShownTextWidth(const QWidget* w, QString text)
{
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(1), QLatin1Char('&'));
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
    return widest;
}

}  // namespace

int CaptionWidth(const QWidget* caption)
{
    if (qobject_cast<const QLabel*>(caption) || qobject_cast<const QCheckBox*>(caption) ||
        qobject_cast<const QRadioButton*>(caption))
        return caption->sizeHint().width();
    if (const auto* button = qobject_cast<const QAbstractButton*>(caption)) {
        const QStyle* style = button->style();
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        const int frame = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) / 2 +
                               style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
        return ShownTextWidth(button, button->text()) + icon + frame;
    }
    return caption->width();
}

int MakeRoomForCaption(QWidget* caption, int gap)
{
    if (caption->width() < CaptionWidth(caption))
        caption->resize(CaptionWidth(caption), caption->height());
    QWidget* parent = caption->parentWidget();
    if (!parent)
        return 0;
    const QRect own = caption->geometry();
    QList<QWidget*> following;
    int first = INT_MAX;
    for (QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect g = sibling->geometry();
        if (sibling == caption || sibling->isWindow() || g.left() <= own.left() || g.top() > own.bottom() ||
            g.bottom() < own.top())
            continue;
        following << sibling;
        first = std::min(first, g.left());
    }
    const int shift = own.right() + 1 + gap - first;
    if (following.isEmpty() || shift <= 0)
        return 0;
    for (QWidget* sibling : following)
        sibling->move(sibling->x() + shift, sibling->y());
    return shift;
}

}  // namespace lumarc
