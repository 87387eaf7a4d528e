#include "common/TestMain.h"

#include "cashier/AccessCheck.h"

#include <QTest>

namespace {
QString denial(const QString &action, const QString &option)
{
    return "You do not have permission to " + action
           + ". If you require access, please contact your supervisor and request that the option '"
           + option + "' be turned on for your cashier account.";
}
} // namespace

class AccessCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void deniedTextsOfTheOtherCommands();
};

void AccessCheckTest::deniedTextsOfTheOtherCommands()
{
    // Commands whose windows come later share the same table.
    Privileges none;
    const auto text = [&](GuardedCommand c) { return accessDenied(none, c).value_or(QString()); };
    QCOMPARE(text(GuardedCommand::BrowseItems), denial("browse the item database", "Browse Items"));
    QCOMPARE(text(GuardedCommand::SaveItem), denial("change item entries", "Modify Items"));
    QCOMPARE(text(GuardedCommand::RingNewItem),
             "The item you have entered is not in the product database. "
                 + denial("modify the product database", "Modify Items"));
    QCOMPARE(text(GuardedCommand::BrowseCredits),
             denial("browse the credit database", "Browse Credits"));
    QCOMPARE(text(GuardedCommand::SaveCredit),
             denial("modify entries in the credit database", "Modify Credits"));
    QCOMPARE(text(GuardedCommand::PayOnCredit),
             denial("complete a purchase using the credit database", "Modify Credits"));
    QCOMPARE(text(GuardedCommand::ChangeSettings),
             denial("change general program settings", "Change Settings"));
    QCOMPARE(text(GuardedCommand::ChangeTax), denial("change the tax rate", "Change Tax"));
    QCOMPARE(text(GuardedCommand::PlaceDiscount),
             denial("place a discount on a purchase", "Place Discount"));
    QCOMPARE(text(GuardedCommand::BuildReport), denial("build reports", "Build Reports"));
    QCOMPARE(text(GuardedCommand::BrowseCurrencies),
             denial("access the currency database", "Access Currency Data"));

    // A master passes every check; the privilege string round-trips.
    const Privileges master = Privileges::parse(Privileges::master().toString());
    for (int c = 0; c <= int(GuardedCommand::BrowseCurrencies); ++c)
        QVERIFY(!accessDenied(master, GuardedCommand(c)));
    QCOMPARE(master.toString(), Privileges::master().toString());
    QCOMPARE(Privileges::parse("1010").toString(), QStringLiteral("101000000000000000000"));
}

TB_TEST(AccessCheckTest)
#include "AccessCheckTest.moc"
