// tallybird-bench: how the datafile operations on a full datafile compare with
// simply reading the file's bytes, and a durable credit completion with
// SQLite's durable commit on the same disk.
//
//   tallybird-bench [--smoke] [benchmark options]
//
// --smoke (or TALLYBIRD_BENCH_SMOKE=1) runs each benchmark once, for CI. With
// --benchmark_repetitions=N the summary gives each benchmark's median.

#include "app/Interface.h"
#include "datafile/CashierEntry.h"
#include "datafile/CashierStore.h"
#include "datafile/Cp1252.h"
#include "datafile/CustomerEntry.h"
#include "datafile/DataFile.h"
#include "datafile/DataRecord.h"
#include "datafile/EntryExport.h"
#include "datafile/EntryWalk.h"
#include "datafile/FieldValue.h"
#include "datafile/HeaderRecords.h"
#include "datafile/ItemEntry.h"
#include "datafile/ItemImport.h"
#include "datafile/PickList.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"
#include "report/QueryEngine.h"
#include "sale/Checkout.h"
#include "sale/ItemProposal.h"
#include "sale/LogFile.h"
#include "sale/Sale.h"
#include "ui/AppContext.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/UpdateList.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// ---------------------------------------------------------------------------
// The full datafile

struct BenchFile {
    QString pristine;  // never changed after generation
    QString work;      // scratch copy for the operations that change the file
    QString walk;      // an item, 30,000 customers, then items to the end
    QString catalogue; // 30,000 items and nothing else
    QString imported;  // an empty datafile the catalogue is imported into
    QString log;       // the log of the credit completions
    QString sqlite;    // the yardstick's database
    QByteArray catalogueCsv;
    QString lastItemName;
    QByteArray lastItemEncoded;
    QString lastCustomerName;
    CashierStore::OnDuty lastCashier;
    int items = 0;
    int customers = 0;
    int cashiers = 0;
};

BenchFile g_file;
bool g_failed = false;

const char *const Goods[] = {"BOLT",  "WASHER",  "NUT",  "SCREW", "HINGE", "NAIL",
                             "CLAMP", "BRACKET", "HOOK", "RIVET", "PIN",   "SPRING"};

DataRecord benchItem(int i)
{
    ItemEntry item = ItemEntry::make(
        QStringLiteral("%1 %2").arg(QLatin1String(Goods[i % 12])).arg(i, 5, 10, QLatin1Char('0')),
        QStringLiteral("20%1").arg(i, 11, 10, QLatin1Char('0')),
        Currency::fromRaw(100 + (i % 997) * 250), 50);
    item.setSold(i % 7);
    item.setRemaining(50 - i % 7);
    return item.record();
}

DataRecord benchCustomer(int i)
{
    CustomerEntry customer =
        CustomerEntry::make(QStringLiteral("CUSTOMER %1").arg(i), Currency::fromUnits(-(i % 90)),
                            QStringLiteral("Account opened at the counter."));
    customer.setVisits(i % 40);
    customer.setTotalSpent(Currency::fromUnits(i % 90));
    return customer.record();
}

DataRecord benchCashier(int i)
{
    return CashierEntry::make(QStringLiteral("CASHIER %1").arg(i), QStringLiteral("1234"),
                              Privileges::master())
        .record();
}

// The browser walks: Next from the first item has 30,000 customers to pass
// before the next item, Previous the same way back.
constexpr int WalkGap = 30000;

bool generateWalk(const QString &dir)
{
    g_file.walk = QDir(dir).filePath(QStringLiteral("walk.tb2"));
    QFile pristine(g_file.pristine);
    if (!pristine.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = pristine.read(qint64(HeaderRecords) * RecordLength);
    bytes.reserve(qsizetype(MaxRecords) * RecordLength);
    for (int n = FirstEntryRecord; n <= MaxRecords; ++n) {
        const bool item = n == FirstEntryRecord || n > FirstEntryRecord + WalkGap;
        const Result<QByteArray> enc = RecordCodec::encode(item ? benchItem(n) : benchCustomer(n));
        if (!enc)
            return false;
        bytes += *enc;
    }
    QFile f(g_file.walk);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "tallybird-bench: cannot write %s\n", qPrintable(g_file.walk));
        return false;
    }
    return true;
}

// The shop owner's catalogue: 30,000 items, exported as CSV once for the import.
constexpr int CatalogueItems = 30000;

