#pragma once
// The library: every catalogue the user opened or added, kept in the database of the install
// record, which the viewer and lumarc-cli share. The same disc as a folder and as an image is one
// catalogue (the identity of the install record) with two places.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lumarc {

class TInstallStore;

struct TLibraryPlace {
    std::string Path;
    bool Present = false;
};

struct TLibraryCatalogue {
    int64_t Id = 0;
    std::string Identity;
    std::optional<std::string> Label;  // the volume label of the image or mounted disc
    std::string Title;                 // the first top-level entry's text, UTF-8
    int Entries = 0;
    std::string LastOpened;            // local time, ISO 8601; empty when never opened
    std::vector<TLibraryPlace> Places;  // in the order found
};

// Where a catalogue of the library is read: its first place that is there, else its first.
std::string FirstPlace(const TLibraryCatalogue& catalogue);

// What a place is called in the library: the image file for a catalogue in an image, the ".dat"
// when one was given, else the directory that holds the catalogue (its disc root). Empty when no
// catalogue can be read there.
std::string LibraryPlaceOf(const std::string& catalogue);

// Every catalogue below `folder`, to any depth, following no link: directories that hold one (in
// themselves or in their "Data"), and disc images by content (a BIN/CUE pair, or another image
// with a descriptor, once, by its descriptor). `cancelled` is asked between files.
std::vector<std::string> FindCatalogues(const std::string& folder, const std::function<bool()>& cancelled = {});
// What adding `path` takes: the catalogues below a folder, else the file or catalogue as given.
std::vector<std::string> CataloguesAt(const std::string& path, const std::function<bool()>& cancelled = {});

class TLibrary {
public:
    explicit TLibrary(TInstallStore& store);

    struct TAdded {
        int64_t Id = 0;
        std::string Place;
        bool NewPlace = false;  // false: the place was known already
    };
    // Reads the catalogue at `catalogue` and records it (or a new place of a known one). Nothing
    // when no catalogue can be read there.
    std::optional<TAdded> Add(const std::string& catalogue);
    // In the order added.
    std::vector<TLibraryCatalogue> Catalogues() const;
    // Forgets the catalogue, never its files; false for an unknown id.
    bool Remove(int64_t id);
    // Notes that the catalogue at `place` was opened now.
    void Opened(const std::string& place);

private:
    TInstallStore& FStore;
};

}  // namespace lumarc
