#include "common/TestMain.h"

#include "report/QuerySteps.h"

#include <QTest>

using namespace QueryCode;

namespace {
const QString NotValid =
    QStringLiteral("The text box does not contain valid input. Check your input and try again");
const QString TimeNotValid =
    QStringLiteral("Please ensure that the 'Time Logged On' box contains valid input.  Data "
                   "should be entered in the format hhhh:mm:ss:mss");
} // namespace

class QueryStepsTest : public QObject
{
    Q_OBJECT

private slots:
    void checksValue_data();
    void checksValue();
    void writesSentence_data();
    void writesSentence();
    void comparisonCaptions();
};

void QueryStepsTest::checksValue_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("property");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown"); // "" when refused
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("keepFocus");

    const int item = int(ReportKind::Item);
    const int credit = int(ReportKind::Credit);
    const int cashier = int(ReportKind::Cashier);
    const QString bad = QStringLiteral("Input not Valid");
    const QString e8778 = QStringLiteral("Error 8778");

    QTest::newRow("item cost as money") << item << 1 << Absolute << "5"
                                        << "$5.00"
                                        << ""
                                        << "" << true;
    QTest::newRow("item cost rounded") << item << 1 << Absolute << "1,234.567"
                                       << "$1,234.57"
                                       << ""
                                       << "" << true;
    QTest::newRow("item count kept as typed") << item << 2 << Absolute << "12"
                                              << "12"
                                              << ""
                                              << "" << true;
    QTest::newRow("item zero absolute") << item << 3 << Absolute << "0"
                                        << "0"
                                        << ""
                                        << "" << true;
    QTest::newRow("item letters") << item << 1 << Absolute << "five"
                                  << "" << bad << NotValid << true;
    QTest::newRow("item empty") << item << 2 << Absolute << ""
                                << "" << bad << NotValid << true;
    QTest::newRow("item negative") << item << 2 << Absolute << "-1"
                                   << "" << bad << NotValid << true;
    QTest::newRow("item negative money") << item << 1 << Absolute << "($2.00)"
                                         << "" << bad << NotValid << true;
    QTest::newRow("item relative zero") << item << 2 << Relative << "0"
                                        << "" << bad << NotValid << true;
    QTest::newRow("item relative negative") << item << 4 << Relative << "-3"
                                            << "" << bad << NotValid << true;
    QTest::newRow("item relative money not rewritten") << item << 1 << Relative << "3"
                                                       << "3"
                                                       << ""
                                                       << "" << true;

    QTest::newRow("credit negative balance") << credit << 1 << Absolute << "-5"
                                             << "($5.00)"
                                             << ""
                                             << "" << true;
    QTest::newRow("credit relative zero") << credit << 2 << Relative << "0"
                                          << "0"
                                          << ""
                                          << "" << true;
    QTest::newRow("credit relative negative") << credit << 2 << Relative << "-2"
                                              << "-2"
                                              << ""
                                              << "" << true;
    QTest::newRow("credit spent as typed") << credit << 3 << Absolute << "7.5"
                                           << "7.5"
                                           << ""
                                           << "" << true;
    QTest::newRow("credit letters") << credit << 3 << Absolute << "x"
                                    << "" << bad << NotValid << true;

    QTest::newRow("cashier duration") << cashier << 3 << Absolute << "0001:30:00:000"
                                      << "0001:30:00:000"
                                      << ""
                                      << "" << true;
    QTest::newRow("cashier short hours") << cashier << 3 << Absolute << "1:30:00:000"
                                         << "" << e8778 << TimeNotValid << false;
    QTest::newRow("cashier 60 minutes") << cashier << 3 << Absolute << "0001:60:00:000"
                                        << "" << e8778 << TimeNotValid << false;
    QTest::newRow("cashier short milliseconds") << cashier << 3 << Absolute << "0001:30:00:00"
                                                << "" << e8778 << TimeNotValid << false;
    QTest::newRow("cashier duration count") << cashier << 3 << Relative << "2"
                                            << "2"
                                            << ""
                                            << "" << true;
    QTest::newRow("cashier duration as count")
        << cashier << 3 << Relative << "0001:30:00:000"
        << "" << bad << NotValid + QStringLiteral(".") << true;
    QTest::newRow("cashier sales letters") << cashier << 2 << Absolute << "lots"
                                           << "" << bad << NotValid + QStringLiteral(".") << true;
    QTest::newRow("cashier negative sales") << cashier << 2 << Absolute << "-4"
                                            << "-4"
                                            << ""
                                            << "" << true;
    QTest::newRow("cashier amount as money") << cashier << 1 << Absolute << "12.5"
                                             << "$12.50"
                                             << ""
                                             << "" << true;
}

