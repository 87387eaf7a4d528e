#include "ReportRecords.h"

#include "common/TempDir.h"
#include "common/TestMain.h"

#include "datafile/MoneyText.h"
#include "report/QueryEngine.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using enum ReportProperty;
using enum QueryMode;
using enum Comparison;
using namespace ReportRecords;

namespace {
QList<double> valuesOf(const QList<double> &values, const QList<qsizetype> &indices)
{
    QList<double> out;
    for (const qsizetype i : indices)
        out.append(values[i]);
    return out;
}

// The selection and labelling done the slow, literal way: insertion sort,
// then for each selected value a search from the first record for an unused
// one of that value.
QList<qsizetype> literalSelection(const QList<double> &values, bool highest, int n)
{
    QList<double> sorted;
    for (const double v : values) {
        qsizetype at = sorted.size();
        while (at > 0 && sorted[at - 1] > v)
            --at;
        sorted.insert(at, v);
    }
    const qsizetype c = sorted.size();
    QList<double> selection;
    if (c >= n) {
        const qsizetype from = highest ? c - n : 0;
        for (qsizetype i = from; i < from + n; ++i)
            selection.append(sorted[i]);
        if (n > 0) {
            const double atCut = highest ? sorted[c - n] : sorted[n - 1];
            for (qsizetype i = 0; i < c; ++i)
                if ((i < from || i >= from + n) && sorted[i] == atCut)
                    selection.append(sorted[i]);
        }
    } else {
        selection = sorted;
    }
    QList<bool> used(values.size(), false);
    QList<qsizetype> records;
    for (const double v : selection) {
        for (qsizetype r = 0; r < values.size(); ++r) {
            if (!used[r] && values[r] == v) {
                used[r] = true;
                records.append(r);
                break;
            }
        }
    }
    return records;
}

QList<qsizetype> indices(std::initializer_list<int> list)
{
    QList<qsizetype> out;
    for (const int i : list)
        out.append(i);
    return out;
}
} // namespace

class QueryEngineTest : public QObject
{
    Q_OBJECT

private slots:
    void selects_data();
    void selects();
    void matchesLiteralSelection();
    void convertsValue_data();
    void convertsValue();
    void runs_data();
    void runs();
    void readsFiguresAsTheirKind();
    void writesEveryDistinctValue();
    void failsOnUnreadableDatafile_data();
    void failsOnUnreadableDatafile();
    void namedEngines();
};

void QueryEngineTest::selects_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QueryMode>("mode");
    QTest::addColumn<Comparison>("comparison");
    QTest::addColumn<double>("value");
    QTest::addColumn<QList<double>>("selected");
    QTest::addColumn<QList<qsizetype>>("records");

    const QList<double> v{5, 3, 5, 8};
    QTest::newRow("greater") << v << Absolute << GreaterThan << 5.0 << QList<double>{8}
                             << indices({3});
    QTest::newRow("less") << v << Absolute << LessThan << 5.0 << QList<double>{3} << indices({1});
    QTest::newRow("greater or equal")
        << v << Absolute << GreaterOrEqual << 5.0 << QList<double>{5, 5, 8} << indices({0, 2, 3});
    QTest::newRow("less or equal")
        << v << Absolute << LessOrEqual << 5.0 << QList<double>{5, 3, 5} << indices({0, 1, 2});
    QTest::newRow("equal") << v << Absolute << EqualTo << 5.0 << QList<double>{5, 5}
                           << indices({0, 2});
    QTest::newRow("absolute none")
        << v << Absolute << GreaterThan << 8.0 << QList<double>{} << indices({});
    QTest::newRow("money amounts") << QList<double>{4.99, 5.0, 5.01} << Absolute << GreaterThan
                                   << 5.0 << QList<double>{5.01} << indices({2});

    // Every tie at the cut is taken, after the cut values.
    QTest::newRow("highest 3 of 5 9 9 7 9 2")
        << QList<double>{5, 9, 9, 7, 9, 2} << Relative << GreaterThan << 3.0
        << QList<double>{9, 9, 9} << indices({1, 2, 4});
    QTest::newRow("highest 2 of 5 7 7 9") << QList<double>{5, 7, 7, 9} << Relative << GreaterThan
                                          << 2.0 << QList<double>{7, 9, 7} << indices({1, 3, 2});
    QTest::newRow("lowest 2 of 4 1 1 1") << QList<double>{4, 1, 1, 1} << Relative << LessThan << 2.0
                                         << QList<double>{1, 1, 1} << indices({1, 2, 3});
    QTest::newRow("lowest 2 of 3 2 1 2 5") << QList<double>{3, 2, 1, 2, 5} << Relative << LessThan
                                           << 2.0 << QList<double>{1, 2, 2} << indices({2, 1, 3});
    QTest::newRow("highest 10 of 4") << QList<double>{4, 1, 3, 2} << Relative << GreaterThan << 10.0
                                     << QList<double>{1, 2, 3, 4} << indices({1, 3, 2, 0});
    QTest::newRow("lowest 4 of 4") << QList<double>{4, 1, 3, 2} << Relative << LessThan << 4.0
                                   << QList<double>{1, 2, 3, 4} << indices({1, 3, 2, 0});
    QTest::newRow("highest 1 of equals") << QList<double>{6, 6, 6} << Relative << GreaterThan << 1.0
                                         << QList<double>{6, 6, 6} << indices({0, 1, 2});
    QTest::newRow("highest 0") << v << Relative << GreaterThan << 0.0 << QList<double>{}
                               << indices({});
    QTest::newRow("lowest negative")
        << v << Relative << LessThan << -2.0 << QList<double>{} << indices({});
    QTest::newRow("highest 0.7 is 1")
        << v << Relative << GreaterThan << 0.7 << QList<double>{8} << indices({3});
    QTest::newRow("highest 1.4 is 1")
        << v << Relative << GreaterThan << 1.4 << QList<double>{8} << indices({3});
    QTest::newRow("highest huge") << v << Relative << GreaterThan << 1e300
                                  << QList<double>{3, 5, 5, 8} << indices({1, 0, 2, 3});
    QTest::newRow("relative equal-to")
        << v << Relative << EqualTo << 2.0 << QList<double>{} << indices({});
    QTest::newRow("nothing collected")
        << QList<double>{} << Relative << GreaterThan << 3.0 << QList<double>{} << indices({});
}

