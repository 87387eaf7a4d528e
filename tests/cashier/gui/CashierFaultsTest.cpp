#include "common/TestMain.h"
#include "gui/Drive.h"
#include "gui/TestData.h"
#include "gui/World.h"

#include "cashier/Cashier.h"
#include "datafile/CashierEntry.h"
#include "datafile/RecordStore.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {
// ANN is record 21, SAM record 22.
CashierEntry cashierAt(const QString &path, int n)
{
    return CashierEntry(RecordStore(path).readRecord(n).valueOr(DataRecord()));
}

// Two masters named BOSS after World's records: PIN 4321 (1 s on duty) at 28,
// PIN 5555 (2 s) at 29. BOSS 5555 logs on; `change` runs; a tea is rung, taxed
// at 7% ($2.14) and paid in cash.
void bossSellsTea(World &world, const std::function<void()> &change)
{
    world.setTaxRate("7");
    const QString master = Privileges::master().toString();
    TestData::append(world.path, {TestData::cashier("BOSS", "4321", master, 1000),
                                  TestData::cashier("BOSS", "5555", master, 2000)});
    Interface &w = world.start();
    QVERIFY(world.h.logOn("BOSS", "5555"));
    change();
    Drive::ring(&w, "TEA", "1");
    Drive::click(&w, "Command5");
    Drive::onNextDialog([](QDialog *d) {
        Drive::type(d, "txtChange", "5");
        Drive::click(d, "Command1");
        if (d->isVisible())
            d->reject();
    });
    Drive::click(&w, "Command2");
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
    void creditsTheCashierOnDuty_data();
    void creditsTheCashierOnDuty();
    void deletedCashierOnDutyGetsNothing();
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
    QVERIFY(world.h.ctx.session.isLoggedOn());
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
    w.next();
    QCOMPARE(Drive::text(&w, "Text5"), QStringLiteral("12345:00:00:001"));
    Drive::type(&w, "Text2", "5555");
    w.save();
    QCOMPARE(world.h.dialogs.messages().size(), 0);
    QCOMPARE(cashierAt(world.path, 22).pin(), QStringLiteral("5555"));
    QCOMPARE(cashierAt(world.path, 22).msLoggedOn(), 44442000001.0);
}

void CashierFaultsTest::creditsTheCashierOnDuty_data()
{
    QTest::addColumn<QString>("change"); // made while BOSS 5555 is on duty
    QTest::addColumn<int>("record");     // where BOSS 5555 is afterwards
    QTest::addColumn<QString>("name");
    QTest::newRow("another of the name") << "" << 29 << "BOSS";
    QTest::newRow("renamed") << "rename" << 29 << "BOSSY";
    QTest::newRow("moved by a delete") << "delete" << 28 << "BOSS";
}

void CashierFaultsTest::creditsTheCashierOnDuty()
{
    QFETCH(QString, change);
    QFETCH(int, record);
    QFETCH(QString, name);
    World world;
    bossSellsTea(world, [&] {
        if (change == "delete")
            QCOMPARE(RecordStore(world.path).DeleteRecord(22), FileError::None); // SAM
        if (change != "rename")
            return;
        Drive::onNextDialog([](QDialog *d) {
            Drive::focus(d, "Text1");
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
            Drive::type(d, "Text1", "BOSSY");
            Drive::type(d, "Text2", "6666");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7);
            d->close();
        });
        QVERIFY(world.h.trigger("mnuitmCashierSettings"));
    });
    world.h.dialogs.answerYes();
    QVERIFY(world.h.trigger("mnuitmLoggedOnTime"));
    world.h.clock.advance(60000);
    QVERIFY(world.h.trigger("mnuitmLogOff"));

    const CashierEntry onDuty = cashierAt(world.path, record);
    QCOMPARE(onDuty.name(), name);
    QCOMPARE(world.h.ctx.session.onDuty().name, name);
    QCOMPARE(onDuty.amountSold(), *Currency::fromDecimal("2.14"));
    QCOMPARE(onDuty.msLoggedOn(), 62000.0);
    QCOMPARE(cashierAt(world.path, record - 1).salesPerformed(), 0.0);
    QCOMPARE(cashierAt(world.path, record - 1).msLoggedOn(), 0.0);
}

void CashierFaultsTest::deletedCashierOnDutyGetsNothing()
{
    World world;
    QByteArray before;
    bossSellsTea(world, [&] {
        QCOMPARE(RecordStore(world.path).DeleteRecord(29), FileError::None);
        before = TempDir::readFile(world.path);
    });
    const QString gone = QStringLiteral("The record of the cashier logged on, \"BOSS\", is no "
                                        "longer in the datafile. ");
    QVERIFY(world.h.dialogs.lastMessageWas(
        Dialogs::Icon::Critical, "Cashier not Found",
        gone + "The purchase has not been completed and nothing has been written."));
    QCOMPARE(world.h.find<QListWidget>("List1")->count(), 1);
    world.h.dialogs.answerYes();
    QVERIFY(world.h.trigger("mnuitmLoggedOnTime"));
    QVERIFY(world.h.dialogs.lastMessageWas(Dialogs::Icon::Critical, "Cashier not Found",
                                           gone + "Nothing has been reset."));
    world.h.dialogs.answerYes(); // the bill is cancelled, its stock put back
    QVERIFY(world.h.trigger("mnuitmLogOff"));
    QVERIFY(world.h.dialogs.lastMessageWas(Dialogs::Icon::Critical, "Cashier not Found",
                                           gone + "The time logged on has not been saved."));
    QCOMPARE(TempDir::readFile(world.path), before);
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
    QVERIFY(!world.h.ctx.session.isLoggedOn());
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
