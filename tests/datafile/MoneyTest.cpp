#include "DatafileFixtures.h"
#include "common/TestMain.h"

#include <cmath>
#include <limits>

using Fixtures::LocaleGuard;

class MoneyTest : public QObject
{
    Q_OBJECT

private slots:
    void currencyFromDouble_data();
    void currencyFromDouble();
    void currencyFromDecimal_data();
    void currencyFromDecimal();
    void currencyArithmeticNeverWraps();

    void formatCurrencyUs_data();
    void formatCurrencyUs();
    void formatCurrencyGermanAndC();

    void parseNumberUs_data();
    void parseNumberUs();
    void parseNumberOtherLocales_data();
    void parseNumberOtherLocales();
    void formatThenParseRoundTrips_data();
    void formatThenParseRoundTrips();
    void parseCurrencyIsExact();
    void isWholeNumber_data();
    void isWholeNumber();

    void leadingNumber_data();
    void leadingNumber();
    void numberText_data();
    void numberText();
};

void MoneyTest::currencyFromDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("raw");

    // Ties at the fifth decimal go to the even fourth decimal, whatever side
    // of the tie the binary double happens to lie on.
    QTest::newRow("0.00005 tie down to even") << 0.00005 << qint64(0);
    QTest::newRow("0.00015 tie up to even") << 0.00015 << qint64(2);
    QTest::newRow("0.00025 tie down to even") << 0.00025 << qint64(2);
    QTest::newRow("2.50005") << 2.50005 << qint64(25000);
    QTest::newRow("2.50015") << 2.50015 << qint64(25002);
    QTest::newRow("-2.50015") << -2.50015 << qint64(-25002);
    QTest::newRow("-0.00005") << -0.00005 << qint64(0);
    QTest::newRow("1.23456 not a tie") << 1.23456 << qint64(12346);
    QTest::newRow("1.23454") << 1.23454 << qint64(12345);
    QTest::newRow("10.7") << 10.7 << qint64(107000);
    QTest::newRow("past a tie") << 0.000150001 << qint64(2);
    // Products whose decimal value is a tie but whose double is not.
    QTest::newRow("1.13*0.075 below tie") << 1.13 * 0.075 << qint64(848);
    QTest::newRow("1.03*0.035 above tie") << 1.03 * 0.035 << qint64(360);
    QTest::newRow("1.09*0.045") << 1.09 * 0.045 << qint64(490);
    QTest::newRow("19.99*0.075") << 19.99 * 0.075 << qint64(14992);
    QTest::newRow("large") << 123456789.5 << qint64(1234567895000);
    // Amounts read out of the file come back exactly, up to the largest below 1e10.
    QTest::newRow("stored amount") << Currency::fromRaw(-12345678).toDouble() << qint64(-12345678);
    QTest::newRow("largest stored below 1e10")
        << Currency::fromRaw(99999999999999).toDouble() << qint64(99999999999999);
    QTest::newRow("stored amount past 1e10")
        << Currency::fromRaw(123456789012345).toDouble() << qint64(123456789012345);
    QTest::newRow("too large") << 1e300 << std::numeric_limits<qint64>::max();
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity()
                          << std::numeric_limits<qint64>::min();
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << qint64(0);
}

void MoneyTest::currencyFromDouble()
{
    QFETCH(double, value);
    QFETCH(qint64, raw);
    QCOMPARE(Currency::fromDouble(value).raw(), raw);
}

void MoneyTest::currencyFromDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("raw");

    QTest::newRow("tie even down") << "2.50005" << true << qint64(25000);
    QTest::newRow("tie even up") << "-0.00015" << true << qint64(-2);
    QTest::newRow("over tie") << "0.000050000000000000000001" << true << qint64(1);
    QTest::newRow("exponent") << "1e3" << true << qint64(10000000);
    QTest::newRow("negative exponent") << "1.5E-4" << true << qint64(2);
    QTest::newRow("padding zeros") << "00012.30000" << true << qint64(123000);
    QTest::newRow("no integer digits") << ".5" << true << qint64(5000);
    QTest::newRow("largest") << "922337203685477.5807" << true
                             << std::numeric_limits<qint64>::max();
    QTest::newRow("past largest") << "922337203685477.5808" << true
                                  << std::numeric_limits<qint64>::max();
    QTest::newRow("smallest") << "-922337203685477.5808" << true
                              << std::numeric_limits<qint64>::min();
    QTest::newRow("huge exponent") << "1e999999999" << true << std::numeric_limits<qint64>::max();
    QTest::newRow("zero with huge exponent") << "0e999999999" << true << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("letters") << "abc" << false << qint64(0);
    QTest::newRow("two points") << "1.2.3" << false << qint64(0);
    QTest::newRow("point only") << "." << false << qint64(0);
    QTest::newRow("bare exponent") << "1e" << false << qint64(0);
    QTest::newRow("trailing text") << "12x" << false << qint64(0);
}

