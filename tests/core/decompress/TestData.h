#pragma once
// Test inputs shared by the decoder tests: data of several kinds and sizes, fixtures on disk.

#include <cstdint>
#include <string>
#include <vector>

namespace testdata {

using Bytes = std::vector<uint8_t>;

// Deterministic pseudo-random generator (xorshift), so failures reproduce.
class TRandom {
public:
    explicit TRandom(uint64_t seed) : m_s(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint64_t Next()
    {
        m_s ^= m_s << 13;
        m_s ^= m_s >> 7;
        m_s ^= m_s << 17;
        return m_s;
    }
    uint32_t Below(uint32_t n) { return uint32_t(Next() % n); }

private:
    uint64_t m_s;
};

enum class TKind { Random, Text, Runs, Mixed };

Bytes Make(TKind kind, size_t size, uint64_t seed);
Bytes ReadFile(const std::string& path);
std::string Fixture(const std::string& name); // full path below the decompress fixtures

} // namespace testdata
