#pragma once
// Reads string-table resources of a Windows executable (PE32 or PE32+) straight from the
// file, without loading it: enough to find where a self-extracting program keeps its
// archive.

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quorvex {

class TArchiveSource;

class TPeStringResources
{
public:
    // Reads the headers and locates the resource section; false for anything that is not a
    // well-formed PE file with resources.
    bool Open(TArchiveSource& source);
    // String `id` of the first language found; nullopt when absent. At most `maxChars`
    // UTF-16 units are returned.
    std::optional<QString> String(unsigned id, int maxChars) const;

private:
    struct TSection {
        uint32_t VirtualAddress, VirtualSize, RawSize, RawOffset;
    };
    std::optional<int64_t> FileOffsetOfRva(uint32_t rva, uint32_t length) const;
    std::optional<uint32_t> FindEntry(uint32_t directoryOffset, std::optional<uint32_t> id) const;

    TArchiveSource* m_source = nullptr;
    std::vector<TSection> m_sections;
    int64_t m_resourceStart = 0; // file offset of the resource directory
    uint32_t m_resourceSize = 0;
};

} // namespace quorvex
