#include "DatafileFixtures.h"
#include "common/FailingDevice.h"
#include "common/Results.h"
#include "common/TestMain.h"

#include <QDataStream>
#include <QDir>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

using Fixtures::makeDatafile;

namespace {
// Items named after their record numbers: I21, I22 ...
QList<DataRecord> numberedItems(int count)
{
    QList<DataRecord> items;
    for (int n = FirstEntryRecord; n < FirstEntryRecord + count; ++n)
        items.append(Fixtures::item(QStringLiteral("I%1").arg(n)));
    return items;
}
} // namespace

class DataFileTest : public QObject
{
    Q_OBJECT

private slots:
    void openFailures_data();
    void openFailures();
    void openWithoutPermission();
    void openCreatesAndTruncates();
    void writersWaitForEveryone();
    void readPastEnd();
    void refusedWritesChangeNothing_data();
    void refusedWritesChangeNothing();
    void writePastEndLeavesFreeGap();
    void failedAppendLeavesWholeRecords_data();
    void failedAppendLeavesWholeRecords();
    void int32EndingARecord();
    void scanVisitsEveryRecordAndAllowsWrites();
    void scanStopsAndStartsWhereAsked();
    void scanBackVisitsDescending();
    void journalReplayedAfterRestart_data();
    void journalReplayedAfterRestart();
};

void DataFileTest::openFailures_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<DataFile::Mode>("mode");
    QTest::addColumn<FileError>("error");

    QTest::newRow("missing, read") << "missing" << DataFile::Mode::Read << FileError::FileNotFound;
    QTest::newRow("missing, read-write")
        << "missing" << DataFile::Mode::ReadWrite << FileError::FileNotFound;
    QTest::newRow("missing folder, read")
        << "missing folder" << DataFile::Mode::Read << FileError::PathAccess;
    QTest::newRow("missing folder, create")
        << "missing folder" << DataFile::Mode::Create << FileError::PathAccess;
    QTest::newRow("directory, read")
        << "directory" << DataFile::Mode::Read << FileError::PathAccess;
    QTest::newRow("directory, create")
        << "directory" << DataFile::Mode::Create << FileError::PathAccess;
    QTest::newRow("fifo, read") << "fifo" << DataFile::Mode::Read << FileError::PathAccess;
    QTest::newRow("100 bytes") << "100 bytes" << DataFile::Mode::Read << FileError::BadFileFormat;
    // Record 1 of the 129 bytes "xxx..." starts with the unknown tag 0x7878:
    // a text file, not a datafile.
    QTest::newRow("129 bytes, read-write")
        << "129 bytes" << DataFile::Mode::ReadWrite << FileError::BadFileFormat;
    QTest::newRow("129 bytes, create")
        << "129 bytes" << DataFile::Mode::Create << FileError::BadFileFormat;
    QTest::newRow("zero bytes, read")
        << "0 bytes" << DataFile::Mode::Read << FileError::BadFileFormat;
    QTest::newRow("empty path") << "empty path" << DataFile::Mode::Read << FileError::FileNotFound;
    QTest::newRow("past the largest datafile")
        << "past the limit" << DataFile::Mode::ReadWrite << FileError::BadFileFormat;
    QTest::newRow("1 TiB") << "1 TiB" << DataFile::Mode::Read << FileError::BadFileFormat;
}

