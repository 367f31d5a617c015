#pragma once
// The four small pictures of the file list, drawn here: an executable, a closed folder, a
// plain file (16 x 15) and a floppy for drives (16 x 11). Each has its transparent colour in
// its bottom-left pixel.

#include <QPixmap>

namespace lumarc {

QPixmap ExeGlyphPixmap();
QPixmap FolderGlyphPixmap();
QPixmap PlainFileGlyphPixmap();
QPixmap FloppyGlyphPixmap();

}  // namespace lumarc
