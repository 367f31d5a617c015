// Opening a catalogue as the viewer does, then every record once: the cost per entry must not
// grow with the catalogue.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "SyntheticCatalogue.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/ParamScriptComponent.h"
#include "catalogue/RecordRef.h"
#include "catalogue/TreeViewData.h"

namespace {

using namespace lumarc;

// The catalogues are made once per size and kept for the whole run.
std::map<int, std::filesystem::path> made;

const std::filesystem::path& CatalogueOf(int entries)
{
    auto it = made.find(entries);
    if (it == made.end()) {
        const std::filesystem::path dir = std::filesystem::temp_directory_path() /
            ("lumarc-open-bench-" + std::to_string(::getpid()) + "-" + std::to_string(entries));
        TSyntheticCatalogue::Write(entries, dir.string());
        it = made.emplace(entries, dir).first;
    }
    return it->second;
}

void BM_OpenAndLoadEverything(benchmark::State& state)
{
    const int entries = static_cast<int>(state.range(0));
    const std::filesystem::path dir = CatalogueOf(entries);
    for (auto _ : state) {
        TBrowzerContainer container;
        container.DataFileName = (dir / "Data" / "Lumarc32.dat").string();
        container.IndexFileName = (dir / "Data" / "Lumarc32.idx").string();
        container.SetActive(true);
        container.CheckVersion();
        TTreeViewData tree;
        container.LoadOutline(tree);
        int loaded = 0;
        for (int entry = 0; entry < tree.Count(); ++entry) {
            const int32_t ref = tree.Texts.Objects(entry);
            std::unique_ptr<TParamScriptComponent> record = CreateRecordFor(ref);
            if (!record)
                continue;
            container.ReadRecord(*record, RecordOffsetOf(ref));
            ++loaded;
        }
        benchmark::DoNotOptimize(loaded);
    }
    state.counters["ns_per_entry"] = benchmark::Counter(
        static_cast<double>(entries) * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_OpenAndLoadEverything)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [entries, dir] : made) {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    return 0;
}
