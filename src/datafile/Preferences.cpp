#include "Preferences.h"

#include "HeaderRecords.h"
#include "OleDate.h"
#include "TransactionCounter.h"

namespace {
DataRecord flagRecord(bool one)
{
    DataRecord r;
    r.Name = FieldValue::fromText(SharedMarker);
    r.Price = FieldValue::fromText(QString());
    r.Number = FieldValue::fromInt16(one ? 1 : 0);
    return r;
}

QString dateText(const QDate &date)
{
    return FieldValue::fromDate(OleDate::fromDate(date)).toText();
}
} // namespace

Preferences Preferences::fromRecords(const DataRecord &itemBox, const DataRecord &pickBoxes,
                                     const DataRecord &counter, const QDate &today)
{
    Preferences out;
    out.itemNames = itemBox.Number.toNumber() == 1;
    // As the pick lists read it: only 1 turns them off.
    out.pickListsEnabled = pickBoxes.Number.toNumber() != 1;
    out.transactions = TransactionLabels::from(counter, today);
    return out;
}

QList<std::pair<int, DataRecord>> Preferences::toRecords() const
{
    return {{HeaderRecord::ItemBoxShowsNames, flagRecord(itemNames)},
            {HeaderRecord::PickBoxes, flagRecord(!pickListsEnabled)}};
}

TransactionLabels TransactionLabels::from(const DataRecord &counter, const QDate &today)
{
    TransactionLabels labels;
    const double number = counter.Number.toNumber();
    labels.anyBefore = number != 0;
    if (labels.anyBefore)
        labels.last = counter.Price.toText() + QStringLiteral(" Trans #") + counter.Number.toText();
    labels.next = dateText(today) + QStringLiteral(" Trans #")
                  + QString::number(TransactionCounter::next(counter, today));
    return labels;
}
