#include "common/ExpectedFile.h"
#include "common/FailingDevice.h"
#include "common/TempDir.h"
#include "common/TestMain.h"
#include "datafile/DatafileFixtures.h"

#include "datafile/CashierEntry.h"
#include "datafile/Cp1252.h"
#include "datafile/CurrencySlot.h"
#include "datafile/DataFile.h"
#include "datafile/HeaderRecords.h"
#include "datafile/ItemEntry.h"
#include "datafile/RecordStore.h"
#include "datafile/TransactionCounter.h"
#include "sale/Checkout.h"
#include "sale/DateTimeText.h"
#include "sale/LogFile.h"

#include <QFile>
#include <QTest>

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <utility>

using namespace Purchase;

Q_DECLARE_METATYPE(Purchase::Payment)
Q_DECLARE_METATYPE(Purchase::Outcome::Failed)

namespace {
const QDateTime Morning(QDate(2026, 12, 8), QTime(9, 5));
const CashierStore::OnDuty Ann{21, "ANN", ""};
const ShownBill TwoItems{{"TEA - $2.00   X   3", "BUN - $1.20   X   1"},
                         *Currency::fromDecimal("7.20"),
                         *Currency::fromDecimal("7.70")};

Foreign euro()
{
    Foreign f;
    f.slot = HeaderRecord::FirstCurrencySlot;
    f.name = QStringLiteral("EURO");
    f.symbol = QStringLiteral("€");
    f.entry = QStringLiteral("EURO (€)");
    f.value = 1.5;
    return f;
}

Payment cash(const QString &given, const QString &notes = QString())
{
    return Payment{CashPayment{given, {}}, notes};
}

Payment credit(const QString &customer, const QString &comments = QString())
{
    return Payment{CreditPayment{customer, comments, 0}, {}};
}

// The shop: ANN at record 21, the customer BOB at 22; the euro in the first
// currency slot; the log and the printer switched on or off.
QString shop(const TempDir &dir, bool logOn, bool printOn)
{
    const QString path = Fixtures::makeDatafile(
        dir, {Fixtures::cashier("ANN"), CustomerEntry::make("BOB", Currency(), "").record()});
    const RecordStore store(path);
    CurrencySlot slot(DataRecord{});
    slot.markAsSlot();
    slot.setName("EURO");
    slot.setSymbol("€");
    slot.setRate(euro().value);
    slot.setTransactions(0);
    slot.setReceived(Currency());
    DataRecord on;
    on.Name = FieldValue::fromText(SharedMarker);
    bool written =
        store.writeRecord(HeaderRecord::FirstCurrencySlot, slot.record()) == FileError::None;
    for (const auto &[n, wanted] :
         {std::pair{HeaderRecord::SaveToLog, logOn}, std::pair{HeaderRecord::PrintBill, printOn}}) {
        on.Number = FieldValue::fromInt16(wanted ? 1 : 0);
        written = written && store.writeRecord(n, on) == FileError::None;
    }
    return written ? path : QString();
}

// A log that keeps its entries in memory.
class MemoryLog : public TransactionLog
{
public:
    Result<Journal::SideWrite> append(const QByteArray &entry) override
    {
        entries << entry;
        return Journal::SideWrite{};
    }
    FileError takeBack() override
    {
        entries.removeLast();
        return FileError::None;
    }
    Journal::SideWrite next() const override { return {}; }
    QList<QByteArray> entries;
};

struct Completed {
    Plan plan;
    Outcome outcome;
    QList<QStringList> printed;
};

// A till completing a sale: `meanwhile` is what another till does while the
// cashier answers the questions.
Completed complete(const QString &path, const ShownBill &bill, const Payment &payment,
                   const QDateTime &now, TransactionLog &log, bool printerWorks = true,
                   std::unique_ptr<QFile> device = nullptr,
                   const std::function<void()> &meanwhile = {})
{
    Completed c;
    const Result<Facts> facts = readFacts(path, payment, Ann);
    if (!facts)
        return c;
    if (meanwhile)
        meanwhile();
    c.outcome = carryOut(
        path, plan(*facts, bill, payment, "ANN", now), log,
        [&](const QStringList &lines) {
            c.printed << lines;
            return printerWorks;
        },
        std::move(device));
    c.plan = c.outcome.plan;
    return c;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

template<typename Entry>
Entry entryAt(const QString &path, int n)
{
    return Entry(RecordStore(path).readRecord(n).valueOr(DataRecord()));
}
} // namespace

class PurchaseTest : public QObject
{
    Q_OBJECT

private slots:
    void changeWhileTyping_data();
    void changeWhileTyping();
    void foreignCurrency();
    void creditAccount();
    void transactionNumbers();
    void switchesOff();
    void logAndBill_data();
    void logAndBill();
    void dateHasFourDigitYear_data();
    void dateHasFourDigitYear();
    void failedCompletionChangesNothing_data();
    void failedCompletionChangesNothing();
    void logRefusedByItsMount();
    void otherTillsMeanwhile();
    void refusesWhatCannotBeStored();
    void logThatIsNoFile();
};

void PurchaseTest::changeWhileTyping_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("due");
    QTest::addColumn<bool>("foreign");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("change");

