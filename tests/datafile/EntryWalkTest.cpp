#include "datafile/EntryWalk.h"
#include "common/Results.h"
#include "common/TestMain.h"
#include "datafile/DatafileFixtures.h"

#include <QMap>

#include <memory>

using Fixtures::makeDatafile;
using Outcome = EntryWalk::Outcome;

Q_DECLARE_METATYPE(EntryWalk::Outcome)

inline char *toString(EntryWalk::Outcome o)
{
    return qstrdup(QByteArray::number(int(o)).constData());
}

class EntryWalkTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void firstShowsFirstOfKind();
    void firstOnNewFileShowsBlank();
    void nextToBlankThenNoMore();
    void saveOnBlankAppends();
    void previousAtBeginning();
    void previousPastOtherKindsKeepsState();
    void previousFromBlank();
    void gapRecordsAreSkipped();
    void walkNeverEntersHeaders();

    void searchIgnoresMarkers_data();
    void searchIgnoresMarkers();
    void searchMatches_data();
    void searchMatches();
    void searchForUnstorableTextFindsNothing();
    void searchStarShowsBlank();
    void searchStarOnBlankKeepsBlankRecord();

    void fullFile();
    void lastPossibleRecord();

    void afterDelete();
    void brokenRecordsAndFiles();

private:
    // 21 BOB (customer), 22 APPLE/111, 23 free, 24 ANN (cashier), 25 PEAR/222, 26 CAROL
    QString m_path;
    std::unique_ptr<TempDir> m_dir;
};

namespace {

// A raw datafile of `count` records: new headers, the given entries, zeros elsewhere.
QString makeLargeFile(const TempDir &dir, int count, const QMap<int, DataRecord> &entries,
                      const QString &name = QStringLiteral("large.tb2"))
{
    const QString headers = makeDatafile(dir, {}, QStringLiteral("headers.tb2"));
    QByteArray bytes = TempDir::readFile(headers);
    QFile::remove(headers);
    bytes.resize(qsizetype(count) * RecordLength, '\0');
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        const QByteArray r = Fixtures::encoded(it.value());
        bytes.replace(qsizetype(it.key() - 1) * RecordLength, RecordLength, r);
    }
    return dir.writeFile(name, bytes);
}

} // namespace

void EntryWalkTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_path = makeDatafile(*m_dir, {Fixtures::customer(QStringLiteral("BOB")),
                                   Fixtures::item(QStringLiteral("APPLE"), QStringLiteral("111")),
                                   Fixtures::freeRecord(), Fixtures::cashier(QStringLiteral("ANN")),
                                   Fixtures::item(QStringLiteral("PEAR"), QStringLiteral("222")),
                                   Fixtures::customer(QStringLiteral("CAROL"))});
    QVERIFY(!m_path.isEmpty());
}

void EntryWalkTest::firstShowsFirstOfKind()
{
    EntryWalk items(m_path, EntryWalk::items());
    auto r = items.first();
    QCOMPARE(r->outcome, Outcome::Shown);
    QCOMPARE(items.CurrentRecord, 22);
    QCOMPARE(r->record, Fixtures::item(QStringLiteral("APPLE"), QStringLiteral("111")));
    QVERIFY(!items.AtEnd);

    EntryWalk customers(m_path, EntryWalk::customers());
    QCOMPARE(customers.first()->outcome, Outcome::Shown);
    QCOMPARE(customers.CurrentRecord, 21);

    EntryWalk cashiers(m_path, EntryWalk::cashiers());
    r = cashiers.first();
    QCOMPARE(r->outcome, Outcome::Shown);
    QCOMPARE(cashiers.CurrentRecord, 24);
    QCOMPARE(r->record.Number.toText(), QStringLiteral("ANN"));
}

void EntryWalkTest::firstOnNewFileShowsBlank()
{
    // Header records carry "***" but are never customers.
    const QString path = makeDatafile(*m_dir, {}, QStringLiteral("new.tb2"));
    EntryWalk customers(path, EntryWalk::customers());
    QCOMPARE(customers.first()->outcome, Outcome::Blank);
    QCOMPARE(customers.CurrentRecord, 21);
    QVERIFY(customers.AtEnd);
}

