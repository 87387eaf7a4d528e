#include "DatafileFixtures.h"
#include "common/FailingDevice.h"
#include "common/Results.h"
#include "common/TestMain.h"
#include "datafile/ItemImport.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>

using Fixtures::Bytes;
using Fixtures::makeDatafile;
using Fixtures::recordBytes;

class RecordStoreTest : public QObject
{
    Q_OBJECT

private slots:

    void newDatafileIsByteExact();
    void createNewReplacesAnyFile();
    void testDatafile_data();
    void testDatafile();
    void nextFreeRecord();
    void writeRecordNeedsExistingFile();
    void appendTakesTheNumberFreeNow();

    void deleteRecord_data();
    void deleteRecord();
    void deleteRefusesHeadersAndPastEnd();
    void deleteFailurePartWayLeavesOldFile_data();
    void deleteFailurePartWayLeavesOldFile();
    void deleteKeepsPermissions();
    void deleteKeepsModeAndOwner_data();
    void deleteKeepsModeAndOwner();
    void deleteMissingFile();
    void readOnlyDatafileIsNeverRewritten();
    void rewriteThroughLinkReplacesItsTarget();
    void staleCopiesRemovedOnOpen();

    void everyOperationRefusesWhatOpenRefuses_data();
    void everyOperationRefusesWhatOpenRefuses();
    void partialRecordAtTheEnd_data();
    void partialRecordAtTheEnd();

    void findFirst();
    void updateEntries();
    void updateEntriesStopsAtTooLongRecord();
    void kinds_data();
    void kinds();
};

namespace {

// Header record n of a new datafile, written out by hand.
// Record 7 holds 15 March 2024, day 45366 after 30 December 1899.
QByteArray expectedHeader(int n)
{
    Bytes b;
    b.text("***");
    if (n == 7) {
        b.tag(7).bytes(QByteArray::fromHex("00000000c026e640")).int16(0);
        return b.emptyFields(10).record();
    }
    b.int16(0); // Price
    if (n <= 5 || (n >= 10 && n <= 13))
        b.text("");
    else if (n == 6)
        b.int16(1);
    else
        b.int16(0);
    if (n <= 9)
        return b.emptyFields(10).record();
    b.emptyFields(4); // Notes .. Remaining
    if (n <= 13)
        b.int16(0).int16(0).text("\xA3"); // SpareA, SpareB, SpareC
    else
        b.text("").text("").text("");
    return b.emptyFields(3).record();
}

QList<DataRecord> lettered(int count)
{
    QList<DataRecord> items;
    for (int i = 0; i < count; ++i)
        items.append(Fixtures::item(QString(QChar(u'A' + i % 26)) + QString::number(i)));
    return items;
}

} // namespace

void RecordStoreTest::newDatafileIsByteExact()
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("new.tb2"));
    QCOMPARE(RecordStore(path).createNew(Fixtures::Today), FileError::None);
    const QByteArray bytes = TempDir::readFile(path);
    QCOMPARE(bytes.size(), 2560);
    for (int n = 1; n <= HeaderRecords; ++n)
        QCOMPARE(recordBytes(bytes, n).toHex(), expectedHeader(n).toHex());
}

void RecordStoreTest::createNewReplacesAnyFile()
{
    TempDir dir;
    const QString path = dir.writeFile(QStringLiteral("old.tb2"), QByteArray(5000, 'x'));
    QCOMPARE(RecordStore(path).createNew(Fixtures::Today), FileError::None);
    QCOMPARE(QFileInfo(path).size(), 2560);
    QCOMPARE(RecordStore(path).testDatafile(), FileError::None);

    QVERIFY(QDir().mkdir(dir.path(QStringLiteral("folder.tb2"))));
    QCOMPARE(RecordStore(dir.path(QStringLiteral("folder.tb2"))).createNew(Fixtures::Today),
             FileError::PathAccess);
}

