#include "SettingsKit.h"

#include "common/TempDir.h"
#include "common/TestMain.h"

#include "datafile/DatafileFixtures.h"
#include "datafile/MoneyText.h"
#include "datafile/TaxSettings.h"
#include "sale/SaleArea.h"
#include <QLabel>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace TestData;
using namespace SettingsKit;

namespace {
QWidget *control(QDialog *d, const char *name)
{
    return d->findChild<QWidget *>(name);
}
bool selected(QDialog *d, const char *name)
{
    return d->findChild<QRadioButton *>(name)->isChecked();
}

void storeRates(const QString &path, const FieldValue &rate1, const FieldValue &rate2, int noTax)
{
    DataRecord rates = read(path, 1);
    rates.Price = rate1;
    rates.Number = rate2;
    write(path, 1, rates);
    setHeader(path, 20, FieldValue::fromInt16(qint16(noTax)));
}

// A grand total on show, as "&Tax" leaves it: 10.00 at 7 %.
void showGrandTotal(Harness &h)
{
    Bill &bill = h.window().saleArea().sale().bill();
    bill.ring(QStringLiteral("TEA"), Currency::fromUnits(10), QStringLiteral("1"), 0);
    bill.applyTax(7, std::nullopt);
    h.window().saleArea().showBill();
}
} // namespace

class SetTaxTest : public QObject
{
    Q_OBJECT

private slots:
    void showsStoredRates_data();
    void showsStoredRates();
    void optionsAndNoTaxBoxGovernTheBoxes();
    void okStoresRates_data();
    void okStoresRates();
    void refusesInvalidRate_data();
    void refusesInvalidRate();
    void closingSetsTaxButton_data();
    void closingSetsTaxButton();
    void tabOrder();
    void rateChargesAlikeInEveryLocale_data();
    void rateChargesAlikeInEveryLocale();
};

void SetTaxTest::showsStoredRates_data()
{
    QTest::addColumn<FieldValue>("rate1");
    QTest::addColumn<FieldValue>("rate2");
    QTest::addColumn<int>("noTax");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<bool>("two");

    const FieldValue none = FieldValue::fromText(QString());
    QTest::newRow("as created") << FieldValue::fromInt16(0) << none << 0 << "0"
                                << "" << false;
    QTest::newRow("one tax") << FieldValue::fromText("7") << none << 0 << "7"
                             << "" << false;
    QTest::newRow("two taxes") << FieldValue::fromText("5") << FieldValue::fromText("8") << 0 << "5"
                               << "8" << true;
    QTest::newRow("no tax") << FieldValue::fromText("7.5") << none << 1 << "7.5"
                            << "" << false;
    QTest::newRow("second rate 0")
        << FieldValue::fromText("6") << FieldValue::fromText("0") << 1 << "6"
        << "0" << true;
}

void SetTaxTest::showsStoredRates()
{
    QFETCH(FieldValue, rate1);
    QFETCH(FieldValue, rate2);
    QFETCH(int, noTax);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(bool, two);

    TempDir dir;
    const QString path = newDatafile(dir);
    storeRates(path, rate1, rate2, noTax);
    Harness h;
    startLoggedOn(h, path);
    Drive::onNextDialog([&](QDialog *d) {
        QCOMPARE(d->objectName(), QStringLiteral("SetTax"));
        QCOMPARE(d->windowTitle(), QStringLiteral("Set Tax"));
        QCOMPARE(Drive::text(d, "Text1"), text1);
        QCOMPARE(Drive::text(d, "Text2"), text2);
        QCOMPARE(selected(d, "Option1"), !two);
        QCOMPARE(selected(d, "Option2"), two);
        QCOMPARE(control(d, "Text2")->isVisible(), two);
        QCOMPARE(control(d, "Label3")->isVisible(), two);
        QCOMPARE(Drive::isChecked(d, "Check1"), noTax == 1);
        for (const char *name : {"Option1", "Option2", "Text1", "Text2"})
            QCOMPARE(control(d, name)->isEnabled(), noTax != 1);
        QVERIFY(control(d, "Command1")->isEnabled());
        d->reject();
    });
    QVERIFY(h.trigger("mnuTax"));
    QCOMPARE(h.dialogs.boxes.size(), 0);
}

void SetTaxTest::optionsAndNoTaxBoxGovernTheBoxes()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    Harness h;
    startLoggedOn(h, path);
    Drive::onNextDialog([&](QDialog *d) {
        QVERIFY(!control(d, "Text2")->isVisible());
        select(d, "Option2");
        QVERIFY(control(d, "Text2")->isVisible());
        QVERIFY(control(d, "Label3")->isVisible());
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("0"));
        Drive::type(d, "Text2", "4.5");
        select(d, "Option1");
        QVERIFY(!control(d, "Text2")->isVisible());
        QVERIFY(!control(d, "Label3")->isVisible());
        select(d, "Option2");
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("4.5")); // kept, not reset to 0

        Drive::check(d, "Check1", true);
        for (const char *name : {"Option1", "Option2", "Text1", "Text2"})
            QVERIFY2(!control(d, name)->isEnabled(), name);
        Drive::check(d, "Check1", false);
        for (const char *name : {"Option1", "Option2", "Text1", "Text2"})
            QVERIFY2(control(d, name)->isEnabled(), name);

        // The rate boxes select their text when they get the focus.
        Drive::focus(d, "Text1");
        QCoreApplication::processEvents();
        QCOMPARE(d->findChild<QLineEdit *>("Text1")->selectedText(), QStringLiteral("0"));
        d->reject();
    });
    QVERIFY(h.trigger("mnuTax"));
}

