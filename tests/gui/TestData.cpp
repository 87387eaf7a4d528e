#include "TestData.h"
#include "common/Results.h"

#include "common/TempDir.h"
#include "datafile/RecordStore.h"

#include <QTest>

namespace TestData {

QString newDatafile(const TempDir &dir, const QString &name)
{
    const QString path = dir.path(name);
    if (RecordStore(path).createNew(QDate(2026, 12, 8)) != FileError::None)
        QTest::qFail("the datafile could not be made", __FILE__, __LINE__);
    return path;
}

DataRecord cashier(const QString &name, const QString &pin, const QString &privileges, double ms)
{
    DataRecord r;
    r.Name = FieldValue::fromText(CashierMarker);
    r.Number = FieldValue::fromText(name);
    r.SpareA = FieldValue::fromText(pin);
    r.Price = FieldValue::fromCurrency(Currency());
    r.SpareB = FieldValue::fromText(QStringLiteral("0"));
    r.SpareC = FieldValue::fromText(privileges);
    r.SpareD = FieldValue::fromNumber(ms);
    return r;
}

DataRecord item(const QString &name, const QString &number, Currency price, int stock, int sold)
{
    DataRecord r;
    r.Name = FieldValue::fromText(name);
    r.Price = FieldValue::fromCurrency(price);
    r.Number = FieldValue::fromText(number);
    r.Sold = FieldValue::fromNumber(sold);
    r.Stock = FieldValue::fromNumber(stock);
    r.Remaining = FieldValue::fromNumber(stock - sold);
    return r;
}

DataRecord customer(const QString &name, int visits)
{
    DataRecord r;
    r.Name = FieldValue::fromText(SharedMarker);
    r.Number = FieldValue::fromText(name);
    r.SpareA = FieldValue::fromNumber(visits);
    return r;
}

void append(const QString &path, const QList<DataRecord> &records)
{
    const RecordStore store(path);
    int n = store.NextFreeRecord().valueOr(0);
    for (const DataRecord &r : records)
        if (store.writeRecord(n++, r) != FileError::None)
            QTest::qFail("a record could not be written", __FILE__, __LINE__);
}

void setHeader(const QString &path, int record, const FieldValue &number)
{
    const RecordStore store(path);
    DataRecord r;
    FileError error = take(store.readRecord(record), r);
    r.Number = number;
    if (error == FileError::None)
        error = store.writeRecord(record, r);
    if (error != FileError::None)
        QTest::qFail("a header record could not be set", __FILE__, __LINE__);
}

} // namespace TestData
