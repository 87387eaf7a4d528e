#include "ReportKit.h"

#include "common/TestMain.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

using namespace ReportKit;

namespace {
const QString NotValid =
    QStringLiteral("The text box does not contain valid input. Check your input and try again");

struct Window {
    explicit Window(ReportKind kind, bool withFile = true)
        : path(withFile ? shopDatafile(dir) : dir.path("gone.tb2")), builder(kind, path, dialogs)
    {
        builder.setStatus([this](const QString &text, bool busy) {
            status.append(text + (busy ? QStringLiteral(" (busy)") : QString()));
        });
        builder.show();
        QApplication::setActiveWindow(&builder);
        settle();
    }
    TempDir dir;
    QString path;
    ScriptedDialogs dialogs;
    ReportBuild builder;
    QStringList status;
};

bool shown(QWidget *w, const char *name)
{
    return w->findChild<QWidget *>(name)->isVisible();
}
bool enabled(QWidget *w, const char *name)
{
    return w->findChild<QWidget *>(name)->isEnabled();
}
} // namespace

class BuilderTest : public QObject
{
    Q_OBJECT

private slots:
    void opensAtFirstStep_data();
    void opensAtFirstStep();
    void writesSentenceStepByStep();
    void singleReport_data();
    void singleReport();
    void refusesValues_data();
    void refusesValues();
    void crossReferencedReport_data();
    void crossReferencedReport();
    void checkBoxesExcludeEachOther();
    void restartAfterQueryA();
    void unreadableDatafileIsReported();
};

void BuilderTest::opensAtFirstStep_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("properties");
    QTest::newRow("item") << int(ReportKind::Item) << "ItemReportBuild"
                          << "Item Report Builder"
                          << QStringList{"optItemCost=Item &Cost", "optItemsSold=Items &Sold",
                                         "optRemainingInventory=&Remaining Inventory",
                                         "optTotalInventory=&Total Inventory"};
    QTest::newRow("credit") << int(ReportKind::Credit) << "CreditReportBuild"
                            << "Credit Report Builder"
                            << QStringList{"optItemCost=&Balance", "optItemsSold=&Number of Visits",
                                           "optRemainingInventory=&Total Spent"};
    QTest::newRow("cashier") << int(ReportKind::Cashier) << "CashierReportBuild"
                             << "Cashier Report Builder"
                             << QStringList{"optItemCost=&Amount Sold",
                                            "optItemsSold=&Sales Performed",
                                            "optTimeLogOn=&Logged On Time"};
}

void BuilderTest::opensAtFirstStep()
{
    QFETCH(int, kind);
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QStringList, properties);
    Window w{ReportKind(kind)};
    QWidget *b = &w.builder;
    QCOMPARE(b->objectName(), name);
    QCOMPARE(b->windowTitle(), title);
    QCOMPARE(b->findChild<QGroupBox *>("Frame4")->title(), QStringLiteral("Item Database Query"));
    QCOMPARE(b->findChild<QGroupBox *>("Frame1")->title(), QStringLiteral("Search the:"));

    QStringList offered;
    for (QRadioButton *r : b->findChild<QWidget *>("Frame1")->findChildren<QRadioButton *>()) {
        offered.append(r->objectName() + QLatin1Char('=') + r->text());
        QVERIFY(!r->isChecked());
    }
    QCOMPARE(offered, properties);

    QVERIFY(shown(b, "Frame1") && enabled(b, "Frame1"));
    QVERIFY(!shown(b, "Frame2") && !shown(b, "Frame3") && !shown(b, "Text1")
            && !shown(b, "Label4"));
    QVERIFY(!enabled(b, "Command1") && !enabled(b, "Check1") && !enabled(b, "Check2"));
    QCOMPARE(caption(b, "Command1"), QStringLiteral("&Create Report"));
    QCOMPARE(caption(b, "Command2"), QStringLiteral("&Restart Query"));
    QCOMPARE(caption(b, "Check1"), QStringLiteral("Cross-Reference Search (&AND)"));
    QCOMPARE(caption(b, "Check2"), QStringLiteral("Cross-Reference Search (&OR)"));
    QCOMPARE(caption(b, "Label4"), QStringLiteral("Press Tab once data is keyed into box."));
    QCOMPARE(b->findChild<QLabel *>("Label4")->buddy(), valueBox(b));
    QCOMPARE(b->findChild<QLabel *>("Label1")->font().pointSizeF(), 13.5);
    for (const char *label : {"Label1", "Label2", "Label3"})
        QCOMPARE(caption(b, label), QString());
}

