#include "common/Results.h"
#include "common/TempDir.h"
#include "common/TestMain.h"
#include "datafile/DatafileFixtures.h"

#include "datafile/ItemEntry.h"
#include "sale/ItemProposal.h"
#include "sale/Sale.h"

#include <QFile>
#include <QTest>

#include <functional>

#include <sys/inotify.h>
#include <unistd.h>

using Fixtures::makeDatafile;

namespace {
DataRecord item(const char *name, const char *number, const char *price, double stock)
{
    return ItemEntry::make(name, number, *Currency::fromDecimal(price), stock).record();
}

// Items sold and remaining of record n.
QPair<double, double> stockOf(const QString &path, int n)
{
    const ItemEntry item(RecordStore(path).readRecord(n).valueOr(DataRecord()));
    return {item.sold(), item.remaining()};
}

using Stock = QPair<double, double>;

// How many times `act` opens the file at `path`: a stock change read in one
// opening and written in another loses what another till wrote in between.
int opensOf(const QString &path, const std::function<void()> &act)
{
    const int fd = inotify_init1(IN_NONBLOCK);
    // Closes are watched too, or two opens in a row would count as one.
    inotify_add_watch(fd, QFile::encodeName(path).constData(), IN_OPEN | IN_CLOSE);
    act();
    int opens = 0;
    alignas(inotify_event) char events[4096];
    for (ssize_t got; (got = ::read(fd, events, sizeof events)) > 0;)
        for (const char *e = events; e < events + got;) {
            const auto *event = reinterpret_cast<const inotify_event *>(e);
            opens += (event->mask & IN_OPEN) != 0;
            e += sizeof(inotify_event) + event->len;
        }
    ::close(fd);
    return opens;
}
} // namespace

class SaleTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void ringsByNameOrNumber_data();
    void ringsByNameOrNumber();
    void refusesAQuantity_data();
    void refusesAQuantity();
    void removalPutsStockBackWhereItCameFrom();
    void stockChangesOpenTheFileOnce();
    void removalTakesBackWhatRingingTook_data();
    void removalTakesBackWhatRingingTook();
    void refusesWhatPassesTheLargestAmount();
    void unstoredAndDiscountLinesTouchNoRecord();
    void clearPutsEverythingBack();
    void fileErrorLeavesTheBill();
    void itemProposal_data();
    void itemProposal();

private:
    std::unique_ptr<TempDir> m_dir;
    QString m_path;
};

void SaleTest::init()
{
    m_dir = std::make_unique<TempDir>();
    // Record 21 TEA, 22 a cashier, 23 an item whose name is TEA's number,
    // 24 COFFEE, 25 a second, dearer TEA.
    m_path = makeDatafile(*m_dir, {item("TEA", "101", "1.50", 10), Fixtures::cashier("ANN"),
                                   item("202", "5", "9.99", 4), item("COFFEE", "202", "3.00", 8),
                                   item("TEA", "102", "2.50", 6)});
    QVERIFY(!m_path.isEmpty());
}

void SaleTest::ringsByNameOrNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("record");
    QTest::addColumn<QString>("line");
    QTest::newRow("name") << "TEA" << 21 << "TEA - $1.50   X   3";
    QTest::newRow("number") << "101" << 21 << "TEA - $1.50   X   3";
    // "202" is one item's name and another's number: the first record wins.
    QTest::newRow("name equals a number") << "202" << 23 << "202 - $9.99   X   3";
    QTest::newRow("second of a name") << "102" << 25 << "TEA - $2.50   X   3";
}

void SaleTest::ringsByNameOrNumber()
{
    QFETCH(QString, typed);
    QFETCH(int, record);
    QFETCH(QString, line);
    Sale sale;
    const Stock before = stockOf(m_path, record);
    QCOMPARE(sale.ring(m_path, typed, "3").valueOr(Sale::Rung::Nothing), Sale::Rung::Done);
    QCOMPARE(sale.bill().texts(), QStringList{line});
    QCOMPARE(sale.bill().lines()[0].record, record);
    // The stock changes at once, before any payment.
    QCOMPARE(stockOf(m_path, record), Stock(before.first + 3, before.second - 3));
    QCOMPARE(sale.ring(m_path, "TEAPOT", "1").valueOr(Sale::Rung::Done), Sale::Rung::NotFound);
    QCOMPARE(sale.ring(m_path, "***", "1").valueOr(Sale::Rung::Done), Sale::Rung::Nothing);
    QCOMPARE(sale.ring(m_path, "", "1").valueOr(Sale::Rung::Done), Sale::Rung::Nothing);
    QCOMPARE(sale.bill().count(), 1);
}

