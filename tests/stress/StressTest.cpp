// The stress test: four tills and a back office on one datafile at once. Each
// till rings items, completes cash and credit sales (every third one opening a
// new account) and appends items; the back office imports a catalogue that
// updates the rung items and adds one, and deletes entries at the front (so
// every later record moves) and the one it imported, until the tills are done.
// Afterwards the datafile must hold exactly what the tills say they did.
//
//   tb_stresstest [--rounds N]    (N sales per till, 300 unless given)

#include "datafile/CashierEntry.h"
#include "datafile/CashierStore.h"
#include "datafile/CustomerEntry.h"
#include "datafile/HeaderRecords.h"
#include "datafile/ItemEntry.h"
#include "datafile/ItemImport.h"
#include "datafile/RecordStore.h"
#include "datafile/TransactionCounter.h"
#include "sale/Checkout.h"
#include "sale/LogFile.h"
#include "sale/Sale.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int Tills = 4;
constexpr int Items = 8;       // the items the tills ring
constexpr int FrontItems = 60; // deleted one a round by the back office
const QString Clerk = QStringLiteral("CLERK");

QString stressItem(int k)
{
    return QStringLiteral("STRESS %1").arg(k);
}

// A line of the report with its figures.
template<typename... Figures>
QString text(const char *line, Figures... figures)
{
    QString s = QString::fromLatin1(line);
    ((s = s.arg(figures)), ...);
    return s;
}

void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

int till(const QString &path, int w, int rounds, int clerkRecord)
{
    const RecordStore store(path);
    const CashierStore::OnDuty clerk{clerkRecord, Clerk, QStringLiteral("1")};
    LogFile log(QFileInfo(path).dir().filePath(QStringLiteral("log-%1.txt").arg(w)));
    for (int i = 0; i < rounds; ++i) {
        Sale sale;
        const int k = (i + w) % Items;
        const Result<Sale::Rung> rung = sale.ring(path, stressItem(k), QStringLiteral("1"));
        say(rung && *rung == Sale::Rung::Done ? QStringLiteral("rung %1").arg(k)
                                              : QStringLiteral("error ring"));

        const QString customer = i % 3 == 1 ? QStringLiteral("CUSTOMER %1").arg(w)
                                            : QStringLiteral("NEW %1-%2").arg(w).arg(i);
        Purchase::Payment pay{Purchase::CashPayment{QStringLiteral("5"), {}}, {}};
        if (i % 3)
            pay.by = Purchase::CreditPayment{customer, {}, 0};
        const ShownBill bill{{stressItem(k)}, Currency::fromUnits(1), Currency::fromUnits(1)};
        const Result<Purchase::Facts> facts = Purchase::readFacts(path, pay, clerk);
        const Purchase::Outcome done =
            facts ? Purchase::carryOut(
                path, Purchase::plan(*facts, bill, pay, Clerk, QDateTime::currentDateTime()), log,
                [](const QStringList &) { return true; })
                  : Purchase::Outcome{Purchase::Outcome::Failed::Datafile, 0, {}};
        if (done.failed != Purchase::Outcome::Failed::Nothing)
            say(QStringLiteral("error sale"));
        else
            say(pay.cash() ? QStringLiteral("sale cash") : QStringLiteral("sale ") + customer);

        const QString name = QStringLiteral("APP %1-%2").arg(w).arg(i);
        const ItemEntry item =
            ItemEntry::make(name, QStringLiteral("2%1%2").arg(w).arg(i, 6, 10, QLatin1Char('0')),
                            Currency::fromUnits(1), 5);
        const Result<int> added = store.append(item.record());
        say(added && *added != DatabaseFullRecord ? QStringLiteral("added ") + name
                                                  : QStringLiteral("error append"));
    }
    return 0;
}

int backOffice(const QString &path, const QString &stop)
{
    const RecordStore store(path);
    const auto remove = [&](const QString &name) {
        const Result<RecordStore::Found> found = store.findFirst(
            FirstEntryRecord, [&](const RecordView &r) { return r.field(0)->toText() == name; });
        return found && found->record != 0 && store.DeleteRecord(found->record) == FileError::None;
    };
    int round = 0;
    for (; !QFile::exists(stop); ++round) {
        QByteArray csv = "Name,Number,Price,Stock\r\n";
        for (int k = 0; k < Items; ++k)
            csv +=
                QStringLiteral("%1,%2,1.00,1000000\r\n").arg(stressItem(k)).arg(900 + k).toLatin1();
        csv += QStringLiteral("IMP %1,1%1,2.00,3\r\n").arg(round).toLatin1();
        const ItemImport::Outcome imported = ItemImport::run(path, csv);
        if (!imported.ok())
            say(QStringLiteral("error import %1 %2")
                    .arg(errorNumber(imported.error))
                    .arg(imported.refused ? imported.refused->reason : QString()));
        if (!remove(QStringLiteral("IMP %1").arg(round))
            || (round < FrontItems && !remove(QStringLiteral("FRONT %1").arg(round))))
            say(QStringLiteral("error delete"));
    }
    say(QStringLiteral("rounds %1").arg(round));
    return 0;
}

