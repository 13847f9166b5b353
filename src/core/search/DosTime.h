#pragma once
// DOS packed date-times (date in the high 16 bits, time in the low 16, two-second steps)
// and the day-count date-times of disk records (days since 30 December 1899).

#include <QDate>
#include <QTime>

#include <cstdint>

namespace quorvex {

// Midnight of date; 0 for years outside 1980..2099.
uint32_t PackDosDate(const QDate& date);
uint32_t PackDosDateTime(const QDate& date, const QTime& time);
// The packed form of a day-count date-time; 0 outside 1980..2099.
uint32_t DosFromDayCount(double days);
// The time of day of a packed value, as a fraction of a day.
double DosTimeOfDay(uint32_t packed);
double DayCountTimeOfDay(double days);
double TimeOfDayFraction(const QTime& time);

QDate DosDate(uint32_t packed); // invalid for 0 or damaged values
QTime DosTime(uint32_t packed);

} // namespace quorvex
