#include "extract/UnBase.h"

#include "archive/ArchiveErrors.h"
#include "archive/Wildcard.h"
#include "decompress/ByteSource.h"
#include "decompress/DecodeErrors.h"
#include "decompress/DecodeSink.h"
#include "extract/OutputPath.h"
#include "platform/NativeNames.h"
#include "platform/Prompt.h"
#include "platform/SafeOutputFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace quorvex
{

namespace
{

// TDateTime (days since 30 December 1899, local) to a file time.
QDateTime FileTimeOf(double dateTime)
{
    const QDateTime origin(QDate(1899, 12, 30), QTime(0, 0), Qt::LocalTime);
    const double days = std::floor(dateTime);
    const qint64 ms = qint64(std::llround((dateTime - days) * 86400000.0));
    return origin.addDays(qint64(days)).addMSecs(ms);
}

} // namespace

bool ReadAt(QFile& file, int64_t offset, void* dest, int64_t size)
{
    if (offset < 0 || size < 0 || offset > file.size() || size > file.size() - offset) return false;
    if (!file.seek(offset)) return false;
    return file.read(static_cast<char*>(dest), size) == size;
}

void TUnBase::SetFileSpec(const QString& spec)
{
    QString s = spec;
    s.replace(u'/', u'\\');
    const qsizetype slash = s.lastIndexOf(u'\\');
    m_fileSpec = slash >= 0 ? s.mid(slash + 1) : s;
}

QString TUnBase::OutputName(const std::string& storedName) const
{
    return ExtractOutputPath(storedName, ExtractDir, ArchiveFile(), UseStoredDirs);
}

bool TUnBase::MatchesSpec(const QString& outName) const
{
    return WildcardMatch(NativeString(QFileInfo(outName).fileName()), NativeString(m_fileSpec));
}

void TUnBase::Extract()
{
    if (ArchiveFile().isEmpty()) Fail(E_FILENAME);
    if (!AcceptsType(ArcType())) Fail(E_UNSUPPORTEDARCHIVE);
    QFile archive;
    if (!OpenNative(archive, QDir::fromNativeSeparators(ArchiveFile()), QIODevice::ReadOnly))
        Fail(E_OPEN);

    m_progressStep = 5 * (int(ProgressNotify) + 1);
    m_unpacked = 0;
    m_matched = 0;
    m_written.clear();
    if (OnActivate) OnActivate(*this);
    struct TDeactivate {
        TUnBase& self;
        ~TDeactivate()
        {
            if (self.OnDeactivate) self.OnDeactivate(self);
        }
    } deactivate{*this};
    ExtractMembers(archive);
}

int TUnBase::DecodeMember(const TMemberData& member, QFile& archive, TDecodeSink& sink)
{
    if (!member.Method) return ecUnsupportedMethod;
    if (!archive.seek(member.DataPos)) return ecReadError;
    TDeviceSource source(archive, member.PackedSize);
    TDecodeRequest request;
    request.method = *member.Method;
    request.unpackedSize = member.UnpackedSize;
    request.zipFlags = member.ZipFlags;
    return Decompress(request, source, sink);
}

QString TUnBase::FreeNameBeside(const QString& outName) const
{
    const qsizetype slash = outName.lastIndexOf(u'/');
    const qsizetype dot = outName.lastIndexOf(u'.');
    const qsizetype cut = dot > slash + 1 ? dot : outName.size();
    for (int n = 2;; ++n) {
        const QString name =
            outName.left(cut) + QStringLiteral(" (%1)").arg(n) + outName.mid(cut);
        if (!m_written.contains(name) && !NativeExists(name)) return name;
    }
}

bool TUnBase::ExtractMember(const TMemberData& member, QFile& archive)
{
    QString outName = OutputName(member.StoredName);
    if (outName.isEmpty()) return false;
    if (!MatchesSpec(outName)) return false;
    // A second member landing on a name this call has written goes beside it, never over it.
    if (m_written.contains(outName)) outName = FreeNameBeside(outName);

    bool accept = true;
    bool extract = true;
    // A symbolic link counts as an existing file, dangling or not.
    auto askExists = [&] {
        if (OnFileExists && EntryExists(NativeString(outName)))
            OnFileExists(*this, outName, accept);
    };
    auto begin = [&] {
        ++m_matched;
        if (OnBegin) OnBegin(*this, outName, m_matched, extract);
    };
    if (m_arcOrder) {
        begin();
        if (!extract) Fail(E_SKIPPED);
        askExists();
        if (!accept) return false;
    } else {
        askExists();
        if (!accept) return false;
        begin();
        if (!extract) return false;
    }

    uint32_t computed = 0;
    int decodeError = ecNone;
    if (!WriteMember(member, archive, outName, computed, decodeError)) return false;
    // A member whose data could not be decoded was not written: it fails with its error.
    if (decodeError != ecNone) {
        Report(decodeError);
        return false;
    }
    m_written.insert(outName);
    ++m_unpacked;
    const bool pass = member.Check == TCheckKind::None || computed == member.StoredCheck;
    if (!pass) {
        if (m_arcOrder) Fail(E_CRCCHECK);
        Report(E_CRCCHECK);
    }
    if (OnEnd) OnEnd(*this, outName, pass);
    return true;
}

bool TUnBase::OpenOutput(TSafeOutputFile& file, const QString& outName, bool byName)
{
    const QString root = ExtractOutputRoot(ExtractDir, ArchiveFile());
    if (!outName.startsWith(root)) Fail(E_FILENAME);
    const std::string base = NativeString(root);
    const std::string relative = NativeString(outName.mid(root.size()));
    switch (byName ? file.Reserve(base, relative) : file.Create(base, relative)) {
    case TSafeOutcome::Ok:
        return true;
    case TSafeOutcome::LinkInPath:
        ReportError(E_LINKINPATH, NameFromNative(file.Folder().Problem()),
                    NameFromNative(file.Folder().LinkTarget()));
        return false;
    default:
        Fail(E_OPEN);
    }
}

bool TUnBase::WriteMember(const TMemberData& member, QFile& archive, const QString& outName,
                          uint32_t& computed, int& decodeError)
{
    TSafeOutputFile file;
    if (!OpenOutput(file, outName)) return false;
    QFile out;
    if (!out.open(file.Handle(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) Fail(E_OPEN);

    TDeviceWriter writer(out);
    TDecodeSink sink(writer, member.Check);
    const bool stored = member.Method && *member.Method == TDecodeMethod::Stored;
    sink.SetProgress(member.UnpackedSize, stored ? 1 : m_progressStep, [&](uint8_t percent) {
        if (OnProgress) OnProgress(*this, outName, percent);
    });
    // Damaged data can describe far more output than the member holds.
    if (member.UnpackedSize >= 0 && member.Check != TCheckKind::None)
        sink.SetOutputLimit(member.UnpackedSize);
    decodeError = DecodeMember(member, archive, sink);
    if (decodeError != ecNone) {
        if (!m_decoderErrorsShown) Fail(decodeError);
        if (ShowDecoderErrors)
            Prompt().Inform(QStringLiteral("Information"),
                            QString::fromUtf8(ArchiveErrorText(decodeError)),
                            TPromptIcon::Information);
    }
    computed = sink.CheckValue();
    if (!out.flush()) Fail(E_WRITE);
    // What could not be unpacked leaves no file, and the one it would have replaced stays.
    if (decodeError != ecNone) return true;
    if (SetDateTo == TSetDate::OrigDate && member.MemberDate > 0)
        out.setFileTime(FileTimeOf(member.MemberDate), QFileDevice::FileModificationTime);
    if (member.DosAttributes & 0x01)
        out.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                           QFileDevice::ReadOther);
    out.close();
    if (out.error() != QFileDevice::NoError) Fail(E_CLOSE);
    if (file.Commit() != TSafeOutcome::Ok) Fail(E_WRITE);
    return true;
}

} // namespace quorvex