void RecordStoreTest::testDatafile_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<FileError>("error");

    const QByteArray rest(19 * RecordLength, '\0');
    QTest::newRow("new datafile") << "file" << QByteArray() << FileError::None;
    QTest::newRow("empty file") << "file" << QByteArray("") << FileError::BadFileFormat;
    QTest::newRow("size not a multiple of 128")
        << "file" << QByteArray(2561, '\0') << FileError::BadFileFormat;
    QTest::newRow("record 1 an item")
        << "file" << Bytes().text("APPLE").emptyFields(12).record() + rest
        << FileError::BadFileFormat;
    QTest::newRow("record 1 all zero")
        << "file" << QByteArray(2560, '\0') << FileError::BadFileFormat;
    QTest::newRow("record 1 unknown tag")
        << "file" << Bytes().tag(9).emptyFields(12).record() << FileError::BadFileFormat;
    QTest::newRow("record 1 text past end")
        << "file" << Bytes().tag(8).raw(300, 2).record() + rest << FileError::BadFileFormat;
    QTest::newRow("record 1 name broken later")
        << "file" << Bytes().text("***").tag(66).record() + rest << FileError::UnknownFieldType;
    QTest::newRow("text file") << "file" << QByteArray(256, 'a') << FileError::BadFileFormat;
    QTest::newRow("directory") << "directory" << QByteArray() << FileError::PathAccess;
    QTest::newRow("missing") << "missing" << QByteArray() << FileError::FileNotFound;
}

void RecordStoreTest::testDatafile()
{
    QFETCH(QString, setup);
    QFETCH(QByteArray, content);
    QFETCH(FileError, error);

    TempDir dir;
    QString path = dir.path(QStringLiteral("shop.tb2"));
    if (setup == QLatin1String("directory"))
        QVERIFY(QDir().mkdir(path));
    else if (setup == QLatin1String("file") && content.isNull())
        path = makeDatafile(dir, {});
    else if (setup == QLatin1String("file"))
        dir.writeFile(QStringLiteral("shop.tb2"), content);

    QCOMPARE(RecordStore(path).testDatafile(), error);
    if (setup == QLatin1String("file") && !content.isNull())
        QCOMPARE(TempDir::readFile(path), content);
    if (setup == QLatin1String("missing"))
        QVERIFY(!QFile::exists(path));
}

void RecordStoreTest::nextFreeRecord()
{
    TempDir dir;
    const QString path = makeDatafile(dir, {});
    const RecordStore store(path);
    QCOMPARE(store.NextFreeRecord().valueOr(0), 21);
    QCOMPARE(store.writeRecord(21, Fixtures::item(QStringLiteral("APPLE"))), FileError::None);
    QCOMPARE(store.NextFreeRecord().valueOr(0), 22);
    QCOMPARE(RecordStore(dir.path(QStringLiteral("none.tb2"))).NextFreeRecord().error(),
             FileError::FileNotFound);
}

void RecordStoreTest::appendTakesTheNumberFreeNow()
{
    TempDir dir;
    const QString path = makeDatafile(dir, {Fixtures::item(QStringLiteral("APPLE"))});
    const RecordStore store(path);
    QCOMPARE(store.append(Fixtures::item(QStringLiteral("PEAR"))).valueOr(0), 22);
    QCOMPARE(recordBytes(TempDir::readFile(path), 22), Fixtures::encoded(Fixtures::item("PEAR")));
    // A full file refuses, and stays as it was.
    QVERIFY(QFile::resize(path, qint64(MaxRecords) * RecordLength));
    QCOMPARE(store.append(Fixtures::item(QStringLiteral("PLUM"))).valueOr(0), DatabaseFullRecord);
    QCOMPARE(QFileInfo(path).size(), qint64(MaxRecords) * RecordLength);
}

void RecordStoreTest::writeRecordNeedsExistingFile()
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("gone.tb2"));
    QCOMPARE(RecordStore(path).writeRecord(21, Fixtures::item(QStringLiteral("APPLE"))),
             FileError::FileNotFound);
    QVERIFY(!QFile::exists(path));
}

