#include "common/TestMain.h"
#include "gui/Drive.h"
#include "gui/World.h"

#include <QDialog>
#include <QTest>

class ReportMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void menuOpensItsBuilder_data();
    void menuOpensItsBuilder();
    void buildReportsPrivilegeIsChecked();
};

void ReportMenuTest::menuOpensItsBuilder_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("items") << "mnuitmItemReport"
                           << "ItemReportBuild"
                           << "Item Report Builder";
    QTest::newRow("credits") << "mnuitmCreditReport"
                             << "CreditReportBuild"
                             << "Credit Report Builder";
    QTest::newRow("cashiers") << "mnuitmCashierReport"
                              << "CashierReportBuild"
                              << "Cashier Report Builder";
}

void ReportMenuTest::menuOpensItsBuilder()
{
    QFETCH(QString, command);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    World world;
    world.startLoggedOn();
    QString opened, title;
    Drive::onNextDialog([&](QDialog *d) {
        opened = d->objectName();
        title = d->windowTitle();
        d->reject();
    });
    QVERIFY(world.h.trigger(command));
    QCOMPARE(opened, window);
    QCOMPARE(title, caption);
    // Back at the counter, the item box has the keyboard.
    QCOMPARE(world.h.window().focusWidget(), world.h.find<QWidget>(QStringLiteral("Combo1")));
}

void ReportMenuTest::buildReportsPrivilegeIsChecked()
{
    QString privileges = Privileges::master().toString();
    privileges[int(Privilege::BuildReport)] = QLatin1Char('0');
    World world(privileges);
    world.startLoggedOn();
    QVERIFY(world.h.trigger(QStringLiteral("mnuitmItemReport")));
    QVERIFY(world.h.dialogs.accessDeniedWas("build reports", "Build Reports"));
}

TB_TEST(ReportMenuTest)
#include "ReportMenuTest.moc"
