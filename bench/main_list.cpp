// The main window's item list on a folder of 100,000 files: filling the details view,
// scrolling it and sorting it by name.

#include "MainForm.h"
#include "browser/Sorting.h"

#include "CatalogBuilder.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeView>

#include <random>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

constexpr int FileCount = 100000;

struct TBigFolder {
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    TTreeNode* folder = nullptr;

    TBigFolder()
    {
        TMainFormSetup setup;
        setup.StorePath = dir.filePath("settings.ini");
        form = std::make_unique<TMainForm>(setup);
        form->resize(1000, 700);
        form->show();
        TCatalogBuilder b(form->Tree());
        TTreeNode* cat = b.Catalog("Big");
        TTreeNode* disk = b.Disk(cat, "Disk");
        folder = b.Folder(disk, "Files");
        static const char* const exts[] = {"txt", "doc", "jpg", "mp3", "zip", "c", "h", "exe", "pdf", "html"};
        std::mt19937 random(7);
        std::vector<int> numbers(FileCount);
        for (int i = 0; i < FileCount; ++i) numbers[size_t(i)] = i;
        std::shuffle(numbers.begin(), numbers.end(), random);
        for (int i = 0; i < FileCount; ++i)
            b.File(folder, "File " + std::to_string(numbers[size_t(i)]) + "." + exts[i % 10], int32_t(random() % 100000));
        form->SetViewStyle(vsDetails);
        QApplication::processEvents();
    }
};

TBigFolder& Big()
{
    static TBigFolder big;
    return big;
}

// Fill and first paint of the details view (default key: extension, then name).
void BM_ShowFolderDetails(benchmark::State& state)
{
    TBigFolder& big = Big();
    for (auto _ : state) {
        state.PauseTiming();
        big.form->SelectNode(big.folder->Parent());
        big.form->ListModel()->CellRequests = 0;
        state.ResumeTiming();
        big.form->SelectNode(big.folder);
        big.form->ListView->viewport()->repaint();
    }
    state.counters["cells"] = double(big.form->ListModel()->CellRequests);
    state.counters["rows"] = double(big.form->ListModel()->rowCount());
}
BENCHMARK(BM_ShowFolderDetails)->Unit(benchmark::kMillisecond)->Iterations(5);

// One page down and a paint: only the rows that come into view are asked for.
void BM_ScrollPage(benchmark::State& state)
{
    TBigFolder& big = Big();
    big.form->SelectNode(big.folder);
    QScrollBar* bar = big.form->ListView->verticalScrollBar();
    bar->setValue(0);
    big.form->ListView->viewport()->repaint();
    for (auto _ : state) {
        big.form->ListModel()->CellRequests = 0;
        bar->setValue(bar->value() + bar->pageStep());
        big.form->ListView->viewport()->repaint();
        state.counters["cells"] = double(big.form->ListModel()->CellRequests);
    }
}
BENCHMARK(BM_ScrollPage)->Unit(benchmark::kMillisecond)->Iterations(20);

// The sort command: by name, from the extension order, with the list repainted.
void BM_SortByName(benchmark::State& state)
{
    TBigFolder& big = Big();
    for (auto _ : state) {
        state.PauseTiming();
        big.form->SortCommand(1);
        state.ResumeTiming();
        big.form->SortCommand(0);
        big.form->ListView->viewport()->repaint();
    }
}
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond)->Iterations(5);

// The sort alone, on the records.
void BM_SortListByName(benchmark::State& state)
{
    TBigFolder& big = Big();
    big.form->SelectNode(big.folder);
    const std::vector<TItemRec*> original = big.form->ListModel()->Store();
    for (auto _ : state) {
        std::vector<TItemRec*> list = original;
        SortList(list, TSortContext{0, false, true});
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_SortListByName)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Big().form.reset();
    return 0;
}
