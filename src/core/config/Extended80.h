#pragma once
// The 80-bit extended-precision real of the report margins: 64-bit mantissa with its integer
// bit, 15-bit exponent (bias 16383) and sign, 10 bytes little-endian.

#include <QByteArray>

#include <optional>

namespace quorvex {

constexpr qsizetype Extended80Size = 10;

QByteArray EncodeExtended80(double value);
// Nothing unless exactly 10 bytes are given.
std::optional<double> DecodeExtended80(const QByteArray& bytes);

} // namespace quorvex
