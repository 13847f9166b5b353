// Inflate against zlib on the same 100 MB of mixed data, both keeping the running CRC-32
// (our sink; zlib's own crc32 on its side). Then the LZH (-lh5-) and ARJ decoders on 16 MB of
// the same kind of data, packed by the real archivers when they are installed (arj,
// jlha-utils); the same archives can be unpacked with the tools for comparison.

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"
#include "decompress/Decompress.h"
#include "decompress/Inflate.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace quorvex;

namespace {

using Bytes = std::vector<uint8_t>;

// Text-like runs, binary-like runs and incompressible noise in pieces of a few KiB.
Bytes MixedData(size_t size)
{
    static const char* words[] = {"catalog ", "the ", "archive ", "disk ", "folder ", "of ",
                                  "member ", "\r\n", "description ", "and ", "1997 ", "file "};
    uint64_t s = 0x1234567;
    auto next = [&s] {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    };
    Bytes out;
    out.reserve(size);
    while (out.size() < size) {
        int kind = int(next() % 3);
        size_t piece = 512 + next() % 8192;
        for (size_t i = 0; i < piece && out.size() < size; ++i) {
            if (kind == 0) {
                for (const char* w = words[next() % 12]; *w && out.size() < size; ++w)
                    out.push_back(uint8_t(*w));
            } else if (kind == 1) {
                out.push_back(uint8_t((i * 7) ^ (next() % 4 == 0 ? next() : 0)));
            } else {
                out.push_back(uint8_t(next()));
            }
        }
    }
    return out;
}

struct TCorpus {
    Bytes plain;
    Bytes packed;
    TCorpus()
    {
        plain = MixedData(100u << 20);
        z_stream z{};
        deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        packed.resize(deflateBound(&z, uLong(plain.size())));
        z.next_in = plain.data();
        z.avail_in = uInt(plain.size());
        z.next_out = packed.data();
        z.avail_out = uInt(packed.size());
        deflate(&z, Z_FINISH);
        packed.resize(z.total_out);
        deflateEnd(&z);
    }
};

const TCorpus& Corpus()
{
    static const TCorpus corpus;
    return corpus;
}

void BM_InflateOurs(benchmark::State& state)
{
    const TCorpus& c = Corpus();
    for (auto _ : state) {
        TMemorySource src(c.packed.data(), c.packed.size());
        TNullWriter writer;
        TDecodeSink sink(writer, TCheckKind::Crc32);
        if (Inflate(src, sink) != 0 || sink.BytesDone() != int64_t(c.plain.size()))
            state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(sink.CheckValue());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(c.plain.size()));
}

void BM_InflateZlib(benchmark::State& state)
{
    const TCorpus& c = Corpus();
    Bytes out(32768);
    for (auto _ : state) {
        z_stream z{};
        inflateInit2(&z, -15);
        z.next_in = const_cast<Bytef*>(c.packed.data());
        z.avail_in = uInt(c.packed.size());
        uLong crc = crc32(0, nullptr, 0);
        int rc;
        do {
            z.next_out = out.data();
            z.avail_out = uInt(out.size());
            rc = inflate(&z, Z_NO_FLUSH);
            crc = crc32(crc, out.data(), uInt(out.size() - z.avail_out));
        } while (rc == Z_OK);
        if (rc != Z_STREAM_END) state.SkipWithError("zlib failed");
        inflateEnd(&z);
        benchmark::DoNotOptimize(crc);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(c.plain.size()));
}

// A member of an archive made by a real archiver.
struct TPacked {
    Bytes packed;
    uint32_t size = 0;
    int method = -1;
};

uint32_t Le(const Bytes& b, size_t at, int n)
{
    uint32_t v = 0;
    for (int i = n; i-- > 0;) v = v << 8 | b[at + size_t(i)];
    return v;
}

Bytes Slurp(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

const std::string& CorpusDir()
{
    static const std::string dir = [] {
        std::string d = "/tmp/quorvex-bench-lzh";
        std::system(("mkdir -p " + d).c_str());
        std::ofstream(d + "/data.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(Corpus().plain.data()), 16 << 20);
        return d;
    }();
    return dir;
}

// The first file member of an ARJ archive packed with -m<method>.
TPacked ArjMember(int method)
{
    std::string dir = CorpusDir(), arc = dir + "/m" + std::to_string(method) + ".arj";
    std::system(("[ -f " + arc + " ] || (cd " + dir + " && arj a -y -m" + std::to_string(method) +
                 " " + arc + " data.bin >/dev/null 2>&1)")
                    .c_str());
    Bytes a = Slurp(arc);
    TPacked p;
    size_t pos = 0;
    for (int header = 0; header < 2 && pos + 4 < a.size() && Le(a, pos, 2) == 0xEA60; ++header) {
        uint32_t size = Le(a, pos + 2, 2);
        size_t h = pos + 4, next = h + size + 4;
        while (uint32_t ext = Le(a, next, 2)) next += 2 + ext + 4;
        next += 2;
        if (header == 1 && next + Le(a, h + 12, 4) <= a.size()) {
            p.method = a[h + 5];
            p.size = Le(a, h + 16, 4);
            p.packed.assign(a.begin() + long(next), a.begin() + long(next + Le(a, h + 12, 4)));
        }
        pos = next;
    }
    return p;
}

TPacked LhaMember()
{
    std::string dir = CorpusDir(), arc = dir + "/lh5.lzh";
    std::system(("[ -f " + arc + " ] || (cd " + dir + " && lha a " + arc +
                 " data.bin >/dev/null 2>&1)")
                    .c_str());
    Bytes a = Slurp(arc);
    TPacked p;
    if (a.size() > 24 && a[20] == 2) { // header level 2
        size_t data = Le(a, 0, 2);
        uint32_t packed = Le(a, 7, 4);
        if (data + packed <= a.size()) {
            p.method = a[5] - '0';
            p.size = Le(a, 11, 4);
            p.packed.assign(a.begin() + long(data), a.begin() + long(data + packed));
        }
    }
    return p;
}

void RunMember(benchmark::State& state, const TPacked& p, TDecodeMethod method)
{
    if (p.packed.empty()) {
        state.SkipWithError("archiver not installed");
        return;
    }
    for (auto _ : state) {
        TMemorySource src(p.packed.data(), p.packed.size());
        TNullWriter writer;
        TDecodeSink sink(writer, TCheckKind::Crc32);
        TDecodeRequest r;
        r.method = method;
        r.unpackedSize = p.size;
        if (Decompress(r, src, sink) != 0) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(sink.CheckValue());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(p.size));
}

void BM_Lh5(benchmark::State& state)
{
    static const TPacked p = LhaMember();
    RunMember(state, p, TDecodeMethod::Lh5);
}

void BM_Arj(benchmark::State& state)
{
    static const TPacked m1 = ArjMember(1), m4 = ArjMember(4);
    RunMember(state, state.range(0) == 1 ? m1 : m4,
              state.range(0) == 1 ? TDecodeMethod::ArjLzh : TDecodeMethod::ArjFast);
}

} // namespace

BENCHMARK(BM_Lh5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Arj)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflateOurs)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_InflateZlib)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
