#pragma once

#include <iostream>
#include <memory>
#include <string>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/MappedFile.h"
#include "catalogue/TreeViewData.h"
#include "search/core/CatalogueSearch.h"

namespace lumarc {

class TReadyHelper;

// A catalogue opened as the viewer opens it: version check, then the outline loaded.
struct TOpenCatalogue {
    TBrowzerContainer Container;
    TTreeViewData TreeData;
};

// Prints the program's own message to `errors` and returns null when the catalogue cannot be
// opened, is of another format version, or its outline cannot be read.
std::unique_ptr<TOpenCatalogue> OpenCatalogue(const std::string& catalogue, std::ostream& errors = std::cerr);

// A catalogue opened for a search over every entry: the same checks, then only the outline's
// record references, read where the data file is mapped whole when it can be (the captions too,
// for the hits alone); the search reads its records there too.
struct TSearchedCatalogue {
    TBrowzerContainer Container;
    std::shared_ptr<const TSearchEntries> Entries;
    std::shared_ptr<const TMappedFile> Data;  // null where the data file cannot be mapped
};
// `helper`, when given, reads in the data file's first part meanwhile.
std::unique_ptr<TSearchedCatalogue> OpenCatalogueForSearch(const std::string& catalogue, std::ostream& errors,
                                                           TReadyHelper* helper = nullptr);

// An entry number as given on the command line: plain decimal digits that fit an int; signs,
// blanks and anything else are refused.
bool ParseEntryNumber(const std::string& text, int& entry);

// A catalogue and one of its entries as given on the command line. Status 0 when both are
// good; 2, said on stderr, for an entry that is no number or past the outline's end (a wrong
// call, as a negative one is); 1 for a catalogue that cannot be opened.
struct TOpenEntry {
    std::unique_ptr<TOpenCatalogue> Opened;
    int Entry = 0;
    int Status = 0;
};
TOpenEntry OpenCatalogueAtEntry(const std::string& catalogue, const std::string& entryText);

}  // namespace lumarc
