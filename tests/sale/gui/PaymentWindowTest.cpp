#include "common/TestMain.h"
#include "gui/Drive.h"
#include "gui/TestData.h"
#include "gui/World.h"

#include "datafile/CashierEntry.h"
#include "datafile/CurrencySlot.h"
#include "datafile/CustomerEntry.h"
#include "datafile/DatafileFixtures.h"
#include "datafile/HeaderRecords.h"
#include "datafile/MoneyText.h"
#include "datafile/RecordStore.h"
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using Icon = Dialogs::Icon;

namespace {
// World's records: ANN 21, SAM 22, TEA 23, COFFEE 24, BUN 25, BOB 26, CAROL 27.
QString label(QWidget *root, const char *name)
{
    return root->findChild<QLabel *>(name)->text();
}

void setNotes(QDialog *d, const char *box, const QString &text)
{
    d->findChild<QPlainTextEdit *>(box)->setPlainText(text);
}

// Two teas rung and taxed at 7%: $4.00, grand total $4.28.
Interface &taxedSale(World &world)
{
    world.setTaxRate("7");
    Interface &w = world.startLoggedOn();
    Drive::ring(&w, "TEA", "2");
    Drive::click(&w, "Command5");
    return w;
}

void addEuro(const World &world)
{
    const QString &path = world.path;
    CurrencySlot slot(world.record(HeaderRecord::FirstCurrencySlot));
    slot.setName("EURO");
    slot.setSymbol("€");
    slot.setValue(*Currency::fromDecimal("1.55"));
    QCOMPARE(RecordStore(path).writeRecord(HeaderRecord::FirstCurrencySlot, slot.record()),
             FileError::None);
}

bool billIsEmpty(World &world)
{
    return world.h.find<QListWidget>("List1")->count() == 0
           && !world.h.find<QLabel>("labelGrandTotal")->isVisible();
}
} // namespace

class PaymentWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void cashWithChange();
    void moneyGivenInTheLocale_data();
    void moneyGivenInTheLocale();
    void chargedAsShown();
    void grandTotalFirst();
    void foreignCurrency_data();
    void foreignCurrency();
    void creditCustomers();
    void failuresKeepTheBill();
    void logFileSetup();
    void printsToPdf();
    void noPrinterAnswersAtOnce();
};

void PaymentWindowTest::cashWithChange()
{
    World world;
    Interface &w = taxedSale(world);
    QString change, due;
    Drive::onNextDialog([&](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Cash"));
        QCOMPARE(d->focusWidget(), d->findChild<QWidget *>("txtChange"));
        due = label(d, "Label3");
        // No message while typing: it would take the next keys.
        Drive::type(d, "txtChange", "2x");
        QCOMPARE(world.h.dialogs.boxes.size(), 0);
        QCOMPARE(label(d, "Label5"), QStringLiteral("Error"));
        Drive::type(d, "txtChange", "20");
        change = label(d, "Label5");
        Drive::leave(d, "txtChange");
        QCOMPARE(Drive::text(d, "txtChange"), QStringLiteral("$20.00"));
        // The notes keep their line breaks, and no other control character.
        setNotes(d, "Text1", "Thank you\x1b[2J");
        Drive::click(d, "Command1");
        QVERIFY(world.h.dialogs.lastMessageWas(Icon::Critical, "Invalid Character",
                                               "The control character U+001B cannot be stored "
                                               "in the datafile. Please use another character."));
        setNotes(d, "Text1", "Thank you\nCome again");
        Drive::click(d, "Command1");
    });
    Drive::click(&w, "Command2");
    QCOMPARE(due, QStringLiteral("$4.28"));
    QCOMPARE(change, QStringLiteral("$15.72"));
    QVERIFY(billIsEmpty(world));
    QCOMPARE(label(&w, "LabelSubTotal"), QStringLiteral("$0.00"));
    QCOMPARE(w.focusWidget(), world.h.find<QWidget>("Combo1"));
    const CashierEntry ann(world.record(21));
    QCOMPARE(ann.salesPerformed(), 1.0);
    QCOMPARE(ann.amountSold(), *Currency::fromDecimal("4.28"));
    QCOMPARE(world.record(HeaderRecord::LastTransaction).Number.toNumber(), 1.0);
}