void SetTaxTest::okStoresRates_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2"); // typed only when two taxes are chosen
    QTest::addColumn<bool>("noTax");
    QTest::addColumn<QString>("stored2");

    QTest::newRow("one tax") << "Option1"
                             << "7"
                             << "" << false << "";
    QTest::newRow("two taxes") << "Option2"
                               << "5"
                               << "8" << false << "8";
    QTest::newRow("two taxes, second left empty") << "Option2"
                                                  << "5"
                                                  << "" << false << "0";
    QTest::newRow("no tax") << "Option1"
                            << "8.25"
                            << "" << true << "";
    // The hidden second box is neither stored nor checked.
    QTest::newRow("one tax over a second rate") << "Option1"
                                                << "6"
                                                << "3" << false << "";
    QTest::newRow("one tax over a bad second rate") << "Option1"
                                                    << "6"
                                                    << "x" << false << "";
}

void SetTaxTest::okStoresRates()
{
    QFETCH(QString, option);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(bool, noTax);
    QFETCH(QString, stored2);

    TempDir dir;
    const QString path = newDatafile(dir);
    Harness h;
    startLoggedOn(h, path);
    Drive::onNextDialog([&](QDialog *d) {
        Drive::type(d, "Text1", text1);
        select(d, "Option2");
        Drive::type(d, "Text2", text2);
        select(d, qPrintable(option));
        Drive::check(d, "Check1", noTax);
        Drive::click(d, "Command1");
        QVERIFY(!d->isVisible());
    });
    QVERIFY(h.trigger("mnuTax"));
    QCOMPARE(h.dialogs.boxes.size(), 0);

    const DataRecord rates = read(path, 1);
    QCOMPARE(rates.Name, FieldValue::fromText(SharedMarker));
    QCOMPARE(rates.Price, FieldValue::fromText(text1));
    QCOMPARE(rates.Number, FieldValue::fromText(stored2));
    const DataRecord flag = read(path, 20);
    QCOMPARE(flag.Name, FieldValue::fromText(SharedMarker));
    QCOMPARE(flag.Price, FieldValue::fromText(text1));
    QCOMPARE(flag.Number, FieldValue::fromInt16(noTax ? 1 : 0));
    QCOMPARE(h.isEnabled("Command5"), !noTax);

    // What the next opening of the window, or of the datafile, shows.
    Harness again;
    startLoggedOn(again, path);
    QCOMPARE(again.isEnabled("Command5"), !noTax);
    Drive::onNextDialog([&](QDialog *d) {
        QCOMPARE(Drive::text(d, "Text1"), text1);
        QCOMPARE(Drive::text(d, "Text2"), stored2);
        QCOMPARE(selected(d, "Option2"), !stored2.isEmpty());
        QCOMPARE(Drive::isChecked(d, "Check1"), noTax);
        d->reject();
    });
    QVERIFY(again.trigger("mnuTax"));
}

void SetTaxTest::refusesInvalidRate_data()
{
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2"); // "": one tax
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    const QString invalid = QStringLiteral("Invalid Input");
    const QString invalidText =
        QStringLiteral("Please ensure that you have entered a valid tax rate.");
    QTest::newRow("letters") << "abc"
                             << "" << invalid << invalidText;
    QTest::newRow("empty first rate") << ""
                                      << "" << invalid << invalidText;
    QTest::newRow("grouped") << "1,000"
                             << "" << invalid << invalidText;
    QTest::newRow("bad second rate") << "5"
                                     << "8x" << invalid << invalidText;
    QTest::newRow("bad first, good second") << "x"
                                            << "8" << invalid << invalidText;
    QTest::newRow("tab") << "7\t"
                         << "" << QStringLiteral("Invalid Character")
                         << "The control character U+0009 cannot be stored in the datafile. "
                            "Please use another character.";
    // A number too long for its record.
    QTest::newRow("too long") << QString(100, QLatin1Char('0')) + "7"
                              << ""
                              << "Record too Long"
                              << "This record is too long!  Try shortening some of the fields.";
}

void SetTaxTest::refusesInvalidRate()
{
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(QString, title);
    QFETCH(QString, text);

    TempDir dir;
    const QString path = newDatafile(dir);
    Harness h;
    startLoggedOn(h, path);
    const QByteArray before = TempDir::readFile(path);
    Drive::onNextDialog([&](QDialog *d) {
        if (text1.contains(QLatin1Char('\t')))
            Drive::paste(d, "Text1", text1);
        else
            Drive::type(d, "Text1", text1);
        if (!text2.isEmpty()) {
            select(d, "Option2");
            Drive::type(d, "Text2", text2);
        }
        Drive::click(d, "Command1");
        QVERIFY(d->isVisible()); // stays open for a correction
        d->reject();
    });
    QVERIFY(h.trigger("mnuTax"));
    QCOMPARE(h.dialogs.boxes.size(), 1);
    QCOMPARE(h.dialogs.lastMessage().icon, Dialogs::Icon::Critical);
    QCOMPARE(h.dialogs.lastMessage().title, title);
    QCOMPARE(h.dialogs.lastMessage().text, text);
    QCOMPARE(TempDir::readFile(path), before);
}