bool generateCatalogue(const QString &dir)
{
    g_file.catalogue = QDir(dir).filePath(QStringLiteral("catalogue.tb2"));
    g_file.imported = QDir(dir).filePath(QStringLiteral("imported.tb2"));
    if (RecordStore(g_file.catalogue).createNew(QDate::currentDate()) != FileError::None)
        return false;
    QByteArray bytes;
    bytes.reserve(qsizetype(CatalogueItems) * RecordLength);
    for (int i = 0; i < CatalogueItems; ++i) {
        const Result<QByteArray> enc = RecordCodec::encode(benchItem(i));
        if (!enc)
            return false;
        bytes += *enc;
    }
    QFile f(g_file.catalogue);
    if (!f.open(QIODevice::Append) || f.write(bytes) != bytes.size())
        return false;
    f.close();
    const Result<QByteArray> csv =
        EntryExport::run(g_file.catalogue, EntryExport::Kind::Items, false);
    if (!csv) {
        std::fprintf(stderr, "tallybird-bench: the catalogue cannot be exported (error %d)\n",
                     int(csv.error()));
        return false;
    }
    g_file.catalogueCsv = *csv;
    return true;
}

// 20 header records and 32,744 entries: items, with a customer every 500
// entries and a cashier every 4,000, the last entry an item.
bool generate(const QString &dir)
{
    g_file.pristine = QDir(dir).filePath(QStringLiteral("full.tb2"));
    g_file.work = QDir(dir).filePath(QStringLiteral("work.tb2"));
    g_file.log = QDir(dir).filePath(QStringLiteral("sales.log"));
    g_file.sqlite = QDir(dir).filePath(QStringLiteral("yardstick.sqlite"));

    if (RecordStore(g_file.pristine).createNew(QDate::currentDate()) != FileError::None) {
        std::fprintf(stderr, "tallybird-bench: cannot create %s\n", qPrintable(g_file.pristine));
        return false;
    }
    QByteArray entries;
    entries.reserve(qsizetype(MaxEntries) * RecordLength);
    for (int i = 0; i < MaxEntries; ++i) {
        DataRecord r;
        if (i % 4000 == 1000) {
            r = benchCashier(i);
            ++g_file.cashiers;
            g_file.lastCashier = {FirstEntryRecord + i, CashierEntry(r).name(),
                                  CashierEntry(r).pin()};
        } else if (i % 500 == 250) {
            r = benchCustomer(i);
            ++g_file.customers;
            g_file.lastCustomerName = CustomerEntry(r).name();
        } else {
            r = benchItem(i);
            ++g_file.items;
            g_file.lastItemName = r.Name.toText();
            g_file.lastItemEncoded = Cp1252::encode(g_file.lastItemName).value_or(QByteArray());
        }
        const Result<QByteArray> enc = RecordCodec::encode(r);
        if (!enc || enc->size() != RecordLength) {
            std::fprintf(stderr, "tallybird-bench: entry %d does not encode (error %d)\n", i,
                         int(enc.error()));
            return false;
        }
        entries += *enc;
    }
    QFile f(g_file.pristine);
    if (!f.open(QIODevice::Append) || f.write(entries) != entries.size()) {
        std::fprintf(stderr, "tallybird-bench: cannot write %s\n", qPrintable(g_file.pristine));
        return false;
    }
    f.close();
    const qint64 expected = qint64(MaxRecords) * RecordLength;
    if (QFileInfo(g_file.pristine).size() != expected) {
        std::fprintf(stderr, "tallybird-bench: %s has %lld bytes, expected %lld\n",
                     qPrintable(g_file.pristine), QFileInfo(g_file.pristine).size(), expected);
        return false;
    }
    return generateWalk(dir) && generateCatalogue(dir);
}

void fail(benchmark::State &state, const std::string &why)
{
    g_failed = true;
    state.SkipWithError(why.c_str());
}

bool freshWorkCopy()
{
    QFile::remove(g_file.work);
    return QFile::copy(g_file.pristine, g_file.work);
}

// ---------------------------------------------------------------------------
// The datafile benchmarks

// The floor: every other operation reads at least the whole file once.
void ReadWholeFile(benchmark::State &state)
{
    for (auto _ : state) {
        QFile f(g_file.pristine);
        if (!f.open(QIODevice::ReadOnly))
            return fail(state, "cannot open the datafile");
        const QByteArray bytes = f.readAll();
        benchmark::DoNotOptimize(bytes.constData());
        if (bytes.size() != qsizetype(MaxRecords) * RecordLength)
            return fail(state, "short read");
    }
    state.SetBytesProcessed(state.iterations() * qint64(MaxRecords) * RecordLength);
}