void QueryStepsTest::checksValue()
{
    QFETCH(int, kind);
    QFETCH(int, property);
    QFETCH(int, mode);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(bool, keepFocus);

    const QuerySteps::ValueCheck c = QuerySteps::checkValue(ReportKind(kind), property, mode, text);
    QCOMPARE(c.accepted, title.isEmpty());
    if (c.accepted)
        QCOMPARE(c.text, shown);
    QCOMPARE(c.title, title);
    QCOMPARE(c.message, message);
    QCOMPARE(c.keepFocus, keepFocus);
}

void QueryStepsTest::writesSentence_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("property");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("comparison");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("sentence");

    QTest::newRow("item cost") << int(ReportKind::Item) << 1 << Absolute << GreaterThan << "$5.00"
                               << "Search the ITEM COST property for an ABSOLUTE value greater "
                                  "than $5.00.";
    QTest::newRow("highest 5") << int(ReportKind::Item) << 2 << Relative << GreaterThan << "5"
                               << "Search the ITEMS SOLD property for the highest 5 values.";
    QTest::newRow("lowest 1") << int(ReportKind::Item) << 3 << Relative << LessThan << "1"
                              << "Search the ITEM REMANING INVENTORY property for the lowest "
                                 "value.";
    QTest::newRow("one written 1.0")
        << int(ReportKind::Credit) << 2 << Relative << LessThan << "1.0"
        << "Search the CREDIT NUMBER OF VISITS property for the lowest value.";
    QTest::newRow("credit equal") << int(ReportKind::Credit) << 3 << Absolute << EqualTo << "40"
                                  << "Search the CREDIT TOTAL SPENT property for an ABSOLUTE "
                                     "value equal to 40.";
    QTest::newRow("cashier time")
        << int(ReportKind::Cashier) << 3 << Absolute << LessOrEqual << "0002:00:00:000"
        << "Search the CASHIER LOGGED ON TIME property for an ABSOLUTE value less than or equal "
           "to 0002:00:00:000.";
    QTest::newRow("cashier sales")
        << int(ReportKind::Cashier) << 2 << Absolute << GreaterOrEqual << "3"
        << "Search the CASHIER SALES PERFORMED property for an ABSOLUTE value greater than or "
           "equal to 3.";
    QTest::newRow("cashier amount")
        << int(ReportKind::Cashier) << 1 << Absolute << LessThan << "$9.00"
        << "Search the CASHIER AMOUNT SOLD property for an ABSOLUTE value less than $9.00.";
}

void QueryStepsTest::writesSentence()
{
    QFETCH(int, kind);
    QFETCH(int, property);
    QFETCH(int, mode);
    QFETCH(int, comparison);
    QFETCH(QString, value);
    QFETCH(QString, sentence);
    const QueryProperty *p = queryKind(ReportKind(kind)).property(property);
    QVERIFY(p);
    QCOMPARE(p->sentence + QuerySteps::modePiece(mode)
                 + QuerySteps::comparisonPiece(mode, comparison)
                 + QuerySteps::valuePiece(mode, value),
             sentence);
}

void QueryStepsTest::comparisonCaptions()
{
    QCOMPARE((QStringList{QuerySteps::comparisonCaption(Absolute, 1),
                          QuerySteps::comparisonCaption(Absolute, 2),
                          QuerySteps::comparisonCaption(Absolute, 3),
                          QuerySteps::comparisonCaption(Absolute, 4),
                          QuerySteps::comparisonCaption(Absolute, 5)}),
             (QStringList{"Greater than", "Less than", "Greater than or Equal to",
                          "Less than or Equal to", "Equal to"}));
    QCOMPARE((QStringList{QuerySteps::comparisonCaption(Relative, 1),
                          QuerySteps::comparisonCaption(Relative, 2),
                          QuerySteps::comparisonCaption(Relative, 3)}),
             (QStringList{"Highest", "Lowest", ""}));
    QCOMPARE(QuerySteps::propertyValueText(ReportKind::Credit, 1), QStringLiteral("$0.00"));
    QCOMPARE(QuerySteps::propertyValueText(ReportKind::Cashier, 3),
             QStringLiteral("0000:00:00:000"));
    QVERIFY(QuerySteps::propertyValueText(ReportKind::Item, 3).isNull());
}

TB_TEST(QueryStepsTest)
#include "QueryStepsTest.moc"