void SetTaxTest::closingSetsTaxButton_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("noTax");
    QTest::addColumn<bool>("stored");

    for (const char *how : {"ok", "close button", "escape"}) {
        const bool ok = QByteArray(how) == "ok";
        QTest::addRow("%s, taxed", how) << how << false << ok;
        QTest::addRow("%s, no tax", how) << how << true << ok;
    }
}

void SetTaxTest::closingSetsTaxButton()
{
    QFETCH(QString, how);
    QFETCH(bool, noTax);
    QFETCH(bool, stored);

    TempDir dir;
    const QString path = newDatafile(dir);
    // Start from the opposite state, so that each closing has to change it.
    setHeader(path, 20, FieldValue::fromInt16(noTax ? 0 : 1));
    Harness h;
    startLoggedOn(h, path);
    QCOMPARE(h.isEnabled("Command5"), noTax);
    showGrandTotal(h);

    Drive::onNextDialog([&](QDialog *d) {
        Drive::check(d, "Check1", noTax);
        if (how == "ok")
            Drive::click(d, "Command1");
        else if (how == "escape")
            QTest::keyClick(d, Qt::Key_Escape);
        else
            d->close();
        QVERIFY(!d->isVisible());
    });
    QVERIFY(h.trigger("mnuTax"));

    QCOMPARE(h.isEnabled("Command5"), !noTax);
    QCOMPARE(h.find<QLabel>("Label6")->isVisible(), !noTax);
    QCOMPARE(h.find<QLabel>("labelGrandTotal")->text(),
             noTax ? QString() : QStringLiteral("$10.70"));
    QCOMPARE(read(path, 20).Number, FieldValue::fromInt16(stored == noTax ? 1 : 0));
}

void SetTaxTest::tabOrder()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    storeRates(path, FieldValue::fromText("5"), FieldValue::fromText("8"), 0);
    Harness h;
    startLoggedOn(h, path);
    Drive::onNextDialog([&](QDialog *d) {
        const QStringList expected = {"Option1", "Text1", "Option2", "Text2", "Check1", "Command1"};
        QWidget *w = control(d, "Option1");
        QStringList order;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != control(d, "Option1"));
        QCOMPARE(order, expected);
        QVERIFY(d->findChild<QPushButton *>("Command1")->isDefault());
        d->reject();
    });
    QVERIFY(h.trigger("mnuTax"));
}

void SetTaxTest::rateChargesAlikeInEveryLocale_data()
{
    QTest::addColumn<QString>("typedIn"); // "": stored so by an earlier version
    QTest::addColumn<QString>("typed");
    QTest::newRow("C") << "C"
                       << "8.25";
    QTest::newRow("de_DE") << "de_DE"
                           << "8,25";
    QTest::newRow("fr_FR") << "fr_FR"
                           << "8,25";
    QTest::newRow("stored with a comma") << ""
                                         << "8,25";
}

void SetTaxTest::rateChargesAlikeInEveryLocale()
{
    QFETCH(QString, typedIn);
    QFETCH(QString, typed);
    TempDir dir;
    const QString path = newDatafile(dir);
    if (typedIn.isEmpty()) {
        storeRates(path, FieldValue::fromText(typed), FieldValue::fromText(QString()), 0);
    } else {
        Fixtures::LocaleGuard guard{QLocale(typedIn)};
        Harness h;
        startLoggedOn(h, path);
        Drive::onNextDialog([&](QDialog *d) {
            Drive::type(d, "Text1", typed);
            Drive::click(d, "Command1");
        });
        QVERIFY(h.trigger("mnuTax"));
        QCOMPARE(h.dialogs.boxes.size(), 0);
    }
    for (const char *locale : {"C", "de_DE", "fr_FR"}) {
        Fixtures::LocaleGuard guard{QLocale(locale)};
        Harness h;
        startLoggedOn(h, path);
        Drive::onNextDialog([&](QDialog *d) {
            QCOMPARE(Drive::text(d, "Text1"),
                     QString("8.25").replace(".", MoneyText::locale().decimalPoint()));
            d->reject();
        });
        QVERIFY(h.trigger("mnuTax"));
        h.window().saleArea().sale().bill().ring("TEA", *Currency::fromDecimal("1234.50"), "1", 0);
        h.window().saleArea().showBill();
        Drive::click(&h.window(), "Command5");
        QCOMPARE(MoneyText::parseCurrency(h.find<QLabel>("labelGrandTotal")->text()),
                 Currency::fromDecimal("1336.35"));
    }
}

#include "SetTaxTest.moc"
TB_TEST(SetTaxTest)
