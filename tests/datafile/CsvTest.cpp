#include "DatafileFixtures.h"
#include "common/TestMain.h"

#include "datafile/Csv.h"
#include "datafile/ItemEntry.h"
#include "datafile/MoneyText.h"

#include <QTest>

#include <limits>

using Fixtures::LocaleGuard;

class CsvTest : public QObject
{
    Q_OBJECT

private slots:
    void parses_data();
    void parses();
    void refuses_data();
    void refuses();
    void writtenFieldsReadBack_data();
    void writtenFieldsReadBack();
    void decimalText_data();
    void decimalText();
    void itemFromTexts_data();
    void itemFromTexts();
};

// Rows as "line:field|field" strings, to keep the tables short.
static QStringList rowsOf(const Csv::Table &table)
{
    QStringList rows;
    for (const Csv::Row &r : table.rows)
        rows << QString::number(r.line) + QLatin1Char(':') + r.fields.join(QLatin1Char('|'));
    return rows;
}

void CsvTest::parses_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("crlf") << QByteArray("a,b\r\n1,2\r\n") << QStringList{"1:a|b", "2:1|2"};
    QTest::newRow("lf, no end") << QByteArray("a,b\n1,2") << QStringList{"1:a|b", "2:1|2"};
    QTest::newRow("empty fields") << QByteArray(",x,\r\n") << QStringList{"1:|x|"};
    QTest::newRow("quoted comma and quote")
        << QByteArray("\"a,b\",\"say \"\"hi\"\"\"\r\n") << QStringList{"1:a,b|say \"hi\""};
    QTest::newRow("line end in quotes") << QByteArray("\"one\r\ntwo\",x\r\nnext,y\r\n")
                                        << QStringList{"1:one\r\ntwo|x", "3:next|y"};
    QTest::newRow("empty quoted field") << QByteArray("\"\",a") << QStringList{"1:|a"};
    QTest::newRow("blank lines skipped")
        << QByteArray("a\r\n\r\n\nb\r\n") << QStringList{"1:a", "4:b"};
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFName\r\n") << QStringList{"1:Name"};
    QTest::newRow("utf-8 text") << QByteArray("caf\xC3\xA9,\xE2\x82\xAC 1\r\n")
                                << QStringList{QString::fromUtf8("1:caf\xC3\xA9|\xE2\x82\xAC 1")};
    QTest::newRow("blanks kept") << QByteArray(" a , b ") << QStringList{"1: a | b "};
    QTest::newRow("empty quoted field alone")
        << QByteArray("\"\"\r\nb\r\n\"\"") << QStringList{"1:", "2:b", "3:"};
    QTest::newRow("cr at the end") << QByteArray("a,b\r") << QStringList{"1:a|b"};
    QTest::newRow("nothing") << QByteArray() << QStringList{};
}

void CsvTest::parses()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, rows);
    const Csv::Table table = Csv::parse(text);
    QVERIFY2(!table.problem, qPrintable(table.problem ? table.problem->reason : QString()));
    QCOMPARE(rowsOf(table), rows);
}

void CsvTest::refuses_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");
    QTest::newRow("quote inside a field")
        << QByteArray("a,b\r\n1,x\"y\r\n") << 2 << "a quote inside a field";
    QTest::newRow("text after closing quote")
        << QByteArray("a\r\nb\r\n\"x\"y,1\r\n") << 3 << "text after the closing quote";
    QTest::newRow("quote never closed")
        << QByteArray("a\r\n\"open,\r\nmore\r\nrest") << 2 << "never closed";
    QTest::newRow("latin-1 byte") << QByteArray("Name\r\ncaf\xE9\r\n") << 2
                                  << "not UTF-8 text: byte 0xe9 at column 4";
    QTest::newRow("stray continuation") << QByteArray("\x80") << 1 << "byte 0x80";
    QTest::newRow("overlong slash") << QByteArray("a\n\xC0\xAF") << 2 << "byte 0xc0";
    QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xAF") << 1 << "byte 0xe0";
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << 1 << "byte 0xed";
    QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << 1 << "byte 0xf4";
    QTest::newRow("cut short at the end") << QByteArray("ok\n\xE2\x82") << 2 << "byte 0xe2";
}

void CsvTest::refuses()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(QString, reason);
    const Csv::Table table = Csv::parse(text);
    QVERIFY(table.problem);
    QCOMPARE(table.problem->line, line);
    QVERIFY2(table.problem->reason.contains(reason), qPrintable(table.problem->reason));
    QVERIFY(table.rows.isEmpty());
}

