// The kill test: a child process writes, appends and deletes records of a
// half full datafile, rings items and completes credit sales, while this
// process kills it at random moments. After each kill the datafile must open,
// every record must decode, and the file must hold either the content before
// the operation under way or the content after it, with no other record
// changed: a completion's records all moved or none. The copy a killed delete
// leaves is removed when the datafile is next opened.
//
//   tb_killtest [--kills N] [--seed S] [--max-delay MS]
//
// N is 100 unless given (or TALLYBIRD_KILLS is set).

#include "datafile/CashierEntry.h"
#include "datafile/DataFile.h"
#include "datafile/HeaderRecords.h"
#include "datafile/ItemStock.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"
#include "sale/Checkout.h"
#include "sale/LogFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

struct Op {
    enum Kind { Write, Append, Delete, Ring, Complete } kind = Write;
    int record = 0;   // Ring: the item's record
    QByteArray bytes; // Write and Append
    QString customer; // Complete: the account charged
};

// The records a ring or a completion wrote, as "set <record> <hex>" lines.
using Written = QList<std::pair<int, QByteArray>>;

constexpr int StartRecords = MaxRecords / 2;
const CashierStore::OnDuty Clerk{FirstEntryRecord, QStringLiteral("CLERK"), QStringLiteral("1")};

// Operation i of the run with `seed`, on a file of `count` records. Parent and
// child both derive it, so the parent knows what the child was doing.
Op opAt(quint64 seed, qint64 i, int count)
{
    QRandomGenerator rng(quint32(seed * 1000003u + quint64(i) * 7919u));
    const int roll = int(rng.bounded(100));
    Op op;
    if (roll >= 50) {
        op.kind = roll < 75 ? Op::Ring : Op::Complete;
        op.record = FirstEntryRecord + int(rng.bounded(std::max(1, count - HeaderRecords)));
        op.customer = QString::number(3 * rng.bounded(MaxRecords / 3));
        return op;
    }
    if (roll < 1 && count > HeaderRecords) {
        op.kind = Op::Delete;
        op.record = FirstEntryRecord + int(rng.bounded(count - HeaderRecords));
        return op;
    }
    op.kind = roll < 35 || count >= MaxRecords ? Op::Write : Op::Append;
    op.record = op.kind == Op::Append
                    ? count + 1
                    : FirstEntryRecord + int(rng.bounded(std::max(1, count - HeaderRecords)));
    DataRecord r;
    r.Name = FieldValue::fromText(QStringLiteral("K%1").arg(i));
    r.Number = FieldValue::fromText(QString::number(rng.generate()));
    r.Price = FieldValue::fromCurrency(Currency::fromRaw(qint64(rng.generate())));
    r.Sold = FieldValue::fromInt32(qint32(rng.generate()));
    op.bytes = RecordCodec::encode(r).value();
    return op;
}

void apply(QByteArray &file, const Op &op)
{
    const qsizetype at = qsizetype(op.record - 1) * RecordLength;
    switch (op.kind) {
    case Op::Write:
        file.replace(at, RecordLength, op.bytes);
        break;
    case Op::Append:
        file.append(op.bytes);
        break;
    case Op::Delete:
        file.remove(at, RecordLength);
        break;
    default:
        break;
    }
}

// Rings one of the item at the op's record, or charges the op's customer
// (when they and the clerk have records) as the till does.
Result<Written> ringOrComplete(const QString &path, const Op &op)
{
    Written written;
    if (op.kind == Op::Ring) {
        const Result<ItemStock::Sold> sold =
            ItemStock::sell(path, op.record, 1, [](const ItemEntry &) { return true; });
        if (!sold)
            return sold.error();
        if (sold->record != 0 && !sold->refused)
            written << std::pair{sold->record, RecordCodec::encode(sold->item.record()).value()};
        return written;
    }
    const Purchase::Payment pay{Purchase::CreditPayment{op.customer, {}, 0}, {}};
    const Result<Purchase::Facts> facts = Purchase::readFacts(path, pay, Clerk);
    if (!facts)
        return facts.error();
    if (!facts->customer.account || facts->cashierRecord == 0) // overwritten or deleted
        return written;
    const Purchase::Plan plan = Purchase::plan(
        *facts, {{QStringLiteral("BOLT")}, Currency::fromUnits(1), Currency::fromUnits(1)}, pay,
        Clerk.name, QDateTime::currentDateTime());
    LogFile log{path + QStringLiteral(".log")};
    const Purchase::Outcome done =
        Purchase::carryOut(path, plan, log, [](const QStringList &) { return true; });
    if (done.failed != Purchase::Outcome::Failed::Nothing)
        return FileError::DeviceIO;
    for (const Purchase::Write &w : done.plan.writes)
        written << std::pair{w.record, w.bytes};
    return written;
}

int recordsOf(const QByteArray &file)
{
    return int(file.size() / RecordLength);
}

