#include "common/TestMain.h"

#include "datafile/MoneyText.h"
#include "sale/Bill.h"

#include <QTest>

namespace {
Currency money(const char *text)
{
    return *Currency::fromDecimal(text);
}

// A bill of one line of `amount`.
Bill billOf(const char *amount)
{
    Bill bill;
    bill.ring(QStringLiteral("TEA"), money(amount), QStringLiteral("1"), 21);
    return bill;
}

QString lastLine(const Bill &bill)
{
    return bill.lines().last().text;
}
} // namespace

class BillTest : public QObject
{
    Q_OBJECT

private slots:
    void taxes_data();
    void taxes();
    void linesAndSubtotal();
    void grandTotalDiscountOnlyOnce();
    void taxFreeOnlyOnce();
    void subtotalDiscountNeedsTaxAgain();
    void changesDropEverySummaryLine_data();
    void changesDropEverySummaryLine();
    void refusesWhatPassesTheLargestAmount();
};

void BillTest::taxes_data()
{
    QTest::addColumn<QString>("subtotal");
    QTest::addColumn<double>("rate1");
    QTest::addColumn<double>("rate2");
    QTest::addColumn<QString>("grand");
    QTest::newRow("one tax") << "100.00" << 7.0 << -1.0 << "107.00";
    // Each tax rounded on its own, neither compounded: not 11.34.
    QTest::newRow("two taxes") << "10.00" << 5.0 << 8.0 << "11.30";
    QTest::newRow("half cent to even") << "0.50" << 1.0 << -1.0 << "0.505";
    QTest::newRow("no tax") << "3.99" << 0.0 << -1.0 << "3.99";
}

void BillTest::taxes()
{
    QFETCH(QString, subtotal);
    QFETCH(double, rate1);
    QFETCH(double, rate2);
    QFETCH(QString, grand);
    Bill bill = billOf(qPrintable(subtotal));
    QVERIFY(!bill.grandTotal());
    bill.applyTax(rate1, rate2 < 0 ? std::nullopt : std::optional<double>(rate2));
    QCOMPARE(bill.grandTotal(), money(qPrintable(grand)));
}

void BillTest::linesAndSubtotal()
{
    Bill bill;
    bill.ring(QStringLiteral("APPLE"), money("1.50"), QStringLiteral("3"), 22);
    bill.billUnstored(QStringLiteral("SCONE"), QStringLiteral("$1.25"), QStringLiteral("2"));
    QCOMPARE(bill.texts(), QStringList({"APPLE - $1.50   X   3", "SCONE - $1.25  X  2"}));
    QCOMPARE(bill.subtotal(), money("7.00"));
    QCOMPARE(bill.lines()[0].record, 22);
    QCOMPARE(bill.lines()[1].record, 0);

    const auto apple = bill.removal(0);
    QVERIFY(apple && !apple->summary);
    QCOMPARE(apple->name, QStringLiteral("APPLE"));
    QCOMPARE(apple->quantity, 3.0);
    QCOMPARE(apple->record, 22);
    QVERIFY(!bill.removal(2));
    bill.remove(0);
    QCOMPARE(bill.subtotal(), money("2.50"));
    bill.reset();
    QVERIFY(bill.isEmpty());
    QCOMPARE(bill.subtotal(), Currency());
}

void BillTest::grandTotalDiscountOnlyOnce()
{
    using Refusal = Bill::Refusal;
    Bill bill = billOf("100.00");
    QCOMPARE(bill.grandTotalDiscountPercent(10), Refusal::GrandTotalNotCalculated);
    bill.applyTax(7, std::nullopt);
    QCOMPARE(bill.grandTotalDiscountPercent(10), Refusal::None);
    QCOMPARE(lastLine(bill), QStringLiteral("Grand Total Discount Percentage - ($10.70)  X  1"));
    QCOMPARE(bill.grandTotal(), money("96.30"));
    QCOMPARE(bill.grandTotalDiscountAmount(money("1")), Refusal::TooManyGrandTotalDiscounts);
    QCOMPARE(bill.count(), 2);

    // Removing the discount puts the grand total back; then another is taken.
    bill.remove(1);
    QCOMPARE(bill.grandTotal(), money("107.00"));
    QCOMPARE(bill.grandTotalDiscountAmount(money("7")), Refusal::None);
    QCOMPARE(lastLine(bill), QStringLiteral("Grand Total Discount Fixed Amount - ($7.00)  X  1"));
    QCOMPARE(bill.grandTotal(), money("100.00"));
}

