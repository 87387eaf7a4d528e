#include "common/Results.h"
#include "common/TempDir.h"
#include "common/TestMain.h"
#include "datafile/DatafileFixtures.h"

#include "datafile/CashierEntry.h"
#include "datafile/CashierStore.h"

#include <QTest>

using Fixtures::makeDatafile;

namespace {
DataRecord cashier(const QString &name, double ms, bool master)
{
    Privileges p = Privileges::master();
    if (!master)
        p.set(Privilege::ItemBrowse, 0);
    CashierEntry entry = CashierEntry::make(name, QStringLiteral("1234"), p);
    entry.setMsLoggedOn(ms);
    return entry.record();
}

double timeOf(const QString &path, int n)
{
    return CashierEntry(RecordStore(path).readRecord(n).valueOr(DataRecord())).msLoggedOn();
}
} // namespace

class CashierStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void writesFindTheCashierOnDuty();
    void fileErrorsAreNotAnswers_data();
    void fileErrorsAreNotAnswers();
    void timeResetSparesTheCashierOnDuty();
};

void CashierStoreTest::writesFindTheCashierOnDuty()
{
    TempDir dir;
    const QString path = makeDatafile(dir, {cashier("CAT", 100, true), cashier("CAT", 500, false)});
    // The second CAT logged on at record 22; deleting the first moves them to 21.
    const CashierStore::OnDuty cat{22, QStringLiteral("CAT"), QStringLiteral("1234")};
    QCOMPARE(RecordStore(path).DeleteRecord(21), FileError::None);
    QCOMPARE(CashierStore::addTimeOnDuty(path, cat, 250).valueOr(-1), 21);
    QCOMPARE(timeOf(path, 21), 750.0);

    // A cashier deleted while on duty has nothing to write to.
    QCOMPARE(RecordStore(path).DeleteRecord(21), FileError::None);
    const QByteArray before = TempDir::readFile(path);
    QCOMPARE(CashierStore::addTimeOnDuty(path, cat, 250).valueOr(-1), 0);
    QCOMPARE(TempDir::readFile(path), before);
}

void CashierStoreTest::fileErrorsAreNotAnswers_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<FileError>("error");
    QTest::newRow("missing") << QByteArray() << FileError::FileNotFound;
    QTest::newRow("torn record") << QByteArray(2600, '\0') << FileError::BadFileFormat;
}

void CashierStoreTest::fileErrorsAreNotAnswers()
{
    QFETCH(QByteArray, contents);
    QFETCH(FileError, error);
    TempDir dir;
    const QString path = dir.path(QStringLiteral("shop.tb2"));
    if (!contents.isEmpty())
        dir.writeFile("shop.tb2", contents);
    // "No master" or "no such cashier" would send the user the wrong way.
    QCOMPARE(CashierStore::masterExists(path).error(), error);
    QCOMPARE(CashierStore::addTimeOnDuty(path, {21, "ANN", "1234"}, 5).error(), error);
    QCOMPARE(
        CashierStore::findForLogOn(path, QStringLiteral("ANN"), QStringLiteral("1234")).error(),
        error);
}

void CashierStoreTest::timeResetSparesTheCashierOnDuty()
{
    TempDir dir;
    const QString path =
        makeDatafile(dir, {cashier("ANN", 100, true), cashier("BOB", 200, false),
                           Fixtures::item(QStringLiteral("TEA")), cashier("CAT", 300, false)});
    QCOMPARE(CashierStore::resetTimeLoggedOn(path, 22).valueOr(-1), 2);
    QCOMPARE(timeOf(path, 21), 0.0);
    QCOMPARE(timeOf(path, 22), 200.0);
    QCOMPARE(timeOf(path, 24), 0.0);
    QCOMPARE(CashierStore::resetTimeLoggedOn(path, 0).valueOr(-1), 3);
    QCOMPARE(timeOf(path, 22), 0.0);
}

TB_TEST(CashierStoreTest)
#include "CashierStoreTest.moc"
