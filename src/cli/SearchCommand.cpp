#include <algorithm>
#include <atomic>
#include <iostream>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "install/core/InstallStore.h"
#include "install/core/Library.h"
#include "platform/CodePage.h"
#include "print/core/FontTag.h"
#include "search/core/CatalogueSearch.h"

namespace lumarc {

namespace {

// Below this many entries a second thread costs more than it saves.
constexpr int kEntriesPerThread = 4000;
constexpr int kEntriesPerSlice = 1000;
constexpr unsigned kMaxThreads = 4;

struct THit {
    int Entry = 0;
    std::string Text;  // UTF-8
    std::string Line;  // UTF-8, as the results list shows it; only when asked for
};

// The hits of one run of consecutive entries, up to the first record that failed.
struct TSlice {
    int First = 0;
    int End = 0;
    std::vector<THit> Hits;
    std::optional<std::string> Error;
};

// The matched line as the results list shows it: decoded, without its font tag, trimmed of the
// blanks a list trims.
std::string ShownLine(const TSearchMatcher::TMatchedLine& line)
{
    std::string text = line.Oem ? Cp850ToUtf8(line.Bytes) : Cp1252ToUtf8(StripFontTag(line.Bytes));
    const auto blankAt = [&text](size_t at) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c == ' ' || (c >= '\t' && c <= '\r'))
            return size_t{1};
        return c == 0xC2 && at + 1 < text.size() && static_cast<unsigned char>(text[at + 1]) == 0xA0 ? size_t{2}
                                                                                                     : size_t{0};
    };
    size_t first = 0;
    while (first < text.size() && blankAt(first) > 0)
        first += blankAt(first);
    size_t end = text.size();
    for (;;) {
        if (end > first && blankAt(end - 1) == 1 && static_cast<unsigned char>(text[end - 1]) < 0x80)
            --end;
        else if (end >= first + 2 && blankAt(end - 2) == 2)
            end -= 2;
        else
            break;
    }
    return text.substr(first, end - first);
}

void SearchSlice(TCatalogueSearch& search, TSlice& slice, bool withLines)
{
    std::string hitText;
    TSearchMatcher::TMatchedLine line;
    try {
        for (int entry = slice.First; entry < slice.End; ++entry) {
            if (!search.SearchEntry(entry, hitText, withLines ? &line : nullptr))
                continue;
            slice.Hits.push_back({entry, Cp1252ToUtf8(hitText), withLines ? ShownLine(line) : std::string()});
        }
    } catch (const std::exception& e) {
        slice.Error = e.what();
    }
}

// The entries are cut into consecutive slices, which the threads take in turn, each with a search
// and a file handle of its own; read in order, they are one search from the first entry on. Small
// slices keep every thread busy to the end: halves left one waiting for the other when the other
// was held up.
std::vector<TSlice> SearchCatalogue(const TSearchedCatalogue& opened, const std::string& query, bool caseSensitive,
                                    bool withLines)
{
    const int count = opened.Entries.Count();
    const int parts = std::max(1, count / kEntriesPerSlice);
    std::vector<TSlice> slices(static_cast<size_t>(parts));
    for (int i = 0; i < parts; ++i) {
        slices[static_cast<size_t>(i)].First = static_cast<int>(static_cast<int64_t>(count) * i / parts);
        slices[static_cast<size_t>(i)].End = static_cast<int>(static_cast<int64_t>(count) * (i + 1) / parts);
    }
    const unsigned cores = std::max(1u, std::min(kMaxThreads, std::thread::hardware_concurrency()));
    const auto threads =
        static_cast<size_t>(std::max(1, std::min(static_cast<int>(cores), count / kEntriesPerThread)));
    // All read the one outline, which lasts longer than they do, and share one mapping of the
    // stored bytes. Slices after one that failed are not printed, so not searched.
    const std::shared_ptr<const TCaptionList> entries(std::shared_ptr<void>(), &opened.Entries);
    const auto scan = TStoredTextScan::Make(opened.Data, query, caseSensitive);
    std::atomic<size_t> next{0};
    std::atomic<size_t> failed{slices.size()};
    const auto run = [&] {
        TCatalogueSearch search(entries, opened.Container.DataFileName, query, caseSensitive);
        search.UseScan(scan);
        for (size_t i = next++; i < slices.size() && i < failed; i = next++) {
            SearchSlice(search, slices[i], withLines);
            size_t was = failed;
            while (slices[i].Error && i < was && !failed.compare_exchange_weak(was, i)) {
            }
        }
    };
    std::vector<std::jthread> helpers;
    for (size_t i = 1; i < threads; ++i)
        helpers.emplace_back(run);
    run();
    return slices;
}