// Runs operations from `first` on until killed, saying when each is done.
int child(const QString &path, quint64 seed, qint64 first)
{
    const RecordStore store(path);
    std::printf("ready\n");
    std::fflush(stdout);
    for (qint64 i = first;; ++i) {
        const Result<int> next = store.NextFreeRecord();
        if (!next)
            return 10;
        const Op op = opAt(seed, i, *next - 1);
        FileError error = FileError::None;
        if (op.kind == Op::Ring || op.kind == Op::Complete) {
            const Result<Written> written = ringOrComplete(path, op);
            error = written ? FileError::None : written.error();
            for (const auto &[n, bytes] : written.valueOr(Written()))
                std::printf("set %d %s\n", n, bytes.toHex().constData());
        } else if (op.kind == Op::Delete) {
            error = store.DeleteRecord(op.record);
        } else if (op.kind == Op::Append) {
            const Result<int> added = store.append(RecordCodec::decode(op.bytes).value());
            error = !added                ? added.error()
                    : *added == op.record ? FileError::None
                                          : FileError::DeviceIO;
        } else {
            const Result<DataRecord> r = RecordCodec::decode(op.bytes);
            error = store.writeRecord(op.record, r.value());
        }
        if (error != FileError::None) {
            std::printf("error %lld %d\n", i, errorNumber(error));
            std::fflush(stdout);
            return 11;
        }
        std::printf("done %lld\n", i);
        std::fflush(stdout);
    }
}

QByteArray fullDatafile(const QString &path)
{
    if (RecordStore(path).createNew(QDate(2024, 3, 15)) != FileError::None)
        return QByteArray();
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return QByteArray();
    QByteArray bytes = f.readAll();
    DataRecord logOn =
        RecordCodec::decode(
            bytes.mid(qsizetype(HeaderRecord::SaveToLog - 1) * RecordLength, RecordLength))
            .value();
    logOn.Number = FieldValue::fromInt16(1);
    bytes.replace(qsizetype(HeaderRecord::SaveToLog - 1) * RecordLength, RecordLength,
                  RecordCodec::encode(logOn).value());
    bytes.append(RecordCodec::encode(
                     CashierEntry::make(Clerk.name, Clerk.pin, Privileges::master()).record())
                     .value());
    for (int n = FirstEntryRecord + 1; n <= StartRecords; ++n) {
        DataRecord r;
        r.Name = FieldValue::fromText(n % 3 ? QStringLiteral("ITEM %1").arg(n) : SharedMarker);
        r.Number = FieldValue::fromText(QString::number(n));
        r.Price = FieldValue::fromCurrency(Currency::fromRaw(n * 100));
        bytes.append(RecordCodec::encode(r).value());
    }
    f.seek(0);
    f.write(bytes);
    return bytes;
}

// The records in which two files differ, for the report of a failure.
QString differences(const QByteArray &a, const QByteArray &b)
{
    QStringList out;
    const int n = std::max(recordsOf(a), recordsOf(b));
    for (int i = 0; i < n && out.size() < 10; ++i)
        if (a.mid(qsizetype(i) * RecordLength, RecordLength)
            != b.mid(qsizetype(i) * RecordLength, RecordLength))
            out << QString::number(i + 1);
    return QStringLiteral("%1 vs %2 records; differing records %3")
        .arg(recordsOf(a))
        .arg(recordsOf(b))
        .arg(out.join(QLatin1Char(' ')));
}

QString kinds(const int (&n)[5])
{
    return QStringLiteral("%1 writes, %2 appends, %3 deletes, %4 rings, %5 completions")
        .arg(n[Op::Write])
        .arg(n[Op::Append])
        .arg(n[Op::Delete])
        .arg(n[Op::Ring])
        .arg(n[Op::Complete]);
}

