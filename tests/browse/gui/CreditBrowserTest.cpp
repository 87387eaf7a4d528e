#include "BrowserDrive.h"
#include "common/TestMain.h"
#include "gui/TestData.h"

#include "datafile/CustomerEntry.h"

#include <QFile>
#include <QPlainTextEdit>

using namespace BrowserDrive;

// The World's records: 21 ANN, 22 SAM, 23 TEA, 24 COFFEE, 25 BUN, 26 BOB, 27 CAROL.
namespace {
const QString Credits = QStringLiteral("mnuCredit");

QPlainTextEdit *notes(QDialog *d)
{
    return d->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
}
} // namespace

class CreditBrowserTest : public QObject
{
    Q_OBJECT

private slots:
    void walksSavesAndShowsNotes();
    void totalSpentIsChecked();
    void notesTooLongKeepTheInput();
    void deleteShowsNextCustomer();
    void noCustomersOpensOnBlank();
    void changesNeedModifyCredits();
};

void CreditBrowserTest::walksSavesAndShowsNotes()
{
    World world;
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Credits, [&](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Browse Credits"));
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("BOB"));
        press(d, Qt::Key_F6);
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("CAROL"));
        press(d, Qt::Key_F6);
        QCOMPARE(Drive::text(d, "Text2"), QString());
        QCOMPARE(notes(d)->toPlainText(), QString());
        QCOMPARE(Drive::text(d, "Text3"), QStringLiteral("$0.00"));
        QCOMPARE(Drive::text(d, "Text4"), QStringLiteral("0"));
        QCOMPARE(Drive::text(d, "Text5"), QStringLiteral("$0.00"));

        Drive::type(d, "Text2", "dave");
        Drive::focus(d, "Text1");
        QTest::keyClicks(notes(d), "Pays on Fridays");
        QTest::keyClick(notes(d), Qt::Key_Return);
        QTest::keyClicks(notes(d), "No cheques");
        Drive::type(d, "Text3", "-12.5");
        Drive::type(d, "Text4", "3");
        Drive::type(d, "Text5", "");
        press(d, Qt::Key_F7);
        QVERIFY(dialogs.messages().isEmpty());

        press(d, Qt::Key_F5);
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("CAROL"));
        dialogs.answerText("dave");
        press(d, Qt::Key_F9);
        QCOMPARE(dialogs.boxes.last().text,
                 QStringLiteral("Please enter a customer name or number. To advance to a blank "
                                "record, place an asterisk in the field and press enter."));
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("DAVE"));
        QCOMPARE(notes(d)->toPlainText(), QStringLiteral("Pays on Fridays\nNo cheques"));
        QCOMPARE(Drive::text(d, "Text3"), QStringLiteral("($12.50)"));
        dialogs.answerText("COFFEE");
        press(d, Qt::Key_F9);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Search Error",
                                       "No records match search critera"));
    }));
    const DataRecord dave = read(world.path, 28);
    QVERIFY(dave.isCustomer());
    QCOMPARE(dave.Number, FieldValue::fromText("DAVE"));
    QCOMPARE(dave.Notes, FieldValue::fromText("Pays on Fridays\r\nNo cheques"));
    QCOMPARE(dave.Price, FieldValue::fromCurrency(Currency::fromRaw(-125000)));
    QCOMPARE(dave.SpareA, FieldValue::fromInt16(3));
    QCOMPARE(dave.SpareB, FieldValue::fromCurrency(Currency()));
}

void CreditBrowserTest::totalSpentIsChecked()
{
    World world;
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    const QByteArray before = TempDir::readFile(world.path);
    QVERIFY(inWindow(world, Credits, [&](QDialog *d) {
        Drive::focus(d, "Text5");
        Drive::type(d, "Text5", "lots");
        Drive::leave(d, "Text5");
        QVERIFY(dialogs.lastMessageWas(
            Dialogs::Icon::Critical, "Error 8778",
            "Please ensure that the 'Total Spent' box contains valid input."));
        QCOMPARE(Drive::text(d, "Text5"), QStringLiteral("$0.00"));
        // Saved without leaving the box.
        Drive::type(d, "Text5", "lots");
        press(d, Qt::Key_F7);
        QVERIFY(dialogs.lastMessageWas(
            Dialogs::Icon::Critical, "Input Error",
            "Please ensure that you have entered valid input in all the boxes."));
        QCOMPARE(Drive::text(d, "Text5"), QStringLiteral("lots"));

        Drive::focus(d, "Text3");
        Drive::type(d, "Text3", "owes");
        Drive::leave(d, "Text3");
        QVERIFY(
            dialogs.lastMessageWas(Dialogs::Icon::Critical, "Error 8778",
                                   "Please ensure that the 'Balance' box contains valid input."));
        Drive::focus(d, "Text4");
        Drive::type(d, "Text4", "2.5");
        Drive::leave(d, "Text4");
        QVERIFY(dialogs.lastMessageWas(
            Dialogs::Icon::Critical, "Error 8778",
            "Please ensure that the 'Number of Visits' box contains valid input."));
        QCOMPARE(Drive::text(d, "Text4"), QStringLiteral("0"));
        Drive::type(d, "Text5", "1,000");
        Drive::leave(d, "Text5");
        QCOMPARE(Drive::text(d, "Text5"), QStringLiteral("$1,000.00"));
        Drive::type(d, "Text5", "");
        Drive::leave(d, "Text5");
        QCOMPARE(Drive::text(d, "Text5"), QStringLiteral("$0.00"));
        // Past the largest amount the datafile holds: refused, not stored as that largest.
        Drive::type(d, "Text2", "BOB");
        Drive::type(d, "Text3", "1e300");
        press(d, Qt::Key_F7);
        QVERIFY(dialogs.lastMessageWas(
            Dialogs::Icon::Critical, "Input Error",
            "Please ensure that you have entered valid input in all the boxes."));
    }));
    QCOMPARE(TempDir::readFile(world.path), before);
}

