#pragma once
// The outline's image list: three 16 x 16 pictures drawn in code, so the program ships no
// image files. Index 0 an ordinary entry, 1 an entry with sub-entries, 2 an entry newer than
// the update date.

#include <array>

#include <QIcon>
#include <QPixmap>

namespace lumarc {

class TOutlineImages {
public:
    enum { kEntry = 0, kParent = 1, kNewEntry = 2, kCount = 3 };
    static constexpr int kSize = 16;

    // Needs a QGuiApplication: pixmaps cannot exist before one.
    TOutlineImages();

    // An icon that looks the same selected or not; an index outside 0..2 gives a null icon.
    // An installed entry's picture carries a check in its lower left corner.
    const QIcon& Icon(int index, bool installed = false) const;
    // A freshly drawn picture; null outside 0..2.
    static QPixmap Draw(int index);

private:
    std::array<QIcon, kCount> FIcons;
    std::array<QIcon, kCount> FInstalledIcons;
    QIcon FNone;
};

}  // namespace lumarc
