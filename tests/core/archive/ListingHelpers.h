#pragma once
// Runs a listing and keeps what the events delivered, for the archive tests.

#include "archive/ArchiveLister.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace quorvex::test {

struct TListedMember {
    TArchiveMember Member;
    int32_t Offset = 0;
    int32_t Filenum = 0;
};

struct TListing {
    TArcType Type = atNA;
    bool Result = false;
    std::string Comment;
    std::vector<TListedMember> Members;
    std::vector<int> Errors;
    std::vector<std::string> Events; // event names in the order fired
    int Totals = -1;
};

inline QString Fixture(const char* name)
{
    return QStringLiteral(QUORVEX_FIXTURES "/archive/") + QString::fromLatin1(name);
}

// 1 to 12 for the English month abbreviations the listing tools print ("Mar" is 3); 0 for
// anything else.
inline int MonthNumber(const QString& abbreviation)
{
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i)
        if (abbreviation == QLatin1String(months[i])) return i + 1;
    return 0;
}

// A fixture of one format's folder: FixtureIn("arj", "methods.arj").
inline QString FixtureIn(const char* folder, const char* name)
{
    return QStringLiteral(QUORVEX_FIXTURES "/") + QString::fromLatin1(folder) + u'/' +
           QString::fromLatin1(name);
}

inline TListing ListArchive(TArchiveLister& lister, const QString& file)
{
    TListing out;
    lister.OnRead = [&](TArchiveLister& l, int32_t offset, int32_t filenum) {
        out.Members.push_back({l.Member(), offset, filenum});
        out.Comment = l.State().ArchiveComment;
        out.Events.push_back("Read");
    };
    lister.OnReadBegin = [&](TArchiveLister&) { out.Events.push_back("ReadBegin"); };
    lister.OnReadEnd = [&](TArchiveLister&) { out.Events.push_back("ReadEnd"); };
    lister.OnActivate = [&](TArchiveLister&) { out.Events.push_back("Activate"); };
    lister.OnDeactivate = [&](TArchiveLister&) { out.Events.push_back("Deactivate"); };
    lister.OnTotals = [&](TArchiveLister&, int32_t n) {
        out.Totals = n;
        out.Events.push_back("Totals");
    };
    lister.OnError = [&](TZipCommon&, const QString&, const QString&, int code) {
        out.Errors.push_back(code);
    };
    lister.SetArchiveFile(file);
    out.Type = lister.ArcType();
    out.Result = lister.Activate();
    if (out.Members.empty()) out.Comment = lister.State().ArchiveComment;
    return out;
}

inline TListing ListArchive(const QString& file, const QString& spec = QStringLiteral("*.*"))
{
    TArchiveLister lister;
    lister.SetFileSpec(spec);
    return ListArchive(lister, file);
}

inline QByteArray ReadBytes(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A scratch folder whose files the test writes bytes into.
class TScratch
{
public:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        // A new file each time: overwriting by truncation makes some file systems flush
        // the data at close, which turns a loop of listings into a loop of disk writes.
        QFile::remove(path);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
        return path;
    }

private:
    QTemporaryDir m_dir;
};

inline void PutU16(QByteArray& b, qsizetype at, uint16_t v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}
inline void PutU32(QByteArray& b, qsizetype at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}
inline uint32_t U32(const QByteArray& b, qsizetype at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | uint8_t(b[at + i]);
    return v;
}

} // namespace quorvex::test
