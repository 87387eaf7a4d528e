#include "TransactionCounter.h"

#include "OleDate.h"

#include <cmath>

namespace TransactionCounter {

bool isOnDay(const FieldValue &stored, const QDate &day)
{
    if (stored.type() == FieldValue::Type::Date)
        return OleDate::toDate(std::floor(stored.dateValue())) == day;
    return stored.toText() == FieldValue::fromDate(OleDate::fromDate(day)).toText();
}

int next(const DataRecord &counter, const QDate &today)
{
    if (!isOnDay(counter.Price, today))
        return 1;
    // A count that was never a number, or one past any real day's trade,
    // starts again rather than overflowing.
    const double last = counter.Number.toNumber();
    if (!(last >= 0 && last < 2'000'000'000))
        return 1;
    return int(last) + 1;
}

DataRecord after(const QDate &today, int number)
{
    DataRecord r;
    r.Name = FieldValue::fromText(SharedMarker);
    r.Price = FieldValue::fromDate(OleDate::fromDate(today));
    r.Number = FieldValue::fromNumber(number);
    return r;
}

} // namespace TransactionCounter