    QTest::newRow("20 on 12.34") << "20"
                                 << "12.34" << false << true << "$7.66";
    QTest::newRow("a letter") << "2O"
                              << "12.34" << false << false << "Error";
    QTest::newRow("too little") << "10"
                                << "12.34" << false << true << "($2.34)";
    QTest::newRow("formatted") << "$1,000.00"
                               << "12.34" << false << true << "$987.66";
    QTest::newRow("nothing yet") << ""
                                 << "12.34" << false << true << "";
    QTest::newRow("symbol") << "€20"
                            << "15" << true << true << "€5";
    QTest::newRow("symbol, letters") << "€2x"
                                     << "15" << true << false << "Error";
    QTest::newRow("no symbol") << "20"
                               << "15" << true << true << "€5";
    QTest::newRow("no symbol, letters") << "abc"
                                        << "15" << true << false << "Error";
    QTest::newRow("fraction of a cent") << "10"
                                        << "6.435" << true << true << "€3.57";
    QTest::newRow("short by a fraction of a cent") << "5"
                                                   << "6.435" << true << true << "€-1.44";
}

void PurchaseTest::changeWhileTyping()
{
    QFETCH(QString, given);
    QFETCH(QString, due);
    QFETCH(bool, foreign);
    QFETCH(bool, valid);
    QFETCH(QString, change);
    const Foreign f = euro();
    const ChangeShown shown =
        changeFor(given, *Currency::fromDecimal(due.toStdString()), foreign ? &f : nullptr);
    QCOMPARE(shown.valid, valid);
    QCOMPARE(shown.change, change);
}

void PurchaseTest::foreignCurrency()
{
    CurrencySlot used(DataRecord{});
    used.setName("EURO");
    used.setSymbol("€");
    used.setRate(euro().value);
    const QList<Foreign> offered =
        offeredCurrencies({{10, used.record()}, {11, CurrencySlot(DataRecord{}).record()}});
    QCOMPARE(offered.size(), 1);
    QCOMPARE(offered[0].entry, QStringLiteral("EURO (€)"));
    const std::optional<Foreign> chosen = currencyForEntry(offered, "EURO (€)");
    QVERIFY(chosen);
    QCOMPARE(chosen->slot, 10);
    QVERIFY(!currencyForEntry(offered, "EUROPE (€)"));

    // 10.00 due at 1.5 to the native unit: "€15".
    QCOMPARE(foreignText(*chosen, convert(Currency::fromUnits(10), *chosen)),
             QStringLiteral("€15"));
    // A currency worth less than a ten-thousandth of the native unit keeps its value.
    used.setRate(0.00004);
    QCOMPARE(convert(Currency::fromUnits(1000), offeredCurrencies({{10, used.record()}})[0]),
             *Currency::fromDecimal("0.04"));
    QCOMPARE(moneyGivenOnLeaving("20", &*chosen), QStringLiteral("€20"));
    QCOMPARE(moneyGivenOnLeaving("20", nullptr), QStringLiteral("$20.00"));
    QCOMPARE(moneyGivenOnLeaving("2x", nullptr), QStringLiteral("2x"));
    Foreign dollar = *chosen;
    dollar.symbol = QStringLiteral("$");
    QCOMPARE(moneyGivenOnLeaving("$20", &dollar), QStringLiteral("$20"));
    QVERIFY(moneyGivenIsValid("€20", &*chosen));
    QVERIFY(!moneyGivenIsValid("€", &*chosen));
    QVERIFY(!moneyGivenIsValid("twenty", nullptr));

    // The slot counts the sale and the amount received in its own money.
    TempDir dir;
    const QString path = shop(dir, false, false);
    Payment payment = cash("€20");
    std::get<CashPayment>(payment.by).foreign = euro();
    MemoryLog log;
    QCOMPARE(complete(path, TwoItems, payment, Morning, log).outcome.failed,
             Outcome::Failed::Nothing);
    const auto slot = entryAt<CurrencySlot>(path, HeaderRecord::FirstCurrencySlot);
    QCOMPARE(slot.transactions(), 1.0);
    QCOMPARE(slot.received(), *Currency::fromDecimal("11.55"));
}