void PaymentWindowTest::moneyGivenInTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("keys"); // "|": the keypad's decimal key
    QTest::addColumn<QString>("change");
    QTest::newRow("de_DE keypad") << "de_DE"
                                  << "20|5"
                                  << "16.22";
    QTest::newRow("de_DE grouped") << "de_DE"
                                   << "1.000"
                                   << "995.72";
    QTest::newRow("de_DE point alone") << "de_DE"
                                       << "."
                                       << "Error";
    QTest::newRow("fr_FR blank") << "fr_FR"
                                 << "1 000"
                                 << "995.72";
    QTest::newRow("fr_FR narrow blank") << "fr_FR"
                                        << "1\u202f000,5"
                                        << "996.22";
    QTest::newRow("fr_FR keypad") << "fr_FR"
                                  << "2|5"
                                  << "-1.78";
    QTest::newRow("en_US keypad") << "en_US"
                                  << "2|5"
                                  << "-1.78";
}

void PaymentWindowTest::moneyGivenInTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, keys);
    QFETCH(QString, change);
    World world;
    Fixtures::LocaleGuard guard{QLocale(locale)};
    Interface &w = taxedSale(world);
    Drive::onNextDialog([&](QDialog *d) {
        Drive::focus(d, "txtChange");
        for (const QChar c : keys) {
            if (c == u'|')
                Drive::press(Qt::Key_Period, Qt::KeypadModifier);
            else
                Drive::keys(c);
        }
        QCOMPARE(world.h.dialogs.boxes.size(), 0);
        const auto amount = Currency::fromDecimal(change.toStdString());
        QCOMPARE(label(d, "Label5"), amount ? MoneyText::formatCurrency(*amount) : change);
        d->reject();
    });
    Drive::click(&w, "Command2");
}

void PaymentWindowTest::chargedAsShown()
{
    // 7.33% on $4.00 is $0.2932: the cashier sees, and is credited with, $4.29.
    World world;
    world.setTaxRate("7.33");
    Interface &w = world.startLoggedOn();
    Drive::ring(&w, "TEA", "2");
    Drive::click(&w, "Command5");
    Drive::onNextDialog([](QDialog *d) {
        QCOMPARE(label(d, "Label3"), QStringLiteral("$4.29"));
        Drive::type(d, "txtChange", "5");
        Drive::click(d, "Command1");
    });
    Drive::click(&w, "Command2");
    QCOMPARE(CashierEntry(world.record(21)).amountSold(), *Currency::fromDecimal("4.29"));
}

void PaymentWindowTest::grandTotalFirst()
{
    World world;
    world.setTaxRate("7");
    Interface &w = world.startLoggedOn();
    Drive::ring(&w, "TEA", "1");
    Drive::click(&w, "Command2");
    QVERIFY(world.h.dialogs.lastMessageWas(Icon::Critical, "Grand Total Required",
                                           "Please calculate the Grand Total before requesting "
                                           "payment. Press the \"Tax\" button."));

    // With taxes off the subtotal is the grand total, with no "&Tax" to press.
    TestData::setHeader(world.path, HeaderRecord::NoTax, FieldValue::fromInt16(1));
    QString due;
    Drive::onNextDialog([&](QDialog *d) {
        due = label(d, "Label3");
        d->reject();
    });
    Drive::click(&w, "Command2");
    QCOMPARE(due, QStringLiteral("$2.00"));
    QCOMPARE(world.h.find<QListWidget>("List1")->count(), 1);
}

void PaymentWindowTest::foreignCurrency_data()
{
    QTest::addColumn<QString>("privileges");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("allowed") << Privileges::master().toString() << true;
    QTest::newRow("not allowed") << QStringLiteral("111111111100000000000") << false;
}

void PaymentWindowTest::foreignCurrency()
{
    QFETCH(QString, privileges);
    QFETCH(bool, allowed);
    World world(privileges);
    addEuro(world);
    Interface &w = taxedSale(world);
    QString due, given, change;
    bool choosable = true;
    Drive::onNextDialog([&](QDialog *d) {
        auto *currencies = d->findChild<QComboBox *>("Combo1");
        QCOMPARE(currencies->itemText(1), QStringLiteral("EURO (€)"));
        choosable = currencies->isEnabled();
        if (choosable) {
            Drive::type(d, "txtChange", "10");
            currencies->setCurrentIndex(1);
            Drive::leave(d, "Combo1");
            QVERIFY(!currencies->isEnabled()); // chosen once per payment
        }
        due = label(d, "Label3");
        given = Drive::text(d, "txtChange");
        if (choosable) {
            Drive::type(d, "txtChange", "20");
            change = label(d, "Label5");
        }
        d->reject();
    });
    Drive::click(&w, "Command2");
    QCOMPARE(choosable, allowed);
    // Shown to the cent: 6.634 due, 15.50 given, 13.366 back.
    QCOMPARE(due, allowed ? QStringLiteral("€6.63") : QStringLiteral("$4.28"));
    QCOMPARE(given, allowed ? QStringLiteral("€15.5") : QString());
    QCOMPARE(change, allowed ? QStringLiteral("€13.37") : QString());
}

