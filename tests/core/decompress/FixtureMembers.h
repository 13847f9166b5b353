#pragma once
// Just enough header parsing to pull each member's packed data out of the fixture archives.

#include "TestData.h"

#include <string>
#include <vector>

namespace testdata {

struct TMember {
    std::string name;
    int method = 0;
    uint32_t flags = 0;
    uint32_t crc = 0;
    uint32_t unpackedSize = 0;
    uint16_t dosTime = 0;
    Bytes packed;
};

std::vector<TMember> ZipMembers(const Bytes& archive);
std::vector<TMember> ArjMembers(const Bytes& archive);
std::vector<TMember> LhaMembers(const Bytes& archive); // method is the digit of -lhN-
std::vector<TMember> ArcMembers(const Bytes& archive);
TMember GzipMember(const Bytes& file);

} // namespace testdata
