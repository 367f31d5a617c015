#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <iostream>
#include <mutex>
#include <optional>
#include <sstream>
#include <string_view>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "ReadyHelper.h"
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

// The hits of one run of consecutive entries, up to the first record that failed. Their texts
// lie one after the other in one string: a string and a record of its own for each of tens of
// thousands of hits took fresh memory page by page, which cost more than the search itself
// where the system is slow to hand out pages.
struct TSlice {
    int First = 0;
    int End = 0;
    std::vector<int> Entries;
    // Each hit's text (UTF-8), then its line as the results list shows it (empty unless asked
    // for), and where each of them ends.
    std::string Texts;
    std::vector<uint32_t> Ends;
    std::optional<std::string> Error;

    size_t Count() const { return Entries.size(); }
    std::string_view Text(size_t hit) const { return Piece(2 * hit); }
    std::string_view Line(size_t hit) const { return Piece(2 * hit + 1); }

private:
    std::string_view Piece(size_t piece) const
    {
        const size_t from = piece == 0 ? 0 : Ends[piece - 1];
        return std::string_view(Texts).substr(from, Ends[piece] - from);
    }
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
            slice.Entries.push_back(entry);
            slice.Texts += Cp1252ToUtf8(hitText);
            slice.Ends.push_back(static_cast<uint32_t>(slice.Texts.size()));
            if (withLines)
                slice.Texts += ShownLine(line);
            slice.Ends.push_back(static_cast<uint32_t>(slice.Texts.size()));
        }
    } catch (const std::exception& e) {
        slice.Error = e.what();
    }
}

// Prints each hit of `slice` as a line: `prefix`, the entry, a tab and the text. In one write: put
// out piece by piece, tens of thousands of hits took longer than finding them.
void PrintHits(const TSlice& slice, const std::string& prefix)
{
    std::string lines;
    lines.reserve(slice.Texts.size() + slice.Count() * (prefix.size() + 12));
    for (size_t hit = 0; hit < slice.Count(); ++hit) {
        lines += prefix;
        char number[16];
        lines.append(number, std::to_chars(number, number + sizeof number, slice.Entries[hit]).ptr);
        lines += '\t';
        lines += slice.Text(hit);
        lines += '\n';
    }
    std::cout.write(lines.data(), static_cast<std::streamsize>(lines.size()));
}

// The search of one catalogue, its entries cut into consecutive slices which threads take in
// turn, each with a search and a file handle of its own; read in order, they are one search from
// the first entry on. Small slices keep every thread busy to the end: halves left one waiting for
// the other when the other was held up. Any thread may join in until every slice is taken; the
// catalogue is let go when its last slice is done.
class TSlicedSearch {
public:
    TSlicedSearch(std::shared_ptr<const TSearchedCatalogue> opened, const std::string& query, bool caseSensitive,
                  bool withLines)
        : FOpened(std::move(opened)),
          FScan(TStoredTextScan::Make(FOpened->Data, query, caseSensitive)),
          FQuery(query),
          FCaseSensitive(caseSensitive),
          FWithLines(withLines)
    {
        const int count = FOpened->Entries->Count();
        const int parts = std::max(1, count / kEntriesPerSlice);
        FSlices.resize(static_cast<size_t>(parts));
        for (int i = 0; i < parts; ++i) {
            FSlices[static_cast<size_t>(i)].First = static_cast<int>(static_cast<int64_t>(count) * i / parts);
            FSlices[static_cast<size_t>(i)].End = static_cast<int>(static_cast<int64_t>(count) * (i + 1) / parts);
        }
        FFailed = FSlices.size();
    }

    int Count() const { return static_cast<int>(FSlices.back().End); }
    // Whether a slice is left to take.
    bool Open() const { return FNext < FSlices.size() && FNext < FFailed; }

    // Takes slices until none is left. Slices after one that failed are not printed, so not
    // searched.
    void Work()
    {
        std::shared_ptr<const TSearchedCatalogue> opened;
        std::shared_ptr<const TStoredTextScan> scan;
        {
            const std::lock_guard lock(FMutex);
            opened = FOpened;
            scan = FScan;
        }
        if (!opened)
            return;
        TCatalogueSearch search(opened->Entries, opened->Container.DataFileName, FQuery, FCaseSensitive);
        search.UseScan(std::move(scan));
        for (size_t i = FNext++; i < FSlices.size() && i < FFailed; i = FNext++) {
            SearchSlice(search, FSlices[i], FWithLines);
            size_t was = FFailed;
            while (FSlices[i].Error && i < was && !FFailed.compare_exchange_weak(was, i)) {
            }
            // Its mapping goes with the last thread that searched it, while the others go on,
            // not with all the others after the last catalogue.
            if (++FDone == FSlices.size()) {
                const std::lock_guard lock(FMutex);
                FOpened.reset();
                FScan.reset();
            }
        }
    }

    // Once no thread works on it any more.
    const std::vector<TSlice>& Slices() const { return FSlices; }

private:
    std::mutex FMutex;
    std::shared_ptr<const TSearchedCatalogue> FOpened;
    std::shared_ptr<const TStoredTextScan> FScan;
    std::string FQuery;
    bool FCaseSensitive;
    bool FWithLines;
    std::vector<TSlice> FSlices;
    std::atomic<size_t> FNext{0};
    std::atomic<size_t> FFailed{0};
    std::atomic<size_t> FDone{0};
};

