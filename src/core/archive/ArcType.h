#pragma once
// The archive type recognised from a file's content. The values are stored and compared as
// numbers, so the order is fixed.

#include <cstdint>

namespace quorvex {

enum TArcType : uint8_t {
    atNA = 0,
    atUnsupported,
    atFileError,
    atUnknown,
    atARJ,
    atArjExe,
    atARC,
    atArcExe,
    atBH,
    atBHExe,
    atCAB,
    atGZip,
    atHA,
    atLHA,
    atLhaExe,
    atLZH,
    atLzhExe,
    atPAK,
    atPakExe,
    atRAR,
    atRarExe,
    atTAR,
    atZIP,
    atZipExe,
    atZip250,
    atZip250Exe,
    atZOO,
};

// "atZIP", "atGZip", ... as declared.
const char* ArcTypeName(TArcType type);

// The types whose directory is the ZIP central directory.
inline bool IsZipFamily(TArcType t)
{
    return t == atZIP || t == atZipExe || t == atZip250 || t == atZip250Exe;
}

} // namespace quorvex
