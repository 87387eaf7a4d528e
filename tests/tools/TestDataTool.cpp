// Runs the tallybird-data command as a user would and checks the files it
// writes and the text it prints.

#include "common/TempDir.h"
#include "common/TestMain.h"
#include "tools/ToolRun.h"

#include "datafile/Currency.h"
#include "datafile/DataFile.h"
#include "datafile/DataRecord.h"
#include "datafile/FieldValue.h"
#include "datafile/HeaderRecords.h"
#include "datafile/Privileges.h"
#include "datafile/RecordStore.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <vector>

#include <cstdio>
#include <limits>

namespace {
using namespace ToolRun;

// EAN-13 as a checkout scanner validates it: weights 1 and 3 over all 13 digits.
bool validEan13(const QString &s)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{13}$"));
    if (!digits.match(s).hasMatch())
        return false;
    int sum = 0;
    for (int i = 0; i < 13; ++i)
        sum += s.at(i).digitValue() * (i % 2 == 0 ? 1 : 3);
    return sum % 10 == 0;
}

QString lineStartingWith(const QStringList &lines, const QString &prefix)
{
    for (const QString &l : lines)
        if (l.startsWith(prefix))
            return l;
    return QString();
}

} // namespace

class TestDataTool : public QObject
{
    Q_OBJECT

private slots:
    // The demo is made once; no test changes it.
    void initTestCase()
    {
        if (!QFileInfo(toolPath()).isExecutable())
            QFAIL(qPrintable(QStringLiteral("tallybird-data not found at ") + toolPath()));
        m_demo = m_dir.path(QStringLiteral("demo.tb2"));
        m_made = runTool({QStringLiteral("demo"), m_demo});
        QCOMPARE(m_made.exitCode, 0);
        m_recs = readAll(m_demo);
    }

    void demoIsAValidDatafile()
    {
        QVERIFY2(m_made.out.contains(QStringLiteral("MANAGER")), qPrintable(m_made.out));

        QCOMPARE(RecordStore(m_demo).testDatafile(), FileError::None);
        QCOMPARE(QFileInfo(m_demo).size() % RecordLength, 0);
        QVERIFY(int(m_recs.size()) > HeaderRecords + 30);
        QCOMPARE(qint64(m_recs.size()) * RecordLength, QFileInfo(m_demo).size());
        for (int n = 1; n <= HeaderRecords; ++n)
            QVERIFY2(m_recs[n - 1].Name.textEquals(SharedMarker), qPrintable(QString::number(n)));
        // Created today: record 7 holds today's date and no transaction yet.
        QCOMPARE(m_recs[6].Price.type(), FieldValue::Type::Date);
        QCOMPARE(m_recs[6].Number.toNumber(), 0.0);
        // No free records among the entries.
        for (size_t i = HeaderRecords; i < m_recs.size(); ++i)
            QVERIFY(m_recs[i].kind() != RecordKind::Free);
    }

    void demoSetsTheTaxRateAndACurrency()
    {
        QVERIFY(m_recs.size() > 20);

        const DataRecord &tax = m_recs[0];
        QCOMPARE(tax.Price.type(), FieldValue::Type::Text);
        QCOMPARE(tax.Price.toText(), QStringLiteral("8.25"));
        QCOMPARE(tax.Number.toText(), QString()); // one tax only
        // An empty footer: one never set prints as 0.
        QCOMPARE(m_recs[HeaderRecord::BillNotes - 1].Price, FieldValue::fromText(QString()));
        const DataRecord &noTax = m_recs[19];
        QCOMPARE(noTax.Number.toNumber(), 0.0);
        QCOMPARE(noTax.Price.toText(), tax.Price.toText());

        const DataRecord &euro = m_recs[HeaderRecord::FirstCurrencySlot - 1];
        QCOMPARE(euro.Name.toText(), SharedMarker);
        QCOMPARE(euro.Number.toText(), QStringLiteral("EURO"));
        QCOMPARE(euro.Price.type(), FieldValue::Type::Currency);
        QCOMPARE(euro.Price.toCurrency(), Currency::fromRaw(9200));
        QCOMPARE(euro.SpareC.toText(), QStringLiteral("\u20ac"));
        QCOMPARE(euro.SpareA.toNumber(), 0.0);
        QCOMPARE(euro.SpareB.toNumber(), 0.0);
        // The other three slots stay free.
        for (int n = HeaderRecord::FirstCurrencySlot + 1; n <= HeaderRecord::LastCurrencySlot; ++n)
            QCOMPARE(m_recs[n - 1].Number.toText(), QString());
    }

