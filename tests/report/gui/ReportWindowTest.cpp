#include "ReportKit.h"

#include "common/TestMain.h"

#include "report/Report.h"
#include "report/Reports.h"

#include <QDialog>
#include <QFileInfo>
#include <QListView>

using namespace ReportKit;

namespace {
QStringList itemsOf(QWidget *w, const char *list)
{
    QStringList out;
    const QAbstractItemModel *rows = w->findChild<QListView *>(list)->model();
    for (int i = 0; i < rows->rowCount(); ++i)
        out.append(rows->index(i, 0).data().toString());
    return out;
}

bool shown(QWidget *w, const char *name)
{
    return w->findChild<QWidget *>(name)->isVisible();
}

ReportContent twoQueries()
{
    ReportContent r;
    r.queryALines = {"BOLT - 5", "NUT - 7"};
    r.queryBLines = {"BOLT - 12"};
    r.finalNames = Sync(r.queryALines, r.queryBLines, 1);
    r.display = ReadyDisplay("Sentence A.", true, "Item", "Sentence B.", 1);
    return r;
}
} // namespace

class ReportWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void showsSingleQuery();
    void showsTwoQueries();
    void savesReplacingAnExistingFile();
    void saveEndsSilently_data();
    void saveEndsSilently();
    void menuCommandBuildsAndSaves_data();
    void menuCommandBuildsAndSaves();
    void closingTheBuilderShowsNoReport();
};

void ReportWindowTest::showsSingleQuery()
{
    ReportContent r;
    r.queryBLines = {"HINGE - $12.50", "T-SHIRT - $15.00"};
    r.display = ReadyDisplay("The sentence.", false, "Credit", QString(), 0);
    ScriptedDialogs dialogs;
    Report w(r, dialogs);
    w.show();
    QCOMPARE(w.objectName(), QStringLiteral("Report"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Credit Report"));
    QVERIFY(!shown(&w, "List1") && !shown(&w, "Label3") && !shown(&w, "List3")
            && !shown(&w, "Label5"));
    QVERIFY(shown(&w, "List2"));
    QCOMPARE(caption(&w, "Label4"), QStringLiteral("Query Results"));
    QCOMPARE(caption(&w, "Label7"), QStringLiteral("The sentence."));
    QCOMPARE(caption(&w, "Label6"), QString());
    QCOMPARE(itemsOf(&w, "List2"), r.queryBLines.toStringList());
    QCOMPARE(caption(&w, "Command1"), QStringLiteral("&Save"));
}

void ReportWindowTest::showsTwoQueries()
{
    ScriptedDialogs dialogs;
    Report w(twoQueries(), dialogs);
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("Item Report"));
    for (const char *name : {"List1", "List2", "List3", "Label3", "Label5"})
        QVERIFY2(shown(&w, name), name);
    QCOMPARE(caption(&w, "Label3"), QStringLiteral("Query A Reults"));
    QCOMPARE(caption(&w, "Label4"), QStringLiteral("Query B Results"));
    QCOMPARE(caption(&w, "Label5"), QStringLiteral("Final Query Results"));
    QCOMPARE(caption(&w, "Label1"), QStringLiteral("AND"));
    QCOMPARE(caption(&w, "Label2"), QStringLiteral("="));
    QCOMPARE(caption(&w, "Label6"), QStringLiteral("Sentence A."));
    QCOMPARE(caption(&w, "Label7"), QStringLiteral("Sentence B."));
    QCOMPARE(itemsOf(&w, "List1"), (QStringList{"BOLT - 5", "NUT - 7"}));
    QCOMPARE(itemsOf(&w, "List3"), QStringList{"BOLT "});
    for (const char *list : {"List1", "List2", "List3"})
        QVERIFY(!w.findChild<QListView *>(list)->selectionModel()->hasSelection());
    QCOMPARE(w.findChild<QLabel *>("Label3")->buddy(), w.findChild<QWidget *>("List1"));
}

void ReportWindowTest::savesReplacingAnExistingFile()
{
    TempDir dir;
    const QString path = dir.writeFile("report.txt", QByteArray(4000, 'x'));
    ScriptedDialogs dialogs;
    Report w(twoQueries(), dialogs);
    w.setClock([] { return SavedAt; });
    dialogs.answerFile(path);
    Drive::click(&w, "Command1");

    QCOMPARE(dialogs.boxes.first().kind, QStringLiteral("save"));
    QCOMPARE(dialogs.boxes.first().text, QStringLiteral("Text Files (*.txt);;All Files (*.*)"));
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.lastMessage().icon, Dialogs::Icon::Information);
    QCOMPARE(dialogs.lastMessage().title, QStringLiteral("Report Saved"));
    QCOMPARE(dialogs.lastMessage().text, QStringLiteral("Report saved to file: ")
                                             + QFileInfo(path).absoluteFilePath()
                                             + QStringLiteral("."));
    const QByteArray saved = TempDir::readFile(path);
    QVERIFY(
        saved.startsWith("Tallybird Report\r\nItem Report\r\nSaved on: 3/15/24 2:05:09 PM\r\n"));
    QVERIFY(saved.endsWith("BOLT \r\n==============================\r\n"));
    QCOMPARE(dir.files(), QStringList{"report.txt"});
}

