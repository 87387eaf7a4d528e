// The shop owner's commands of tallybird-data, run as a process on real
// files: check, export, import and backup.

#include "common/TempDir.h"
#include "common/TestMain.h"
#include "tools/ToolRun.h"

#include "datafile/BackupName.h"
#include "datafile/CashierEntry.h"
#include "datafile/CustomerEntry.h"
#include "datafile/DataRecord.h"
#include "datafile/EntryWalk.h"
#include "datafile/FieldValue.h"
#include "datafile/ItemEntry.h"
#include "datafile/RecordStore.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>

using namespace ToolRun;

namespace {

const QString Check = QStringLiteral("check");
const QString Export = QStringLiteral("export");
const QString Import = QStringLiteral("import");
const QString Backup = QStringLiteral("backup");
const QString Items = QStringLiteral("items");
const QByteArray OneMug = "Name,Number,Price,Stock\nMUG,301,1,1\n";

DataRecord item(const QString &name, const QString &number, qint64 cents, int sold, int stock)
{
    ItemEntry e = ItemEntry::make(name, number, Currency::fromRaw(cents * 100), stock);
    e.setSold(sold);
    e.setRemaining(stock - sold);
    return e.record();
}

DataRecord cashier(const QString &name, const QString &pin, const Privileges &p)
{
    return CashierEntry::make(name, pin, p).record();
}

// A datafile with the master cashier, TEA (number 100) and SOAP (number 200);
// the test fails when it cannot be made.
QString smallShop(const TempDir &dir, const QString &name = QStringLiteral("shop.tb2"))
{
    const QString path = newDatafile(dir, name);
    const RecordStore store(path);
    if (path.isEmpty()
        || store.writeRecord(21, cashier("BOSS", "1234", Privileges::master())) != FileError::None
        || store.writeRecord(22, item("TEA", "100", 250, 3, 10)) != FileError::None
        || store.writeRecord(23, item("SOAP", "200", 99, 0, 5)) != FileError::None) {
        QTest::qFail("the small shop could not be made", __FILE__, __LINE__);
        return QString();
    }
    return path;
}

std::vector<DataRecord> itemsOf(const QString &path)
{
    std::vector<DataRecord> items;
    for (const DataRecord &r : readAll(path)) {
        if (r.kind() == RecordKind::Item)
            items.push_back(r);
    }
    return items;
}

} // namespace

class TestDataExchange : public QObject
{
    Q_OBJECT

private slots:
    // The demo is made once; a test that writes to it takes a copy.
    void initTestCase()
    {
        m_demo = m_dir.path(QStringLiteral("demo.tb2"));
        QCOMPARE(runTool({QStringLiteral("demo"), m_demo}).exitCode, 0);
    }

    void exportThenImportRoundTripsTheItems()
    {
        TempDir dir;
        const QString demo = dir.path(QStringLiteral("demo.tb2"));
        QVERIFY(QFile::copy(m_demo, demo));
        const QString csv = dir.path(QStringLiteral("items.csv"));
        QCOMPARE(runTool({Export, Items, demo, csv}).exitCode, 0);

        const QString fresh = newDatafile(dir, QStringLiteral("fresh.tb2"));
        const Run imported = runTool({Import, Items, fresh, csv});
        QCOMPARE(imported.exitCode, 0);
        QVERIFY2(imported.out.contains(QStringLiteral("37 new item(s), 0 updated")),
                 qPrintable(imported.out));

        const std::vector<DataRecord> before = itemsOf(demo);
        const std::vector<DataRecord> after = itemsOf(fresh);
        QCOMPARE(after.size(), before.size());
        for (size_t i = 0; i < before.size(); ++i)
            QVERIFY2(after[i] == before[i], qPrintable(before[i].Name.toText()));
        QCOMPARE(readAll(fresh).size(), size_t(HeaderRecords) + before.size());

        const Run again = runTool({Export, Items, fresh});
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(again.out.toUtf8(), TempDir::readFile(csv));

        // Read back into the file it came from, every row updates its own item
        // with what it already holds.
        const QByteArray demoBytes = TempDir::readFile(demo);
        const Run same = runTool({Import, Items, demo, csv});
        QCOMPARE(same.exitCode, 0);
        QVERIFY2(same.out.contains(QStringLiteral("0 new item(s), 37 updated")),
                 qPrintable(same.out));
        QCOMPARE(TempDir::readFile(demo), demoBytes);
    }

