#pragma once

#include "datafile/CashierEntry.h"
#include "datafile/CustomerEntry.h"
#include "datafile/DataFile.h"
#include "datafile/DataRecord.h"
#include "datafile/ItemEntry.h"
#include "datafile/RecordStore.h"

#include <QDate>
#include <QList>
#include <QString>

// Entries as the windows store them, for the report tests.
namespace ReportRecords {

inline DataRecord item(const QString &name, double price, int sold = 0, int stock = 10,
                       int remaining = -1)
{
    ItemEntry entry = ItemEntry::make(name, QString(), Currency::fromDouble(price), stock);
    entry.setSold(sold);
    entry.setRemaining(remaining < 0 ? stock - sold : remaining);
    return entry.record();
}

inline DataRecord customer(const QString &name, double balance, int visits = 0, double spent = 0)
{
    CustomerEntry entry = CustomerEntry::make(name, Currency::fromDouble(balance), QString());
    entry.setVisits(visits);
    entry.setTotalSpent(Currency::fromDouble(spent));
    return entry.record();
}

inline DataRecord cashier(const QString &name, double amountSold, int sales = 0, double ms = 0)
{
    CashierEntry entry = CashierEntry::make(name, QStringLiteral("1234"), Privileges::master());
    entry.setAmountSold(Currency::fromDouble(amountSold));
    entry.setSalesPerformed(sales);
    entry.setMsLoggedOn(ms);
    return entry.record();
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
