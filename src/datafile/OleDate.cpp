#include "OleDate.h"

#include <cmath>

namespace {

const QDate Epoch(1899, 12, 30);
constexpr qint64 MsPerDay = 24 * 60 * 60 * 1000;
// The range of dates the format's writers accept: years 100 to 9999.
constexpr double MinDays = -657434.0;
constexpr double MaxDays = 2958466.0;

bool inRange(double days)
{
    return std::isfinite(days) && days >= MinDays && days < MaxDays;
}

} // namespace

namespace OleDate {

double fromDate(const QDate &date)
{
    return date.isValid() ? double(Epoch.daysTo(date)) : 0.0;
}

// Before the epoch the whole part still names the day and the fraction is the
// time into that day, so 6 a.m. on 29 December 1899 is -1.25, not -0.75.
double fromDateTime(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return 0.0;
    const double days = fromDate(dateTime.date());
    const double fraction = double(dateTime.time().msecsSinceStartOfDay()) / MsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

QDate toDate(double days)
{
    if (!inRange(days))
        return QDate();
    return Epoch.addDays(qint64(std::trunc(days)));
}

QDateTime toDateTime(double days)
{
    if (!inRange(days))
        return QDateTime();
    const double whole = std::trunc(days);
    QDate date = Epoch.addDays(qint64(whole));
    qint64 ms = std::llround(std::fabs(days - whole) * MsPerDay);
    if (ms >= MsPerDay) {
        date = date.addDays(1);
        ms -= MsPerDay;
    }
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms)));
}

} // namespace OleDate
