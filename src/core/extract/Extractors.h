#pragma once
// The extractor for each archive kind; none for the kinds that cannot be unpacked.

#include "extract/UnBase.h"

#include <memory>

namespace quorvex
{

std::unique_ptr<TUnBase> MakeExtractor(int archiveKind);

} // namespace quorvex
