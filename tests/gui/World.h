#pragma once

#include "Harness.h"
#include "common/TempDir.h"

#include "datafile/DataRecord.h"
#include "datafile/Privileges.h"

#include <QString>

// The shop a window test starts from: a datafile with the master cashier ANN
// (PIN 1234), the counter cashier SAM (PIN 4321), the items TEA, COFFEE and
// BUN, and the customers BOB and CAROL; the program is started on it.
class World
{
public:
    // `annPrivileges` is ANN's privilege string.
    explicit World(const QString &annPrivileges = Privileges::master().toString());
    // A shop of only these records, from record 21 on.
    explicit World(const QList<DataRecord> &records);

    // The program on the datafile, nobody logged on.
    Interface &start();
    // The same with ANN logged on; the boxes of the log on are forgotten.
    Interface &startLoggedOn();

    // Sets the first tax rate, so that sales may start.
    void setTaxRate(const QString &rate);
    // Record n of the datafile as it is now; an empty record when unreadable.
    DataRecord record(int n) const;

    TempDir dir;
    QString path;
    Harness h;
};
