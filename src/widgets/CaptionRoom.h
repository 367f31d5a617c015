#pragma once
// Room for captions. The windows' positions were laid out for the narrow screen fonts of their
// time; ours are wider, so a caption may need more room than its place gives it. These keep
// the layout and only widen a caption to its text, moving what follows it on its row.

class QWidget;

namespace lumarc {

// The width a caption needs to show its text whole: a label's or a check box's size hint; a
// button's text and icon within its frame (not the style's minimum width, which would widen
// every small button for nothing).
int CaptionWidth(const QWidget* caption);

// Widens `caption` to CaptionWidth where it is narrower, then moves the controls that follow
// it on its row (the siblings to its right that share part of its height) to the right by as
// much as it now reaches past the first of them, keeping `gap` pixels. Returns that distance.
int MakeRoomForCaption(QWidget* caption, int gap = 4);

}  // namespace lumarc
