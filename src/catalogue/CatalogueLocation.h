#pragma once
// Where a catalogue's two files are, for the viewer, the command line tool and the benches
// alike. A catalogue is a directory (the disc's root, a copy of it, or its data directory), a
// disc image (the same lookup from the image's root), or the path of a ".dat" file with its
// ".idx" beside it.

#include <string>
#include <vector>

namespace lumarc {

inline const char* const kDataFileName = "Lumarc32.dat";
inline const char* const kIndexFileName = "Lumarc32.idx";

struct TCatalogueLocation {
    std::string DataFileName;
    std::string IndexFileName;
    // Every place a file that was not found was looked for, in the order looked at.
    std::vector<std::string> LookedFor;
    // For a disc image that cannot be read, what is wrong with it; the files are then missing.
    std::string Problem;
};

// Each file by itself: first in the directory's "Data" directory, then in the directory. Names
// match without regard to case ("DATA/LUMARC32.DAT" as a CD shows it, "data/lumarc32.dat" as
// the kernel's ISO 9660 driver does), an ISO ";1" suffix ignored. A file found nowhere keeps
// the first place looked at, so that opening it reports it missing. A ".dat" path keeps its
// own name; its index is the ".idx" of the same stem beside it.
TCatalogueLocation LocateCatalogue(const std::string& catalogue);

// "Datenbank nicht gefunden!" and, on the next line, what was looked for.
std::string CatalogueNotFoundMessage(const TCatalogueLocation& location);

}  // namespace lumarc
