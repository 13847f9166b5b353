#pragma once
// The listing component: reports every member of an archive that matches FileSpec through
// its events, one directory reader per format doing the format's part.

#include "ArchiveSource.h"
#include "DirectoryReader.h"
#include "ZipCommon.h"

#include <QString>

#include <functional>
#include <string>

namespace quorvex {

class TArchiveLister : public TZipCommon
{
public:
    using TNotifyEvent = std::function<void(TArchiveLister& sender)>;
    using TReadEvent = std::function<void(TArchiveLister& sender, int32_t Offset, int32_t Filenum)>;
    using TTotalsEvent = std::function<void(TArchiveLister& sender, int32_t NumFiles)>;

    TArchiveLister();
    ~TArchiveLister() override;

    // Only the file-name part of what is written is kept; "/" counts as "\".
    void SetFileSpec(const QString& spec);
    QString FileSpec() const { return QString::fromStdString(m_fileSpec); }
    // Clamped to 0..32767: extra bytes searched for a self-extracting ZIP's end record.
    void SetZipCmntBufSize(int size);
    int ZipCmntBufSize() const { return m_zipCmntBufSize; }

    // Lists the archive. True when no archive file is set or the listing ran to its end;
    // false after an error (already reported to OnError). Members reported before an
    // error stay reported.
    bool Activate();

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnReadBegin;
    TReadEvent OnRead;
    TNotifyEvent OnReadEnd;
    TTotalsEvent OnTotals;

private:
    void RunListing(bool& activated);
    void ResetMember();

    // What the directory readers see of the listing.
    class THost : public TListingHost
    {
    public:
        explicit THost(TArchiveLister& owner) : m_owner(owner) {}
        TArchiveSource& Source() override { return m_owner.m_source; }
        TArchiveState& State() override { return m_owner.m_state; }
        TArchiveMember& Member() override { return m_owner.m_member; }
        void ReportMember(int64_t headerOffset) override { m_owner.ReportMember(headerOffset); }
        [[noreturn]] void Fail(int code, const std::string& volumeId) override
        {
            m_owner.Fail(code, volumeId);
        }
        bool OpenVolume(const QString& fileName) override { return m_owner.OpenVolume(fileName); }
        void Notify(int code, const QString& fileName, const std::string& volumeId) override;

    private:
        TArchiveLister& m_owner;
    };

    void ReportMember(int64_t headerOffset);
    [[noreturn]] void Fail(int code, const std::string& volumeId);
    bool OpenVolume(const QString& fileName);

    THost m_host{*this};
    TArchiveSource m_source;
    std::string m_fileSpec = "*.*";
    int m_volumeGeneration = 0;
};

} // namespace quorvex
