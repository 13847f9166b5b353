// Scanning a tree of 200,000 files in 10,000 folders into a disk, with
// `find TREE -printf '%s %T@ %p\n'` over the same tree as the yardstick. The tree is made
// once in a temporary folder and read once before timing, so both run on a warm cache.
#include "CatalogBuilder.h"

#include "catalog/ItemRoutines.h"
#include "catalog/Progress.h"
#include "catalog/TreeNode.h"
#include "platform/FakeDrives.h"
#include "scan/DiskScanner.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace
{

constexpr int TopFolders = 100;
constexpr int SubFolders = 99;     // 100 + 100 x 99 = 10,000 folders
constexpr int FilesPerFolder = 20; // 200,000 files
constexpr int TotalFiles = (TopFolders + TopFolders * SubFolders) * FilesPerFolder;

// QUORVEX_SCAN_TREE names a folder to make the tree in and keep for later runs (making it
// takes minutes on a busy disk); otherwise it goes to a temporary folder removed at the end.
struct TTree {
    QTemporaryDir dir;
    std::string root;
    int64_t nameBytes = 0;

    TTree()
    {
        const char* kept = std::getenv("QUORVEX_SCAN_TREE");
        root = kept && *kept ? std::string(kept) : dir.path().toStdString() + "/tree";
        const bool made = ::access((root + "/Top99/sub98").c_str(), F_OK) == 0;
        ::mkdir(root.c_str(), 0755);
        char content[128] = {};
        auto files = [&](const std::string& folder) {
            for (int f = 0; f < FilesPerFolder; ++f) {
                char name[32];
                // Some names in capitals, so the name case rule has work to do.
                std::snprintf(name, sizeof name, f % 10 == 0 ? "REPORT_%03d.TXT" : "file_%03d.dat",
                              f);
                nameBytes += int64_t(std::strlen(name));
                if (made) continue;
                const std::string path = folder + "/" + name;
                const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                if (fd < 0) continue;
                if (::write(fd, content, size_t(f * 5)) < 0) std::perror("write");
                ::close(fd);
            }
        };
        for (int t = 0; t < TopFolders; ++t) {
            const std::string top = root + "/Top" + std::to_string(t);
            if (!made) ::mkdir(top.c_str(), 0755);
            files(top);
            for (int s = 0; s < SubFolders; ++s) {
                const std::string sub = top + "/sub" + std::to_string(s);
                if (!made) ::mkdir(sub.c_str(), 0755);
                files(sub);
            }
        }
        FindOnce(); // warm the cache
    }

    int FindOnce() const
    {
        return std::system(("find '" + root + "' -printf '%s %T@ %p\\n' > /dev/null").c_str());
    }
};

TTree& Tree()
{
    static TTree tree;
    return tree;
}

struct TScanSetup {
    TFakeDrives drives;
    TCatalogTree tree;
    TTreeNode* catalog = nullptr;

    TScanSetup()
    {
        drives.Add("bench", dtFixed).Root = QString::fromStdString(Tree().root);
        TFakeMedium medium;
        medium.Label = "BENCH";
        medium.FileSystem = "EXT4";
        medium.BytesPerSector = 512;
        medium.SectorsPerCluster = 8;
        medium.TotalClusters = 10000000;
        medium.FreeClusters = 5000000;
        drives.Insert("bench", medium);
        SetDrives(&drives);
        TCatalogBuilder builder(tree);
        catalog = builder.Catalog("Bench");
    }
    ~TScanSetup() { SetDrives(nullptr); }

    TTreeNode* ScanOnce()
    {
        TScanRequest request;
        request.Catalog = catalog;
        request.Drive = "bench";
        TScanOptions options;
        const TScanResult result = Scan(request, options);
        return result.Outcome == TScanOutcome::Finished ? result.NewDisk : nullptr;
    }
};

void BM_ScanTree(benchmark::State& state)
{
    Tree();
    TScanSetup setup;
    for (auto _ : state) {
        TTreeNode* disk = setup.ScanOnce();
        if (!disk) {
            state.SkipWithError("scan failed");
            break;
        }
        if (static_cast<TDiskRec*>(disk->Data)->TotalFiles != TotalFiles)
            state.SkipWithError("files missing");
        state.PauseTiming();
        setup.tree.Delete(disk);
        state.ResumeTiming();
    }
    state.counters["files/s"] =
        benchmark::Counter(double(TotalFiles), benchmark::Counter::kIsIterationInvariantRate);
}

double ChildCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// find runs in a child process: its own CPU time is counted apart, as the busy machine makes
// the wall-clock times of both vary.
void BM_FindPrintf(benchmark::State& state)
{
    TTree& tree = Tree();
    const double before = ChildCpuSeconds();
    for (auto _ : state)
        if (tree.FindOnce() != 0) state.SkipWithError("find failed");
    state.counters["files/s"] =
        benchmark::Counter(double(TotalFiles), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["find cpu ms"] =
        (ChildCpuSeconds() - before) * 1000 / double(state.iterations());
}

// The heap a scanned disk holds, per file record.
void BM_ScanMemory(benchmark::State& state)
{
    TTree& tree = Tree();
    TScanSetup setup;
    for (auto _ : state) {
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        TTreeNode* disk = setup.ScanOnce();
        const size_t after = mallinfo2().uordblks;
        if (!disk) {
            state.SkipWithError("scan failed");
            break;
        }
        state.counters["heap bytes/file"] = double(after - before) / TotalFiles;
        state.counters["name bytes/file"] = double(tree.nameBytes) / TotalFiles;
        state.PauseTiming();
        setup.tree.Delete(disk);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_ScanTree)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_FindPrintf)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_ScanMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
