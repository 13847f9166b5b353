#include "TestData.h"

#include <fstream>
#include <iterator>

namespace testdata {

Bytes Make(TKind kind, size_t size, uint64_t seed)
{
    static const char* words[] = {"the ", "disk ", "catalog ", "archive ", "member ", "of ",
                                  "file ", "folder ", "\r\n", "description ", "1996 ", "and "};
    TRandom rnd(seed);
    Bytes out;
    out.reserve(size);
    while (out.size() < size) {
        TKind k = kind;
        if (kind == TKind::Mixed) k = TKind(rnd.Below(3));
        size_t piece = kind == TKind::Mixed ? 1 + rnd.Below(4000) : size;
        for (size_t i = 0; i < piece && out.size() < size;) {
            switch (k) {
            case TKind::Random: out.push_back(uint8_t(rnd.Next())); ++i; break;
            case TKind::Text:
                for (const char* w = words[rnd.Below(12)]; *w && out.size() < size; ++w, ++i)
                    out.push_back(uint8_t(*w));
                break;
            default: {
                uint8_t b = uint8_t(rnd.Below(4) == 0 ? rnd.Next() : 0);
                for (size_t n = 1 + rnd.Below(300); n && out.size() < size; --n, ++i)
                    out.push_back(b);
                break;
            }
            }
        }
    }
    return out;
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string Fixture(const std::string& name)
{
    return std::string(QUORVEX_FIXTURES) + "/decompress/" + name;
}

} // namespace testdata
