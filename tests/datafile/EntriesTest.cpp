#include "common/TestMain.h"

#include "datafile/CashierEntry.h"
#include "datafile/CustomerEntry.h"
#include "datafile/ItemEntry.h"

#include <QTest>

class EntriesTest : public QObject
{
    Q_OBJECT

private slots:
    void itemNames_data();
    void itemNames();
    void unusedFieldsSurviveAChange();
};

void EntriesTest::itemNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << "TEA" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("customer marker") << "***" << false;
    QTest::newRow("cashier marker") << "*+*" << false;
    QTest::newRow("marker inside") << "A***" << true;
    QTest::newRow("sub total") << "Sub Total of the day" << false;
    QTest::newRow("grand total") << "Grand Total" << false;
    QTest::newRow("capital sub total") << "SUB TOTAL" << true;
    QTest::newRow("sub") << "Sub Tota" << true;
}

void EntriesTest::itemNames()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(ItemEntry::isValidName(name), valid);
}

void EntriesTest::unusedFieldsSurviveAChange()
{
    // What a window does not show must come back as it was stored.
    DataRecord stored = CustomerEntry::make("BOB", Currency::fromUnits(5), "notes").record();
    stored.Reserved11 = FieldValue::fromText(QStringLiteral("kept"));
    stored.Sold = FieldValue::fromInt32(7);
    CustomerEntry customer(stored);
    customer.setBalance(Currency::fromUnits(9));
    QCOMPARE(customer.record().Reserved11, stored.Reserved11);
    QCOMPARE(customer.record().Sold, stored.Sold);
    QCOMPARE(customer.balance(), Currency::fromUnits(9));

    CashierEntry cashier(CashierEntry::make("ANN", "1234", Privileges::master()).record());
    QCOMPARE(cashier.privilegeText(), QStringLiteral("111111111110000000000"));
    QVERIFY(cashier.privileges().all());
    QCOMPARE(cashier.record().kind(), RecordKind::Cashier);
    QCOMPARE(ItemEntry::make("TEA", "1", Currency(), 5).record().kind(), RecordKind::Item);
    QCOMPARE(CustomerEntry().record().kind(), RecordKind::Customer);
}

TB_TEST(EntriesTest)
#include "EntriesTest.moc"