bool QueryBytes(const std::string& utf8Query, std::string& query)
{
    if (Utf8ToCp1252(utf8Query, query))
        return true;
    std::cerr << "Suchbegriff nicht in Windows-1252 darstellbar: " << utf8Query << '\n';
    return false;
}

}  // namespace

int RunSearch(const std::string& catalogue, const std::string& utf8Query, bool caseSensitive)
{
    std::string query;
    if (!QueryBytes(utf8Query, query))
        return 2;
    const std::unique_ptr<TSearchedCatalogue> opened = OpenCatalogueForSearch(catalogue);
    if (!opened)
        return 1;
    // An empty query searches nothing, as in the viewer.
    if (query.empty())
        return 0;
    for (const TSlice& slice : SearchCatalogue(*opened, query, caseSensitive, false)) {
        for (const THit& hit : slice.Hits)
            std::cout << hit.Entry << '\t' << hit.Text << '\n';
        // The hits before a damaged record stay printed, as they stay listed in the viewer.
        if (slice.Error) {
            std::cout << std::flush;
            std::cerr << *slice.Error << '\n';
            return 1;
        }
    }
    return 0;
}

int RunSearchAll(const std::string& utf8Query, const std::vector<std::string>& given, bool caseSensitive, bool json)
{
    std::string query;
    if (!QueryBytes(utf8Query, query))
        return 2;
    // Without catalogues: the library's, each at its first place that is there.
    std::vector<std::string> catalogues;
    if (!given.empty()) {
        for (const std::string& catalogue : given)
            if (std::find(catalogues.begin(), catalogues.end(), catalogue) == catalogues.end())
                catalogues.push_back(catalogue);
    } else {
        TInstallStore store;
        for (const TLibraryCatalogue& catalogue : TLibrary(store).Catalogues())
            if (!catalogue.Places.empty())
                catalogues.push_back(FirstPlace(catalogue));
    }
    // Catalogues are opened and searched side by side, each said in turn in the order given.
    struct TResult {
        std::ostringstream Errors;
        bool Opened = false;
        std::vector<TSlice> Slices;
    };
    std::vector<TResult> results(catalogues.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < catalogues.size(); i = next++) {
            const std::unique_ptr<TSearchedCatalogue> opened = OpenCatalogueForSearch(catalogues[i], results[i].Errors);
            results[i].Opened = opened != nullptr;
            if (opened && !query.empty())
                results[i].Slices = SearchCatalogue(*opened, query, caseSensitive, json);
        }
    };
    {
        const unsigned cores = std::max(1u, std::min(kMaxThreads, std::thread::hardware_concurrency()));
        std::vector<std::jthread> helpers;
        for (unsigned i = 1; i < std::min<size_t>(cores, catalogues.size()); ++i)
            helpers.emplace_back(work);
        work();
    }
    int status = 0;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (size_t i = 0; i < catalogues.size(); ++i) {
        const std::string& catalogue = catalogues[i];
        // One that cannot be read is said, and the others are searched.
        std::cout << std::flush;
        std::cerr << results[i].Errors.str();
        if (!results[i].Opened) {
            status = 1;
            continue;
        }
        for (const TSlice& slice : results[i].Slices) {
            for (const THit& hit : slice.Hits) {
                if (json)
                    list.push_back({{"catalogue", catalogue}, {"entry", hit.Entry}, {"hitText", hit.Text}, {"line", hit.Line}});
                else
                    std::cout << catalogue << '\t' << hit.Entry << '\t' << hit.Text << '\n';
            }
            if (slice.Error) {
                std::cout << std::flush;
                std::cerr << catalogue << ": " << *slice.Error << '\n';
                status = 1;
                break;
            }
        }
    }
    if (json)
        std::cout << list.dump(2) << '\n';
    return status;
}

}  // namespace lumarc
