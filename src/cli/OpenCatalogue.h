#pragma once

#include <memory>
#include <string>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/TreeViewData.h"

namespace lumarc {

// A catalogue opened as the viewer opens it: version check, then the outline loaded.
struct TOpenCatalogue {
    TBrowzerContainer Container;
    TTreeViewData TreeData;
};

// Prints the program's own message to stderr and returns null when the catalogue cannot be
// opened, is of another format version, or its outline cannot be read.
std::unique_ptr<TOpenCatalogue> OpenCatalogue(const std::string& catalogue);

// An entry number as given on the command line: plain decimal digits that fit an int; signs,
// blanks and anything else are refused.
bool ParseEntryNumber(const std::string& text, int& entry);

}  // namespace lumarc
