#include "browse/BoxRules.h"
#include "browse/BrowserSettings.h"
#include "common/TestMain.h"
#include "datafile/CurrencySlot.h"
#include "datafile/CustomerEntry.h"
#include "datafile/DatafileFixtures.h"
#include "datafile/ItemEntry.h"

#include <QTest>

namespace {
const QString Inventory =
    QStringLiteral("The total of properties 'Remaining Inventory' and 'Items Sold' must equal "
                   "Total Inventory. Check your input and try again.");

Form itemForm(const QString &name, const QString &number, const QString &price, const QString &sold,
              const QString &stock, const QString &remaining)
{
    return {{ItemBox::Name, name}, {ItemBox::Number, number}, {ItemBox::Price, price},
            {ItemBox::Sold, sold}, {ItemBox::Stock, stock},   {ItemBox::Remaining, remaining}};
}

QString refusal(const SaveOutcome &out)
{
    return out.refusal ? out.refusal->title + QLatin1Char('/') + out.refusal->text : QString();
}
} // namespace

class BrowserTablesTest : public QObject
{
    Q_OBJECT

private slots:
    void itemSave_data();
    void itemSave();
    void itemStoresNumbers();
    void itemShowAndBlank();
    void customerSave_data();
    void customerSave();
    void customerNotesKeepTheirLines();
    void currencySave_data();
    void currencySave();
    void currencyKeepsOtherFields();
    void boxRules_data();
    void boxRules();
    void symbolMovesToTheTotal();
};

void BrowserTablesTest::itemSave_data()
{
    QTest::addColumn<Form>("form");
    QTest::addColumn<QString>("refused"); // "" when saved
    const QString invalid = BrowserTables::InputError + "/" + BrowserTables::ValidInput;
    const QString inventory = BrowserTables::InputError + "/" + Inventory;
    QTest::newRow("accepted") << itemForm("JAM", "77", "$2.50", "3", "10", "7") << "";
    QTest::newRow("inventory short") << itemForm("JAM", "77", "$2.50", "3", "10", "6") << inventory;
    QTest::newRow("empty counts are 0") << itemForm("JAM", "77", "1", "", "", "") << "";
    QTest::newRow("no name") << itemForm("", "77", "1", "0", "0", "0") << invalid;
    QTest::newRow("customer marker") << itemForm("***", "77", "1", "0", "0", "0") << invalid;
    QTest::newRow("cashier marker") << itemForm("*+*", "77", "1", "0", "0", "0") << invalid;
    QTest::newRow("Sub Total") << itemForm("Sub Total X", "77", "1", "0", "0", "0") << invalid;
    QTest::newRow("Grand Total") << itemForm("Grand Total", "77", "1", "0", "0", "0") << invalid;
    QTest::newRow("number not numeric") << itemForm("JAM", "7x", "1", "0", "0", "0") << invalid;
    QTest::newRow("price not numeric") << itemForm("JAM", "7", "cheap", "0", "0", "0") << invalid;
    QTest::newRow("count not a number") << itemForm("JAM", "7", "1", "a", "0", "0") << invalid;
    QTest::newRow("count not whole") << itemForm("JAM", "7", "1", "0.5", "1", "0.5") << invalid;
}

void BrowserTablesTest::itemSave()
{
    QFETCH(Form, form);
    QFETCH(QString, refused);
    const SaveOutcome out = BrowserTables::items().build(form, DataRecord());
    QCOMPARE(refusal(out), refused);
    if (refused.isEmpty())
        QCOMPARE(ItemEntry(out.record).name(), form.value(ItemBox::Name));
}

void BrowserTablesTest::itemStoresNumbers()
{
    const SaveOutcome out = BrowserTables::items().build(
        itemForm("JAM", "5012345000114", "$1,234.50", "3", "100000", "99997"), DataRecord());
    QVERIFY(!out.refusal);
    const DataRecord &r = out.record;
    QCOMPARE(r.Name, FieldValue::fromText("JAM"));
    QCOMPARE(r.Number, FieldValue::fromText("5012345000114"));
    QCOMPARE(r.Price, FieldValue::fromCurrency(Currency::fromRaw(12345000)));
    QCOMPARE(r.Sold, FieldValue::fromInt16(3));
    QCOMPARE(r.Stock, FieldValue::fromInt32(100000));
    QCOMPARE(r.Remaining, FieldValue::fromInt32(99997));
    for (int i = 7; i < FieldCount; ++i)
        QVERIFY(r.field(i).isEmpty());

    // Empty stock boxes are shown as the 0 they are saved as.
    const SaveOutcome blank =
        BrowserTables::items().build(itemForm("JAM", "1", "1", "", "", ""), DataRecord());
    QCOMPARE(blank.rewrite.value(ItemBox::Sold), QStringLiteral("0"));
    QCOMPARE(blank.record.Stock, FieldValue::fromInt16(0));
}

void BrowserTablesTest::itemShowAndBlank()
{
    const BrowserSettings items = BrowserTables::items();
    const Form shown =
        items.show(ItemEntry::make("TEA", "12", Currency::fromRaw(25000), 30).record());
    QCOMPARE(shown, itemForm("TEA", "12", "$2.50", "0", "30", "30"));
    QCOMPARE(items.blankForm(), itemForm("", "0", "$0.00", "0", "0", "0"));
}