void EntryWalkTest::nextToBlankThenNoMore()
{
    EntryWalk walk(m_path, EntryWalk::items());
    QCOMPARE(walk.first()->outcome, Outcome::Shown);

    auto r = walk.next();
    QCOMPARE(r->outcome, Outcome::Shown);
    QCOMPARE(walk.CurrentRecord, 25);
    QCOMPARE(r->record.Name.toText(), QStringLiteral("PEAR"));

    r = walk.next();
    QCOMPARE(r->outcome, Outcome::Blank);
    QCOMPARE(walk.CurrentRecord, 27);
    QVERIFY(walk.AtEnd);
    QCOMPARE(r->record, DataRecord());

    QCOMPARE(walk.next()->outcome, Outcome::NoMore);
    QCOMPARE(walk.CurrentRecord, 27);
    QVERIFY(walk.AtEnd);

    EntryWalk customers(m_path, EntryWalk::customers());
    QCOMPARE(customers.first()->outcome, Outcome::Shown);
    QCOMPARE(customers.next()->outcome, Outcome::Shown);
    QCOMPARE(customers.CurrentRecord, 26);
    QCOMPARE(customers.next()->outcome, Outcome::Blank);
    QCOMPARE(customers.CurrentRecord, 27);
}

void EntryWalkTest::saveOnBlankAppends()
{
    EntryWalk walk(m_path, EntryWalk::items());
    walk.CurrentRecord = 25;
    QCOMPARE(walk.next()->outcome, Outcome::Blank);
    const QByteArray before = TempDir::readFile(m_path);

    const RecordStore store(m_path);
    QCOMPARE(store.writeRecord(walk.CurrentRecord, Fixtures::item(QStringLiteral("PLUM"))),
             FileError::None);
    const QByteArray after = TempDir::readFile(m_path);
    QCOMPARE(after.left(before.size()), before);
    QCOMPARE(store.NextFreeRecord().valueOr(0), 28);
    walk.AtEnd = false; // as the window's save does
    QCOMPARE(walk.previous()->outcome, Outcome::Shown);
    QCOMPARE(walk.CurrentRecord, 25);
}

void EntryWalkTest::previousAtBeginning()
{
    EntryWalk customers(m_path, EntryWalk::customers());
    QCOMPARE(customers.first()->outcome, Outcome::Shown);
    QCOMPARE(customers.CurrentRecord, 21);
    QCOMPARE(customers.previous()->outcome, Outcome::AtBeginning);
    QCOMPARE(customers.CurrentRecord, 21);

    customers.CurrentRecord = 26;
    auto r = customers.previous();
    QCOMPARE(r->outcome, Outcome::Shown);
    QCOMPARE(customers.CurrentRecord, 21);
    QCOMPARE(r->record.Number.toText(), QStringLiteral("BOB"));
}

void EntryWalkTest::previousPastOtherKindsKeepsState()
{
    // Only a customer lies before the first item.
    EntryWalk items(m_path, EntryWalk::items());
    QCOMPARE(items.first()->outcome, Outcome::Shown);
    QCOMPARE(items.previous()->outcome, Outcome::AtBeginning);
    QCOMPARE(items.CurrentRecord, 22);
    QVERIFY(!items.AtEnd);

    // From the blank record of a kind with no entries, the blank stays shown.
    const QString path = makeDatafile(*m_dir, {Fixtures::customer(QStringLiteral("BOB"))},
                                      QStringLiteral("customers.tb2"));
    EntryWalk onlyBlank(path, EntryWalk::items());
    QCOMPARE(onlyBlank.first()->outcome, Outcome::Blank);
    QCOMPARE(onlyBlank.CurrentRecord, 22);
    QCOMPARE(onlyBlank.previous()->outcome, Outcome::AtBeginning);
    QCOMPARE(onlyBlank.CurrentRecord, 22);
    QVERIFY(onlyBlank.AtEnd);
}

void EntryWalkTest::previousFromBlank()
{
    EntryWalk cashiers(m_path, EntryWalk::cashiers());
    QCOMPARE(cashiers.first()->outcome, Outcome::Shown);
    QCOMPARE(cashiers.next()->outcome, Outcome::Blank);
    QCOMPARE(cashiers.CurrentRecord, 27);
    auto r = cashiers.previous();
    QCOMPARE(r->outcome, Outcome::Shown);
    QCOMPARE(cashiers.CurrentRecord, 24);
    QVERIFY(!cashiers.AtEnd);
}

