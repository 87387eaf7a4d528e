#include "common/TempDir.h"
#include "common/TestMain.h"

#include "report/ReportContent.h"
#include "report/ReportFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {
const QDateTime SavedAt(QDate(2024, 3, 15), QTime(14, 5, 9));
const QString Rule(30, QLatin1Char('='));
const QString Dashes(30, QLatin1Char('-'));
} // namespace

class ReportContentTest : public QObject
{
    Q_OBJECT

private slots:
    void syncs_data();
    void syncs();
    void andOfManySharedNamesStaysBounded();
    void sortsLines();
    void singleQueryText();
    void twoQueryText();
    void writesCrLfWindows1252();
    void replacesExistingFile();
    void refusesWithoutLeavingAFile_data();
    void refusesWithoutLeavingAFile();
};

void ReportContentTest::syncs_data()
{
    QTest::addColumn<QStringList>("list1");
    QTest::addColumn<QStringList>("list2");
    QTest::addColumn<int>("andOr");
    QTest::addColumn<QStringList>("final");

    const QStringList a{"BOLT - 5", "NUT - 7"};
    const QStringList b{"BOLT - 12"};
    QTest::newRow("and") << a << b << 1 << QStringList{"BOLT "};
    QTest::newRow("or") << a << b << 0 << QStringList{"BOLT ", "NUT "};
    QTest::newRow("and, name with a dash") << QStringList{"T-SHIRT - 5", "CAP - 2"}
                                           << QStringList{"T-BONE - 7"} << 1 << QStringList{"T"};
    QTest::newRow("or, name with a dash")
        << QStringList{"T-SHIRT - 5"} << QStringList{"T-BONE - 7", "CAP - 2"} << 0
        << QStringList{"CAP ", "T"};
    QTest::newRow("and, once per pair")
        << QStringList{"X - 1", "X - 2"} << QStringList{"X - 3", "X - 4", "Y - 1"} << 1
        << QStringList{"X ", "X ", "X ", "X "};
    QTest::newRow("or keeps the first list whole")
        << QStringList{"X - 1", "X - 2"} << QStringList{"X - 3", "Y - 1", "Y - 2"} << 0
        << QStringList{"X ", "X ", "Y "};
    QTest::newRow("and is case-sensitive")
        << QStringList{"bolt - 1"} << QStringList{"BOLT - 2"} << 1 << QStringList{};
    QTest::newRow("lines without a dash")
        << QStringList{"PLAIN"} << QStringList{"OTHER"} << 1 << QStringList{""};
    QTest::newRow("and, one list empty") << a << QStringList{} << 1 << QStringList{};
    QTest::newRow("or, first list empty") << QStringList{} << b << 0 << QStringList{"BOLT "};
}

void ReportContentTest::syncs()
{
    QFETCH(QStringList, list1);
    QFETCH(QStringList, list2);
    QFETCH(int, andOr);
    QFETCH(QStringList, final);
    QCOMPARE(Sync(list1, list2, andOr).toStringList(), final);
}

void ReportContentTest::andOfManySharedNamesStaysBounded()
{
    // 400 lines on each side under one name would be 160,000 pairs.
    QStringList a;
    QStringList b;
    for (int i = 0; i < 400; ++i) {
        a.append(QStringLiteral("T-SHIRT %1 - 1").arg(i));
        b.append(QStringLiteral("T-BAR %1 - 2").arg(i));
    }
    b.append(QStringLiteral("HAT - 1"));
    a.append(QStringLiteral("HAT - 3"));
    const QStringList final = Sync(a, b, 1).toStringList();
    QCOMPARE(final.size(), 401);
    QCOMPARE(final.count(QStringLiteral("T")), 400);
    QCOMPARE(final.first(), QStringLiteral("HAT "));

    // Under the bound every pair still counts.
    QCOMPARE(Sync(a.mid(0, 300), b.mid(0, 300), 1).size(), 90000);
}

void ReportContentTest::sortsLines()
{
    ReportList lines{"nut - 1", "BOLT - 2", "Bolt - 3", "APPLE - 1", "bolt - 4"};
    lines.sort();
    QCOMPARE(lines.toStringList(),
             (QStringList{"APPLE - 1", "BOLT - 2", "Bolt - 3", "bolt - 4", "nut - 1"}));
    ReportList list{"B - 1"};
    appendReportLines(list, {"C - 1", "A - 1"});
    QCOMPARE(list.toStringList(), (QStringList{"A - 1", "B - 1", "C - 1"}));
}