void QueryEngineTest::selects()
{
    QFETCH(QList<double>, values);
    QFETCH(QueryMode, mode);
    QFETCH(Comparison, comparison);
    QFETCH(double, value);
    QFETCH(QList<double>, selected);
    QFETCH(QList<qsizetype>, records);

    const QList<qsizetype> got = QueryEngine::select(values, mode, comparison, value);
    QCOMPARE(valuesOf(values, got), selected);
    QCOMPARE(got, records);
}

void QueryEngineTest::matchesLiteralSelection()
{
    QRandomGenerator random(12);
    for (int round = 0; round < 2000; ++round) {
        QList<double> values;
        const int count = random.bounded(0, 30);
        const int spread = random.bounded(1, 8); // few distinct values: many ties
        for (int i = 0; i < count; ++i)
            values.append(random.bounded(0, spread) * 0.25);
        const int n = random.bounded(0, 34);
        const bool highest = random.bounded(2) == 0;
        QCOMPARE(QueryEngine::select(values, Relative, highest ? GreaterThan : LessThan, n),
                 literalSelection(values, highest, n));
    }
}

void QueryEngineTest::convertsValue_data()
{
    QTest::addColumn<ReportProperty>("property");
    QTest::addColumn<QueryMode>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    QTest::newRow("money") << ItemCost << Absolute << "$5.25" << true << 5.25;
    QTest::newRow("money in brackets") << Balance << Absolute << "($10.70)" << true << -10.7;
    QTest::newRow("count") << ItemsSold << Absolute << "12" << true << 12.0;
    QTest::newRow("spent as a number") << TotalSpent << Absolute << "7.5" << true << 7.5;
    QTest::newRow("duration") << LoggedOnTime << Absolute << "0001:30:00:250" << true << 5400250.0;
    QTest::newRow("duration not valid")
        << LoggedOnTime << Absolute << "1:30:00:000" << false << 0.0;
    QTest::newRow("relative count of durations") << LoggedOnTime << Relative << "3" << true << 3.0;
    QTest::newRow("relative count of money") << ItemCost << Relative << "4" << true << 4.0;
    QTest::newRow("not a number") << ItemsSold << Absolute << "ten" << false << 0.0;
}

void QueryEngineTest::convertsValue()
{
    QFETCH(ReportProperty, property);
    QFETCH(QueryMode, mode);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> got = QueryEngine::convertValue(property, mode, text);
    QCOMPARE(got.has_value(), valid);
    if (valid)
        QCOMPARE(*got, value);
}

