// lumarc-cli library add|list|remove: the catalogues the user keeps, shared with the viewer.

#include <iostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "install/core/InstallStore.h"
#include "install/core/Library.h"
#include "platform/Disc.h"

namespace lumarc {

int RunLibraryAdd(const std::vector<std::string>& paths)
{
    TInstallStore store;
    TLibrary library(store);
    bool anyFound = false;
    for (const std::string& path : paths) {
        // A path mistyped is said; passed over like a file that is no catalogue, it left only
        // "no catalogue found" to guess from.
        if (DiscPathKind(path) == TDiscPathKind::None) {
            std::cerr << path << ": nicht gefunden\n";
            continue;
        }
        // A folder is searched; a file is taken as it is, and passed over when it is none.
        for (const std::string& candidate : CataloguesAt(path)) {
            const std::optional<TLibrary::TAdded> added = library.Add(candidate);
            if (!added)
                continue;
            anyFound = true;
            if (added->NewPlace)
                std::cout << added->Id << '\t' << added->Place << '\n';
        }
    }
    if (!anyFound) {
        std::cerr << "Kein Katalog gefunden.\n";
        return 1;
    }
    return 0;
}

int RunLibraryList(bool json)
{
    TInstallStore store;
    const std::vector<TLibraryCatalogue> catalogues = TLibrary(store).Catalogues();
    if (!json) {
        for (const TLibraryCatalogue& catalogue : catalogues) {
            std::cout << catalogue.Id << '\t' << catalogue.Label.value_or("") << '\t' << catalogue.Title << '\t'
                      << catalogue.Entries;
            for (const TLibraryPlace& place : catalogue.Places)
                std::cout << '\t' << place.Path << (place.Present ? "" : " (fehlt)");
            std::cout << '\n';
        }
        return 0;
    }
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const TLibraryCatalogue& catalogue : catalogues) {
        nlohmann::ordered_json item;
        item["id"] = catalogue.Id;
        item["label"] = catalogue.Label ? nlohmann::ordered_json(*catalogue.Label) : nlohmann::ordered_json(nullptr);
        item["title"] = catalogue.Title;
        item["entries"] = catalogue.Entries;
        nlohmann::ordered_json places = nlohmann::ordered_json::array();
        for (const TLibraryPlace& place : catalogue.Places)
            places.push_back({{"path", place.Path}, {"present", place.Present}});
        item["places"] = std::move(places);
        list.push_back(std::move(item));
    }
    std::cout << list.dump(2) << '\n';
    return 0;
}

int RunLibraryRemove(const std::string& idText)
{
    int id = 0;
    if (!ParseEntryNumber(idText, id)) {
        std::cerr << "Ungültige Katalognummer: " << idText << '\n';
        return 2;
    }
    TInstallStore store;
    if (!TLibrary(store).Remove(id)) {
        std::cerr << "Einen Katalog " << id << " gibt es in der Bibliothek nicht.\n";
        return 1;
    }
    return 0;
}

}  // namespace lumarc