void ReportWindowTest::saveEndsSilently_data()
{
    QTest::addColumn<QString>("name"); // "" for Cancel
    QTest::newRow("cancel") << "";
    QTest::newRow("no such folder") << "missing/report.txt";
    QTest::newRow("a folder") << "folder";
}

void ReportWindowTest::saveEndsSilently()
{
    QFETCH(QString, name);
    TempDir dir;
    QDir(dir.path(".")).mkdir("folder");
    ScriptedDialogs dialogs;
    Report w(twoQueries(), dialogs);
    if (name.isEmpty())
        dialogs.answerCancel();
    else
        dialogs.answerFile(dir.path(name));
    Drive::click(&w, "Command1");
    QCOMPARE(dialogs.boxes.size(), 1);
    QVERIFY(dialogs.messages().isEmpty());
    QVERIFY(dir.files().isEmpty());
    QVERIFY(QDir(dir.path("folder")).isEmpty());
}

void ReportWindowTest::menuCommandBuildsAndSaves_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("queryA");
    QTest::addColumn<QStringList>("queryB"); // empty for a single report
    QTest::addColumn<QString>("expected");
    QTest::newRow("items, AND") << int(ReportKind::Item)
                                << QStringList{"optItemsSold", "optRelitive", "Option1", "2"}
                                << QStringList{"optItemCost", "optAbsolute", "Option4", "5"}
                                << "item_report_and.txt";
    QTest::newRow("cashiers, single")
        << int(ReportKind::Cashier)
        << QStringList{"optTimeLogOn", "optAbsolute", "Option3", "0000:45:00:000"} << QStringList{}
        << "cashier_report.txt";
}

void ReportWindowTest::menuCommandBuildsAndSaves()
{
    QFETCH(int, kind);
    QFETCH(QStringList, queryA);
    QFETCH(QStringList, queryB);
    QFETCH(QString, expected);

    TempDir dir;
    const QString datafile = shopDatafile(dir);
    const QString saved = dir.path("saved.txt");
    ScriptedDialogs dialogs;
    QWidget main;
    main.show();

    bool reportShown = false;
    Drive::onNextDialog([&](QDialog *builder) {
        const auto build = [builder](const QStringList &q) {
            buildQuery(builder, qPrintable(q[0]), qPrintable(q[1]), qPrintable(q[2]), q[3]);
        };
        build(queryA);
        if (!queryB.isEmpty()) {
            Drive::check(builder, "Check1", true);
            click(builder, "Command1");
            build(queryB);
        }
        Drive::onNextDialog([&](QDialog *d) {
            auto *report = qobject_cast<Report *>(d);
            QVERIFY(report);
            reportShown = true;
            report->setClock([] { return SavedAt; });
            dialogs.answerFile(saved);
            Drive::click(report, "Command1");
            report->close();
        });
        click(builder, "Command1");
    });
    const auto open =
        kind == int(ReportKind::Item) ? openItemReportBuilder : openCashierReportBuilder;
    open(datafile, dialogs, &main, {});

    QVERIFY(reportShown);
    QCOMPARE(dialogs.lastMessage().title, QStringLiteral("Report Saved"));
    const QByteArray want = expectedFile(expected);
    QVERIFY2(!want.isEmpty(), qPrintable(expected));
    QCOMPARE(TempDir::readFile(saved), want);
}

void ReportWindowTest::closingTheBuilderShowsNoReport()
{
    TempDir dir;
    ScriptedDialogs dialogs;
    QWidget main;
    bool builderSeen = false;
    Drive::onNextDialog([&](QDialog *builder) {
        builderSeen = builder->objectName() == QLatin1String("CreditReportBuild");
        buildQuery(builder, "optItemCost", "optAbsolute", "Option1", "0");
        builder->close();
    });
    openCreditReportBuilder(shopDatafile(dir), dialogs, &main, {});
    QVERIFY(builderSeen);
    QVERIFY(dialogs.boxes.isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
}

TB_TEST(ReportWindowTest)
#include "ReportWindowTest.moc"
