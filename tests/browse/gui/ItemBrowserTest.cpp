#include "BrowserDrive.h"
#include "common/TestMain.h"
#include "gui/TestData.h"

#include "browse/BrowserSettings.h"
#include "datafile/DatafileFixtures.h"
#include "datafile/ItemEntry.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

using namespace BrowserDrive;

// The World's records: 21 ANN, 22 SAM, 23 TEA, 24 COFFEE, 25 BUN, 26 BOB, 27 CAROL.
namespace {
const QString Items = QStringLiteral("mnuItems");

QStringList boxes(QDialog *d)
{
    QStringList texts;
    for (const char *box : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"})
        texts << Drive::text(d, box);
    return texts;
}

bool itemBoxHolds(World &world, const QString &name)
{
    return world.h.find<QComboBox>(QStringLiteral("Combo1"))->findText(name) >= 0;
}
} // namespace

class ItemBrowserTest : public QObject
{
    Q_OBJECT

private slots:
    void walksAndSearches();
    void savesNewItemAndRefillsItemBox();
    void changesAnItem();
    void keypadPriceInTheLocale();
    void deletesLastItemAndAddsAtTheEnd();
    void blankSavedAfterAnotherTillsAppend();
    void recordMovedElsewhereIsLeftAlone_data();
    void recordMovedElsewhereIsLeftAlone();
    void leavingBoxesChecksThem_data();
    void leavingBoxesChecksThem();
    void privileges();
    void fileErrorsKeepTheWindow();
    void emptyDatafileOpensOnBlank();
};

void ItemBrowserTest::walksAndSearches()
{
    World world;
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Items, [&](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Browse Items"));
        QCOMPARE(d->objectName(), QStringLiteral("Items"));
        QCOMPARE(boxes(d), QStringList({"TEA", "1", "$2.00", "0", "10", "10"}));
        press(d, Qt::Key_F6);
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("COFFEE"));
        QTest::mouseClick(d->findChild<QLabel *>("Image1"), Qt::LeftButton);
        QCOMPARE(boxes(d), QStringList({"BUN", "3", "$0.75", "0", "30", "30"}));
        // Past the last item: the blank form once, then the end.
        press(d, Qt::Key_F6);
        QCOMPARE(boxes(d), QStringList({"", "0", "$0.00", "0", "0", "0"}));
        QVERIFY(dialogs.messages().isEmpty());
        press(d, Qt::Key_F6);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "End of Database",
                                       "There are no more items in the database"));
        press(d, Qt::Key_F5);
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("BUN"));
        QTest::mouseClick(d->findChild<QLabel *>("Image2"), Qt::LeftButton);
        press(d, Qt::Key_F5);
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("TEA"));
        // Only cashiers lie before the first item.
        dialogs.clear();
        press(d, Qt::Key_F5);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Beginning of Database",
                                       "You are at the beginning of the database."));
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("TEA"));

        dialogs.answerText("coffee");
        press(d, Qt::Key_F9);
        const auto input = dialogs.boxes.last();
        QCOMPARE(input.kind, QStringLiteral("input"));
        QCOMPARE(input.title, QStringLiteral("Search Criteria"));
        QCOMPARE(input.text, QStringLiteral("Please enter a product name or number. To advance "
                                            "to a blank record, place an asterisk in the field "
                                            "and press enter."));
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("COFFEE"));
        // By number, whatever the name.
        dialogs.answerText("3");
        d->findChild<QAction *>("mnuSearch")->trigger();
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("BUN"));
        dialogs.answerText("BOB");
        press(d, Qt::Key_F9);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Search Error",
                                       "No records match search critera"));
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("BUN"));
        dialogs.clear();
        dialogs.answerText("***");
        press(d, Qt::Key_F9);
        QVERIFY(dialogs.messages().isEmpty());
        dialogs.answerText("*");
        press(d, Qt::Key_F9);
        QCOMPARE(Drive::text(d, "Text1"), QString());
        QCOMPARE(world.h.window().statusText(), QStringLiteral("Ready"));
    }));
}

