// Inflate against zlib on the same 100 MB of mixed data, both writing into a sink that keeps
// the running CRC-32 (zlib's own crc32 on its side), plus the LZH and ARJ decoders.

#include "decompress/ByteSource.h"
#include "decompress/DecodeSink.h"
#include "decompress/Inflate.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
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

} // namespace

BENCHMARK(BM_InflateOurs)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_InflateZlib)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
