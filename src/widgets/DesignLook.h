#pragma once
// The 1996 look the windows are laid out for: its two fonts, with the family that stands in
// for each on Linux, and the label that takes its size from its caption.

#include <QFont>
#include <QFrame>
#include <QString>

class QLabel;
class QWidget;

namespace lumarc {

// "System", 13 pixels: the main window, the detail window, the options and the file lists.
QFont SystemFont(bool bold = false);
// "MS Sans Serif", 11 pixels: the dialogs.
QFont SansSerifFont(bool bold = false);

// The font of short texts, whose lines draw boxes with the OEM code page's characters: the
// line-drawing font where it is installed, which shows those bytes as they are, else a fixed
// pitch font, for which the text goes through the OEM code page first (OemConvert).
struct TLineDrawFont {
    QFont Font;
    bool OemConvert;
};
TLineDrawFont LineDrawFont();

// A label named `name` at (left, top), as large as its caption in `font` (the parent's when
// none is given).
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                  const QFont* font = nullptr);
// The same in the "System" font, kept when the parent's font changes.
QLabel* MakeSystemLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                        bool bold = false);
// A panel named `name` with a one-pixel bevel.
QFrame* MakePanel(QWidget* parent, const char* name, QFrame::Shadow shadow = QFrame::Raised);

}  // namespace lumarc