void EntryWalkTest::gapRecordsAreSkipped()
{
    const QString path = makeDatafile(*m_dir, {}, QStringLiteral("gap.tb2"));
    QCOMPARE(RecordStore(path).writeRecord(25, Fixtures::item(QStringLiteral("PEAR"))),
             FileError::None);
    EntryWalk walk(path, EntryWalk::items());
    QCOMPARE(walk.first()->outcome, Outcome::Shown);
    QCOMPARE(walk.CurrentRecord, 25);
    QCOMPARE(walk.previous()->outcome, Outcome::AtBeginning);
    QCOMPARE(walk.next()->outcome, Outcome::Blank);
    QCOMPARE(walk.CurrentRecord, 26);
}

void EntryWalkTest::walkNeverEntersHeaders()
{
    // Header records carry "***" too.
    EntryWalk customers(m_path, EntryWalk::customers());
    customers.CurrentRecord = 1;
    QCOMPARE(customers.next()->outcome, Outcome::Shown);
    QCOMPARE(customers.CurrentRecord, 21);
    customers.CurrentRecord = 1;
    QCOMPARE(customers.afterDelete()->outcome, Outcome::Shown);
    QCOMPARE(customers.CurrentRecord, 21);

    // Previous from the first customer, with only an item before it, stops
    // there rather than on header record 20.
    const QString path = makeDatafile(
        *m_dir,
        {Fixtures::item(QStringLiteral("APPLE")), Fixtures::customer(QStringLiteral("BOB"))},
        QStringLiteral("late.tb2"));
    EntryWalk late(path, EntryWalk::customers());
    QCOMPARE(late.first()->outcome, Outcome::Shown);
    QCOMPARE(late.CurrentRecord, 22);
    QCOMPARE(late.previous()->outcome, Outcome::AtBeginning);
    QCOMPARE(late.CurrentRecord, 22);
    QVERIFY(!late.AtEnd);
    // Also from the blank record after it.
    QCOMPARE(late.next()->outcome, Outcome::Blank);
    QCOMPARE(late.previous()->outcome, Outcome::Shown);
    QCOMPARE(late.CurrentRecord, 22);
    QCOMPARE(late.previous()->outcome, Outcome::AtBeginning);
    QCOMPARE(late.CurrentRecord, 22);
}

void EntryWalkTest::searchIgnoresMarkers_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("customer marker") << "***";
    QTest::newRow("cashier marker") << "*+*";
}

void EntryWalkTest::searchIgnoresMarkers()
{
    QFETCH(QString, text);
    for (const EntryWalk::Kind &kind :
         {EntryWalk::items(), EntryWalk::customers(), EntryWalk::cashiers()}) {
        EntryWalk walk(m_path, kind);
        walk.CurrentRecord = 25;
        QCOMPARE(walk.search(text)->outcome, Outcome::Nothing);
        QCOMPARE(walk.CurrentRecord, 25);
        QVERIFY(!walk.AtEnd);
    }
}

void EntryWalkTest::searchForUnstorableTextFindsNothing()
{
    // An item without a number must not match a text the file cannot hold.
    const QString path = makeDatafile(*m_dir, {Fixtures::item(QStringLiteral("PLUM"), QString())},
                                      QStringLiteral("plum.tb2"));
    EntryWalk walk(path, EntryWalk::items());
    QCOMPARE(walk.search(QStringLiteral("\u4E2D"))->outcome, Outcome::NotFound);
    QCOMPARE(walk.search(QStringLiteral("plum"))->outcome, Outcome::Shown);
}

void EntryWalkTest::searchMatches_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("record"); // 0: not found

    QTest::newRow("item by name") << "items"
                                  << "PEAR" << 25;
    QTest::newRow("item in lower case") << "items"
                                        << "apple" << 22;
    QTest::newRow("item by number") << "items"
                                    << "222" << 25;
    QTest::newRow("item: customer name is no item") << "items"
                                                    << "BOB" << 0;
    QTest::newRow("item: partial name") << "items"
                                        << "PEA" << 0;
    QTest::newRow("customer by name") << "customers"
                                      << "carol" << 26;
    QTest::newRow("customer: item name") << "customers"
                                         << "APPLE" << 0;
    QTest::newRow("cashier by name") << "cashiers"
                                     << "Ann" << 24;
    QTest::newRow("cashier: customer name") << "cashiers"
                                            << "BOB" << 0;
}

