#pragma once

#include "DataRecord.h"

#include <QDate>
#include <QList>
#include <QString>

#include <utility>

// The texts of the "Transactions" frame for record 7 on `today`.
struct TransactionLabels {
    bool anyBefore = false; // false: no transaction has been completed yet
    QString last;           // date + " Trans #" + number; "" when none
    QString next;           // transactions are numbered from 1 each day

    static TransactionLabels from(const DataRecord &counter, const QDate &today);
};

// What the Preferences window shows and stores: header records 6 and 8, and
// a read-only view of the transaction counter in record 7.
struct Preferences {
    bool itemNames = true;          // record 6: the item box lists names, else numbers
    bool pickListsEnabled = true;   // record 8: the drop-down pick boxes are used
    TransactionLabels transactions; // shown only, never written

    static Preferences fromRecords(const DataRecord &itemBox, const DataRecord &pickBoxes,
                                   const DataRecord &counter, const QDate &today);
    QList<std::pair<int, DataRecord>> toRecords() const;
};
