// Searching 1,000,000 file names for a substring: with every list in memory, on a freshly
// opened catalog that loads lists on demand and releases those without hits (in place and
// with the worker on its own thread), and `grep -c` over a text file of the same paths.
#include "LargeCatalog.h"

#include "catalog/CatalogReader.h"
#include "catalog/TreeNode.h"
#include "search/FoundList.h"
#include "search/SearchHost.h"
#include "search/SearchThread.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

constexpr const char* Pattern = "file00792"; // one file per disk

TSearchCriteria Criteria()
{
    TSearchCriteria c;
    c.ByName = true;
    c.NameText = Pattern;
    return c;
}

int64_t ReadStatusKb(const char* field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(in, line))
        if (line.compare(0, key.size(), key) == 0) return std::atoll(line.c_str() + key.size());
    return 0;
}

void ResetPeakRss()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double HeapMb() { return double(mallinfo2().uordblks) / (1 << 20); }

void BM_SearchLoaded(benchmark::State& state)
{
    TCatalogTree tree;
    TTreeNode* cat = ReadCatalogFile(tree, Large().path);
    LoadEverything(cat);
    TFoundList found(SearchSlot);
    TDirectSearchHost host;
    for (auto _ : state) {
        state.PauseTiming();
        found.Clear();
        state.ResumeTiming();
        TSearchWorker worker(tree, found, host, Criteria(), {}, false);
        RunSearchHere(worker);
    }
    state.counters["hits"] = found.Count();
    state.SetItemsProcessed(state.iterations() * Disks * FoldersPerDisk * FilesPerFolder);
}

void BM_SearchLazy(benchmark::State& state)
{
    const bool threaded = state.range(0) != 0;
    double peakHeapDelta = 0;
    int64_t peakRssKb = 0;
    int64_t rssBeforeKb = 0;
    int hits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = std::make_unique<TCatalogTree>();
        ReadCatalogFile(*tree, Large().path);
        TFoundList found(SearchSlot);
        const double heapBefore = HeapMb();
        double heapPeak = heapBefore;
        ResetPeakRss();
        rssBeforeKb = ReadStatusKb("VmRSS");
        state.ResumeTiming();

        if (threaded) {
            TQueuedSearchHost host;
            TSearchThread search(*tree, found, host, Criteria(), {}, false);
            search.Worker().Events.Progress = [&](const TSearchProgress&) { heapPeak = std::max(heapPeak, HeapMb()); };
            bool ended = false;
            search.Start([&](const TSearchOutcome&) { ended = true; });
            host.ServeUntil([&] { return ended; });
        } else {
            TDirectSearchHost host;
            TSearchWorker worker(*tree, found, host, Criteria(), {}, false);
            worker.Events.Progress = [&](const TSearchProgress&) { heapPeak = std::max(heapPeak, HeapMb()); };
            RunSearchHere(worker);
        }

        state.PauseTiming();
        peakHeapDelta = std::max(peakHeapDelta, heapPeak - heapBefore);
        peakRssKb = std::max(peakRssKb, ReadStatusKb("VmHWM"));
        hits = found.Count();
        found.Clear();
        tree.reset();
        state.ResumeTiming();
    }
    state.counters["hits"] = hits;
    state.counters["peak_heap_growth_MB"] = peakHeapDelta;
    state.counters["peak_rss_MB"] = double(peakRssKb) / 1024;
    state.counters["rss_before_MB"] = double(rssBeforeKb) / 1024;
    state.SetItemsProcessed(state.iterations() * Disks * FoldersPerDisk * FilesPerFolder);
}

// The same paths as text, one per line.
const std::string& PathList()
{
    static const std::string path = [] {
        std::string p = Large().dir.filePath("paths.txt").toStdString();
        std::FILE* out = std::fopen(p.c_str(), "w");
        char name[32];
        for (int d = 0; d < Disks; ++d)
            for (int f = 0; f < FoldersPerDisk; ++f)
                for (int i = 0; i < FilesPerFolder; ++i) {
                    std::snprintf(name, sizeof name, "FILE%05d.DAT", i * 7 + f);
                    std::fprintf(out, "Large\tDisk %d\t\\Folder%d\t%s\n", d, f, name);
                }
        std::fclose(out);
        return p;
    }();
    return path;
}

void BM_GrepCount(benchmark::State& state)
{
    const std::string command = std::string("grep -c -i ") + Pattern + " '" + PathList() + "' > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("grep failed");
    state.SetItemsProcessed(state.iterations() * Disks * FoldersPerDisk * FilesPerFolder);
}

} // namespace

BENCHMARK(BM_SearchLoaded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchLazy)->Arg(0)->Arg(1)->ArgName("threaded")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrepCount)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
