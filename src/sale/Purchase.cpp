#include "Purchase.h"

#include "TransactionLog.h"
#include "datafile/CashierEntry.h"
#include "datafile/Cp1252.h"
#include "datafile/CurrencySlot.h"
#include "datafile/DataFile.h"
#include "datafile/HeaderRecords.h"
#include "datafile/MoneyText.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"
#include "datafile/TransactionCounter.h"

#include <QFile>
#include <QRegularExpression>

namespace Purchase {

namespace {
const QString Rule = QStringLiteral("----------------------");

Currency money(const QString &text)
{
    return MoneyText::parseCurrency(text).value_or(Currency());
}

bool isNamed(const RecordView &r, const QString &customer, const QByteArray &bytes)
{
    return Kinds::isCustomer(r) && r.fieldEquals(EntryNameField, customer, bytes);
}

QStringList notesBlock(const QString &notes)
{
    if (notes.isEmpty())
        return {};
    QString text = notes;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return QStringList{QString(), QStringLiteral("Notes:")} + text.split(QLatin1Char('\n'));
}
} // namespace

Result<CustomerPlace> findCustomer(const QString &path, const QString &name)
{
    const RecordStore store(path);
    CustomerPlace place;
    if (const std::optional<QByteArray> bytes = Cp1252::encode(name); bytes && !name.isEmpty()) {
        const Result<RecordStore::Found> found = store.findFirst(
            FirstEntryRecord, [&](const RecordView &r) { return isNamed(r, name, *bytes); });
        if (!found)
            return found.error();
        if (found->record != 0) {
            place.record = found->record;
            place.account = CustomerEntry(found->data);
            return place;
        }
    }
    const Result<int> free = store.NextFreeRecord();
    if (!free)
        return free.error();
    place.record = *free;
    return place;
}

namespace {
// The facts as they stand in an open datafile; a new customer's record is
// the one past the last.
Result<Facts> factsIn(DataFile &file, const Payment &payment, const CashierStore::OnDuty &cashier)
{
    const auto read = [&](int n, DataRecord &into) {
        Result<DataRecord> r = file.read(n);
        if (r)
            into = std::move(*r);
        return r ? FileError::None : r.error();
    };
    Facts facts;
    facts.onDuty = cashier;
    DataRecord saveToLog, printBill;
    for (const auto &[n, into] : {std::pair{HeaderRecord::LastTransaction, &facts.counter},
                                  std::pair{HeaderRecord::BillNotes, &facts.billNotes},
                                  std::pair{HeaderRecord::SaveToLog, &saveToLog},
                                  std::pair{HeaderRecord::PrintBill, &printBill}})
        if (const FileError error = read(n, *into); error != FileError::None)
            return error;
    facts.saveToLog = HeaderRecord::switchIsOn(saveToLog);
    facts.printBill = HeaderRecord::switchIsOn(printBill);
    if (payment.foreign) {
        Slot slot{payment.foreign->slot, {}};
        if (const FileError error = read(slot.record, slot.data); error != FileError::None)
            return error;
        facts.currency = slot;
    }

    const Result<CashierStore::Found> onDuty = CashierStore::locate(file, cashier);
    if (!onDuty)
        return onDuty.error();
    facts.cashierRecord = onDuty->record;
    facts.cashier = onDuty->data;

    // The customer named in the box now, whatever was looked up before.
    const bool credit = payment.kind == Payment::Kind::Credit;
    const std::optional<QByteArray> customerBytes =
        credit ? Cp1252::encode(payment.customer) : std::nullopt;
    int customerRecord = 0;
    // Where the account was a moment ago, so that a sale need not search
    // the whole file; a delete may have moved it since.
    const int seen = payment.customerSeen;
    if (customerBytes && seen > 0 && seen <= file.recordCount()) {
        const Result<QByteArray> bytes = file.readRaw(seen);
        if (!bytes)
            return bytes.error();
        if (isNamed(RecordView(*bytes), payment.customer, *customerBytes))
            customerRecord = seen;
    }
    if (customerBytes && !payment.customer.isEmpty() && customerRecord == 0) {
        const FileError error = file.scan(FirstEntryRecord, [&](int n, const RecordView &r) {
            if (isNamed(r, payment.customer, *customerBytes))
                customerRecord = n;
            return customerRecord == 0;
        });
        if (error != FileError::None)
            return error;
    }
    if (credit) {
        facts.customer.record = customerRecord != 0 ? customerRecord : file.recordCount() + 1;
        if (customerRecord != 0) {
            DataRecord account;
            if (const FileError error = read(customerRecord, account); error != FileError::None)
                return error;
            facts.customer.account = CustomerEntry(std::move(account));
        }
    }
    return facts;
}
} // namespace

Result<Facts> readFacts(const QString &path, const Payment &payment,
                        const CashierStore::OnDuty &cashier)
{
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    return factsIn(file, payment, cashier);
}

QString dateTimeText(const QDateTime &now)
{
    const QLocale locale = MoneyText::locale();
    // The long time without its time zone: "9:05:00 AM".
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(zone);
    return locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ')
           + locale.toString(now.time(), timeFormat.trimmed());
}

Plan plan(const Facts &facts, const ShownBill &bill, const Payment &payment,
          const QString &cashierName, const QDateTime &now)
{
    Plan p;
    p.sale = {bill,
              payment,
              {facts.cashierRecord, facts.onDuty.name, facts.onDuty.pin},
              cashierName,
              now};
    p.sale.payment.customerSeen = facts.customer.account ? facts.customer.record : 0;
    p.saveToLog = facts.saveToLog;
    p.printBill = facts.printBill;
    p.transaction = TransactionCounter::next(facts.counter, now.date());
    p.writes << Write{HeaderRecord::LastTransaction,
                      TransactionCounter::after(now.date(), p.transaction)};

    const Currency grand = bill.grandTotal;
    const QString subtotalText = MoneyText::formatCurrency(bill.subtotal);
    const QString grandTotalText = MoneyText::formatCurrency(grand);
    const bool credit = payment.kind == Payment::Kind::Credit;
    const QStringList head{
        credit ? QStringLiteral("Credit Purchase") : QStringLiteral("Cash Purchase"),
        dateTimeText(now),
        QStringLiteral("Transaction #") + QString::number(p.transaction)
            + QStringLiteral(" on today's date"),
        QStringLiteral("Cashier: ") + cashierName,
    };

    QStringList customerBlock;
    QStringList paymentBlock;
    if (credit) {
        CustomerEntry account = facts.customer.account.value_or(CustomerEntry());
        // The balance goes through its shown form, as the message shows it.
        const Currency balance = money(MoneyText::formatCurrency(account.balance() - grand));
        if (facts.customer.account) {
            account.setTotalSpent(account.totalSpent() + grand);
            account.setVisits(account.visits() + 1);
        } else {
            account.setName(payment.customer);
            account.setTotalSpent(-balance);
            account.setVisits(1);
        }
        account.setBalance(balance);
        account.setNotes(payment.comments);
        p.balance = balance;
        p.writes << Write{facts.customer.record, account.record()};
        customerBlock << payment.customer
                      << QStringLiteral("Current Balance: ") + MoneyText::formatCurrency(balance)
                      << QString();
        paymentBlock << QStringLiteral("Subtotal: ") + subtotalText
                     << QStringLiteral("Total: ") + grandTotalText;
    } else if (payment.foreign) {
        const Foreign &f = *payment.foreign;
        const Currency due = convert(grand, f);
        const ChangeShown change = changeFor(payment.moneyGiven, due, &f);
        paymentBlock << QStringLiteral("Foreign Currency Tendered") << f.entry << QString()
                     << QStringLiteral("Cash Given: ") + payment.moneyGiven
                     << QStringLiteral("Change: ") + change.change << QString()
                     << QStringLiteral("Subtotal: ") + foreignText(f, convert(bill.subtotal, f))
                            + QStringLiteral(" (") + subtotalText + QLatin1Char(')')
                     << QStringLiteral("Total: ") + foreignText(f, due) + QStringLiteral(" (")
                            + grandTotalText + QLatin1Char(')');
        if (facts.currency) {
            CurrencySlot slot(facts.currency->data);
            slot.setTransactions(slot.transactions() + 1);
            slot.setReceived(slot.received() + due);
            p.writes << Write{facts.currency->record, slot.record()};
        }
    } else {
        const Currency given = money(payment.moneyGiven);
        paymentBlock << QStringLiteral("Cash Given: ") + MoneyText::formatCurrency(given)
                     << QStringLiteral("Change: ") + MoneyText::formatCurrency(given - grand)
                     << QString() << QStringLiteral("Subtotal: ") + subtotalText
                     << QStringLiteral("Total: ") + grandTotalText;
    }

    if (facts.cashierRecord != 0) {
        CashierEntry cashier(facts.cashier);
        cashier.setSalesPerformed(cashier.salesPerformed() + 1);
        cashier.setAmountSold(cashier.amountSold() + grand);
        p.writes << Write{facts.cashierRecord, cashier.record()};
    }

    const QStringList notes = notesBlock(payment.notes);
    p.log << Rule << head << QString() << customerBlock << bill.lines << QString() << paymentBlock
          << notes << Rule;
    p.print << facts.billNotes.Number.toText() << QString() << head << QString() << customerBlock
            << bill.lines << QString() << paymentBlock << notes << QString()
            << facts.billNotes.Price.toText();
    return p;
}

FileError check(const Plan &plan)
{
    for (const Write &w : plan.writes)
        if (const Result<QByteArray> bytes = RecordCodec::encode(w.data); !bytes)
            return bytes.error();
    if (plan.saveToLog)
        if (const Result<QByteArray> bytes = LogFile::encode(plan.log); !bytes)
            return bytes.error();
    return FileError::None;
}

namespace {
struct Closing {
    DataFile &file;
    ~Closing() { file.close(); }
};
} // namespace

Outcome carryOut(DataFile &file, const Plan &planned, TransactionLog &log,
                 const std::function<bool(const QStringList &)> &print)
{
    const Closing closing{file};
    const auto failed = [](Outcome::Failed why, FileError error) {
        return Outcome{why, error == FileError::None ? 0 : errorNumber(error), {}};
    };
    if (const FileError error = file.open(DataFile::Mode::Journaled); error != FileError::None)
        return failed(Outcome::Failed::Datafile, error);
    const Sale &sale = planned.sale;
    const Result<Facts> facts = factsIn(file, sale.payment, sale.cashier);
    if (!facts)
        return failed(Outcome::Failed::Datafile, facts.error());
    if (facts->cashierRecord == 0)
        return failed(Outcome::Failed::CashierGone, FileError::None);
    const bool credit = sale.payment.kind == Payment::Kind::Credit;
    if (credit && !facts->customer.account && facts->customer.record >= DatabaseFullRecord)
        return failed(Outcome::Failed::DatabaseFull, FileError::None);
    Outcome done;
    done.plan = Purchase::plan(*facts, sale.bill, sale.payment, sale.cashierName, sale.now);
    const Plan &plan = done.plan;
    if (const FileError error = check(plan); error != FileError::None)
        return failed(Outcome::Failed::Datafile, error);

    // The log entry and the records go to the disk together, through the
    // datafile's journal; a bill prints only once its entry is written.
    std::optional<Journal::SideWrite> logged;
    const auto stop = [&](Outcome::Failed why, FileError error) {
        file.dropIntent();
        return failed(why, error);
    };
    if (plan.saveToLog) {
        if (const FileError error = file.intendSide(log.next()); error != FileError::None)
            return failed(Outcome::Failed::Datafile, error);
        Result<Journal::SideWrite> entry = log.append(plan.log);
        if (!entry)
            return stop(Outcome::Failed::Log, entry.error());
        logged = std::move(*entry);
    }
    const auto takeBackLog = [&] {
        if (plan.saveToLog)
            (void)log.takeBack();
    };
    if (plan.printBill && !print(plan.print)) {
        takeBackLog();
        Outcome printer = stop(Outcome::Failed::Printer, FileError::None);
        printer.errorNumber = PrinterErrorNumber;
        return printer;
    }
    QList<std::pair<int, DataRecord>> records;
    for (const Write &w : plan.writes)
        records.append({w.record, w.data});
    if (const FileError error = file.writeTogether(records, logged); error != FileError::None) {
        takeBackLog();
        return failed(Outcome::Failed::Datafile, error);
    }
    return done;
}

} // namespace Purchase
