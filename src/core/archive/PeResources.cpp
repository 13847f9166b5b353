#include "PeResources.h"

#include "ArchiveSource.h"
#include "ByteOrder.h"

#include <vector>

namespace quorvex {

namespace {

constexpr uint32_t ResourceTypeString = 6;
constexpr uint32_t SubdirectoryFlag = 0x80000000u;
constexpr uint16_t MaxSections = 96;

} // namespace

bool TPeStringResources::Open(TArchiveSource& source)
{
    m_source = &source;
    m_sections.clear();
    m_resourceSize = 0;
    uint8_t dos[64];
    if (!source.ReadExact(0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') return false;
    const int64_t pe = GetU32(dos + 0x3C);
    uint8_t coff[24];
    if (!source.ReadExact(pe, coff, sizeof coff) || GetU32(coff) != 0x00004550) return false;
    const uint16_t sectionCount = GetU16(coff + 6);
    const uint16_t optionalSize = GetU16(coff + 20);
    const int64_t optional = pe + 24;
    std::vector<uint8_t> opt(optionalSize);
    if (optionalSize < 2 || !source.ReadExact(optional, opt.data(), opt.size())) return false;
    const uint16_t magic = GetU16(opt.data());
    size_t countAt;
    if (magic == 0x10B)
        countAt = 92;
    else if (magic == 0x20B)
        countAt = 108;
    else
        return false;
    if (opt.size() < countAt + 4) return false;
    const uint32_t directoryCount = GetU32(opt.data() + countAt);
    const size_t resourceEntry = countAt + 4 + 2 * 8;
    if (directoryCount < 3 || opt.size() < resourceEntry + 8) return false;
    const uint32_t resourceRva = GetU32(opt.data() + resourceEntry);
    m_resourceSize = GetU32(opt.data() + resourceEntry + 4);
    if (resourceRva == 0 || m_resourceSize < 16 || sectionCount > MaxSections) return false;

    const int64_t table = optional + optionalSize;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        uint8_t s[40];
        if (!source.ReadExact(table + int64_t(i) * 40, s, sizeof s)) return false;
        m_sections.push_back({GetU32(s + 12), GetU32(s + 8), GetU32(s + 16), GetU32(s + 20)});
    }
    auto start = FileOffsetOfRva(resourceRva, 16);
    if (!start) return false;
    m_resourceStart = *start;
    return true;
}

std::optional<int64_t> TPeStringResources::FileOffsetOfRva(uint32_t rva, uint32_t length) const
{
    for (const TSection& s : m_sections) {
        const uint64_t end = uint64_t(s.VirtualAddress) + std::max(s.VirtualSize, s.RawSize);
        if (rva < s.VirtualAddress || rva >= end) continue;
        const uint64_t within = rva - s.VirtualAddress;
        if (within + length > s.RawSize) return std::nullopt;
        return int64_t(s.RawOffset) + int64_t(within);
    }
    return std::nullopt;
}

// Returns the entry's OffsetToData for the entry with `id`, or of the first entry when no id
// is given.
std::optional<uint32_t> TPeStringResources::FindEntry(uint32_t directoryOffset,
                                                      std::optional<uint32_t> id) const
{
    uint8_t head[16];
    if (uint64_t(directoryOffset) + 16 > m_resourceSize ||
        !m_source->ReadExact(m_resourceStart + directoryOffset, head, sizeof head))
        return std::nullopt;
    const uint32_t named = GetU16(head + 12);
    const uint32_t total = named + GetU16(head + 14);
    for (uint32_t i = 0; i < total; ++i) {
        const uint64_t at = uint64_t(directoryOffset) + 16 + uint64_t(i) * 8;
        uint8_t entry[8];
        if (at + 8 > m_resourceSize ||
            !m_source->ReadExact(m_resourceStart + int64_t(at), entry, 8))
            return std::nullopt;
        const uint32_t name = GetU32(entry);
        if (!id || (i >= named && name == *id)) return GetU32(entry + 4);
    }
    return std::nullopt;
}

std::optional<QString> TPeStringResources::String(unsigned id, int maxChars) const
{
    if (!m_source || m_resourceSize == 0) return std::nullopt;
    // Strings live in blocks of 16; block n + 1 holds ids 16n .. 16n + 15.
    auto type = FindEntry(0, ResourceTypeString);
    if (!type || !(*type & SubdirectoryFlag)) return std::nullopt;
    auto block = FindEntry(*type & ~SubdirectoryFlag, id / 16 + 1);
    if (!block || !(*block & SubdirectoryFlag)) return std::nullopt;
    auto language = FindEntry(*block & ~SubdirectoryFlag, std::nullopt);
    if (!language || (*language & SubdirectoryFlag)) return std::nullopt;

    uint8_t data[16];
    if (uint64_t(*language) + 16 > m_resourceSize ||
        !m_source->ReadExact(m_resourceStart + *language, data, sizeof data))
        return std::nullopt;
    const uint32_t dataRva = GetU32(data);
    const uint32_t dataSize = GetU32(data + 4);
    auto at = FileOffsetOfRva(dataRva, dataSize);
    if (!at) return std::nullopt;

    int64_t pos = *at;
    const int64_t end = *at + dataSize;
    for (unsigned index = 0; index < 16; ++index) {
        uint8_t lengthBytes[2];
        if (pos + 2 > end || !m_source->ReadExact(pos, lengthBytes, 2)) return std::nullopt;
        const uint32_t length = GetU16(lengthBytes);
        pos += 2;
        if (pos + int64_t(length) * 2 > end) return std::nullopt;
        if (index == id % 16) {
            const int take = int(std::min<uint32_t>(length, uint32_t(std::max(maxChars, 0))));
            std::vector<uint8_t> text(size_t(take) * 2);
            if (take > 0 && !m_source->ReadExact(pos, text.data(), text.size()))
                return std::nullopt;
            QString s;
            for (int k = 0; k < take; ++k)
                s.append(QChar(GetU16(text.data() + 2 * k)));
            return s;
        }
        pos += int64_t(length) * 2;
    }
    return std::nullopt;
}

} // namespace quorvex