void RecordStoreTest::deleteRecord_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("deleted");
    QTest::newRow("21 of 23") << 3 << 21;
    QTest::newRow("22 of 23") << 3 << 22;
    QTest::newRow("last of 23") << 3 << 23;
    QTest::newRow("only entry") << 1 << 21;
    QTest::newRow("across blocks") << 1200 << 600;
}

void RecordStoreTest::deleteRecord()
{
    QFETCH(int, entries);
    QFETCH(int, deleted);

    TempDir dir;
    const QString path = makeDatafile(dir, lettered(entries));
    const QByteArray before = TempDir::readFile(path);
    const int count = HeaderRecords + entries;

    QCOMPARE(RecordStore(path).DeleteRecord(deleted), FileError::None);

    const QByteArray after = TempDir::readFile(path);
    QCOMPARE(after.size(), qsizetype(count - 1) * RecordLength);
    for (int n = 1; n < deleted; ++n)
        QCOMPARE(recordBytes(after, n), recordBytes(before, n));
    for (int n = deleted; n < count; ++n)
        QCOMPARE(recordBytes(after, n), recordBytes(before, n + 1));
    QCOMPARE(dir.files(), QStringList{QStringLiteral("shop.tb2")});
    QCOMPARE(RecordStore(path).NextFreeRecord().valueOr(0), count);
}

void RecordStoreTest::deleteRefusesHeadersAndPastEnd()
{
    TempDir dir;
    const QString path = makeDatafile(dir, lettered(3));
    const QByteArray before = TempDir::readFile(path);
    const RecordStore store(path);
    QCOMPARE(store.DeleteRecord(20), FileError::BadRecordNumber);
    QCOMPARE(store.DeleteRecord(1), FileError::BadRecordNumber);
    QCOMPARE(store.DeleteRecord(24), FileError::BadRecordNumber);
    QCOMPARE(TempDir::readFile(path), before);
    QCOMPARE(dir.files(), QStringList{QStringLiteral("shop.tb2")});
}

void RecordStoreTest::deleteFailurePartWayLeavesOldFile_data()
{
    QTest::addColumn<qint64>("failAfter");
    // 20 headers and 1,180 entries: the new file is 1,199 records, three blocks.
    const qint64 newSize = qint64(1199) * RecordLength;
    QTest::newRow("before the first byte") << qint64(0);
    QTest::newRow("inside record 1") << qint64(1);
    QTest::newRow("end of the headers") << qint64(2560);
    QTest::newRow("second block") << qint64(512 * RecordLength + 300);
    QTest::newRow("last byte missing") << newSize - 1;
}

void RecordStoreTest::deleteFailurePartWayLeavesOldFile()
{
    QFETCH(qint64, failAfter);
    TempDir dir;
    const QString path = makeDatafile(dir, lettered(1180));
    const QByteArray before = TempDir::readFile(path);

    // The copy stops at the first failed write and says so.
    DataFile source(path);
    QCOMPARE(source.open(DataFile::Mode::Read), FileError::None);
    FailingDevice target(failAfter);
    QCOMPARE(RecordStore::copyWithout(source, 21, target), FileError::DeviceIO);
    QVERIFY(target.size() <= failAfter);
    QCOMPARE(target.data(),
             (before.left(20 * RecordLength) + before.mid(21 * RecordLength)).left(target.size()));
    source.close();
    QCOMPARE(TempDir::readFile(path), before);

    // With room for all of it, the copy is the file without the record.
    QCOMPARE(source.open(DataFile::Mode::Read), FileError::None);
    FailingDevice roomy(before.size());
    QCOMPARE(RecordStore::copyWithout(source, 21, roomy), FileError::None);
    QCOMPARE(roomy.data(), before.left(20 * RecordLength) + before.mid(21 * RecordLength));
}

void RecordStoreTest::deleteKeepsPermissions()
{
    TempDir dir;
    const QString path = makeDatafile(dir, lettered(3));
    for (QFileDevice::Permissions p :
         {QFileDevice::Permissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                   | QFileDevice::ReadGroup),
          QFileDevice::Permissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                   | QFileDevice::ReadOther | QFileDevice::WriteOther)}) {
        QVERIFY(QFile::setPermissions(path, p));
        const QFileDevice::Permissions expected = QFile::permissions(path);
        QCOMPARE(RecordStore(path).DeleteRecord(21), FileError::None);
        QCOMPARE(QFile::permissions(path), expected);
    }
}