void ItemBrowserTest::savesNewItemAndRefillsItemBox()
{
    World world;
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    QVERIFY(!itemBoxHolds(world, "JAM"));
    QVERIFY(inWindow(world, Items, [&](QDialog *d) {
        dialogs.answerText("*");
        press(d, Qt::Key_F9);
        Drive::type(d, "Text1", "jam");
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("JAM"));
        Drive::type(d, "Text2", "5012345000114");
        Drive::type(d, "Text3", "2.5");
        Drive::type(d, "Text4", "3");
        Drive::type(d, "Text5", "10");
        Drive::type(d, "Text6", "6");
        press(d, Qt::Key_F7);
        QVERIFY(dialogs.lastMessageWas(
            Dialogs::Icon::Critical, "Input Error",
            "The total of properties 'Remaining Inventory' and 'Items Sold' must equal Total "
            "Inventory. Check your input and try again."));
        QCOMPARE(RecordStore(world.path).NextFreeRecord().valueOr(0), 28);
        Drive::type(d, "Text6", "7");
        Drive::click(d, "Command1");
        QCOMPARE(RecordStore(world.path).NextFreeRecord().valueOr(0), 29);
        // The pick list follows when the window closes.
        QVERIFY(!itemBoxHolds(world, "JAM"));
    }));
    const DataRecord jam = read(world.path, 28);
    QCOMPARE(jam.Name, FieldValue::fromText("JAM"));
    QCOMPARE(jam.Number, FieldValue::fromText("5012345000114"));
    QCOMPARE(jam.Price, FieldValue::fromCurrency(Currency::fromRaw(25000)));
    QCOMPARE(jam.Sold, FieldValue::fromInt16(3));
    QCOMPARE(jam.Stock, FieldValue::fromInt16(10));
    QCOMPARE(jam.Remaining, FieldValue::fromInt16(7));
    QVERIFY(itemBoxHolds(world, "JAM"));
    QCOMPARE(world.h.window().statusText(), QStringLiteral("Ready"));
}

void ItemBrowserTest::changesAnItem()
{
    World world;
    world.startLoggedOn();
    QVERIFY(inWindow(world, Items, [&](QDialog *d) {
        press(d, Qt::Key_F6);
        // A name of 40 characters, even of the widest letter, is in sight as a whole.
        Drive::type(d, "Text1", QString(40, QLatin1Char('W')));
        auto *name = d->findChild<QLineEdit *>("Text1");
        name->repaint(); // where the box scrolls its text to
        QCOMPARE(name->cursorPositionAt(QPoint(0, name->height() / 2)), 0);
        Drive::type(d, "Text1", "MOCHA");
        Drive::type(d, "Text3", "1234.56");
        press(d, Qt::Key_Return); // the default button
        QCOMPARE(Drive::text(d, "Text3"), QStringLiteral("$1,234.56"));
    }));
    const ItemEntry mocha(read(world.path, 24));
    QCOMPARE(mocha.name(), QStringLiteral("MOCHA"));
    QCOMPARE(mocha.price(), Currency::fromRaw(12345600));
    QCOMPARE(mocha.stock(), 20.0);
    QVERIFY(itemBoxHolds(world, "MOCHA"));
    QVERIFY(!itemBoxHolds(world, "COFFEE"));
}

void ItemBrowserTest::keypadPriceInTheLocale()
{
    for (const char *locale : {"de_DE", "fr_FR"}) {
        Fixtures::LocaleGuard guard{QLocale(locale)};
        World world;
        world.startLoggedOn();
        QVERIFY(inWindow(world, Items, [&](QDialog *d) {
            Drive::focus(d, "Text3");
            Drive::keys("1");
            Drive::press(Qt::Key_Period, Qt::KeypadModifier);
            Drive::keys("30");
            press(d, Qt::Key_Return);
            QCOMPARE(world.h.dialogs.boxes.size(), 0);
        }));
        QCOMPARE(ItemEntry(read(world.path, 23)).price(), Currency::fromRaw(13000));
    }
}

