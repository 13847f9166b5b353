// Opening, loading and saving a catalog of 1,000,000 files in 100 disks, with `cp` of the
// same file as the yardstick for a save after one edit.
#include "LargeCatalog.h"

#include "catalog/CatalogReader.h"
#include "catalog/CatalogSaver.h"
#include "catalog/ItemRoutines.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

void BM_OpenSkeleton(benchmark::State& state)
{
    TLargeFile& file = Large();
    for (auto _ : state) {
        TCatalogTree tree;
        benchmark::DoNotOptimize(ReadCatalogFile(tree, file.path));
    }
}

void BM_LoadEveryFileList(benchmark::State& state)
{
    TLargeFile& file = Large();
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = std::make_unique<TCatalogTree>();
        TTreeNode* cat = ReadCatalogFile(*tree, file.path);
        for (int d = 0; d < cat->Count(); ++d) // the folders as a user expanding them would have them
            for (int f = 0; f < cat->Child(d)->Count(); ++f) LoadSubfolders(cat->Child(d)->Child(f), false, false);
        state.ResumeTiming();
        for (int d = 0; d < cat->Count(); ++d) {
            TTreeNode* disk = cat->Child(d);
            LoadFiles(disk);
            for (int f = 0; f < disk->Count(); ++f) LoadFiles(disk->Child(f));
        }
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
}

void BM_SaveAfterOneEdit(benchmark::State& state)
{
    TLargeFile& file = Large();
    const std::string path = file.dir.filePath("edited.ctf").toStdString();
    std::system(("cp '" + file.path + "' '" + path + "'").c_str());
    TCatalogTree tree;
    TTreeNode* cat = ReadCatalogFile(tree, path);
    int round = 0;
    for (auto _ : state) {
        TTreeNode* folder = cat->Child(50)->Child(7);
        LoadFiles(folder);
        folder->Data->Next->Description.Assign("edited " + std::to_string(++round));
        MarkDiskDirty(folder, true);
        if (!SaveCatalog(cat, false)) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * file.size);
}

void BM_CpSameFile(benchmark::State& state)
{
    TLargeFile& file = Large();
    const std::string command = "cp '" + file.path + "' '" + file.dir.filePath("copy.ctf").toStdString() + "'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
    state.SetBytesProcessed(state.iterations() * file.size);
}

} // namespace

BENCHMARK(BM_OpenSkeleton)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadEveryFileList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAfterOneEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpSameFile)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