void RecordStoreTest::deleteKeepsModeAndOwner_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("otherOwner");
    QTest::newRow("0664") << 0664 << false;
    QTest::newRow("0640") << 0640 << false;
    QTest::newRow("0604") << 0604 << false;
    QTest::newRow("0644, another user's") << 0644 << true;
    QTest::newRow("0660, another user's") << 0660 << true;
}

void RecordStoreTest::deleteKeepsModeAndOwner()
{
    QFETCH(int, mode);
    QFETCH(bool, otherOwner);
    if (otherOwner && ::geteuid() != 0)
        QSKIP("only root may give a file to another user");

    TempDir dir;
    const QString path = makeDatafile(dir, lettered(3));
    const QByteArray native = QFile::encodeName(path);
    const uid_t uid = otherOwner ? 4321 : ::geteuid();
    const gid_t gid = otherOwner ? 4322 : ::getegid();
    QCOMPARE(::chown(native.constData(), uid, gid), 0);
    QCOMPARE(::chmod(native.constData(), mode_t(mode)), 0);

    QCOMPARE(RecordStore(path).DeleteRecord(21), FileError::None);
    struct stat st {
    };
    QCOMPARE(::stat(native.constData(), &st), 0);
    QCOMPARE(int(st.st_mode & 07777), mode);
    QCOMPARE(st.st_uid, uid);
    QCOMPARE(st.st_gid, gid);
    QCOMPARE(QFileInfo(path).size(), 22 * RecordLength);
}

void RecordStoreTest::staleCopiesRemovedOnOpen()
{
    TempDir dir;
    const QString path = makeDatafile(dir, lettered(2));
    const QString stale = QStringLiteral("shop.tb2.tallybird-delete-Ab12Cd");
    const QString running = QStringLiteral("shop.tb2.tallybird-delete-Xy34Zw");
    const QStringList others{
        QStringLiteral("other.tb2.tallybird-delete-Ab12Cd"), // another datafile's
        QStringLiteral("shop.tb2.tallybird-delete-short"),   // not a name we make
        QStringLiteral("shop.tb2.bak"),
    };
    dir.writeFile(stale, QByteArray(4096, 'x'));
    dir.writeFile(running, QByteArray(4096, 'x'));
    for (const QString &name : others)
        dir.writeFile(name, "keep");

    // A delete that still runs holds a lock on its copy.
    const int lockFd = ::open(QFile::encodeName(dir.path(running)).constData(), O_RDONLY);
    QVERIFY(lockFd >= 0);
    QCOMPARE(::flock(lockFd, LOCK_EX), 0);

    QCOMPARE(RecordStore(path).testDatafile(), FileError::None);
    QStringList expected = others + QStringList{QStringLiteral("shop.tb2"), running};
    expected.sort();
    QCOMPARE(dir.files(), expected);

    // Once that delete has gone, its copy is stale as well; a delete clears it too.
    ::close(lockFd);
    QCOMPARE(RecordStore(path).DeleteRecord(21), FileError::None);
    expected.removeAll(running);
    QCOMPARE(dir.files(), expected);
}

void RecordStoreTest::everyOperationRefusesWhatOpenRefuses_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<FileError>("error");

    QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");
    png.append(QByteArray(256 - png.size(), '\0'));
    const QByteArray rest(20 * RecordLength, '\0');
    QTest::newRow("zero bytes") << QByteArray("") << FileError::BadFileFormat;
    QTest::newRow("100 bytes") << QByteArray(100, '\0') << FileError::BadFileFormat;
    QTest::newRow("PNG padded to 256 bytes") << png << FileError::BadFileFormat;
    QTest::newRow("record 1 an item")
        << Bytes().text("APPLE").emptyFields(12).record() + rest << FileError::BadFileFormat;
    QTest::newRow("record 1 all zero")
        << QByteArray(21 * RecordLength, '\0') << FileError::BadFileFormat;
    QTest::newRow("record 1 text past end")
        << Bytes().tag(8).raw(300, 2).record() + rest << FileError::BadFileFormat;
}