void DataFileTest::openFailures()
{
    QFETCH(QString, setup);
    QFETCH(DataFile::Mode, mode);
    QFETCH(FileError, error);

    TempDir dir;
    QString path = dir.path(QStringLiteral("shop.tb2"));
    QByteArray content;
    if (setup == QLatin1String("missing folder")) {
        path = dir.path(QStringLiteral("nowhere/shop.tb2"));
    } else if (setup == QLatin1String("directory")) {
        QVERIFY(QDir().mkdir(path));
    } else if (setup == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (setup.endsWith(QLatin1String(" bytes"))) {
        content = QByteArray(setup.section(QLatin1Char(' '), 0, 0).toInt(), 'x');
        dir.writeFile(QStringLiteral("shop.tb2"), content);
    } else if (setup == QLatin1String("empty path")) {
        path.clear();
    } else if (setup == QLatin1String("past the limit") || setup == QLatin1String("1 TiB")) {
        path = makeDatafile(dir, {});
        QVERIFY(QFile::resize(path, DataFile::MaxSize)); // sparse
        QCOMPARE(DataFile(path).open(mode), FileError::None);
        QVERIFY(QFile::resize(path, setup == QLatin1String("1 TiB") ? qint64(1) << 40
                                                                    : DataFile::MaxSize + 1));
    }
    const QStringList before = dir.files();

    DataFile file(path);
    QCOMPARE(file.open(mode), error);
    QVERIFY(!file.isOpen());
    QCOMPARE(file.recordCount(), 0);
    DataRecord r;
    QVERIFY(take(file.read(1), r) != FileError::None);
    QVERIFY(file.write(1, Fixtures::item(QStringLiteral("X"))) != FileError::None);

    // A failed open changes nothing on disk.
    QCOMPARE(dir.files(), before);
    if (!content.isEmpty())
        QCOMPARE(TempDir::readFile(path), content);
}

void DataFileTest::openWithoutPermission()
{
    if (::geteuid() == 0)
        QSKIP("root may open any file");
    TempDir dir;
    const QString path = makeDatafile(dir, {});
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    DataFile file(path);
    QCOMPARE(file.open(DataFile::Mode::Read), FileError::PermissionDenied);
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
    QCOMPARE(file.open(DataFile::Mode::ReadWrite), FileError::PermissionDenied);
    QCOMPARE(file.open(DataFile::Mode::Read), FileError::None);
}

void DataFileTest::openCreatesAndTruncates()
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("new.tb2"));
    {
        DataFile file(path);
        QCOMPARE(file.open(DataFile::Mode::Create), FileError::None);
        QCOMPARE(file.recordCount(), 0);
    }
    QVERIFY(QFile::exists(path));

    // A bad size does not stop a file from being emptied for a new datafile.
    dir.writeFile(QStringLiteral("new.tb2"), QByteArray(300, 'x'));
    DataFile file(path);
    QCOMPARE(file.open(DataFile::Mode::Truncate), FileError::None);
    QCOMPARE(QFileInfo(path).size(), 0);
}

void DataFileTest::writersWaitForEveryone()
{
    TempDir dir;
    const QString path = makeDatafile(dir, {Fixtures::item(QStringLiteral("APPLE"))});
    const int patience = DataFile::lockPatience();
    DataFile::setLockPatience(0);
    const auto opens = [&path](DataFile::Mode mode) {
        DataFile other(path);
        return other.open(mode);
    };
    {
        DataFile reader(path);
        QCOMPARE(reader.open(DataFile::Mode::Read), FileError::None);
        QCOMPARE(opens(DataFile::Mode::Read), FileError::None);
        QCOMPARE(opens(DataFile::Mode::ReadWrite), FileError::Locked);
    }
    {
        DataFile writer(path);
        QCOMPARE(writer.open(DataFile::Mode::ReadWrite), FileError::None);
        QCOMPARE(opens(DataFile::Mode::Read), FileError::Locked);
        // A new datafile is not emptied under someone else's lock.
        QCOMPARE(opens(DataFile::Mode::Truncate), FileError::Locked);
    }
    QCOMPARE(opens(DataFile::Mode::ReadWrite), FileError::None);
    QCOMPARE(QFileInfo(path).size(), 21 * RecordLength);
    DataFile::setLockPatience(patience);
}

void DataFileTest::readPastEnd()
{
    TempDir dir;
    const QString path = makeDatafile(dir, {Fixtures::item(QStringLiteral("APPLE"))});
    DataFile file(path);
    QCOMPARE(file.open(DataFile::Mode::Read), FileError::None);
    QCOMPARE(file.recordCount(), 21);

    DataRecord r;
    QCOMPARE(take(file.read(21), r), FileError::None);
    QVERIFY(!file.atEnd());
    QCOMPARE(r.Name.toText(), QStringLiteral("APPLE"));

    QCOMPARE(file.read(22).error(), FileError::ReadPastEnd);
    QVERIFY(file.atEnd());

    // A good read clears the end state again.
    QCOMPARE(take(file.read(1), r), FileError::None);
    QVERIFY(!file.atEnd());
    QCOMPARE(file.read(0).error(), FileError::BadRecordNumber);
}

void DataFileTest::refusedWritesChangeNothing_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<FileError>("error");
    QTest::newRow("too long") << "too long" << FileError::BadRecordLength;
    QTest::newRow("unencodable") << "unencodable" << FileError::UnencodableText;
    QTest::newRow("opened read-only") << "read-only" << FileError::PermissionDenied;
    QTest::newRow("record 0") << "record 0" << FileError::BadRecordNumber;
    QTest::newRow("past the limit") << "past the limit" << FileError::BadRecordNumber;
    QTest::newRow("raw, wrong size") << "raw size" << FileError::BadRecordLength;
}

