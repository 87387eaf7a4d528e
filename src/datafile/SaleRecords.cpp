#include "SaleRecords.h"

#include "DataFile.h"
#include "HeaderRecords.h"
#include "RecordCodec.h"
#include "TransactionCounter.h"

namespace SaleRecords {

namespace {
// The facts as they stand in an open datafile.
Result<Facts> factsIn(DataFile &file, const Asked &asked)
{
    const auto read = [&](int n, DataRecord &into) {
        Result<DataRecord> r = file.read(n);
        if (r)
            into = std::move(*r);
        return r ? FileError::None : r.error();
    };
    Facts facts;
    facts.onDuty = asked.cashier;
    DataRecord billNotes, saveToLog, printBill;
    for (const auto &[n, into] : {std::pair{HeaderRecord::LastTransaction, &facts.counter},
                                  std::pair{HeaderRecord::BillNotes, &billNotes},
                                  std::pair{HeaderRecord::SaveToLog, &saveToLog},
                                  std::pair{HeaderRecord::PrintBill, &printBill}})
        if (const FileError error = read(n, *into); error != FileError::None)
            return error;
    facts.billHeader = billNotes.Number.toText();
    facts.billFooter = billNotes.Price.toText();
    facts.saveToLog = HeaderRecord::switchIsOn(saveToLog);
    facts.printBill = HeaderRecord::switchIsOn(printBill);
    if (asked.currencySlot != 0) {
        StoredSlot slot{asked.currencySlot, {}};
        if (const FileError error = read(slot.record, slot.data); error != FileError::None)
            return error;
        facts.currency = slot;
    }

    const Result<CashierStore::Found> onDuty = CashierStore::locate(file, asked.cashier);
    if (!onDuty)
        return onDuty.error();
    facts.cashierRecord = onDuty->record;
    facts.cashier = onDuty->data;

    // The customer named in the box now, whatever was looked up before.
    if (asked.credit) {
        const Result<CustomerLookup::Place> place =
            CustomerLookup::findIn(file, asked.customer, asked.customerSeen);
        if (!place)
            return place.error();
        facts.customer = *place;
    }
    return facts;
}

struct Closing {
    DataFile &file;
    ~Closing() { file.close(); }
};
} // namespace

Result<Facts> readFacts(const QString &path, const Asked &asked)
{
    DataFile file(path);
    if (const FileError error = file.open(DataFile::Mode::Read); error != FileError::None)
        return error;
    return factsIn(file, asked);
}

Result<QList<Write>> encode(const Changes &changes)
{
    QList<std::pair<int, DataRecord>> records{
        {HeaderRecord::LastTransaction,
         TransactionCounter::after(changes.day, changes.transaction)}};
    if (changes.customer)
        records.append({changes.customer->first, changes.customer->second.record()});
    if (changes.currency)
        records.append({changes.currency->first, changes.currency->second.record()});
    if (changes.cashier)
        records.append({changes.cashier->first, changes.cashier->second.record()});
    QList<Write> writes;
    for (const auto &[n, record] : records) {
        Result<QByteArray> bytes = RecordCodec::encode(record);
        if (!bytes)
            return bytes.error();
        writes.append({n, std::move(*bytes)});
    }
    return writes;
}

Done carryOut(DataFile &file, const Asked &asked, const std::function<Writes(const Facts &)> &plan,
              TransactionLog &log, const std::function<bool()> &print)
{
    const Closing closing{file};
    const auto failed = [](Failed why, FileError error) {
        return Done{why, error == FileError::None ? 0 : errorNumber(error)};
    };
    if (const FileError error = file.open(DataFile::Mode::Journaled); error != FileError::None)
        return failed(Failed::Datafile, error);
    const Result<Facts> facts = factsIn(file, asked);
    if (!facts)
        return failed(Failed::Datafile, facts.error());
    if (facts->cashierRecord == 0)
        return failed(Failed::CashierGone, FileError::None);
    if (asked.credit && !facts->customer.account && facts->customer.record >= DatabaseFullRecord)
        return failed(Failed::DatabaseFull, FileError::None);
    const Writes writes = plan(*facts);
    if (writes.unstorable != FileError::None)
        return failed(Failed::Datafile, writes.unstorable);

    // The log entry and the records go to the disk together, through the
    // datafile's journal; a bill prints only once its entry is written.
    std::optional<Journal::SideWrite> logged;
    const auto stop = [&](Failed why, FileError error) {
        file.dropIntent();
        return failed(why, error);
    };
    if (writes.logEntry) {
        if (const FileError error = file.intendSide(log.next()); error != FileError::None)
            return failed(Failed::Datafile, error);
        Result<Journal::SideWrite> entry = log.append(*writes.logEntry);
        if (!entry)
            return stop(Failed::Log, entry.error());
        logged = std::move(*entry);
    }
    const auto takeBackLog = [&] {
        if (writes.logEntry)
            (void)log.takeBack();
    };
    if (writes.printBill && !print()) {
        takeBackLog();
        Done printer = stop(Failed::Printer, FileError::None);
        printer.errorNumber = PrinterErrorNumber;
        return printer;
    }
    QList<std::pair<int, QByteArray>> records;
    for (const Write &w : writes.records)
        records.append({w.record, w.bytes});
    if (const FileError error = file.writeTogether(records, logged); error != FileError::None) {
        takeBackLog();
        return failed(Failed::Datafile, error);
    }
    return {};
}

Done carryOut(const QString &path, const Asked &asked,
              const std::function<Writes(const Facts &)> &plan, TransactionLog &log,
              const std::function<bool()> &print, std::unique_ptr<QFile> device)
{
    DataFile file(path, device ? std::move(device) : std::make_unique<QFile>());
    return carryOut(file, asked, plan, log, print);
}

} // namespace SaleRecords
