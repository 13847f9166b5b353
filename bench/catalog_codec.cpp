// Encode and decode a synthetic catalog of 1,000,000 files in 100 disks.
#include "CatalogBuilder.h"

#include "catalog/CatalogReader.h"
#include "catalog/CatalogWriter.h"
#include "catalog/WriteTarget.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

constexpr int Disks = 100;
constexpr int FoldersPerDisk = 100;
constexpr int FilesPerFolder = 100;

TTreeNode* BuildLarge(TCatalogTree& tree, int64_t& nameBytes)
{
    TCatalogBuilder b(tree);
    TTreeNode* cat = b.Catalog("Large");
    nameBytes = 0;
    char name[32];
    for (int d = 0; d < Disks; ++d) {
        TTreeNode* disk = b.Disk(cat, "Disk " + std::to_string(d));
        for (int f = 0; f < FoldersPerDisk; ++f) {
            TTreeNode* folder = b.Folder(disk, "Folder" + std::to_string(f));
            for (int i = 0; i < FilesPerFolder; ++i) {
                const int n = std::snprintf(name, sizeof name, "FILE%05d.DAT", i * 7 + f);
                nameBytes += n;
                b.File(folder, name, i * 1000 + f, i % 10 == 0 ? "a short description" : "");
            }
        }
    }
    return cat;
}

struct TLargeFile {
    QTemporaryDir dir;
    std::string path;
    int64_t size = 0;
    int64_t nameBytes = 0;
    TLargeFile()
    {
        path = dir.filePath("large.ctf").toStdString();
        TCatalogTree tree;
        TTreeNode* cat = BuildLarge(tree, nameBytes);
        TFileWriter out(path);
        WriteCatalog(cat, out);
        out.Close();
        size = out.Position();
    }
};

TLargeFile& Large()
{
    static TLargeFile file;
    return file;
}

void BM_EncodeCatalog(benchmark::State& state)
{
    TCatalogTree tree;
    int64_t nameBytes;
    TTreeNode* cat = BuildLarge(tree, nameBytes);
    int64_t bytes = 0;
    QTemporaryDir dir;
    const std::string path = dir.filePath("encoded.ctf").toStdString();
    for (auto _ : state) {
        for (int i = 0; i < cat->Count(); ++i) static_cast<TDiskRec*>(cat->Child(i)->Data)->Dirty = 1;
        TFileWriter out(path);
        WriteCatalog(cat, out);
        out.Close();
        bytes = out.Position();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["file_bytes"] = double(bytes);
}

void BM_DecodeCatalog(benchmark::State& state)
{
    TLargeFile& file = Large();
    double perFile = 0;
    double recordBytes = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        TCatalogTree tree;
        TTreeNode* cat = ReadCatalogFile(tree, file.path);
        LoadEverything(cat);
        state.PauseTiming();
        const size_t after = mallinfo2().uordblks;
        perFile = (double(after - before) - double(file.nameBytes)) / (Disks * FoldersPerDisk * FilesPerFolder);
        recordBytes = 0;
        for (int d = 0; d < cat->Count(); ++d)
            for (int f = 0; f < cat->Child(d)->Count(); ++f)
                for (TFileRec* r = cat->Child(d)->Child(f)->Data->Next; r; r = r->Next)
                    recordBytes += double(TFileRec::RecordBytes(r->NameLen)) - r->NameLen;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * file.size);
    state.counters["heap_bytes_per_file_minus_name"] = perFile;
    state.counters["record_bytes_per_file_minus_name"] = recordBytes / (Disks * FoldersPerDisk * FilesPerFolder);
}

void BM_OpenSkeleton(benchmark::State& state)
{
    TLargeFile& file = Large();
    for (auto _ : state) {
        TCatalogTree tree;
        benchmark::DoNotOptimize(ReadCatalogFile(tree, file.path));
    }
}

} // namespace

BENCHMARK(BM_EncodeCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSkeleton)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
