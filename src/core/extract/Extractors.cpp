#include "extract/Extractors.h"

#include "archive/ArchiveKinds.h"
#include "extract/UnGZIP.h"
#include "extract/UnRAR.h"
#include "extract/UnTAR.h"
#include "extract/UnZIP.h"

namespace quorvex {

std::unique_ptr<TUnBase> MakeExtractor(int archiveKind)
{
    switch (archiveKind) {
    case akRAR: return std::make_unique<TUnRAR>();
    case akZIP: return std::make_unique<TUnZIP>();
    case akTAR: return std::make_unique<TUnTAR>();
    case akGZ: return std::make_unique<TUnGZIP>();
    default: return nullptr;
    }
}

} // namespace quorvex