// The shop, the log on: items at the front for the back office to delete, the
// rung items, the clerk and one account per till. Gives the clerk's record.
int makeShop(const QString &path)
{
    const RecordStore store(path);
    Result<DataRecord> logOn = store.createNew(QDate::currentDate()) == FileError::None
                                   ? store.readRecord(HeaderRecord::SaveToLog)
                                   : FileError::DeviceIO;
    if (!logOn)
        return 0;
    logOn->Number = FieldValue::fromText(QStringLiteral("1"));
    QList<DataRecord> records;
    for (int i = 0; i < FrontItems; ++i)
        records << ItemEntry::make(QStringLiteral("FRONT %1").arg(i), QString::number(800 + i),
                                   Currency::fromUnits(1), 1)
                       .record();
    for (int k = 0; k < Items; ++k)
        records << ItemEntry::make(stressItem(k), QString::number(900 + k), Currency::fromUnits(1),
                                   1000000)
                       .record();
    records << CashierEntry::make(Clerk, QStringLiteral("1"), Privileges::master()).record();
    for (int w = 0; w < Tills; ++w)
        records << CustomerEntry::make(QStringLiteral("CUSTOMER %1").arg(w), Currency(), QString())
                       .record();
    bool ok = store.writeRecord(HeaderRecord::SaveToLog, *logOn) == FileError::None;
    for (int i = 0; i < records.size(); ++i)
        ok = ok && store.writeRecord(FirstEntryRecord + i, records[i]) == FileError::None;
    return ok ? FirstEntryRecord + FrontItems + Items : 0;
}

