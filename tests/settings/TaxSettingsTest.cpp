#include "common/TestMain.h"

#include "datafile/TaxSettings.h"

#include <QTest>

class TaxSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void validRates_data();
    void validRates();
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

TB_TEST(TaxSettingsTest)
#include "TaxSettingsTest.moc"