void QueryEngineTest::runs_data()
{
    QTest::addColumn<ReportProperty>("property");
    QTest::addColumn<QueryMode>("mode");
    QTest::addColumn<Comparison>("comparison");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("items by cost") << ItemCost << Absolute << GreaterOrEqual << "$5.00"
                                   << QStringList{"BOLT - $5.00", "NUT - $5.00", "HINGE - $12.50"};
    QTest::newRow("equal prices keep their own names")
        << ItemCost << Relative << GreaterThan << "2"
        << QStringList{"BOLT - $5.00", "HINGE - $12.50", "NUT - $5.00"};
    QTest::newRow("items sold, highest 2 with a tie")
        << ItemsSold << Relative << GreaterThan << "2"
        << QStringList{"BOLT - 7", "HINGE - 9", "NUT - 7"};
    QTest::newRow("remaining inventory")
        << RemainingInventory << Absolute << LessThan << "4" << QStringList{"BOLT - 3", "NUT - 3"};
    QTest::newRow("total inventory") << TotalInventory << Relative << LessThan << "1"
                                     << QStringList{"BOLT - 10", "NUT - 10", "WASHER - 10"};
    QTest::newRow("credit balance")
        << Balance << Absolute << LessThan << "$0.00" << QStringList{"SMITH - ($12.50)"};
    QTest::newRow("credit visits")
        << NumberOfVisits << Relative << GreaterThan << "1" << QStringList{"JONES - 8"};
    QTest::newRow("credit total spent") << TotalSpent << Absolute << EqualTo << "40"
                                        << QStringList{"SMITH - $40.00", "JONES - $40.00"};
    QTest::newRow("cashier amount sold")
        << AmountSold << Absolute << GreaterThan << "$100.00" << QStringList{"ANN - $250.00"};
    QTest::newRow("cashier sales")
        << SalesPerformed << Absolute << EqualTo << "4" << QStringList{"BOB - 4"};
    QTest::newRow("cashier time over an hour")
        << LoggedOnTime << Absolute << GreaterThan << "0001:00:00:000"
        << QStringList{"ANN - 0001:30:00:000"};
    QTest::newRow("cashier time, lowest")
        << LoggedOnTime << Relative << LessThan << "1" << QStringList{"BOB - 0000:45:10:005"};
    QTest::newRow("nothing passes")
        << ItemCost << Absolute << GreaterThan << "$100.00" << QStringList{};
    QTest::newRow("value not readable")
        << ItemsSold << Absolute << GreaterThan << "many" << QStringList{};
}

void QueryEngineTest::runs()
{
    QFETCH(ReportProperty, property);
    QFETCH(QueryMode, mode);
    QFETCH(Comparison, comparison);
    QFETCH(QString, value);
    QFETCH(QStringList, lines);

    TempDir dir;
    DataRecord freeRecord;
    const QString path = datafile(
        dir.path("shop.tb2"),
        {item("BOLT", 5, 7, 10), customer("SMITH", -12.5, 3, 40), item("NUT", 5, 7, 10),
         cashier("ANN", 250, 12, 5400000), freeRecord, item("HINGE", 12.5, 9, 15),
         customer("JONES", 20, 8, 40), item("WASHER", 0.1, 0, 10), cashier("BOB", 80, 4, 2710005)});
    QVERIFY(!path.isEmpty());

    const Result<ReportList> result = QueryEngine::run(path, property, mode, comparison, value);
    QCOMPARE(result.error(), FileError::None);
    QCOMPARE(result->toStringList(), lines);
}

void QueryEngineTest::readsFiguresAsTheirKind()
{
    TempDir dir;
    DataRecord text = item("TEXT", 1);
    text.Sold = FieldValue::fromText(QStringLiteral("6 boxes")); // typed into a box
    DataRecord half = item("HALF", 1);
    half.Sold = FieldValue::fromDouble(2.5);
    DataRecord most = item("MOST", 1);
    most.Sold = FieldValue::fromDouble(2.7);
    DataRecord money = item("MONEY", 1);
    money.Sold = FieldValue::fromCurrency(*Currency::fromDecimal("2.7"));
    DataRecord damaged = item("NAN", 1);
    damaged.Sold = FieldValue::fromDouble(qQNaN());
    DataRecord empty = item("EMPTY", 1);
    empty.Sold = FieldValue();
    DataRecord oddPrice = item("ODD", 1);
    oddPrice.Price = FieldValue::fromText(QStringLiteral("3.255"));
    const QString path =
        datafile(dir.path("shop.tb2"), {text, half, most, money, damaged, empty, oddPrice});
    QVERIFY(!path.isEmpty());

    QCOMPARE(
        QueryEngine::run(path, ItemsSold, Absolute, GreaterOrEqual, "0").valueOr({}).toStringList(),
        (QStringList{"TEXT - 6", "HALF - 2", "MOST - 3", "MONEY - 3", "NAN - 0", "EMPTY - 0",
                     "ODD - 0"}));
    QCOMPARE(
        QueryEngine::run(path, ItemCost, Absolute, GreaterThan, "$3.00").valueOr({}).toStringList(),
        QStringList{"ODD - $3.26"});

    // A customer known by a number stored as a number is listed by it.
    DataRecord numbered = customer("", 2, 4);
    numbered.Number = FieldValue::fromInt32(1042);
    const QString credit = datafile(dir.path("credit.tb2"), {customer("ANNA", 1, 2), numbered});
    QCOMPARE(QueryEngine::run(credit, NumberOfVisits, Absolute, GreaterThan, "0")
                 .valueOr({})
                 .toStringList(),
             (QStringList{"ANNA - 2", "1042 - 4"}));
}

