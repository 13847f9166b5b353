#include "catalog/ItemRecords.h"

#include "catalog/ReadAheadStream.h"

#include <cstring>
#include <new>

namespace quorvex {

void TText::Assign(std::string_view s)
{
    Reset();
    if (s.empty()) return;
    const uint32_t n = static_cast<uint32_t>(s.size());
    m_data = new char[sizeof(uint32_t) + n + 1];
    std::memcpy(m_data, &n, sizeof n);
    std::memcpy(m_data + sizeof n, s.data(), n);
    m_data[sizeof n + n] = 0;
}

void TText::Reset()
{
    delete[] m_data;
    m_data = nullptr;
}

size_t TText::Length() const
{
    if (!m_data) return 0;
    uint32_t n;
    std::memcpy(&n, m_data, sizeof n);
    return n;
}

std::string_view TText::View() const
{
    if (!m_data) return {};
    return {m_data + sizeof(uint32_t), Length()};
}

TFileRec* TFileRec::New(std::string_view name)
{
    if (name.size() > MaxShortString) name = name.substr(0, MaxShortString);
    void* mem = ::operator new(RecordBytes(name.size()));
    auto* rec = new (mem) TFileRec;
    rec->KindFlags = ikFile;
    rec->NameLen = static_cast<uint8_t>(name.size());
    std::memcpy(rec->NameData(), name.data(), name.size());
    return rec;
}

void FreeFileRec(TFileRec* rec)
{
    if (!rec) return;
    rec->~TFileRec();
    ::operator delete(rec);
}

TCatalogRec::TCatalogRec() { KindFlags = ikCatalog | ifInScope; }
TCatalogRec::~TCatalogRec() = default;

} // namespace quorvex
