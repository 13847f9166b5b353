#include "config/ToolbarLayout.h"

#include <algorithm>

namespace quorvex {

static bool Contains(const std::vector<uint8_t>& list, uint8_t value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

void TToolbarLayout::Load(const std::optional<QByteArray>& stored,
                          const std::vector<uint8_t>& controls)
{
    m_entries.clear();
    m_known = stored.has_value() || !controls.empty();
    if (controls.empty()) {
        if (stored)
            for (qsizetype i = 0; i < stored->size() && i < MaxStoredSize; ++i)
                m_entries.push_back(uint8_t((*stored)[i]));
        return;
    }
    if (!stored) {
        for (uint8_t control : controls) m_entries.push_back(control);
        m_entries.push_back(Divider);
        return;
    }

    bool dividerSeen = false;
    for (qsizetype i = 0; i < stored->size() && i < MaxStoredSize; ++i) {
        const uint8_t entry = uint8_t((*stored)[i]);
        if (entry == Divider) {
            if (!dividerSeen) m_entries.push_back(entry);
            dividerSeen = true;
        } else if (entry == Separator) {
            m_entries.push_back(entry);
        } else if (Contains(controls, entry) && !Contains(m_entries, entry)) {
            m_entries.push_back(entry); // a tag naming no button, or named twice, is dropped
        }
    }
    if (!dividerSeen) m_entries.push_back(Divider);

    // Buttons the stored layout does not name go after their left neighbour on the toolbar.
    uint8_t leftNeighbour = Separator;
    for (uint8_t control : controls) {
        if (control == Separator) continue;
        if (!Contains(m_entries, control)) {
            auto at = m_entries.begin();
            if (leftNeighbour != Separator)
                at = std::find(m_entries.begin(), m_entries.end(), leftNeighbour) + 1;
            m_entries.insert(at, control);
        }
        leftNeighbour = control;
    }
}

void TToolbarLayout::SetEntries(std::vector<uint8_t> entries)
{
    if (entries.size() > size_t(MaxStoredSize)) entries.resize(size_t(MaxStoredSize));
    m_entries = std::move(entries);
    m_known = true;
}

QByteArray TToolbarLayout::Stored() const
{
    QByteArray bytes;
    for (uint8_t entry : m_entries) bytes.append(char(entry));
    return bytes;
}

bool TToolbarLayout::IsHidden(size_t index) const
{
    const auto divider = std::find(m_entries.begin(), m_entries.end(), Divider);
    return divider != m_entries.end() && index > size_t(divider - m_entries.begin()) &&
           index < m_entries.size();
}

QString TToolbarLayout::EntryCaption(uint8_t entry)
{
    if (entry == Divider) return QStringLiteral("Unused Buttons");
    if (entry == Separator) return QStringLiteral("(separator)");
    return QStringLiteral("(button)");
}

} // namespace quorvex
