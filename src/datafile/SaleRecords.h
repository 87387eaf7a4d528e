#pragma once

#include "CashierEntry.h"
#include "CashierStore.h"
#include "CurrencySlot.h"
#include "CustomerEntry.h"
#include "CustomerLookup.h"
#include "DataRecord.h"
#include "FileError.h"
#include "TransactionLog.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class DataFile;

// What completing a sale reads from the datafile and writes into it.
namespace SaleRecords {

// What a sale asks for.
struct Asked {
    CashierStore::OnDuty cashier;
    int currencySlot = 0; // the foreign currency's header record; 0: none
    bool credit = false;
    // Credit: the customer as named in the customer box, and the record where
    // the account was found when the box was left (0: not found).
    QString customer;
    int customerSeen = 0;
};

// What completion reads from the datafile.
struct Facts {
    CashierStore::OnDuty onDuty; // as asked for
    DataRecord counter;          // the transaction counter
    QString billHeader;
    QString billFooter;
    bool saveToLog = false;
    bool printBill = false;
    int cashierRecord = 0; // 0: the record of the cashier on duty is gone
    DataRecord cashier;
    std::optional<StoredSlot> currency; // the foreign currency's slot as stored
    CustomerLookup::Place customer;     // credit only
};
Result<Facts> readFacts(const QString &path, const Asked &asked);

// What a sale changes, record by record.
struct Changes {
    QDate day;
    int transaction = 0;
    std::optional<std::pair<int, CustomerEntry>> customer;
    std::optional<std::pair<int, CurrencySlot>> currency;
    std::optional<std::pair<int, CashierEntry>> cashier;
};
// A record as it goes to the file.
struct Write {
    int record = 0;
    QByteArray bytes;
};
// The changes encoded, in the order they are written: UnencodableText or
// BadRecordLength when one of them cannot be stored.
Result<QList<Write>> encode(const Changes &changes);

// A sale's writes, worked out from the facts.
struct Writes {
    QList<Write> records;
    std::optional<QByteArray> logEntry; // when the log is on
    bool printBill = false;
    FileError unstorable = FileError::None; // when set nothing is written
};

// How carrying out ended. CashierGone and DatabaseFull: found on reading
// the facts again.
enum class Failed { Nothing, Log, Printer, Datafile, CashierGone, DatabaseFull };
struct Done {
    Failed failed = Failed::Nothing;
    int errorNumber = 0;
};
constexpr int PrinterErrorNumber = 482;

// Carries out a sale in one exclusive opening of `file` (closed again on
// return): reads the facts again, since another till may have completed a
// sale or added an entry since, and has `plan` work out the writes anew from
// them; then writes the log entry when there is one, prints the bill when
// asked to, and writes the records, putting them and the log entry on the
// disk together. On any failure nothing of the sale stays in the datafile
// and the log entry is taken back, so that trying again charges once.
Done carryOut(DataFile &file, const Asked &asked, const std::function<Writes(const Facts &)> &plan,
              TransactionLog &log, const std::function<bool()> &print);
// The same on the datafile at `path`, on a QFile of the caller's when one is
// given (a subclass whose writes fail, in tests).
Done carryOut(const QString &path, const Asked &asked,
              const std::function<Writes(const Facts &)> &plan, TransactionLog &log,
              const std::function<bool()> &print, std::unique_ptr<QFile> device = nullptr);

} // namespace SaleRecords
