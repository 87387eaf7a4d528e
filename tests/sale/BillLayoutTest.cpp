#include "common/TestMain.h"

#include "ui/BillLayout.h"

#include <QTest>

// Bills laid out for a roll 24 characters wide.
class BillLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void fit_data();
    void fit();
};

void BillLayoutTest::fit_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("printed");

    QTest::newRow("fits") << QStringList{"TEA - $2.00   X   1", ""}
                          << QStringList{"TEA - $2.00   X   1", ""};
    QTest::newRow("amount beside the name's last line")
        << QStringList{"ORANGE JUICE COLD PRESSED - $3.50   X   2"}
        << QStringList{"ORANGE JUICE COLD", "PRESSED    $3.50   X   2"};
    QTest::newRow("amount on a line of its own")
        << QStringList{"ORANGE JUICE COLD PRESSED 750ML - $3.50   X   2"}
        << QStringList{"ORANGE JUICE COLD", "PRESSED 750ML", "           $3.50   X   2"};
    QTest::newRow("a name without blanks")
        << QStringList{"ABCDEFGHIJKLMNOPQRSTUVWXYZ - $1.00   X   1"}
        << QStringList{"ABCDEFGHIJKLMNOPQRSTUVWX", "YZ         $1.00   X   1"};
    QTest::newRow("header lines") << QStringList{"BAECKEREI MUELLER\r\nHauptstr. 1\nBonn"}
                                  << QStringList{"BAECKEREI MUELLER", "Hauptstr. 1", "Bonn"};
    QTest::newRow("a long text line") << QStringList{"Thank you for shopping with us today"}
                                      << QStringList{"Thank you for shopping", "with us today"};
}

void BillLayoutTest::fit()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, printed);
    QCOMPARE(BillLayout::fit(lines, 24), printed);
}

TB_TEST(BillLayoutTest)
#include "BillLayoutTest.moc"