// Ringing an item whose name is stored last: a scan through every record.
void FindLastItemByName(benchmark::State &state)
{
    const RecordStore store(g_file.pristine);
    const QString name = g_file.lastItemName;
    const QByteArray encoded = g_file.lastItemEncoded;
    for (auto _ : state) {
        const Result<RecordStore::Found> found = store.findFirst(
            FirstEntryRecord, [&](const RecordView &v) { return v.fieldEquals(0, name, encoded); });
        if (!found)
            return fail(state, "scan failed with error " + std::to_string(int(found.error())));
        if (found->record != MaxRecords || !found->data.Name.textEquals(name))
            return fail(state, "found record " + std::to_string(found->record) + ", expected "
                                   + std::to_string(MaxRecords));
    }
}

void NextFreeRecord(benchmark::State &state)
{
    const RecordStore store(g_file.pristine);
    for (auto _ : state) {
        const int n = store.NextFreeRecord().valueOr(0);
        if (n != DatabaseFullRecord)
            return fail(state, "NextFreeRecord gave " + std::to_string(n) + ", expected "
                                   + std::to_string(DatabaseFullRecord));
    }
}

// Deleting the first entry moves every later record: the whole file is
// rewritten beside the old one and renamed over it.
void DeleteFirstEntry(benchmark::State &state)
{
    const RecordStore store(g_file.work);
    const qint64 after = qint64(MaxRecords - 1) * RecordLength;
    for (auto _ : state) {
        state.PauseTiming();
        if (!freshWorkCopy())
            return fail(state, "cannot copy the datafile");
        state.ResumeTiming();

        const FileError error = store.DeleteRecord(FirstEntryRecord);

        state.PauseTiming();
        if (error != FileError::None)
            return fail(state, "DeleteRecord failed with error " + std::to_string(int(error)));
        if (QFileInfo(g_file.work).size() != after)
            return fail(state, "DeleteRecord left a file of the wrong size");
        state.ResumeTiming();
    }
}

// For comparison with the delete: a plain copy of the same file...
void PlainFileCopy(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(g_file.work);
        state.ResumeTiming();
        if (!QFile::copy(g_file.pristine, g_file.work))
            return fail(state, "copy failed");
    }
}

// ...and a copy written the safe way: beside the target, flushed to disk,
// renamed over it.
void SafeFileCopy(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        if (!freshWorkCopy())
            return fail(state, "cannot copy the datafile");
        state.ResumeTiming();

        QFile in(g_file.pristine);
        QSaveFile out(g_file.work);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return fail(state, "cannot open the files");
        const QByteArray bytes = in.readAll();
        if (out.write(bytes) != bytes.size() || !out.commit())
            return fail(state, "safe copy failed");
    }
}

// ---------------------------------------------------------------------------
// The counter: ringing the last item of a full datafile, and one step of the
// item box's proposal against the whole pick list.

void RingLastItem(benchmark::State &state)
{
    if (!freshWorkCopy())
        return fail(state, "cannot copy the datafile");
    Sale sale;
    for (auto _ : state) {
        const Result<Sale::Rung> rung =
            sale.ring(g_file.work, g_file.lastItemName, QStringLiteral("1"));
        state.PauseTiming();
        if (!rung || *rung != Sale::Rung::Done)
            return fail(state, "the last item was not rung");
        sale.bill().reset();
        state.ResumeTiming();
    }
}

void ProposeFromPickList(benchmark::State &state)
{
    Result<PickList> list = PickList::read(g_file.pristine, PickList::Mode::Items);
    if (!list || list->entries.size() != g_file.items)
        return fail(state, "the pick list could not be read");
    QStringList sorted = list->entries;
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    const QString typed = QStringLiteral("washer 3");
    for (auto _ : state) {
        const std::optional<qsizetype> found = proposalFor(sorted, typed);
        if (!found)
            return fail(state, "no proposal for " + typed.toStdString());
        benchmark::DoNotOptimize(found);
    }
}

// ---------------------------------------------------------------------------
// The item browser's walk

