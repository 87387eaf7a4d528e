// The kill test: a child process writes, appends and deletes records of a
// full datafile while this process kills it at random moments. After each
// kill the datafile must open, every record must decode, and the file must
// hold either the content before the operation under way or the content after
// it, with no other record changed. The copy a killed delete leaves is
// removed when the datafile is next opened.
//
//   tb_killtest [--kills N] [--seed S] [--max-delay MS]
//
// N is 100 unless given (or TALLYBIRD_KILLS is set).

#include "datafile/DataFile.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"

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
    enum Kind { Write, Append, Delete } kind = Write;
    int record = 0;
    QByteArray bytes; // Write and Append
};

// Operation i of the run with `seed`, on a file of `count` records. Parent and
// child both derive it, so the parent knows what the child was doing.
Op opAt(quint64 seed, qint64 i, int count)
{
    QRandomGenerator rng(quint32(seed * 1000003u + quint64(i) * 7919u));
    const int roll = int(rng.bounded(100));
    Op op;
    if (roll < 40 && count > HeaderRecords) {
        op.kind = Op::Delete;
        op.record = FirstEntryRecord + int(rng.bounded(count - HeaderRecords));
        return op;
    }
    op.kind = roll < 70 || count >= MaxRecords ? Op::Write : Op::Append;
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
    }
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
        if (op.kind == Op::Delete) {
            error = store.DeleteRecord(op.record);
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
    for (int n = FirstEntryRecord; n <= MaxRecords; ++n) {
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

int parent(int kills, quint64 seed, int maxDelayMs)
{
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.tb2"));
    QByteArray model = fullDatafile(path);
    if (model.size() != qsizetype(MaxRecords) * RecordLength) {
        out << "kill test: cannot write the full datafile\n";
        return 1;
    }
    QRandomGenerator rng{quint32(seed)};
    qint64 nextOp = 0;
    int copiesLeft = 0, oldContent = 0, newContent = 0;
    int deletes = 0, writes = 0, appends = 0;
    int atKill[3] = {0, 0, 0};
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

        qint64 done = 0;
        for (const QByteArray &line : lines) {
            if (line.startsWith("error")) {
                out << "kill test: the child failed: " << line << "\n";
                return 1;
            }
            if (line.startsWith("done"))
                ++done;
        }
        for (qint64 i = 0; i < done; ++i) {
            const Op op = opAt(seed, nextOp, recordsOf(model));
            apply(model, op);
            (op.kind == Op::Delete ? deletes : op.kind == Op::Append ? appends : writes)++;
            ++nextOp;
        }
        const Op underWay = opAt(seed, nextOp, recordsOf(model));
        QByteArray after = model;
        apply(after, underWay);

        const QStringList before = QDir(dir.path()).entryList(QDir::Files);
        const bool copyLeft = before.size() > 1;
        const FileError opened = RecordStore(path).testDatafile();
        if (opened != FileError::None) {
            out << "kill test: after kill " << k + 1 << " the datafile does not open: error "
                << errorNumber(opened) << "\n";
            return 1;
        }
        const QStringList left = QDir(dir.path()).entryList(QDir::Files);
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
            model = after;
            ++nextOp;
            (underWay.kind == Op::Delete   ? deletes
             : underWay.kind == Op::Append ? appends
                                           : writes)++;
        } else {
            out << "kill test: after kill " << k + 1 << " the file is neither before nor after "
                << "the operation under way: " << differences(actual, model) << "\n";
            return 1;
        }
        copiesLeft += copyLeft;
        atKill[underWay.kind]++;
    }
    out << "kill test: " << kills << " kills in "
        << QString::number(clock.elapsed() / 1000.0, 'f', 1) << " s on a datafile of up to "
        << MaxRecords << " records (seed " << seed << ")\n"
        << "  operations completed: " << nextOp << " (" << writes << " writes, " << appends
        << " appends, " << deletes << " deletes)\n"
        << "  operation under way at the kill: " << atKill[Op::Write] << " writes, "
        << atKill[Op::Append] << " appends, " << atKill[Op::Delete] << " deletes\n"
        << "  file after the kill: " << oldContent << " times as before the operation, "
        << newContent << " times as after it; never anything else\n"
        << "  copies left by a killed delete and removed on the next open: " << copiesLeft << "\n"
        << "  every record decoded after every kill\n";
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
