#include "SettingsKit.h"

#include "common/TempDir.h"
#include "common/TestMain.h"

#include <QComboBox>

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

using namespace TestData;
using namespace SettingsKit;

namespace {
QString label(QDialog *d, const char *name)
{
    return d->findChild<QLabel *>(name)->text();
}
bool selected(QDialog *d, const char *name)
{
    return d->findChild<QRadioButton *>(name)->isChecked();
}

// Record 7 as a completed purchase leaves it.
DataRecord counter(const QDate &date, int number)
{
    DataRecord r;
    r.Name = FieldValue::fromText(SharedMarker);
    r.Price = FieldValue::fromDate(OleDate::fromDate(date));
    r.Number = FieldValue::fromNumber(number);
    return r;
}

QStringList itemBoxEntries(Harness &h)
{
    QStringList entries;
    QComboBox *box = h.find<QComboBox>("Combo1");
    for (int i = 0; i < box->count(); ++i)
        entries << box->itemText(i);
    return entries;
}
} // namespace

class PreferencesTest : public QObject
{
    Q_OBJECT

private slots:
    void transactionLabels_data();
    void transactionLabels();
    void showsStoredChoices_data();
    void showsStoredChoices();
    void okStoresChoicesAndRefillsItemBox();
    void closingWithoutOkStoresNothing();
};

void PreferencesTest::transactionLabels_data()
{
    QTest::addColumn<DataRecord>("record");
    QTest::addColumn<bool>("anyBefore");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("next");

    const QDate today(2026, 12, 8);
    const QString t = dateText(today);
    const QString y = dateText(today.addDays(-1));
    QTest::newRow("new datafile") << counter(today, 0) << false << "" << t + " Trans #1";
    QTest::newRow("today") << counter(today, 3) << true << t + " Trans #3" << t + " Trans #4";
    QTest::newRow("earlier day") << counter(today.addDays(-1), 17) << true << y + " Trans #17"
                                 << t + " Trans #1";
    QTest::newRow("later day") << counter(today.addDays(1), 2) << true
                               << dateText(today.addDays(1)) + " Trans #2" << t + " Trans #1";
    QTest::newRow("no transaction on an old file")
        << counter(today.addYears(-1), 0) << false << "" << t + " Trans #1";

    // A date stored with its time of day is still that day.
    DataRecord withTime = counter(today, 5);
    withTime.Price = FieldValue::fromDate(OleDate::fromDateTime(QDateTime(today, QTime(14, 30))));
    QTest::newRow("today with time")
        << withTime << true << withTime.Price.toText() + " Trans #5" << t + " Trans #6";
    DataRecord asText = counter(today, 2);
    asText.Number = FieldValue::fromText("2");
    QTest::newRow("number as text") << asText << true << t + " Trans #2" << t + " Trans #3";
}

// Driven through the window: the labels of Frame3 for each state of record 7.
void PreferencesTest::transactionLabels()
{
    QFETCH(DataRecord, record);
    QFETCH(bool, anyBefore);
    QFETCH(QString, last);
    QFETCH(QString, next);

    TempDir dir;
    const QString path = newDatafile(dir);
    write(path, 7, record);
    Harness h;
    startLoggedOn(h, path);
    QCOMPARE(h.clock.today(), QDate(2026, 12, 8));

    Drive::onNextDialog([&](QDialog *d) {
        QCOMPARE(d->objectName(), QStringLiteral("Pref"));
        QCOMPARE(d->windowTitle(), QStringLiteral("Preferences"));
        QCOMPARE(label(d, "Label1"), anyBefore
                                         ? QStringLiteral("The last transaction was:")
                                         : QStringLiteral("There have been no previous "
                                                          "transactions using this database."));
        QCOMPARE(label(d, "Label2"), last);
        QCOMPARE(label(d, "Label3"), QStringLiteral("The next transaction will be:"));
        QCOMPARE(label(d, "Label4"), next);
        d->reject();
    });
    QVERIFY(h.trigger("mnuPref"));
    QCOMPARE(h.dialogs.boxes.size(), 0);
}