void BrowseNext30000(benchmark::State &state)
{
    EntryWalk walk(g_file.walk, EntryWalk::items());
    for (auto _ : state) {
        walk.CurrentRecord = FirstEntryRecord;
        walk.AtEnd = false;
        const Result<EntryWalk::Step> step = walk.next();
        if (!step || step->outcome != EntryWalk::Outcome::Shown
            || walk.CurrentRecord != FirstEntryRecord + WalkGap + 1)
            return fail(state, "Next stopped at record " + std::to_string(walk.CurrentRecord));
    }
}

void BrowsePrevious30000(benchmark::State &state)
{
    EntryWalk walk(g_file.walk, EntryWalk::items());
    for (auto _ : state) {
        walk.CurrentRecord = FirstEntryRecord + WalkGap + 1;
        walk.AtEnd = false;
        const Result<EntryWalk::Step> step = walk.previous();
        if (!step || step->outcome != EntryWalk::Outcome::Shown
            || walk.CurrentRecord != FirstEntryRecord)
            return fail(state, "Previous stopped at record " + std::to_string(walk.CurrentRecord));
    }
}

void BrowseSearchLastItem(benchmark::State &state)
{
    EntryWalk walk(g_file.pristine, EntryWalk::items());
    const QString name = g_file.lastItemName;
    for (auto _ : state) {
        const Result<EntryWalk::Step> step = walk.search(name);
        if (!step || step->outcome != EntryWalk::Outcome::Shown || walk.CurrentRecord != MaxRecords)
            return fail(state, "the search found record " + std::to_string(walk.CurrentRecord));
    }
}

// ---------------------------------------------------------------------------
// Item reports on the Item Cost figure: the whole query, from the file to the
// labelled lines.

void ReportHighest100(benchmark::State &state)
{
    for (auto _ : state) {
        const Result<ReportList> r =
            QueryEngine::run(g_file.pristine, ReportProperty::ItemCost, QueryMode::Relative,
                             Comparison::GreaterThan, QStringLiteral("100"));
        state.PauseTiming();
        if (!r)
            return fail(state, "the query failed with error " + std::to_string(int(r.error())));
        // Prices repeat every 997 items, so the ties at the cut come along.
        if (r->size() < 100 || r->size() > 200)
            return fail(state, "the report has " + std::to_string(r->size()) + " lines");
        state.ResumeTiming();
    }
}

// A credit sale to the last customer, rung up by the last cashier, from the
// cashier's OK: the account where the credit window found it on leaving the
// customer box, checked again; then the log entry, the counter, the account
// and the cashier are written and put on the disk.
void CompleteCreditLastCustomer(benchmark::State &state)
{
    if (!freshWorkCopy())
        return fail(state, "cannot copy the datafile");
    // A new datafile has the log switched off; a shop that keeps one pays for
    // its sync as well.
    const RecordStore store(g_file.work);
    Result<DataRecord> logSwitch = store.readRecord(HeaderRecord::SaveToLog);
    if (!logSwitch)
        return fail(state, "cannot read the log switch");
    logSwitch->Number = FieldValue::fromInt16(1);
    if (store.writeRecord(HeaderRecord::SaveToLog, *logSwitch) != FileError::None)
        return fail(state, "cannot switch the log on");
    QFile::remove(g_file.log);
    LogFile log{g_file.log};
    Purchase::CreditPayment credit{g_file.lastCustomerName, {}, 0};
    if (const Result<Purchase::CustomerPlace> place =
            Purchase::findCustomer(g_file.work, credit.customer);
        place && place->account)
        credit.customerSeen = place->record;
    const Purchase::Payment payment{credit, {}};
    const ShownBill bill{{QStringLiteral("BOLT 00001 - $1.00   X   1")},
                         Currency::fromUnits(1),
                         *Currency::fromDecimal("1.07")};
    for (auto _ : state) {
        const Result<Purchase::Facts> facts =
            Purchase::readFacts(g_file.work, payment, g_file.lastCashier);
        if (!facts || !facts->customer.account || facts->cashierRecord == 0)
            return fail(state, "the customer or the cashier was not found");
        if (!facts->saveToLog || facts->printBill)
            return fail(state, "the log is off or the bill would be printed");
        const Purchase::Plan plan = Purchase::plan(*facts, bill, payment, g_file.lastCashier.name,
                                                   QDateTime::currentDateTime());
        const Purchase::Outcome done =
            Purchase::carryOut(g_file.work, plan, log, [](const QStringList &) { return true; });
        if (done.failed != Purchase::Outcome::Failed::Nothing)
            return fail(state, "completion failed with error " + std::to_string(done.errorNumber));
    }
    if (QFileInfo(g_file.log).size() == 0)
        fail(state, "nothing was logged");
}

