#pragma once
// The pictures of the main window's buttons, drawn in code so that the program ships no image
// files. Each is 16 x 16 on a transparent ground.

#include <QIcon>
#include <QPixmap>

namespace lumarc {

enum class TGlyph {
    gFirst,     // reset the overview: a tree with an arrow to its top
    gPrev,      // one level up
    gDown,      // one line down
    gCopy,      // two sheets
    gPrint,     // a printer
    gInstall,   // a disc and an arrow into a box
    gSearch,    // a magnifying glass
    gOrderForm, // a form with scissors' cut line
    gOptions,   // a check box list
    gInfo,      // an "i" in a circle
    gQuit,      // an open door
    gUp,        // previous entry
    gNext,      // next entry
    gPrevHist,  // back through the history
    gExpand,    // a page growing outwards
};

class TGlyphs {
public:
    static constexpr int kSize = 16;
    // Needs a QGuiApplication: pixmaps cannot exist before one.
    static QPixmap Draw(TGlyph glyph);
    static QIcon Icon(TGlyph glyph) { return QIcon(Draw(glyph)); }
};

}  // namespace lumarc
