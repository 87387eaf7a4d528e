#include "common/TestMain.h"

#include "report/QuerySteps.h"

#include <QTest>

using enum ReportProperty;
using enum QueryMode;

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
};

void QueryStepsTest::checksValue_data()
{
    QTest::addColumn<ReportProperty>("property");
    QTest::addColumn<QueryMode>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown"); // "" when refused
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("keepFocus");

    const QString bad = QStringLiteral("Input not Valid");
    const QString e8778 = QStringLiteral("Error 8778");

    QTest::newRow("item cost as money") << ItemCost << Absolute << "5"
                                        << "$5.00"
                                        << ""
                                        << "" << true;
    QTest::newRow("item cost rounded") << ItemCost << Absolute << "1,234.567"
                                       << "$1,234.57"
                                       << ""
                                       << "" << true;
    QTest::newRow("item count kept as typed") << ItemsSold << Absolute << "12"
                                              << "12"
                                              << ""
                                              << "" << true;
    QTest::newRow("item zero absolute") << RemainingInventory << Absolute << "0"
                                        << "0"
                                        << ""
                                        << "" << true;
    QTest::newRow("item letters") << ItemCost << Absolute << "five"
                                  << "" << bad << NotValid << true;
    QTest::newRow("item empty") << ItemsSold << Absolute << ""
                                << "" << bad << NotValid << true;
    QTest::newRow("item negative") << ItemsSold << Absolute << "-1"
                                   << "" << bad << NotValid << true;
    QTest::newRow("item negative money") << ItemCost << Absolute << "($2.00)"
                                         << "" << bad << NotValid << true;
    QTest::newRow("item relative zero") << ItemsSold << Relative << "0"
                                        << "" << bad << NotValid << true;
    QTest::newRow("item relative negative") << TotalInventory << Relative << "-3"
                                            << "" << bad << NotValid << true;
    QTest::newRow("item relative money not rewritten") << ItemCost << Relative << "3"
                                                       << "3"
                                                       << ""
                                                       << "" << true;

    QTest::newRow("credit negative balance") << Balance << Absolute << "-5"
                                             << "($5.00)"
                                             << ""
                                             << "" << true;
    QTest::newRow("credit relative zero") << NumberOfVisits << Relative << "0"
                                          << "0"
                                          << ""
                                          << "" << true;
    QTest::newRow("credit relative negative") << NumberOfVisits << Relative << "-2"
                                              << "-2"
                                              << ""
                                              << "" << true;
    QTest::newRow("credit spent as typed") << TotalSpent << Absolute << "7.5"
                                           << "7.5"
                                           << ""
                                           << "" << true;
    QTest::newRow("credit letters") << TotalSpent << Absolute << "x"
                                    << "" << bad << NotValid << true;

    QTest::newRow("cashier duration") << LoggedOnTime << Absolute << "0001:30:00:000"
                                      << "0001:30:00:000"
                                      << ""
                                      << "" << true;
    QTest::newRow("cashier short hours") << LoggedOnTime << Absolute << "1:30:00:000"
                                         << "" << e8778 << TimeNotValid << false;
    QTest::newRow("cashier 60 minutes") << LoggedOnTime << Absolute << "0001:60:00:000"
                                        << "" << e8778 << TimeNotValid << false;
    QTest::newRow("cashier short milliseconds") << LoggedOnTime << Absolute << "0001:30:00:00"
                                                << "" << e8778 << TimeNotValid << false;
    QTest::newRow("cashier duration count") << LoggedOnTime << Relative << "2"
                                            << "2"
                                            << ""
                                            << "" << true;
    QTest::newRow("cashier duration as count")
        << LoggedOnTime << Relative << "0001:30:00:000"
        << "" << bad << NotValid + QStringLiteral(".") << true;
    QTest::newRow("cashier sales letters") << SalesPerformed << Absolute << "lots"
                                           << "" << bad << NotValid + QStringLiteral(".") << true;
    QTest::newRow("cashier negative sales") << SalesPerformed << Absolute << "-4"
                                            << "-4"
                                            << ""
                                            << "" << true;
    QTest::newRow("cashier amount as money") << AmountSold << Absolute << "12.5"
                                             << "$12.50"
                                             << ""
                                             << "" << true;
}

void QueryStepsTest::checksValue()
{
    QFETCH(ReportProperty, property);
    QFETCH(QueryMode, mode);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(bool, keepFocus);

    const QuerySteps::ValueCheck c = QuerySteps::checkValue(property, mode, text);
    QCOMPARE(c.accepted, title.isEmpty());
    if (c.accepted)
        QCOMPARE(c.text, shown);
    QCOMPARE(c.title, title);
    QCOMPARE(c.message, message);
    QCOMPARE(c.keepFocus, keepFocus);
}

TB_TEST(QueryStepsTest)
#include "QueryStepsTest.moc"
