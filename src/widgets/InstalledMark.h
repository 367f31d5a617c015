#pragma once
// The mark of an installed component: a green check, drawn over the outline's picture of the
// entry and beside the component's name in the component list.

#include <QIcon>
#include <QRect>

class QPainter;

namespace lumarc {

// Fills `box` (square) with the check on a white ground, so that it reads on any picture.
void DrawInstalledCheck(QPainter& painter, const QRect& box);
// The check alone, as an icon of `size` pixels.
QIcon InstalledCheckIcon(int size = 16);

}  // namespace lumarc
