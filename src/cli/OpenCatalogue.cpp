#include "OpenCatalogue.h"

#include <charconv>
#include <iostream>

#include "catalogue/CatalogueLocation.h"

namespace lumarc {

std::unique_ptr<TOpenCatalogue> OpenCatalogue(const std::string& catalogue, std::ostream& errors)
{
    auto opened = std::make_unique<TOpenCatalogue>();
    const TCatalogueLocation location = LocateCatalogue(catalogue);
    opened->Container.DataFileName = location.DataFileName;
    opened->Container.IndexFileName = location.IndexFileName;
    try {
        opened->Container.SetActive(true);
        opened->Container.CheckVersion();
    } catch (const EVersionError& e) {
        errors << e.what() << '\n';
        return nullptr;
    } catch (const EStreamError&) {
        errors << CatalogueNotFoundMessage(location) << '\n';
        return nullptr;
    }
    try {
        opened->Container.LoadOutline(opened->TreeData);
    } catch (const std::exception& e) {
        errors << e.what() << '\n';
        return nullptr;
    }
    return opened;
}

bool ParseEntryNumber(const std::string& text, int& entry)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), entry);
    return error == std::errc() && end == text.data() + text.size();
}

TOpenEntry OpenCatalogueAtEntry(const std::string& catalogue, const std::string& entryText)
{
    TOpenEntry result;
    if (!ParseEntryNumber(entryText, result.Entry)) {
        std::cerr << "Ungültige Eintragsnummer: " << entryText << '\n';
        result.Status = 2;
        return result;
    }
    result.Opened = OpenCatalogue(catalogue);
    if (!result.Opened) {
        result.Status = 1;
        return result;
    }
    if (result.Entry >= result.Opened->TreeData.Count()) {
        std::cerr << "Ungültige Eintragsnummer: " << entryText << " (der Katalog hat die Einträge 0 bis "
                  << result.Opened->TreeData.Count() - 1 << ")\n";
        result.Status = 2;
    }
    return result;
}

}  // namespace lumarc
