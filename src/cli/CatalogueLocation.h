#pragma once

#include <string>

namespace lumarc {

struct TCatalogueLocation {
    std::string DataFileName;
    std::string IndexFileName;
};

// A directory: each file looked for in DIR/Data/ first, then in DIR/. A file path: the data
// file itself and the index beside it with the same stem and ".idx". Files that exist nowhere
// keep the first place looked at, so that opening them reports them missing.
TCatalogueLocation LocateCatalogue(const std::string& catalogue);

}  // namespace lumarc
