#include "decompress/Decompress.h"

#include "decompress/ArcMethods.h"
#include "decompress/ArjFast.h"
#include "decompress/DecodeErrors.h"
#include "decompress/Explode.h"
#include "decompress/Inflate.h"
#include "decompress/LzhAdaptive.h"
#include "decompress/LzhStatic.h"
#include "decompress/StoredCopy.h"
#include "decompress/ZooLzw.h"
#include "decompress/Unreduce.h"
#include "decompress/Unshrink.h"

namespace quorvex {

int Decompress(const TDecodeRequest& r, IByteSource& source, TDecodeSink& sink)
{
    switch (r.method) {
    case TDecodeMethod::Stored: return StoredCopy(source, sink, r.unpackedSize);
    case TDecodeMethod::Shrink: return UnshrinkDecode(source, sink, r.unpackedSize);
    case TDecodeMethod::Reduce1:
    case TDecodeMethod::Reduce2:
    case TDecodeMethod::Reduce3:
    case TDecodeMethod::Reduce4:
        return UnreduceDecode(int(r.method) - int(TDecodeMethod::Reduce1) + 1, source, sink,
                              r.unpackedSize);
    case TDecodeMethod::Implode: return ExplodeDecode(r.zipFlags, source, sink, r.unpackedSize);
    case TDecodeMethod::Deflate: return Inflate(source, sink);
    case TDecodeMethod::ArjLzh: return LzhStaticDecode(LzhArj, source, sink, r.unpackedSize);
    case TDecodeMethod::ArjFast: return ArjFastDecode(source, sink, r.unpackedSize);
    case TDecodeMethod::Lh1: return LzhAdaptiveDecode(source, sink, r.unpackedSize);
    case TDecodeMethod::Lh4: return LzhStaticDecode(LzhLh4, source, sink, r.unpackedSize);
    case TDecodeMethod::Lh5: return LzhStaticDecode(LzhLh5, source, sink, r.unpackedSize);
    case TDecodeMethod::ZooLzw: return ZooLzwDecode(source, sink, r.unpackedSize);
    case TDecodeMethod::ArcPack: return ArcUnpack(source, sink, r.unpackedSize);
    case TDecodeMethod::ArcSqueeze: return ArcUnsqueeze(source, sink, r.unpackedSize);
    case TDecodeMethod::ArcCrunch5: return ArcUncrunchHashed(5, source, sink, r.unpackedSize);
    case TDecodeMethod::ArcCrunch6: return ArcUncrunchHashed(6, source, sink, r.unpackedSize);
    case TDecodeMethod::ArcCrunch7: return ArcUncrunchHashed(7, source, sink, r.unpackedSize);
    case TDecodeMethod::ArcCrunch8: return ArcUncrunchDynamic(false, source, sink, r.unpackedSize);
    case TDecodeMethod::ArcSquash: return ArcUncrunchDynamic(true, source, sink, r.unpackedSize);
    }
    return ecUnsupportedMethod;
}

} // namespace quorvex
