#include "ZipCommon.h"

#include "ArchiveErrors.h"
#include "TypeDetection.h"

#include <QDir>
#include "platform/NativeNames.h"

#include <QFileInfo>

namespace quorvex {

void TZipCommon::SetArchiveFile(const QString& fileName)
{
    m_state.StartOffset = 1;
    m_state.MemberCount = 0;
    if (fileName.isEmpty()) {
        if (!m_state.ArchiveFile.isEmpty()) Detect();
        return;
    }
    // "/" and "\" both separate folders; the stored name uses the platform's separator.
    QString name = fileName;
    name.replace(u'\\', u'/');
    name = QDir::toNativeSeparators(name);
    if (NativeIsFile(QDir::fromNativeSeparators(name))) {
        m_state.ArchiveFile = name;
        Detect();
    } else {
        m_state = TArchiveState{};
        m_state.ArchiveFile.clear();
    }
}

void TZipCommon::SetArcType(TArcType)
{
    if (!m_state.ArchiveFile.isEmpty()) Detect();
}

void TZipCommon::Detect()
{
    const TDetection d =
        DetectArchiveType(QDir::fromNativeSeparators(m_state.ArchiveFile), m_zipCmntBufSize);
    const QString name = m_state.ArchiveFile;
    m_state = TArchiveState{};
    m_state.ArchiveFile = name;
    m_state.VolumeFileName = name;
    m_state.ArcType = d.Type;
    m_state.StartOffset = d.StartOffset;
    m_state.EmbeddedBase = d.EmbeddedBase;
    m_state.ArchiveSize = d.ArchiveSize;
    m_state.ArchiveDate = d.ArchiveDate;
    m_state.ArchiveAttr = d.ArchiveAttr;
}

void TZipCommon::ReportError(int code, const QString& fileName, const QString& volumeId)
{
    if (OnError) OnError(*this, fileName, volumeId, code);
}

void TZipCommon::RaiseError(int code, const QString& fileName, const QString& volumeId)
{
    ReportError(code, fileName, volumeId);
    throw E_RAISE(code);
}

} // namespace quorvex
