#include "extract/Extractors.h"

#include "archive/ArchiveKinds.h"
#include "extract/UnGZIP.h"
#include "extract/UnOldFormats.h"
#include "extract/UnRAR.h"
#include "extract/UnTAR.h"
#include "extract/UnZIP.h"

namespace quorvex
{

std::unique_ptr<TUnBase> MakeExtractor(int archiveKind)
{
    switch (archiveKind) {
    case akARC:
        return std::make_unique<TUnARC>();
    case akARJ:
        return std::make_unique<TUnARJ>();
    case akLHA:
    case akLZH:
        return std::make_unique<TUnLHA>();
    case akZOO:
        return std::make_unique<TUnZOO>();
    case akRAR:
        return std::make_unique<TUnRAR>();
    case akZIP:
        return std::make_unique<TUnZIP>();
    case akTAR:
        return std::make_unique<TUnTAR>();
    case akGZ:
        return std::make_unique<TUnGZIP>();
    default:
        return nullptr;
    }
}

} // namespace quorvex