void BrowserTablesTest::customerSave_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("balance");
    QTest::addColumn<QString>("visits");
    QTest::addColumn<QString>("spent");
    QTest::addColumn<bool>("saved");
    QTest::newRow("accepted") << "DAVE"
                              << "($12.50)"
                              << "3"
                              << "$40.00" << true;
    QTest::newRow("empty total spent") << "DAVE"
                                       << "0"
                                       << "0"
                                       << "" << true;
    QTest::newRow("total spent in letters") << "DAVE"
                                            << "0"
                                            << "0"
                                            << "lots" << false;
    QTest::newRow("balance in letters") << "DAVE"
                                        << "owes"
                                        << "0"
                                        << "0" << false;
    QTest::newRow("visits not whole") << "DAVE"
                                      << "0"
                                      << "2.5"
                                      << "0" << false;
    QTest::newRow("no name") << ""
                             << "0"
                             << "0"
                             << "0" << false;
    QTest::newRow("marker as name") << "***"
                                    << "0"
                                    << "0"
                                    << "0" << false;
}

void BrowserTablesTest::customerSave()
{
    QFETCH(QString, name);
    QFETCH(QString, balance);
    QFETCH(QString, visits);
    QFETCH(QString, spent);
    QFETCH(bool, saved);
    const SaveOutcome out = BrowserTables::customers().build({{CustomerBox::Name, name},
                                                              {CustomerBox::Notes, ""},
                                                              {CustomerBox::Balance, balance},
                                                              {CustomerBox::Visits, visits},
                                                              {CustomerBox::TotalSpent, spent}},
                                                             DataRecord());
    if (!saved) {
        QCOMPARE(refusal(out), BrowserTables::InputError + "/" + BrowserTables::ValidInput);
        return;
    }
    QVERIFY(!out.refusal);
    const CustomerEntry customer(out.record);
    QVERIFY(out.record.isCustomer());
    QCOMPARE(customer.name(), name);
    QCOMPARE(out.record.Price.type(), FieldValue::Type::Currency);
    QCOMPARE(out.record.SpareA.type(), FieldValue::Type::Int16);
    QCOMPARE(out.record.SpareB.type(), FieldValue::Type::Currency);
    QCOMPARE(customer.totalSpent(), spent.isEmpty() ? Currency() : Currency::fromUnits(40));
}

void BrowserTablesTest::customerNotesKeepTheirLines()
{
    const BrowserSettings customers = BrowserTables::customers();
    const SaveOutcome out = customers.build({{CustomerBox::Name, "DAVE"},
                                             {CustomerBox::Notes, "Pays on Fridays\nNo cheques"},
                                             {CustomerBox::Balance, "0"},
                                             {CustomerBox::Visits, "0"},
                                             {CustomerBox::TotalSpent, ""}},
                                            DataRecord());
    // Stored with the line ends the datafile has always held, shown as typed.
    QCOMPARE(CustomerEntry(out.record).notes(), QStringLiteral("Pays on Fridays\r\nNo cheques"));
    QCOMPARE(customers.show(out.record).value(CustomerBox::Notes),
             QStringLiteral("Pays on Fridays\nNo cheques"));
}

void BrowserTablesTest::currencySave_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<qint64>("received"); // ten-thousandths
    QTest::newRow("accepted") << "EURO"
                              << "€"
                              << "0.92"
                              << "€12.50" << true << qint64(125000);
    QTest::newRow("total without its symbol") << "EURO"
                                              << "€"
                                              << "1"
                                              << "7" << true << qint64(70000);
    QTest::newRow("empty total") << "EURO"
                                 << "€"
                                 << "1"
                                 << "" << true << qint64(0);
    QTest::newRow("digit as symbol") << "EURO"
                                     << "5"
                                     << "1"
                                     << "0" << false << qint64(0);
    QTest::newRow("no symbol") << "EURO"
                               << ""
                               << "1"
                               << "0" << false << qint64(0);
    QTest::newRow("no name") << ""
                             << "€"
                             << "1"
                             << "0" << false << qint64(0);
    QTest::newRow("native name") << "NATIVE CURRENCY"
                                 << "N"
                                 << "1"
                                 << "0" << false << qint64(0);
    QTest::newRow("value in letters") << "EURO"
                                      << "€"
                                      << "x"
                                      << "0" << false << qint64(0);
    QTest::newRow("total in letters") << "EURO"
                                      << "€"
                                      << "1"
                                      << "€x" << false << qint64(0);
}

