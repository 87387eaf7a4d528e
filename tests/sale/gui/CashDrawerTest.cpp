#include "common/TestMain.h"
#include "gui/Drive.h"
#include "gui/TestData.h"
#include "gui/World.h"

#include "datafile/HeaderRecords.h"
#include "datafile/ShopFile.h"
#include "ui/QtDialogs.h"

#include <QDialog>
#include <QListWidget>
#include <QSettings>
#include <QTest>

#include <memory>

using Icon = Dialogs::Icon;
using Drawer = TillSettings::Drawer;

namespace {
const QString DrawerError = QStringLiteral("There has been an error opening the cash drawer. "
                                           "Please check your cash drawer settings and try again.");

void setDrawer(Drawer drawer, const QString &command = QString())
{
    TillSettings till = TillSettings::load();
    till.drawer = drawer;
    till.drawerCommand = command;
    till.save();
}
} // namespace

// The till's cash drawer and printer, with this test's own till settings.
class CashDrawerTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<TempDir> m_settings;

private slots:
    void init()
    {
        m_settings = std::make_unique<TempDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings->path(""));
    }
    void afterSales();
    void noSale_data();
    void noSale();
    void setupWindow();
    void testBill();
};

void CashDrawerTest::afterSales()
{
    World world;
    world.setTaxRate("7");
    Interface &w = world.startLoggedOn();
    TestData::setHeader(world.path, HeaderRecord::PrintBill, FieldValue::fromInt16(1));
    setDrawer(Drawer::Pulse);
    ScriptedDialogs &dialogs = world.h.dialogs;
    dialogs.drawerOpens = false;

    // A drawer that fails is reported; the cash sale stays completed.
    Drive::ring(&w, "TEA", "2");
    Drive::click(&w, "Command5");
    Drive::onNextDialog([&](QDialog *d) {
        Drive::type(d, "txtChange", "20");
        Drive::click(d, "Command1");
    });
    Drive::click(&w, "Command2");
    QCOMPARE(dialogs.printJobs, QStringList{"Tallybird bill #1"});
    QCOMPARE(dialogs.drawerOpened, QList<Drawer>{Drawer::Pulse});
    QVERIFY(dialogs.lastMessageWas(Icon::Critical, "Cash Drawer Error", DrawerError));
    QCOMPARE(world.record(HeaderRecord::LastTransaction).Number.toNumber(), 1.0);
    QCOMPARE(world.h.find<QListWidget>("List1")->count(), 0);

    // A credit sale leaves the drawer shut.
    Drive::ring(&w, "TEA", "1");
    Drive::click(&w, "Command5");
    Drive::onNextDialog([&](QDialog *d) {
        Drive::type(d, "Combo1", "bob");
        Drive::click(d, "Command1");
    });
    Drive::click(&w, "Command1");
    QCOMPARE(dialogs.printJobs.last(), QStringLiteral("Tallybird bill #2"));
    QCOMPARE(dialogs.drawerOpened.size(), 1);
}

void CashDrawerTest::noSale_data()
{
    QTest::addColumn<bool>("master");
    QTest::addColumn<int>("drawer");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("message"); // the title of the box shown, if any
    QTest::addColumn<bool>("logged");

    QTest::newRow("counter cashier")
        << false << int(Drawer::Pulse) << true << "Access Denied" << false;
    QTest::newRow("no drawer") << true << int(Drawer::None) << true << "No Cash Drawer" << false;
    QTest::newRow("opened") << true << int(Drawer::Pulse) << true << "" << true;
    QTest::newRow("drawer fails") << true << int(Drawer::Command) << false << "Cash Drawer Error"
                                  << true;
}

void CashDrawerTest::noSale()
{
    QFETCH(bool, master);
    QFETCH(int, drawer);
    QFETCH(bool, opens);
    QFETCH(QString, message);
    QFETCH(bool, logged);

    Privileges privileges = Privileges::master();
    privileges.set(Privilege::ChargeCurrency, master);
    World world(privileges.toString());
    world.startLoggedOn();
    TestData::setHeader(world.path, HeaderRecord::SaveToLog, FieldValue::fromInt16(1));
    world.h.ctx.LogFilePath = world.dir.path("sales.log");
    setDrawer(Drawer(drawer), "open-drawer");
    world.h.dialogs.drawerOpens = opens;

    QVERIFY(world.h.trigger("mnuitmNoSale"));
    const QList<ScriptedDialogs::Box> shown = world.h.dialogs.messages();
    QCOMPARE(shown.isEmpty() ? QString() : shown.last().title, message);
    QCOMPARE(world.h.dialogs.drawerOpened.size(), int(logged));
    const QByteArray log = TempDir::readFile(world.h.ctx.LogFilePath);
    QCOMPARE(log.contains("\r\nNo Sale\r\n"), logged);
    QCOMPARE(log.contains("\r\nCashier: ANN\r\n"), logged);
}

void CashDrawerTest::setupWindow()
{
    World world;
    world.startLoggedOn();
    const auto setUp = [&](const char *option, const QString &command) {
        Drive::onNextDialog([&, option, command](QDialog *d) {
            Drive::click(d, option);
            if (!command.isNull())
                Drive::type(d, "Text1", command);
            Drive::click(d, "Command1");
            if (d->isVisible())
                d->reject();
        });
        QVERIFY(world.h.trigger("mnuitmDrawerSetup"));
    };
    setUp("Option3", "");
    QVERIFY(world.h.dialogs.lastMessageWas(Icon::Critical, "Invalid Input",
                                           "Please enter the command that opens the cash "
                                           "drawer."));
    QCOMPARE(TillSettings::load().drawer, Drawer::None);
    setUp("Option3", "false");
    QCOMPARE(TillSettings::load().drawer, Drawer::Command);
    setUp("Option2", QString());
    QCOMPARE(TillSettings::load().drawer, Drawer::Pulse);

    // The command must succeed for the drawer to count as opened.
    TillSettings till = TillSettings::load();
    QCOMPARE(till.drawerCommand, QStringLiteral("false"));
    till.drawer = Drawer::Command;
    QVERIFY(!QtDialogs().openDrawer(till));
    till.drawerCommand = "true";
    QVERIFY(QtDialogs().openDrawer(till));
}

void CashDrawerTest::testBill()
{
    World world;
    world.startLoggedOn();
    QCOMPARE(ShopFile(world.path).setBillNotes({"BAECKEREI\nBONN", "DANKE"}), FileError::None);
    QVERIFY(world.h.trigger("mnuitmTestBill"));
    QCOMPARE(world.h.dialogs.printJobs, QStringList{"Tallybird test bill"});
    const QStringList bill = world.h.dialogs.printed.last();
    QCOMPARE(bill.first(), QStringLiteral("BAECKEREI\nBONN"));
    QCOMPARE(bill.last(), QStringLiteral("DANKE"));
    QVERIFY(bill.contains("ORANGE JUICE COLD PRESSED 750ML - $3.50   X   2"));

    world.h.dialogs.printSucceeds = false;
    QVERIFY(world.h.trigger("mnuitmTestBill"));
    QVERIFY(world.h.dialogs.lastMessageWas(Icon::Critical, "Printer Error",
                                           "There has been an error printing the bill. Please "
                                           "check your printer settings and try again.\nError: "
                                           "482"));
}

TB_TEST(CashDrawerTest)
#include "CashDrawerTest.moc"
