#pragma once
// Size entries of the search window: a decimal number and a unit (Bytes, KB, MB, GB, TB).

#include <QString>

#include <cstdint>

namespace quorvex {

enum TSizeUnit { suBytes = 0, suKB = 1, suMB = 2, suGB = 3, suTB = 4 };

// The byte count of a size entry. A fractional value in a unit above Bytes moves one unit
// down ("1.5" MB becomes "1536" KB); the value is truncated and written back into text.
// Returns -1 when the count does not fit a signed 32-bit integer.
int32_t SizeValue(QString& text, int& unit);

// The same count without the 32-bit limit (saturating), for comparing with folder and disk
// sizes; text and unit are not changed.
int64_t SizeValueBytes(const QString& text, int unit);

} // namespace quorvex
