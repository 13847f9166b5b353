#include "ArchiveDates.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

namespace quorvex {

namespace {

constexpr int64_t SecondsPerDay = 86400;
constexpr int64_t UnixEpochDay = 25569; // 1 January 1970 as a TDateTime day

// Days since 1 January 1970 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = int64_t(yoe) + era * 400 + (m <= 2);
}

unsigned DaysInMonth(int64_t y, unsigned m)
{
    static const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
}

int64_t LocalBiasNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return -int64_t(local.tm_gmtoff);
}

// Taken as the program starts, like the system's current bias, and kept from then on.
const int64_t BiasAtStart = LocalBiasNow();

std::optional<int64_t>& PinnedBias()
{
    static std::optional<int64_t> bias;
    return bias;
}

} // namespace

double DosDateTimeToDateTime(uint32_t dos)
{
    const unsigned time = dos & 0xFFFF;
    const unsigned date = dos >> 16;
    const unsigned sec = (time & 0x1F) * 2;
    const unsigned min = (time >> 5) & 0x3F;
    const unsigned hour = time >> 11;
    const unsigned day = date & 0x1F;
    const unsigned month = (date >> 5) & 0x0F;
    const int64_t year = 1980 + (date >> 9);
    if (dos == 0 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour > 23 || min > 59 || sec > 59)
        return NullArchiveDate;
    return double(UnixEpochDay + DaysFromCivil(year, month, day)) +
           double(hour * 3600 + min * 60 + sec) / SecondsPerDay;
}

int64_t TimeZoneBiasSeconds()
{
    return PinnedBias() ? *PinnedBias() : BiasAtStart;
}

void SetTimeZoneBiasSeconds(int64_t bias)
{
    PinnedBias() = bias;
}

double UnixTimeToDateTime(int32_t seconds)
{
    const int64_t local = std::llabs(int64_t(seconds)) - TimeZoneBiasSeconds();
    const int64_t day =
        local >= 0 ? local / SecondsPerDay : -((-local + SecondsPerDay - 1) / SecondsPerDay);
    int64_t y;
    unsigned m, d;
    CivilFromDays(day, y, m, d);
    if (y < 1980 || y > 2107) return NullArchiveDate;
    return double(UnixEpochDay + day) + double(local - day * SecondsPerDay) / SecondsPerDay;
}

int32_t DosDateTimeOf(const QDateTime& localTime)
{
    if (!localTime.isValid()) return NullArchiveDosDate;
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    if (date.year() < 1980 || date.year() > 2107) return NullArchiveDosDate;
    const uint32_t dosDate = uint32_t((date.year() - 1980) << 9 | date.month() << 5 | date.day());
    const uint32_t dosTime = uint32_t(time.hour() << 11 | time.minute() << 5 | time.second() / 2);
    return int32_t(dosDate << 16 | dosTime);
}

std::string FormatArchiveDateTime(double dateTime)
{
    if (!std::isfinite(dateTime) || std::fabs(dateTime) > 3.0e6) return "?";
    const int64_t total = std::llround(dateTime * SecondsPerDay);
    const int64_t day =
        total >= 0 ? total / SecondsPerDay : -((-total + SecondsPerDay - 1) / SecondsPerDay);
    const int64_t secs = total - day * SecondsPerDay;
    int64_t y;
    unsigned m, d;
    CivilFromDays(day - UnixEpochDay, y, m, d);
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02d:%02d:%02d", (long long)y, m, d,
                  int(secs / 3600), int(secs / 60 % 60), int(secs % 60));
    return text;
}

} // namespace quorvex