void MoneyTest::currencyFromDecimal()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, raw);
    const QByteArray latin = text.toLatin1();
    const auto c = Currency::fromDecimal(std::string_view(latin.constData(), latin.size()));
    QCOMPARE(c.has_value(), ok);
    if (ok)
        QCOMPARE(c->raw(), raw);
}

void MoneyTest::currencyArithmeticNeverWraps()
{
    const Currency max = Currency::max();
    const Currency tiny = Currency::fromRaw(1);
    const Currency min = -max - tiny;
    QCOMPARE(max + tiny, max);
    QCOMPARE(min - tiny, min);
    QCOMPARE(-min, max);
    QVERIFY(!Currency::sum(max, tiny) && !Currency::difference(min, tiny));
    QVERIFY(!Currency::fromDoubleInRange(1e15));
}

void MoneyTest::formatCurrencyUs_data()
{
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << qint64(107000) << "$10.70";
    QTest::newRow("negative in parentheses") << qint64(-107000) << "($10.70)";
    QTest::newRow("grouping") << qint64(12345000) << "$1,234.50";
    QTest::newRow("large negative") << qint64(-12345000000) << "($1,234,500.00)";
    QTest::newRow("zero") << qint64(0) << "$0.00";
    QTest::newRow("half cent rounds away from zero") << qint64(1050) << "$0.11";
    QTest::newRow("negative half cent") << qint64(-1050) << "($0.11)";
    QTest::newRow("below half cent") << qint64(125) << "$0.01";
    QTest::newRow("rounds to zero: no parentheses") << qint64(-49) << "$0.00";
    QTest::newRow("cents of the largest amounts")
        << qint64(5444444444442341000) << "$544,444,444,444,234.10";
}

void MoneyTest::formatCurrencyUs()
{
    QFETCH(qint64, raw);
    QFETCH(QString, text);
    QCOMPARE(MoneyText::formatCurrency(Currency::fromRaw(raw)), text);
}

void MoneyTest::formatCurrencyGermanAndC()
{
    {
        LocaleGuard guard(QLocale(QLocale::German, QLocale::Germany));
        const QString positive = MoneyText::formatCurrency(Currency::fromRaw(12345000));
        QVERIFY2(positive.contains(QStringLiteral("1.234,50")), qPrintable(positive));
        QVERIFY(positive.contains(QChar(0x20AC)));
        const QString negative = MoneyText::formatCurrency(Currency::fromRaw(-12345000));
        QCOMPARE(negative, QLatin1Char('(') + positive + QLatin1Char(')'));
    }
    {
        // A system without a locale shows dollars rather than the bare C format.
        LocaleGuard guard(QLocale::c());
        QCOMPARE(MoneyText::formatCurrency(Currency::fromRaw(-107000)), QStringLiteral("($10.70)"));
        QCOMPARE(MoneyText::parseNumber(QStringLiteral("$1,234.50")), std::optional(1234.5));
    }
}

void MoneyTest::parseNumberUs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");

    QTest::newRow("plain") << "10.7" << true << 10.7;
    QTest::newRow("currency") << "$10.70" << true << 10.7;
    QTest::newRow("parentheses") << "($10.70)" << true << -10.7;
    QTest::newRow("symbol inside parentheses") << "$(10.70)" << true << -10.7;
    QTest::newRow("minus before symbol") << "-$10.70" << true << -10.7;
    QTest::newRow("minus after symbol") << "$-10.70" << true << -10.7;
    QTest::newRow("trailing minus") << "10.70-" << true << -10.7;
    QTest::newRow("leading plus") << "+5" << true << 5.0;
    QTest::newRow("blanks around") << "  1,234.50 " << true << 1234.5;
    QTest::newRow("blank after symbol") << "$ 5" << true << 5.0;
    QTest::newRow("iso code") << "USD 5" << true << 5.0;
    QTest::newRow("no grouping") << "1234.5" << true << 1234.5;
    QTest::newRow("two groups") << "1,234,567" << true << 1234567.0;
    QTest::newRow("plain parentheses") << "(5)" << true << -5.0;
    QTest::newRow("point first") << ".5" << true << 0.5;
    QTest::newRow("point last") << "5." << true << 5.0;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("negative exponent") << "25E-1" << true << 2.5;

    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blanks") << "   " << false << 0.0;
    QTest::newRow("symbol only") << "$" << false << 0.0;
    QTest::newRow("parentheses only") << "()" << false << 0.0;
    QTest::newRow("words") << "abc" << false << 0.0;
    QTest::newRow("number then word") << "12abc" << false << 0.0;
    QTest::newRow("short group") << "1,23" << false << 0.0;
    QTest::newRow("long group") << "1,2345" << false << 0.0;
    QTest::newRow("long first group") << "1234,567" << false << 0.0;
    QTest::newRow("leading separator") << ",123" << false << 0.0;
    QTest::newRow("trailing separator") << "123," << false << 0.0;
    QTest::newRow("double separator") << "1,,234" << false << 0.0;
    QTest::newRow("separator in fraction") << "1.234,5" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("open only") << "(5" << false << 0.0;
    QTest::newRow("close only") << "5)" << false << 0.0;
    QTest::newRow("sign and parentheses") << "(-5)" << false << 0.0;
    QTest::newRow("two signs") << "--5" << false << 0.0;
    QTest::newRow("sign on both sides") << "-5-" << false << 0.0;
    QTest::newRow("sign inside") << "5-5" << false << 0.0;
    QTest::newRow("blank inside") << "1 234" << false << 0.0;
    QTest::newRow("two symbols") << "$$5" << false << 0.0;
    QTest::newRow("other currency") << "5 EUR" << false << 0.0;
    QTest::newRow("bare exponent") << "1e" << false << 0.0;
    QTest::newRow("exponent alone") << "e5" << false << 0.0;
    QTest::newRow("out of range") << "1e999" << false << 0.0;
}

