#pragma once
// Recognises the archive type of a file from its content: the signature at the start, an
// archive inside a self-extracting executable, or a tar header.

#include "ArcType.h"

#include <QString>

#include <cstdint>

namespace quorvex {

struct TDetection {
    TArcType Type = atNA;
    int32_t StartOffset = 1;
    int32_t EmbeddedBase = 0; // ZIP found through an executable's string resources
    int32_t ArchiveSize = 0;
    int32_t ArchiveDate = 0;
    uint32_t ArchiveAttr = 0;
};

// `fileName` is a file-system path to an existing file.
TDetection DetectArchiveType(const QString& fileName, int zipCmntBufSize);

// DOS attributes of a file on this machine: archive, plus read-only and hidden where they
// apply.
uint32_t DosAttributesOf(const QString& fileName);

} // namespace quorvex