// The storage part of that sale alone: four records of the sale's size
// (the counter, the account, the cashier and a currency slot) and a log
// entry written whole through the journal, with its one sync.
void WriteFourRecordsTogether(benchmark::State &state)
{
    if (!freshWorkCopy())
        return fail(state, "cannot copy the datafile");
    QFile::remove(g_file.log);
    const int records[] = {HeaderRecord::LastTransaction, FirstEntryRecord, MaxRecords / 2,
                           MaxRecords};
    QList<std::pair<int, DataRecord>> writes;
    {
        DataFile file(g_file.work);
        if (file.open(DataFile::Mode::Read) != FileError::None)
            return fail(state, "cannot open the datafile");
        for (const int n : records) {
            Result<DataRecord> r = file.read(n);
            if (!r)
                return fail(state, "cannot read record " + std::to_string(n));
            writes.append({n, *r});
        }
    }
    const QByteArray entry(250, 'x');
    for (auto _ : state) {
        DataFile file(g_file.work);
        if (file.open(DataFile::Mode::Journaled) != FileError::None)
            return fail(state, "cannot open the datafile");
        const Journal::SideWrite side{g_file.log, QFileInfo(g_file.log).size(), entry};
        QFile log(g_file.log);
        if (!log.open(QIODevice::Append) || log.write(entry) != entry.size())
            return fail(state, "cannot append to the log");
        log.close();
        if (file.writeTogether(writes, side) != FileError::None)
            return fail(state, "the records were not written");
    }
}

// The yardstick for the completion: SQLite committing four 128-byte rows in
// one transaction, write-ahead log and full sync, beside the datafile.
class Sqlite
{
public:
    ~Sqlite()
    {
        for (sqlite3_stmt *s : m_statements)
            sqlite3_finalize(s);
        sqlite3_close(m_db);
    }
    bool open(const QString &path)
    {
        return sqlite3_open(QFile::encodeName(path).constData(), &m_db) == SQLITE_OK;
    }
    bool exec(const char *sql)
    {
        return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    // The first column of the first row, as text.
    std::string value(const char *sql)
    {
        sqlite3_stmt *s = nullptr;
        std::string text;
        if (sqlite3_prepare_v2(m_db, sql, -1, &s, nullptr) == SQLITE_OK
            && sqlite3_step(s) == SQLITE_ROW)
            if (const unsigned char *t = sqlite3_column_text(s, 0))
                text = reinterpret_cast<const char *>(t);
        sqlite3_finalize(s);
        return text;
    }
    sqlite3_stmt *prepare(const char *sql)
    {
        sqlite3_stmt *s = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &s, nullptr) != SQLITE_OK)
            return nullptr;
        m_statements.push_back(s);
        return s;
    }
    // Runs a prepared statement to its end; false unless it succeeded.
    static bool run(sqlite3_stmt *s)
    {
        const int rc = sqlite3_step(s);
        sqlite3_reset(s);
        return rc == SQLITE_DONE;
    }
    int changes() const { return sqlite3_changes(m_db); }
    std::string error() const { return sqlite3_errmsg(m_db); }

private:
    sqlite3 *m_db = nullptr;
    std::vector<sqlite3_stmt *> m_statements;
};

