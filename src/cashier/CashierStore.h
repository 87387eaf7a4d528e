#pragma once

#include "datafile/DataRecord.h"
#include "datafile/FileError.h"

#include <QString>

// The cashier records of the datafile at one path.
namespace CashierStore {

struct Match {
    int record = 0; // 0: none
    DataRecord data;
    FileError error = FileError::None;
};

// The first cashier record, from 21 on, whose name and PIN equal these texts.
Match findForLogOn(const QString &path, const QString &name, const QString &pin);

// The first cashier record whose name is `name`.
Match findByName(const QString &path, const QString &name);

// The first cashier record whose name is `name`; when there is none, the
// record number reached at the end of the file (one past the last record).
int FindCashierRecord(const QString &path, const QString &name, FileError *error = nullptr);

// Adds `ms` to the time on duty of the cashier named `name`, looked for at
// `record` first and then by name, since deletions may have moved it. When no
// such cashier exists any more, nothing is written and the result is 0;
// otherwise the record that was written.
int addTimeOnDuty(const QString &path, int record, const QString &name, qint64 ms,
                  FileError *error = nullptr);

// True when some cashier holds every privilege.
bool masterExists(const QString &path, FileError *error = nullptr);

// The statistics resets of the Management menu; each returns the number of
// records written.
int resetSalesPerformed(const QString &path, FileError *error = nullptr);
int resetAmountSold(const QString &path, FileError *error = nullptr);
int resetTimeLoggedOn(const QString &path, int exceptRecord, FileError *error = nullptr);
int resetVisits(const QString &path, FileError *error = nullptr);
int resetItemsSold(const QString &path, FileError *error = nullptr);

} // namespace CashierStore
