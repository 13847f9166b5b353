#pragma once
// The shared frame of the per-format directory readers. The listing loop reads one
// fixed-length header at a time at position P while P + HeaderLength() < E and hands it to
// the format's reader, which fills the member record, reports the member and moves P on.
// A new format is one class derived from TDirectoryReader (or, for a chain of member
// headers, from TMemberChainDirectory) plus one line in DirectoryReaders.cpp.

#include "ArcType.h"
#include "ArchiveMember.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace quorvex {

class TArchiveSource;

// What a reader may use of the listing that runs it.
class TListingHost
{
public:
    virtual ~TListingHost() = default;
    virtual TArchiveSource& Source() = 0;
    virtual TArchiveState& State() = 0;
    // The current member, reset before every header.
    virtual TArchiveMember& Member() = 0;
    // Applies the file specification and, when the member matches, counts it and fires the
    // member events. `headerOffset` is the 0-based position of the member's header.
    virtual void ReportMember(int64_t headerOffset) = 0;
    // Fatal: reported to OnError, then E_RAISE is thrown; the listing ends.
    [[noreturn]] virtual void Fail(int code, const std::string& volumeId = "0") = 0;
    // Closes the file being read and opens the next volume of a set (its name becomes
    // VolumeFileName, its size ArchiveSize); false when it cannot be opened.
    virtual bool OpenVolume(const QString& fileName) = 0;
    // Not fatal: reported to OnError only.
    virtual void Notify(int code, const QString& fileName, const std::string& volumeId) = 0;
};

// The loop's positions: P, the next header, and E, the end (normally the file size).
struct TListingCursor {
    int64_t P = 0;
    int64_t E = 0;
    void End() { P = E; }
};

class TDirectoryReader
{
public:
    virtual ~TDirectoryReader() = default;
    // The fixed header length H read by the loop.
    virtual size_t HeaderLength() const = 0;
    // Once before the loop: archive-level headers, the archive comment, P and E.
    virtual void Setup(TListingHost& host, TListingCursor& cursor) = 0;
    // Once per header read at `headerPos`. Sets cursor.P to the next header, or ends the
    // loop with cursor.End().
    virtual void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                            std::span<const uint8_t> header) = 0;
    // Once after the loop has run to its end without an error.
    virtual void Finish(TListingHost&) {}
};

// The reader for a detected type; null when this program has none for it.
std::unique_ptr<TDirectoryReader> MakeDirectoryReader(TArcType type);

// Shared helpers for readers.
std::string BackslashPath(std::string name);     // every "/" becomes "\"
std::string UpToNul(const uint8_t* p, size_t n); // text up to the first NUL
const char* MethodNameOf(const char* const* names, size_t count,
                         int code); // "Unknown" past the table

} // namespace quorvex