void CreditBrowserTest::notesTooLongKeepTheInput()
{
    World world;
    world.startLoggedOn();
    const QByteArray before = TempDir::readFile(world.path);
    const QString longNotes = QString(80, QLatin1Char('n'));
    QVERIFY(inWindow(world, Credits, [&](QDialog *d) {
        notes(d)->setPlainText(longNotes);
        press(d, Qt::Key_F7);
        QVERIFY(world.h.dialogs.lastMessageWas(
            Dialogs::Icon::Critical, "Record too Long",
            "This record is too long!  Try shortening some of the fields."));
        QCOMPARE(notes(d)->toPlainText(), longNotes);
        QVERIFY(d->isVisible());
        // Short enough now.
        notes(d)->setPlainText(longNotes.left(60));
        press(d, Qt::Key_F7);
    }));
    QCOMPARE(CustomerEntry(read(world.path, 26)).notes(), longNotes.left(60));
    QCOMPARE(TempDir::readFile(world.path).size(), before.size());
}

void CreditBrowserTest::deleteShowsNextCustomer()
{
    World world;
    world.startLoggedOn();
    QVERIFY(inWindow(world, Credits, [&](QDialog *d) {
        world.h.dialogs.answerYes();
        press(d, Qt::Key_F8);
        QVERIFY(
            world.h.dialogs.lastMessageWas(Dialogs::Icon::Question, "Confirm Delete",
                                           "Are you sure you wish to delete this credit record?"));
        QCOMPARE(Drive::text(d, "Text2"), QStringLiteral("CAROL"));
        // CAROL moved to BOB's place, and a save goes there.
        Drive::type(d, "Text4", "9");
        press(d, Qt::Key_F7);
    }));
    QCOMPARE(RecordStore(world.path).NextFreeRecord().valueOr(0), 27);
    const CustomerEntry carol(read(world.path, 26));
    QCOMPARE(carol.name(), QStringLiteral("CAROL"));
    QCOMPARE(carol.visits(), 9.0);
}

void CreditBrowserTest::noCustomersOpensOnBlank()
{
    World world;
    QByteArray bytes = TempDir::readFile(world.path);
    bytes.truncate(25 * RecordLength);
    QFile file(world.path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    world.startLoggedOn();
    QVERIFY(inWindow(world, Credits, [&](QDialog *d) {
        QCOMPARE(Drive::text(d, "Text2"), QString());
        QCOMPARE(Drive::text(d, "Text3"), QStringLiteral("$0.00"));
        press(d, Qt::Key_F5);
        QVERIFY(world.h.dialogs.lastMessageWas(Dialogs::Icon::Critical, "Beginning of Database",
                                               "You are at the beginning of the database."));
    }));
}

void CreditBrowserTest::changesNeedModifyCredits()
{
    World world(QStringLiteral("001000000000000000000"));
    world.startLoggedOn();
    const QByteArray before = TempDir::readFile(world.path);
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Credits, [&](QDialog *d) {
        Drive::type(d, "Text4", "5");
        QVERIFY(changesRefused(d, dialogs));
        QVERIFY(dialogs.accessDeniedWas("modify entries in the credit database", "Modify Credits"));
    }));
    QCOMPARE(TempDir::readFile(world.path), before);

    World denied(QStringLiteral("100000000000000000000"));
    denied.startLoggedOn();
    QVERIFY(!inWindow(denied, Credits, [](QDialog *) {}));
    QVERIFY(denied.h.dialogs.accessDeniedWas("browse the credit database", "Browse Credits"));
}

#include "CreditBrowserTest.moc"
TB_TEST(CreditBrowserTest)
