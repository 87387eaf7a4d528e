#include "common/Results.h"
#include "common/TempDir.h"
#include "common/TestMain.h"
#include "gui/Drive.h"
#include "gui/Harness.h"
#include "gui/TestData.h"

#include "datafile/RecordStore.h"
#include <QLabel>

#include <QDialog>
#include <QListWidget>
#include <QTest>

using namespace TestData;

namespace {
const QString Locked = QStringLiteral("Terminal Locked - Log On Required");

// Opens Log On, types the name and PIN, presses OK; closes the window again
// when the log on was refused.
void logOn(Harness &h, const QString &name, const QString &pin)
{
    Drive::onNextDialog([name, pin](QDialog *d) {
        QCOMPARE(d->objectName(), QStringLiteral("LogOn"));
        QCOMPARE(d->windowTitle(), QStringLiteral("Log On"));
        Drive::type(d, "Text1", name);
        Drive::type(d, "Text2", pin);
        Drive::click(d, "Command1");
        if (d->isVisible())
            d->reject();
    });
    QVERIFY(h.trigger("mnuitmLogOn"));
}

double timeOnDuty(const QString &path, int record)
{
    DataRecord r;
    return take(RecordStore(path).readRecord(record), r) == FileError::None ? r.SpareD.toNumber()
                                                                            : -1;
}
} // namespace

class LogOnTest : public QObject
{
    Q_OBJECT

private slots:
    void refusesWrongInput();
    void logsOnFirstMatchingCashier();
    void taxButtonFollowsNoTaxFlag();
    void logOffAddsTimeOnDuty();
    void logOffWithBillAsksFirst();
    void exitLogsOffFirst();
    void logOffFindsMovedOrDeletedCashier();
};

void LogOnTest::refusesWrongInput()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    append(path, {cashier("", "1234"), cashier("ANN", "1234")});
    const QByteArray before = TempDir::readFile(path);
    Harness h;
    Interface &w = h.start(path);

    struct Try {
        QString name, pin, text;
    };
    const QList<Try> tries = {
        {"", "1234", "User not defined, or password incorrect."},
        {"ANN", "", "User not defined, or password incorrect."},
        {"ANN", "12a4", "User not defined, or password incorrect."},
        {"ANN", "9999", "User not Defined or PIN incorrect."},
        {"BOB", "1234", "User not Defined or PIN incorrect."},
        // A name that cannot be stored cannot match either, not even a
        // record whose name is empty.
        {QStringLiteral("\u4E2D"), "1234", "User not Defined or PIN incorrect."},
    };
    for (const Try &t : tries) {
        h.dialogs.clear();
        logOn(h, t.name, t.pin);
        QCOMPARE(h.dialogs.messages().size(), 1);
        QCOMPARE(h.dialogs.lastMessage().icon, Dialogs::Icon::Critical);
        QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("No such user"));
        QCOMPARE(h.dialogs.lastMessage().text, t.text);
        QCOMPARE(w.statusText(), Locked);
        QCOMPARE(h.ctx.session.onDuty().record, 0);
        QVERIFY(!h.isEnabled("mnuManage"));
    }
    QCOMPARE(TempDir::readFile(path), before);
}

void LogOnTest::logsOnFirstMatchingCashier()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    // Header records carry "***" and an item may be named like a cashier;
    // neither is taken for one.
    append(path, {item("ANN", "1234"), cashier("ANN", "1234", "101000000000000000000"),
                  cashier("ANN", "1234")});
    Harness h;
    Interface &w = h.start(path);
    logOn(h, "ann", "1234"); // typed in lower case, shown and matched in capitals

    QCOMPARE(h.dialogs.messages().size(), 1);
    QCOMPARE(h.dialogs.lastMessage().icon, Dialogs::Icon::Information);
    QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("Log on Sucessful"));
    QCOMPARE(h.dialogs.lastMessage().text, QStringLiteral("Logged On as \"ANN\" Sucessful"));
    QCOMPARE(h.ctx.session.onDuty().record, 22);
    QCOMPARE(h.ctx.session.onDuty().name, QStringLiteral("ANN"));
    QCOMPARE(h.ctx.session.onDuty().since, h.clock.ticks());
    QVERIFY(h.ctx.session.onDuty().privileges.has(Privilege::ItemBrowse));
    QVERIFY(!h.ctx.session.onDuty().privileges.has(Privilege::ItemModify));
    QVERIFY(h.ctx.session.onDuty().privileges.has(Privilege::CreditBrowse));
    QVERIFY(!h.ctx.session.onDuty().privileges.has(Privilege::ChargeCurrency));

    QCOMPARE(w.statusText(), QStringLiteral("Ready"));
    QVERIFY(h.lampLit("Shape1"));
    QVERIFY(!h.lampLit("Shape2"));
    QVERIFY(!QApplication::overrideCursor());
    for (const char *on :
         {"mnuitmLogOff", "mnuitmConverter", "mnuManage", "mnuReport", "Command1", "Command2",
          "Command3", "Command4", "Command6", "List1", "Text2", "Combo1"})
        QVERIFY2(h.isEnabled(on), on);
    QVERIFY(!h.isEnabled("mnuitmLogOn"));
}