void EntryWalkTest::searchMatches()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(int, record);
    EntryWalk walk(m_path, kind == QLatin1String("items")       ? EntryWalk::items()
                           : kind == QLatin1String("customers") ? EntryWalk::customers()
                                                                : EntryWalk::cashiers());
    walk.CurrentRecord = 27;
    walk.AtEnd = true;
    const auto r = walk.search(text);
    if (record == 0) {
        QCOMPARE(r->outcome, Outcome::NotFound);
        QCOMPARE(walk.CurrentRecord, 27);
        QVERIFY(walk.AtEnd);
        return;
    }
    QCOMPARE(r->outcome, Outcome::Shown);
    QCOMPARE(walk.CurrentRecord, record);
    QVERIFY(!walk.AtEnd);
    DataRecord stored;
    QCOMPARE(take(RecordStore(m_path).readRecord(record), stored), FileError::None);
    QCOMPARE(r->record, stored);
}

void EntryWalkTest::searchStarShowsBlank()
{
    EntryWalk walk(m_path, EntryWalk::customers());
    QCOMPARE(walk.first()->outcome, Outcome::Shown);
    QCOMPARE(walk.search(QStringLiteral("*"))->outcome, Outcome::Blank);
    QCOMPARE(walk.CurrentRecord, 27);
    QVERIFY(walk.AtEnd);
}

void EntryWalkTest::searchStarOnBlankKeepsBlankRecord()
{
    EntryWalk walk(m_path, EntryWalk::customers());
    QCOMPARE(walk.search(QStringLiteral("*"))->outcome, Outcome::Blank);
    QCOMPARE(walk.search(QStringLiteral("*"))->outcome, Outcome::NoMore);
    // Still on the blank record: a save there must append, not overwrite CAROL at 26.
    QCOMPARE(walk.CurrentRecord, 27);
    QVERIFY(walk.AtEnd);
}

void EntryWalkTest::fullFile()
{
    const QString path = makeLargeFile(*m_dir, MaxRecords,
                                       {{21, Fixtures::item(QStringLiteral("APPLE"))},
                                        {30000, Fixtures::item(QStringLiteral("PEAR"))}});
    EntryWalk walk(path, EntryWalk::items());
    QCOMPARE(walk.first()->outcome, Outcome::Shown);
    QCOMPARE(walk.next()->outcome, Outcome::Shown);
    QCOMPARE(walk.CurrentRecord, 30000);

    // No blank record can follow: it would be record 32765.
    QCOMPARE(walk.next()->outcome, Outcome::DatabaseFull);
    QCOMPARE(walk.CurrentRecord, 30000);
    QVERIFY(!walk.AtEnd);
    QCOMPARE(walk.search(QStringLiteral("*"))->outcome, Outcome::DatabaseFull);
    QCOMPARE(walk.CurrentRecord, 30000);
    QVERIFY(!walk.AtEnd);

    walk.CurrentRecord = MaxRecords;
    QCOMPARE(walk.next()->outcome, Outcome::DatabaseFull);
    QCOMPARE(walk.CurrentRecord, MaxRecords);

    EntryWalk customers(path, EntryWalk::customers());
    QCOMPARE(customers.first()->outcome, Outcome::DatabaseFull);

    // A file past the limit is no datafile: nothing is shown of it.
    const QString over = makeLargeFile(*m_dir, MaxRecords + 1, {}, QStringLiteral("over.tb2"));
    EntryWalk overWalk(over, EntryWalk::items());
    overWalk.CurrentRecord = 25;
    QCOMPARE(overWalk.search(QStringLiteral("*")).error(), FileError::BadFileFormat);
    QCOMPARE(overWalk.CurrentRecord, 25);
}

