// Deterministic mutations of every fixture: whatever the bytes, a listing ends with the
// members it found, never a crash, a hang or a huge allocation (run under the sanitizers).

#include "HandBuilt.h"
#include "ListingHelpers.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quorvex;
using namespace quorvex::test;

namespace {

class TRandom
{ // xorshift64*, fixed seed: the same mutations on every run
public:
    explicit TRandom(uint64_t seed) : m_state(seed | 1) {}
    uint64_t Next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1DULL;
    }
    qsizetype Below(qsizetype n) { return n > 0 ? qsizetype(Next() % uint64_t(n)) : 0; }

private:
    uint64_t m_state;
};

QByteArray Mutate(const QByteArray& original, TRandom& rnd)
{
    QByteArray b = original;
    const int edits = 1 + int(rnd.Below(4));
    for (int e = 0; e < edits && !b.isEmpty(); ++e) {
        const qsizetype at = rnd.Below(b.size());
        switch (rnd.Below(7)) {
        case 0:
            b[at] = char(rnd.Next());
            break;
        case 1:
            b[at] = char(b[at] ^ char(1 << rnd.Below(8)));
            break;
        case 2: // a length or offset field made huge
            for (qsizetype i = at; i < std::min(b.size(), at + 4); ++i)
                b[i] = '\xff';
            break;
        case 3:
            for (qsizetype i = at; i < std::min(b.size(), at + 4); ++i)
                b[i] = '\0';
            break;
        case 4:
            b.truncate(at);
            break;
        case 5: // a value pointing back into the file
            for (qsizetype i = 0; i < 2 && at + i < b.size(); ++i)
                b[at + i] = char(rnd.Below(b.size()) >> (8 * i));
            break;
        default:
            b.insert(at, QByteArray(int(rnd.Below(40)), char(rnd.Next())));
            break;
        }
    }
    return b;
}

struct TSample {
    QString Name; // the file name the listing sees: the type test of tar needs it
    QByteArray Bytes;
};

// Every archive fixture of every format's folder, and archives the tests put together.
std::vector<TSample> Samples()
{
    const struct {
        const char* folder;
        QStringList patterns;
    } folders[] = {
        {"archive", {"*.zip", "*.exe", "*.gz", "*.Z", "*.tar"}},
        {"arj", {"*.arj", "*.a01"}},
        {"lha", {"*.lzh"}},
        {"arc", {"*.arc"}},
        {"rar", {"*.rar"}},
        {"cab", {"*.cab"}},
    };
    std::vector<TSample> out;
    for (const auto& f : folders) {
        QDir dir(QStringLiteral(QUORVEX_FIXTURES "/") + QLatin1String(f.folder));
        for (const QString& file : dir.entryList(f.patterns, QDir::Files, QDir::Name))
            out.push_back({file, ReadBytes(dir.filePath(file))});
    }
    // And the formats that only the tests write.
    TBuiltMember folder = Built("B.TXT", "bee", "comment");
    folder.Folder = "sub/dir";
    folder.LongName = "Bee file.txt";
    const std::vector<TBuiltMember> members = {Built("A.TXT", "alpha alpha"), folder,
                                               Built("C", QByteArray(40, 'c'))};
    out.push_back({"built.zoo", ZooArchive(members, "archive comment")});
    std::vector<TBuiltArcMember> pak;
    for (uint8_t method : {10, 1, 2, 11})
        pak.push_back({Built("P.DAT", QByteArray(method, 'p')), method});
    out.push_back({"built.pak", ArcArchive(pak)});
    out.push_back({"built.rar", Rar4Archive(members, true, true)});
    std::vector<TBuiltCabFile> cab;
    for (const TBuiltMember& m : members)
        cab.push_back({m});
    out.push_back({"built.cab", Cabinet(cab, 1, "PREV.CAB", "NEXT.CAB")});
    out.push_back({"built.ha", HaArchive(members, 1709642096)});
    out.push_back({"built.bh", BhArchive(members)});
    return out;
}

} // namespace

TEST(Mutation, EveryFixtureSurvivesDamage)
{
    const std::vector<TSample> samples = Samples();
    ASSERT_GE(samples.size(), 31u);
    TScratch dir;
    TRandom rnd(20261210);
    TArchiveLister lister; // one component for all, as a scan uses it
    size_t listings = 0;
    for (const TSample& sample : samples) {
        const QString& file = sample.Name;
        const QByteArray& original = sample.Bytes;
        for (int round = 0; round < 150; ++round) {
            const QByteArray bytes = Mutate(original, rnd);
            const QString path = dir.Write(QStringLiteral("m_") + file, bytes);
            lister.SetZipCmntBufSize(round % 3 == 0 ? 32767 : 0);
            lister.SetFileSpec(round % 5 == 0 ? QStringLiteral("*.txt") : QStringLiteral("*.*"));
            const TListing l = ListArchive(lister, path);
            ++listings;
            // Every member needs at least a few header bytes of its own.
            ASSERT_LE(l.Members.size(), size_t(bytes.size() / 10 + 1))
                << file.toStdString() << " round " << round;
            for (const auto& m : l.Members)
                ASSERT_LE(m.Member.MemberName.size(), 65536u);
            if (!l.Result) {
                ASSERT_FALSE(l.Errors.empty()) << file.toStdString() << " round " << round;
            }
        }
    }
    EXPECT_EQ(listings, samples.size() * 150);
}

TEST(Mutation, EveryTruncationOfEveryFixture)
{
    TScratch dir;
    TArchiveLister lister;
    for (const TSample& sample : Samples()) {
        const QString& file = sample.Name;
        const QByteArray& original = sample.Bytes;
        const qsizetype step = std::max<qsizetype>(1, original.size() / 97);
        for (qsizetype cut = 0; cut < original.size(); cut += step) {
            const TListing l =
                ListArchive(lister, dir.Write(QStringLiteral("t_") + file, original.left(cut)));
            if (!l.Result) {
                ASSERT_FALSE(l.Errors.empty()) << file.toStdString() << " cut " << cut;
            }
        }
    }
}