void BuilderTest::writesSentenceStepByStep()
{
    Window w(ReportKind::Item);
    QWidget *b = &w.builder;

    click(b, "optItemCost");
    QCOMPARE(caption(b, "Label1"), QStringLiteral("Search the ITEM COST property "));
    QCOMPARE(valueBox(b)->text(), QStringLiteral("$0.00"));
    QVERIFY(!enabled(b, "Frame1") && shown(b, "Frame2") && !shown(b, "Frame3"));
    QCOMPARE(caption(b, "optAbsolute"), QStringLiteral("&Absolute"));
    QCOMPARE(caption(b, "optRelitive"), QStringLiteral("&Relitive"));

    click(b, "optAbsolute");
    QCOMPARE(caption(b, "Label1"),
             QStringLiteral("Search the ITEM COST property for an ABSOLUTE value "));
    QVERIFY(!enabled(b, "Frame2") && shown(b, "Frame3"));
    QCOMPARE(b->findChild<QGroupBox *>("Frame3")->title(), QStringLiteral("value:"));
    QCOMPARE((QStringList{caption(b, "Option1"), caption(b, "Option2"), caption(b, "Option3"),
                          caption(b, "Option4"), caption(b, "Option5")}),
             (QStringList{"Greater than", "Less than", "Greater than or Equal to",
                          "Less than or Equal to", "Equal to"}));
    QVERIFY(shown(b, "Option5"));

    click(b, "Option3");
    QCOMPARE(caption(b, "Label1"), QStringLiteral("Search the ITEM COST property for an ABSOLUTE "
                                                  "value greater than or equal to "));
    QVERIFY(!enabled(b, "Frame3") && shown(b, "Text1") && shown(b, "Label4"));
    QCOMPARE(QApplication::focusWidget(), valueBox(b));
    QVERIFY(!enabled(b, "Command1"));

    enterValue(b, "2.5");
    QCOMPARE(valueBox(b)->text(), QStringLiteral("$2.50"));
    QCOMPARE(caption(b, "Label1"), QStringLiteral("Search the ITEM COST property for an ABSOLUTE "
                                                  "value greater than or equal to $2.50."));
    QVERIFY(!enabled(b, "Text1"));
    QVERIFY(enabled(b, "Command1") && enabled(b, "Check1") && enabled(b, "Check2"));
    QCOMPARE(QApplication::focusWidget(), b->findChild<QWidget *>("Command1"));
    QVERIFY(w.dialogs.boxes.isEmpty());

    // Relative mode: two comparisons, no frame caption, the box back to 0.
    Drive::click(b, "Command2");
    settle();
    QCOMPARE(caption(b, "Label1"), QString());
    click(b, "optItemCost");
    click(b, "optRelitive");
    QCOMPARE(caption(b, "Label1"), QStringLiteral("Search the ITEM COST property for the "));
    QCOMPARE(b->findChild<QGroupBox *>("Frame3")->title(), QString());
    QCOMPARE(caption(b, "Option1"), QStringLiteral("Highest"));
    QCOMPARE(caption(b, "Option2"), QStringLiteral("Lowest"));
    QVERIFY(!shown(b, "Option3") && !shown(b, "Option4") && !shown(b, "Option5"));
    QCOMPARE(valueBox(b)->text(), QStringLiteral("0"));
    click(b, "Option2");
    enterValue(b, "1");
    QCOMPARE(caption(b, "Label1"),
             QStringLiteral("Search the ITEM COST property for the lowest value."));
    QCOMPARE(valueBox(b)->text(), QStringLiteral("1"));
}

