#include "ArcType.h"

namespace quorvex {

const char* ArcTypeName(TArcType type)
{
    static const char* const names[] = {
        "atNA",     "atUnsupported", "atFileError", "atUnknown", "atARJ",    "atArjExe",
        "atARC",    "atArcExe",      "atBH",        "atBHExe",   "atCAB",    "atGZip",
        "atHA",     "atLHA",         "atLhaExe",    "atLZH",     "atLzhExe", "atPAK",
        "atPakExe", "atRAR",         "atRarExe",    "atTAR",     "atZIP",    "atZipExe",
        "atZip250", "atZip250Exe",   "atZOO",
    };
    return type <= atZOO ? names[type] : "";
}

} // namespace quorvex