void MoneyTest::parseNumberUs()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto parsed = MoneyText::parseNumber(text);
    QCOMPARE(parsed.has_value(), ok);
    QCOMPARE(MoneyText::isNumeric(text), ok);
    if (ok)
        QCOMPARE(*parsed, value);
}

void MoneyTest::parseNumberOtherLocales_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");

    QTest::newRow("de grouped") << "de_DE" << QString::fromUtf8("1.234,50 €") << true << 1234.5;
    QTest::newRow("de parentheses")
        << "de_DE" << QString::fromUtf8("(1.234,50 €)") << true << -1234.5;
    QTest::newRow("de decimal comma") << "de_DE"
                                      << "1,5" << true << 1.5;
    QTest::newRow("de minus") << "de_DE"
                              << "-1,5" << true << -1.5;
    QTest::newRow("de iso code") << "de_DE"
                                 << "EUR 5" << true << 5.0;
    // In German "1.5" is no number: reading it as 15 would be a silent error.
    QTest::newRow("de point is grouping") << "de_DE"
                                          << "1.5" << false << 0.0;
    QTest::newRow("de dollar") << "de_DE"
                               << "$5" << false << 0.0;
    QTest::newRow("fr typed space") << "fr_FR"
                                    << "1 234,5" << true << 1234.5;
    QTest::newRow("in lakh grouping") << "en_IN"
                                      << "12,34,567.50" << true << 1234567.5;
    QTest::newRow("in western grouping") << "en_IN"
                                         << "1,234,567" << false << 0.0;
    QTest::newRow("ch apostrophe")
        << "de_CH" << QString::fromUtf8("1’234.50 CHF") << true << 1234.5;
}

void MoneyTest::parseNumberOtherLocales()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    LocaleGuard guard{QLocale(locale)};
    const auto parsed = MoneyText::parseNumber(text);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QCOMPARE(*parsed, value);
}

void MoneyTest::formatThenParseRoundTrips_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *name : {"en_US", "de_DE", "fr_FR", "en_IN", "de_CH", "ja_JP"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void MoneyTest::formatThenParseRoundTrips()
{
    QFETCH(QString, locale);
    LocaleGuard guard{QLocale(locale)};
    const bool wholeUnits = locale == QLatin1String("ja_JP");
    const qint64 amounts[] = {0,
                              100,
                              -100,
                              107000,
                              -107000,
                              12345000,
                              -12345000,
                              99999999900,
                              -1234567890100,
                              10000,
                              5444444444442341000};
    for (qint64 raw : amounts) {
        const Currency amount = Currency::fromRaw(wholeUnits ? raw / 10000 * 10000 : raw);
        const QString text = MoneyText::formatCurrency(amount);
        QVERIFY2(!text.contains(QLatin1Char('-')) && !text.contains(QChar(0x2212)),
                 qPrintable(text));
        const auto back = MoneyText::parseCurrency(text);
        QVERIFY2(back.has_value(), qPrintable(text));
        QCOMPARE(back->raw(), amount.raw());
    }
}

void MoneyTest::parseCurrencyIsExact()
{
    // Through a double these would not survive: 17 significant digits.
    QCOMPARE(MoneyText::parseCurrency(QStringLiteral("$92,233,720,368,547.58"))->raw(),
             qint64(922337203685475800));
    QCOMPARE(MoneyText::parseCurrency(QStringLiteral("(0.00015)"))->raw(), qint64(-2));
    QVERIFY(!MoneyText::parseCurrency(QStringLiteral("1,23")).has_value());
}

void MoneyTest::isWholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole");
    QTest::newRow("integer") << "5" << true;
    QTest::newRow("zero fraction") << "5.0" << true;
    QTest::newRow("grouped") << "1,000" << true;
    QTest::newRow("negative") << "(3)" << true;
    QTest::newRow("fraction") << "5.5" << false;
    QTest::newRow("not a number") << "abc" << false;
    QTest::newRow("empty") << "" << false;
}