void BuilderTest::singleReport_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("comparison");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("item cost") << int(ReportKind::Item) << "optItemCost"
                               << "optAbsolute"
                               << "Option1"
                               << "5"
                               << "Search the ITEM COST property for an ABSOLUTE value greater "
                                  "than $5.00."
                               << QStringList{"HINGE - $12.50", "T-SHIRT - $15.00"};
    QTest::newRow("item remaining, lowest")
        << int(ReportKind::Item) << "optRemainingInventory"
        << "optRelitive"
        << "Option2"
        << "2"
        << "Search the ITEM REMANING INVENTORY property for the lowest 2 values."
        << QStringList{"BOLT - 3", "NUT - 3", "T-SHIRT - 2"};
    QTest::newRow("credit visits") << int(ReportKind::Credit) << "optItemsSold"
                                   << "optRelitive"
                                   << "Option1"
                                   << "1"
                                   << "Search the CREDIT NUMBER OF VISITS property for the "
                                      "highest value."
                                   << QStringList{"JONES - 8"};
    QTest::newRow("credit relative zero")
        << int(ReportKind::Credit) << "optItemCost"
        << "optRelitive"
        << "Option1"
        << "0"
        << "Search the CREDIT BALANCE property for the highest 0 values." << QStringList{};
    QTest::newRow("cashier time")
        << int(ReportKind::Cashier) << "optTimeLogOn"
        << "optAbsolute"
        << "Option3"
        << "0000:45:00:000"
        << "Search the CASHIER LOGGED ON TIME property for an ABSOLUTE value greater than or "
           "equal to 0000:45:00:000."
        << QStringList{"ANN - 0001:30:00:000", "BOB - 0000:45:10:005"};
}

void BuilderTest::singleReport()
{
    QFETCH(int, kind);
    QFETCH(QString, property);
    QFETCH(QString, mode);
    QFETCH(QString, comparison);
    QFETCH(QString, value);
    QFETCH(QString, sentence);
    QFETCH(QStringList, lines);

    Window w{ReportKind(kind)};
    QWidget *b = &w.builder;
    buildQuery(b, qPrintable(property), qPrintable(mode), qPrintable(comparison), value);
    QCOMPARE(caption(b, "Label1"), sentence);
    click(b, "Command1");

    QCOMPARE(w.builder.result(), int(QDialog::Accepted));
    QVERIFY(!w.builder.isVisible());
    const ReportContent &r = w.builder.report();
    QCOMPARE(r.queryBLines.toStringList(), lines);
    QVERIFY(r.queryALines.isEmpty() && r.finalNames.isEmpty());
    QVERIFY(!r.display.crossReferenced);
    QCOMPARE(r.display.sentenceB, sentence);
    QCOMPARE(r.display.caption, queryKind(ReportKind(kind)).kindWord + QStringLiteral(" Report"));
    QCOMPARE(w.status, (QStringList{"Preparing Report (busy)", "Ready"}));
    QVERIFY(w.dialogs.boxes.isEmpty());
}

