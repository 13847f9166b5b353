#include "ArchiveLister.h"

#include "ArchiveErrors.h"
#include "Wildcard.h"

#include "platform/NativeNames.h"

#include <QDir>

#include <climits>
#include <new>
#include <vector>

namespace quorvex {

namespace {

int32_t WrappingAdd(int32_t a, int32_t b)
{
    return int32_t(uint32_t(a) + uint32_t(b));
}

} // namespace

TArchiveLister::TArchiveLister() = default;
TArchiveLister::~TArchiveLister() = default;

void TArchiveLister::SetFileSpec(const QString& spec)
{
    QString s = spec;
    s.replace(u'/', u'\\');
    m_fileSpec = NativeString(s.mid(s.lastIndexOf(u'\\') + 1));
}

void TArchiveLister::SetZipCmntBufSize(int size)
{
    m_zipCmntBufSize = std::clamp(size, 0, 32767);
}

void TArchiveLister::ResetMember()
{
    TArchiveMember& m = m_member;
    m.MemberName.clear();
    m.MethodName.clear();
    m.MemberComment.clear();
    m.PackedSize = m.UnpackedSize = 0;
    m.Ratio = 0;
    m.CRC = 0;
    m.MemberDate = NullArchiveDate;
    m.Method = m.VersionMadeBy = m.VersionNeeded = m.InternalAttr = 0;
    m.ExternalAttr = 0;
    m.CompressOption = 0;
}

bool TArchiveLister::Activate()
{
    if (m_state.ArchiveFile.isEmpty()) return true;
    bool activated = false;
    bool ok = true;
    try {
        RunListing(activated);
    } catch (const E_RAISE&) {
        ok = false;
    } catch (const std::bad_alloc&) {
        ReportError(E_OUTOFMEMORY, m_state.VolumeFileName, QStringLiteral("0"));
        ok = false;
    } catch (...) { // an event handler's own failure ends the listing the same way
        ok = false;
    }
    if (activated && OnDeactivate) {
        try {
            OnDeactivate(*this);
        } catch (...) {
            ok = false;
        }
    }
    m_source.Close();
    return ok;
}

void TArchiveLister::RunListing(bool& activated)
{
    if (!OnRead) Fail(E_NOONREAD, "0");
    if (m_state.ArcType == atNA || m_state.ArcType == atUnknown) Fail(E_UNKNOWNFILETYPE, "0");
    if (m_state.ArcType == atFileError) Fail(E_HEADERID, "0");
    std::unique_ptr<TDirectoryReader> reader = MakeDirectoryReader(m_state.ArcType);
    if (!reader) Fail(E_UNSUPPORTEDARCHIVE, "0");
    m_state.VolumeFileName = m_state.ArchiveFile;
    if (!m_source.Open(QDir::fromNativeSeparators(m_state.ArchiveFile))) Fail(E_READ, "0");
    activated = true;
    if (OnActivate) OnActivate(*this);
    m_state.MemberCount = 0;
    m_state.TotalPacked = m_state.TotalUnpacked = 0;
    m_state.ArchiveComment.clear();
    ResetMember();

    TListingCursor cursor;
    reader->Setup(m_host, cursor);
    const size_t headerLength = reader->HeaderLength();
    std::vector<uint8_t> header(headerLength);
    while (cursor.P + int64_t(headerLength) < cursor.E) {
        const int64_t pos = cursor.P;
        if (!m_source.ReadExact(pos, header.data(), headerLength)) Fail(E_READ, "0");
        cursor.P += int64_t(headerLength);
        ResetMember();
        const int generation = m_volumeGeneration;
        reader->ReadHeader(m_host, cursor, pos, header);
        // A header that points back at itself or before would list forever (a new volume
        // starts its own positions).
        if (generation == m_volumeGeneration && cursor.P <= pos && cursor.P != cursor.E)
            Fail(E_BADFILEHEADER, "0");
    }
    reader->Finish(m_host);
    if (OnTotals) {
        m_member.Ratio =
            CompressionRatio(uint32_t(m_state.TotalPacked), uint32_t(m_state.TotalUnpacked));
        OnTotals(*this, m_state.MemberCount);
    }
}

void TArchiveLister::ReportMember(int64_t headerOffset)
{
    TArchiveMember& m = m_member;
    if (!WildcardMatch(m.MemberName, m_fileSpec)) return;
    ++m_state.MemberCount;
    m_state.TotalPacked = WrappingAdd(m_state.TotalPacked, m.PackedSize);
    m_state.TotalUnpacked = WrappingAdd(m_state.TotalUnpacked, m.UnpackedSize);
    m.Ratio = CompressionRatio(uint32_t(m.PackedSize), uint32_t(m.UnpackedSize));
    if (OnReadBegin) OnReadBegin(*this);
    OnRead(*this, int32_t(headerOffset), m_state.MemberCount);
    if (OnReadEnd) OnReadEnd(*this);
    m.MemberComment.clear();
}

void TArchiveLister::Fail(int code, const std::string& volumeId)
{
    RaiseError(code,
               m_state.VolumeFileName.isEmpty() ? m_state.ArchiveFile : m_state.VolumeFileName,
               QString::fromStdString(volumeId));
}

bool TArchiveLister::OpenVolume(const QString& fileName)
{
    m_source.Close();
    ++m_volumeGeneration;
    if (!m_source.Open(QDir::fromNativeSeparators(fileName))) return false;
    m_state.VolumeFileName = fileName;
    m_state.ArchiveSize = int32_t(std::min<int64_t>(m_source.Size(), INT32_MAX));
    return true;
}

void TArchiveLister::THost::Notify(int code, const QString& fileName, const std::string& volumeId)
{
    m_owner.ReportError(code, fileName, QString::fromStdString(volumeId));
}

} // namespace quorvex