// The open check, every write and every delete give the same number for a
// file that is not a datafile, and change nothing.
void RecordStoreTest::everyOperationRefusesWhatOpenRefuses()
{
    QFETCH(QByteArray, content);
    QFETCH(FileError, error);

    TempDir dir;
    const QString path = dir.writeFile(QStringLiteral("shop.tb2"), content);
    const RecordStore store(path);
    const DataRecord apple = Fixtures::item(QStringLiteral("APPLE"));

    QCOMPARE(store.testDatafile(), error);
    QCOMPARE(store.writeRecord(21, apple), error);
    QCOMPARE(store.writeRecord(1, Fixtures::customer(QStringLiteral("X"))), error);
    QCOMPARE(store.DeleteRecord(21), error);
    QCOMPARE(store.readRecord(1).error(), error);
    QCOMPARE(store.NextFreeRecord().error(), error);
    QCOMPARE(store.findFirst(1, [](const RecordView &) { return true; }).error(), error);
    QCOMPARE(store
                 .updateEntries([](const RecordView &) { return true; },
                                [](int, DataRecord &) { return true; })
                 .error(),
             error);
    DataFile file(path);
    QCOMPARE(file.open(DataFile::Mode::ReadWrite), error);

    QCOMPARE(TempDir::readFile(path), content);
    QCOMPARE(dir.files(), QStringList{QStringLiteral("shop.tb2")});
}

void RecordStoreTest::partialRecordAtTheEnd_data()
{
    QTest::addColumn<int>("partial");
    QTest::newRow("1 byte") << 1;
    QTest::newRow("50 bytes") << 50;
    QTest::newRow("127 bytes") << 127;
}

// An append cut short by a power cut leaves part of a record at the end; the
// whole records before it are worked with, and the next append overwrites it.
void RecordStoreTest::partialRecordAtTheEnd()
{
    QFETCH(int, partial);
    TempDir dir;
    const QString made = makeDatafile(dir, lettered(2));
    const QByteArray whole = TempDir::readFile(made);
    const QByteArray torn = whole + QByteArray(partial, 'z');
    dir.writeFile(QStringLiteral("shop.tb2"), torn);
    const RecordStore store(made);

    QCOMPARE(store.testDatafile(), FileError::None);
    QCOMPARE(store.NextFreeRecord().valueOr(0), 23);
    QCOMPARE(store.readRecord(22).valueOr(DataRecord()), lettered(2).at(1));
    QCOMPARE(store.readRecord(23).error(), FileError::ReadPastEnd);
    QCOMPARE(store.findFirst(21, Kinds::isItem)->record, 21);
    QCOMPARE(TempDir::readFile(made), torn);

    const DataRecord plum = Fixtures::item(QStringLiteral("PLUM"));
    QCOMPARE(store.writeRecord(23, plum), FileError::None);
    QCOMPARE(TempDir::readFile(made), whole + Fixtures::encoded(plum));

    // Written further on, the records between are free, not the torn bytes.
    dir.writeFile(QStringLiteral("shop.tb2"), torn);
    QCOMPARE(store.writeRecord(25, plum), FileError::None);
    QCOMPARE(TempDir::readFile(made),
             whole + QByteArray(2 * RecordLength, '\0') + Fixtures::encoded(plum));

    // A delete copies the whole records only.
    dir.writeFile(QStringLiteral("shop.tb2"), torn);
    QCOMPARE(store.DeleteRecord(22), FileError::None);
    QCOMPARE(TempDir::readFile(made), whole.left(21 * RecordLength));
}

void RecordStoreTest::deleteMissingFile()
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("gone.tb2"));
    QCOMPARE(RecordStore(path).DeleteRecord(21), FileError::FileNotFound);
    QVERIFY(dir.files().isEmpty());
}