void BuilderTest::refusesValues_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("restored");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("focusBack");
    QTest::addColumn<QString>("goodValue");

    const QString bad = QStringLiteral("Input not Valid");
    QTest::newRow("item relative zero") << int(ReportKind::Item) << "optItemsSold"
                                        << "optRelitive"
                                        << "0"
                                        << "0" << bad << NotValid << true << "3";
    QTest::newRow("item relative negative") << int(ReportKind::Item) << "optItemsSold"
                                            << "optRelitive"
                                            << "-2"
                                            << "0" << bad << NotValid << true << "3";
    QTest::newRow("item negative cost") << int(ReportKind::Item) << "optItemCost"
                                        << "optAbsolute"
                                        << "-1"
                                        << "$0.00" << bad << NotValid << true << "1";
    QTest::newRow("credit letters") << int(ReportKind::Credit) << "optRemainingInventory"
                                    << "optAbsolute"
                                    << "lots"
                                    << "0" << bad << NotValid << true << "-5";
    QTest::newRow("cashier sales letters")
        << int(ReportKind::Cashier) << "optItemsSold"
        << "optAbsolute"
        << "x"
        << "0" << bad << NotValid + QStringLiteral(".") << true << "2";
    for (const char *time : {"1:30:00:000", "0001:60:00:000", "0001:30:00:00"})
        QTest::addRow("cashier time %s", time)
            << int(ReportKind::Cashier) << "optTimeLogOn"
            << "optAbsolute" << time << "0000:00:00:000"
            << "Error 8778"
            << "Please ensure that the 'Time Logged On' box contains valid input.  Data should "
               "be entered in the format hhhh:mm:ss:mss"
            << false << "0001:30:00:000";
}

void BuilderTest::refusesValues()
{
    QFETCH(int, kind);
    QFETCH(QString, property);
    QFETCH(QString, mode);
    QFETCH(QString, value);
    QFETCH(QString, restored);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(bool, focusBack);
    QFETCH(QString, goodValue);

    Window w{ReportKind(kind)};
    QWidget *b = &w.builder;
    click(b, qPrintable(property));
    click(b, qPrintable(mode));
    click(b, "Option1");
    const QString before = caption(b, "Label1");
    enterValue(b, value);

    QCOMPARE(w.dialogs.messages().size(), 1);
    QCOMPARE(w.dialogs.lastMessage().icon, Dialogs::Icon::Critical);
    QCOMPARE(w.dialogs.lastMessage().title, title);
    QCOMPARE(w.dialogs.lastMessage().text, message);
    QCOMPARE(valueBox(b)->text(), restored);
    QCOMPARE(caption(b, "Label1"), before);
    QVERIFY(enabled(b, "Text1"));
    QVERIFY(!enabled(b, "Command1"));
    QCOMPARE(QApplication::focusWidget() == valueBox(b), focusBack);

    // The step is still open for a good value.
    enterValue(b, goodValue);
    QCOMPARE(w.dialogs.messages().size(), 1);
    QVERIFY(caption(b, "Label1").startsWith(before));
    QVERIFY(caption(b, "Label1").endsWith(QLatin1Char('.')));
    QVERIFY(enabled(b, "Command1"));
}

void BuilderTest::crossReferencedReport_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QStringList>("queryA"); // property, mode, comparison, value
    QTest::addColumn<QStringList>("queryB");
    QTest::addColumn<QString>("sentenceB");
    QTest::addColumn<QStringList>("list1");
    QTest::addColumn<QStringList>("list2");
    QTest::addColumn<QStringList>("list3");

    QTest::newRow("items, AND")
        << int(ReportKind::Item) << "Check1"
        << QStringList{"optItemsSold", "optRelitive", "Option1", "2"}
        << QStringList{"optItemCost", "optAbsolute", "Option4", "5"}
        << "Search the ITEM COST property for an ABSOLUTE value less than or equal to $5.00."
        << QStringList{"BOLT - 7", "CAFÉ MUG - 7", "HINGE - 9", "NUT - 7"}
        << QStringList{"BOLT - $5.00", "CAFÉ MUG - $4.50", "NUT - $5.00", "WASHER - $0.10"}
        << QStringList{"BOLT ", "CAFÉ MUG ", "NUT "};
    QTest::newRow("credit, OR") << int(ReportKind::Credit) << "Check2"
                                << QStringList{"optItemCost", "optAbsolute", "Option2", "0"}
                                << QStringList{"optRemainingInventory", "optAbsolute", "Option5",
                                               "40"}
                                << "Search the CREDIT TOTAL SPENT property for an ABSOLUTE value "
                                   "equal to 40."
                                << QStringList{"SMITH - ($12.50)"}
                                << QStringList{"JONES - $40.00", "SMITH - $40.00"}
                                << QStringList{"JONES ", "SMITH "};
    QTest::newRow("cashiers, AND, nobody")
        << int(ReportKind::Cashier) << "Check1"
        << QStringList{"optItemsSold", "optAbsolute", "Option1", "0"}
        << QStringList{"optItemCost", "optRelitive", "Option2", "1"}
        << "Search the CASHIER AMOUNT SOLD property for the lowest value."
        << QStringList{"ANN - 12", "BOB - 4"} << QStringList{"CAROL - $0.00"} << QStringList{};
}