void MoneyTest::isWholeNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, whole);
    QCOMPARE(MoneyText::isWholeNumber(text), whole);
}

void MoneyTest::leadingNumber_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("digits then text") << "en_US"
                                      << "12abc" << 12.0;
    QTest::newRow("blanks and sign") << "en_US"
                                     << "  -3.5kg" << -3.5;
    QTest::newRow("plus") << "en_US"
                          << "+7" << 7.0;
    QTest::newRow("exponent") << "en_US"
                              << "1e3x" << 1000.0;
    QTest::newRow("negative exponent") << "en_US"
                                       << "5E-1" << 0.5;
    QTest::newRow("exponent without digits") << "en_US"
                                             << "1e+" << 1.0;
    QTest::newRow("point first") << "en_US"
                                 << ".5" << 0.5;
    QTest::newRow("minus point") << "en_US"
                                 << "-.5" << -0.5;
    QTest::newRow("point last") << "en_US"
                                << "5." << 5.0;
    QTest::newRow("second point stops") << "en_US"
                                        << "1.2.3" << 1.2;
    QTest::newRow("comma stops") << "en_US"
                                 << "1,5" << 1.0;
    QTest::newRow("currency symbol") << "en_US"
                                     << "$5" << 0.0;
    QTest::newRow("blank after sign") << "en_US"
                                      << "- 5" << 0.0;
    QTest::newRow("no number") << "en_US"
                               << "abc" << 0.0;
    QTest::newRow("empty") << "en_US"
                           << "" << 0.0;
    QTest::newRow("sign only") << "en_US"
                               << "-" << 0.0;
    QTest::newRow("point only") << "en_US"
                                << "." << 0.0;
    QTest::newRow("overflow") << "en_US"
                              << "1e999" << 0.0;
    QTest::newRow("de comma") << "de_DE"
                              << "1,5" << 1.5;
    QTest::newRow("de point") << "de_DE"
                              << "1.5" << 1.5;
    QTest::newRow("de grouped stops") << "de_DE"
                                      << "1.234,5" << 1.234;
}

void MoneyTest::leadingNumber()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(double, value);
    LocaleGuard guard{QLocale(locale)};
    QCOMPARE(MoneyText::leadingNumber(text), value);
}

void MoneyTest::numberText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << "en_US" << 0.0 << "0";
    QTest::newRow("negative zero") << "en_US" << -0.0 << "0";
    QTest::newRow("integer") << "en_US" << 12.0 << "12";
    QTest::newRow("negative integer") << "en_US" << -12.0 << "-12";
    QTest::newRow("15-digit integer") << "en_US" << 123456789012345.0 << "123456789012345";
    QTest::newRow("fraction") << "en_US" << 12.5 << "12.5";
    QTest::newRow("negative fraction") << "en_US" << -0.25 << "-0.25";
    QTest::newRow("no trailing zeros") << "en_US" << 100.5 << "100.5";
    QTest::newRow("binary noise dropped") << "en_US" << 0.1 + 0.2 << "0.3";
    QTest::newRow("noise to integer") << "en_US" << 2.0000000000000004 << "2";
    QTest::newRow("fifteen digits") << "en_US" << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("small fixed") << "en_US" << 0.00001 << "0.00001";
    QTest::newRow("small exponent") << "en_US" << 1.5e-7 << "1.5E-07";
    QTest::newRow("large exponent") << "en_US" << 1e20 << "1E+20";
    QTest::newRow("1e15") << "en_US" << 1e15 << "1E+15";
    QTest::newRow("de comma") << "de_DE" << 12.5 << "12,5";
    QTest::newRow("de exponent") << "de_DE" << -2.5e-9 << "-2,5E-09";
}

void MoneyTest::numberText()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    LocaleGuard guard{QLocale(locale)};
    QCOMPARE(MoneyText::numberText(value), text);
    // A field shown in a text box must pass the box's own number check.
    QVERIFY(MoneyText::isNumeric(text));
}

#include "MoneyTest.moc"
TB_TEST(MoneyTest)
