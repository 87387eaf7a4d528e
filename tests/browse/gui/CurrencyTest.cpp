#include "BrowserDrive.h"
#include "common/TestMain.h"
#include "gui/TestData.h"

#include "datafile/CurrencySlot.h"
#include "datafile/HeaderRecords.h"

#include <QComboBox>
#include <QLabel>

using namespace BrowserDrive;

namespace {
const QString Currencies = QStringLiteral("mnuitmCurrency");
const QString Converter = QStringLiteral("mnuitmConverter");
const QString Maximum = QStringLiteral("Maximum Number of Currencies Reached");
const QString MaximumText = QStringLiteral("The maximum number of currencies have already been "
                                           "entered. There can only be 4 foreign currencies in "
                                           "the database.");

struct Stored {
    QString name;
    QString symbol;
    double value;
};

void storeCurrencies(const QString &path, const QList<Stored> &currencies)
{
    const RecordStore store(path);
    for (int i = 0; i < currencies.size(); ++i) {
        const int n = HeaderRecord::FirstCurrencySlot + i;
        CurrencySlot slot(read(path, n));
        slot.setName(currencies[i].name);
        slot.setSymbol(currencies[i].symbol);
        slot.setRate(currencies[i].value);
        QCOMPARE(store.writeRecord(n, slot.record()), FileError::None);
    }
}

CurrencySlot slotAt(const QString &path, int n)
{
    return CurrencySlot(read(path, n));
}

QStringList entries(QDialog *d, const char *list)
{
    auto *box = d->findChild<QComboBox *>(list);
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

void choose(QDialog *d, const char *list, int index)
{
    d->findChild<QComboBox *>(list)->setCurrentIndex(index);
}
} // namespace

class CurrencyTest : public QObject
{
    Q_OBJECT

private slots:
    void newDatafileAddsFirstCurrency();
    void leavingBoxesChecksThem_data();
    void leavingBoxesChecksThem();
    void symbolFollowsIntoTheTotal();
    void fourCurrenciesAtMost();
    void threeCurrenciesSearchStarShowsLast();
    void privilege();
    void converterBothWays();
    void converterRefusesLetters();
};

void CurrencyTest::newDatafileAddsFirstCurrency()
{
    World world;
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    const DataRecord before = read(world.path, 10);
    QVERIFY(inWindow(world, Currencies, [&](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Browse Currency"));
        QCOMPARE(d->findChild<QLabel *>("Label1")->text(), QStringLiteral("$1.00 = "));
        QCOMPARE(Drive::text(d, "Text2"), QString());
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("£"));
        QCOMPARE(Drive::text(d, "Text5"), QStringLiteral("£0.00"));
        QVERIFY(!d->findChild<QAction *>("mnuDelete"));
        press(d, Qt::Key_F6);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "End of Database",
                                       "There are no more items in the database"));
        press(d, Qt::Key_F5);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Beginning of Database",
                                       "You are at the beginning of the database."));

        Drive::type(d, "Text2", "native currency");
        press(d, Qt::Key_F7);
        QVERIFY(dialogs.lastMessageWas(
            Dialogs::Icon::Critical, "Input Error",
            "Please ensure that you have entered valid input in all the boxes."));
        Drive::type(d, "Text2", "euro");
        Drive::focus(d, "Text1");
        Drive::type(d, "Text1", QStringLiteral("€"));
        Drive::type(d, "Text3", "0.92");
        Drive::leave(d, "Text1");
        QCOMPARE(Drive::text(d, "Text5"), QStringLiteral("€0.00"));
        press(d, Qt::Key_F7);
        // Saved, the slot is a currency: Next moves on to the next free slot.
        press(d, Qt::Key_F6);
        QCOMPARE(Drive::text(d, "Text2"), QString());
        press(d, Qt::Key_F5);
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("EURO"));
        QCOMPARE(Drive::text(d, "Text3"), QStringLiteral("0.92"));
    }));
    const DataRecord euro = read(world.path, 10);
    QCOMPARE(euro.Name, FieldValue::fromText(SharedMarker));
    QCOMPARE(euro.Number, FieldValue::fromText("EURO"));
    QCOMPARE(euro.SpareC, FieldValue::fromText(QStringLiteral("€")));
    QCOMPARE(euro.Price, FieldValue::fromCurrency(Currency::fromRaw(9200)));
    QCOMPARE(euro.SpareA, FieldValue::fromInt16(0));
    QCOMPARE(euro.SpareB, FieldValue::fromCurrency(Currency()));
    QCOMPARE(euro.SpareD, before.SpareD);
    QCOMPARE(slotAt(world.path, 11).name(), QString());
}