void BuilderTest::crossReferencedReport()
{
    QFETCH(int, kind);
    QFETCH(QString, check);
    QFETCH(QStringList, queryA);
    QFETCH(QStringList, queryB);
    QFETCH(QString, sentenceB);
    QFETCH(QStringList, list1);
    QFETCH(QStringList, list2);
    QFETCH(QStringList, list3);

    Window w{ReportKind(kind)};
    QWidget *b = &w.builder;
    const auto build = [b](const QStringList &q) {
        buildQuery(b, qPrintable(q[0]), qPrintable(q[1]), qPrintable(q[2]), q[3]);
    };
    build(queryA);
    const QString sentenceA = caption(b, "Label1");
    Drive::check(b, check, true);
    const QString word =
        check == QLatin1String("Check1") ? QStringLiteral("AND") : QStringLiteral("OR");
    QCOMPARE(caption(b, "Label3"), word);
    QCOMPARE(caption(b, "Command1"), QStringLiteral("&Continue Building"));

    click(b, "Command1");
    QVERIFY(w.builder.isVisible());
    QVERIFY(w.builder.stage());
    QCOMPARE(w.builder.report().queryALines.toStringList(), list1);
    QCOMPARE(caption(b, "Command1"), QStringLiteral("&Create Report"));
    QVERIFY(!enabled(b, "Command1") && !enabled(b, "Check1") && !enabled(b, "Check2"));
    QVERIFY(Drive::isChecked(b, check));
    QVERIFY(enabled(b, "Frame1") && !shown(b, "Frame2") && !shown(b, "Text1"));
    QCOMPARE(valueBox(b)->text(), QStringLiteral("0"));
    QCOMPARE(caption(b, "Label1"), sentenceA);
    QCOMPARE(caption(b, "Label3"), word);
    QCOMPARE(caption(b, "Label2"), QString());

    build(queryB);
    QCOMPARE(caption(b, "Label1"), sentenceA);
    QCOMPARE(caption(b, "Label2"), sentenceB);
    QVERIFY(!enabled(b, "Check1") && !enabled(b, "Check2"));
    click(b, "Command1");

    QCOMPARE(w.builder.result(), int(QDialog::Accepted));
    const ReportContent &r = w.builder.report();
    QCOMPARE(r.queryALines.toStringList(), list1);
    QCOMPARE(r.queryBLines.toStringList(), list2);
    QCOMPARE(r.finalNames.toStringList(), list3);
    QVERIFY(r.display.crossReferenced);
    QCOMPARE(r.display.sentenceA, sentenceA);
    QCOMPARE(r.display.sentenceB, sentenceB);
    QCOMPARE(r.display.joinWord, word);
    QCOMPARE(w.status,
             (QStringList{"Preparing Report (busy)", "Ready", "Preparing Report (busy)", "Ready"}));
}

