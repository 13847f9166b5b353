#pragma once
// The layout of the main toolbar as the user arranged it: one byte per entry, a button's tag
// (1 to 254), 0 for a separator and 255 for the "Unused Buttons" divider; the buttons after
// the divider are hidden.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quorvex {

class TToolbarLayout {
public:
    static constexpr uint8_t Separator = 0;
    static constexpr uint8_t Divider = 255;
    static constexpr qsizetype MaxStoredSize = 256;

    // Builds the layout from the stored bytes (or their absence) and the toolbar's controls in
    // their order (a button's tag, 0 for anything else). Without controls the toolbar is not
    // known yet: the stored bytes are kept as they are.
    void Load(const std::optional<QByteArray>& stored, const std::vector<uint8_t>& controls);

    // False while neither a stored layout nor the toolbar was seen; such a layout is not saved.
    bool IsKnown() const { return m_known; }
    const std::vector<uint8_t>& Entries() const { return m_entries; }
    void SetEntries(std::vector<uint8_t> entries);
    QByteArray Stored() const;

    bool IsHidden(size_t index) const; // entry index lies after the divider
    static QString EntryCaption(uint8_t entry); // "(button)", "(separator)", "Unused Buttons"

    bool operator==(const TToolbarLayout&) const = default;

private:
    std::vector<uint8_t> m_entries;
    bool m_known = false;
};

} // namespace quorvex
