#include "config/Extended80.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace quorvex {

constexpr int ExponentBias = 16383;
constexpr uint16_t MaxExponent = 0x7FFF;
constexpr uint64_t IntegerBit = uint64_t(1) << 63;

QByteArray EncodeExtended80(double value)
{
    uint64_t mantissa = 0;
    uint16_t exponent = 0;
    if (std::isnan(value)) {
        exponent = MaxExponent;
        mantissa = IntegerBit | (IntegerBit >> 1);
    } else if (std::isinf(value)) {
        exponent = MaxExponent;
        mantissa = IntegerBit;
    } else if (value != 0) {
        int e = 0;
        const double fraction = std::frexp(std::fabs(value), &e); // [0.5, 1) x 2^e
        mantissa = uint64_t(std::ldexp(fraction, 64));
        exponent = uint16_t(e - 1 + ExponentBias);
    }
    if (std::signbit(value)) exponent |= 0x8000;
    QByteArray bytes(Extended80Size, '\0');
    for (int i = 0; i < 8; ++i) bytes[i] = char(uint8_t(mantissa >> (8 * i)));
    bytes[8] = char(uint8_t(exponent));
    bytes[9] = char(uint8_t(exponent >> 8));
    return bytes;
}

std::optional<double> DecodeExtended80(const QByteArray& bytes)
{
    if (bytes.size() != Extended80Size) return std::nullopt;
    uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i) mantissa |= uint64_t(uint8_t(bytes[i])) << (8 * i);
    const uint16_t signExponent = uint16_t(uint8_t(bytes[8]) | uint8_t(bytes[9]) << 8);
    const bool negative = signExponent & 0x8000;
    const int exponent = signExponent & MaxExponent;
    double value;
    if (exponent == MaxExponent) {
        value = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::quiet_NaN();
    } else {
        // Denormals (exponent 0) have the exponent of the smallest normal number.
        const int unbiased = (exponent == 0 ? 1 : exponent) - ExponentBias;
        value = std::ldexp(double(mantissa), unbiased - 63);
    }
    return negative ? -value : value;
}

} // namespace quorvex
