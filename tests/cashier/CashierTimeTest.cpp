#include "common/TestMain.h"

#include "cashier/CashierTime.h"

#include <QTest>

#include <limits>

class CashierTimeTest : public QObject
{
    Q_OBJECT

private slots:
    void timeTextRoundTrips_data();
    void timeTextRoundTrips();
    void unreadableTimeShownAsInvalid_data();
    void unreadableTimeShownAsInvalid();
};

void CashierTimeTest::timeTextRoundTrips_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("ms");
    QTest::addColumn<bool>("valid");
    QTest::newRow("zero") << "0000:00:00:000" << 0.0 << true;
    QTest::newRow("100 hours") << "0100:00:00:000" << 360000000.0 << true;
    QTest::newRow("all parts") << "0012:34:56:789" << 45296789.0 << true;
    QTest::newRow("five-digit hours shown") << "12345:00:00:001" << 44442000001.0 << true;
    QTest::newRow("leading zero past four digits") << "00100:00:00:000" << 360000000.0 << false;
    QTest::newRow("hours past what a double holds")
        << "99999999999999999999:00:00:000" << 3.6e26 << false;
    QTest::newRow("other digits") << "\u0661\u0662\u0663\u0664:00:00:000" << 0.0 << false;
    QTest::newRow("60 minutes") << "0000:60:00:000" << 3600000.0 << false;
    QTest::newRow("60 seconds") << "0000:00:60:000" << 60000.0 << false;
    QTest::newRow("short hours") << "000:00:00:000" << 0.0 << false;
    QTest::newRow("three parts") << "0000:00:00" << 0.0 << false;
    QTest::newRow("letters") << "00a0:00:00:000" << 0.0 << false;
    QTest::newRow("sign") << "0000:-1:00:000" << -60000.0 << false;
}

void CashierTimeTest::timeTextRoundTrips()
{
    QFETCH(QString, text);
    QFETCH(double, ms);
    QFETCH(bool, valid);
    QCOMPARE(isValidLoggedOnTime(text), valid);
    if (valid) {
        QCOMPARE(ParseLoggedOnTime(text), ms);
        QCOMPARE(FormatLoggedOnTime(ms), text);
    }
    if (QTest::currentDataTag() == QByteArray("five-digit hours shown"))
        QCOMPARE(FormatLoggedOnTime(ms), QStringLiteral("12345:00:00:001"));
}

void CashierTimeTest::unreadableTimeShownAsInvalid_data()
{
    QTest::addColumn<double>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("1e308") << 1e308 << "invalid";
    QTest::newRow("-1e308") << -1e308 << "invalid";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "invalid";
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "invalid";
    QTest::newRow("2^63") << 9223372036854775808.0 << "invalid";
    QTest::newRow("largest that fits") << 9223372036854774784.0 << "2562047788015:12:54:784";
}

void CashierTimeTest::unreadableTimeShownAsInvalid()
{
    QFETCH(double, ms);
    QFETCH(QString, text);
    QCOMPARE(FormatLoggedOnTime(ms), text);
}

TB_TEST(CashierTimeTest)
#include "CashierTimeTest.moc"