void SqliteDurableCommit(benchmark::State &state)
{
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(g_file.sqlite + QLatin1String(suffix));
    Sqlite db;
    if (!db.open(g_file.sqlite))
        return fail(state, "cannot open " + g_file.sqlite.toStdString());
    if (db.value("PRAGMA journal_mode=WAL") != "wal" || !db.exec("PRAGMA synchronous=FULL")
        || db.value("PRAGMA synchronous") != "2")
        return fail(state, "cannot set WAL and full sync: " + db.error());
    if (!db.exec("CREATE TABLE rows(id INTEGER PRIMARY KEY, data BLOB NOT NULL);"
                 "INSERT INTO rows VALUES (1, zeroblob(128)), (2, zeroblob(128)),"
                 " (3, zeroblob(128)), (4, zeroblob(128))"))
        return fail(state, "cannot create the rows: " + db.error());
    sqlite3_stmt *begin = db.prepare("BEGIN");
    sqlite3_stmt *update = db.prepare("UPDATE rows SET data = ?1 WHERE id = ?2");
    sqlite3_stmt *commit = db.prepare("COMMIT");
    if (!begin || !update || !commit)
        return fail(state, "cannot prepare the statements: " + db.error());
    QByteArray row(RecordLength, '\0');
    for (auto _ : state) {
        if (!Sqlite::run(begin))
            return fail(state, "BEGIN failed: " + db.error());
        for (int id = 1; id <= 4; ++id) {
            ++row[id]; // each commit changes every row
            sqlite3_bind_blob(update, 1, row.constData(), int(row.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(update, 2, id);
            if (!Sqlite::run(update) || db.changes() != 1)
                return fail(state, "UPDATE failed: " + db.error());
        }
        if (!Sqlite::run(commit))
            return fail(state, "COMMIT failed: " + db.error());
    }
}

void ReportAtLeastZero(benchmark::State &state)
{
    for (auto _ : state) {
        const Result<ReportList> r =
            QueryEngine::run(g_file.pristine, ReportProperty::ItemCost, QueryMode::Absolute,
                             Comparison::GreaterOrEqual, QStringLiteral("$0.00"));
        state.PauseTiming();
        if (!r)
            return fail(state, "the query failed with error " + std::to_string(int(r.error())));
        if (r->size() != g_file.items)
            return fail(state, "the report has " + std::to_string(r->size()) + " lines, expected "
                                   + std::to_string(g_file.items));
        state.ResumeTiming();
    }
}

// ---------------------------------------------------------------------------
// Filling the item box of the main window

// Answers every box and notes it on stderr: a box during a benchmark means
// something went wrong, and a real modal box would wait forever offscreen.
class BenchDialogs : public Dialogs
{
public:
    Answer message(QWidget *, Icon, const QString &title, const QString &text,
                   Buttons buttons) override
    {
        std::fprintf(stderr, "tallybird-bench: message box \"%s\": %s\n", qPrintable(title),
                     qPrintable(text));
        ++shown;
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
    std::optional<QString> inputBox(QWidget *, const QString &, const QString &,
                                    const QString &) override
    {
        return std::nullopt;
    }
    QString openFileName(QWidget *, const QString &) override { return QString(); }
    QString saveFileName(QWidget *, const QString &) override { return QString(); }
    bool printerSetup(QWidget *) override { return false; }
    bool printLines(const QStringList &, const QString &) override { return false; }
    bool openDrawer(const TillSettings &) override { return false; }
    bool openUrl(const QUrl &) override { return false; }

    int shown = 0;
};

struct Gui {
    BenchDialogs dialogs;
    SystemClock clock;
    AppContext ctx;
    std::unique_ptr<Interface> window;
    QComboBox *combo = nullptr;
};
std::unique_ptr<Gui> g_gui;

Gui *gui()
{
    if (!g_gui) {
        g_gui = std::make_unique<Gui>();
        g_gui->ctx.dialogs = &g_gui->dialogs;
        g_gui->ctx.clock = &g_gui->clock;
        g_gui->ctx.ProgramDir = QDir::currentPath();
        g_gui->window = std::make_unique<Interface>(g_gui->ctx, QString());
        g_gui->window->show();
        QApplication::processEvents();
        g_gui->ctx.DataFilePath = g_file.pristine;
        g_gui->combo = g_gui->window->findChild<QComboBox *>(QStringLiteral("Combo1"));
    }
    return g_gui.get();
}

void FillItemBox(benchmark::State &state)
{
    Gui *g = gui();
    if (!g->combo)
        return fail(state, "the main window has no Combo1");
    for (auto _ : state) {
        UpdateList(g->combo, true, g->ctx);
        state.PauseTiming();
        if (g->dialogs.shown > 0)
            return fail(state, "UpdateList showed a message box");
        if (g->combo->count() != g_file.items)
            return fail(state, "the item box holds " + std::to_string(g->combo->count())
                                   + " entries, expected " + std::to_string(g_file.items));
        state.ResumeTiming();
    }
}

// ---------------------------------------------------------------------------
// The datafile tool: a catalogue of 30,000 items out to CSV and into an empty
// datafile, as `tallybird-data export` and `import` run them (numbers read and
// written the same way whatever the locale).

class CsvLocale
{
public:
    CsvLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~CsvLocale() { QLocale::setDefault(m_old); }

private:
    QLocale m_old;
};

void ExportItems30000(benchmark::State &state)
{
    const CsvLocale locale;
    for (auto _ : state) {
        const Result<QByteArray> csv =
            EntryExport::run(g_file.catalogue, EntryExport::Kind::Items, false);
        state.PauseTiming();
        if (!csv || *csv != g_file.catalogueCsv)
            return fail(state, "the export differs from the first one");
        state.ResumeTiming();
    }
}

void ImportItems30000(benchmark::State &state)
{
    const CsvLocale locale;
    const qint64 expected = qint64(HeaderRecords + CatalogueItems) * RecordLength;
    for (auto _ : state) {
        state.PauseTiming();
        if (RecordStore(g_file.imported).createNew(QDate::currentDate()) != FileError::None)
            return fail(state, "cannot create the empty datafile");
        state.ResumeTiming();

        const ItemImport::Outcome outcome = ItemImport::run(g_file.imported, g_file.catalogueCsv);

        state.PauseTiming();
        if (!outcome.ok() || outcome.added != CatalogueItems)
            return fail(state, "the import failed: "
                                   + (outcome.refused ? outcome.refused->reason.toStdString()
                                                      : std::to_string(int(outcome.error))));
        if (QFileInfo(g_file.imported).size() != expected)
            return fail(state, "the import left a file of the wrong size");
        state.ResumeTiming();
    }
}

// ---------------------------------------------------------------------------
// Reporting

std::string timeText(double seconds)
{
    char text[32];
    if (seconds >= 1)
        std::snprintf(text, sizeof text, "%.3f s", seconds);
    else if (seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%.3f ms", seconds * 1e3);
    else
        std::snprintf(text, sizeof text, "%.3f us", seconds * 1e6);
    return text;
}

// The console output, and a summary of each benchmark's time against the floor.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    SummaryReporter()
        : ConsoleReporter(isatty(fileno(stdout)) && qEnvironmentVariableIsEmpty("NO_COLOR")
                              ? OO_ColorTabular
                              : OO_Tabular)
    {
    }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs) {
            if (r.run_type != Run::RT_Iteration)
                continue;
            if (r.error_occurred)
                g_failed = true;
            Result res;
            res.name = r.benchmark_name();
            res.failed = r.error_occurred;
            res.seconds = r.iterations > 0 ? r.real_accumulated_time / double(r.iterations) : 0;
            res.iterations = r.iterations;
            m_results.push_back(res);
        }
    }

    // With --benchmark_repetitions each benchmark reports once a repetition:
    // the summary keeps the median of them.
    void keepMedians()
    {
        std::vector<Result> medians;
        for (const Result &r : m_results) {
            if (std::any_of(medians.begin(), medians.end(),
                            [&](const Result &m) { return m.name == r.name; }))
                continue;
            std::vector<Result> runs;
            std::copy_if(m_results.begin(), m_results.end(), std::back_inserter(runs),
                         [&](const Result &o) { return o.name == r.name && !o.failed; });
            if (runs.empty()) {
                medians.push_back(r);
                continue;
            }
            std::sort(runs.begin(), runs.end(),
                      [](const Result &a, const Result &b) { return a.seconds < b.seconds; });
            Result median = runs[runs.size() / 2];
            if (runs.size() % 2 == 0)
                median.seconds = (runs[runs.size() / 2 - 1].seconds + median.seconds) / 2;
            median.repetitions = int(runs.size());
            medians.push_back(median);
        }
        m_results = medians;
    }

    void printSummary()
    {
        keepMedians();
        const double floor = secondsOf("ReadWholeFile");
        size_t width = 9;
        for (const Result &r : m_results)
            width = std::max(width, r.name.size());
        const int w = int(width);
        const int repeated = m_results.empty() ? 1 : m_results.front().repetitions;
        std::printf("\nSummary: %d records (%lld bytes); ratio = time / time of ReadWholeFile%s\n",
                    MaxRecords, qint64(MaxRecords) * RecordLength,
                    repeated > 1 ? "; the median of the repetitions" : "");
        std::printf("%-*s %14s %10s %12s\n", w, "benchmark", "time/op", "ratio", "iterations");
        for (const Result &r : m_results) {
            if (r.failed) {
                std::printf("%-*s %14s %10s %12lld\n", w, r.name.c_str(), "failed", "-",
                            qint64(r.iterations));
                continue;
            }
            char ratio[32] = "-";
            if (floor > 0)
                std::snprintf(ratio, sizeof ratio, "%.2f", r.seconds / floor);
            std::printf("%-*s %14s %10s %12lld\n", w, r.name.c_str(), timeText(r.seconds).c_str(),
                        ratio, qint64(r.iterations));
        }
        printGoal("Ringing with the lock against the floor", "RingLastItem", "ReadWholeFile",
                  "goal: within 5");
        printGoal("Durable credit completion against SQLite's", "CompleteCreditLastCustomer",
                  "SqliteDurableCommit", "goal: at most 1");
        printGoal("Its four records and log entry alone against SQLite's",
                  "WriteFourRecordsTogether", "SqliteDurableCommit", "goal: at most 1");
        std::fflush(stdout);
    }

private:
    struct Result {
        std::string name;
        double seconds = 0;
        benchmark::IterationCount iterations = 0;
        int repetitions = 1;
        bool failed = false;
    };

    // 0 when the benchmark did not run or failed; a smoke run adds
    // "/iterations:1" to each name.
    double secondsOf(const std::string &name) const
    {
        for (const Result &r : m_results)
            if (!r.failed && r.name.rfind(name, 0) == 0
                && (r.name.size() == name.size() || r.name[name.size()] == '/'))
                return r.seconds;
        return 0;
    }

    void printGoal(const char *what, const std::string &name, const std::string &against,
                   const char *goal) const
    {
        const double time = secondsOf(name);
        const double base = secondsOf(against);
        if (time > 0 && base > 0)
            std::printf("%s: %s / %s = %.2f (%s)\n", what, name.c_str(), against.c_str(),
                        time / base, goal);
    }
    std::vector<Result> m_results;
};

} // namespace