void SaleTest::refusesAQuantity_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::newRow("letters") << "ab";
    QTest::newRow("minus") << "-1";
    QTest::newRow("trailing minus") << "5-";
    QTest::newRow("parentheses") << "(5)";
    QTest::newRow("money") << "$3";
}

void SaleTest::refusesAQuantity()
{
    QFETCH(QString, quantity);
    const QByteArray before = TempDir::readFile(m_path);
    Sale sale;
    QCOMPARE(sale.ring(m_path, "TEA", quantity).valueOr(Sale::Rung::Nothing),
             Sale::Rung::InvalidQuantity);
    QCOMPARE(sale.ringRecord(m_path, 21, quantity).valueOr(Sale::Rung::Nothing),
             Sale::Rung::InvalidQuantity);
    QVERIFY(sale.bill().isEmpty());
    QCOMPARE(TempDir::readFile(m_path), before);
}

void SaleTest::removalPutsStockBackWhereItCameFrom()
{
    Sale sale;
    QVERIFY(sale.ring(m_path, "102", "2").ok()); // the second TEA
    QVERIFY(sale.ring(m_path, "TEA", "1").ok()); // the first
    // Only the record each line was rung from gets its stock back.
    QCOMPARE(sale.remove(m_path, 0).valueOr(Sale::Removed::NoSuchLine), Sale::Removed::Done);
    QCOMPARE(stockOf(m_path, 25), Stock(0, 6));
    QCOMPARE(stockOf(m_path, 21), Stock(1, 9));

    // A delete moves the first TEA's record; its line finds it by name.
    QCOMPARE(RecordStore(m_path).DeleteRecord(22), FileError::None);
    QCOMPARE(sale.remove(m_path, 0).valueOr(Sale::Removed::NoSuchLine), Sale::Removed::Done);
    QCOMPARE(stockOf(m_path, 21), Stock(0, 10));
    QVERIFY(sale.bill().isEmpty());
    QCOMPARE(sale.bill().subtotal(), Currency());
    QCOMPARE(sale.remove(m_path, 0).valueOr(Sale::Removed::Done), Sale::Removed::NoSuchLine);
}

void SaleTest::stockChangesOpenTheFileOnce()
{
    Sale sale;
    QCOMPARE(opensOf(m_path, [&] { QVERIFY(sale.ringRecord(m_path, 24, "1").ok()); }), 1);
    QCOMPARE(opensOf(m_path, [&] { QVERIFY(sale.ring(m_path, "TEA", "1").ok()); }), 1);
    QCOMPARE(opensOf(m_path, [&] { QVERIFY(sale.remove(m_path, 1).ok()); }), 1);
    QCOMPARE(RecordStore(m_path).DeleteRecord(22), FileError::None); // COFFEE is found by name
    QCOMPARE(opensOf(m_path, [&] { QVERIFY(sale.remove(m_path, 0).ok()); }), 1);
    QCOMPARE(stockOf(m_path, 23), Stock(0, 8));
}

void SaleTest::removalTakesBackWhatRingingTook_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("quantity");
    QTest::newRow("grouped quantity") << "1.50"
                                      << "1,000";
    QTest::newRow("price past the cent") << "1.2345"
                                         << "3";
}

void SaleTest::removalTakesBackWhatRingingTook()
{
    QFETCH(QString, price);
    QFETCH(QString, quantity);
    QCOMPARE(RecordStore(m_path).writeRecord(26, item("SCONE", "7", qPrintable(price), 5000)),
             FileError::None);
    const QByteArray before = TempDir::readFile(m_path);
    Sale sale;
    QCOMPARE(sale.ring(m_path, "SCONE", quantity).valueOr(Sale::Rung::Nothing), Sale::Rung::Done);
    QVERIFY(sale.remove(m_path, 0).ok());
    QCOMPARE(TempDir::readFile(m_path), before);
    QCOMPARE(sale.bill().subtotal(), Currency());
}

