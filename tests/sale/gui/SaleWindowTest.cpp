#include "common/TestMain.h"
#include "gui/Drive.h"
#include "gui/TestData.h"
#include "gui/World.h"

#include "datafile/ItemEntry.h"
#include "datafile/RecordStore.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {
// World's items: TEA at record 23, COFFEE 24, BUN 25; entries end at 27.
ItemEntry itemAt(const World &world, int n)
{
    return ItemEntry(world.record(n));
}

QStringList billLines(Harness &h)
{
    QStringList lines;
    auto *list = h.find<QListWidget>("List1");
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

QString label(Harness &h, const char *name)
{
    return h.find<QLabel>(name)->text();
}
} // namespace

class SaleWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void lowerCaseWithProposal();
    void newItemStoredOrBilled_data();
    void newItemStoredOrBilled();
    void taxAndDiscount();
    void ringingDropsTheSummaryLines();
    void refusals();
    void refusesABillPastTheLargestAmount();
    void keysPressButtonsOrOpenMenus_data();
    void keysPressButtonsOrOpenMenus();
    void wholeLineShownAndWindowWidens();
    void itemsAddedElsewhereAreOffered();
};

void SaleWindowTest::lowerCaseWithProposal()
{
    World world;
    world.setTaxRate("7");
    Interface &w = world.startLoggedOn();
    QLineEdit *box = world.h.find<QComboBox>("Combo1")->lineEdit();
    Drive::focused(world.h.find<QComboBox>("Combo1"));
    Drive::keys("c");
    // The proposal: the rest of the first matching entry, selected.
    QCOMPARE(box->text(), QStringLiteral("COFFEE"));
    QCOMPARE(box->selectedText(), QStringLiteral("OFFEE"));
    Drive::keys("o");
    QCOMPARE(box->text(), QStringLiteral("COFFEE"));
    Drive::press(Qt::Key_Return);

    QCOMPARE(billLines(world.h), QStringList{"COFFEE - $3.50   X   1"});
    QCOMPARE(label(world.h, "LabelSubTotal"), QStringLiteral("$3.50"));
    QCOMPARE(itemAt(world, 24).sold(), 1.0);
    QCOMPARE(itemAt(world, 24).remaining(), 19.0);
    QCOMPARE(box->text(), QString());
    QCOMPARE(Drive::text(&w, "Text2"), QStringLiteral("1"));
    QCOMPARE(w.focusWidget(), world.h.find<QWidget>("Combo1"));

    // A scanner types each code and Enter, as fast as it can.
    Drive::keys("1\r2\r3\r1\r");
    QCOMPARE(billLines(world.h).size(), 5);
    QCOMPARE(billLines(world.h).last(), QStringLiteral("TEA - $2.00   X   1"));
    QCOMPARE(itemAt(world, 23).sold(), 2.0);
    QCOMPARE(box->text(), QString());

    // Keys typed at once after the focus arrives are all kept.
    Drive::focused(world.h.find<QWidget>("Text2"));
    Drive::keys("1");
    QCoreApplication::processEvents();
    Drive::keys("2");
    QCOMPARE(Drive::text(&w, "Text2"), QStringLiteral("12"));

    // A quantity, then Enter in the quantity box.
    Drive::ring(&w, "bun", "4");
    QCOMPARE(billLines(world.h).last(), QStringLiteral("BUN - $0.75   X   4"));
    QCOMPARE(label(world.h, "LabelSubTotal"), QStringLiteral("$14.75"));
    QCOMPARE(itemAt(world, 25).remaining(), 25.0);
}

void SaleWindowTest::newItemStoredOrBilled_data()
{
    QTest::addColumn<bool>("billOnly");
    QTest::newRow("add") << false;
    QTest::newRow("bill") << true;
}

void SaleWindowTest::newItemStoredOrBilled()
{
    QFETCH(bool, billOnly);
    World world;
    world.setTaxRate("7");
    Interface &w = world.startLoggedOn();
    QString shownName, button;
    Drive::onNextDialog([&](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("New Item"));
        shownName = Drive::text(d, "Text1");
        Drive::type(d, "Text2", "555");
        Drive::type(d, "Text3", "1.25");
        Drive::check(d, "Check1", billOnly);
        Drive::paste(d, "Text1", QStringLiteral("SCONE\r\nCash Purchase"));
        Drive::click(d, "Command1");
        QVERIFY(world.h.dialogs.lastMessageWas(Dialogs::Icon::Critical, "Invalid Character",
                                               "The control character U+000D cannot be stored "
                                               "in the datafile. Please use another character."));
        Drive::type(d, "Text1", "SCONE");
        button = d->findChild<QAbstractButton *>("Command1")->text();
        Drive::click(d, "Command1");
    });
    Drive::ring(&w, "scone", "2");
    QCOMPARE(shownName, QStringLiteral("SCONE"));
    QCOMPARE(button, billOnly ? QStringLiteral("&Bill") : QStringLiteral("&Add"));
    QCOMPARE(label(world.h, "LabelSubTotal"), QStringLiteral("$2.50"));
    const int next = RecordStore(world.path).NextFreeRecord().valueOr(0);
    if (billOnly) {
        QCOMPARE(billLines(world.h), QStringList{"SCONE - $1.25  X  2"});
        QCOMPARE(next, 28);
    } else {
        QCOMPARE(billLines(world.h), QStringList{"SCONE - $1.25   X   2"});
        QCOMPARE(next, 29);
        const ItemEntry scone = itemAt(world, 28);
        QCOMPARE(scone.number(), QStringLiteral("555"));
        QCOMPARE(scone.sold(), 2.0);
        QCOMPARE(scone.remaining(), -2.0);
        QVERIFY(world.h.find<QComboBox>("Combo1")->findText("SCONE") >= 0);
    }
}