void PurchaseTest::creditAccount()
{
    TempDir dir;
    const QString path = shop(dir, false, false);
    const ShownBill first{
        {"TEA - $25.00   X   1"}, Currency::fromUnits(25), Currency::fromUnits(25)};
    const ShownBill second{{"BUN - $5.00   X   1"}, Currency::fromUnits(5), Currency::fromUnits(5)};
    MemoryLog log;

    const Result<CustomerPlace> place = findCustomer(path, "JOE");
    QVERIFY(place.ok());
    QVERIFY(!place->account);
    QCOMPARE(place->record, 23);

    QCOMPARE(*complete(path, first, credit("JOE", "Pays Fridays"), Morning, log).plan.balance,
             Currency::fromUnits(-25));
    auto joe = entryAt<CustomerEntry>(path, 23);
    QCOMPARE(joe.name(), QStringLiteral("JOE"));
    QCOMPARE(joe.balance(), Currency::fromUnits(-25));
    QCOMPARE(joe.totalSpent(), Currency::fromUnits(25));
    QCOMPARE(joe.visits(), 1.0);
    QCOMPARE(joe.notes(), QStringLiteral("Pays Fridays"));

    complete(path, second, credit("JOE", "Pays Fridays"), Morning, log);
    joe = entryAt<CustomerEntry>(path, 23);
    QCOMPARE(joe.balance(), Currency::fromUnits(-30));
    QCOMPARE(joe.totalSpent(), Currency::fromUnits(30));
    QCOMPARE(joe.visits(), 2.0);
    QCOMPARE(RecordStore(path).NextFreeRecord().valueOr(0), 24);

    // The cashier on duty was credited with both sales.
    const auto ann = entryAt<CashierEntry>(path, 21);
    QCOMPARE(ann.salesPerformed(), 2.0);
    QCOMPARE(ann.amountSold(), Currency::fromUnits(30));
}

void PurchaseTest::transactionNumbers()
{
    TempDir dir;
    const QString path = shop(dir, false, false);
    MemoryLog log;
    const QDateTime lateEvening(QDate(2026, 12, 8), QTime(23, 59, 30));
    const QList<QPair<QDateTime, int>> sales{
        {lateEvening, 1},
        {lateEvening.addSecs(20), 2},
        {lateEvening.addSecs(40), 1}, // past midnight: a new day
        {lateEvening.addSecs(60), 2},
    };
    for (const auto &[when, number] : sales) {
        const Completed c = complete(path, TwoItems, cash("10"), when, log);
        QCOMPARE(c.plan.transaction, number);
    }
    const DataRecord counter =
        RecordStore(path).readRecord(HeaderRecord::LastTransaction).valueOr(DataRecord());
    QCOMPARE(counter.Number.toNumber(), 2.0);
    QVERIFY(TransactionCounter::isOnDay(counter.Price, QDate(2026, 12, 9)));

    DataRecord past = counter;
    past.Number = FieldValue::fromDouble(3e9);
    QCOMPARE(TransactionCounter::next(past, QDate(2026, 12, 9)), 1);
}

void PurchaseTest::switchesOff()
{
    TempDir dir;
    const QString path = shop(dir, false, false);
    MemoryLog log;
    const Completed first = complete(path, TwoItems, cash("10"), Morning, log);
    const Completed second = complete(path, TwoItems, cash("10"), Morning, log);
    QCOMPARE(second.outcome.failed, Outcome::Failed::Nothing);
    QVERIFY(log.entries.isEmpty());
    QVERIFY(first.printed.isEmpty() && second.printed.isEmpty());
    QCOMPARE(second.plan.transaction, 2);
    // The cashier is credited with the grand totals, taxes included.
    QCOMPARE(entryAt<CashierEntry>(path, 21).amountSold(), *Currency::fromDecimal("15.40"));
}