int parent(int rounds)
{
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shop.tb2"));
    const int clerk = makeShop(path);
    if (clerk == 0) {
        out << "stress test: cannot write the datafile\n";
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    const QString self = QCoreApplication::applicationFilePath();
    QProcess office;
    office.start(self, {QStringLiteral("--office"), path, dir.filePath(QStringLiteral("stop"))});
    QProcess tills[Tills];
    for (int w = 0; w < Tills; ++w)
        tills[w].start(self, {QStringLiteral("--till"), path, QString::number(w),
                              QString::number(rounds), QString::number(clerk)});

    // What the tills and the back office say they did.
    QList<int> rung(Items, 0);
    QHash<QString, int> said; // "sale cash", "sale CUSTOMER 0", "added APP 0-1", "error ring", ...
    int sales = 0, officeRounds = 0;
    const auto collect = [&](QProcess &p) {
        p.waitForFinished(300000);
        for (const QByteArray &raw : p.readAllStandardOutput().split('\n')) {
            const QString line = QString::fromLatin1(raw);
            if (line.startsWith(QLatin1String("rung ")))
                ++rung[line.mid(5).toInt()];
            else if (line.startsWith(QLatin1String("rounds ")))
                officeRounds = line.mid(7).toInt();
            else if (!line.isEmpty())
                ++said[line];
            sales += line.startsWith(QLatin1String("sale "));
        }
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    };
    bool ran = true;
    for (QProcess &t : tills)
        ran = collect(t) && ran;
    QFile(dir.filePath(QStringLiteral("stop"))).open(QIODevice::WriteOnly);
    ran = collect(office) && ran;
    const double seconds = clock.elapsed() / 1000.0;

    // What the datafile holds: every record decoded, entries counted by name.
    QHash<QString, int> entries;
    QList<double> sold(Items, -1);
    DataRecord counter, clerkRecord;
    QHash<QString, double> visits;
    int undecoded = 0;
    {
        DataFile file(path);
        if (file.open(DataFile::Mode::Read) != FileError::None
            || file.scan(1, [&](int n, const RecordView &v) {
                   const Result<DataRecord> r = v.decode();
                   if (!r)
                       return bool(++undecoded);
                   if (n == HeaderRecord::LastTransaction)
                       counter = *r;
                   if (n < FirstEntryRecord)
                       return true;
                   const QString name = r->Name.toText();
                   const bool marked = name == SharedMarker || name == CashierMarker;
                   const QString key = marked ? r->Number.toText() : name;
                   ++entries[key];
                   if (key == Clerk)
                       clerkRecord = *r;
                   if (name == SharedMarker)
                       visits[key] = CustomerEntry(*r).visits();
                   for (int k = 0; k < Items; ++k)
                       if (key == stressItem(k))
                           sold[k] = ItemEntry(*r).sold();
                   return true;
               }) != FileError::None) {
            out << "stress test: the datafile does not open\n";
            return 1;
        }
    }
    // The transaction numbers in the tills' logs.
    QHash<int, int> numbers;
    int logged = 0;
    static const QRegularExpression number(QStringLiteral("Transaction #(\\d+) "));
    for (int w = 0; w < Tills; ++w) {
        QFile log(dir.filePath(QStringLiteral("log-%1.txt").arg(w)));
        log.open(QIODevice::ReadOnly);
        for (auto m = number.globalMatch(QString::fromLatin1(log.readAll())); m.hasNext(); ++logged)
            ++numbers[m.next().captured(1).toInt()];
    }
    int repeated = 0;
    for (const int times : std::as_const(numbers))
        repeated += times - 1;

    // The checks.
    int failed = 0;
    const auto check = [&](bool ok, const QString &what) {
        failed += !ok;
        out << (ok ? "  ok      " : "  FAILED  ") << what << "\n";
    };
    const auto count = [&](const char *prefix) {
        int n = 0;
        for (auto it = said.cbegin(); it != said.cend(); ++it)
            n += it.key().startsWith(QLatin1String(prefix)) ? it.value() : 0;
        return n;
    };
    // Entries the tills added (appended items, new accounts) that are not
    // there exactly once.
    const auto lost = [&](const char *prefix, int cut) {
        int n = 0;
        for (auto it = said.cbegin(); it != said.cend(); ++it)
            n +=
                it.key().startsWith(QLatin1String(prefix)) && entries.value(it.key().mid(cut)) != 1;
        return n;
    };
    int rungTotal = 0, soldTotal = 0, soldWrong = 0;
    for (int k = 0; k < Items; ++k) {
        rungTotal += rung[k];
        soldTotal += int(sold[k]);
        soldWrong += sold[k] != rung[k] || entries.value(stressItem(k)) != 1;
    }
    int visitsWrong = 0;
    for (int w = 0; w < Tills; ++w) {
        const QString customer = QStringLiteral("CUSTOMER %1").arg(w);
        visitsWrong += visits.value(customer) != said.value(QStringLiteral("sale ") + customer)
                       || entries.value(customer) != 1;
    }
    const int counted = TransactionCounter::next(counter, QDate::currentDate()) - 1;
    const int cashSales = said.value(QStringLiteral("sale cash"));
    const int newAccounts = count("sale NEW");
    const int appended = count("added ");
    const int errors = count("error");

    for (auto it = said.cbegin(); it != said.cend(); ++it)
        if (it.key().startsWith(QLatin1String("error")))
            out << "  " << it.value() << " x " << it.key() << "\n";
    const qint64 size = QFileInfo(path).size();
    out << "stress test: " << Tills << " tills of " << rounds << " sales each and a back office of "
        << officeRounds << " imports and " << officeRounds + std::min(officeRounds, FrontItems)
        << " deletes, in " << QString::number(seconds, 'f', 1) << " s\n";
    check(ran && errors == 0,
          text("every process ran to its end and every operation succeeded (%1 failed: %2 rings, "
               "%3 sales, %4 appends, %5 imports, %6 deletes)",
               errors, count("error ring"), count("error sale"), count("error append"),
               count("error import"), count("error delete")));
    check(size % RecordLength == 0 && undecoded == 0,
          text("the file is %1 whole records; %2 do not decode", double(size) / RecordLength,
               undecoded));
    check(
        soldWrong == 0,
        text("Sold equals what was rung: rung %1, sold %2, %3 of %4 items wrong or not there once",
             rungTotal, soldTotal, soldWrong, Items));
    check(counted == sales,
          text("the day's counter equals the sales: %1 sales (%2 cash, %3 to new accounts), "
               "counter %4",
               sales, cashSales, newAccounts, counted));
    const double clerkSales = CashierEntry(clerkRecord).salesPerformed();
    check(clerkSales == sales, text("the cashier's sales performed: %1", clerkSales));
    check(
        logged == sales && repeated == 0,
        text("no transaction number repeats: %1 logged, %2 used more than once", logged, repeated));
    check(visitsWrong == 0,
          text("each till's customer has a visit per sale: %1 of %2 wrong", visitsWrong, Tills));
    const int accountsLost = lost("sale NEW", 5), itemsLost = lost("added ", 6);
    check(accountsLost == 0, text("no new account is lost: %1 of %2", accountsLost, newAccounts));
    check(itemsLost == 0, text("no appended item is lost: %1 of %2", itemsLost, appended));
    return failed;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() == 6 && a[1] == QLatin1String("--till"))
        return till(a[2], a[3].toInt(), a[4].toInt(), a[5].toInt());
    if (a.size() == 4 && a[1] == QLatin1String("--office"))
        return backOffice(a[2], a[3]);
    return parent(a.size() == 3 && a[1] == QLatin1String("--rounds") ? a[2].toInt() : 300);
}
