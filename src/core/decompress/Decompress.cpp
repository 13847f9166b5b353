#include "decompress/Decompress.h"

#include "decompress/DecodeErrors.h"
#include "decompress/Inflate.h"
#include "decompress/LzhStatic.h"
#include "decompress/StoredCopy.h"

namespace quorvex {

int Decompress(const TDecodeRequest& r, IByteSource& source, TDecodeSink& sink)
{
    switch (r.method) {
    case TDecodeMethod::Stored: return StoredCopy(source, sink, r.unpackedSize);
    case TDecodeMethod::Deflate: return Inflate(source, sink);
    case TDecodeMethod::ArjLzh: return LzhStaticDecode(LzhArj, source, sink, r.unpackedSize);
    case TDecodeMethod::Lh4: return LzhStaticDecode(LzhLh4, source, sink, r.unpackedSize);
    case TDecodeMethod::Lh5: return LzhStaticDecode(LzhLh5, source, sink, r.unpackedSize);
    default: return ecUnsupportedMethod;
    }
}

} // namespace quorvex
