#pragma once
// The extractor base: where members go (ExtractDir, stored folders), which members
// (FileSpec), the events of an extraction and the frame every format's Extract runs in.
// A format supplies its member walk and how one member's data is decoded.

#include "archive/ZipCommon.h"
#include "decompress/Crc.h"
#include "decompress/Decompress.h"

#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace quorvex
{

class TSafeOutputFile;

enum class TSetDate { OrigDate = 0, CurDate = 1 };
enum class TProgressNotify { Five = 0, Ten, Fifteen, Twenty, TwentyFive };

// Raised by an event handler to end an extraction at once (the user cancelled).
class EExtractAbort : public std::runtime_error
{
public:
    EExtractAbort() : std::runtime_error("Canceled by user") {}
};

// One member as the walk found it, with what decoding needs.
struct TMemberData {
    std::string StoredName; // folders separated by "\"
    int64_t DataPos = 0;    // 0-based offset of the packed data in the archive file
    int64_t PackedSize = 0;
    int64_t UnpackedSize = 0;
    std::optional<TDecodeMethod> Method; // none: unsupported method
    uint16_t ZipFlags = 0;
    TCheckKind Check = TCheckKind::None;
    uint32_t StoredCheck = 0;
    double MemberDate = 0; // TDateTime, local; 0 = leave the file's time
    uint32_t DosAttributes = 0x20;
};

class TUnBase : public TZipCommon
{
public:
    using TNotifyEvent = std::function<void(TUnBase& sender)>;
    using TBeginEvent =
        std::function<void(TUnBase& sender, const QString& FN, int RecNum, bool& Extract)>;
    using TEndEvent = std::function<void(TUnBase& sender, const QString& FN, bool CRC_PASS)>;
    using TProgressEvent =
        std::function<void(TUnBase& sender, const QString& FN, uint8_t Progress)>;
    using TFileExistsEvent = std::function<void(TUnBase& sender, const QString& FN, bool& Accept)>;
    using TPasswordEvent =
        std::function<void(TUnBase& sender, const QString& FN, QString& Password, bool& TryAgain)>;

    // Unpacks the members of ArchiveFile that match FileSpec into ExtractDir. Fatal errors
    // go to OnError and then leave as E_RAISE.
    virtual void Extract();
    // The detected types this extractor takes (others give 25138).
    virtual bool AcceptsType(TArcType type) const = 0;

    // Only the file-name part of what is written is kept; "/" counts as "\".
    virtual void SetFileSpec(const QString& spec);
    const QString& FileSpec() const { return m_fileSpec; }

    TSetDate SetDateTo = TSetDate::OrigDate;
    bool UseStoredDirs = false;
    QString ExtractDir;
    TProgressNotify ProgressNotify = TProgressNotify::Ten;
    QStringList Passwords;
    // Errors inside the ZIP and gzip decoders are shown as an information box; off for
    // silent runs.
    bool ShowDecoderErrors = true;

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TBeginEvent OnBegin;
    TEndEvent OnEnd;
    TProgressEvent OnProgress;
    TFileExistsEvent OnFileExists;
    TPasswordEvent OnGetPassword;

    // The output file for a stored name, empty when the name holds no file name. Folder
    // parts that would climb out of the destination are dropped.
    QString OutputName(const std::string& storedName) const;
    // The output file's name against FileSpec (file-name parts only).
    bool MatchesSpec(const QString& outName) const;

protected:
    // Walks the archive and calls ExtractMember for every member, in archive order.
    virtual void ExtractMembers(QFile& archive) = 0;
    // Decodes one member's data into the sink; returns 0 or an error code.
    virtual int DecodeMember(const TMemberData& member, QFile& archive, TDecodeSink& sink);
    // Unpacks a member if its output name matches FileSpec. Returns true when it was unpacked.
    bool ExtractMember(const TMemberData& member, QFile& archive);

    // ZIP and gzip: a decoder error is shown, the member fails and the call goes on; the other
    // formats end the call with it.
    bool m_decoderErrorsShown = false;
    // ARC fires OnBegin before OnFileExists and ends the call on a refused member or a CRC
    // mismatch.
    bool m_arcOrder = false;
    int m_unpacked = 0; // members unpacked in this call
    int m_matched = 0;  // members matched so far (OnBegin's RecNum)
    QString m_fileSpec = QStringLiteral("*.*");

    [[noreturn]] void Fail(int code) { RaiseError(code, ArchiveFile(), QStringLiteral("0")); }
    void Report(int code) { ReportError(code, ArchiveFile(), QStringLiteral("0")); }

    // Prepares the output file of outName below the output root, created and open, or only
    // named for code that makes it itself (byName). False when the member is passed over (a
    // symbolic link in its path, reported); other problems end the call.
    bool OpenOutput(TSafeOutputFile& file, const QString& outName, bool byName = false);

private:
    // outName with " (2)", " (3)"... before its extension: the first name neither written in
    // this call nor on disk.
    QString FreeNameBeside(const QString& outName) const;
    bool WriteMember(const TMemberData& member, QFile& archive, const QString& outName,
                     uint32_t& computed, int& decodeError);
    int m_progressStep = 5;
    QSet<QString> m_written; // output files written in this call
};

// Reads exactly size bytes at offset; false on a short read.
bool ReadAt(QFile& file, int64_t offset, void* dest, int64_t size);

} // namespace quorvex
