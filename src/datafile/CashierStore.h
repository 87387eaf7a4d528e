#pragma once

#include "CashierEntry.h"
#include "FileError.h"
#include "RecordStore.h"

#include <QString>

#include <functional>

// The cashier records of the datafile at one path.
namespace CashierStore {

using Found = RecordStore::Found;

// The cashier on duty as this program last stored them: the record taken at
// log on, and the name and PIN that tell it from other cashiers of the name.
struct OnDuty {
    int record = 0;
    QString name;
    QString pin;
};

// Where the cashier on duty is now: their record while it still holds their
// name and PIN; else, since a delete moves every later record down, the
// nearest cashier below it with that name and PIN. Found::record is 0 when
// they are gone.
Result<Found> locate(DataFile &file, const OnDuty &cashier);
Result<Found> locate(const QString &path, const OnDuty &cashier);

// The first cashier record, from 21 on, whose name and PIN equal these texts.
Result<Found> findForLogOn(const QString &path, const QString &name, const QString &pin);

// Changes the record of the cashier on duty, located as the write happens,
// and puts it on the disk. Gives the record written, or 0 when they are gone
// (nothing is written then).
Result<int> updateCashier(const QString &path, const OnDuty &cashier,
                          const std::function<void(CashierEntry &)> &change);

Result<int> addTimeOnDuty(const QString &path, const OnDuty &cashier, qint64 ms);

// True when some cashier holds every privilege.
Result<bool> masterExists(const QString &path);

// The statistics resets of the Management menu; each gives the number of
// records written.
Result<int> resetSalesPerformed(const QString &path);
Result<int> resetAmountSold(const QString &path);
// The cashier at record `onDuty` (0: nobody) keeps the time until log off adds to it.
Result<int> resetTimeLoggedOn(const QString &path, int onDuty);
Result<int> resetVisits(const QString &path);
Result<int> resetItemsSold(const QString &path);

} // namespace CashierStore
