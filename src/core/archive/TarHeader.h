#pragma once
// The tar header block: 512 bytes, numbers in ASCII octal.

#include <cstddef>
#include <cstdint>

namespace quorvex {

constexpr int TarBlock = 512;

// Accumulates the digits 0..7 in order, skipping every other character.
uint64_t TarOctal(const uint8_t* field, size_t width);

// The checksum field (8 bytes at 148) equals the sum of all bytes, the field itself taken
// as eight blanks.
bool IsTarHeader(const uint8_t block[TarBlock]);

} // namespace quorvex