int main(int argc, char **argv)
{
    bool smoke = qEnvironmentVariableIntValue("TALLYBIRD_BENCH_SMOKE") != 0;
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        if (std::string(argv[i]) == "--smoke")
            smoke = true;
        else
            args.push_back(argv[i]);
        // The benchmark library prints its own options after these.
        if (std::string(argv[i]) == "--help")
            std::printf("usage: tallybird-bench [--smoke] [benchmark options]\n"
                        "  --smoke  run each benchmark once (CI); also TALLYBIRD_BENCH_SMOKE=1\n"
                        "  --benchmark_repetitions=N  the summary then gives each median\n\n");
    }
    int benchArgc = int(args.size());
    args.push_back(nullptr);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt gets only the program name; the options are the benchmark library's.
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);

    benchmark::Initialize(&benchArgc, args.data());
    if (benchmark::ReportUnrecognizedArguments(benchArgc, args.data()))
        return 2;

    QTemporaryDir dir;
    if (!dir.isValid() || !generate(dir.path()))
        return 1;
    std::printf("Datafile: %d items, %d customers, %d cashiers in %d entries%s\n", g_file.items,
                g_file.customers, g_file.cashiers, MaxEntries, smoke ? " (smoke run)" : "");

    const struct {
        const char *name;
        void (*fn)(benchmark::State &);
    } benchmarks[] = {
        {"ReadWholeFile", ReadWholeFile},
        {"FindLastItemByName", FindLastItemByName},
        {"NextFreeRecord", NextFreeRecord},
        {"DeleteFirstEntry", DeleteFirstEntry},
        {"PlainFileCopy", PlainFileCopy},
        {"SafeFileCopy", SafeFileCopy},
        {"FillItemBox", FillItemBox},
        {"RingLastItem", RingLastItem},
        {"ProposeFromPickList", ProposeFromPickList},
        {"BrowseNext30000", BrowseNext30000},
        {"BrowsePrevious30000", BrowsePrevious30000},
        {"BrowseSearchLastItem", BrowseSearchLastItem},
        {"ReportHighest100", ReportHighest100},
        {"ReportAtLeastZero", ReportAtLeastZero},
        {"CompleteCreditLastCustomer", CompleteCreditLastCustomer},
        {"WriteFourRecordsTogether", WriteFourRecordsTogether},
        {"SqliteDurableCommit", SqliteDurableCommit},
        {"ExportItems30000", ExportItems30000},
        {"ImportItems30000", ImportItems30000},
    };
    for (const auto &b : benchmarks) {
        benchmark::internal::Benchmark *bm = benchmark::RegisterBenchmark(b.name, b.fn);
        bm->Unit(benchmark::kMillisecond);
        if (smoke)
            bm->Iterations(1);
    }

    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.printSummary();

    g_gui.reset(); // the window goes before the application object
    return g_failed ? 1 : 0;
}