void CurrencyTest::leavingBoxesChecksThem_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // "" when accepted
    QTest::addColumn<QString>("after");
    QTest::newRow("symbol: digit") << "Text1"
                                   << "5"
                                   << "Currency Symbol"
                                   << "F";
    QTest::newRow("symbol: empty") << "Text1"
                                   << ""
                                   << "Currency Symbol"
                                   << "F";
    QTest::newRow("value: letters") << "Text3"
                                    << "two"
                                    << "Current Value"
                                    << "2";
    QTest::newRow("value") << "Text3"
                           << "2.5"
                           << ""
                           << "2.5";
    QTest::newRow("value: more digits than kept") << "Text3"
                                                  << "1.2345678901234567"
                                                  << "Current Value"
                                                  << "2";
    QTest::newRow("count: fraction") << "Text4"
                                     << "1.5"
                                     << "Number of Transactions in this Currency"
                                     << "0";
    QTest::newRow("count") << "Text4"
                           << "7.0"
                           << ""
                           << "7";
    QTest::newRow("total: letters") << "Text5"
                                    << "Fx"
                                    << "Total Amount Recieved in this Currency"
                                    << "F0.00";
    QTest::newRow("total without symbol") << "Text5"
                                          << "12"
                                          << ""
                                          << "F12";
}

void CurrencyTest::leavingBoxesChecksThem()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, after);
    World world;
    storeCurrencies(world.path, {{"FOO", "F", 2}});
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Currencies, [&](QDialog *d) {
        Drive::focus(d, box);
        Drive::type(d, box, typed);
        Drive::leave(d, box);
        if (message.isEmpty())
            QVERIFY(dialogs.messages().isEmpty());
        else
            QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Error 8778",
                                           "Please ensure that the '" + message
                                               + "' box contains valid input."));
        QCOMPARE(Drive::text(d, box), after);
    }));
}

void CurrencyTest::symbolFollowsIntoTheTotal()
{
    World world;
    storeCurrencies(world.path, {{"FOO", "F", 2}});
    world.startLoggedOn();
    QVERIFY(inWindow(world, Currencies, [&](QDialog *d) {
        Drive::type(d, "Text5", "F40");
        Drive::focus(d, "Text1");
        Drive::type(d, "Text1", "G");
        Drive::leave(d, "Text1");
        QCOMPARE(Drive::text(d, "Text5"), QStringLiteral("G40"));
        // A digit cannot even be saved without leaving its box.
        Drive::type(d, "Text1", "9");
        press(d, Qt::Key_F7);
        QVERIFY(world.h.dialogs.lastMessageWas(
            Dialogs::Icon::Critical, "Input Error",
            "Please ensure that you have entered valid input in all the boxes."));
        Drive::type(d, "Text1", "G");
        press(d, Qt::Key_F7);
    }));
    QCOMPARE(slotAt(world.path, 10).symbol(), QStringLiteral("G"));
    QCOMPARE(slotAt(world.path, 10).received(), Currency::fromUnits(40));
}

void CurrencyTest::fourCurrenciesAtMost()
{
    World world;
    storeCurrencies(world.path, {{"A", "a", 1}, {"B", "b", 2}, {"C", "c", 3}, {"D", "d", 4}});
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Currencies, [&](QDialog *d) {
        for (int i = 0; i < 3; ++i)
            press(d, Qt::Key_F6);
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("D"));
        QVERIFY(dialogs.messages().isEmpty());
        press(d, Qt::Key_F6);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, Maximum, MaximumText));
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("D"));
        dialogs.clear();
        dialogs.answerText("*");
        press(d, Qt::Key_F9);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, Maximum, MaximumText));
        dialogs.answerText("b");
        press(d, Qt::Key_F9);
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("B"));
        dialogs.answerText("E");
        press(d, Qt::Key_F9);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Search Error",
                                       "No records match search critera"));
        // A save stays in its slot, with the value as typed.
        Drive::type(d, "Text3", "0.000063");
        press(d, Qt::Key_F7);
        QCOMPARE(Drive::text(d, "Text3"), QStringLiteral("0.000063"));
    }));
    QCOMPARE(slotAt(world.path, 11).rate(), 0.000063);
    QCOMPARE(slotAt(world.path, 12).value(), Currency::fromUnits(3));
}

