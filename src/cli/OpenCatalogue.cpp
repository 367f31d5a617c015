#include "OpenCatalogue.h"

#include <charconv>
#include <iostream>

#include "catalogue/CatalogueLocation.h"
#include "catalogue/StoredOutline.h"
#include "ReadyHelper.h"

namespace lumarc {

namespace {

constexpr size_t kReadInBeside = 16 << 20;

// Opens the files and checks the version, saying what fails. Given `data`, the data file is
// mapped there and its version read through the mapping: read through the file first, its start
// was read ahead in small pages, and the mapping's pages after them too, which made a search of
// a catalogue read from the disc take half again as long. Given `index` as well, the index file
// is mapped there and the container left closed: a large index copied into fresh memory took
// as long as the search of all its records.
bool OpenContainer(const std::string& catalogue, TBrowzerContainer& container, std::ostream& errors,
                   std::shared_ptr<const TMappedFile>* data = nullptr,
                   std::shared_ptr<const TMappedFile>* index = nullptr)
{
    const TCatalogueLocation location = LocateCatalogue(catalogue);
    container.DataFileName = location.DataFileName;
    container.IndexFileName = location.IndexFileName;
    try {
        const bool mapped = data && (*data = TMappedFile::Map(location.DataFileName)) && (*data)->ReadIn(0, 4);
        if (!(mapped && index && (*index = TMappedFile::Open(location.IndexFileName))))
            container.SetActive(true);
        if (mapped)
            TBrowzerContainer::CheckVersion((*data)->Bytes());
        else
            container.CheckVersion();
    } catch (const EVersionError& e) {
        errors << e.what() << '\n';
        return false;
    } catch (const EStreamError&) {
        errors << CatalogueNotFoundMessage(location) << '\n';
        return false;
    }
    return true;
}

}  // namespace

std::unique_ptr<TOpenCatalogue> OpenCatalogue(const std::string& catalogue, std::ostream& errors)
{
    auto opened = std::make_unique<TOpenCatalogue>();
    if (!OpenContainer(catalogue, opened->Container, errors))
        return nullptr;
    try {
        opened->Container.LoadOutline(opened->TreeData);
    } catch (const std::exception& e) {
        errors << e.what() << '\n';
        return nullptr;
    }
    return opened;
}

std::unique_ptr<TSearchedCatalogue> OpenCatalogueForSearch(const std::string& catalogue, std::ostream& errors,
                                                           TReadyHelper* helper)
{
    auto opened = std::make_unique<TSearchedCatalogue>();
    std::shared_ptr<const TMappedFile> data;
    std::shared_ptr<const TMappedFile> index;
    if (!OpenContainer(catalogue, opened->Container, errors, &data, &index))
        return nullptr;
    try {
        const int32_t outline =
            index ? TBrowzerContainer::OutlineOffset(index->Bytes()) : opened->Container.OutlineOffset();
        index.reset();
        const size_t size = data ? data->Bytes().size() : 0;
        // The outline lies behind the records it names, as a rule: it is read in and read while
        // the helper reads in what lies before it, which the search reads next. Below a few
        // megabytes that takes less than handing it over.
        bool read = false;
        if (outline >= 0 && static_cast<size_t>(outline) < size) {
            const auto at = static_cast<size_t>(outline);
            const bool beside = helper && at >= kReadInBeside;
            bool before = !beside && data->ReadIn(0, at);
            {
                const TAwaitHelpers await(beside ? helper : nullptr);
                if (beside)
                    helper->Post([&] { before = data->ReadIn(0, at); });
                if (data->ReadIn(at, size - at))
                    if (auto stored = TStoredOutline::Read(data, at)) {
                        opened->Entries = SearchEntriesOf(std::move(stored));
                        read = true;
                    }
            }
            if (read && before)
                opened->Data = std::move(data);
        }
        // An outline that cannot be read there is loaded, which says why it cannot be read.
        if (!read) {
            opened->Container.SetActive(true);
            TTreeViewData tree;
            opened->Container.LoadOutline(tree);
            opened->Entries = SearchEntriesOf(std::make_shared<const TCaptionList>(std::move(tree.Texts)));
        }
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