    void importUpdatesByNumberAndKeepsSold()
    {
        TempDir dir;
        const QString path = smallShop(dir);
        DataRecord tea = readAll(path)[21];
        tea.Reserved11 = FieldValue::fromText(QStringLiteral("kept"));
        QCOMPARE(RecordStore(path).writeRecord(22, tea), FileError::None);
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                | QFileDevice::ReadGroup));

        // Columns in another order, names in other cases, no Remaining: it
        // follows from Stock and Sold. SOAP takes TEA's old name's place. The
        // blanks around a number are not part of it.
        const QString csv =
            dir.writeFile(QStringLiteral("in.csv"), "number,PRICE,Name,Stock,sold\r\n"
                                                    " 100 ,\"3.75\", Green Tea ,20,0\r\n"
                                                    "300,1,matches,5,2\r\n"
                                                    "200,0.99,TEA,5,0\r\n");
        const Run run = runTool({Import, Items, path, csv});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(QStringLiteral("1 new item(s), 2 updated")), qPrintable(run.out));
        QVERIFY(run.err.isEmpty());

        const std::vector<DataRecord> recs = readAll(path);
        QCOMPARE(recs.size(), size_t(24));
        const ItemEntry updated(recs[21]);
        QCOMPARE(updated.name(), QStringLiteral("GREEN TEA"));
        QCOMPARE(updated.number(), QStringLiteral("100"));
        QCOMPARE(updated.price(), Currency::fromRaw(37500));
        QCOMPARE(updated.sold(), 3.0); // kept, not the row's 0
        QCOMPARE(updated.stock(), 20.0);
        QCOMPARE(updated.remaining(), 17.0);
        QCOMPARE(recs[21].Reserved11.toText(), QStringLiteral("kept"));
        QCOMPARE(ItemEntry(recs[22]).name(), QStringLiteral("TEA"));
        const ItemEntry added(recs[23]);
        QCOMPARE(added.name(), QStringLiteral("MATCHES"));
        QCOMPARE(EntryWalk(path, EntryWalk::items()).search(QStringLiteral("green tea"))->outcome,
                 EntryWalk::Outcome::Shown);
        QCOMPARE(added.sold(), 2.0);
        QCOMPARE(added.remaining(), 3.0);
        QCOMPARE(recs[20], readAll(smallShop(dir, QStringLiteral("other.tb2")))[20]);

        // The new file took the old one's mode, and no copy was left behind.
        QCOMPARE(QFileInfo(path).permissions() & 0x7077,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
        QCOMPARE(dir.files(), (QStringList{QStringLiteral("in.csv"), QStringLiteral("other.tb2"),
                                           QStringLiteral("shop.tb2")}));
    }

    void badInputLeavesTheDatafileUnchanged_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");
        const QByteArray head = "Name,Number,Price,Stock\r\nCOFFEE,300,4.50,8\r\n";
        QTest::newRow("missing column") << QByteArray("Name,Number,Price\r\nX,1,1\r\n") << 1
                                        << "the column \"Stock\" is missing";
        QTest::newRow("extra column") << QByteArray("Name,Number,Price,Stock,Colour\r\n") << 1
                                      << "the column \"Colour\" is not one of";
        QTest::newRow("column twice") << QByteArray("Name,Number,Price,Stock,NAME\r\n") << 1
                                      << "the column \"Name\" appears twice";
        QTest::newRow("bad quote") << head + "MU\"G,301,1,1\r\n" << 3 << "a quote inside a field";
        QTest::newRow("quote not closed") << head + "\"MUG,301,1,1\r\nPLATE,302,1,1\r\n"
                                          << 3 << "never closed";
        QTest::newRow("price not a number") << head + "MUG,301,abc,1\r\n"
                                            << 3 << "the price \"abc\" is not a number";
        QTest::newRow("number not a number") << head + "MUG,30A,1,1\r\n"
                                             << 3 << "the item number \"30A\" is not a number";
        QTest::newRow("stock not whole") << head + "MUG,301,1,1.5\r\n"
                                         << 3 << "Stock \"1.5\" is not a whole number";
        QTest::newRow("unbalanced") << QByteArray("Name,Number,Price,Sold,Stock,Remaining\r\n"
                                                  "MUG,301,1,3,10,6\r\n")
                                    << 2 << "Sold 3 + Remaining 6 is not Stock 10";
        QTest::newRow("utf-8 byte error") << head + "CAF\xC9,301,1,1\r\n"
                                          << 3 << "not UTF-8 text: byte 0xc9 at column 4";
        QTest::newRow("outside windows-1252")
            << head + "MUG \xE2\x98\x95,301,1,1\r\n"
            << 3 << QString::fromUtf8("holds the character \xE2\x98\x95 (U+2615)");
        QTest::newRow("empty file") << QByteArray() << 1 << "the file is empty";
        QTest::newRow("only a byte order mark") << QByteArray("\xEF\xBB\xBF") << 1 << "empty";
        QTest::newRow("too few fields") << head + "MUG,301,1\r\n"
                                        << 3 << "3 fields, but the first line names 4 columns";
        QTest::newRow("customer marker") << head + "***,301,1,1\r\n"
                                         << 3 << "the item name \"***\" is not allowed";
        QTest::newRow("sub total") << head + "Sub Total,301,1,1\r\n" << 3 << "is not allowed";
        QTest::newRow("grand total") << head + "Grand Total 2,301,1,1\r\n" << 3 << "is not allowed";
        QTest::newRow("number twice") << head + "MUG,300,1,1\r\n"
                                      << 3 << "the item number \"300\" is also on line 2";
        QTest::newRow("name twice in another case") << head + " coffee,301,1,1\r\n"
                                                    << 3 << "the item name \"COFFEE\" is also on";
        QTest::newRow("windows-1252") << head + "CAF\xC9,301,1,1\r\n"
                                      << 3 << "save it again as \"CSV UTF-8\"";
        QTest::newRow("semicolons") << QByteArray("Name;Number;Price;Stock\r\nMUG;301;1;1\r\n") << 1
                                    << "the columns are separated by semicolons, not commas";
        QTest::newRow("name twice") << head + "COFFEE,301,1,1\r\n"
                                    << 3 << "the item name \"COFFEE\" is also on line 2";
        QTest::newRow("name of another item") << head + "SOAP,301,1,1\r\n"
                                              << 3 << "belongs to the item at record 23";
        QTest::newRow("too long for a record") << head + QByteArray(110, 'M') + ",301,1,1\r\n"
                                               << 3 << "does not fit in one record of 128 bytes";
        // Control characters would forge lines of the log and the bill; the
        // message shows them escaped, and a long value cut short.
        QTest::newRow("line break")
            << head + "\"EVIL\r\n---\",301,1,1\r\n"
            << 3 << "name \"EVIL\\r\\n---\" holds the control character U+000D";
        QTest::newRow("escape") << head + "TEA \x1b[2J,301,1,1\r\n"
                                << 3 << "\"TEA \\x1b[2J\" holds the control character U+001B";
        QTest::newRow("nul") << head + QByteArray("A\0B,301,1,1\r\n", 13) << 3 << "\"A\\x00B\"";
        QTest::newRow("c1 control") << head + "A\xC2\x81,301,1,1\r\n" << 3 << "\"A\\x81\" holds";
        QTest::newRow("long value")
            << head + "MUG,301," + QByteArray(100000, 'Z') + ",1\r\n"
            << 3 << "the price \"" + QString(60, 'Z') + QChar(0x2026) + "\" is not";
    }

    void badInputLeavesTheDatafileUnchanged()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, line);
        QFETCH(QString, reason);
        TempDir dir;
        const QString path = smallShop(dir);
        const QByteArray before = TempDir::readFile(path);
        const QString csvPath = dir.writeFile(QStringLiteral("in.csv"), csv);

        const Run run = runTool({Import, Items, path, csvPath});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        const QString expected =
            QStringLiteral("tallybird-data: %1, line %2: ").arg(csvPath).arg(line);
        QVERIFY2(run.err.startsWith(expected), qPrintable(run.err));
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QVERIFY2(run.err.endsWith(path + QStringLiteral(" was not changed\n")),
                 qPrintable(run.err));
        QCOMPARE(linesOf(run.err).size(), 1);
        QCOMPARE(TempDir::readFile(path), before);
        QCOMPARE(dir.files(), (QStringList{QStringLiteral("in.csv"), QStringLiteral("shop.tb2")}));
    }

    void importReadsOnlyARegularFileOfSensibleSize()
    {
        TempDir dir;
        const QString path = smallShop(dir);
        const QByteArray before = TempDir::readFile(path);
        const QString fifo = dir.path(QStringLiteral("fifo.csv"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString large = dir.writeFile(QStringLiteral("large.csv"), "Name,Number,Price\n");
        QVERIFY(QFile::resize(large, (qint64(64) << 20) + 1));
        for (const QString &csv : {QStringLiteral("/dev/zero"), fifo, large}) {
            const Run run = runTool({Import, Items, path, csv});
            QCOMPARE(run.exitCode, 1);
            const QString why = csv == large ? "larger than 64 MB" : "not a regular file";
            QVERIFY2(run.err.startsWith("tallybird-data: cannot read " + csv + ": it is " + why),
                     qPrintable(run.err.left(200)));
        }
        QCOMPARE(TempDir::readFile(path), before);
    }

    void exportGuardsTextsFromSpreadsheetFormulas_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("cell"); // as export writes it
        const auto row = [](const char *name, const char *cell) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(cell);
        };
        row("+1+2", "'+1+2");
        row("-5", "'-5");
        row("@SUM(A1)", "'@SUM(A1)");
        row("'=X", "''=X");
        row("''+Y", "'''+Y");
        row("'PLAIN", "'PLAIN");
        row("A=B", "A=B");
        row("=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\"");
    }

    void exportGuardsTextsFromSpreadsheetFormulas()
    {
        QFETCH(QString, name);
        QFETCH(QString, cell);
        TempDir dir;
        const QString path = smallShop(dir);
        QCOMPARE(RecordStore(path).writeRecord(24, item(name, "300", 1, 0, 1)), FileError::None);
        const QString csv = dir.path(QStringLiteral("items.csv"));
        QCOMPARE(runTool({Export, Items, path, csv}).exitCode, 0);
        const QString written = QString::fromUtf8(TempDir::readFile(csv));
        QVERIFY2(written.endsWith("\r\n" + cell + ",300,0.01,0,1,1\r\n"), qPrintable(written));

        const QString fresh = newDatafile(dir, QStringLiteral("fresh.tb2"));
        QCOMPARE(runTool({Import, Items, fresh, csv}).exitCode, 0);
        QCOMPARE(ItemEntry(itemsOf(fresh).back()).name(), name.toUpper());
    }

    void importStopsAtTheEntryLimit()
    {
        TempDir dir;
        const QString path = smallShop(dir);
        // Free records up to one short of the limit.
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::Append));
            const qint64 free = qint64(MaxRecords - 1 - 23) * RecordLength;
            QCOMPARE(f.write(QByteArray(free, '\0')), free);
        }
        const QByteArray before = TempDir::readFile(path);
        const QString two =
            dir.writeFile(QStringLiteral("two.csv"), OneMug + "TEA,100,2.50,10\nPLATE,302,1,1\n");
        const Run full = runTool({Import, Items, path, two});
        QCOMPARE(full.exitCode, 1);
        QVERIFY2(full.err.contains(QStringLiteral("two.csv, line 4: the datafile is full")),
                 qPrintable(full.err));
        QVERIFY(full.err.contains(QStringLiteral("32,744 entries")));
        QCOMPARE(TempDir::readFile(path), before);

        const QString one = dir.writeFile(QStringLiteral("one.csv"), OneMug);
        QCOMPARE(runTool({Import, Items, path, one}).exitCode, 0);
        QCOMPARE(QFileInfo(path).size(), qint64(MaxRecords) * RecordLength);
        QCOMPARE(ItemEntry(readAll(path).back()).name(), QStringLiteral("MUG"));
    }

    void importRefusesWhatIsNoDatafile_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("zeros") << QByteArray(200, '\0') << "not a Tallybird datafile (error 321)";
        QTest::newRow("text") << OneMug.repeated(20) << "not a Tallybird datafile (error 321)";
        QTest::newRow("missing") << QByteArray() << "file not found (error 53)";
    }

    void importRefusesWhatIsNoDatafile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        TempDir dir;
        const QString path = content.isEmpty() ? dir.path(QStringLiteral("shop.tb2"))
                                               : dir.writeFile(QStringLiteral("shop.tb2"), content);
        const QString csv = dir.writeFile(QStringLiteral("in.csv"), OneMug);
        const Run run = runTool({Import, Items, path, csv});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(path) && run.err.contains(reason), qPrintable(run.err));
        if (content.isEmpty())
            QVERIFY(!QFileInfo::exists(path));
        else
            QCOMPARE(TempDir::readFile(path), content);

        const QString shop = smallShop(dir, QStringLiteral("ok.tb2"));
        const Run noCsv = runTool({Import, Items, shop, dir.path(QStringLiteral("none.csv"))});
        QCOMPARE(noCsv.exitCode, 1);
        QVERIFY2(noCsv.err.contains(QStringLiteral("none.csv")), qPrintable(noCsv.err));
        const Run swapped = runTool({Import, Items, csv, shop});
        QVERIFY2(swapped.err.contains(csv + ": not a Tallybird datafile (error 321)"),
                 qPrintable(swapped.err));
    }

    void importRefusesADatafileWithAnUnreadableItem()
    {
        TempDir dir;
        const QString path = smallShop(dir);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(22 * RecordLength + 4 + 4));
            QVERIFY(f.putChar(char(0x63))); // the tag of SOAP's price
        }
        const QByteArray before = TempDir::readFile(path);
        const QString csv = dir.writeFile(QStringLiteral("in.csv"), OneMug);
        const Run run = runTool({Import, Items, path, csv});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("record 23 of the datafile cannot be read")),
                 qPrintable(run.err));
        QCOMPARE(TempDir::readFile(path), before);
        QCOMPARE(dir.files(), (QStringList{QStringLiteral("in.csv"), QStringLiteral("shop.tb2")}));
    }

    // Rows that the datafile's own items make ambiguous.
    void importRefusesWhatTheItemsMakeAmbiguous_data()
    {
        QTest::addColumn<QString>("number"); // of JAM, the datafile's third item
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("reason");
        QTest::newRow("number of two items") << "200" << QByteArray("SOAP,200,1,1")
                                             << "the item number \"200\" belongs to more than one "
                                                "item of the datafile (records 23 and 24)";
        QTest::newRow("leading zeros dropped")
            << "00123" << QByteArray("JAM,123,1,1")
            << "the item number \"123\" is not in the datafile, but its item \"JAM\" at record "
               "24 has the number \"00123\": a spreadsheet may have dropped the leading zeros "
               "(import the Number column as text)";
    }

    void importRefusesWhatTheItemsMakeAmbiguous()
    {
        QFETCH(QString, number);
        QFETCH(QByteArray, row);
        QFETCH(QString, reason);
        TempDir dir;
        const QString path = smallShop(dir);
        QCOMPARE(RecordStore(path).writeRecord(24, item("JAM", number, 1, 0, 1)), FileError::None);
        const QByteArray before = TempDir::readFile(path);
        const QString csv =
            dir.writeFile(QStringLiteral("in.csv"), "Name,Number,Price,Stock\n" + row + "\n");
        const Run run = runTool({Import, Items, path, csv});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("in.csv, line 2: ") + reason),
                 qPrintable(run.err));
        QCOMPARE(TempDir::readFile(path), before);
    }

    void checkIsSilentOnTheDemo()
    {
        const Run run = runTool({Check, m_demo});
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
    }

    void checkFindsEachFault_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("found");
        QTest::newRow("record does not decode")
            << 0 << "record 24: does not decode: unknown field type (error 458)";
        QTest::newRow("sold + remaining is not stock")
            << 1 << "record 24: item \"JAM\": Sold 3 + Remaining 6 is not Stock 10";
        QTest::newRow("item name twice") << 2
                                         << "record 24: item name \"TEA\" is also the name "
                                            "of record 22";
        QTest::newRow("item number twice")
            << 3 << "record 24: item \"JAM\": number \"200\" is also the number of record 23";
        QTest::newRow("cashier without a name") << 4 << "record 24: cashier with an empty name";
        QTest::newRow("cashier without a PIN")
            << 5 << "record 24: cashier \"PAT\" has an empty PIN";
        QTest::newRow("no master cashier")
            << 6 << "no master cashier (a cashier with every privilege)";
        QTest::newRow("header switch")
            << 7 << "record 3: header record: the switch in field 2 (Number) is \"7\", not 1 or 0";
        QTest::newRow("header marker")
            << 8 << "record 5: header record: field 0 (Name) is \"X\", not \"***\"";
        QTest::newRow("no transaction date")
            << 9
            << "record 7: header record: field 1 (Price) holds no date of the last "
               "transaction";
        QTest::newRow("currency symbol")
            << 10
            << "record 11: header record: the currency \"EURO\" has the symbol \"EU\", not "
               "one character";
        QTest::newRow("partial record") << 11 << "a partial record of 5 byte(s) at the end";
        QTest::newRow("lower case")
            << 13
            << "record 24: item \"Organic Honey\": the name has lower-case letters, so the till "
               "and the item browser can never find it by name";
        QTest::newRow("blanks") << 14
                                << "record 24: item \" JAM\": the name begins or ends with a "
                                   "blank, so the till and the item browser can never find it "
                                   "by name";
        QTest::newRow("escape in a name")
            << 12
            << "record 24: \"J\\x1b[2J\" holds the control character U+001B, which the program "
               "never stores";
    }

    void checkFindsEachFault()
    {
        QFETCH(int, fault);
        QFETCH(QString, found);
        TempDir dir;
        const QString path = smallShop(dir);
        const RecordStore store(path);
        const auto header = [&](int n, const std::function<void(DataRecord &)> &edit) {
            DataRecord r = readAll(path)[n - 1];
            edit(r);
            return store.writeRecord(n, r);
        };
        FileError written = FileError::None;
        switch (fault) {
        case 0: {
            written = store.writeRecord(24, item("JAM", "300", 1, 0, 1));
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(23 * RecordLength));
            QVERIFY(f.putChar(char(0x63)));
            break;
        }
        case 1:
            written = store.writeRecord(24, [] {
                DataRecord r = item("JAM", "300", 1, 3, 10);
                r.Remaining = FieldValue::fromNumber(6);
                return r;
            }());
            break;
        case 12:
            written = store.writeRecord(24, item("J\x1b[2J", "300", 1, 0, 1));
            break;
        case 2:
        case 13:
        case 14:
            written = store.writeRecord(24, item(fault == 2    ? "TEA"
                                                 : fault == 13 ? "Organic Honey"
                                                               : " JAM",
                                                 "300", 1, 0, 1));
            break;
        case 3:
            written = store.writeRecord(24, item("JAM", "200", 1, 0, 1));
            break;
        case 4:
            written = store.writeRecord(24, cashier("", "1111", Privileges()));
            break;
        case 5:
            written = store.writeRecord(24, cashier("PAT", "", Privileges()));
            break;
        case 6: {
            Privileges most = Privileges::master();
            most.set(Privilege::ChargeCurrency, 0);
            written = store.writeRecord(21, cashier("BOSS", "1234", most));
            break;
        }
        case 7:
            written = header(3, [](DataRecord &r) { r.Number = FieldValue::fromNumber(7); });
            break;
        case 8:
            written = header(5, [](DataRecord &r) { r.Name = FieldValue::fromText("X"); });
            break;
        case 9:
            written = header(7, [](DataRecord &r) { r.Price = FieldValue::fromNumber(0); });
            break;
        case 10:
            written = header(11, [](DataRecord &r) {
                r.Number = FieldValue::fromText("EURO");
                r.Price = FieldValue::fromNumber(0.00004); // worth less than 1/10000: no fault
                r.SpareC = FieldValue::fromText("EU");
            });
            break;
        case 11: {
            QFile f(path);
            QVERIFY(f.open(QIODevice::Append) && f.write("12345", 5) == 5);
            break;
        }
        }
        QCOMPARE(written, FileError::None);
        const QByteArray before = TempDir::readFile(path);

        const Run run = runTool({Check, path});
        QCOMPARE(linesOf(run.out), QStringList{found});
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains(QStringLiteral("1 fault(s)")), qPrintable(run.err));
        QCOMPARE(TempDir::readFile(path), before);
        QCOMPARE(dir.files(), QStringList{QStringLiteral("shop.tb2")});
    }

    void checkRefusesWhatIsNoDatafile()
    {
        TempDir dir;
        const QString junk = dir.writeFile(QStringLiteral("junk.tb2"), QByteArray(256, '\0'));
        const Run run = runTool({Check, junk});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(QStringLiteral("(error 321)")), qPrintable(run.err));
    }

    void exportWritesEachKind()
    {
        TempDir dir;
        const QString path = smallShop(dir);
        const RecordStore store(path);
        CustomerEntry owing =
            CustomerEntry::make(QStringLiteral("SAY \"HI\", LTD"), Currency::fromUnits(-25),
                                QStringLiteral("Pays late.\r\nCall first."));
        owing.setVisits(4);
        owing.setTotalSpent(Currency::fromRaw(1234567));
        QCOMPARE(store.writeRecord(24, owing.record()), FileError::None);
        Privileges some;
        some.set(Privilege::ItemBrowse, 1);
        some.set(Privilege::ChargeCurrency, 1);
        CashierEntry pat = CashierEntry::make(QStringLiteral("PAT"), QStringLiteral("0042"), some);
        pat.setAmountSold(Currency::fromRaw(15000));
        pat.setSalesPerformed(12);
        pat.setMsLoggedOn(3723004);
        QCOMPARE(store.writeRecord(25, pat.record()), FileError::None);
        DataRecord odd = item(QString::fromUtf8("CAF\xC3\x89 \xE2\x82\xAC"), "400", 0, 0, 0);
        odd.Price = FieldValue::fromCurrency(Currency::fromRaw(-5));
        QCOMPARE(store.writeRecord(26, odd), FileError::None);

        const Run items = runTool({Export, Items, path});
        QCOMPARE(items.exitCode, 0);
        QCOMPARE(items.out, QString::fromUtf8("Name,Number,Price,Sold,Stock,Remaining\r\n"
                                              "TEA,100,2.50,3,10,7\r\n"
                                              "SOAP,200,0.99,0,5,5\r\n"
                                              "CAF\xC3\x89 \xE2\x82\xAC,400,-0.0005,0,0,0\r\n"));

        const Run customers = runTool({Export, QStringLiteral("customers"), path});
        QCOMPARE(customers.exitCode, 0);
        QCOMPARE(customers.out, QStringLiteral("Name,Balance,Notes,Visits,Total Spent\r\n"
                                               "\"SAY \"\"HI\"\", LTD\",-25.00,\"Pays late.\r\n"
                                               "Call first.\",4,123.4567\r\n"));

        const Run cashiers = runTool({Export, QStringLiteral("cashiers"), path});
        QCOMPARE(cashiers.exitCode, 0);
        QCOMPARE(cashiers.out,
                 QStringLiteral("Name,Amount Sold,Sales Performed,Privileges,Milliseconds "
                                "Logged On\r\n"
                                "BOSS,0.00,0,ItemBrowse ItemModify CreditBrowse CreditModify "
                                "SettingModify TaxModify CashierAccess PlaceDiscount BuildReport "
                                "ModifyCurrency ChargeCurrency,0\r\n"
                                "PAT,1.50,12,ItemBrowse ChargeCurrency,3723004\r\n"));
        QVERIFY(!cashiers.out.contains(QStringLiteral("1234")));

        const QString file = dir.path(QStringLiteral("cashiers.csv"));
        QCOMPARE(
            runTool({Export, QStringLiteral("cashiers"), QStringLiteral("--with-pins"), path, file})
                .exitCode,
            0);
        const QStringList withPins = QString::fromUtf8(TempDir::readFile(file)).split("\r\n");
        QCOMPARE(withPins[0], QStringLiteral("Name,PIN,Amount Sold,Sales Performed,Privileges,"
                                             "Milliseconds Logged On"));
        QVERIFY2(withPins[2].startsWith(QStringLiteral("PAT,0042,1.50,12,")),
                 qPrintable(withPins[2]));
    }

    void exportRefusesWhatIsNoDatafile()
    {
        TempDir dir;
        const QString junk = dir.writeFile(QStringLiteral("junk.tb2"), QByteArray(130, '\0'));
        const QString target = dir.path(QStringLiteral("out.csv"));
        const Run run = runTool({Export, Items, junk, target});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("(error 321)")), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(target));
    }

    void exportReplacesOnlyWithForceAndNeverADatafile()
    {
        TempDir dir;
        const QString path = smallShop(dir);
        const QString csv = dir.writeFile(QStringLiteral("items.csv"), "kept\r\n");
        const QByteArray shopBytes = TempDir::readFile(path);
        const QString force = QStringLiteral("--force");
        const std::pair<QStringList, QString> refused[] = {
            {{Export, Items, path, csv}, csv + QStringLiteral(" already exists")},
            {{Export, Items, force, path, path}, path + QStringLiteral(" is a datafile")}};
        for (const auto &[args, says] : refused) {
            const Run run = runTool(args);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.contains(says), qPrintable(run.err));
        }
        QCOMPARE(TempDir::readFile(csv), QByteArray("kept\r\n"));
        QCOMPARE(TempDir::readFile(path), shopBytes);
        QCOMPARE(runTool({Export, Items, force, path, csv}).exitCode, 0);
        QVERIFY(TempDir::readFile(csv).startsWith("Name,Number,Price"));
    }

    void backupWritesACheckedCopy()
    {
        TempDir dir;
        const QString path = smallShop(dir);
        QVERIFY(QDir().mkpath(dir.path(QStringLiteral("safe"))));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));

        const Run run = runTool({Backup, path, dir.path(QStringLiteral("safe"))});
        QCOMPARE(run.exitCode, 0);
        const QStringList copies = QDir(dir.path(QStringLiteral("safe"))).entryList(QDir::Files);
        QCOMPARE(copies.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^shop-[0-9]{8}-[0-9]{6}\\.tb2$"))
                     .match(copies[0])
                     .hasMatch(),
                 qPrintable(copies[0]));
        const QString copy = dir.path(QStringLiteral("safe/") + copies[0]);
        QCOMPARE(TempDir::readFile(copy), TempDir::readFile(path));
        QCOMPARE(QFileInfo(copy).permissions() & 0x7077,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY2(run.out.contains(copy), qPrintable(run.out));

        // Without DIR the copy goes beside the datafile, under the first name
        // not taken: the names of the coming seconds are.
        const QDateTime now = QDateTime::currentDateTime();
        for (int s = 0; s < 10; ++s)
            dir.writeFile(backupFileName(path, now.addSecs(s)), "taken");
        QCOMPARE(runTool({Backup, path}).exitCode, 0);
        const QStringList numbered = dir.files().filter(QRegularExpression("^shop-.*-2\\.tb2$"));
        QCOMPARE(numbered.size(), 1);
        QCOMPARE(TempDir::readFile(dir.path(numbered[0])), TempDir::readFile(path));
    }

    void backupReportsWhatCheckFinds()
    {
        TempDir dir;
        const QString path = smallShop(dir);
        QCOMPARE(RecordStore(path).writeRecord(24, item("TEA", "300", 1, 0, 1)), FileError::None);
        const Run run = runTool({Backup, path});
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.out.contains(QStringLiteral("record 24: item name \"TEA\"")),
                 qPrintable(run.out));
        QCOMPARE(dir.files().size(), 2); // the copy is kept: it is exact
    }

    void backupRefusesWhatIsNoDatafile()
    {
        TempDir dir;
        const QString junk = dir.writeFile(QStringLiteral("junk.tb2"), QByteArray(128, '\0'));
        const Run run = runTool({Backup, junk});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("(error 321)")), qPrintable(run.err));
        QCOMPARE(dir.files(), QStringList{QStringLiteral("junk.tb2")});

        const QString path = smallShop(dir);
        const Run noDir = runTool({Backup, path, dir.path(QStringLiteral("none"))});
        QCOMPARE(noDir.exitCode, 1);
        QVERIFY2(noDir.err.contains(QStringLiteral("not a directory")), qPrintable(noDir.err));
    }

    void eachCommandHasHelp_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *c : {"demo", "dump", "check", "export", "import", "backup"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }

    void eachCommandHasHelp()
    {
        QFETCH(QString, command);
        const Run run = runTool({command, QStringLiteral("--help")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QVERIFY2(run.out.contains(QStringLiteral("tallybird-data ") + command),
                 qPrintable(run.out));
        const Run all = runTool({QStringLiteral("--help")});
        QVERIFY(all.out.contains(QStringLiteral("tallybird-data ") + command));
    }

private:
    TempDir m_dir;
    QString m_demo;
};

TB_TEST(TestDataExchange)
#include "TestDataExchange.moc"
