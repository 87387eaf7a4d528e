#include "browse/CurrencyConversion.h"
#include "common/TestMain.h"

#include <QTest>

using CurrencyConversion::Rate;

class CurrencyConversionTest : public QObject
{
    Q_OBJECT

private slots:
    void convert_data();
    void convert();
    void amountText();
};

void CurrencyConversionTest::convert_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<double>("from"); // -1: native
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("expected");
    QTest::newRow("native to value 2") << 10.0 << -1.0 << 2.0 << 20.0;
    QTest::newRow("value 2 to native") << 20.0 << 2.0 << -1.0 << 10.0;
    QTest::newRow("through native: 2 to 4") << 10.0 << 2.0 << 4.0 << 20.0;
    QTest::newRow("fractional value") << 100.0 << 0.92 << -1.0 << 100.0 / 0.92;
    QTest::newRow("from value 0") << 10.0 << 0.0 << -1.0 << 0.0;
    QTest::newRow("from value 0 to foreign") << 10.0 << 0.0 << 4.0 << 0.0;
    QTest::newRow("to value 0") << 10.0 << -1.0 << 0.0 << 0.0;
    QTest::newRow("native to native") << 7.5 << -1.0 << -1.0 << 7.5;
    QTest::newRow("negative") << -10.0 << -1.0 << 2.0 << -20.0;
    QTest::newRow("value below a ten-thousandth") << 3.0 << 0.00004 << -1.0 << 75000.0;
}

void CurrencyConversionTest::convert()
{
    QFETCH(double, amount);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, expected);
    const auto rate = [](double v) { return v < 0 ? Rate() : Rate(v); };
    QCOMPARE(CurrencyConversion::convert(amount, rate(from), rate(to)), expected);
}

void CurrencyConversionTest::amountText()
{
    QCOMPARE(CurrencyConversion::amountText(10, std::nullopt), QStringLiteral("$10.00"));
    QCOMPARE(CurrencyConversion::amountText(-10.7, std::nullopt), QStringLiteral("($10.70)"));
    QCOMPARE(CurrencyConversion::amountText(20, 2.0), QStringLiteral("20"));
    QCOMPARE(CurrencyConversion::amountText(0.125, 2.0), QStringLiteral("0.125"));
}

#include "CurrencyConversionTest.moc"
TB_TEST(CurrencyConversionTest)
