#pragma once
// The website of a library: each catalogue's site in a folder of its own, a start page that
// lists them and a search over all of them at once. The search's index is cut into small
// files (bibliothek-index/): the words of all records, their postings in shards by the word's
// hash, and the records' searched lines in chunks. A search loads the words, the shards of the
// words that hold its terms and the chunks of the records they name; a term without a word
// (or one found in a quarter of the shards) reads every chunk.
//   index.html, search.html, style.css, search.js, library.js
//   bibliothek-index/library.js, words.js, pN.js, rN.js
//   LABEL/...   each catalogue's site as ExportHtml writes it

#include <set>
#include <string>
#include <vector>

namespace lumarc {

struct TLibrarySite {
    std::string Dir;    // the folder below the library's, its name in the pages too
    std::string Title;  // UTF-8
    int Entries = 0;
};

// The folder for a catalogue named `label` (its disc label, else its title): the label with
// every character but letters, digits, '.', '-' and '_' made '_'; one already in `taken` gets
// "-2", "-3", ...; the name is added to `taken`.
std::string LibrarySiteDir(const std::string& label, std::set<std::string>& taken);

// Whether a library site may be written into `outDir` without being asked: missing, empty, or
// holding one written before.
bool LibraryDirectoryIsFree(const std::string& outDir);

// Writes the start page, the search page and the index for the sites, each already written
// by ExportHtml into outDir/Dir, in the library's order. Raises EInOutError for a file that
// cannot be written or a site's index that cannot be read.
void WriteLibrarySite(const std::string& outDir, const std::vector<TLibrarySite>& sites);

}  // namespace lumarc
