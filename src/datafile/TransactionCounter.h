#pragma once

#include "DataRecord.h"

#include <QDate>

// The day's transaction counter header record: the date of the last
// transaction and how many there were on that date.
namespace TransactionCounter {

// Whether the stored date is `day`; a counter written with a time of day
// still belongs to that day.
bool isOnDay(const FieldValue &stored, const QDate &day);

// The number the next transaction of `today` gets: 1 on a new day.
int next(const DataRecord &counter, const QDate &today);

// The counter after transaction `number` of `today`.
DataRecord after(const QDate &today, int number);

} // namespace TransactionCounter
