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

TB_TEST(QueryStepsTest)
#include "QueryStepsTest.moc"