void DataFileTest::refusedWritesChangeNothing()
{
    QFETCH(QString, what);
    QFETCH(FileError, error);

    TempDir dir;
    DataRecord bob = Fixtures::customer(QStringLiteral("BOB"));
    bob.Notes = FieldValue::fromText(QStringLiteral("pays on Fridays"));
    const QString path = makeDatafile(dir, {bob});
    const QByteArray before = TempDir::readFile(path);

    DataRecord changed = bob;
    int n = FirstEntryRecord;
    if (what == QLatin1String("too long"))
        changed.Notes = FieldValue::fromText(QString(120, QLatin1Char('n')));
    else if (what == QLatin1String("unencodable"))
        changed.Notes = FieldValue::fromText(QStringLiteral("\u0141\u00F3d\u017A"));
    else if (what == QLatin1String("record 0"))
        n = 0;
    else if (what == QLatin1String("past the limit"))
        n = MaxRecords + 1;

    DataFile file(path);
    const bool readOnly = what == QLatin1String("read-only");
    QCOMPARE(file.open(readOnly ? DataFile::Mode::Read : DataFile::Mode::ReadWrite),
             FileError::None);
    if (what == QLatin1String("raw size"))
        QCOMPARE(file.writeRaw(n, QByteArray(RecordLength - 1, '\0')), error);
    else
        QCOMPARE(file.write(n, changed), error);
    file.close();
    QCOMPARE(TempDir::readFile(path), before);
}

void DataFileTest::writePastEndLeavesFreeGap()
{
    TempDir dir;
    const QString path = makeDatafile(dir, {});
    DataFile file(path);
    QCOMPARE(file.open(DataFile::Mode::ReadWrite), FileError::None);
    QCOMPARE(file.write(25, Fixtures::item(QStringLiteral("PEAR"))), FileError::None);
    QCOMPARE(file.recordCount(), 25);

    const QByteArray bytes = TempDir::readFile(path);
    QCOMPARE(bytes.size(), 25 * RecordLength);
    for (int n = 21; n <= 24; ++n) {
        QCOMPARE(Fixtures::recordBytes(bytes, n), QByteArray(RecordLength, '\0'));
        DataRecord r;
        QCOMPARE(take(file.read(n), r), FileError::None);
        QCOMPARE(r, DataRecord());
        QCOMPARE(r.kind(), RecordKind::Free);
    }
    DataRecord pear;
    QCOMPARE(take(file.read(25), pear), FileError::None);
    QCOMPARE(pear, Fixtures::item(QStringLiteral("PEAR")));
}

void DataFileTest::failedAppendLeavesWholeRecords_data()
{
    QTest::addColumn<int>("record"); // the file holds 22 records
    QTest::addColumn<int>("failAfter");
    QTest::addColumn<int>("partial"); // bytes of a torn record already at the end
    QTest::newRow("append, nothing written") << 23 << 0 << 0;
    QTest::newRow("append, one byte written") << 23 << 1 << 0;
    QTest::newRow("append, all but one byte") << 23 << 127 << 0;
    QTest::newRow("past a gap") << 26 << 50 << 0;
    QTest::newRow("over a partial record") << 23 << 10 << 40;
    QTest::newRow("past a partial record") << 25 << 100 << 40;
}

// A disk that fills up part way through a record: the part that got through
// is cut off again, and the file ends with its last whole record.
void DataFileTest::failedAppendLeavesWholeRecords()
{
    QFETCH(int, record);
    QFETCH(int, failAfter);
    QFETCH(int, partial);

    TempDir dir;
    const QString path = makeDatafile(
        dir, {Fixtures::item(QStringLiteral("APPLE")), Fixtures::item(QStringLiteral("PEAR"))});
    const QByteArray whole = TempDir::readFile(path);
    dir.writeFile(QStringLiteral("shop.tb2"), whole + QByteArray(partial, 'z'));

    auto failing = std::make_unique<FailingFile>(failAfter);
    FailingFile *device = failing.get();
    DataFile file(path, std::move(failing));
    QCOMPARE(file.open(DataFile::Mode::ReadWrite), FileError::None);
    QCOMPARE(file.write(record, Fixtures::item(QStringLiteral("PLUM"))), FileError::DiskFull);
    QCOMPARE(device->written(), qint64(failAfter));
    QCOMPARE(file.recordCount(), 22);
    QCOMPARE(file.partialBytes(), 0);
    file.close();
    QCOMPARE(TempDir::readFile(path), whole);
}