void CsvTest::writtenFieldsReadBack_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << QStringList{"a", "1.50"} << "a,1.50\r\n";
    QTest::newRow("comma") << QStringList{"a,b", ""} << "\"a,b\",\r\n";
    QTest::newRow("quote") << QStringList{"2\" PIPE"} << "\"2\"\" PIPE\"\r\n";
    QTest::newRow("line ends") << QStringList{"x\r\ny", "z\n"} << "\"x\r\ny\",\"z\n\"\r\n";
    QTest::newRow("lone cr") << QStringList{"a\rb"} << "\"a\rb\"\r\n";
    QTest::newRow("one empty field") << QStringList{""} << "\"\"\r\n";
    QTest::newRow("non-ASCII") << QStringList{QString::fromUtf8("\xE2\x82\xAC")}
                               << QString::fromUtf8("\xE2\x82\xAC\r\n");
    // Unquoted, it would be read as the file's byte order mark.
    QTest::newRow("byte order mark first") << QStringList{QString(QChar(0xFEFF)) + "A"}
                                           << QString(QChar('"')) + QChar(0xFEFF) + "A\"\r\n";
}

void CsvTest::writtenFieldsReadBack()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, written);
    QCOMPARE(Csv::line(fields), written);
    const Csv::Table table = Csv::parse(written.toUtf8());
    QVERIFY(!table.problem);
    QCOMPARE(table.rows.size(), 1);
    QCOMPARE(table.rows.first().fields, fields);
}

void CsvTest::decimalText_data()
{
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("text");
    QTest::newRow("1.50") << qint64(15000) << "1.50";
    QTest::newRow("-25.00") << qint64(-250000) << "-25.00";
    QTest::newRow("zero") << qint64(0) << "0.00";
    QTest::newRow("four decimals") << qint64(9235) << "0.9235";
    QTest::newRow("three decimals") << qint64(-10) << "-0.001";
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "922337203685477.5807";
}

void CsvTest::decimalText()
{
    QFETCH(qint64, raw);
    QFETCH(QString, text);
    // The same in a locale with a decimal comma.
    const LocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(MoneyText::decimalText(Currency::fromRaw(raw)), text);
}

void CsvTest::itemFromTexts_data()
{
    QTest::addColumn<QStringList>("texts"); // name, number, price, sold, stock, remaining
    QTest::addColumn<int>("fault");
    const auto row = [](const char *tag, QStringList texts, ItemFault fault) {
        QTest::newRow(tag) << texts << int(fault);
    };
    row("good", {"TEA", "5012345000114", "1.50", "3", "10", "7"}, ItemFault::None);
    row("empty counts are 0", {"TEA", "1", "0", "", "", ""}, ItemFault::None);
    row("negative remaining", {"TEA", "1", "-2.50", "12", "10", "-2"}, ItemFault::None);
    row("empty name", {"", "1", "1", "0", "0", "0"}, ItemFault::Name);
    row("customer marker", {"***", "1", "1", "0", "0", "0"}, ItemFault::Name);
    row("cashier marker", {"*+*", "1", "1", "0", "0", "0"}, ItemFault::Name);
    row("sub total", {"Sub Total 2", "1", "1", "0", "0", "0"}, ItemFault::Name);
    row("grand total", {"Grand Total", "1", "1", "0", "0", "0"}, ItemFault::Name);
    row("number not numeric", {"TEA", "A12", "1", "0", "0", "0"}, ItemFault::Number);
    row("empty number", {"TEA", "", "1", "0", "0", "0"}, ItemFault::Number);
    row("price not numeric", {"TEA", "1", "cheap", "0", "0", "0"}, ItemFault::Price);
    row("sold not whole", {"TEA", "1", "1", "1.5", "3", "1.5"}, ItemFault::Sold);
    row("stock not a number", {"TEA", "1", "1", "0", "ten", "0"}, ItemFault::Stock);
    row("remaining not whole", {"TEA", "1", "1", "0", "1", "0.5"}, ItemFault::Remaining);
    row("price past the largest amount", {"TEA", "1", "1e15", "0", "0", "0"}, ItemFault::Price);
    row("price below the smallest", {"TEA", "1", "-1e15", "0", "0", "0"}, ItemFault::Price);
    row("3 + 6 is not 10", {"TEA", "1", "1", "3", "10", "6"}, ItemFault::Unbalanced);
    row("name checked first", {"***", "x", "y", "z", "1", "2"}, ItemFault::Name);
}

void CsvTest::itemFromTexts()
{
    QFETCH(QStringList, texts);
    QFETCH(int, fault);
    const LocaleGuard us(QLocale(QLocale::English, QLocale::UnitedStates));
    const ItemCheck check =
        ItemEntry::fromTexts({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]});
    QCOMPARE(int(check.fault), fault);
    if (check.fault != ItemFault::None)
        return;
    QCOMPARE(check.item.name(), texts[0]);
    QCOMPARE(check.item.number(), texts[1]);
    QCOMPARE(check.item.price(), *MoneyText::parseCurrency(texts[2]));
    QCOMPARE(check.item.sold() + check.item.remaining(), check.item.stock());
    QCOMPARE(check.item.record().kind(), RecordKind::Item);
}

#include "CsvTest.moc"
TB_TEST(CsvTest)