void QueryEngineTest::writesEveryDistinctValue()
{
    // More values than the engine's first table of written values holds,
    // whole ones among them, each met twice and out of order.
    QList<DataRecord> entries;
    QStringList expected;
    for (int i = 0; i < 1500; ++i) {
        const int units = (i * 7) % 750;
        const double price = i % 2 ? units : units + 0.25;
        entries.append(item(QStringLiteral("N%1").arg(i), price, units));
        expected.append(QStringLiteral("N%1 - ").arg(i)
                        + MoneyText::formatCurrency(Currency::fromDouble(price)));
    }
    TempDir dir;
    const QString path = datafile(dir.path("shop.tb2"), entries);
    QVERIFY(!path.isEmpty());
    QCOMPARE(
        QueryEngine::run(path, ItemCost, Absolute, GreaterOrEqual, "0").valueOr({}).toStringList(),
        expected);
    const QStringList sold =
        QueryEngine::run(path, ItemsSold, Absolute, GreaterOrEqual, "0").valueOr({}).toStringList();
    QCOMPARE(sold.size(), 1500);
    QCOMPARE(sold[749], QStringLiteral("N749 - 743"));
}

void QueryEngineTest::failsOnUnreadableDatafile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<FileError>("error");
    QTest::newRow("missing") << QByteArray() << false << FileError::FileNotFound;
    QTest::newRow("not whole records")
        << QByteArray(RecordLength * 21 + 5, '\0') << true << FileError::BadFileFormat;
    // An item whose name claims more bytes than its record holds.
    QByteArray broken(RecordLength * 21, '\0');
    broken.replace(0, 7, QByteArray("\x08\x00\x03\x00***", 7)); // record 1 a header
    broken[RecordLength * 20] = 8;
    broken[RecordLength * 20 + 2] = char(200);
    QTest::newRow("broken entry") << broken << true << FileError::FieldPastRecord;
}

void QueryEngineTest::failsOnUnreadableDatafile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, exists);
    QFETCH(FileError, error);
    TempDir dir;
    const QString path = exists ? dir.writeFile("shop.tb2", bytes) : dir.path("none.tb2");
    const Result<ReportList> result =
        QueryEngine::run(path, ItemsSold, Absolute, GreaterOrEqual, "0");
    QVERIFY(result.error() != FileError::None);
    QCOMPARE(result.error(), error);
    QCOMPARE(dir.files().size(), exists ? 1 : 0);
}

void QueryEngineTest::namedEngines()
{
    TempDir dir;
    const QString path = datafile(dir.path("shop.tb2"), {item("BOLT", 5, 1), customer("SMITH", 3),
                                                         cashier("ANN", 9, 2, 1000)});
    // The builders' numbered codes: mode 1 absolute, 2 relative; comparison 1
    // greater than (highest), 5 equal to.
    ReportList lines{"left over"};
    QVERIFY(RunItemQuery(lines, path, 1, 1, 1, "$1.00"));
    QCOMPARE(lines.toStringList(), QStringList{"BOLT - $5.00"});
    QVERIFY(RunCreditQuery(lines, path, 1, 1, 1, "$1.00"));
    QCOMPARE(lines.toStringList(), QStringList{"SMITH - $3.00"});
    QVERIFY(RunCashierQuery(lines, path, 3, 1, 5, "0000:00:01:000"));
    QCOMPARE(lines.toStringList(), QStringList{"ANN - 0000:00:01:000"});
    QVERIFY(!RunCashierQuery(lines, path, 2, 1, 1, "2"));
    QVERIFY(lines.isEmpty());
    // A property the kind has not selects nothing.
    QVERIFY(!RunCreditQuery(lines, path, 4, 1, 1, "0"));
    // A datafile with no entries of the kind: nothing, and no failure either.
    const QString bare = datafile(dir.path("bare.tb2"), {});
    QVERIFY(!RunItemQuery(lines, bare, 2, 2, 1, "3"));
    QCOMPARE(QueryEngine::run(bare, ItemsSold, Relative, GreaterThan, "3").error(),
             FileError::None);
}

TB_TEST(QueryEngineTest)
#include "QueryEngineTest.moc"
