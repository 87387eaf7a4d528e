#pragma once

#include <QDate>
#include <QDateTime>

// Dates in the datafile are days since 30 December 1899; the fraction is the
// time of day.
namespace OleDate {

double fromDate(const QDate &date);
double fromDateTime(const QDateTime &dateTime);
QDate toDate(double days);
QDateTime toDateTime(double days);

} // namespace OleDate