void BillTest::taxFreeOnlyOnce()
{
    Bill bill = billOf("10.00");
    QCOMPARE(bill.taxFree(5, 8), Bill::Refusal::GrandTotalNotCalculated);
    bill.applyTax(5, 8);
    QCOMPARE(bill.taxFree(5, 8), Bill::Refusal::None);
    QCOMPARE(lastLine(bill), QStringLiteral("Tax Free Grand Total - ($1.30)  X  1"));
    QCOMPARE(bill.grandTotal(), money("10.00"));
    QCOMPARE(bill.taxFree(5, 8), Bill::Refusal::TaxFreeTwice);
    QCOMPARE(bill.count(), 2);
}

void BillTest::subtotalDiscountNeedsTaxAgain()
{
    Bill bill = billOf("100.00");
    bill.applyTax(7, std::nullopt);
    bill.subtotalDiscountPercent(10);
    QCOMPARE(lastLine(bill), QStringLiteral("Subtotal Discount Percentage - ($10.00)  X  1"));
    QCOMPARE(bill.subtotal(), money("90.00"));
    QVERIFY(!bill.grandTotal());
    bill.applyTax(7, std::nullopt);
    QCOMPARE(bill.grandTotal(), money("96.30"));
    bill.subtotalDiscountAmount(money("5"));
    QCOMPARE(lastLine(bill), QStringLiteral("Subtotal Discount Fixed Amount - ($5.00)  X  1"));
    QCOMPARE(bill.subtotal(), money("85.00"));
    // A subtotal discount is taken back like an item, and touches no stock.
    const auto removal = bill.removal(2);
    QVERIFY(removal && !removal->summary && removal->record == 0);
    bill.remove(2);
    QCOMPARE(bill.subtotal(), money("90.00"));
}

void BillTest::changesDropEverySummaryLine_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("grand"); // after "&Tax" once more
    const QString tea = "TEA - $100.00   X   1";
    QTest::newRow("ring") << "ring" << QStringList{tea, "BUN - $10.00   X   1"} << "117.70";
    QTest::newRow("unstored") << "unstored" << QStringList{tea, "BUN - 10  X  1"} << "117.70";
    QTest::newRow("remove the item") << "remove" << QStringList{} << "0";
    QTest::newRow("tax again") << "tax" << QStringList{tea} << "107.00";
}

void BillTest::changesDropEverySummaryLine()
{
    QFETCH(QString, change);
    QFETCH(QStringList, lines);
    QFETCH(QString, grand);
    // 107.00 taxed, 102.00 with $5 off, 95.00 tax free.
    Bill bill = billOf("100.00");
    bill.applyTax(7, std::nullopt);
    QCOMPARE(bill.grandTotalDiscountAmount(money("5")), Bill::Refusal::None);
    QCOMPARE(bill.taxFree(7, std::nullopt), Bill::Refusal::None);
    QCOMPARE(bill.grandTotal(), money("95.00"));
    if (change == "ring")
        bill.ring("BUN", money("10"), "1", 22);
    else if (change == "unstored")
        bill.billUnstored("BUN", "10", "1");
    else if (change == "remove")
        bill.remove(0);
    QCOMPARE(bill.grandTotal().has_value(), change == "tax");
    bill.applyTax(7, std::nullopt);
    QCOMPARE(bill.texts(), lines);
    QCOMPARE(bill.grandTotal(), money(qPrintable(grand)));
}

void BillTest::refusesWhatPassesTheLargestAmount()
{
    using Refusal = Bill::Refusal;
    Bill bill = billOf("900000000000000");
    QCOMPARE(bill.applyTax(7, std::nullopt), Refusal::TooLarge);
    QVERIFY(!bill.ring("BUN", money("30000000000000"), "1", 22));
    // Taken off, then rung again: removing the discount would pass it.
    QCOMPARE(bill.subtotalDiscountAmount(money("900000000000000")), Refusal::None);
    QVERIFY(!bill.ring("TEA", money("900000000000000"), "1", 23));
    bill.remove(1);
    QCOMPARE(bill.applyTax(1, std::nullopt), Refusal::None);
    QCOMPARE(bill.grandTotalDiscountPercent(-10), Refusal::TooLarge);
    QCOMPARE(bill.grandTotalDiscountAmount(-Currency::max() - money("1")), Refusal::TooLarge);
    QCOMPARE(bill.texts(), QStringList{"TEA - $900,000,000,000,000.00   X   1"});
    QCOMPARE(bill.grandTotal(), money("909000000000000"));
}

TB_TEST(BillTest)
#include "BillTest.moc"