void BrowserTablesTest::currencySave()
{
    QFETCH(QString, name);
    QFETCH(QString, symbol);
    QFETCH(QString, value);
    QFETCH(QString, total);
    QFETCH(bool, saved);
    QFETCH(qint64, received);
    const SaveOutcome out = BrowserTables::currencies().build({{CurrencyBox::Name, name},
                                                               {CurrencyBox::Symbol, symbol},
                                                               {CurrencyBox::Value, value},
                                                               {CurrencyBox::Transactions, "4"},
                                                               {CurrencyBox::Received, total}},
                                                              newHeaderRecords(Fixtures::Today)[9]);
    QCOMPARE(!out.refusal, saved);
    if (!saved)
        return;
    const CurrencySlot slot(out.record);
    QCOMPARE(slot.name(), name);
    QCOMPARE(slot.symbol(), symbol);
    QCOMPARE(out.record.Price.type(), FieldValue::Type::Currency);
    QCOMPARE(slot.received(), Currency::fromRaw(received));
    QCOMPARE(out.record.SpareA, FieldValue::fromInt16(4));
}

void BrowserTablesTest::currencyKeepsOtherFields()
{
    DataRecord stored = newHeaderRecords(Fixtures::Today)[10];
    stored.SpareD = FieldValue::fromText("kept");
    const SaveOutcome out = BrowserTables::currencies().build({{CurrencyBox::Name, "YEN"},
                                                               {CurrencyBox::Symbol, "Y"},
                                                               {CurrencyBox::Value, "150"},
                                                               {CurrencyBox::Transactions, "0"},
                                                               {CurrencyBox::Received, "Y0"}},
                                                              stored);
    QVERIFY(!out.refusal);
    QCOMPARE(out.record.Name, FieldValue::fromText(SharedMarker));
    QCOMPARE(out.record.SpareD, FieldValue::fromText("kept"));
}

void BrowserTablesTest::boxRules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("shown"); // the box's text afterwards
    QTest::newRow("whole") << "whole"
                           << "12" << true << "12";
    QTest::newRow("whole: fraction") << "whole"
                                     << "12.5" << false << "";
    QTest::newRow("whole: letters") << "whole"
                                    << "1a" << false << "";
    QTest::newRow("rewritten") << "wholeRewritten"
                               << " 12.0 " << true << "12";
    QTest::newRow("rewritten: grouped") << "wholeRewritten"
                                        << "1,200" << true << "1200";
    QTest::newRow("rewritten: empty") << "wholeRewritten"
                                      << "" << false << "";
    QTest::newRow("money") << "money"
                           << "1234.5" << true << "$1,234.50";
    QTest::newRow("money: negative") << "money"
                                     << "-3" << true << "($3.00)";
    QTest::newRow("money: past the largest") << "money"
                                             << "1e300" << false << "";
    QTest::newRow("money: past the smallest") << "money"
                                              << "-922337203685478" << false << "";
    QTest::newRow("money or empty: empty") << "moneyOrEmpty"
                                           << "" << true << "$0.00";
    QTest::newRow("money: letters") << "money"
                                    << "abc" << false << "";
    QTest::newRow("numeric") << "numeric"
                             << "0.9235" << true << "0.9235";
    QTest::newRow("numeric: letters") << "numeric"
                                      << "x" << false << "";
}

void BrowserTablesTest::boxRules()
{
    QFETCH(QString, rule);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, shown);
    const BoxRule r = rule == "whole"            ? BoxRules::whole()
                      : rule == "wholeRewritten" ? BoxRules::wholeRewritten()
                      : rule == "money"          ? BoxRules::money()
                      : rule == "moneyOrEmpty"   ? BoxRules::moneyOrEmpty()
                                                 : BoxRules::numeric();
    const BoxCheck check = r(text, QString(), Form());
    QCOMPARE(check.ok, ok);
    if (ok)
        QCOMPARE(check.ownText.value_or(text), shown);
}

void BrowserTablesTest::symbolMovesToTheTotal()
{
    const Form form{{CurrencyBox::Symbol, "Y"}, {CurrencyBox::Received, "€12.50"}};
    const BoxCheck symbol = BoxRules::symbol(CurrencyBox::Received)("Y", "€", form);
    QVERIFY(symbol.ok);
    QCOMPARE(symbol.rewrite.value(CurrencyBox::Received), QStringLiteral("Y12.50"));
    QVERIFY(!BoxRules::symbol(CurrencyBox::Received)("7", "€", form).ok);
    QVERIFY(!BoxRules::symbol(CurrencyBox::Received)("", "€", form).ok);

    const BoxCheck total = BoxRules::amountWithSymbol(CurrencyBox::Symbol)("8", "Y12.50", form);
    QVERIFY(total.ok);
    QCOMPARE(total.ownText.value_or(QString()), QStringLiteral("Y8"));
    QVERIFY(BoxRules::amountWithSymbol(CurrencyBox::Symbol)("Y 8.5", "", form).ok);
    QVERIFY(!BoxRules::amountWithSymbol(CurrencyBox::Symbol)("Yx", "", form).ok);

    QCOMPARE(BoxRules::plainAmount(Currency::fromRaw(125000), 2), QStringLiteral("12.50"));
    QCOMPARE(BoxRules::plainAmount(Currency::fromRaw(9235), 0), QStringLiteral("0.9235"));
    QCOMPARE(BoxRules::plainAmount(Currency::fromUnits(2), 0), QStringLiteral("2"));
}

#include "BrowserTablesTest.moc"
TB_TEST(BrowserTablesTest)