void SaleWindowTest::taxAndDiscount()
{
    World world;
    world.setTaxRate("7");
    Interface &w = world.startLoggedOn();
    Drive::ring(&w, "tea", "5");
    QVERIFY(!world.h.find<QLabel>("labelGrandTotal")->isVisible());
    Drive::click(&w, "Command5");
    QVERIFY(world.h.find<QLabel>("labelGrandTotal")->isVisible());
    QCOMPARE(label(world.h, "labelGrandTotal"), QStringLiteral("$10.70"));

    Drive::onNextDialog([](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Discount"));
        Drive::click(d, "Option2");
        Drive::type(d, "Text1", "10");
        Drive::click(d, "Command2");
    });
    Drive::click(&w, "Command6");
    QCOMPARE(billLines(world.h).last(),
             QStringLiteral("Grand Total Discount Percentage - ($1.07)  X  1"));
    QCOMPARE(label(world.h, "labelGrandTotal"), QStringLiteral("$9.63"));
    QCOMPARE(label(world.h, "LabelSubTotal"), QStringLiteral("$10.00"));

    // Removing the discount line puts the grand total back.
    auto *list = world.h.find<QListWidget>("List1");
    list->setCurrentRow(1);
    Drive::click(&w, "Command3");
    QCOMPARE(label(world.h, "labelGrandTotal"), QStringLiteral("$10.70"));
    QCOMPARE(billLines(world.h), QStringList{"TEA - $2.00   X   5"});
}

void SaleWindowTest::ringingDropsTheSummaryLines()
{
    World world;
    world.setTaxRate("7");
    Interface &w = world.startLoggedOn();
    Drive::ring(&w, "tea", "50");
    Drive::click(&w, "Command5");
    Drive::onNextDialog([](QDialog *d) {
        Drive::check(d, "Check1", true);
        Drive::click(d, "Command2");
    });
    Drive::click(&w, "Command6");
    QCOMPARE(label(world.h, "labelGrandTotal"), QStringLiteral("$100.00"));

    Drive::ring(&w, "tea", "5");
    QCOMPARE(billLines(world.h), QStringList({"TEA - $2.00   X   50", "TEA - $2.00   X   5"}));
    QVERIFY(!world.h.find<QLabel>("labelGrandTotal")->isVisible());
    Drive::click(&w, "Command5");
    QCOMPARE(label(world.h, "labelGrandTotal"), QStringLiteral("$117.70"));
}

void SaleWindowTest::refusals()
{
    QString noModify = Privileges::master().toString();
    noModify[int(Privilege::ItemModify)] = QLatin1Char('0');
    World world(noModify);
    Interface &w = world.startLoggedOn();
    Drive::type(&w, "Combo1", "t");
    QVERIFY(world.h.dialogs.lastMessageWas(Dialogs::Icon::Critical, "Tax Rate Required",
                                           "Please enter a tax rate."));
    QCOMPARE(Drive::text(&w, "Combo1"), QString());

    world.setTaxRate("7");
    for (const char *quantity : {"x", "$3"}) {
        world.h.dialogs.clear();
        Drive::ring(&w, "tea", quantity);
        QVERIFY(world.h.dialogs.lastMessageWas(
            Dialogs::Icon::Critical, "Input Error",
            "Please ensure that you have entered valid input in all the boxes."));
    }
    Drive::ring(&w, "scone", "1");
    QVERIFY(world.h.dialogs.lastMessageWas(
        Dialogs::Icon::Critical, "Access Denied",
        "The item you have entered is not in the product database. You do not have permission "
        "to modify the product database. If you require access, please contact your supervisor "
        "and request that the option 'Modify Items' be turned on for your cashier account."));
    QVERIFY(billLines(world.h).isEmpty());
    QCOMPARE(itemAt(world, 23).sold(), 0.0);

    Drive::click(&w, "Command3");
    QVERIFY(world.h.dialogs.lastMessageWas(
        Dialogs::Icon::Critical, "Select an Item",
        "You must select an item to remove by clicking it on the list."));
    // After any message the keyboard is back in the item box.
    QCOMPARE(QApplication::focusWidget(), world.h.find<QWidget>("Combo1"));
}

