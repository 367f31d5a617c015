#pragma once
// Windows made for a 1996 screen on a screen of today: at a large scale factor a small
// display has fewer pixels than the windows' designed sizes.

#include <QRect>
#include <QSize>

class QWidget;

namespace lumarc {

// What a window manager's title bar and frame take at most, in the screen's pixels.
inline constexpr int kDecorationRoom = 40;

// The room a window has inside a screen's available area once its frame is drawn.
QSize WindowRoom(const QRect& available);

// Shrinks `window` (and its minimum size) to the room the area gives, and moves it back
// inside where it hangs over the area's left or top edge, so its title bar stays reachable.
void KeepInside(QWidget& window, const QRect& available);

// KeepInside for the primary screen; nothing without a screen.
void KeepOnPrimaryScreen(QWidget& window);

// Centres `window` over `owner`, kept inside the owner's screen.
void PlaceOver(QWidget& window, const QWidget& owner);

}  // namespace lumarc