void BuilderTest::checkBoxesExcludeEachOther()
{
    Window w(ReportKind::Item);
    QWidget *b = &w.builder;
    buildQuery(b, "optItemsSold", "optAbsolute", "Option1", "1");

    Drive::check(b, "Check1", true);
    QCOMPARE(caption(b, "Label3"), QStringLiteral("AND"));
    QCOMPARE(caption(b, "Command1"), QStringLiteral("&Continue Building"));
    Drive::check(b, "Check2", true);
    QVERIFY(!Drive::isChecked(b, "Check1"));
    QCOMPARE(caption(b, "Label3"), QStringLiteral("OR"));
    QCOMPARE(caption(b, "Command1"), QStringLiteral("&Continue Building"));
    Drive::check(b, "Check1", true);
    QVERIFY(!Drive::isChecked(b, "Check2"));
    QCOMPARE(caption(b, "Label3"), QStringLiteral("AND"));
    Drive::check(b, "Check1", false);
    QCOMPARE(caption(b, "Label3"), QString());
    QCOMPARE(caption(b, "Command1"), QStringLiteral("&Create Report"));
    QVERIFY(!Drive::isChecked(b, "Check2"));

    // Nothing ticked: a single report after all.
    click(b, "Command1");
    QCOMPARE(w.builder.result(), int(QDialog::Accepted));
    QVERIFY(!w.builder.report().display.crossReferenced);
}

void BuilderTest::restartAfterQueryA()
{
    Window w(ReportKind::Item);
    QWidget *b = &w.builder;
    buildQuery(b, "optItemsSold", "optAbsolute", "Option1", "5");
    Drive::check(b, "Check2", true);
    click(b, "Command1");
    QVERIFY(w.builder.stage());
    click(b, "optItemCost"); // Query B under way

    click(b, "Command2");
    QVERIFY(!w.builder.stage());
    for (const char *label : {"Label1", "Label2", "Label3"})
        QCOMPARE(caption(b, label), QString());
    QVERIFY(!Drive::isChecked(b, "Check1") && !Drive::isChecked(b, "Check2"));
    QVERIFY(enabled(b, "Check1") && enabled(b, "Check2"));
    QVERIFY(enabled(b, "Frame1") && !shown(b, "Frame2") && !shown(b, "Frame3"));
    QVERIFY(!enabled(b, "Command1"));
    for (QRadioButton *r : b->findChildren<QRadioButton *>())
        QVERIFY(!r->isChecked());

    // A fresh Query A, written on the first line; the old one's lines are gone.
    buildQuery(b, "optTotalInventory", "optAbsolute", "Option5", "5");
    QCOMPARE(caption(b, "Label1"),
             QStringLiteral("Search the ITEM TOTAL INVENTORY property for an ABSOLUTE value "
                            "equal to 5."));
    QCOMPARE(caption(b, "Label2"), QString());
    Drive::check(b, "Check1", true);
    click(b, "Command1");
    QCOMPARE(w.builder.report().queryALines.toStringList(), QStringList{"T-SHIRT - 5"});
    buildQuery(b, "optItemsSold", "optAbsolute", "Option1", "0");
    click(b, "Command1");
    QCOMPARE(w.builder.report().finalNames.toStringList(), QStringList{"T"});
}

void BuilderTest::unreadableDatafileIsReported()
{
    Window w(ReportKind::Credit, false);
    QWidget *b = &w.builder;
    buildQuery(b, "optItemCost", "optAbsolute", "Option1", "0");
    click(b, "Command1");
    QCOMPARE(w.dialogs.messages().size(), 1);
    QCOMPARE(w.dialogs.lastMessage().icon, Dialogs::Icon::Critical);
    QCOMPARE(w.dialogs.lastMessage().title, QStringLiteral("File I/O Error"));
    QCOMPARE(w.dialogs.lastMessage().text,
             QStringLiteral("A File I/O Error has occured. Please try again.\nError: 53"));
    QCOMPARE(w.builder.result(), int(QDialog::Accepted));
    QVERIFY(w.builder.report().queryBLines.isEmpty());
    QCOMPARE(w.builder.report().display.sentenceB,
             QStringLiteral("Search the CREDIT BALANCE property for an ABSOLUTE value greater "
                            "than $0.00."));
}

TB_TEST(BuilderTest)
#include "BuilderTest.moc"
