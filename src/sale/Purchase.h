#pragma once

#include "CashMoney.h"
#include "ShownBill.h"
#include "cashier/CashierStore.h"
#include "datafile/CustomerEntry.h"
#include "datafile/DataRecord.h"
#include "datafile/FileError.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class DataFile;
class TransactionLog;

// Paying for a bill and completing the purchase. Everything a completion
// changes is worked out first; then the log, the printer and the datafile are
// written in that order, and the datafile only once both others succeeded,
// so that a failed completion can simply be tried again.
namespace Purchase {

struct Payment {
    enum class Kind { Cash, Credit };
    Kind kind = Kind::Cash;
    QString notes; // printed on the bill

    // Cash: the money given as in its box, and the foreign currency if any.
    QString moneyGiven;
    std::optional<Foreign> foreign;

    // Credit: the customer as named in the customer box, and the comments
    // kept with the account; the record where the account was found when
    // the box was left (0: not found, or not looked up).
    QString customer;
    QString comments;
    int customerSeen = 0;
};

// Where the customer of a credit payment is: an account, or the place where a
// new one would go (nullopt `account`); `record` is DatabaseFullRecord when
// there is no room.
struct CustomerPlace {
    int record = 0;
    std::optional<CustomerEntry> account;
};
Result<CustomerPlace> findCustomer(const QString &path, const QString &name);

// What completion reads from the datafile.
struct Facts {
    CashierStore::OnDuty onDuty; // as asked for
    DataRecord counter;          // the transaction counter
    DataRecord billNotes;        // header and footer
    bool saveToLog = false;
    bool printBill = false;
    int cashierRecord = 0; // 0: the record of the cashier on duty is gone
    DataRecord cashier;
    std::optional<Slot> currency; // the foreign currency's slot as stored
    CustomerPlace customer;
};
Result<Facts> readFacts(const QString &path, const Payment &payment,
                        const CashierStore::OnDuty &cashier);

struct Write {
    int record = 0;
    DataRecord data;
};

// What a plan is made from besides the facts.
struct Sale {
    ShownBill bill;
    Payment payment;
    CashierStore::OnDuty cashier;
    QString cashierName;
    QDateTime now;
};

// A completion worked out: the transaction's number, the log entry, the
// printed bill and the records to write.
struct Plan {
    Sale sale;
    int transaction = 0;
    bool saveToLog = false;
    bool printBill = false;
    QStringList log;
    QStringList print;
    QList<Write> writes;
    std::optional<Currency> balance; // credit: the account's balance afterwards
};
Plan plan(const Facts &facts, const ShownBill &bill, const Payment &payment,
          const QString &cashierName, const QDateTime &now);

// The checks made before anything is written: every record fits and every
// text can be stored. UnencodableText, BadRecordLength or None.
FileError check(const Plan &plan);

// Carries out a plan in one exclusive opening of `file` (closed again on
// return): reads the facts again, since another till may have completed a
// sale or added an entry since, and plans the sale anew from them; then
// writes the log entry when the log is on, prints the bill when printing is
// on, and writes the records, putting them and the log entry on the disk
// together. On any failure nothing of the completion stays in the datafile
// and the log entry is taken back, so that trying again charges once.
struct Outcome {
    // CashierGone and DatabaseFull: found on reading the facts again.
    enum class Failed { Nothing, Log, Printer, Datafile, CashierGone, DatabaseFull };
    Failed failed = Failed::Nothing;
    int errorNumber = 0;
    Plan plan; // as carried out
};
constexpr int PrinterErrorNumber = 482;
Outcome carryOut(DataFile &file, const Plan &planned, TransactionLog &log,
                 const std::function<bool(const QStringList &)> &print);

// The date and time of the log and the bill: the short date and the long
// time of the locale, without a time zone, one blank between.
QString dateTimeText(const QDateTime &now);

} // namespace Purchase
