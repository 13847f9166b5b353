// Encode and decode a synthetic catalog of 1,000,000 files in 100 disks.
#include "LargeCatalog.h"

#include "catalog/CatalogReader.h"
#include "catalog/CatalogWriter.h"
#include "catalog/WriteTarget.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

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

} // namespace

BENCHMARK(BM_EncodeCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