void DataFileTest::int32EndingARecord()
{
    // A text of 96 bytes, eleven empty fields and a 32-bit integer fill the record exactly.
    const QByteArray bytes = QByteArray::fromHex("08006000") + QByteArray(96, 'A')
                             + QByteArray(22, '\0') + QByteArray::fromHex("030001020304");
    QCOMPARE(bytes.size(), RecordLength);
    TempDir dir;
    const QString path = makeDatafile(dir, {});
    DataFile file(path);
    QCOMPARE(file.open(DataFile::Mode::ReadWrite), FileError::None);
    QCOMPARE(file.writeRaw(21, bytes), FileError::None);
    DataRecord r;
    QCOMPARE(take(file.read(21), r), FileError::None);
    QCOMPARE(r.Name.toText(), QString(96, QLatin1Char('A')));
    QCOMPARE(r.Reserved12.type(), FieldValue::Type::Int32);
    QCOMPARE(r.Reserved12.toNumber(), double(0x04030201));
    int seen = 0;
    QCOMPARE(file.scan(21,
                       [&](int, const RecordView &view) {
                           seen += view.decode().ok();
                           return true;
                       }),
             FileError::None);
    QCOMPARE(seen, 1);
}

void DataFileTest::scanVisitsEveryRecordAndAllowsWrites()
{
    // More than two blocks, the last one partial.
    const int entries = 2 * DataFile::BlockRecords + 77;
    TempDir dir;
    const QString path = makeDatafile(dir, numberedItems(entries));
    const int count = HeaderRecords + entries;

    {
        DataFile file(path);
        QCOMPARE(file.open(DataFile::Mode::ReadWrite), FileError::None);
        int expected = FirstEntryRecord;
        const QString prefix = QStringLiteral("I");
        const FileError error = file.scan(FirstEntryRecord, [&](int n, const RecordView &view) {
            if (n != expected++)
                return false;
            if (!view.fieldEquals(0, prefix + QString::number(n), QByteArrayView()))
                return false;
            DataRecord r = *view.decode();
            r.Sold = FieldValue::fromNumber(n);
            return file.write(n, r) == FileError::None;
        });
        QCOMPARE(error, FileError::None);
        QCOMPARE(expected, count + 1);
        QVERIFY(file.atEnd());
    }

    DataFile file(path);
    QCOMPARE(file.open(DataFile::Mode::Read), FileError::None);
    QCOMPARE(file.recordCount(), count);
    for (int n = FirstEntryRecord; n <= count; ++n) {
        DataRecord r;
        QCOMPARE(take(file.read(n), r), FileError::None);
        QCOMPARE(r.Name.toText(), QStringLiteral("I%1").arg(n));
        QCOMPARE(r.Sold.toNumber(), double(n));
    }
}

void DataFileTest::scanStopsAndStartsWhereAsked()
{
    TempDir dir;
    const QString path =
        makeDatafile(dir, {Fixtures::item(QStringLiteral("A")), Fixtures::item(QStringLiteral("B")),
                           Fixtures::item(QStringLiteral("C"))});
    DataFile file(path);
    QCOMPARE(file.open(DataFile::Mode::Read), FileError::None);
    // The records visited from `from` on, stopping after `last`; {-1} on an error.
    const auto visited = [&](int from, int last) {
        QList<int> seen;
        const FileError error = file.scan(from, [&](int n, const RecordView &) {
            seen.append(n);
            return n < last;
        });
        return error == FileError::None ? seen : QList<int>({-1});
    };

    QCOMPARE(visited(22, 22), QList<int>({22}));
    QVERIFY(!file.atEnd());
    const QList<int> all = visited(0, MaxRecords);
    QCOMPARE(all.size(), 23);
    QCOMPARE(all.first(), 1);
    QCOMPARE(visited(24, MaxRecords), QList<int>());
    QVERIFY(file.atEnd());
}

void DataFileTest::scanBackVisitsDescending()
{
    const int entries = DataFile::BlockRecords + 10;
    TempDir dir;
    const QString path = makeDatafile(dir, numberedItems(entries));
    const int count = HeaderRecords + entries;

    DataFile file(path);
    QCOMPARE(file.open(DataFile::Mode::Read), FileError::None);
    int expected = count;
    // Starting past the end begins at the last record.
    QCOMPARE(file.scanBack(count + 5,
                           [&](int n, const RecordView &view) {
                               if (n != expected--)
                                   return false;
                               if (n >= FirstEntryRecord)
                                   return view.fieldEquals(0, QStringLiteral("I%1").arg(n),
                                                           QByteArrayView());
                               return view.kind() == RecordKind::Customer; // a header record
                           }),
             FileError::None);
    QCOMPARE(expected, 0);
}