void ItemBrowserTest::deletesLastItemAndAddsAtTheEnd()
{
    World world;
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Items, [&](QDialog *d) {
        dialogs.answerText("BUN");
        press(d, Qt::Key_F9);
        dialogs.answerNo();
        press(d, Qt::Key_F8);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Question, "Confirm Delete",
                                       "Are you sure you wish to delete this item record?"));
        QCOMPARE(RecordStore(world.path).NextFreeRecord().valueOr(0), 28);
        dialogs.answerYes();
        d->findChild<QAction *>("mnuDelete")->trigger();
        // The customers moved up; no item follows.
        QCOMPARE(RecordStore(world.path).NextFreeRecord().valueOr(0), 27);
        QCOMPARE(read(world.path, 25).Number.toText(), QStringLiteral("BOB"));
        QCOMPARE(boxes(d), QStringList({"", "0", "$0.00", "0", "0", "0"}));
        // Delete does nothing on the blank form.
        dialogs.clear();
        press(d, Qt::Key_F8);
        QVERIFY(dialogs.boxes.isEmpty());

        Drive::type(d, "Text1", "PIE");
        press(d, Qt::Key_F7);
    }));
    QCOMPARE(ItemEntry(read(world.path, 27)).name(), QStringLiteral("PIE"));
    QCOMPARE(read(world.path, 26).Number.toText(), QStringLiteral("CAROL"));
    QVERIFY(!itemBoxHolds(world, "BUN"));
}

void ItemBrowserTest::blankSavedAfterAnotherTillsAppend()
{
    World world;
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Items, [&](QDialog *d) {
        dialogs.answerText("*");
        press(d, Qt::Key_F9);
        QCOMPARE(
            RecordStore(world.path).append(ItemEntry::make("PIE", "9", {}, 0).record()).valueOr(0),
            28);
        Drive::type(d, "Text1", "JAM");
        press(d, Qt::Key_F7);
        // The window now stands on the record it wrote.
        Drive::type(d, "Text1", "HONEY");
        press(d, Qt::Key_F7);
        QCOMPARE(ItemEntry(read(world.path, 28)).name(), QStringLiteral("PIE"));
        QCOMPARE(ItemEntry(read(world.path, 29)).name(), QStringLiteral("HONEY"));

        press(d, Qt::Key_F6);
        QVERIFY(QFile::resize(world.path, qint64(MaxRecords) * RecordLength));
        Drive::type(d, "Text1", "TOAST");
        press(d, Qt::Key_F7);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Database is Full",
                                       BrowserTables::databaseFull(world.path).text));
        QCOMPARE(QFileInfo(world.path).size(), qint64(MaxRecords) * RecordLength);
    }));
}

void ItemBrowserTest::recordMovedElsewhereIsLeftAlone_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("save") << Qt::Key_F7;
    QTest::newRow("delete") << Qt::Key_F8;
}

void ItemBrowserTest::recordMovedElsewhereIsLeftAlone()
{
    QFETCH(Qt::Key, key);
    World world;
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Items, [&](QDialog *d) {
        dialogs.answerText("COFFEE");
        press(d, Qt::Key_F9);
        // Another till deletes TEA: COFFEE moves down to 23, BUN to 24.
        QCOMPARE(RecordStore(world.path).DeleteRecord(23), FileError::None);
        const QByteArray before = TempDir::readFile(world.path);
        Drive::type(d, "Text1", "COCOA");
        if (key == Qt::Key_F8)
            dialogs.answerYes();
        press(d, key);
        QCOMPARE(dialogs.lastMessage().title, QStringLiteral("Record Changed"));
        QCOMPARE(TempDir::readFile(world.path), before);
    }));
}

void ItemBrowserTest::leavingBoxesChecksThem_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // "" when accepted
    QTest::addColumn<QString>("after");
    QTest::newRow("number: fraction") << "Text2"
                                      << "1.5"
                                      << "Item Number"
                                      << "1";
    QTest::newRow("number") << "Text2"
                            << "0042"
                            << ""
                            << "0042";
    QTest::newRow("price: letters") << "Text3"
                                    << "abc"
                                    << "Price"
                                    << "$2.00";
    QTest::newRow("price") << "Text3"
                           << "3.5"
                           << ""
                           << "$3.50";
    QTest::newRow("price: past the largest") << "Text3"
                                             << "1e300"
                                             << "Price"
                                             << "$2.00";
    QTest::newRow("sold: letters") << "Text4"
                                   << "x"
                                   << "Items Sold"
                                   << "0";
    QTest::newRow("sold") << "Text4"
                          << "4.0"
                          << ""
                          << "4";
    QTest::newRow("total: sign only") << "Text5"
                                      << "-"
                                      << "Total Inventory"
                                      << "10";
    QTest::newRow("remaining: fraction") << "Text6"
                                         << "2.25"
                                         << "Remaining Inventory"
                                         << "10";
}