void PaymentWindowTest::creditCustomers()
{
    World world;
    {
        CustomerEntry bob(world.record(26));
        bob.setNotes("Pays Fridays");
        QCOMPARE(RecordStore(world.path).writeRecord(26, bob.record()), FileError::None);
    }
    Interface &w = taxedSale(world);
    const int records = RecordStore(world.path).NextFreeRecord().valueOr(0);

    // A name the datafile cannot hold is refused before anyone is asked to add it.
    // A stranger: "No" leaves the window open and the datafile as it was.
    Drive::onNextDialog([&](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Credit"));
        Drive::type(d, "Combo1", "漢");
        Drive::click(d, "Command1");
        QCOMPARE(world.h.dialogs.messages().size(), 1);
        QVERIFY(world.h.dialogs.lastMessageWas(Icon::Critical, "Invalid Character",
                                               "The character '漢' cannot be stored in the "
                                               "datafile. Please use another character."));
        Drive::type(d, "Combo1", "dan");
        world.h.dialogs.answerNo();
        Drive::click(d, "Command1");
        QVERIFY(world.h.dialogs.lastMessageWas(Icon::Question, "Customer not Found",
                                               "DAN is not a registered customer. Would you like "
                                               "to add this customer to the credit database?"));
        QVERIFY(d->isVisible());
        QCOMPARE(RecordStore(world.path).NextFreeRecord().valueOr(0), records);
        QCOMPARE(world.record(HeaderRecord::LastTransaction).Number.toNumber(), 0.0);
        // A known customer, picked and left: the stored comments appear.
        Drive::type(d, "Combo1", "bob");
        Drive::leave(d, "Combo1");
        QCOMPARE(d->findChild<QPlainTextEdit *>("Text1")->toPlainText(),
                 QStringLiteral("Pays Fridays"));
        Drive::focus(d, "Combo1");
        QCOMPARE(d->findChild<QComboBox *>("Combo1")->lineEdit()->selectedText(), "BOB");
        Drive::click(d, "Command1");
    });
    Drive::click(&w, "Command1");
    QVERIFY(world.h.dialogs.lastMessageWas(Icon::Information, "Current Balance",
                                           "BOB has a balance of ($4.28)."));
    QVERIFY(billIsEmpty(world));
    QCOMPARE(CustomerEntry(world.record(26)).balance(), *Currency::fromDecimal("-4.28"));

    // Enter on the default button without leaving the box: the customer named
    // now pays, a new one after "Yes".
    Drive::ring(&w, "TEA", "1");
    Drive::click(&w, "Command5");
    Drive::onNextDialog([&](QDialog *d) {
        Drive::type(d, "Combo1", "bob");
        Drive::leave(d, "Combo1");
        Drive::type(d, "Combo1", "dan");
        world.h.dialogs.answerYes();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    Drive::click(&w, "Command1");
    const CustomerEntry dan(world.record(records));
    QCOMPARE(dan.name(), QStringLiteral("DAN"));
    QCOMPARE(dan.balance(), *Currency::fromDecimal("-2.14"));
    QCOMPARE(CustomerEntry(world.record(26)).visits(), 1.0);
}

void PaymentWindowTest::failuresKeepTheBill()
{
    World world;
    Interface &w = taxedSale(world);
    TestData::setHeader(world.path, HeaderRecord::SaveToLog, FieldValue::fromInt16(1));
    TestData::setHeader(world.path, HeaderRecord::PrintBill, FieldValue::fromInt16(1));
    world.h.dialogs.printSucceeds = false;
    QStringList shown;
    Drive::onNextDialog([&](QDialog *d) {
        Drive::type(d, "txtChange", "20");
        Drive::click(d, "Command1");
        shown << world.h.dialogs.lastMessage().title;
        world.h.ctx.LogFilePath = world.dir.path("sales.log");
        Drive::click(d, "Command1");
        shown << world.h.dialogs.lastMessage().text;
        QVERIFY(d->isVisible());
        d->reject();
    });
    Drive::click(&w, "Command2");
    QCOMPARE(shown, (QStringList{"No Log File",
                                 "There has been an error printing the bill. Please check your "
                                 "printer settings and try again.\nError: 482"}));
    QCOMPARE(world.h.find<QListWidget>("List1")->count(), 1);
    QCOMPARE(QFile(world.dir.path("sales.log")).size(), 0);
    QCOMPARE(world.record(HeaderRecord::LastTransaction).Number.toNumber(), 0.0);
}

void PaymentWindowTest::logFileSetup()
{
    World world;
    world.startLoggedOn();
    ScriptedDialogs &dialogs = world.h.dialogs;
    const QString existing = world.dir.path("old.txt");
    QFile(existing).open(QIODevice::WriteOnly);
    const auto stored = [&] { return world.record(HeaderRecord::LogFile); };

    // A new file over an existing one, "No" to overwriting: nothing changes.
    dialogs.answerYes();
    dialogs.answerFile(existing);
    dialogs.answerNo();
    QVERIFY(world.h.trigger("mnuitmLogSetup"));
    QVERIFY(dialogs.lastMessageWas(Icon::Question, "Overwrite",
                                   "This file already exists.  Do you wish to overwrite?"));
    QCOMPARE(stored().Number.toText(), QString());
    QVERIFY(QFile::exists(existing));

    const QString fresh = world.dir.path("sales.txt");
    dialogs.answerYes();
    dialogs.answerFile(fresh);
    QVERIFY(world.h.trigger("mnuitmLogSetup"));
    QCOMPARE(stored().Number.toText(), fresh);
    QCOMPARE(stored().Price.toNumber(), 0.0);
    QCOMPARE(world.h.ctx.LogFilePath, fresh);

    // Redefined for appending to the existing file.
    dialogs.answerYes();
    dialogs.answerNo();
    dialogs.answerFile(existing);
    QVERIFY(world.h.trigger("mnuitmLogSetup"));
    QCOMPARE(dialogs.messages().at(dialogs.messages().size() - 2).text,
             QStringLiteral("The file ") + fresh
                 + " is currently associated with this database.  Do you wish to redefine the "
                   "log file?");
    QVERIFY(dialogs.lastMessageWas(Icon::Question, "Log File",
                                   " Do you wish to create a new log file, or append to an "
                                   "existing one?  Choose 'yes' to create a new file, 'no' to "
                                   "append."));
    QCOMPARE(stored().Number.toText(), existing);
    QCOMPARE(stored().Price.toNumber(), 1.0);

    dialogs.answerYes();
    dialogs.answerNo();
    dialogs.answerFile(world.dir.path("tab\there.txt"));
    QVERIFY(world.h.trigger("mnuitmLogSetup"));
    QVERIFY(dialogs.lastMessageWas(Icon::Critical, "Invalid Character",
                                   "The control character U+0009 cannot be stored in the "
                                   "datafile. Please use another character."));
    QCOMPARE(stored().Number.toText(), existing);
    QCOMPARE(dialogs.pendingAnswers(), 0);
}

void PaymentWindowTest::printsToPdf()
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    TempDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.path("bill.pdf"));
    QStringList lines{"BUNS & CO", "", "Cash Purchase"};
    for (int i = 1; i <= 80; ++i) // more than a page
        lines << QStringLiteral("ITEM %1 - $1.00   X   1").arg(i);
    lines << ""
          << "0";
    QVERIFY(QtDialogs::printLinesOn(printer, lines));

    QProcess p;
    p.start(pdftotext, {"-layout", dir.path("bill.pdf"), "-"});
    QVERIFY(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY(text.contains("BUNS & CO"));
    QVERIFY(text.contains("ITEM 80 - $1.00   X   1"));
    QVERIFY(text.count(QChar('\f')) >= 2); // at least two pages
}

void PaymentWindowTest::noPrinterAnswersAtOnce()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("this machine has a printer; the bill would really be printed");
    // Nobody to print to: the completion hears so at once and says "Printer Error".
    QtDialogs dialogs;
    QVERIFY(!dialogs.printLines({"TEA - $2.00   X   1"}, "Tallybird bill #1"));
}

TB_TEST(PaymentWindowTest)
#include "PaymentWindowTest.moc"
