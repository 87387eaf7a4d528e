#include "common/Results.h"
#include "common/TempDir.h"
#include "common/TestMain.h"
#include "gui/Drive.h"
#include "gui/Harness.h"
#include "gui/TestData.h"

#include "cashier/AccessCheck.h"
#include "datafile/RecordStore.h"

#include <QDialog>
#include <QTest>

using namespace TestData;

namespace {
const auto denial = &ScriptedDialogs::accessDenial;

// The privilege string with one flag off.
QString allBut(int flag)
{
    QString s = Privileges::master().toString();
    s[flag] = QLatin1Char('0');
    return s;
}

struct Command {
    const char *name;
    QList<int> flags; // any of these off refuses the command
    QString message;
};

// Every command of the menus that checks a privilege.
const QList<Command> &commands()
{
    static const QList<Command> list = {
        {"mnuitmCashierSettings",
         {6},
         denial("browse the cashier database", "Access Cashier Data")},
        {"mnuitmCashierSalesComplete",
         {6},
         denial("change cashier entries", "Access Cashier Data")},
        {"mnuitmLoggedOnTime", {6}, denial("change cashier entries", "Access Cashier Data")},
        {"mnuitmCashierMoney", {6}, denial("change cashier entries", "Access Cashier Data")},
        {"mnuResetItem",
         {0, 1},
         denial("change item entries", "Modify Items' and the option 'Browse Items")},
        {"mnuitmVisit",
         {2, 3},
         denial("change credit entries", "Modify Credits' and the option 'Browse Credits")},
    };
    return list;
}
} // namespace

class AccessTest : public QObject
{
    Q_OBJECT

private slots:
    void switchesWriteTheirRecords();
    void eachFlagOffRefusesItsCommands_data();
    void eachFlagOffRefusesItsCommands();
};

void AccessTest::switchesWriteTheirRecords()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    append(path, {cashier("BOSS", "1111"), cashier("CLERK", "2222", allBut(4))});
    Harness h;
    h.start(path);
    const auto number = [&](int record) {
        DataRecord r;
        return take(RecordStore(path).readRecord(record), r) == FileError::None
                   ? r.Number.toText()
                   : QStringLiteral("unreadable");
    };

    QVERIFY(h.logOn("CLERK", "2222"));
    const QByteArray before = TempDir::readFile(path);
    for (const char *name : {"mnuitmSave", "mnuitmPrint"}) {
        h.dialogs.clear();
        QVERIFY(h.trigger(name));
        QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("Access Denied"));
        QCOMPARE(h.dialogs.lastMessage().text,
                 denial("change general program settings", "Change Settings"));
        QVERIFY(!h.action(name)->isChecked());
    }
    QCOMPARE(TempDir::readFile(path), before);

    QVERIFY(h.trigger("mnuitmLogOff"));
    QVERIFY(h.logOn("BOSS", "1111"));
    h.dialogs.clear();
    QVERIFY(h.trigger("mnuitmSave"));
    QVERIFY(h.action("mnuitmSave")->isChecked());
    QCOMPARE(number(3), QStringLiteral("1"));
    QCOMPARE(number(4), QString());
    QVERIFY(h.trigger("mnuitmPrint"));
    QVERIFY(h.action("mnuitmPrint")->isChecked());
    QCOMPARE(number(4), QStringLiteral("1"));
    QVERIFY(h.trigger("mnuitmSave"));
    QVERIFY(!h.action("mnuitmSave")->isChecked());
    QCOMPARE(number(3), QStringLiteral("0"));
    QVERIFY(h.dialogs.boxes.isEmpty());

    // Opened again, the marks come from the records.
    h.dialogs.answerFile(path);
    QVERIFY(h.trigger("mnuOpen"));
    QVERIFY(!h.action("mnuitmSave")->isChecked());
    QVERIFY(h.action("mnuitmPrint")->isChecked());
}

void AccessTest::eachFlagOffRefusesItsCommands_data()
{
    QTest::addColumn<int>("flag");
    const char *names[] = {"ItemBrowse",    "ItemModify",     "CreditBrowse",  "CreditModify",
                           "SettingModify", "TaxModify",      "CashierAccess", "PlaceDiscount",
                           "BuildReport",   "ModifyCurrency", "ChargeCurrency"};
    for (int k = 0; k < PrivilegeCount; ++k)
        QTest::newRow(names[k]) << k;
}

void AccessTest::eachFlagOffRefusesItsCommands()
{
    QFETCH(int, flag);
    TempDir dir;
    const QString path = newDatafile(dir);
    append(path, {cashier("BOSS", "1111"), cashier("CLERK", "2222", allBut(flag)),
                  item("TEA", "1", Currency::fromUnits(2), 10, 4), customer("SMITH", 3)});
    Harness h;
    h.start(path);
    QVERIFY(h.logOn("CLERK", "2222"));

    for (const Command &c : commands()) {
        const QByteArray before = TempDir::readFile(path);
        h.dialogs.clear();
        if (c.flags.contains(flag)) {
            QVERIFY(h.trigger(c.name));
            QCOMPARE(h.dialogs.boxes.size(), 1);
            QCOMPARE(h.dialogs.lastMessage().icon, Dialogs::Icon::Critical);
            QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("Access Denied"));
            QCOMPARE(h.dialogs.lastMessage().text, c.message);
            QCOMPARE(TempDir::readFile(path), before);
        } else if (QByteArray(c.name) == "mnuitmCashierSettings") {
            bool opened = false;
            Drive::onNextDialog([&](QDialog *d) {
                opened = true;
                d->close();
            });
            QVERIFY(h.trigger(c.name));
            QVERIFY2(opened, c.name);
        } else {
            // Allowed: the command goes on to its question.
            h.dialogs.answerNo();
            QVERIFY(h.trigger(c.name));
            QCOMPARE(h.dialogs.lastMessage().buttons, Dialogs::Buttons::YesNo);
            QCOMPARE(TempDir::readFile(path), before);
        }
    }
}

TB_TEST(AccessTest)
#include "AccessTest.moc"
