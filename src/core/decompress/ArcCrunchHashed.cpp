#include "decompress/ArcMethods.h"

#include "decompress/ArcRle.h"
#include "decompress/BitInput.h"

#include <vector>

namespace quorvex {

namespace {

constexpr int TableSize = 4096;
constexpr uint16_t NoPredecessor = 0xFFFF;

// The string table of the first crunching generations: a code is the slot its string hashed
// to, so the decoder repeats the compressor's hashing and probing to number new strings.
class THashedTable {
public:
    explicit THashedTable(bool newHash) : m_newHash(newHash), m_entries(TableSize)
    {
        for (int c = 0; c < 256; ++c) Add(NoPredecessor, uint8_t(c));
    }
    bool Full() const { return m_used >= TableSize; }
    bool Used(int code) const { return m_entries[size_t(code)].used; }
    uint16_t Predecessor(int code) const { return m_entries[size_t(code)].predecessor; }
    uint8_t Follower(int code) const { return m_entries[size_t(code)].follower; }

    void Add(uint16_t predecessor, uint8_t follower)
    {
        if (Full()) return;
        int slot = Slot(predecessor, follower);
        TEntry& e = m_entries[size_t(slot)];
        e.used = true;
        e.next = 0;
        e.predecessor = predecessor;
        e.follower = follower;
        ++m_used;
    }

private:
    struct TEntry {
        bool used = false;
        uint16_t next = 0;
        uint16_t predecessor = 0;
        uint8_t follower = 0;
    };

    int Hash(uint16_t predecessor, uint8_t follower) const
    {
        uint32_t key = (uint32_t(predecessor) + follower) & 0xFFFF;
        if (m_newHash) return int((key * 15073u) & 0x0FFF);
        uint32_t square = (key | 0x0800) & 0xFFFF;
        square *= square;
        return int((square >> 6) & 0x0FFF);
    }
    // The hashed slot if free; otherwise the end of its chain is linked to the first free
    // slot from 101 places further on.
    int Slot(uint16_t predecessor, uint8_t follower)
    {
        int h = Hash(predecessor, follower);
        if (!m_entries[size_t(h)].used) return h;
        for (int guard = 0; m_entries[size_t(h)].next && guard < TableSize; ++guard)
            h = m_entries[size_t(h)].next;
        int slot = (h + 101) & 0x0FFF;
        while (m_entries[size_t(slot)].used) slot = (slot + 1) & 0x0FFF;
        m_entries[size_t(h)].next = uint16_t(slot);
        return slot;
    }

    bool m_newHash;
    std::vector<TEntry> m_entries;
    int m_used = 0;
};

} // namespace

int ArcUncrunchHashed(int method, IByteSource& source, TDecodeSink& sink, int64_t unpackedSize)
{
    try {
        const bool withRle = method != 5;
        TMsbBits bits(source);
        TWindowOutput out(sink, 15, 0, unpackedSize);
        TRleOutput rle(out);
        THashedTable table(method == 7);
        std::vector<uint8_t> stack(TableSize + 1);
        auto emit = [&](uint8_t c) {
            if (withRle)
                rle.Put(c);
            else
                out.Put(c);
        };
        if (out.Done()) return ecNone;
        int code = int(bits.Get(12));
        if (!table.Used(code) || table.Predecessor(code) != NoPredecessor)
            ThrowDecodeError(ecInvalidCode);
        int oldCode = code;
        uint8_t finChar = table.Follower(code);
        emit(finChar);
        while (!out.Done()) {
            code = int(bits.Get(12));
            int inCode = code;
            size_t depth = 0;
            if (!table.Used(code)) {
                stack[depth++] = finChar;
                code = oldCode;
            }
            while (table.Predecessor(code) != NoPredecessor) {
                if (depth >= TableSize || !table.Used(code)) ThrowDecodeError(ecStackOverflow);
                stack[depth++] = table.Follower(code);
                code = table.Predecessor(code);
                if (code >= TableSize) ThrowDecodeError(ecInvalidCode);
            }
            finChar = table.Follower(code);
            stack[depth++] = finChar;
            while (depth && !out.Done()) emit(stack[--depth]);
            table.Add(uint16_t(oldCode), finChar);
            oldCode = inCode;
        }
        out.Finish();
        bits.CheckEnd();
        return ecNone;
    } catch (...) {
        return CurrentDecodeErrorCode();
    }
}

} // namespace quorvex
