#include "decompress/MethodCodes.h"

namespace quorvex {

std::optional<TDecodeMethod> ZipDecodeMethod(int method)
{
    switch (method) {
    case 0: return TDecodeMethod::Stored;
    case 1: return TDecodeMethod::Shrink;
    case 2: return TDecodeMethod::Reduce1;
    case 3: return TDecodeMethod::Reduce2;
    case 4: return TDecodeMethod::Reduce3;
    case 5: return TDecodeMethod::Reduce4;
    case 6: return TDecodeMethod::Implode;
    case 8: return TDecodeMethod::Deflate;
    default: return std::nullopt;
    }
}

std::optional<TDecodeMethod> ArjDecodeMethod(int method)
{
    switch (method) {
    case 0: return TDecodeMethod::Stored;
    case 1:
    case 2:
    case 3: return TDecodeMethod::ArjLzh;
    case 4: return TDecodeMethod::ArjFast;
    default: return std::nullopt;
    }
}

std::optional<TDecodeMethod> LhaDecodeMethod(const std::string& method)
{
    if (method == "-lh0-") return TDecodeMethod::Stored;
    if (method == "-lh1-") return TDecodeMethod::Lh1;
    if (method == "-lh4-") return TDecodeMethod::Lh4;
    if (method == "-lh5-") return TDecodeMethod::Lh5;
    return std::nullopt;
}

std::optional<TDecodeMethod> ZooDecodeMethod(int method)
{
    switch (method) {
    case 0: return TDecodeMethod::Stored;
    case 1: return TDecodeMethod::ZooLzw;
    case 2: return TDecodeMethod::Lh5;
    default: return std::nullopt;
    }
}

std::optional<TDecodeMethod> ArcDecodeMethod(int method)
{
    switch (method) {
    case 1:
    case 2: return TDecodeMethod::Stored;
    case 3: return TDecodeMethod::ArcPack;
    case 4: return TDecodeMethod::ArcSqueeze;
    case 5: return TDecodeMethod::ArcCrunch5;
    case 6: return TDecodeMethod::ArcCrunch6;
    case 7: return TDecodeMethod::ArcCrunch7;
    case 8: return TDecodeMethod::ArcCrunch8;
    case 9: return TDecodeMethod::ArcSquash;
    default: return std::nullopt;
    }
}

} // namespace quorvex
