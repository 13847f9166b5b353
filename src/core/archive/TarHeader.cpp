#include "TarHeader.h"

namespace quorvex {

uint64_t TarOctal(const uint8_t* field, size_t width)
{
    uint64_t v = 0;
    for (size_t i = 0; i < width; ++i)
        if (field[i] >= '0' && field[i] <= '7') v = v * 8 + uint64_t(field[i] - '0');
    return v;
}

bool IsTarHeader(const uint8_t block[TarBlock])
{
    uint64_t sum = 0;
    for (int i = 0; i < TarBlock; ++i)
        sum += (i >= 148 && i < 156) ? 32 : block[i];
    return TarOctal(block + 148, 8) == sum;
}

} // namespace quorvex
