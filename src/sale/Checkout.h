#pragma once

#include "PurchasePlan.h"
#include "datafile/SaleRecords.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// Completing a purchase: the facts read, then the plan carried out. The log,
// the printer and the datafile are written in that order, and the datafile
// only once both others succeeded, so that a failed completion can simply be
// tried again.
namespace Purchase {

Result<Facts> readFacts(const QString &path, const Payment &payment,
                        const CashierStore::OnDuty &cashier);

// Carries out a plan in one exclusive opening of the datafile at `path`:
// reads the facts again, since another till may have completed a sale or
// added an entry since, and plans the sale anew from them; then writes the
// log entry when the log is on, prints the bill when printing is on, and
// writes the records, putting them and the log entry on the disk together.
// On any failure nothing of the completion stays in the datafile and the log
// entry is taken back, so that trying again charges once. `device`: a QFile
// of the caller's for the datafile (a subclass whose writes fail, in tests).
struct Outcome {
    using Failed = SaleRecords::Failed;
    Failed failed = Failed::Nothing;
    int errorNumber = 0;
    Plan plan; // as carried out
};
constexpr int PrinterErrorNumber = SaleRecords::PrinterErrorNumber;
Outcome carryOut(const QString &path, const Plan &planned, TransactionLog &log,
                 const std::function<bool(const QStringList &)> &print,
                 std::unique_ptr<QFile> device = nullptr);
// The same, the printer given the whole plan as carried out (its transaction
// number names the print job).
Outcome carryOut(const QString &path, const Plan &planned, TransactionLog &log,
                 const std::function<bool(const Plan &)> &print,
                 std::unique_ptr<QFile> device = nullptr);

} // namespace Purchase