void PurchaseTest::logAndBill_data()
{
    QTest::addColumn<Payment>("payment");
    QTest::addColumn<QString>("log");
    QTest::addColumn<QString>("bill"); // "" when not compared

    Payment foreign = cash("€20");
    std::get<CashPayment>(foreign.by).foreign = euro();
    QTest::newRow("cash") << cash("10", "Thank you\nCome again") << "log_cash.txt"
                          << "";
    QTest::newRow("foreign") << foreign << "log_foreign.txt"
                             << "";
    QTest::newRow("credit") << credit("JOE") << "log_credit.txt"
                            << "bill_credit.txt";
}

void PurchaseTest::logAndBill()
{
    QFETCH(Payment, payment);
    QFETCH(QString, log);
    QFETCH(QString, bill);
    TempDir dir;
    const QString path = shop(dir, true, true);
    const QString logPath = dir.path("sales.log");
    LogFile file(logPath);
    const Completed c = complete(path, TwoItems, payment, Morning, file);
    QCOMPARE(c.outcome.failed, Outcome::Failed::Nothing);

    // Windows-1252 with CR LF, as the expected text shows it line by line.
    const QByteArray written = bytesOf(logPath);
    QVERIFY(written.endsWith("\r\n"));
    const QStringList lines = Cp1252::decode(written).chopped(2).split("\r\n");
    QCOMPARE(lines, QString::fromUtf8(expectedFile(log)).chopped(1).split('\n'));
    QCOMPARE(c.printed.size(), 1);
    if (!bill.isEmpty())
        QCOMPARE(c.printed[0], QString::fromUtf8(expectedFile(bill)).chopped(1).split('\n'));
}

void PurchaseTest::dateHasFourDigitYear_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("en_US") << "en_US"
                           << "12/8/2026 9:05:00 AM";
    QTest::newRow("de_DE") << "de_DE"
                           << "08.12.2026 09:05:00";
    QTest::newRow("fr_FR") << "fr_FR"
                           << "08/12/2026 09:05:00";
}

void PurchaseTest::dateHasFourDigitYear()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    Fixtures::LocaleGuard guard{QLocale(locale)};
    QCOMPARE(dateTimeText(Morning), text);
}

void PurchaseTest::failedCompletionChangesNothing_data()
{
    QTest::addColumn<QString>("customer");
    QTest::addColumn<qint64>("logRoom");      // bytes the log's disk takes; -1: no limit
    QTest::addColumn<qint64>("datafileRoom"); // bytes written before one write fails
    QTest::addColumn<bool>("printOn");
    QTest::addColumn<bool>("printerWorks");
    QTest::addColumn<Outcome::Failed>("failed");
    QTest::addColumn<int>("errorNumber");

    QTest::newRow("log disk full part way")
        << "BOB" << qint64(30) << qint64(-1) << true << true << Outcome::Failed::Log << 61;
    // Without a bill the records are written while the log is: they go back.
    QTest::newRow("log disk full, no bill")
        << "BOB" << qint64(30) << qint64(-1) << false << true << Outcome::Failed::Log << 61;
    QTest::newRow("printer fails")
        << "BOB" << qint64(-1) << qint64(-1) << true << false << Outcome::Failed::Printer << 482;
    // The counter is written, the account only in part.
    QTest::newRow("datafile write fails part way")
        << "BOB" << qint64(-1) << qint64(RecordLength + 40) << true << true
        << Outcome::Failed::Datafile << 61;
    // The counter and the cashier are written, the new account in part.
    QTest::newRow("new account's append fails part way")
        << "JOE" << qint64(-1) << qint64(2 * RecordLength + 40) << true << true
        << Outcome::Failed::Datafile << 61;
}