void EntryWalkTest::lastPossibleRecord()
{
    // An entry on the last record is reached; a blank on it may still be shown.
    QString path = makeLargeFile(*m_dir, MaxRecords,
                                 {{21, Fixtures::item(QStringLiteral("APPLE"))},
                                  {MaxRecords, Fixtures::item(QStringLiteral("LAST"))}});
    EntryWalk walk(path, EntryWalk::items());
    QCOMPARE(walk.first()->outcome, Outcome::Shown);
    QCOMPARE(walk.next()->outcome, Outcome::Shown);
    QCOMPARE(walk.CurrentRecord, MaxRecords);

    path = makeLargeFile(*m_dir, MaxRecords - 1, {{21, Fixtures::item(QStringLiteral("APPLE"))}},
                         QStringLiteral("shorter.tb2"));
    EntryWalk shorter(path, EntryWalk::items());
    QCOMPARE(shorter.first()->outcome, Outcome::Shown);
    QCOMPARE(shorter.next()->outcome, Outcome::Blank);
    QCOMPARE(shorter.CurrentRecord, MaxRecords);
    shorter.CurrentRecord = 21;
    shorter.AtEnd = false;
    QCOMPARE(shorter.search(QStringLiteral("*"))->outcome, Outcome::Blank);
    QCOMPARE(shorter.CurrentRecord, MaxRecords);
}

void EntryWalkTest::afterDelete()
{
    const RecordStore store(m_path);

    // Items: the record that moved up is free, and an item re-read may land on it.
    EntryWalk items(m_path, EntryWalk::items());
    items.CurrentRecord = 22;
    QCOMPARE(store.DeleteRecord(22), FileError::None);
    auto r = items.afterDelete();
    QCOMPARE(r->outcome, Outcome::Shown);
    QCOMPARE(items.CurrentRecord, 22);
    QCOMPARE(r->record.kind(), RecordKind::Free);
    QVERIFY(!items.AtEnd);
    // Now: 21 BOB, 22 free, 23 ANN, 24 PEAR, 25 CAROL

    // Customers: the next customer, wherever it now is.
    EntryWalk customers(m_path, EntryWalk::customers());
    QCOMPARE(customers.first()->outcome, Outcome::Shown);
    QCOMPARE(store.DeleteRecord(customers.CurrentRecord), FileError::None);
    r = customers.afterDelete();
    QCOMPARE(r->outcome, Outcome::Shown);
    QCOMPARE(customers.CurrentRecord, 24);
    QCOMPARE(r->record.Number.toText(), QStringLiteral("CAROL"));

    // Deleting the last one leaves the blank record.
    QCOMPARE(store.DeleteRecord(customers.CurrentRecord), FileError::None);
    QCOMPARE(customers.afterDelete()->outcome, Outcome::Blank);
    QCOMPARE(customers.CurrentRecord, 24);
    QVERIFY(customers.AtEnd);
    QCOMPARE(store.NextFreeRecord().valueOr(0), 24);
}

void EntryWalkTest::brokenRecordsAndFiles()
{
    DataFile file(m_path);
    QCOMPARE(file.open(DataFile::Mode::ReadWrite), FileError::None);
    QCOMPARE(file.writeRaw(23, Fixtures::Bytes().text("BAD").tag(42).emptyFields(11).record()),
             FileError::None);
    file.close();

    EntryWalk walk(m_path, EntryWalk::items());
    QCOMPARE(walk.first()->outcome, Outcome::Shown);
    auto r = walk.next();
    QCOMPARE(r.error(), FileError::UnknownFieldType);
    QCOMPARE(walk.CurrentRecord, 22);
    QVERIFY(!walk.AtEnd);
    // Other kinds walk past it.
    EntryWalk cashiers(m_path, EntryWalk::cashiers());
    QCOMPARE(cashiers.first()->outcome, Outcome::Shown);
    QCOMPARE(cashiers.CurrentRecord, 24);

    EntryWalk missing(m_dir->path(QStringLiteral("gone.tb2")), EntryWalk::items());
    for (auto result : {missing.first(), missing.next(), missing.search(QStringLiteral("X")),
                        missing.search(QStringLiteral("*")), missing.afterDelete()}) {
        QCOMPARE(result.error(), FileError::FileNotFound);
    }
    missing.CurrentRecord = 30;
    QCOMPARE(missing.previous().error(), FileError::FileNotFound);
    QCOMPARE(missing.CurrentRecord, 30);
}

#include "EntryWalkTest.moc"
TB_TEST(EntryWalkTest)