// Refused by its mode, so also when root runs it, whom the system lets write.
void RecordStoreTest::readOnlyDatafileIsNeverRewritten()
{
    TempDir dir;
    const QString path = makeDatafile(dir, lettered(3));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    const QByteArray before = TempDir::readFile(path);
    QCOMPARE(RecordStore(path).DeleteRecord(21), FileError::PermissionDenied);
    QCOMPARE(ItemImport::run(path, "Name,Number,Price,Stock\r\nNEW,9,1.00,1\r\n").error,
             FileError::PermissionDenied);
    QCOMPARE(TempDir::readFile(path), before);
    QCOMPARE(dir.files(), QStringList{QStringLiteral("shop.tb2")});
}

// Every till sees a change made through a link, whichever name it opened.
void RecordStoreTest::rewriteThroughLinkReplacesItsTarget()
{
    TempDir dir;
    QVERIFY(QDir().mkdir(dir.path(QStringLiteral("share"))));
    const QString target = makeDatafile(dir, lettered(3), QStringLiteral("share/shop.tb2"));
    const QString link = dir.path(QStringLiteral("link.tb2"));
    QCOMPARE(::symlink("share/shop.tb2", QFile::encodeName(link).constData()), 0);

    QCOMPARE(RecordStore(link).DeleteRecord(21), FileError::None);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(target).size(), 22 * RecordLength);
    DataFile till(link);
    QCOMPARE(till.open(DataFile::Mode::Journaled), FileError::None);
    QCOMPARE(till.writeTogether({{21, Fixtures::item(QStringLiteral("SOLD"))}}, std::nullopt),
             FileError::None);
    till.close();
    QCOMPARE(dir.files(), QStringList{QStringLiteral("link.tb2")});
    QCOMPARE(
        QDir(dir.path(QStringLiteral("share"))).entryList(QDir::Files),
        QStringList({QStringLiteral("shop.tb2"), QStringLiteral("shop.tb2.tallybird-journal")}));
}

void RecordStoreTest::findFirst()
{
    TempDir dir;
    const QString path = makeDatafile(
        dir, {Fixtures::cashier(QStringLiteral("ANN")), Fixtures::item(QStringLiteral("APPLE")),
              Fixtures::cashier(QStringLiteral("BEN")), Fixtures::cashier(QStringLiteral("ANN"))});
    const RecordStore store(path);
    const auto isAnn = [](const RecordView &v) {
        return Kinds::isCashier(v) && v.fieldEquals(2, QStringLiteral("ANN"), "ANN");
    };

    Result<RecordStore::Found> found = store.findFirst(FirstEntryRecord, isAnn);
    QCOMPARE(found.error(), FileError::None);
    QCOMPARE(found->record, 21);
    QCOMPARE(found->data, Fixtures::cashier(QStringLiteral("ANN")));

    QCOMPARE(store.findFirst(22, isAnn)->record, 24);
    QCOMPARE(store.findFirst(25, isAnn)->record, 0);
    found = store.findFirst(FirstEntryRecord, [](const RecordView &v) {
        return v.fieldEquals(2, QStringLiteral("CAROL"), "CAROL");
    });
    QCOMPARE(found->record, 0);
    QCOMPARE(found->data, DataRecord());

    // A matching record that cannot be read is an error, not a result.
    DataFile file(path);
    QCOMPARE(file.open(DataFile::Mode::ReadWrite), FileError::None);
    QCOMPARE(file.writeRaw(22, Bytes().text("*+*").tag(66).emptyFields(11).record()),
             FileError::None);
    file.close();
    found = store.findFirst(FirstEntryRecord, Kinds::isCashier);
    QCOMPARE(found->record, 21);
    found = store.findFirst(22, Kinds::isCashier);
    QCOMPARE(found.error(), FileError::UnknownFieldType);
}

