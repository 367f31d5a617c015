// The query engine on its own and over a whole synthetic catalogue.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "SyntheticCatalogue.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/TreeViewData.h"
#include "search/core/CatalogueSearch.h"
#include "search/core/QueryParser.h"
#include "search/core/SearchMatcher.h"

namespace {

using namespace lumarc;

TStringList SampleLines()
{
    TStringList lines;
    for (int i = 0; i < 30; ++i)
        lines.Add("Komponente f\xFCr Delphi mit Datenbank und Bericht, Zeile " + std::to_string(i));
    return lines;
}

void BM_ParseQuery(benchmark::State& state)
{
    TStringList terms;
    for (auto _ : state) {
        ParseQuery("Datenbank + Delphi - Bericht + Tabelle", false, terms);
        benchmark::DoNotOptimize(terms);
    }
}
BENCHMARK(BM_ParseQuery);

void BM_MatchRecord(benchmark::State& state)
{
    const bool caseSensitive = state.range(0) != 0;
    TStringList terms;
    ParseQuery("nichtda + Delphi - Zeile 29", caseSensitive, terms);
    TSearchMatcher matcher(terms, caseSensitive);
    const TStringList lines = SampleLines();
    for (auto _ : state)
        benchmark::DoNotOptimize(matcher.Matches(lines));
}
BENCHMARK(BM_MatchRecord)->Arg(0)->Arg(1);

// Every entry of a synthetic catalogue, read and tested, as lumarc-cli and the search thread do.
class TCatalogueFixture : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State& state) override
    {
        Dir = std::filesystem::temp_directory_path() / ("lumarc-bench-" + std::to_string(::getpid()));
        TSyntheticCatalogue::Write(static_cast<int>(state.range(0)), Dir.string());
        Container.DataFileName = (Dir / "Data" / "Lumarc32.dat").string();
        Container.IndexFileName = (Dir / "Data" / "Lumarc32.idx").string();
        Container.SetActive(true);
        Container.LoadOutline(Tree);
    }
    void TearDown(const benchmark::State&) override
    {
        Container.SetActive(false);
        std::filesystem::remove_all(Dir);
    }

    std::filesystem::path Dir;
    TBrowzerContainer Container;
    TTreeViewData Tree;
};

BENCHMARK_DEFINE_F(TCatalogueFixture, SearchAllEntries)(benchmark::State& state)
{
    for (auto _ : state) {
        TCatalogueSearch search(Tree, Container.DataFileName, "Datenbank + Delphi", false);
        std::string hit;
        int hits = 0;
        for (int entry = 0; entry < search.Count(); ++entry)
            hits += search.SearchEntry(entry, hit) ? 1 : 0;
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK_REGISTER_F(TCatalogueFixture, SearchAllEntries)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
