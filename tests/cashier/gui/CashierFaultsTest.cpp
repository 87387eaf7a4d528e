#include "common/TestMain.h"
#include "gui/Drive.h"
#include "gui/TestData.h"
#include "gui/World.h"

#include "cashier/Cashier.h"
#include "datafile/CashierEntry.h"
#include "datafile/RecordStore.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {
// ANN is record 21, SAM record 22.
CashierEntry cashierAt(const QString &path, int n)
{
    return CashierEntry(RecordStore(path).readRecord(n).valueOr(DataRecord()));
}
} // namespace

class CashierFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void ownTimeStaysOnEveryWayOfSaving_data();
    void ownTimeStaysOnEveryWayOfSaving();
    void rejectedEntryRestoresTheShownRecord();
    void fileErrorOnClosingIsReportedAndCloses();
    void longTimeOnDutyCanBeSaved();
    void openingAnotherFileKeepsTheTimeOnDuty();
    void pinBoxesShowAsterisks();
    void newFileGetsItsExtension();
};

void CashierFaultsTest::ownTimeStaysOnEveryWayOfSaving_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("F7") << int(Qt::Key_F7);
    QTest::newRow("Enter") << int(Qt::Key_Return);
}

void CashierFaultsTest::ownTimeStaysOnEveryWayOfSaving()
{
    QFETCH(int, key);
    World world;
    world.startLoggedOn();
    Cashier w(world.h.ctx, &world.h.window());
    w.show();
    QCOMPARE(Drive::text(&w, "Text1"), QStringLiteral("ANN"));
    Drive::focus(&w, "Text5");
    Drive::type(&w, "Text5", "0100:00:00:000");
    // Saved without leaving the box.
    QTest::keyClick(w.findChild<QLineEdit *>("Text5"), Qt::Key(key));
    QVERIFY(world.h.dialogs.lastMessageWas(
        Dialogs::Icon::Critical, "Requested Modification not Possible",
        "You cannot change the Time Logged On property of the cashier currently logged on."));
    QCOMPARE(cashierAt(world.path, 21).msLoggedOn(), 0.0);
    QCOMPARE(Drive::text(&w, "Text5"), QStringLiteral("0000:00:00:000"));
}

void CashierFaultsTest::rejectedEntryRestoresTheShownRecord()
{
    World world;
    world.startLoggedOn();
    Cashier w(world.h.ctx, &world.h.window());
    w.show();
    Drive::focus(&w, "Text2");
    QTest::keyClick(w.findChild<QLineEdit *>("Text2"), Qt::Key_F6);
    QCOMPARE(Drive::text(&w, "Text1"), QStringLiteral("SAM"));
    Drive::type(&w, "Text2", "12x");
    Drive::leave(&w, "Text2");
    QVERIFY(
        world.h.dialogs.lastMessageWas(Dialogs::Icon::Critical, "Error 8778",
                                       "Please ensure that the 'PIN' box contains valid input."));
    QCOMPARE(Drive::text(&w, "Text2"), QStringLiteral("4321"));
    QTest::keyClick(w.findChild<QLineEdit *>("Text2"), Qt::Key_F7);
    QCOMPARE(cashierAt(world.path, 22).pin(), QStringLiteral("4321"));
    QCOMPARE(cashierAt(world.path, 21).pin(), QStringLiteral("1234"));
}

void CashierFaultsTest::fileErrorOnClosingIsReportedAndCloses()
{
    World world;
    world.startLoggedOn();
    Cashier w(world.h.ctx, &world.h.window());
    w.show();
    QVERIFY(QFile::remove(world.path));
    w.close();
    QVERIFY(!w.isVisible());
    QVERIFY(world.h.dialogs.lastMessageWas(Dialogs::Icon::Critical, "File I/O Error",
                                           "A File I/O Error has occured. Please try again.\n"
                                           "Error: 53"));
    // The cashier on duty stays on duty.
    QVERIFY(world.h.ctx.isLoggedOn());
    QCOMPARE(world.h.window().statusText(), QStringLiteral("Ready"));
}

void CashierFaultsTest::longTimeOnDutyCanBeSaved()
{
    World world;
    // SAM has been on duty for 12,345 hours.
    DataRecord sam = TestData::cashier("SAM", "4321", "101000010010000000000", 44442000001.0);
    QCOMPARE(RecordStore(world.path).writeRecord(22, sam), FileError::None);
    world.startLoggedOn();
    Cashier w(world.h.ctx, &world.h.window());
    w.show();
    w.Next();
    QCOMPARE(Drive::text(&w, "Text5"), QStringLiteral("12345:00:00:001"));
    Drive::type(&w, "Text2", "5555");
    w.Save();
    QCOMPARE(world.h.dialogs.messages().size(), 0);
    QCOMPARE(cashierAt(world.path, 22).pin(), QStringLiteral("5555"));
    QCOMPARE(cashierAt(world.path, 22).msLoggedOn(), 44442000001.0);
}

void CashierFaultsTest::openingAnotherFileKeepsTheTimeOnDuty()
{
    World world;
    world.startLoggedOn();
    world.h.clock.advance(60000);
    world.h.dialogs.answerFile(world.dir.writeFile("broken.tb2", QByteArray(100, 'x')));
    QVERIFY(world.h.trigger("mnuOpen"));
    QVERIFY(world.h.dialogs.lastMessage().title == QStringLiteral("File I/O Error"));
    QCOMPARE(cashierAt(world.path, 21).msLoggedOn(), 60000.0);
    QVERIFY(!world.h.ctx.isLoggedOn());
}

void CashierFaultsTest::pinBoxesShowAsterisks()
{
    World world;
    world.start();
    QString shown;
    Drive::onNextDialog([&](QDialog *d) {
        Drive::type(d, "Text2", "1234");
        shown = d->findChild<QLineEdit *>("Text2")->displayText();
        d->reject();
    });
    QVERIFY(world.h.trigger("mnuitmLogOn"));
    QCOMPARE(shown.size(), 4);
    QVERIFY2(shown == QStringLiteral("****"), qPrintable(shown));
}

void CashierFaultsTest::newFileGetsItsExtension()
{
    World world;
    world.start();
    world.h.dialogs.answerFile(world.dir.path("corner"));
    Drive::enterMasterCashier(QStringLiteral("ANN"), QStringLiteral("1234"));
    QVERIFY(world.h.trigger("mnuNew"));
    QVERIFY(QFile::exists(world.dir.path("corner.tb2")));
    QVERIFY(!QFile::exists(world.dir.path("corner")));
    QCOMPARE(world.h.ctx.DataFilePath, world.dir.path("corner.tb2"));
}

TB_TEST(CashierFaultsTest)
#include "CashierFaultsTest.moc"