void SaleTest::refusesWhatPassesTheLargestAmount()
{
    QCOMPARE(RecordStore(m_path).writeRecord(26, item("GOLD", "7", "900000000000000", 5)),
             FileError::None);
    Sale sale; // first a scanned code typed into the quantity box
    QCOMPARE(sale.ring(m_path, "TEA", "5012345678900123").valueOr(Sale::Rung::Done),
             Sale::Rung::TooLarge);
    QCOMPARE(sale.ring(m_path, "GOLD", "1").valueOr(Sale::Rung::Nothing), Sale::Rung::Done);
    const QByteArray before = TempDir::readFile(m_path);
    QCOMPARE(sale.ring(m_path, "GOLD", "1").valueOr(Sale::Rung::Done), Sale::Rung::TooLarge);
    QCOMPARE(sale.ringRecord(m_path, 26, "1").valueOr(Sale::Rung::Done), Sale::Rung::TooLarge);
    QCOMPARE(TempDir::readFile(m_path), before);
    QCOMPARE(sale.bill().count(), 1);
    QCOMPARE(sale.bill().subtotal(), *Currency::fromDecimal("900000000000000"));
}

void SaleTest::unstoredAndDiscountLinesTouchNoRecord()
{
    // An item named like a discount line gains nothing from its removal.
    QCOMPARE(
        RecordStore(m_path).writeRecord(26, item("Subtotal Discount Fixed Amount", "9", "1.00", 5)),
        FileError::None);
    const QByteArray before = TempDir::readFile(m_path);
    Sale sale;
    sale.bill().billUnstored("TEA", "$7.00", "1");
    sale.bill().subtotalDiscountAmount(*Currency::fromDecimal("1"));
    QVERIFY(sale.remove(m_path, 1).ok());
    QVERIFY(sale.remove(m_path, 0).ok());
    QCOMPARE(TempDir::readFile(m_path), before);
    QCOMPARE(sale.bill().subtotal(), Currency());
}

void SaleTest::clearPutsEverythingBack()
{
    const QByteArray before = TempDir::readFile(m_path);
    Sale sale;
    QVERIFY(sale.ring(m_path, "TEA", "3").ok());
    QVERIFY(sale.ring(m_path, "COFFEE", "2").ok());
    QVERIFY(sale.ring(m_path, "202", "1").ok());
    sale.bill().applyTax(10, std::nullopt);
    QCOMPARE(sale.bill().grandTotalDiscountPercent(5), Bill::Refusal::None);
    QVERIFY(TempDir::readFile(m_path) != before);
    QCOMPARE(sale.clear(m_path), FileError::None);
    QVERIFY(sale.bill().isEmpty());
    QCOMPARE(sale.bill().subtotal(), Currency());
    QVERIFY(!sale.bill().grandTotal());
    QCOMPARE(stockOf(m_path, 21), Stock(0, 10));
    QCOMPARE(stockOf(m_path, 23), Stock(0, 4));
    QCOMPARE(stockOf(m_path, 24), Stock(0, 8));
}

void SaleTest::fileErrorLeavesTheBill()
{
    Sale sale;
    QVERIFY(sale.ring(m_path, "TEA", "1").ok());
    QVERIFY(QFile::remove(m_path));
    QCOMPARE(sale.ring(m_path, "COFFEE", "1").error(), FileError::FileNotFound);
    QCOMPARE(sale.remove(m_path, 0).error(), FileError::FileNotFound);
    QCOMPARE(sale.clear(m_path), FileError::FileNotFound);
    QCOMPARE(sale.bill().texts(), QStringList{"TEA - $1.50   X   1"});
    QCOMPARE(sale.bill().subtotal(), *Currency::fromDecimal("1.50"));
}

void SaleTest::itemProposal_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("found");
    QTest::newRow("first of several") << "b" << 1;
    QTest::newRow("longer prefix") << "bU" << 2;
    QTest::newRow("whole entry") << "TEA" << 4;
    QTest::newRow("none") << "X" << -1;
    QTest::newRow("past the end") << "ZZ" << -1;
    QTest::newRow("empty") << "" << -1;
}

void SaleTest::itemProposal()
{
    QFETCH(QString, typed);
    QFETCH(int, found);
    const QStringList sorted{"APPLE", "BREAD", "Bun", "COFFEE", "TEA", "TEAPOT"};
    QCOMPARE(proposalFor(sorted, typed).value_or(-1), found);
}

TB_TEST(SaleTest)
#include "SaleTest.moc"
