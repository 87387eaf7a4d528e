#pragma once

#include "datafile/CashierEntry.h"
#include "datafile/FileError.h"
#include "datafile/RecordStore.h"

#include <QString>

#include <functional>

// The cashier records of the datafile at one path.
namespace CashierStore {

using Found = RecordStore::Found;

// The first cashier record, from 21 on, whose name and PIN equal these texts.
Result<Found> findForLogOn(const QString &path, const QString &name, const QString &pin);

// The first cashier record whose name is `name`.
Result<Found> findByName(const QString &path, const QString &name);

// The first cashier record whose name is `name`; when there is none, the
// record number reached at the end of the file (one past the last record).
Result<int> FindCashierRecord(const QString &path, const QString &name);

// Changes the cashier named `name`, found by name as the write happens, since
// a delete may have moved the record since log on. Gives the record written,
// or 0 when no such cashier exists any more (nothing is written then).
Result<int> updateCashier(const QString &path, const QString &name,
                          const std::function<void(CashierEntry &)> &change);

// Adds `ms` to the time on duty of the cashier named `name`.
Result<int> addTimeOnDuty(const QString &path, const QString &name, qint64 ms);

// True when some cashier holds every privilege.
Result<bool> masterExists(const QString &path);

// The statistics resets of the Management menu; each gives the number of
// records written.
Result<int> resetSalesPerformed(const QString &path);
Result<int> resetAmountSold(const QString &path);
// The cashier named `onDuty` keeps the time until log off adds to it.
Result<int> resetTimeLoggedOn(const QString &path, const QString &onDuty);
Result<int> resetVisits(const QString &path);
Result<int> resetItemsSold(const QString &path);

} // namespace CashierStore