void PreferencesTest::showsStoredChoices_data()
{
    QTest::addColumn<FieldValue>("itemBox");
    QTest::addColumn<FieldValue>("pickBoxes");
    QTest::addColumn<bool>("names");
    QTest::addColumn<bool>("enabled");

    const auto n = [](int v) { return FieldValue::fromInt16(qint16(v)); };
    QTest::newRow("as created") << n(1) << n(0) << true << true;
    QTest::newRow("numbers, disabled") << n(0) << n(1) << false << false;
    QTest::newRow("flags as text")
        << FieldValue::fromText("1") << FieldValue::fromText("1") << true << false;
    QTest::newRow("flags as text 0")
        << FieldValue::fromText("0") << FieldValue::fromText("0") << false << true;
}

void PreferencesTest::showsStoredChoices()
{
    QFETCH(FieldValue, itemBox);
    QFETCH(FieldValue, pickBoxes);
    QFETCH(bool, names);
    QFETCH(bool, enabled);

    TempDir dir;
    const QString path = newDatafile(dir);
    setHeader(path, 6, itemBox);
    setHeader(path, 8, pickBoxes);
    Harness h;
    startLoggedOn(h, path);
    Drive::onNextDialog([&](QDialog *d) {
        QCOMPARE(selected(d, "Option1"), names);
        QCOMPARE(selected(d, "Option2"), !names);
        QCOMPARE(selected(d, "Option3"), enabled);
        QCOMPARE(selected(d, "Option4"), !enabled);
        d->close();
    });
    QVERIFY(h.trigger("mnuPref"));
}

void PreferencesTest::okStoresChoicesAndRefillsItemBox()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    append(path, {item("TEA", "500"), item("BREAD", "300")});
    Harness h;
    startLoggedOn(h, path);
    QCOMPARE(itemBoxEntries(h), QStringList({"BREAD", "TEA"}));

    const auto choose = [&](const char *display, const char *pickBoxes) {
        Drive::onNextDialog([=](QDialog *d) {
            select(d, display);
            select(d, pickBoxes);
            Drive::click(d, "Command1");
            QVERIFY(!d->isVisible());
        });
        QVERIFY(h.trigger("mnuPref"));
    };

    choose("Option2", "Option3");
    QCOMPARE(itemBoxEntries(h), QStringList({"300", "500"}));
    QCOMPARE(h.window().statusText(), QStringLiteral("Ready"));
    QVERIFY(h.lampLit("Shape1"));
    QVERIFY(!h.lampLit("Shape2"));
    for (int n : {6, 8}) {
        const DataRecord r = read(path, n);
        QCOMPARE(r.Name, FieldValue::fromText(SharedMarker));
        QCOMPARE(r.Price, FieldValue::fromText(QString()));
    }
    QCOMPARE(read(path, 6).Number, FieldValue::fromInt16(0));
    QCOMPARE(read(path, 8).Number, FieldValue::fromInt16(0));

    choose("Option1", "Option4");
    QCOMPARE(itemBoxEntries(h), QStringList());
    QCOMPARE(read(path, 6).Number, FieldValue::fromInt16(1));
    QCOMPARE(read(path, 8).Number, FieldValue::fromInt16(1));

    // Reopened, the datafile keeps the choices and the window shows them.
    Harness again;
    startLoggedOn(again, path);
    QCOMPARE(itemBoxEntries(again), QStringList());
    Drive::onNextDialog([](QDialog *d) {
        QVERIFY(selected(d, "Option1"));
        QVERIFY(selected(d, "Option4"));
        d->reject();
    });
    QVERIFY(again.trigger("mnuPref"));

    choose("Option1", "Option3");
    QCOMPARE(itemBoxEntries(h), QStringList({"BREAD", "TEA"}));
    QCOMPARE(h.dialogs.boxes.size(), 0);
}

void PreferencesTest::closingWithoutOkStoresNothing()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    Harness h;
    startLoggedOn(h, path);
    const QByteArray before = TempDir::readFile(path);
    for (const auto &close : std::vector<std::function<void(QDialog *)>>{
             [](QDialog *d) { d->close(); },
             [](QDialog *d) { QTest::keyClick(d, Qt::Key_Escape); }}) {
        Drive::onNextDialog([&](QDialog *d) {
            select(d, "Option2");
            select(d, "Option4");
            close(d);
            QVERIFY(!d->isVisible());
        });
        QVERIFY(h.trigger("mnuPref"));
        QCOMPARE(TempDir::readFile(path), before);
    }
}

#include "PreferencesTest.moc"
TB_TEST(PreferencesTest)