namespace {
// Fields in the journal's byte order.
template<typename... T>
QByteArray le(T... fields)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    (s << ... << fields);
    return bytes;
}

// A head or an entry of the journal ended with its checksum (CRC-32); an entry
// also holds its length.
QByteArray sealed(QByteArray bytes, bool isEntry, bool torn = false)
{
    if (isEntry)
        qToLittleEndian(quint32(bytes.size() + 4), bytes.data() + 4);
    quint32 crc = 0xFFFFFFFFu;
    for (const char b : std::as_const(bytes)) {
        crc ^= quint8(b);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return bytes + le(~crc ^ quint32(torn));
}
} // namespace

void DataFileTest::journalReplayedAfterRestart_data()
{
    QTest::addColumn<bool>("thisMachine");
    QTest::addColumn<bool>("torn");
    QTest::addColumn<QString>("overwrote"); // the first entry as the sale found it
    QTest::addColumn<bool>("replayed");
    QTest::addColumn<bool>("intent"); // the sale had only written its log entry
    QTest::newRow("this machine restarted") << true << false << "APPLE" << true << false;
    // Its log path may name another file here: the log is left alone.
    QTest::newRow("another machine") << false << false << "APPLE" << true << false;
    QTest::newRow("entry cut short") << true << true << "APPLE" << false << false;
    QTest::newRow("datafile put back from a backup") << true << false << "PEAR" << false << false;
    QTest::newRow("killed after its log entry") << true << false << "APPLE" << false << true;
}

// A journal as a power cut leaves it: a sale stored in it, lost from the
// datafile and the log, which were not yet on the disk; or a sale killed
// after its log entry was written, before it was stored.
void DataFileTest::journalReplayedAfterRestart()
{
    QFETCH(bool, thisMachine);
    QFETCH(bool, torn);
    QFETCH(QString, overwrote);
    QFETCH(bool, replayed);
    QFETCH(bool, intent);
    TempDir dir;
    const QString path = makeDatafile(dir, {Fixtures::item(QStringLiteral("APPLE"))});
    const QByteArray before = TempDir::readFile(path);
    const QString log =
        dir.writeFile(QStringLiteral("sales.log"), intent ? "earlier\r\nsale\r\n" : "earlier\r\n");
    QByteArray thisId;
    for (const char *idFile : {"/etc/machine-id", "/var/lib/dbus/machine-id"})
        if (QFile f(QString::fromLatin1(idFile)); thisId.isEmpty() && f.open(QIODevice::ReadOnly))
            thisId = f.readLine().trimmed();
    const QByteArray machine = thisMachine ? thisId : QByteArray("another");
    const QByteArray logPath = QFile::encodeName(log);
    const QByteArray sale = intent ? QByteArray() : QByteArray("sale\r\n");

    QByteArray entry = le(quint32(intent ? 0x494a4254 : 0x454a4254), quint32(0), quint64(7),
                          quint32(1), quint32(intent ? 0 : 1))
                       + machine.leftJustified(32, 0);
    if (!intent)
        entry += le(qint32(FirstEntryRecord)) + Fixtures::encoded(Fixtures::item("SOLD"))
                 + le(quint8(1)) + Fixtures::encoded(Fixtures::item(overwrote));
    entry += le(quint32(logPath.size())) + logPath + le(qint64(9), quint32(sale.size())) + sale;
    const QByteArray head = le(quint32(0x484a4254), quint32(1), quint64(7), quint32(0), qint64(512))
                            + QByteArray("an earlier start").leftJustified(72, 0);
    dir.writeFile(QFileInfo(path).fileName() + QStringLiteral(".tallybird-journal"),
                  sealed(head, false).leftJustified(512, 0) + sealed(entry, true, torn));

    const auto firstName = [&] {
        return RecordStore(path).readRecord(FirstEntryRecord)->Name.toText();
    };
    QCOMPARE(firstName(), replayed ? QStringLiteral("SOLD") : QStringLiteral("APPLE"));
    QCOMPARE(TempDir::readFile(log), thisMachine && replayed ? QByteArray("earlier\r\nsale\r\n")
                                                             : QByteArray("earlier\r\n"));
    // Replayed once: the journal is empty afterwards.
    dir.writeFile(QFileInfo(path).fileName(), before);
    QCOMPARE(firstName(), QStringLiteral("APPLE"));
}

#include "DataFileTest.moc"
TB_TEST(DataFileTest)
