#pragma once
// Runs one decoder over a byte vector and collects what it produced.

#include "decompress/DecodeErrors.h"
#include "decompress/Decompress.h"

#include "TestData.h"

namespace testdata {

struct TDecoded {
    int code = 0;
    Bytes data;
    uint32_t check = 0;
};

TDecoded Decode(quorvex::TDecodeMethod method, const Bytes& packed, int64_t unpackedSize,
                quorvex::TCheckKind check = quorvex::TCheckKind::Crc32, uint16_t zipFlags = 0);

// The plain file a fixture member was made from, told by its size.
Bytes PlainBySize(uint32_t size);

} // namespace testdata
