#include "DatafileFixtures.h"
#include "common/Results.h"
#include "common/TestMain.h"

using Fixtures::Bytes;
using Fixtures::makeDatafile;

class PickListTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void itemNamesInRecordOrder();
    void itemNumbers_data();
    void itemNumbers();
    void customerNames();
    void disabled_data();
    void disabled();
    void shortFileReadsAsDefaults();
    void brokenFiles_data();
    void brokenFiles();
    void brokenEntryStopsWithError();
    void largestDatafileFitsItsBox();

private:
    // 21 APPLE/111, 22 BOB, 23 free, 24 ANN (cashier), gap at 25, 26 PEAR/222, 27 CAROL
    std::unique_ptr<TempDir> m_dir;
    QString m_path;
    void setSetting(int record, const FieldValue &number);
};

void PickListTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_path =
        makeDatafile(*m_dir, {Fixtures::item(QStringLiteral("APPLE"), QStringLiteral("111")),
                              Fixtures::customer(QStringLiteral("BOB")), Fixtures::freeRecord(),
                              Fixtures::cashier(QStringLiteral("ANN"))});
    const RecordStore store(m_path);
    QCOMPARE(store.writeRecord(26, Fixtures::item(QStringLiteral("PEAR"), QStringLiteral("222"))),
             FileError::None);
    QCOMPARE(store.writeRecord(27, Fixtures::customer(QStringLiteral("CAROL"))), FileError::None);
}

void PickListTest::setSetting(int record, const FieldValue &number)
{
    const RecordStore store(m_path);
    DataRecord r;
    QCOMPARE(take(store.readRecord(record), r), FileError::None);
    r.Number = number;
    QCOMPARE(store.writeRecord(record, r), FileError::None);
}

void PickListTest::itemNamesInRecordOrder()
{
    // A new datafile lists items by name.
    const Result<PickList> list = PickList::read(m_path, PickList::Mode::Items);
    QCOMPARE(list.error(), FileError::None);
    QVERIFY(!list->disabled);
    QCOMPARE(list->entries, QStringList({QStringLiteral("APPLE"), QStringLiteral("PEAR")}));
}

void PickListTest::itemNumbers_data()
{
    QTest::addColumn<FieldValue>("setting");
    QTest::addColumn<bool>("names");
    QTest::newRow("number 0") << FieldValue::fromInt16(0) << false;
    QTest::newRow("empty") << FieldValue() << false;
    QTest::newRow("number 2") << FieldValue::fromInt16(2) << false;
    QTest::newRow("text 1") << FieldValue::fromText(QStringLiteral("1")) << true;
    QTest::newRow("double 1") << FieldValue::fromDouble(1.0) << true;
}

void PickListTest::itemNumbers()
{
    QFETCH(FieldValue, setting);
    QFETCH(bool, names);
    setSetting(6, setting);
    const Result<PickList> list = PickList::read(m_path, PickList::Mode::Items);
    QCOMPARE(list.error(), FileError::None);
    QCOMPARE(list->entries, names ? QStringList({QStringLiteral("APPLE"), QStringLiteral("PEAR")})
                                  : QStringList({QStringLiteral("111"), QStringLiteral("222")}));
}

void PickListTest::customerNames()
{
    // Neither the header records nor the currency slots count, though all carry "***".
    setSetting(6, FieldValue::fromInt16(0));
    const Result<PickList> list = PickList::read(m_path, PickList::Mode::Customers);
    QCOMPARE(list.error(), FileError::None);
    QCOMPARE(list->entries, QStringList({QStringLiteral("BOB"), QStringLiteral("CAROL")}));
}

void PickListTest::disabled_data()
{
    QTest::addColumn<FieldValue>("setting");
    QTest::addColumn<bool>("off");
    QTest::newRow("number 1") << FieldValue::fromInt16(1) << true;
    QTest::newRow("text 1") << FieldValue::fromText(QStringLiteral("1")) << true;
    QTest::newRow("number 0") << FieldValue::fromInt16(0) << false;
    QTest::newRow("0-char text") << FieldValue::fromText(QString()) << false;
}