void PurchaseTest::failedCompletionChangesNothing()
{
    QFETCH(QString, customer);
    QFETCH(qint64, logRoom);
    QFETCH(qint64, datafileRoom);
    QFETCH(bool, printOn);
    QFETCH(bool, printerWorks);
    QFETCH(Outcome::Failed, failed);
    QFETCH(int, errorNumber);
    TempDir dir;
    const QString path = shop(dir, true, printOn);
    const QString logPath = dir.path("sales.log");
    {
        QFile earlier(logPath);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier sale\r\n");
    }
    const QByteArray logBefore = bytesOf(logPath);
    const QByteArray datafileBefore = bytesOf(path);

    LogFile log(logPath,
                logRoom < 0 ? std::make_unique<QFile>() : std::make_unique<FailingFile>(logRoom));
    const Completed c =
        complete(path, TwoItems, credit(customer), Morning, log, printerWorks,
                 datafileRoom < 0 ? std::make_unique<QFile>()
                                  : std::make_unique<FailingFile>(datafileRoom, true));
    QCOMPARE(c.outcome.failed, failed);
    QCOMPARE(c.outcome.errorNumber, errorNumber);
    QCOMPARE(bytesOf(logPath), logBefore);
    QCOMPARE(bytesOf(path), datafileBefore);

    // Tried again once the fault is gone, the sale gets the number it was
    // going to have and the customer is charged once.
    LogFile working(logPath);
    const Completed retry = complete(path, TwoItems, credit(customer), Morning, working);
    QCOMPARE(retry.outcome.failed, Outcome::Failed::Nothing);
    QCOMPARE(retry.plan.transaction, 1);
    QCOMPARE(findCustomer(path, customer)->account->balance(), *Currency::fromDecimal("-7.70"));
}

void PurchaseTest::logRefusedByItsMount()
{
    // Sysfs takes no new file, even from root, as a read-only mount does not.
    LogFile log(QStringLiteral("/sys/tallybird-sales.log"));
    QCOMPARE(log.append("a sale\r\n").error(), FileError::PermissionDenied);
}

void PurchaseTest::otherTillsMeanwhile()
{
    TempDir dir;
    const QString path = shop(dir, true, false);
    const QString logPath = dir.path("sales.log");
    LogFile log(logPath);
    const RecordStore store(path);
    // Another till completes its fifth sale of the day and adds an item.
    const Completed c = complete(path, TwoItems, credit("JOE"), Morning, log, true, nullptr, [&] {
        QCOMPARE(store.writeRecord(HeaderRecord::LastTransaction,
                                   TransactionCounter::after(Morning.date(), 5)),
                 FileError::None);
        QCOMPARE(store.writeRecord(23, Fixtures::item("PEN")), FileError::None);
    });
    QCOMPARE(c.outcome.failed, Outcome::Failed::Nothing);
    QCOMPARE(c.plan.transaction, 6);
    QCOMPARE(store.readRecord(HeaderRecord::LastTransaction)->Number.toNumber(), 6.0);
    QVERIFY(Cp1252::decode(bytesOf(logPath)).contains("Transaction #6 on today's date"));
    QCOMPARE(ItemEntry(*store.readRecord(23)).name(), QStringLiteral("PEN"));
    QCOMPARE(entryAt<CustomerEntry>(path, 24).name(), QStringLiteral("JOE"));
}

void PurchaseTest::refusesWhatCannotBeStored()
{
    TempDir dir;
    const QString path = shop(dir, true, false);
    const Result<Facts> facts = readFacts(path, credit("BOB"), Ann);
    QVERIFY(facts.ok());
    // Notes go to the log only; comments are kept in the customer's record.
    QCOMPARE(check(plan(*facts, TwoItems, cash("10", "smile ☺"), "ANN", Morning)),
             FileError::UnencodableText);
    QCOMPARE(check(plan(*facts, TwoItems, credit("BOB", QString(120, 'x')), "ANN", Morning)),
             FileError::BadRecordLength);
    QCOMPARE(check(plan(*facts, TwoItems, credit("BOB", "fine"), "ANN", Morning)), FileError::None);
}

// A fifo nobody reads at the log's path once hung the till for good.
void PurchaseTest::logThatIsNoFile()
{
    TempDir dir;
    const QString path = shop(dir, true, false);
    const QString logPath = dir.path("sales.log");
    QCOMPARE(::mkfifo(QFile::encodeName(logPath).constData(), 0600), 0);
    const QByteArray before = bytesOf(path);
    LogFile log(logPath);
    const Completed c = complete(path, TwoItems, credit("BOB"), Morning, log);
    QCOMPARE(c.outcome.failed, Outcome::Failed::Log);
    QCOMPARE(c.outcome.errorNumber, errorNumber(FileError::PathAccess));
    QCOMPARE(bytesOf(path), before);
}

TB_TEST(PurchaseTest)
#include "PurchaseTest.moc"
