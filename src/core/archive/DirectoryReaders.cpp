#include "DirectoryReader.h"

#include "ArcDirectory.h"
#include "ArjDirectory.h"
#include "BhDirectory.h"
#include "CabDirectory.h"
#include "GzipDirectory.h"
#include "HaDirectory.h"
#include "LhaDirectory.h"
#include "RarDirectory.h"
#include "TarDirectory.h"
#include "ZipDirectory.h"
#include "ZooDirectory.h"

#include <algorithm>
#include <cstring>

namespace quorvex {

std::unique_ptr<TDirectoryReader> MakeDirectoryReader(TArcType type)
{
    switch (type) {
    case atZIP:
    case atZipExe:
    case atZip250:
    case atZip250Exe:
        return std::make_unique<TZipDirectory>();
    case atGZip:
        return std::make_unique<TGzipDirectory>();
    case atTAR:
        return std::make_unique<TTarDirectory>();
    case atARJ:
    case atArjExe:
        return std::make_unique<TArjDirectory>();
    case atLHA:
    case atLhaExe:
    case atLZH:
    case atLzhExe:
        return std::make_unique<TLhaDirectory>();
    case atARC:
    case atArcExe:
        return std::make_unique<TArcDirectory>(false);
    case atPAK:
    case atPakExe:
        return std::make_unique<TArcDirectory>(true);
    case atRAR:
    case atRarExe:
        return std::make_unique<TRarDirectory>();
    case atCAB:
        return std::make_unique<TCabDirectory>();
    case atHA:
        return std::make_unique<THaDirectory>();
    case atBH:
    case atBHExe:
        return std::make_unique<TBhDirectory>();
    case atZOO:
        return std::make_unique<TZooDirectory>();
    default:
        return nullptr;
    }
}

std::string BackslashPath(std::string name)
{
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

std::string UpToNul(const uint8_t* p, size_t n)
{
    const void* nul = std::memchr(p, 0, n);
    const size_t len = nul ? size_t(static_cast<const uint8_t*>(nul) - p) : n;
    return std::string(reinterpret_cast<const char*>(p), len);
}

const char* MethodNameOf(const char* const* names, size_t count, int code)
{
    return code >= 0 && size_t(code) < count && names[code] ? names[code] : "Unknown";
}

} // namespace quorvex
