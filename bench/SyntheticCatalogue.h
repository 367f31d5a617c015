#pragma once
// Synthetic catalogues for benchmarks and load tests: N outline entries, a third of each record
// kind (info text, short text, component description) in turn, with record sizes like those of
// a real disc. The same N always gives the same bytes.

#include <string>

#include "catalogue/CatalogueBuilder.h"

namespace lumarc {

struct TSyntheticCatalogue {
    // Every 50th entry is a top-level node, the entries between are its children. Each short
    // text's first line is "D:\COMPS\Cnnnnnnn.ZIP" with the entry number.
    static TCatalogueBuilder::TImages Make(int entryCount);
    // Writes OUTDIR/Data/Lumarc32.dat and .idx.
    static void Write(int entryCount, const std::string& outDir);
};

}  // namespace lumarc
