#pragma once
// The base of the listing and extraction components: the archive file, its detected type,
// the current member record and the reporting of numbered errors.

#include "ArcType.h"
#include "ArchiveMember.h"

#include <QString>

#include <functional>

namespace quorvex {

// The root of the archive components; it has no behaviour of its own.
class TAwkMain
{
public:
    virtual ~TAwkMain() = default;
};

class TZipCommon : public TAwkMain
{
public:
    using TErrorEvent = std::function<void(TZipCommon& sender, const QString& FN,
                                           const QString& VolumeID, int ECode)>;

    // Setting a name that exists stores it and detects its type at once; a name that does
    // not exist clears it; an empty name re-detects the stored one.
    void SetArchiveFile(const QString& fileName);
    const QString& ArchiveFile() const { return m_state.ArchiveFile; }
    TArcType ArcType() const { return m_state.ArcType; }
    // The written value is ignored: the type is detected again.
    void SetArcType(TArcType);

    const TArchiveState& State() const { return m_state; }
    // The current member, valid inside OnRead.
    const TArchiveMember& Member() const { return m_member; }

    TErrorEvent OnError;

protected:
    void Detect();
    // Reports to OnError, then throws E_RAISE.
    [[noreturn]] void RaiseError(int code, const QString& fileName, const QString& volumeId);
    void ReportError(int code, const QString& fileName, const QString& volumeId);

    TArchiveState m_state;
    TArchiveMember m_member;
    int m_zipCmntBufSize = 0;
};

} // namespace quorvex
