#include "Preferences.h"

#include "datafile/HeaderRecords.h"
#include "datafile/OleDate.h"
#include "datafile/RecordStore.h"
#include "datafile/TransactionCounter.h"

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

Result<Preferences> Preferences::read(const QString &path)
{
    const Result<QList<DataRecord>> records =
        RecordStore(path).readRecords({HeaderRecord::ItemBoxShowsNames, HeaderRecord::PickBoxes});
    if (!records)
        return records.error();
    Preferences out;
    out.itemNames = records->at(0).Number.toNumber() == 1;
    // As the pick lists read it: only 1 turns them off.
    out.pickListsEnabled = records->at(1).Number.toNumber() != 1;
    return out;
}

FileError Preferences::write(const QString &path) const
{
    return RecordStore(path).writeRecords(
        {{HeaderRecord::ItemBoxShowsNames, flagRecord(itemNames)},
         {HeaderRecord::PickBoxes, flagRecord(!pickListsEnabled)}});
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
