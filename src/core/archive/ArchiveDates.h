#pragma once
// Date conversions of the archive readers. Member dates are TDateTime values: days since
// 30 December 1899 with the time of day as the fraction, in local time.

#include <QDateTime>

#include <cstdint>
#include <string>

namespace quorvex {

// 1 January 1980, 00:00: what a date that cannot be converted becomes.
constexpr double NullArchiveDate = 29221.0;
// The same stand-in in the DOS date-time field of the archive state.
constexpr int32_t NullArchiveDosDate = 29221;

// DOS packed date-time, time in the low half and date in the high half.
double DosDateTimeToDateTime(uint32_t dos);
// Formats that store the date word first.
inline uint32_t SwapDateTimeHalves(uint32_t v)
{
    return (v << 16) | (v >> 16);
}

// Seconds since 1970 UTC read as signed with the sign dropped, moved to local time by the
// bias in effect when the program started. Dates outside the DOS range (1980..2107) give
// NullArchiveDate.
double UnixTimeToDateTime(int32_t seconds);

// Local time = UTC - bias, in seconds. Fixed at start; tests may pin it.
int64_t TimeZoneBiasSeconds();
void SetTimeZoneBiasSeconds(int64_t bias);

// A file's modification time as a DOS packed date-time, NullArchiveDosDate when it is not
// valid or outside the DOS range.
int32_t DosDateTimeOf(const QDateTime& localTime);

// "YYYY-MM-DD HH:MM:SS", to the nearest second.
std::string FormatArchiveDateTime(double dateTime);

} // namespace quorvex
