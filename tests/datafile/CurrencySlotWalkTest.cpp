#include "datafile/CurrencySlotWalk.h"
#include "common/Results.h"
#include "common/TestMain.h"
#include "datafile/CurrencySlot.h"
#include "datafile/DatafileFixtures.h"
#include "datafile/HeaderRecords.h"
#include "datafile/RecordStore.h"

using Fixtures::makeDatafile;
using Outcome = RecordWalk::Outcome;

Q_DECLARE_METATYPE(RecordWalk::Outcome)

namespace {
// Stores currencies in the first slots, in order.
QString withCurrencies(const TempDir &dir, const QStringList &names)
{
    const QString path = makeDatafile(dir, {Fixtures::item(QStringLiteral("TEA"))},
                                      QStringLiteral("c%1.tb2").arg(names.size()));
    const RecordStore store(path);
    for (int i = 0; i < names.size(); ++i) {
        CurrencySlot slot(store.readRecord(HeaderRecord::FirstCurrencySlot + i).valueOr({}));
        slot.setName(names[i]);
        slot.setSymbol(names[i].left(1).toLower());
        slot.setValue(Currency::fromUnits(i + 2));
        if (store.writeRecord(HeaderRecord::FirstCurrencySlot + i, slot.record())
            != FileError::None)
            return QString();
    }
    return path;
}
} // namespace

class CurrencySlotWalkTest : public QObject
{
    Q_OBJECT

private slots:
    void newFileOpensOnFreeFirstSlot();
    void walksUsedSlotsThenTheFreeOne();
    void noFifthSlot();
    void searchStar_data();
    void searchStar();
    void searchByNameOrSymbol_data();
    void searchByNameOrSymbol();
    void missingFile();
};

void CurrencySlotWalkTest::newFileOpensOnFreeFirstSlot()
{
    TempDir dir;
    CurrencySlotWalk walk(withCurrencies(dir, {}));
    const auto first = walk.first();
    QCOMPARE(first->outcome, Outcome::Shown);
    QCOMPARE(walk.CurrentRecord, 10);
    QVERIFY(walk.AtEnd);
    // A free slot is shown as stored: a new datafile gives each one "£".
    QCOMPARE(CurrencySlot(first->record).symbol(), QStringLiteral("£"));
    QCOMPARE(walk.next()->outcome, Outcome::NoMore);
    QCOMPARE(walk.previous()->outcome, Outcome::AtBeginning);
    QCOMPARE(walk.CurrentRecord, 10);
}

void CurrencySlotWalkTest::walksUsedSlotsThenTheFreeOne()
{
    TempDir dir;
    CurrencySlotWalk walk(withCurrencies(dir, {"EURO", "YEN"}));
    QCOMPARE(CurrencySlot(walk.first()->record).name(), QStringLiteral("EURO"));
    QVERIFY(!walk.AtEnd);
    QCOMPARE(CurrencySlot(walk.next()->record).name(), QStringLiteral("YEN"));
    QCOMPARE(walk.next()->outcome, Outcome::Shown);
    QCOMPARE(walk.CurrentRecord, 12);
    QVERIFY(walk.AtEnd);
    QCOMPARE(walk.next()->outcome, Outcome::NoMore);
    QCOMPARE(walk.CurrentRecord, 12);
    QCOMPARE(CurrencySlot(walk.previous()->record).name(), QStringLiteral("YEN"));
    QVERIFY(!walk.AtEnd);
}

void CurrencySlotWalkTest::noFifthSlot()
{
    TempDir dir;
    CurrencySlotWalk walk(withCurrencies(dir, {"A", "B", "C", "D"}));
    QCOMPARE(walk.first()->outcome, Outcome::Shown);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(walk.next()->outcome, Outcome::Shown);
    QCOMPARE(walk.CurrentRecord, 13);
    QCOMPARE(walk.next()->outcome, Outcome::DatabaseFull);
    QCOMPARE(walk.CurrentRecord, 13);
    QVERIFY(!walk.AtEnd);
}

void CurrencySlotWalkTest::searchStar_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<int>("slot"); // 0: no free slot
    QTest::newRow("none") << QStringList() << 10;
    QTest::newRow("three") << QStringList{"A", "B", "C"} << 13;
    QTest::newRow("four") << QStringList{"A", "B", "C", "D"} << 0;
}

void CurrencySlotWalkTest::searchStar()
{
    QFETCH(QStringList, stored);
    QFETCH(int, slot);
    TempDir dir;
    CurrencySlotWalk walk(withCurrencies(dir, stored));
    QCOMPARE(walk.first()->outcome, Outcome::Shown);
    const auto r = walk.search(QStringLiteral("*"));
    if (slot == 0) {
        QCOMPARE(r->outcome, Outcome::NoBlankRecord);
        QCOMPARE(walk.CurrentRecord, 10);
        return;
    }
    QCOMPARE(r->outcome, Outcome::Shown);
    QCOMPARE(walk.CurrentRecord, slot);
    QVERIFY(walk.AtEnd);
}

void CurrencySlotWalkTest::searchByNameOrSymbol_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("slot"); // 0: not found
    // Slots: EURO "e", YEN "y"; the free slots keep the "£" of a new file.
    QTest::newRow("name") << "YEN" << 11;
    QTest::newRow("name in lower case") << "euro" << 10;
    QTest::newRow("symbol") << "y" << 11;
    QTest::newRow("symbol in capitals") << "E" << 10;
    QTest::newRow("free slot's symbol") << "£" << 0;
    QTest::newRow("part of a name") << "EUR" << 0;
}

void CurrencySlotWalkTest::searchByNameOrSymbol()
{
    QFETCH(QString, text);
    QFETCH(int, slot);
    TempDir dir;
    CurrencySlotWalk walk(withCurrencies(dir, {"EURO", "YEN"}));
    QCOMPARE(walk.first()->outcome, Outcome::Shown);
    const auto r = walk.search(text);
    QCOMPARE(r->outcome, slot ? Outcome::Shown : Outcome::NotFound);
    QCOMPARE(walk.CurrentRecord, slot ? slot : 10);
}

void CurrencySlotWalkTest::missingFile()
{
    TempDir dir;
    CurrencySlotWalk walk(dir.path(QStringLiteral("gone.tb2")));
    QCOMPARE(walk.first().error(), FileError::FileNotFound);
    QCOMPARE(walk.search(QStringLiteral("*")).error(), FileError::FileNotFound);
    QCOMPARE(walk.CurrentRecord, 10);
}

#include "CurrencySlotWalkTest.moc"
TB_TEST(CurrencySlotWalkTest)
