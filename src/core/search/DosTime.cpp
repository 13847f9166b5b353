#include "search/DosTime.h"

#include <cmath>

namespace quorvex {

uint32_t PackDosDate(const QDate& date)
{
    if (!date.isValid() || date.year() < 1980 || date.year() > 2099) return 0;
    return uint32_t((date.year() - 1980) << 9 | date.month() << 5 | date.day()) << 16;
}

uint32_t PackDosDateTime(const QDate& date, const QTime& time)
{
    const uint32_t day = PackDosDate(date);
    if (!day || !time.isValid()) return day;
    return day | uint32_t(time.hour() << 11 | time.minute() << 5 | time.second() / 2);
}

uint32_t DosFromDayCount(double days)
{
    if (!std::isfinite(days) || days < 0 || days > 1e6) return 0;
    const double whole = std::floor(days);
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(whole));
    const int seconds = static_cast<int>((days - whole) * 86400.0 + 0.5);
    return PackDosDateTime(date, QTime(0, 0).addSecs(seconds >= 86400 ? 86399 : seconds));
}

double DosTimeOfDay(uint32_t packed)
{
    const int h = (packed >> 11) & 31;
    const int m = (packed >> 5) & 63;
    const int s = (packed & 31) * 2;
    return (h * 3600 + m * 60 + s) / 86400.0;
}

double DayCountTimeOfDay(double days)
{
    if (!std::isfinite(days)) return 0;
    return std::fabs(days - std::trunc(days));
}

double TimeOfDayFraction(const QTime& time)
{
    return time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0;
}

QDate DosDate(uint32_t packed)
{
    const int day = (packed >> 16) & 31;
    const int month = (packed >> 21) & 15;
    const int year = int(packed >> 25) + 1980;
    return QDate(year, month, day);
}

QTime DosTime(uint32_t packed)
{
    return QTime((packed >> 11) & 31, (packed >> 5) & 63, (packed & 31) * 2);
}

} // namespace quorvex
