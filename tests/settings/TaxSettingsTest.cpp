#include "common/TestMain.h"

#include "datafile/DatafileFixtures.h"
#include "datafile/TaxSettings.h"

#include <QTest>

class TaxSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void validRates_data();
    void validRates();
    void storedRatesReadAlikeInEveryLocale_data();
    void storedRatesReadAlikeInEveryLocale();
};

void TaxSettingsTest::validRates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("whole") << "7" << true;
    QTest::newRow("decimal") << "8.25" << true;
    QTest::newRow("zero") << "0" << true;
    QTest::newRow("blanks around") << " 5 " << true;
    QTest::newRow("point first") << ".5" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("letters") << "abc" << false;
    QTest::newRow("number then letters") << "7a" << false;
    QTest::newRow("percent sign") << "7%" << false;
    // Numbers the grand total would read as another value.
    QTest::newRow("grouped") << "1,000" << false;
    QTest::newRow("currency symbol") << "$7" << false;
    QTest::newRow("parentheses") << "(7)" << false;
    QTest::newRow("negative") << "-5" << false;
    QTest::newRow("largest") << "1000" << true;
    QTest::newRow("past the largest") << "1000.01" << false;
    QTest::newRow("huge") << "1e300" << false;
}

void TaxSettingsTest::validRates()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(isValidTaxRate(text), valid);
}

void TaxSettingsTest::storedRatesReadAlikeInEveryLocale_data()
{
    QTest::addColumn<QString>("typedIn"); // "": stored so by an earlier version
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("rate");
    QTest::newRow("C") << "C"
                       << " 8.25" << 8.25;
    QTest::newRow("de_DE") << "de_DE"
                           << "8,25" << 8.25;
    QTest::newRow("fr_FR") << "fr_FR"
                           << "+8,25" << 8.25;
    QTest::newRow("exponent") << "de_DE"
                              << "1,5e1" << 15.0;
    QTest::newRow("stored with a comma") << ""
                                         << "8,25" << 8.25;
}

void TaxSettingsTest::storedRatesReadAlikeInEveryLocale()
{
    QFETCH(QString, typedIn);
    QFETCH(QString, typed);
    QFETCH(double, rate);
    TaxSettings written;
    {
        Fixtures::LocaleGuard guard{QLocale(typedIn.isEmpty() ? "de_DE" : typedIn)};
        written.rate1 = typedIn.isEmpty() ? typed : TaxRate::toStored(typed).value_or("?");
    }
    const QList<std::pair<int, DataRecord>> records = written.toRecords();
    for (const char *locale : {"C", "de_DE", "fr_FR"}) {
        Fixtures::LocaleGuard guard{QLocale(locale)};
        const TaxSettings read = TaxSettings::fromRecords(records[0].second, records[1].second);
        QCOMPARE(read.firstRate(), rate);
        QVERIFY(TaxRate::isStoredNumber(read.rate1));
        // Shown in the locale, and stored again as it was.
        const QString shown = TaxRate::toTyped(read.rate1);
        QCOMPARE(TaxRate::value(TaxRate::toStored(shown).value_or("?")), rate);
    }
}

TB_TEST(TaxSettingsTest)
#include "TaxSettingsTest.moc"
