#pragma once

#include "datafile/DataFile.h"
#include "datafile/DataRecord.h"
#include "datafile/RecordStore.h"

#include <QDate>
#include <QList>
#include <QString>

// Entries as the windows store them, for the report tests.
namespace ReportRecords {

inline DataRecord item(const QString &name, double price, int sold = 0, int stock = 10,
                       int remaining = -1)
{
    DataRecord r;
    r.Name = FieldValue::fromText(name);
    r.Price = FieldValue::fromCurrency(Currency::fromDouble(price));
    r.Number = FieldValue::fromText(QString());
    r.Sold = FieldValue::fromNumber(sold);
    r.Stock = FieldValue::fromNumber(stock);
    r.Remaining = FieldValue::fromNumber(remaining < 0 ? stock - sold : remaining);
    return r;
}

inline DataRecord customer(const QString &name, double balance, int visits = 0, double spent = 0)
{
    DataRecord r;
    r.Name = FieldValue::fromText(SharedMarker);
    r.Number = FieldValue::fromText(name);
    r.Price = FieldValue::fromCurrency(Currency::fromDouble(balance));
    r.Notes = FieldValue::fromText(QString());
    r.SpareA = FieldValue::fromNumber(visits);
    r.SpareB = FieldValue::fromCurrency(Currency::fromDouble(spent));
    return r;
}

inline DataRecord cashier(const QString &name, double amountSold, int sales = 0, double ms = 0)
{
    DataRecord r;
    r.Name = FieldValue::fromText(CashierMarker);
    r.Number = FieldValue::fromText(name);
    r.Price = FieldValue::fromCurrency(Currency::fromDouble(amountSold));
    r.SpareA = FieldValue::fromText(QStringLiteral("1234"));
    r.SpareB = FieldValue::fromNumber(sales);
    r.SpareC = FieldValue::fromText(MasterPrivileges);
    r.SpareD = FieldValue::fromNumber(ms);
    return r;
}

// A new datafile at `path` with the entries from record 21 on; "" on failure.
inline QString datafile(const QString &path, const QList<DataRecord> &entries)
{
    if (RecordStore(path).createNew(QDate(2024, 3, 15)) != FileError::None)
        return QString();
    DataFile file(path);
    if (file.open(DataFile::Mode::ReadWrite) != FileError::None)
        return QString();
    for (int i = 0; i < entries.size(); ++i)
        if (file.write(FirstEntryRecord + i, entries[i]) != FileError::None)
            return QString();
    return path;
}

} // namespace ReportRecords