void RecordStoreTest::updateEntries()
{
    DataRecord apple = Fixtures::item(QStringLiteral("APPLE"));
    apple.Sold = FieldValue::fromText(QStringLiteral("4"));
    apple.Remaining = FieldValue::fromText(QStringLiteral("6"));
    TempDir dir;
    const QString path = makeDatafile(dir, {Fixtures::customer(QStringLiteral("BOB")), apple,
                                            Fixtures::cashier(QStringLiteral("ANN")), apple});
    const QByteArray before = TempDir::readFile(path);
    const RecordStore store(path);

    QList<int> visited;
    const Result<int> written = store.updateEntries(Kinds::isItem, [&](int n, DataRecord &r) {
        visited.append(n);
        r.Sold = FieldValue::fromInt16(0);
        r.Remaining = r.Stock;
        return true;
    });
    QCOMPARE(written.valueOr(-1), 2);
    QCOMPARE(visited, QList<int>({22, 24}));

    const QByteArray after = TempDir::readFile(path);
    QCOMPARE(after.size(), before.size());
    for (int n : {1, 20, 21, 23})
        QCOMPARE(recordBytes(after, n), recordBytes(before, n));
    DataRecord r;
    QCOMPARE(take(store.readRecord(24), r), FileError::None);
    QCOMPARE(r.Sold, FieldValue::fromInt16(0));
    QCOMPARE(r.Remaining.toText(), QStringLiteral("10"));

    // Nothing changed, nothing written.
    QCOMPARE(
        store.updateEntries(Kinds::isCustomer, [](int, DataRecord &) { return false; }).valueOr(-1),
        0);
    QCOMPARE(TempDir::readFile(path), after);
}

void RecordStoreTest::updateEntriesStopsAtTooLongRecord()
{
    TempDir dir;
    const QString path = makeDatafile(dir, {Fixtures::customer(QStringLiteral("A")),
                                            Fixtures::customer(QStringLiteral("B")),
                                            Fixtures::customer(QStringLiteral("C"))});
    const QByteArray before = TempDir::readFile(path);
    const Result<int> written =
        RecordStore(path).updateEntries(Kinds::isCustomer, [](int n, DataRecord &r) {
            r.Notes = FieldValue::fromText(QString(n == 22 ? 200 : 5, QLatin1Char('x')));
            return true;
        });
    QCOMPARE(written.error(), FileError::BadRecordLength);
    const QByteArray after = TempDir::readFile(path);
    QVERIFY(recordBytes(after, 21) != recordBytes(before, 21));
    QCOMPARE(recordBytes(after, 22), recordBytes(before, 22));
    QCOMPARE(recordBytes(after, 23), recordBytes(before, 23));
}

void RecordStoreTest::kinds_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<bool>("item");
    QTest::addColumn<bool>("customer");
    QTest::addColumn<bool>("cashier");
    QTest::addColumn<bool>("itemOrFree");

    QTest::newRow("item") << Fixtures::encoded(Fixtures::item(QStringLiteral("APPLE"))) << true
                          << false << false << true;
    QTest::newRow("customer") << Fixtures::encoded(Fixtures::customer(QStringLiteral("BOB")))
                              << false << true << false << false;
    QTest::newRow("cashier") << Fixtures::encoded(Fixtures::cashier(QStringLiteral("ANN"))) << false
                             << false << true << false;
    QTest::newRow("free, empty value")
        << QByteArray(RecordLength, '\0') << false << false << false << true;
    QTest::newRow("free, 0-char text")
        << Fixtures::encoded(Fixtures::freeRecord()) << false << false << false << true;
    QTest::newRow("numeric name") << Bytes().int16(7).emptyFields(12).record() << true << false
                                  << false << true;
}

void RecordStoreTest::kinds()
{
    QFETCH(QByteArray, record);
    QFETCH(bool, item);
    QFETCH(bool, customer);
    QFETCH(bool, cashier);
    QFETCH(bool, itemOrFree);
    const RecordView view(record);
    QCOMPARE(Kinds::isItem(view), item);
    QCOMPARE(Kinds::isCustomer(view), customer);
    QCOMPARE(Kinds::isCashier(view), cashier);
    QCOMPARE(Kinds::isItemOrFree(view), itemOrFree);
}

#include "RecordStoreTest.moc"
TB_TEST(RecordStoreTest)