void LogOnTest::taxButtonFollowsNoTaxFlag()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    append(path, {cashier("ANN", "1234")});
    setHeader(path, 20, FieldValue::fromInt16(1));
    Harness h;
    h.start(path);
    logOn(h, "ANN", "1234");
    QVERIFY(h.isEnabled("Command6"));
    QVERIFY(!h.isEnabled("Command5"));

    QVERIFY(h.trigger("mnuitmLogOff"));
    setHeader(path, 20, FieldValue::fromInt16(0));
    logOn(h, "ANN", "1234");
    QVERIFY(h.isEnabled("Command5"));
}

void LogOnTest::logOffAddsTimeOnDuty()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    append(path,
           {cashier("ANN", "1234", Privileges::master().toString(), 5000), cashier("BOB", "4321")});
    Harness h;
    Interface &w = h.start(path);
    logOn(h, "ANN", "1234");
    h.clock.advance(60 * 60 * 1000 + 250);
    h.dialogs.clear();
    QVERIFY(h.trigger("mnuitmLogOff"));

    QVERIFY(h.dialogs.boxes.isEmpty()); // an empty bill asks nothing
    QCOMPARE(timeOnDuty(path, 21), 5000.0 + 3600250.0);
    QCOMPARE(timeOnDuty(path, 22), 0.0);
    QCOMPARE(h.ctx.session.onDuty().record, 0);
    QCOMPARE(w.statusText(), Locked);
    QVERIFY(h.isEnabled("mnuitmLogOn"));
    QVERIFY(!h.isEnabled("mnuManage"));

    // A second shift adds to the first.
    logOn(h, "ANN", "1234");
    h.clock.advance(1000);
    QVERIFY(h.trigger("mnuitmLogOff"));
    QCOMPARE(timeOnDuty(path, 21), 5000.0 + 3600250.0 + 1000.0);
}

void LogOnTest::logOffWithBillAsksFirst()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    append(path, {cashier("ANN", "1234"), item("TEA", "1", Currency::fromUnits(2), 10)});
    setHeader(path, 20, FieldValue::fromInt16(1)); // untaxed: no tax rate needed
    Harness h;
    Interface &w = h.start(path);
    logOn(h, "ANN", "1234");
    Drive::ring(&w, "tea", "3");
    QCOMPARE(h.find<QListWidget>("List1")->count(), 1);
    h.clock.advance(1000);

    h.dialogs.clear();
    h.dialogs.answerNo();
    QVERIFY(h.trigger("mnuitmLogOff"));
    QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("Cancel Purchase"));
    QCOMPARE(h.dialogs.lastMessage().text,
             QStringLiteral("Are you sure you wish to cancel the entire purchase?"));
    QCOMPARE(h.dialogs.lastMessage().buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(h.ctx.session.onDuty().record, 21);
    QCOMPARE(h.find<QListWidget>("List1")->count(), 1);
    QCOMPARE(timeOnDuty(path, 21), 0.0);

    h.dialogs.answerYes();
    QVERIFY(h.trigger("mnuitmLogOff"));
    QCOMPARE(h.ctx.session.onDuty().record, 0);
    QCOMPARE(h.find<QListWidget>("List1")->count(), 0);
    QCOMPARE(h.find<QLabel>("LabelSubTotal")->text(), QStringLiteral("$0.00"));
    QCOMPARE(timeOnDuty(path, 21), 1000.0);
    DataRecord tea;
    QCOMPARE(take(RecordStore(path).readRecord(22), tea), FileError::None);
    QCOMPARE(tea.Sold.toNumber(), 0.0);
    QCOMPARE(tea.Remaining.toNumber(), 10.0);
}

void LogOnTest::exitLogsOffFirst()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    append(path, {cashier("ANN", "1234")});
    Harness h;
    Interface &w = h.start(path);
    logOn(h, "ANN", "1234");
    h.clock.advance(42000);
    QVERIFY(h.trigger("mnuQuit"));
    QVERIFY(!w.isVisible());
    QCOMPARE(timeOnDuty(path, 21), 42000.0);
}

void LogOnTest::logOffFindsMovedOrDeletedCashier()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    append(path, {item("TEA", "1"), cashier("ANN", "1234"), cashier("BOB", "4321")});
    Harness h;
    h.start(path);
    logOn(h, "BOB", "4321");
    QCOMPARE(h.ctx.session.onDuty().record, 23);

    // Another window removes the item before BOB: his record moves down.
    QCOMPARE(RecordStore(path).DeleteRecord(21), FileError::None);
    h.clock.advance(7000);
    QVERIFY(h.trigger("mnuitmLogOff"));
    QCOMPARE(timeOnDuty(path, 21), 0.0);    // ANN untouched
    QCOMPARE(timeOnDuty(path, 22), 7000.0); // BOB, where he is now

    // BOB's record is removed while he is on duty: his time is lost, and
    // nobody else's record takes it, nor is a record added.
    logOn(h, "BOB", "4321");
    QCOMPARE(RecordStore(path).DeleteRecord(22), FileError::None);
    const QByteArray before = TempDir::readFile(path);
    h.clock.advance(5000);
    QVERIFY(h.trigger("mnuitmLogOff"));
    QCOMPARE(TempDir::readFile(path), before);
    QCOMPARE(h.ctx.session.onDuty().record, 0);
}

TB_TEST(LogOnTest)
#include "LogOnTest.moc"
