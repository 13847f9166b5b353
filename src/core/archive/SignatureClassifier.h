#pragma once
// The archive type from the first four bytes of an archive, in plain mode (at the start of
// a file) or executable mode (inside a self-extracting program).

#include "ArcType.h"

#include <cstdint>

namespace quorvex {

enum class TSignatureMode { Plain, Executable };

struct TSignatureResult {
    TArcType Type = atUnknown;
    int32_t StartOffset = 0; // > 0 when the signature fixes where the archive begins
};

TSignatureResult ClassifySignature(const uint8_t bytes[4], TSignatureMode mode);

} // namespace quorvex
