#pragma once

#include "Purchase.h"
#include "datafile/FileError.h"
#include "datafile/SaleRecords.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Completing a purchase, worked out before anything is written.
namespace Purchase {

// What completion reads from the datafile.
using Facts = SaleRecords::Facts;
using Write = SaleRecords::Write;

// What a plan is made from besides the facts.
struct Sale {
    ShownBill bill;
    Payment payment;
    CashierStore::OnDuty cashier;
    QString cashierName;
    QDateTime now;
};

// A completion worked out: the transaction's number, the log entry, the
// printed bill and the records to write, encoded once here.
struct Plan {
    Sale sale;
    int transaction = 0;
    bool saveToLog = false;
    bool printBill = false;
    QStringList log;
    QStringList print;
    QList<Write> writes;
    QByteArray logEntry; // the log as written, when the log is on
    // UnencodableText or BadRecordLength: a record or the log entry cannot
    // be stored.
    FileError unstorable = FileError::None;
    std::optional<Currency> balance; // credit: the account's balance afterwards
};
Plan plan(const Facts &facts, const ShownBill &bill, const Payment &payment,
          const QString &cashierName, const QDateTime &now);

// The checks made before anything is written: every record fits and every
// text can be stored. UnencodableText, BadRecordLength or None.
FileError check(const Plan &plan);

} // namespace Purchase
