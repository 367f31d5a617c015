#include <algorithm>
#include <iostream>
#include <optional>
#include <thread>
#include <vector>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "platform/CodePage.h"
#include "search/core/CatalogueSearch.h"

namespace lumarc {

namespace {

// Below this many entries a second thread costs more than it saves.
constexpr int kEntriesPerThread = 4000;
constexpr unsigned kMaxThreads = 4;

// The output of one run of consecutive entries, up to the first record that failed.
struct TSlice {
    int First = 0;
    int End = 0;
    std::string Out;
    std::optional<std::string> Error;
};

void SearchSlice(TCatalogueSearch& search, TSlice& slice)
{
    std::string hitText;
    try {
        for (int entry = slice.First; entry < slice.End; ++entry) {
            if (!search.SearchEntry(entry, hitText))
                continue;
            slice.Out += std::to_string(entry);
            slice.Out += '\t';
            slice.Out += Cp1252ToUtf8(hitText);
            slice.Out += '\n';
        }
    } catch (const std::exception& e) {
        slice.Error = e.what();
    }
}

}  // namespace

int RunSearch(const std::string& catalogue, const std::string& utf8Query, bool caseSensitive)
{
    std::string query;
    if (!Utf8ToCp1252(utf8Query, query)) {
        std::cerr << "Suchbegriff nicht in Windows-1252 darstellbar: " << utf8Query << '\n';
        return 2;
    }
    const std::unique_ptr<TOpenCatalogue> opened = OpenCatalogue(catalogue);
    if (!opened)
        return 1;
    // An empty query searches nothing, as in the viewer.
    if (query.empty())
        return 0;

    // The entries are cut into consecutive slices searched side by side, each with its own
    // file handle; printed in order, they read as one search from the first entry on.
    const int count = opened->TreeData.Count();
    const unsigned cores = std::max(1u, std::min(kMaxThreads, std::thread::hardware_concurrency()));
    const int parts = std::max(1, std::min(static_cast<int>(cores), count / kEntriesPerThread));
    std::vector<TSlice> slices(static_cast<size_t>(parts));
    for (int i = 0; i < parts; ++i) {
        slices[static_cast<size_t>(i)].First = static_cast<int>(static_cast<int64_t>(count) * i / parts);
        slices[static_cast<size_t>(i)].End = static_cast<int>(static_cast<int64_t>(count) * (i + 1) / parts);
    }
    // Each slice makes its own search (a copy of the outline's captions) in its own thread.
    auto run = [&](TSlice& slice) {
        TCatalogueSearch search(opened->TreeData, opened->Container.DataFileName, query, caseSensitive);
        SearchSlice(search, slice);
    };
    {
        std::vector<std::jthread> helpers;
        for (size_t i = 1; i < slices.size(); ++i)
            helpers.emplace_back([&, i] { run(slices[i]); });
        run(slices[0]);
    }
    for (const TSlice& slice : slices) {
        std::cout << slice.Out;
        // The hits before a damaged record stay printed, as they stay listed in the viewer.
        if (slice.Error) {
            std::cout << std::flush;
            std::cerr << *slice.Error << '\n';
            return 1;
        }
    }
    return 0;
}

}  // namespace lumarc