void ItemBrowserTest::leavingBoxesChecksThem()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, after);
    World world;
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Items, [&](QDialog *d) {
        const QByteArray before = TempDir::readFile(world.path);
        Drive::focus(d, box);
        Drive::type(d, box, typed);
        Drive::leave(d, box);
        if (message.isEmpty()) {
            QVERIFY(dialogs.messages().isEmpty());
        } else {
            QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Error 8778",
                                           "Please ensure that the '" + message
                                               + "' box contains valid input."));
            QCOMPARE(QApplication::focusWidget(), d->findChild<QWidget *>(box));
        }
        QCOMPARE(Drive::text(d, box), after);
        QCOMPARE(TempDir::readFile(world.path), before);
    }));
}

void ItemBrowserTest::privileges()
{
    {
        World world(QStringLiteral("010000000000000000000"));
        world.startLoggedOn();
        QVERIFY(!inWindow(world, Items, [](QDialog *) {}));
        QVERIFY(world.h.dialogs.accessDeniedWas("browse the item database", "Browse Items"));
    }
    World world(QStringLiteral("100000000000000000000"));
    world.startLoggedOn();
    const QByteArray before = TempDir::readFile(world.path);
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Items, [&](QDialog *d) {
        Drive::type(d, "Text1", "GREEN TEA");
        QVERIFY(changesRefused(d, dialogs));
        QVERIFY(dialogs.accessDeniedWas("change item entries", "Modify Items"));
    }));
    QCOMPARE(TempDir::readFile(world.path), before);
}

void ItemBrowserTest::fileErrorsKeepTheWindow()
{
    World world;
    world.startLoggedOn();
    auto &dialogs = world.h.dialogs;
    QVERIFY(inWindow(world, Items, [&](QDialog *d) {
        // A character the datafile cannot hold.
        const QByteArray before = TempDir::readFile(world.path);
        Drive::type(d, "Text1", QStringLiteral("TEA \u2615"));
        press(d, Qt::Key_F7);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Invalid Character",
                                       QStringLiteral("The character '\u2615' cannot be stored in "
                                                      "the datafile. Please use another "
                                                      "character.")));
        QCOMPARE(TempDir::readFile(world.path), before);
        Drive::paste(d, "Text1", QStringLiteral("TEA\tPOT"));
        press(d, Qt::Key_F7);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "Invalid Character",
                                       "The control character U+0009 cannot be stored in the "
                                       "datafile. Please use another character."));
        QCOMPARE(TempDir::readFile(world.path), before);

        QVERIFY(QFile::remove(world.path));
        Drive::type(d, "Text1", "GREEN TEA");
        press(d, Qt::Key_F7);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "File I/O Error",
                                       "A File I/O Error has occured. The item was not saved.\n"
                                       "Error: 53"));
        QVERIFY(d->isVisible());
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("GREEN TEA"));
        press(d, Qt::Key_F6);
        QVERIFY(dialogs.lastMessageWas(Dialogs::Icon::Critical, "File I/O Error",
                                       "A File I/O Error has occured. Please try again.\n"
                                       "Error: 53"));
        QCOMPARE(Drive::text(d, "Text1"), QStringLiteral("GREEN TEA"));
        QVERIFY(!QFile::exists(world.path));
    }));
}

void ItemBrowserTest::emptyDatafileOpensOnBlank()
{
    World world;
    // Only the cashiers stay.
    QByteArray bytes = TempDir::readFile(world.path);
    bytes.truncate(22 * RecordLength);
    QFile file(world.path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    world.startLoggedOn();
    QVERIFY(inWindow(world, Items, [&](QDialog *d) {
        QCOMPARE(boxes(d), QStringList({"", "0", "$0.00", "0", "0", "0"}));
        press(d, Qt::Key_F6);
        QVERIFY(world.h.dialogs.lastMessageWas(Dialogs::Icon::Critical, "End of Database",
                                               "There are no more items in the database"));
        Drive::type(d, "Text1", "SCONE");
        press(d, Qt::Key_F7);
    }));
    QCOMPARE(ItemEntry(read(world.path, 23)).name(), QStringLiteral("SCONE"));
}

#include "ItemBrowserTest.moc"
TB_TEST(ItemBrowserTest)