void SaleWindowTest::keysPressButtonsOrOpenMenus_data()
{
    QTest::addColumn<bool>("loggedOn");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("opens"); // a menu, or "" for the sale button
    const int alt = Qt::Key_Alt, altC = (Qt::ALT | Qt::Key_C).toCombined(),
              altR = (Qt::ALT | Qt::Key_R).toCombined();
    QTest::newRow("Cash") << true << QList<int>{altC} << QString();
    QTest::newRow("Credit") << true << QList<int>{altR} << QString();
    QTest::newRow("Cashier menu while locked") << false << QList<int>{altC} << "mnuCashier";
    QTest::newRow("Alt tap, then C") << true << QList<int>{alt, Qt::Key_C} << "mnuCashier";
    QTest::newRow("F10, then R") << true << QList<int>{int(Qt::Key_F10), Qt::Key_R} << "mnuReport";
    QTest::newRow("F10 alone") << false << QList<int>{int(Qt::Key_F10)} << "mnuFile";
}

void SaleWindowTest::keysPressButtonsOrOpenMenus()
{
    QFETCH(bool, loggedOn);
    QFETCH(QList<int>, keys);
    QFETCH(QString, opens);
    World world;
    Interface &w = loggedOn ? world.startLoggedOn() : world.start();
    w.show();
    QApplication::setActiveWindow(&w);
    for (const int key : keys) {
        const auto combination = QKeyCombination::fromCombined(key);
        QWidget *typedIn = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                             : QApplication::focusWidget();
        if (combination.key() == Qt::Key_Alt) {
            QTest::keyPress(typedIn, Qt::Key_Alt, Qt::AltModifier);
            QTest::keyRelease(typedIn, Qt::Key_Alt);
        } else {
            QTest::keyClick(typedIn, combination.key(), combination.keyboardModifiers());
        }
    }
    QWidget *popup = QApplication::activePopupWidget();
    if (opens.isEmpty()) {
        QTRY_VERIFY(world.h.dialogs.lastMessageWas(
            Dialogs::Icon::Critical, "Grand Total Required",
            "Please calculate the Grand Total before requesting payment. Press the \"Tax\" "
            "button."));
        QCOMPARE(popup, nullptr);
        QCOMPARE(w.focusWidget(), world.h.find<QWidget>("Combo1"));
    } else {
        QVERIFY(popup);
        QCOMPARE(popup->objectName(), opens);
        QVERIFY(world.h.dialogs.messages().isEmpty());
        popup->close();
    }
}

void SaleWindowTest::refusesABillPastTheLargestAmount()
{
    World world;
    world.setTaxRate("7");
    QCOMPARE(
        RecordStore(world.path)
            .writeRecord(28, TestData::item("GOLD", "9", Currency::fromUnits(900000000000000))),
        FileError::None);
    Interface &w = world.startLoggedOn();
    Drive::ring(&w, "gold", "1");
    Drive::ring(&w, "gold", "1");
    QVERIFY(world.h.dialogs.lastMessageWas(
        Dialogs::Icon::Critical, "Input Error",
        "This would make the bill's total larger than the program can store."));
    QCOMPARE(billLines(world.h), QStringList{"GOLD - $900,000,000,000,000.00   X   1"});
    QCOMPARE(itemAt(world, 28).sold(), 1.0);
}

void SaleWindowTest::wholeLineShownAndWindowWidens()
{
    World world;
    world.setTaxRate("7");
    const QString oil = QStringLiteral("EXTRA VIRGIN OLIVE OIL COLD PRESSED 750ML");
    QCOMPARE(RecordStore(world.path)
                 .writeRecord(28, TestData::item(oil, "77", Currency::fromUnits(1234), 50)),
             FileError::None);
    Interface &w = world.startLoggedOn();
    w.show();
    Drive::ring(&w, oil, "12");
    auto *list = world.h.find<QListWidget>("List1");
    const auto shown = [list] {
        return list->fontMetrics().horizontalAdvance(list->item(0)->text())
               < list->viewport()->width();
    };
    QCOMPARE(w.size(), QSize(694, 400));
    QVERIFY(shown());

    const int before = list->width();
    w.resize(900, 400);
    QCOMPARE(w.width(), 900);
    QCOMPARE(list->width(), before + 206);
}

void SaleWindowTest::itemsAddedElsewhereAreOffered()
{
    World world;
    world.setTaxRate("7");
    Interface &w = world.startLoggedOn();
    w.show();
    // Another till adds an item; back in the item box, it is proposed.
    TestData::append(world.path, {TestData::item("DATES", "4", Currency::fromUnits(3))});
    Drive::focused(world.h.find<QWidget>("Text2"));
    Drive::focused(world.h.find<QWidget>("Combo1"));
    Drive::keys("d");
    QCOMPARE(Drive::text(&w, "Combo1"), QStringLiteral("DATES"));
}

TB_TEST(SaleWindowTest)
#include "SaleWindowTest.moc"
