#pragma once
// ARC's run-length step: 0x90 followed by a count repeats the byte before it to count copies
// in all; 0x90 followed by 0 is a literal 0x90. Used alone (packing) and after squeezing and
// most crunching methods.

#include "decompress/WindowOutput.h"

namespace quorvex {

class TRleOutput {
public:
    explicit TRleOutput(TWindowOutput& out) : m_out(out) {}
    bool Done() const { return m_out.Done(); }
    void Put(uint8_t c)
    {
        if (!m_repeat) {
            if (c == Marker) {
                m_repeat = true;
            } else {
                m_out.Put(c);
                m_last = c;
            }
            return;
        }
        m_repeat = false;
        if (c == 0) {
            m_out.Put(Marker);
            return;
        }
        while (--c && !m_out.Done()) m_out.Put(m_last);
    }

private:
    static constexpr uint8_t Marker = 0x90;
    TWindowOutput& m_out;
    uint8_t m_last = 0;
    bool m_repeat = false;
};

} // namespace quorvex