unsigned Cores()
{
    return std::max(1u, std::min(kMaxThreads, std::thread::hardware_concurrency()));
}

// A helper for every core but this thread's, started before the catalogues are opened so that it
// runs by the time they are.
std::vector<std::unique_ptr<TReadyHelper>> StartHelpers()
{
    std::vector<std::unique_ptr<TReadyHelper>> helpers(Cores() - 1);
    for (auto& helper : helpers)
        helper = std::make_unique<TReadyHelper>();
    return helpers;
}

// The device and file number of a file, which every path to it shares; a path within a disc
// image, which has none, stands for itself.
std::string FileIdentity(const std::string& fileName)
{
    struct stat status {};
    if (::stat(fileName.c_str(), &status) != 0)
        return fileName;
    return std::to_string(status.st_dev) + ':' + std::to_string(status.st_ino);
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
    std::vector<std::unique_ptr<TReadyHelper>> helpers = StartHelpers();
    std::shared_ptr<const TSearchedCatalogue> opened =
        OpenCatalogueForSearch(catalogue, std::cerr, helpers.empty() ? nullptr : helpers.front().get());
    if (!opened)
        return 1;
    // An empty query searches nothing, as in the viewer.
    if (query.empty())
        return 0;
    TSlicedSearch search(std::move(opened), query, caseSensitive, false);
    const auto threads = static_cast<size_t>(
        std::max(1, std::min(static_cast<int>(Cores()), search.Count() / kEntriesPerThread)));
    {
        const TAwaitHelpers await(helpers);
        for (size_t i = 1; i < threads; ++i)
            helpers[i - 1]->Post([&search] { search.Work(); });
        search.Work();
    }
    for (auto& helper : helpers)
        helper->Rethrow();
    for (const TSlice& slice : search.Slices()) {
        PrintHits(slice, "");
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
    std::vector<std::unique_ptr<TReadyHelper>> helpers = StartHelpers();
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
        if (catalogues.empty()) {
            std::cerr << "Die Bibliothek ist leer; es wurde nichts durchsucht.\n";
            return 1;
        }
    }
    // Catalogues are opened and searched side by side, each said in turn in the order given. A
    // thread helps with the slices of a catalogue opened already before it opens the next one,
    // so that none waits for the other at the end.
    struct TResult {
        std::ostringstream Errors;
        bool Opened = false;
        std::string DataFile;  // the data file it was found at, as the system knows it
        std::unique_ptr<TSlicedSearch> Search;
        std::atomic<TSlicedSearch*> Shared{nullptr};
    };
    std::vector<TResult> results(catalogues.size());
    std::atomic<size_t> nextOpened{0};
    const auto work = [&] {
        for (;;) {
            bool helped = false;
            for (size_t i = 0; i < nextOpened && i < results.size() && !helped; ++i) {
                TSlicedSearch* search = results[i].Shared;
                if (search && search->Open()) {
                    search->Work();
                    helped = true;
                }
            }
            if (helped)
                continue;
            const size_t i = nextOpened++;
            if (i >= results.size())
                return;
            std::shared_ptr<const TSearchedCatalogue> opened = OpenCatalogueForSearch(catalogues[i], results[i].Errors);
            results[i].Opened = opened != nullptr;
            if (opened)
                results[i].DataFile = FileIdentity(opened->Container.DataFileName);
            if (opened && !query.empty()) {
                results[i].Search = std::make_unique<TSlicedSearch>(std::move(opened), query, caseSensitive, json);
                results[i].Shared = results[i].Search.get();
                results[i].Search->Work();
            }
        }
    };
    {
        const TAwaitHelpers await(helpers);
        for (size_t i = 1; i < std::min<size_t>(Cores(), catalogues.size()); ++i)
            helpers[i - 1]->Post(work);
        work();
    }
    for (auto& helper : helpers)
        helper->Rethrow();
    int status = 0;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (size_t i = 0; i < catalogues.size(); ++i) {
        const std::string& catalogue = catalogues[i];
        // A catalogue given again in another spelling (its folder, its "Data" folder, its data
        // file) is said once, under the name it was first given.
        if (results[i].Opened && std::any_of(results.begin(), results.begin() + static_cast<ptrdiff_t>(i),
                                             [&](const TResult& earlier) {
                                                 return earlier.Opened && earlier.DataFile == results[i].DataFile;
                                             }))
            continue;
        // One that cannot be read is said, named as its damaged records are, and the others are
        // searched.
        std::cout << std::flush;
        if (const std::string errors = results[i].Errors.str(); !errors.empty())
            std::cerr << catalogue << ": " << errors;
        if (!results[i].Opened) {
            status = 1;
            continue;
        }
        if (!results[i].Search)
            continue;
        for (const TSlice& slice : results[i].Search->Slices()) {
            if (!json)
                PrintHits(slice, catalogue + '\t');
            for (size_t hit = 0; json && hit < slice.Count(); ++hit)
                list.push_back({{"catalogue", catalogue},
                                {"entry", slice.Entries[hit]},
                                {"hitText", slice.Text(hit)},
                                {"line", slice.Line(hit)}});
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
