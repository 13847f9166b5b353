#include "CabDirectory.h"

#include "ArchiveErrors.h"
#include "ArchiveSource.h"

#include "platform/NativeNames.h"

#include <QDir>
#include <QFileInfo>

namespace quorvex {

namespace {

constexpr size_t MaxCabinets = 1000;

} // namespace

QString TCabDirectory::FindInFolder(const QString& archiveFile, const std::string& name)
{
    const QString wanted = NameFromNative(name);
    if (wanted.isEmpty() || wanted.contains(u'\\') || wanted.contains(u'/')) return {};
    const QDir dir = QFileInfo(QDir::fromNativeSeparators(archiveFile)).dir();
    if (NativeIsFile(dir.filePath(wanted)))
        return QDir::toNativeSeparators(dir.filePath(wanted));
    QString found;
    for (const QString& entry : dir.entryList(QDir::Files)) {
        if (entry.compare(wanted, Qt::CaseInsensitive) != 0) continue;
        if (!found.isEmpty()) return {}; // two candidates: neither is taken
        found = QDir::toNativeSeparators(dir.filePath(entry));
    }
    return found;
}

void TCabDirectory::Setup(TListingHost& host, TListingCursor& cursor)
{
    if (const int error =
            TCabHeaders::ReadCabinet(host.Source(), host.State().StartOffset - 1, m_cabinet))
        host.Fail(error);
    m_visited.insert(host.State().ArchiveFile.toCaseFolded());
    StartCabinet(host, cursor);
}

void TCabDirectory::StartCabinet(TListingHost& host, TListingCursor& cursor)
{
    cursor.E = host.Source().Size();
    cursor.P = m_cabinet.Start + m_cabinet.FirstFile;
    m_filesLeft = m_cabinet.FileCount;
    if (m_filesLeft == 0) NextCabinet(host, cursor);
}

void TCabDirectory::ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                               std::span<const uint8_t>)
{
    TCabFile f;
    if (m_filesLeft <= 0 || !TCabHeaders::ReadFile(host.Source(), headerPos, f)) {
        cursor.End();
        return;
    }
    --m_filesLeft;
    TArchiveMember& m = host.Member();
    m.MemberName = BackslashPath(f.Name);
    m.PackedSize = m.UnpackedSize = int32_t(f.Size);
    m.MemberDate = DosDateTimeToDateTime(uint32_t(f.Date) << 16 | f.Time);
    // A cabinet's folders may be compressed differently: the file's own folder decides.
    const size_t folder = f.FolderIndex(m_cabinet);
    m.Method = int16_t(m_cabinet.Folders[folder < m_cabinet.Folders.size() ? folder : 0]
                           .CompressionType);
    m.MethodName = TCabHeaders::MethodName(uint16_t(m.Method));
    m.VersionMadeBy = m_cabinet.VersionMinor;
    m.VersionNeeded = m_cabinet.VersionMajor;
    m.InternalAttr = int16_t(f.Attributes);
    m.ExternalAttr = f.Attributes;
    host.ReportMember(headerPos);
    cursor.P = f.NextPos;
    if (m_filesLeft == 0) NextCabinet(host, cursor);
}

void TCabDirectory::NextCabinet(TListingHost& host, TListingCursor& cursor)
{
    if (!m_cabinet.HasNext() || m_visited.size() >= MaxCabinets) {
        cursor.End();
        return;
    }
    TArchiveState& state = host.State();
    const std::string nextName = m_cabinet.NextCabinet;
    const std::string disk = m_cabinet.NextDisk;
    const QString shownName = QString::fromLocal8Bit(nextName.c_str());
    QString next = FindInFolder(state.ArchiveFile, nextName);
    if (next.isEmpty()) {
        host.Notify(E_NEXTVOLUME, shownName, disk);
        next = FindInFolder(state.ArchiveFile, nextName);
    }
    if (next.isEmpty() || m_visited.count(next.toCaseFolded())) {
        host.OpenVolume(state.ArchiveFile);
        if (next.isEmpty()) host.Fail(E_FILENOTFOUND);
        cursor.End();
        return;
    }
    if (!host.OpenVolume(next)) {
        host.OpenVolume(state.ArchiveFile);
        host.Fail(E_READ);
    }
    m_visited.insert(next.toCaseFolded());
    if (TCabHeaders::ReadCabinet(host.Source(), 0, m_cabinet) != 0) {
        host.Notify(E_BADFILEHEADER, shownName, disk);
        cursor.End();
        return;
    }
    StartCabinet(host, cursor);
}

} // namespace quorvex