    // The demo checks clean in every locale, and its foreign currency is not
    // the shop's own.
    void demoInEveryLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("foreign");
        QTest::newRow("en_US") << "en_US.UTF-8"
                               << "EURO";
        QTest::newRow("de_DE") << "de_DE.UTF-8"
                               << "US DOLLAR";
        QTest::newRow("fr_FR") << "fr_FR.UTF-8"
                               << "US DOLLAR";
    }

    void demoInEveryLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, foreign);
        TempDir dir;
        const QString path = dir.path(QStringLiteral("demo.tb2"));
        QCOMPARE(runTool({QStringLiteral("demo"), path}, locale).exitCode, 0);
        const Run check = runTool({QStringLiteral("check"), path}, locale);
        QVERIFY2(check.exitCode == 0, qPrintable(check.out + check.err));
        QCOMPARE(readAll(path)[HeaderRecord::FirstCurrencySlot - 1].Number.toText(), foreign);
    }

    void demoCashiers()
    {
        QVERIFY(m_recs.size() > 22);

        const DataRecord &master = m_recs[FirstEntryRecord - 1];
        QCOMPARE(master.Name.toText(), CashierMarker);
        QCOMPARE(master.Number.toText(), QStringLiteral("MANAGER"));
        QCOMPARE(master.SpareA.type(), FieldValue::Type::Text);
        QCOMPARE(master.SpareA.toText(), QStringLiteral("1234"));
        QCOMPARE(master.Price.type(), FieldValue::Type::Currency);
        QCOMPARE(master.Price.toCurrency(), Currency());
        QCOMPARE(master.SpareB.toNumber(), 0.0);
        QCOMPARE(master.SpareC.toText(), Privileges::master().toString());
        QCOMPARE(master.SpareD.toNumber(), 0.0);

        int cashiers = 0, masters = 0;
        const DataRecord *sam = nullptr;
        for (size_t i = HeaderRecords; i < m_recs.size(); ++i) {
            if (!m_recs[i].isCashier())
                continue;
            ++cashiers;
            const QString priv = m_recs[i].SpareC.toText();
            QCOMPARE(priv.size(), 21);
            QCOMPARE(priv.mid(11), QStringLiteral("0000000000"));
            if (priv == Privileges::master().toString())
                ++masters;
            if (m_recs[i].Number.textEquals(QStringLiteral("SAM")))
                sam = &m_recs[i];
        }
        QCOMPARE(cashiers, 2);
        QCOMPARE(masters, 1);
        QVERIFY(sam);
        QCOMPARE(sam->SpareA.toText(), QStringLiteral("4321"));
        // A counter cashier: some rights, not the supervisor's.
        QVERIFY(sam->SpareC.toText().contains(QLatin1Char('1')));
        QVERIFY(sam->SpareC.toText() != Privileges::master().toString());
    }

    void demoItemsAreConsistent()
    {
        QSet<QString> names, numbers;
        int items = 0;
        for (size_t i = HeaderRecords; i < m_recs.size(); ++i) {
            const DataRecord &r = m_recs[i];
            if (!r.isItem())
                continue;
            ++items;
            const QString name = r.Name.toText();
            QCOMPARE(name, name.toUpper());
            QVERIFY(!name.startsWith(QStringLiteral("Sub Total")));
            QVERIFY(!name.startsWith(QStringLiteral("Grand Total")));
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);

            QCOMPARE(r.Number.type(), FieldValue::Type::Text);
            const QString number = r.Number.toText();
            QVERIFY2(validEan13(number), qPrintable(name + QLatin1Char(' ') + number));
            QVERIFY2(!numbers.contains(number), qPrintable(number));
            numbers.insert(number);

            QCOMPARE(r.Price.type(), FieldValue::Type::Currency);
            QVERIFY(r.Price.toCurrency() > Currency());
            QCOMPARE(r.Sold.toNumber(), 0.0);
            QVERIFY(r.Stock.toNumber() > 0);
            QCOMPARE(r.Remaining.toNumber(), r.Stock.toNumber());
            QCOMPARE(r.Sold.toNumber() + r.Remaining.toNumber(), r.Stock.toNumber());
            QVERIFY(r.Sold.type() != FieldValue::Type::Text);
            QVERIFY(r.Stock.type() != FieldValue::Type::Text);
        }
        QVERIFY2(items >= 30, qPrintable(QString::number(items)));
    }

    void demoCustomers()
    {
        int customers = 0;
        for (size_t i = HeaderRecords; i < m_recs.size(); ++i) {
            const DataRecord &r = m_recs[i];
            if (!r.isCustomer())
                continue;
            ++customers;
            QVERIFY(!r.Number.toText().isEmpty());
            QCOMPARE(r.Number.toText(), r.Number.toText().toUpper());
            QCOMPARE(r.Price.type(), FieldValue::Type::Currency);
            QCOMPARE(r.SpareB.type(), FieldValue::Type::Currency);
            QCOMPARE(r.SpareA.toNumber(), 0.0);
            QVERIFY(!r.Notes.toText().isEmpty());
        }
        QCOMPARE(customers, 2);
    }

    void demoKeepsAnExistingFileUnlessForced()
    {
        TempDir dir;
        const QByteArray precious("not to be lost");
        const QString path = dir.writeFile(QStringLiteral("shop.tb2"), precious);
        const Run refused = runTool({QStringLiteral("demo"), path});
        QVERIFY(refused.exitCode != 0);
        QVERIFY2(refused.err.contains(QStringLiteral("--force")), qPrintable(refused.err));
        QCOMPARE(TempDir::readFile(path), precious);

        QCOMPARE(runTool({QStringLiteral("demo"), QStringLiteral("--force"), path}).exitCode, 0);
        QCOMPARE(RecordStore(path).testDatafile(), FileError::None);
    }

    void demoFailsOnAnUnwritablePath()
    {
        TempDir dir;
        const QString path = dir.path(QStringLiteral("no-such-folder/demo.tb2"));
        const Run run = runTool({QStringLiteral("demo"), path});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(path), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(path));

        const Run onDir =
            runTool({QStringLiteral("demo"), QStringLiteral("--force"), dir.path(QString())});
        QCOMPARE(onDir.exitCode, 1);
        QVERIFY(!onDir.err.isEmpty());
    }

    void dumpPrintsOneLinePerRecord()
    {
        const Run run = runTool({QStringLiteral("dump"), m_demo});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = linesOf(run.out);
        QCOMPARE(qint64(lines.size()) * RecordLength, QFileInfo(m_demo).size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(QString::number(i + 1) + QLatin1Char(' ')),
                     qPrintable(lines[i]));

        QVERIFY(lines[0].startsWith(QStringLiteral("1 header Name=\"***\"")));
        QVERIFY2(lines[0].contains(QStringLiteral("Price=\"8.25\"")), qPrintable(lines[0]));
        QVERIFY(lines[6].contains(QStringLiteral("Price=date:")
                                  + QDate::currentDate().toString(Qt::ISODate)));
        QVERIFY2(lines[9].startsWith(QStringLiteral("10 currency slot ")), qPrintable(lines[9]));
        QVERIFY(lines[9].contains(QStringLiteral("Number=\"EURO\"")));
        QVERIFY2(lines[9].contains(QStringLiteral("Price=currency:0.9200")), qPrintable(lines[9]));
        QVERIFY(lines[9].contains(QStringLiteral("SpareC=\"\u20ac\"")));
        QVERIFY(lines[13].startsWith(QStringLiteral("14 header ")));
        QVERIFY(lines[19].startsWith(QStringLiteral("20 header ")));

        const QString master = lines[20];
        QVERIFY2(master.startsWith(QStringLiteral("21 cashier Name=\"*+*\" Price=currency:0.0000 "
                                                  "Number=\"MANAGER\" SpareA=\"1234\"")),
                 qPrintable(master));
        QVERIFY2(master.contains(QStringLiteral(
                     "SpareC=privileges(ItemBrowse ItemModify CreditBrowse CreditModify "
                     "SettingModify TaxModify CashierAccess PlaceDiscount BuildReport "
                     "ModifyCurrency ChargeCurrency)")),
                 qPrintable(master));
        QVERIFY2(master.contains(QStringLiteral("SpareD=int16:0 (0000:00:00:000)")),
                 qPrintable(master));
        QVERIFY(!master.contains(QStringLiteral("Notes=")));

        const QString item = lineStartingWith(lines, QStringLiteral("23 "));
        QVERIFY2(item.startsWith(QStringLiteral("23 item Name=\"")), qPrintable(item));
        QVERIFY(item.contains(QStringLiteral(" Sold=int16:0 ")));
        QVERIFY(
            QRegularExpression(QStringLiteral(" Number=\"[0-9]{13}\" ")).match(item).hasMatch());

        int customers = 0;
        for (const QString &l : lines)
            customers += l.contains(QStringLiteral(" customer Name=\"***\"")) ? 1 : 0;
        QCOMPARE(customers, 2);
    }

    void dumpShowsPrivilegesAndTimeOnDuty_data()
    {
        QTest::addColumn<QString>("privileges");
        QTest::addColumn<double>("ms");
        QTest::addColumn<QString>("expected");

        QTest::newRow("none") << QStringLiteral("000000000000000000000") << 0.0
                              << QStringLiteral(
                                     "SpareC=privileges() SpareD=int16:0 (0000:00:00:000)");
        QTest::newRow("first and last")
            << QStringLiteral("100000000010000000000") << 3723004.0
            << QStringLiteral("SpareC=privileges(ItemBrowse ChargeCurrency) "
                              "SpareD=int32:3723004 (0001:02:03:004)");
        QTest::newRow("hundred hours") << QStringLiteral("000000100000000000000") << 360000000.0
                                       << QStringLiteral("SpareC=privileges(CashierAccess) "
                                                         "SpareD=int32:360000000 (0100:00:00:000)");
        QTest::newRow("past four digits")
            << QStringLiteral("010000000000000000000") << 12345.0 * 3600000 + 59999
            << QStringLiteral("SpareC=privileges(ItemModify) "
                              "SpareD=double:44442059999 (12345:00:59:999)");
        QTest::newRow("trailing flag set")
            << QStringLiteral("000000000000000000001") << 1.0
            << QStringLiteral("SpareC=\"000000000000000000001\" (not a privilege string) "
                              "SpareD=int16:1 (0000:00:00:001)");
        QTest::newRow("1e308") << QStringLiteral("000000000000000000000") << 1e308
                               << QStringLiteral(
                                      "SpareC=privileges() SpareD=double:1e+308 (invalid)");
        QTest::newRow("infinity") << QStringLiteral("000000000000000000000")
                                  << std::numeric_limits<double>::infinity()
                                  << QStringLiteral(
                                         "SpareC=privileges() SpareD=double:inf (invalid)");
        QTest::newRow("NaN") << QStringLiteral("000000000000000000000")
                             << std::numeric_limits<double>::quiet_NaN()
                             << QStringLiteral("SpareC=privileges() SpareD=double:nan (invalid)");
        QTest::newRow("short string") << QStringLiteral("1111") << 999.0
                                      << QStringLiteral("SpareC=\"1111\" (not a privilege string) "
                                                        "SpareD=int16:999 (0000:00:00:999)");
    }

    void dumpShowsPrivilegesAndTimeOnDuty()
    {
        QFETCH(QString, privileges);
        QFETCH(double, ms);
        QFETCH(QString, expected);

        TempDir dir;
        const QString path = newDatafile(dir);
        const RecordStore store(path);
        DataRecord c;
        c.Name = FieldValue::fromText(CashierMarker);
        c.Number = FieldValue::fromText(QStringLiteral("PAT"));
        c.SpareC = FieldValue::fromText(privileges);
        c.SpareD = FieldValue::fromNumber(ms);
        QCOMPARE(store.writeRecord(FirstEntryRecord, c), FileError::None);

        const Run run = runTool({QStringLiteral("dump"), path});
        QCOMPARE(run.exitCode, 0);
        const QString line = lineStartingWith(linesOf(run.out), QStringLiteral("21 "));
        QCOMPARE(line, QStringLiteral("21 cashier Name=\"*+*\" Number=\"PAT\" ") + expected);
    }

    void dumpKeepsEachRecordOnOneLine()
    {
        TempDir dir;
        const QString path = newDatafile(dir);
        const RecordStore store(path);
        DataRecord c;
        c.Name = FieldValue::fromText(SharedMarker);
        c.Number = FieldValue::fromText(QStringLiteral("SAY \"HI\""));
        c.Notes = FieldValue::fromText(QStringLiteral("line one\r\nline\\two\tend"));
        c.Price = FieldValue::fromCurrency(Currency::fromRaw(-107000));
        c.SpareA = FieldValue::fromText(QString());
        QCOMPARE(store.writeRecord(FirstEntryRecord, c), FileError::None);
        // A gap record: written past the end, the record between reads as free.
        DataRecord item;
        item.Name = FieldValue::fromText(QStringLiteral("NAIL"));
        item.Price = FieldValue::fromDouble(0.5);
        QCOMPARE(store.writeRecord(FirstEntryRecord + 2, item), FileError::None);

        const Run run = runTool({QStringLiteral("dump"), path});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = linesOf(run.out);
        QCOMPARE(lines.size(), 23);
        QCOMPARE(lines[20],
                 QStringLiteral("21 customer Name=\"***\" Price=currency:-10.7000 "
                                "Number=\"SAY \\\"HI\\\"\" "
                                "Notes=\"line one\\r\\nline\\\\two\\tend\" SpareA=\"\""));
        QCOMPARE(lines[21], QStringLiteral("22 free"));
        QCOMPARE(lines[22], QStringLiteral("23 item Name=\"NAIL\" Price=double:0.5"));
    }

    void dumpGoesOnPastABadRecord()
    {
        TempDir dir;
        const QString path = newDatafile(dir);
        const RecordStore store(path);
        DataRecord item;
        item.Name = FieldValue::fromText(QStringLiteral("SOAP"));
        QCOMPARE(store.writeRecord(21, item), FileError::None);
        QCOMPARE(store.writeRecord(23, item), FileError::None);

        // Record 22: an unknown type tag in its first field.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.seek(21 * RecordLength));
        QByteArray bad(RecordLength, '\0');
        bad[0] = char(0x63);
        QCOMPARE(f.write(bad), qint64(RecordLength));
        f.close();

        const Run run = runTool({QStringLiteral("dump"), path});
        QCOMPARE(run.exitCode, 3);
        const QStringList lines = linesOf(run.out);
        QCOMPARE(lines.size(), 23);
        QVERIFY2(lines[21].startsWith(QStringLiteral("22 error ")), qPrintable(lines[21]));
        QVERIFY(QRegularExpression(QStringLiteral("^22 error [0-9]+")).match(lines[21]).hasMatch());
        QCOMPARE(lines[22], QStringLiteral("23 item Name=\"SOAP\""));
        QVERIFY(!run.err.isEmpty());
    }

    void dumpRefusesUnreadableFiles()
    {
        TempDir dir;
        const Run missing = runTool({QStringLiteral("dump"), dir.path(QStringLiteral("none.tb2"))});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY2(missing.err.contains(QStringLiteral("none.tb2")), qPrintable(missing.err));
        QVERIFY(missing.out.isEmpty());

        const QString odd = dir.writeFile(QStringLiteral("odd.tb2"), QByteArray(200, '\0'));
        const Run truncated = runTool({QStringLiteral("dump"), odd});
        QCOMPARE(truncated.exitCode, 1);
        QVERIFY(!truncated.err.isEmpty());

        QCOMPARE(runTool({QStringLiteral("dump"), dir.path(QString())}).exitCode, 1);
    }

    void dumpRefusesWhatIsNoDatafile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("error");
        const QByteArray rest(20 * RecordLength, '\0');
        QByteArray item(RecordLength, '\0');
        item.replace(0, 9, QByteArray::fromHex("080005004150504c45")); // "APPLE"
        QTest::newRow("zero bytes") << QByteArray("") << 321;
        QTest::newRow("record 1 an item") << item + rest << 321;
        QTest::newRow("record 1 all zero") << QByteArray(RecordLength, '\0') + rest << 321;
    }

    void dumpRefusesWhatIsNoDatafile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, error);
        TempDir dir;
        const QString path = dir.writeFile(QStringLiteral("t.tb2"), content);
        const Run run = runTool({QStringLiteral("dump"), path});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(QStringLiteral("(error %1)").arg(error)), qPrintable(run.err));
    }

    void dumpIgnoresAPartialRecord()
    {
        TempDir dir;
        const QString path = newDatafile(dir);
        QFile f(path);
        QVERIFY(f.open(QIODevice::Append));
        QCOMPARE(f.write(QByteArray(50, 'z')), qint64(50));
        f.close();

        const Run run = runTool({QStringLiteral("dump"), path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(linesOf(run.out).size(), 20);
        QCOMPARE(run.err,
                 QStringLiteral("tallybird-data: a partial record of 50 byte(s) at the end of ")
                     + path + QStringLiteral(" was ignored\n"));
    }

    // A path holding a byte that is not UTF-8 reaches the tool as it is.
    void dumpOpensAPathThatIsNotUtf8()
    {
        TempDir dir;
        const QString plain = newDatafile(dir);
        const QString folder = QFileInfo(plain).absolutePath();
        const QByteArray native = QFile::encodeName(folder) + "/caf\xe9.tb2";
        QCOMPARE(::rename(QFile::encodeName(plain).constData(), native.constData()), 0);

        QProcess p;
        p.setProgram(QStringLiteral("/bin/sh"));
        p.setArguments({QStringLiteral("-c"),
                        QStringLiteral("exec \"$0\" dump \"$(printf 'caf\\351.tb2')\""),
                        toolPath()});
        p.setWorkingDirectory(folder);
        p.start();
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(linesOf(QString::fromUtf8(p.readAllStandardOutput())).size(), 20);
    }

    void usageOnWrongArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("unknown command") << QStringList{"print", "x"};
        QTest::newRow("demo without path") << QStringList{"demo"};
        QTest::newRow("dump without path") << QStringList{"dump"};
        QTest::newRow("two paths") << QStringList{"dump", "a", "b"};
        QTest::newRow("unknown option") << QStringList{"demo", "--fast", "a"};
        QTest::newRow("check without path") << QStringList{"check"};
        QTest::newRow("check two paths") << QStringList{"check", "a", "b"};
        QTest::newRow("export unknown kind") << QStringList{"export", "sales", "a"};
        QTest::newRow("export pins of items") << QStringList{"export", "items", "--with-pins", "a"};
        QTest::newRow("export unknown option") << QStringList{"export", "items", "--all", "a"};
        QTest::newRow("import customers") << QStringList{"import", "customers", "a", "b"};
        QTest::newRow("import without file") << QStringList{"import", "items", "a"};
        QTest::newRow("backup three") << QStringList{"backup", "a", "b", "c"};
    }

    void usageOnWrongArguments()
    {
        QFETCH(QStringList, args);
        const Run run = runTool(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QStringLiteral("Usage:")), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

private:
    TempDir m_dir;
    QString m_demo;
    Run m_made;
    std::vector<DataRecord> m_recs;
};

TB_TEST(TestDataTool)
#include "TestDataTool.moc"
