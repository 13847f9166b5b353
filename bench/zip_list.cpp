// Listing a ZIP of 20,000 members (central directory only), beside unzip -Z1 on the same
// file. The archive is written at start into a temporary folder by a small writer here.

#include "archive/ArchiveLister.h"
#include "decompress/Crc.h"

#include <QByteArray>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace quorvex;

namespace {

constexpr int MemberCount = 20000;

void U16(QByteArray& b, uint16_t v)
{
    b.append(char(v & 0xFF)).append(char(v >> 8));
}
void U32(QByteArray& b, uint32_t v)
{
    U16(b, uint16_t(v & 0xFFFF));
    U16(b, uint16_t(v >> 16));
}

// Stored members with a line of text each, in folders of 100.
QByteArray MakeZip(int members)
{
    QByteArray zip;
    QByteArray central;
    const uint32_t dosTime = (44u << 9 | 3 << 5 | 5) << 16 | (12u << 11 | 34 << 5 | 28);
    for (int i = 0; i < members; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "folder%03d/member%05d.txt", i / 100, i);
        const QByteArray data = QByteArray("line of member ") + QByteArray::number(i) + "\n";
        const uint32_t crc = Crc32(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()));
        const uint32_t offset = uint32_t(zip.size());
        const uint16_t nameLength = uint16_t(strlen(name));
        U32(zip, 0x04034B50);
        U16(zip, 10);
        U16(zip, 0);
        U16(zip, 0);
        U32(zip, dosTime);
        U32(zip, crc);
        U32(zip, uint32_t(data.size()));
        U32(zip, uint32_t(data.size()));
        U16(zip, nameLength);
        U16(zip, 0);
        zip.append(name).append(data);

        U32(central, 0x02014B50);
        U16(central, 0x031E);
        U16(central, 10);
        U16(central, 0);
        U16(central, 0);
        U32(central, dosTime);
        U32(central, crc);
        U32(central, uint32_t(data.size()));
        U32(central, uint32_t(data.size()));
        U16(central, nameLength);
        U16(central, 0);
        U16(central, 0);
        U16(central, 0);
        U16(central, 1);
        U32(central, 0x81A40000u);
        U32(central, offset);
        central.append(name);
    }
    const uint32_t directory = uint32_t(zip.size());
    zip.append(central);
    U32(zip, 0x06054B50);
    U16(zip, 0);
    U16(zip, 0);
    U16(zip, uint16_t(members));
    U16(zip, uint16_t(members));
    U32(zip, uint32_t(central.size()));
    U32(zip, directory);
    U16(zip, 0);
    return zip;
}

const QString& ZipPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("members20000.zip"));
        QFile f(p);
        if (f.open(QIODevice::WriteOnly)) f.write(MakeZip(MemberCount));
        return p;
    }();
    return path;
}

void BM_ListZip20000(benchmark::State& state)
{
    TArchiveLister lister;
    int64_t listed = 0;
    lister.OnRead = [&](TArchiveLister& l, int32_t, int32_t) {
        listed += l.Member().UnpackedSize > 0;
    };
    for (auto _ : state) {
        lister.SetArchiveFile(ZipPath());
        if (!lister.Activate() || lister.State().MemberCount != MemberCount) {
            state.SkipWithError("listing failed");
            break;
        }
    }
    benchmark::DoNotOptimize(listed);
    state.counters["members_per_s"] =
        benchmark::Counter(double(MemberCount), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ListZip20000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same file through unzip -Z1 (a process start included, output to /dev/null).
void BM_UnzipZ1(benchmark::State& state)
{
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty()) {
        state.SkipWithError("unzip not installed");
        return;
    }
    const std::string command = "unzip -Z1 '" + ZipPath().toStdString() + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("unzip failed");
            break;
        }
    }
    state.counters["members_per_s"] =
        benchmark::Counter(double(MemberCount), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_UnzipZ1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