int parent(int kills, quint64 seed, int maxDelayMs)
{
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.tb2"));
    QByteArray model = fullDatafile(path);
    if (model.size() != qsizetype(StartRecords) * RecordLength) {
        out << "kill test: cannot write the full datafile\n";
        return 1;
    }
    out << "kill test: seed " << seed << Qt::endl; // to repeat a failed run
    QRandomGenerator rng{quint32(seed)};
    qint64 nextOp = 0;
    int copiesLeft = 0, oldContent = 0, newContent = 0, sales = 0;
    int completed[5] = {}, atKill[5] = {};
    QTemporaryDir scratchDir; // where the parent carries out a ring or completion itself
    const QString scratch = scratchDir.filePath(QStringLiteral("scratch.tb2"));
    QElapsedTimer clock;
    clock.start();

    for (int k = 0; k < kills; ++k) {
        QProcess p;
        p.setProgram(QCoreApplication::applicationFilePath());
        p.setArguments(
            {QStringLiteral("--child"), path, QString::number(seed), QString::number(nextOp)});
        p.start();
        if (!p.waitForStarted(10000) || !p.waitForReadyRead(10000)) {
            out << "kill test: the child did not start\n";
            return 1;
        }
        // Wait a random time, reading what the child says meanwhile.
        const int delay = int(rng.bounded(maxDelayMs + 1));
        QElapsedTimer wait;
        wait.start();
        while (wait.elapsed() < delay && p.state() == QProcess::Running)
            p.waitForReadyRead(int(std::max<qint64>(1, delay - wait.elapsed())));
        p.kill();
        p.waitForFinished(10000);
        const QList<QByteArray> lines = p.readAllStandardOutput().split('\n');

        Written sets; // of the operation the child is doing
        for (const QByteArray &line : lines) {
            if (line.startsWith("error")) {
                out << "kill test: the child failed: " << line << "\n";
                return 1;
            }
            const QList<QByteArray> words = line.split(' ');
            if (line.startsWith("set"))
                sets << std::pair{words[1].toInt(), QByteArray::fromHex(words[2])};
            if (!line.startsWith("done"))
                continue;
            const Op op = opAt(seed, nextOp++, recordsOf(model));
            sales += op.kind == Op::Complete && !sets.isEmpty();
            apply(model, op);
            for (const auto &[n, bytes] : std::as_const(sets))
                model.replace(qsizetype(n - 1) * RecordLength, RecordLength, bytes);
            sets.clear();
            completed[op.kind]++;
        }
        const Op underWay = opAt(seed, nextOp, recordsOf(model));
        QByteArray after = model;
        apply(after, underWay);
        if (underWay.kind == Op::Ring || underWay.kind == Op::Complete) {
            QFile s(scratch);
            if (!s.open(QIODevice::WriteOnly | QIODevice::Truncate)
                || s.write(model) != model.size()
                || (s.close(), !ringOrComplete(scratch, underWay))) {
                out << "kill test: cannot carry out the operation under way on a copy\n";
                return 1;
            }
            s.open(QIODevice::ReadOnly);
            after = s.readAll();
        }

        // The datafile and its journal stay; anything else is a leftover.
        const auto leftOver = [&] {
            QStringList files = QDir(dir.path()).entryList(QDir::Files);
            files.removeAll(QStringLiteral("full.tb2.tallybird-journal"));
            files.removeAll(QStringLiteral("full.tb2.log"));
            return files;
        };
        const bool copyLeft = leftOver().size() > 1;
        const FileError opened = RecordStore(path).testDatafile();
        if (opened != FileError::None) {
            out << "kill test: after kill " << k + 1 << " the datafile does not open: error "
                << errorNumber(opened) << "\n";
            return 1;
        }
        const QStringList left = leftOver();
        if (left != QStringList{QStringLiteral("full.tb2")}) {
            out << "kill test: after kill " << k + 1 << " files remain: " << left.join(' ') << "\n";
            return 1;
        }
        DataFile file(path);
        int bad = 0;
        if (file.open(DataFile::Mode::Read) != FileError::None
            || file.scan(1,
                         [&](int, const RecordView &v) {
                             bad += !v.decode().ok();
                             return true;
                         })
                   != FileError::None
            || bad > 0) {
            out << "kill test: after kill " << k + 1 << " " << bad << " records do not decode\n";
            return 1;
        }
        file.close();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QByteArray actual = f.readAll();
        if (actual == model) {
            ++oldContent;
        } else if (actual == after) {
            ++newContent;
            sales += underWay.kind == Op::Complete;
            model = after;
            ++nextOp;
            completed[underWay.kind]++;
        } else {
            const char *names[] = {"write", "append", "delete", "ring", "completion"};
            out << "kill test: after kill " << k + 1 << " the file is neither before nor after "
                << "the " << names[underWay.kind] << " under way: " << differences(actual, model)
                << "; after it would differ in " << differences(after, model) << "\n";
            return 1;
        }
        // One log entry for each sale the datafile holds, none for one undone.
        QFile log(path + QStringLiteral(".log"));
        const qsizetype logged =
            log.open(QIODevice::ReadOnly) ? log.readAll().count("Credit Purchase\r\n") : 0;
        if (logged != sales) {
            out << "kill test: after kill " << k + 1 << " the log has " << logged
                << " sales, the datafile " << sales << "\n";
            return 1;
        }
        copiesLeft += copyLeft;
        atKill[underWay.kind]++;
    }
    out << "kill test: " << kills << " kills in "
        << QString::number(clock.elapsed() / 1000.0, 'f', 1) << " s on a datafile of up to "
        << MaxRecords << " records (seed " << seed << ")\n"
        << "  operations completed: " << nextOp << " (" << kinds(completed) << ")\n"
        << "  operation under way at the kill: " << kinds(atKill) << "\n"
        << "  file after the kill: " << oldContent << " times as before the operation, "
        << newContent << " times as after it; never anything else\n"
        << "  copies left by a killed delete and removed on the next open: " << copiesLeft << "\n"
        << "  every record decoded after every kill, and the log held one entry per sale stored\n";
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("--child"))
        return child(args[2], args[3].toULongLong(), args[4].toLongLong());

    int kills = qEnvironmentVariableIsSet("TALLYBIRD_KILLS")
                    ? qEnvironmentVariableIntValue("TALLYBIRD_KILLS")
                    : 100;
    quint64 seed = QRandomGenerator::global()->generate();
    int maxDelay = 200;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--kills"))
            kills = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--seed"))
            seed = args[i + 1].toULongLong();
        else if (args[i] == QLatin1String("--max-delay"))
            maxDelay = args[i + 1].toInt();
    }
    return parent(std::max(1, kills), seed, std::max(1, maxDelay));
}
