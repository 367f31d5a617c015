#include "ScreenRoom.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace lumarc {

QSize WindowRoom(const QRect& available)
{
    return QSize(available.width(), std::max(0, available.height() - kDecorationRoom));
}

void KeepInside(QWidget& window, const QRect& available)
{
    const QSize room = WindowRoom(available);
    window.setMinimumSize(window.minimumSize().boundedTo(room));
    window.resize(window.size().boundedTo(room));
    QPoint topLeft = window.pos();
    topLeft.setX(std::clamp(topLeft.x(), available.left(), std::max(available.left(), available.right() + 1 - window.width())));
    topLeft.setY(std::clamp(topLeft.y(), available.top(),
                            std::max(available.top(), available.bottom() + 1 - kDecorationRoom - window.height())));
    window.move(topLeft);
}

void KeepOnPrimaryScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        KeepInside(window, screen->availableGeometry());
}

void PlaceOver(QWidget& window, const QWidget& owner)
{
    window.move(owner.geometry().center() - window.rect().center());
    if (const QScreen* screen = owner.screen())
        KeepInside(window, screen->availableGeometry());
}

}  // namespace lumarc