void PickListTest::disabled()
{
    QFETCH(FieldValue, setting);
    QFETCH(bool, off);
    setSetting(8, setting);
    for (PickList::Mode mode : {PickList::Mode::Items, PickList::Mode::Customers}) {
        const Result<PickList> list = PickList::read(m_path, mode);
        QCOMPARE(list.error(), FileError::None);
        QCOMPARE(list->disabled, off);
        QCOMPARE(list->entries.isEmpty(), off);
    }
}

void PickListTest::shortFileReadsAsDefaults()
{
    const QString path =
        m_dir->writeFile(QStringLiteral("one.tb2"), Bytes().text("***").emptyFields(12).record());
    const Result<PickList> list = PickList::read(path, PickList::Mode::Items);
    QCOMPARE(list.error(), FileError::None);
    QVERIFY(!list->disabled);
    QVERIFY(list->entries.isEmpty());
}

void PickListTest::brokenFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<FileError>("error");
    QTest::newRow("missing") << "missing.tb2" << QByteArray() << FileError::FileNotFound;
    QTest::newRow("bad size") << "bad.tb2" << QByteArray(1000, '\0') << FileError::BadFileFormat;
    QTest::newRow("record 8 broken")
        << "bad.tb2"
        << Bytes().text("***").emptyFields(12).record() + QByteArray(6 * RecordLength, '\0')
               + Bytes().tag(12).record()
        << FileError::UnknownFieldType;
}

void PickListTest::brokenFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(FileError, error);
    if (!content.isNull())
        m_dir->writeFile(name, content);
    const Result<PickList> list = PickList::read(m_dir->path(name), PickList::Mode::Items);
    QCOMPARE(list.error(), error);
}

void PickListTest::brokenEntryStopsWithError()
{
    DataFile file(m_path);
    QCOMPARE(file.open(DataFile::Mode::ReadWrite), FileError::None);
    // Name readable, number not.
    QCOMPARE(file.writeRaw(25, Bytes().text("FIG").emptyFields(1).tag(8).raw(999, 2).record()),
             FileError::None);
    file.close();

    Result<PickList> list = PickList::read(m_path, PickList::Mode::Items);
    QCOMPARE(list.error(), FileError::None);
    QCOMPARE(list->entries,
             QStringList({QStringLiteral("APPLE"), QStringLiteral("FIG"), QStringLiteral("PEAR")}));

    setSetting(6, FieldValue::fromInt16(0));
    list = PickList::read(m_path, PickList::Mode::Items);
    QCOMPARE(list.error(), FileError::FieldPastRecord);
}

void PickListTest::largestDatafileFitsItsBox()
{
    // Only a file past the record limit could hold more entries than a box
    // takes, and such a file is no datafile.
    QByteArray bytes = TempDir::readFile(makeDatafile(*m_dir, {}, QStringLiteral("big.tb2")));
    const QByteArray item = Fixtures::encoded(Fixtures::item(QStringLiteral("X")));
    bytes.reserve(qsizetype(MaxRecords + 1) * RecordLength);
    for (int i = 0; i < MaxEntries; ++i)
        bytes.append(item);
    const QString path = m_dir->writeFile(QStringLiteral("big.tb2"), bytes);

    const Result<PickList> list = PickList::read(path, PickList::Mode::Items);
    QCOMPARE(list.error(), FileError::None);
    QVERIFY(!list->tooMany);
    QCOMPARE(list->entries.size(), MaxEntries);
    m_dir->writeFile(QStringLiteral("big.tb2"), bytes + item);
    QCOMPARE(PickList::read(path, PickList::Mode::Items).error(), FileError::BadFileFormat);
}

#include "PickListTest.moc"
TB_TEST(PickListTest)
