#pragma once
// The frame of a directory that is a chain of member headers: the format's header walker
// reads one header and says where the next one stands; the chain ends where the walker
// finds no header. A reader names its walker and fills the member from one header.

#include "ArchiveSource.h"
#include "DirectoryReader.h"

#include <optional>

namespace quorvex {

template <class THeader>
class TMemberChainDirectory : public TDirectoryReader
{
public:
    using TReadFn = bool (*)(TArchiveSource& src, int64_t pos, THeader& out);

    size_t HeaderLength() const final { return m_headerLength; }

    void Setup(TListingHost& host, TListingCursor& cursor) final
    {
        cursor.E = host.Source().Size();
        const std::optional<int64_t> first = FirstHeader(host, host.State().StartOffset - 1);
        if (first)
            cursor.P = *first;
        else
            cursor.End();
    }

    void ReadHeader(TListingHost& host, TListingCursor& cursor, int64_t headerPos,
                    std::span<const uint8_t>) final
    {
        THeader h;
        if (!m_read(host.Source(), headerPos, h)) {
            cursor.End();
            return;
        }
        if (Describe(host, h, host.Member())) host.ReportMember(headerPos);
        if (EndsChain(h))
            cursor.End();
        else
            cursor.P = h.NextPos;
    }

protected:
    TMemberChainDirectory(TReadFn read, size_t headerLength)
        : m_read(read), m_headerLength(headerLength)
    {
    }

    // Where the first member header stands, given where the archive starts; none ends the
    // listing before it begins. Archive-level headers are read here.
    virtual std::optional<int64_t> FirstHeader(TListingHost&, int64_t archiveStart)
    {
        return archiveStart;
    }
    // Fills the member (reset before every header); false when it is not to be reported.
    virtual bool Describe(TListingHost& host, const THeader& h, TArchiveMember& m) = 0;
    virtual bool EndsChain(const THeader&) const { return false; }

private:
    TReadFn m_read;
    size_t m_headerLength;
};

} // namespace quorvex