void ReportContentTest::singleQueryText()
{
    ReportContent r;
    r.queryBLines = {"BOLT - $5.00", "NUT - $6.00"};
    r.display = ReadyDisplay("Search the ITEM COST property for an ABSOLUTE value greater than "
                             "$1.00.",
                             false, "Item", "", 0);
    QCOMPARE(ReportFile::savedOnText(SavedAt), QStringLiteral("3/15/24 2:05:09 PM"));
    QCOMPARE(ReportFile::lines(r, SavedAt),
             (QStringList{"Tallybird Report", "Item Report", "Saved on: 3/15/24 2:05:09 PM", Rule,
                          "Query Results",
                          "Search the ITEM COST property for an ABSOLUTE value greater than "
                          "$1.00.",
                          Dashes, "BOLT - $5.00", "NUT - $6.00", Rule}));
    r.queryBLines = {};
    QCOMPARE(ReportFile::lines(r, SavedAt).at(7), QStringLiteral("No data in list."));
}

void ReportContentTest::twoQueryText()
{
    ReportContent r;
    r.queryALines = {"BOLT - 5", "NUT - 7"};
    r.queryBLines = {};
    r.finalNames = Sync(r.queryALines, r.queryBLines, 0);
    r.display = ReadyDisplay("A.", true, "Item", "B.", 0);
    QCOMPARE(ReportFile::lines(r, SavedAt), (QStringList{"Tallybird Report",
                                                         "Item Report",
                                                         "Saved on: 3/15/24 2:05:09 PM",
                                                         Rule,
                                                         "Query A Results",
                                                         "A.",
                                                         Dashes,
                                                         "BOLT - 5",
                                                         "NUT - 7",
                                                         Rule,
                                                         "Query B Results ",
                                                         "B.",
                                                         Dashes,
                                                         "No data in list.",
                                                         Rule,
                                                         "Final Query Results",
                                                         "A.",
                                                         "OR",
                                                         "B.",
                                                         Dashes,
                                                         "BOLT ",
                                                         "NUT ",
                                                         Rule}));
}

void ReportContentTest::writesCrLfWindows1252()
{
    TempDir dir;
    const QString path = dir.path("report.txt");
    QCOMPARE(ReportFile::write(path, {"CAFÉ - €2.00", "", "end"}), FileError::None);
    QCOMPARE(TempDir::readFile(path), QByteArray("CAF\xC9 - \x80"
                                                 "2.00\r\n\r\nend\r\n"));
    QCOMPARE(dir.files(), QStringList{"report.txt"});
}

void ReportContentTest::replacesExistingFile()
{
    TempDir dir;
    const QString path = dir.writeFile("report.txt", QByteArray(5000, 'x'));
    QCOMPARE(ReportFile::write(path, {"short"}), FileError::None);
    QCOMPARE(TempDir::readFile(path), QByteArray("short\r\n"));
    QCOMPARE(dir.files(), QStringList{"report.txt"});
}

void ReportContentTest::refusesWithoutLeavingAFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("no such folder") << "missing/report.txt" << QStringList{"a"};
    QTest::newRow("a folder") << "folder" << QStringList{"a"};
    QTest::newRow("character without a byte") << "report.txt" << QStringList{"PRICE - ₹5"};
}

void ReportContentTest::refusesWithoutLeavingAFile()
{
    QFETCH(QString, name);
    QFETCH(QStringList, lines);
    TempDir dir;
    QVERIFY(QDir(dir.path(".")).mkdir("folder"));
    dir.writeFile("old.txt", "old\r\n");
    QVERIFY(ReportFile::write(dir.path(name), lines) != FileError::None);
    QCOMPARE(dir.files(), QStringList{"old.txt"});
    QVERIFY(QFileInfo(dir.path("folder")).isDir());
    QVERIFY(QDir(dir.path("folder")).isEmpty());
}

TB_TEST(ReportContentTest)
#include "ReportContentTest.moc"
