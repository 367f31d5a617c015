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
// opened or its outline read; a catalogue of the wrong format ends the program with exit 1.
std::unique_ptr<TOpenCatalogue> OpenCatalogue(const std::string& catalogue);

}  // namespace lumarc