void CurrencyTest::threeCurrenciesSearchStarShowsLast()
{
    World world;
    storeCurrencies(world.path, {{"A", "a", 1}, {"B", "b", 2}, {"C", "c", 3}});
    world.startLoggedOn();
    QVERIFY(inWindow(world, Currencies, [&](QDialog *d) {
        world.h.dialogs.answerText("*");
        press(d, Qt::Key_F9);
        QCOMPARE(world.h.dialogs.boxes.last().text,
                 QStringLiteral("Please enter a currency name or symbol. To advance to a blank "
                                "record, place an asterisk in the field and press enter."));
        QCOMPARE(Drive::text(d, "Text2"), QString());
        Drive::type(d, "Text2", "D");
        Drive::type(d, "Text1", "d");
        press(d, Qt::Key_F7);
    }));
    QCOMPARE(slotAt(world.path, 13).name(), QStringLiteral("D"));
}

void CurrencyTest::privilege()
{
    World world(QStringLiteral("111111111010000000000"));
    world.startLoggedOn();
    QVERIFY(!inWindow(world, Currencies, [](QDialog *) {}));
    QVERIFY(
        world.h.dialogs.accessDeniedWas("access the currency database", "Access Currency Data"));
    // The converter needs no privilege.
    QVERIFY(inWindow(world, Converter, [](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Currency Converter"));
    }));
}

void CurrencyTest::converterBothWays()
{
    World world;
    storeCurrencies(world.path,
                    {{"FOO", "F", 2}, {"BAR", "B", 4}, {"NIL", "N", 0}, {"DONG", "D", 0.00004}});
    world.startLoggedOn();
    QVERIFY(inWindow(world, Converter, [&](QDialog *d) {
        const QStringList lists{"Native Currency", "FOO (F)", "BAR (B)", "NIL (N)", "DONG (D)"};
        QCOMPARE(entries(d, "Combo1"), lists);
        QCOMPARE(entries(d, "Combo2"), lists);
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("$0.00"));
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("$0.00"));

        // The same currency on both sides.
        Drive::type(d, "Text1", "10");
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("$10.00"));
        // A new currency B shows amount A in it.
        choose(d, "Combo2", 1);
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("20"));
        Drive::type(d, "Text2", "20");
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("$10.00"));
        Drive::type(d, "Text2", "5");
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("$2.50"));

        // Two foreign currencies go through the native amount.
        choose(d, "Combo1", 1);
        choose(d, "Combo2", 2);
        Drive::type(d, "Text1", "10");
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("20"));
        // A currency worth 0 gives 0, either way.
        choose(d, "Combo1", 3);
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("0"));
        Drive::type(d, "Text1", "10");
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("0"));
        // A value below a ten-thousandth converts at its own value.
        choose(d, "Combo1", 4);
        Drive::type(d, "Text1", "3");
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("300000"));
        choose(d, "Combo2", 0);
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("$75,000.00"));
        choose(d, "Combo2", 2);

        // A native amount is shown as money once the box is left.
        choose(d, "Combo1", 0);
        Drive::focus(d, "Text1");
        Drive::type(d, "Text1", "7");
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("28"));
        Drive::leave(d, "Text1");
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("$7.00"));
        QVERIFY(world.h.dialogs.messages().isEmpty());
    }));
}

void CurrencyTest::converterRefusesLetters()
{
    World world;
    storeCurrencies(world.path, {{"FOO", "F", 2}});
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Converter, [&](QDialog *d) {
        choose(d, "Combo2", 1);
        Drive::type(d, "Text1", "1x");
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Input Error",
                                       "Please ensure that you are entering a valid number in "
                                       "the 'Currency Name A' box."));
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("$0.00"));
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("0"));
        Drive::type(d, "Text2", "a");
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Input Error",
                                       "Please ensure that you are entering a valid number in "
                                       "the 'Currency Name B' box."));
        // Emptied to type afresh: no message.
        dialogs.clear();
        Drive::type(d, "Text2", "");
        QVERIFY(dialogs.messages().isEmpty());
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("$0.00"));
        // Half typed, a number is no error yet; left so, it is.
        Drive::type(d, "Text1", "-1,500");
        QVERIFY(dialogs.messages().isEmpty());
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("-3000"));
        Drive::type(d, "Text1", "1e");
        Drive::leave(d, "Text1");
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Input Error",
                                       "Please ensure that you are entering a valid number in "
                                       "the 'Currency Name A' box."));
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("0"));
    }));
}

#include "CurrencyTest.moc"
TB_TEST(CurrencyTest)
