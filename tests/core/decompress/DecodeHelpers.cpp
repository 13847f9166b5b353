#include "DecodeHelpers.h"

#include <gtest/gtest.h>

using namespace quorvex;

namespace testdata {

TDecoded Decode(TDecodeMethod method, const Bytes& packed, int64_t unpackedSize,
                TCheckKind check, uint16_t zipFlags)
{
    TMemorySource src(packed.data(), packed.size());
    TBufferWriter writer;
    TDecodeSink sink(writer, check);
    TDecodeRequest request;
    request.method = method;
    request.unpackedSize = unpackedSize;
    request.zipFlags = zipFlags;
    TDecoded r;
    r.code = Decompress(request, src, sink);
    r.data = writer.Data();
    r.check = sink.CheckValue();
    return r;
}

Bytes PlainBySize(uint32_t size)
{
    switch (size) {
    case 70000: return ReadFile(Fixture("mixed.bin"));
    case 3000: return ReadFile(Fixture("small.txt"));
    case 6000: return ReadFile(Fixture("skewed.txt"));
    case 5000: return ReadFile(Fixture("runs.bin"));
    case 4000: return ReadFile(Fixture("marker.bin"));
    default: ADD_FAILURE() << "no plain file of size " << size; return {};
    }
}

} // namespace testdata
