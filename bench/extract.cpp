// Our extractors against the real archivers unpacking the same archives, in one run: 16 MB
// of mixed data packed by arj (-m1, -m4), jlha (lh5), zip and gzip, each unpacked to a file by
// ExtractFiles and by the tool (arj e, jlha x, unzip, gzip -d). Wall-clock times, since the
// tools run as child processes. The archives are made once in /tmp/quorvex-bench-extract.

#include "archive/ArchiveKinds.h"
#include "extract/ExtractFiles.h"

#include <QDir>
#include <QString>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using namespace quorvex;

namespace
{

constexpr size_t DataSize = 16u << 20;
const std::string Dir = "/tmp/quorvex-bench-extract";

// Text-like runs, repeated binary patterns and noise, in pieces of a few KiB.
std::vector<char> MixedData()
{
    static const char* words[] = {"catalog ", "the ", "archive ",     "disk ", "folder ", "of ",
                                  "member ",  "\r\n", "description ", "and ",  "1998 ",   "file "};
    uint64_t s = 0x9E3779B97F4A7C15ull;
    auto next = [&s] {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    };
    std::vector<char> out;
    out.reserve(DataSize);
    while (out.size() < DataSize) {
        const int kind = int(next() % 3);
        const size_t piece = 512 + next() % 8192;
        for (size_t i = 0; i < piece && out.size() < DataSize; ++i) {
            if (kind == 0)
                for (const char* w = words[next() % 12]; *w && out.size() < DataSize; ++w)
                    out.push_back(*w);
            else if (kind == 1)
                out.push_back(char((i * 7) ^ (next() % 4 == 0 ? next() : 0)));
            else
                out.push_back(char(next()));
        }
    }
    return out;
}

void Run(const std::string& command)
{
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
}

void MakeArchives()
{
    static bool made = false;
    if (made) return;
    made = true;
    Run("mkdir -p " + Dir + "/src " + Dir + "/out");
    if (!std::ifstream(Dir + "/src/DATA.BIN")) {
        const std::vector<char> data = MixedData();
        std::ofstream(Dir + "/src/DATA.BIN", std::ios::binary)
            .write(data.data(), std::streamsize(data.size()));
    }
    const std::string in = "cd " + Dir + "/src && ";
    Run(in + "[ -f ../m1.arj ] || arj a -y -m1 ../m1.arj DATA.BIN >/dev/null");
    Run(in + "[ -f ../m4.arj ] || arj a -y -m4 ../m4.arj DATA.BIN >/dev/null");
    Run(in + "[ -f ../lh5.lzh ] || jlha ao5 ../lh5.lzh DATA.BIN >/dev/null");
    Run(in + "[ -f ../data.zip ] || zip -q -6 ../data.zip DATA.BIN");
    Run(in + "[ -f ../DATA.BIN.gz ] || gzip -6 -c DATA.BIN > ../DATA.BIN.gz");
}

struct TSubject {
    int Kind;
    const char* Archive;
    const char* Tool; // unpacks the archive into the current folder
};

const TSubject Subjects[] = {
    {akARJ, "m1.arj", "arj e -y"},     {akARJ, "m4.arj", "arj e -y"},
    {akLHA, "lh5.lzh", "jlha xq"},     {akZIP, "data.zip", "unzip -qo"},
    {akGZ, "DATA.BIN.gz", "gzip -dc"},
};

void BM_Ours(benchmark::State& state)
{
    MakeArchives();
    const TSubject& s = Subjects[state.range(0)];
    state.SetLabel(s.Archive);
    SilentExtract = true;
    const QString archive = QString::fromStdString(Dir + "/" + s.Archive);
    const QString out = QString::fromStdString(Dir + "/out/");
    for (auto _ : state)
        if (!ExtractFiles(s.Kind, archive, out, false, false, false, nullptr, "*.*"))
            state.SkipWithError("extraction failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(DataSize));
}

void BM_Tool(benchmark::State& state)
{
    MakeArchives();
    const TSubject& s = Subjects[state.range(0)];
    state.SetLabel(std::string(s.Tool) + " " + s.Archive);
    const std::string tail =
        std::string(s.Tool).rfind("gzip", 0) == 0 ? " > DATA.BIN" : " >/dev/null";
    const std::string command = "cd " + Dir + "/out && " + s.Tool + " ../" + s.Archive + tail;
    for (auto _ : state)
        Run(command);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(DataSize));
}

} // namespace

BENCHMARK(BM_Ours)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_Tool)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK_MAIN();
