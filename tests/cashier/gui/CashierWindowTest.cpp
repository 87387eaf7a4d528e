#include "common/TempDir.h"
#include "common/TestMain.h"
#include "gui/Drive.h"
#include "gui/TestData.h"
#include "gui/World.h"

#include "cashier/Cashier.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace TestData;

namespace {
QString shownName(Cashier &w)
{
    return Drive::text(&w, "Text1");
}

QAction *menu(Cashier &w, const char *name)
{
    return w.findChild<QAction *>(name);
}

// Title and text of the last message box.
QStringList said(const Harness &h)
{
    return {h.dialogs.lastMessage().title, h.dialogs.lastMessage().text};
}

int nextFree(const QString &path)
{
    return RecordStore(path).NextFreeRecord().valueOr(0);
}
} // namespace

class CashierWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void masterRuleKeepsNewDatafileOpen();
    void walksCashiersAmongOtherRecords();
    void arrowPicturesWalk();
    void functionKeysWalkSaveAndSearch();
    void searchFindsNamesAndBlank();
    void fullDatafileOffersNoBlankRecord();
    void saveRefusesBadInput();
    void leavingBoxesChecksTheirText();
    void deleteMovesToNextCashier();
    void deletingLoggedOnCashierKeepsRecordNumberRight();
    void resetsAskThenChange();
};

void CashierWindowTest::masterRuleKeepsNewDatafileOpen()
{
    TempDir dir;
    const QString path = dir.path("new.tb2");
    Harness h;
    h.start();
    h.dialogs.answerFile(path);
    const auto first = [&] { return RecordStore(path).readRecord(21).valueOr(DataRecord()); };
    int attempts = 0;
    Drive::onNextDialog([&](QDialog *d) {
        auto &w = *qobject_cast<Cashier *>(d);
        QCOMPARE(w.windowTitle(), QStringLiteral("Cashier Settings"));
        // The blank form of a new datafile.
        QCOMPARE(shownName(w), QString());
        QCOMPARE(Drive::text(d, "Text3"), QStringLiteral("$0.00"));
        QCOMPARE(Drive::text(d, "Text4"), QStringLiteral("0"));
        QCOMPARE(Drive::text(d, "Text5"), QStringLiteral("0000:00:00:000"));
        QVERIFY(Drive::isChecked(d, "Check1"));
        QCOMPARE(qobject_cast<QLineEdit *>(d->findChild<QLineEdit *>("Text2"))->echoMode(),
                 QLineEdit::Password);

        d->close();
        ++attempts;
        QVERIFY(d->isVisible());
        QCOMPARE(said(h), QStringList({"Master Account Required",
                                       "At least one cashier must have all attributes on.  Please "
                                       "choose a user, and check of all boxes."}));

        // Ten of the eleven boxes are not enough.
        Drive::type(d, "Text1", "boss");
        Drive::type(d, "Text2", "2468");
        const QList<QCheckBox *> boxes = w.privilegeBoxes();
        for (int k = 0; k < 10; ++k)
            boxes[k]->setChecked(true);
        Drive::click(d, "Command1");
        QCOMPARE(first().SpareC.toText(), QStringLiteral("111111111100000000000"));
        d->reject();
        ++attempts;
        QVERIFY(d->isVisible());

        boxes[10]->setChecked(true);
        Drive::click(d, "Command1");
        d->reject();
        QVERIFY(!d->isVisible());
    });
    QVERIFY(h.trigger("mnuNew"));
    QCOMPARE(attempts, 2);
    const DataRecord boss = first();
    QVERIFY(boss.isCashier());
    QCOMPARE(boss.Number.toText(), QStringLiteral("BOSS"));
    QCOMPARE(boss.SpareA.toText(), QStringLiteral("2468"));
    QCOMPARE(boss.SpareC.toText(), Privileges::master().toString());
    QCOMPARE(boss.Price.toCurrency(), Currency());
    QCOMPARE(boss.SpareD.toNumber(), 0.0);
    QCOMPARE(nextFree(path), 22);
    QCOMPARE(h.window().statusText(), QStringLiteral("Terminal Locked - Log On Required"));
}

void CashierWindowTest::walksCashiersAmongOtherRecords()
{
    World world({item("TEA", "1"), cashier("ANN", "1111"), customer("SMITH"),
                 cashier("BOB", "2222", "100000000000000000000", 3723004), item("JAM", "2")});
    Harness &h = world.h;
    Cashier w(h.ctx, &world.start());
    QCOMPARE(w.ShownRecord(), 22);
    QCOMPARE(shownName(w), QStringLiteral("ANN"));

    w.next();
    QCOMPARE(w.ShownRecord(), 24);
    QCOMPARE(shownName(w), QStringLiteral("BOB"));
    QCOMPARE(Drive::text(&w, "Text5"), QStringLiteral("0001:02:03:004"));
    QVERIFY(Drive::isChecked(&w, "ItemBrowse"));
    QVERIFY(!Drive::isChecked(&w, "ItemModify"));

    // Past the last cashier: the blank record once, then the end message.
    w.next();
    QVERIFY(w.NewCashierMode());
    QCOMPARE(w.ShownRecord(), 26);
    QCOMPARE(shownName(w), QString());
    QVERIFY(h.dialogs.messages().isEmpty());
    w.next();
    QCOMPARE(said(h),
             QStringList({"End of Database", "There are no more cashiers in the database"}));
    QCOMPARE(w.ShownRecord(), 26);

    w.previous();
    QCOMPARE(shownName(w), QStringLiteral("BOB"));
    w.previous();
    QCOMPARE(shownName(w), QStringLiteral("ANN"));
    // Only other records lie before the first cashier.
    h.dialogs.clear();
    w.previous();
    QCOMPARE(said(h), QStringList({"Beginning of Cashier List",
                                   "You are at the beginning of the cashier database"}));
    QCOMPARE(w.ShownRecord(), 22);

    // A cashier at record 21 has nothing before it at all.
    QCOMPARE(RecordStore(world.path).DeleteRecord(21), FileError::None);
    Cashier again(h.ctx, &h.window());
    QCOMPARE(again.ShownRecord(), 21);
    again.previous();
    QCOMPARE(said(h), QStringList({"Beginning of User List",
                                   "You are at the beginning of the user database"}));
    QCOMPARE(h.window().statusText(), QStringLiteral("Ready"));
}

void CashierWindowTest::arrowPicturesWalk()
{
    World world({cashier("ANN", "1111"), cashier("BOB", "2222")});
    Harness &h = world.h;
    Cashier w(h.ctx, &world.start());
    w.show();
    const auto picture = [](QWidget *label) {
        return qobject_cast<QLabel *>(label)->pixmap().toImage();
    };
    QWidget *right = w.findChild<QWidget *>("Image1");
    QWidget *left = w.findChild<QWidget *>("Image2");
    const QImage rightUp = picture(h.find<QLabel>("RightArrow"));
    const QImage rightDown = picture(h.find<QLabel>("RightInverted"));
    QVERIFY(rightUp != rightDown);
    QCOMPARE(picture(right), rightUp);

    // While held down the arrow shows its inverted picture; the release moves.
    QTest::mousePress(right, Qt::LeftButton);
    QCOMPARE(picture(right), rightDown);
    QCOMPARE(shownName(w), QStringLiteral("ANN"));
    QTest::mouseRelease(right, Qt::LeftButton);
    QCOMPARE(picture(right), rightUp);
    QCOMPARE(shownName(w), QStringLiteral("BOB"));

    QTest::mousePress(left, Qt::LeftButton);
    QCOMPARE(picture(left), picture(h.find<QLabel>("LeftInverted")));
    QTest::mouseRelease(left, Qt::LeftButton);
    QCOMPARE(picture(left), picture(h.find<QLabel>("LeftArrow")));
    QCOMPARE(shownName(w), QStringLiteral("ANN"));
    w.hide();
}

void CashierWindowTest::functionKeysWalkSaveAndSearch()
{
    World world({cashier("ANN", "1111"), cashier("BOB", "2222")});
    Harness &h = world.h;
    Cashier w(h.ctx, &world.start());
    w.show();
    QLineEdit *box = w.findChild<QLineEdit *>("Text4");
    QTest::keyClick(box, Qt::Key_F6);
    QCOMPARE(shownName(w), QStringLiteral("BOB"));
    QTest::keyClick(box, Qt::Key_F5);
    QCOMPARE(shownName(w), QStringLiteral("ANN"));

    Drive::type(&w, "Text4", "7");
    QTest::keyClick(box, Qt::Key_F7);
    QCOMPARE(world.record(21).SpareB.toText(), QStringLiteral("7"));

    h.dialogs.answerText("bob");
    QTest::keyClick(box, Qt::Key_F9);
    QCOMPARE(shownName(w), QStringLiteral("BOB"));

    h.dialogs.answerYes();
    QTest::keyClick(box, Qt::Key_F8);
    QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("Confirm Delete"));
    QCOMPARE(nextFree(world.path), 22);
    w.hide();
}

void CashierWindowTest::searchFindsNamesAndBlank()
{
    World world({cashier("ANN", "1111"), item("SAM", "3"), cashier("SAM", "2222")});
    Harness &h = world.h;
    Cashier w(h.ctx, &world.start());

    h.dialogs.answerText("sam");
    menu(w, "mnuSearch")->trigger();
    const auto input = h.dialogs.boxes.last();
    QCOMPARE(input.kind, QStringLiteral("input"));
    QCOMPARE(input.title, QStringLiteral("Search Criteria"));
    QCOMPARE(input.text, QStringLiteral("Please enter a cashier name. To advance to a blank "
                                        "record, place an asterisk in the field and press enter."));
    QCOMPARE(w.ShownRecord(), 23); // the cashier, not the item of that name

    h.dialogs.answerText("NOBODY");
    menu(w, "mnuSearch")->trigger();
    QCOMPARE(said(h), QStringList({"Search Error", "No records match search critera"}));
    QCOMPARE(w.ShownRecord(), 23);

    h.dialogs.answerText("*");
    menu(w, "mnuSearch")->trigger();
    QCOMPARE(w.ShownRecord(), 24);
    QVERIFY(w.NewCashierMode());
    QCOMPARE(shownName(w), QString());

    // Again while the blank record is shown: the end message, and the form
    // still stands for the record after the last one.
    h.dialogs.answerText("*");
    menu(w, "mnuSearch")->trigger();
    QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("End of Database"));
    QCOMPARE(w.ShownRecord(), 24);

    // Cancel and an empty answer do nothing.
    const int shown = h.dialogs.boxes.size();
    h.dialogs.answerCancel();
    menu(w, "mnuSearch")->trigger();
    h.dialogs.answerText("");
    menu(w, "mnuSearch")->trigger();
    QCOMPARE(h.dialogs.boxes.size(), shown + 2);
    QCOMPARE(w.ShownRecord(), 24);
}

void CashierWindowTest::fullDatafileOffersNoBlankRecord()
{
    World world({cashier("ANN", "1111")});
    Harness &h = world.h;
    const QString &path = world.path;
    QByteArray bytes = TempDir::readFile(path);
    const QByteArray filler = *RecordCodec::encode(item("TEA", "1"));
    while (bytes.size() < MaxRecords * RecordLength)
        bytes += filler;
    world.dir.writeFile("shop.tb2", bytes);
    Cashier w(h.ctx, &world.start());
    QCOMPARE(w.ShownRecord(), 21);
    const QString full =
        QStringLiteral("The current database is full. The combined total of all "
                       "entries in this file (")
        + path
        + QStringLiteral(") must not be in excess of 32,744 entries. Please delete some "
                         "records.");

    w.next();
    QCOMPARE(said(h), QStringList({"Database is Full", full}));
    QCOMPARE(w.ShownRecord(), 21);

    h.dialogs.answerText("*");
    menu(w, "mnuSearch")->trigger();
    QCOMPARE(h.dialogs.lastMessage().text, full);
    QCOMPARE(w.ShownRecord(), 21);
    QCOMPARE(shownName(w), QStringLiteral("ANN"));

    // A save still goes to ANN, not to the last record of the file.
    Drive::type(&w, "Text4", "5");
    w.save();
    QCOMPARE(world.record(21).SpareB.toText(), QStringLiteral("5"));
    QCOMPARE(world.record(MaxRecords).Name.toText(), QStringLiteral("TEA"));
}

void CashierWindowTest::saveRefusesBadInput()
{
    World world({cashier("ANN", "1111")});
    Harness &h = world.h;
    Cashier w(h.ctx, &world.start());
    const QByteArray before = TempDir::readFile(world.path);
    const QString fill =
        QStringLiteral("Please ensure that all text boxes are filled out correctly.");

    struct Case {
        const char *box;
        QString text;
        QString message;
    };
    const QList<Case> cases = {
        {"Text1", "", fill},
        {"Text1", "***", fill},
        {"Text1", "*+*", fill},
        {"Text2", "", fill},
        {"Text3", "", fill},
        {"Text4", "", fill},
        {"Text2", "0000", "Please ensure that the currently entered PIN is not '0000'."},
        {"Text2", "0", "Please ensure that the currently entered PIN is not '0000'."},
        {"Text2", "12.5", fill},
        {"Text4", "2.5", fill},
        {"Text3", "lots", fill},
        {"Text1", QStringLiteral("CAF\u4E2D"),
         QStringLiteral("The character '\u4E2D' cannot be stored in the datafile. Please use "
                        "another character.")},
        {"Text1", QStringLiteral("ANN\x1b[2J"),
         QStringLiteral("The control character U+001B cannot be stored in the datafile. Please "
                        "use another character.")},
    };
    for (const Case &c : cases) {
        h.dialogs.clear();
        w.next();
        w.previous(); // back to ANN's stored values
        w.findChild<QLineEdit *>(c.box)->setText(c.text);
        w.save();
        QCOMPARE(h.dialogs.messages().size(), 1);
        QCOMPARE(h.dialogs.lastMessage().title, c.message.startsWith(QLatin1String("The "))
                                                    ? QStringLiteral("Invalid Character")
                                                    : QStringLiteral("Check Text Boxes"));
        QCOMPARE(h.dialogs.lastMessage().text, c.message);
        QCOMPARE(TempDir::readFile(world.path), before);
    }

    // A name too long for the record is refused and the record keeps its content.
    w.next();
    w.previous();
    Drive::type(&w, "Text1", QString(110, QLatin1Char('N')));
    h.dialogs.clear();
    w.save();
    QCOMPARE(said(h),
             QStringList({"Record too Long",
                          "This record is too long!  Try shortening some of the fields."}));
    QCOMPARE(TempDir::readFile(world.path), before);
}

void CashierWindowTest::leavingBoxesChecksTheirText()
{
    World world({cashier("ANN", "1111"), cashier("BOB", "2222")});
    Harness &h = world.h;
    world.start();
    QVERIFY(h.logOn("ANN", "1111"));
    Cashier w(h.ctx, &h.window());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto edit = [&](const char *box, const QString &text) {
        h.dialogs.clear();
        Drive::focus(&w, box);
        Drive::type(&w, box, text);
        Drive::leave(&w, box);
    };

    struct Case {
        const char *box;
        QString typed;
        QString message; // "" when accepted
        QString after;
    };
    const QList<Case> cases = {
        {"Text2", "12.5", "Please ensure that the 'PIN' box contains valid input.", "1111"},
        {"Text2", "4321", "", "4321"},
        {"Text3", "abc", "Please ensure that the 'Amount Sold' box contains valid input.", "$0.00"},
        {"Text3", "1234.5", "", "$1,234.50"},
        {"Text4", "x", "Please ensure that the 'Sales Performed' box contains valid input.", "0"},
        {"Text4", "12", "", "12"},
    };
    for (const Case &c : cases) {
        edit(c.box, c.typed);
        if (c.message.isEmpty()) {
            QVERIFY2(h.dialogs.messages().isEmpty(), c.box);
        } else {
            QCOMPARE(h.dialogs.messages().size(), 1);
            QCOMPARE(said(h), QStringList({"Error 8778", c.message}));
            QCOMPARE(QApplication::focusWidget(), w.findChild<QWidget *>(c.box));
        }
        QCOMPARE(Drive::text(&w, c.box), c.after);
    }

    // The time of the cashier on duty cannot be edited; another's can.
    edit("Text5", "0100:00:00:000");
    QCOMPARE(said(h), QStringList({"Requested Modification not Possible",
                                   "You cannot change the Time Logged On property of the cashier "
                                   "currently logged on."}));
    QCOMPARE(Drive::text(&w, "Text5"), QStringLiteral("0000:00:00:000"));

    w.next();
    QCOMPARE(shownName(w), QStringLiteral("BOB"));
    edit("Text5", "0100:0:00:000");
    QCOMPARE(said(h),
             QStringList({"Error 8778",
                          "Please ensure that the 'Time Logged On' box contains valid input.  "
                          "Data should be entered in the format hhhh:mm:ss:mss"}));
    edit("Text5", "0100:00:00:000");
    QVERIFY(h.dialogs.messages().isEmpty());
    w.save();
    QCOMPARE(world.record(22).SpareD.toNumber(), 360000000.0);

    // Unticking the hide box shows the PIN in clear.
    Drive::check(&w, "Check1", false);
    QCOMPARE(w.findChild<QLineEdit *>("Text2")->echoMode(), QLineEdit::Normal);
    w.hide();
}

void CashierWindowTest::deleteMovesToNextCashier()
{
    World world({cashier("ANN", "1111"), item("TEA", "1"), cashier("BOB", "2222")});
    Harness &h = world.h;
    Cashier w(h.ctx, &world.start());

    h.dialogs.answerNo();
    menu(w, "mnuDelete")->trigger();
    QCOMPARE(said(h), QStringList({"Confirm Delete",
                                   "Are you sure you wish to delete this cashier record?"}));
    QCOMPARE(nextFree(world.path), 24);

    h.dialogs.answerYes();
    menu(w, "mnuDelete")->trigger();
    QCOMPARE(nextFree(world.path), 23);
    QCOMPARE(world.record(21).Name.toText(), QStringLiteral("TEA"));
    QCOMPARE(w.ShownRecord(), 22);
    QCOMPARE(shownName(w), QStringLiteral("BOB"));

    h.dialogs.answerYes();
    menu(w, "mnuDelete")->trigger();
    QCOMPARE(shownName(w), QString());
    QVERIFY(w.NewCashierMode());
    // The blank record is never deleted.
    const int boxes = h.dialogs.boxes.size();
    menu(w, "mnuDelete")->trigger();
    QCOMPARE(h.dialogs.boxes.size(), boxes);
    QCOMPARE(nextFree(world.path), 22);
}

void CashierWindowTest::deletingLoggedOnCashierKeepsRecordNumberRight()
{
    World world({cashier("ANN", "1111", "000000100000000000000"), cashier("BOB", "2222"),
                 cashier("CAT", "3333", "000000100000000000000")});
    Harness &h = world.h;
    world.start();
    QVERIFY(h.logOn("CAT", "3333"));
    QCOMPARE(h.ctx.session.onDuty().record, 23);

    // Deleting ANN moves CAT to 22; log off finds her there by name.
    Drive::onNextDialog([&](QDialog *d) {
        auto &w = *qobject_cast<Cashier *>(d);
        h.dialogs.answerYes();
        w.deleteRecord();
        d->close();
        QVERIFY(!d->isVisible());
    });
    QVERIFY(h.trigger("mnuitmCashierSettings"));
    QVERIFY(h.ctx.session.isLoggedOn());
    h.clock.advance(9000);
    QVERIFY(h.trigger("mnuitmLogOff"));
    QCOMPARE(world.record(21).SpareD.toNumber(), 0.0);    // BOB
    QCOMPARE(world.record(22).SpareD.toNumber(), 9000.0); // CAT

    // Deleting the only master keeps the window open until a master exists again.
    QVERIFY(h.logOn("CAT", "3333"));
    Drive::onNextDialog([&](QDialog *d) {
        auto &w = *qobject_cast<Cashier *>(d);
        QCOMPARE(shownName(w), QStringLiteral("BOB"));
        h.dialogs.answerYes();
        w.deleteRecord();
        d->close();
        QVERIFY(d->isVisible());
        QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("Master Account Required"));
        for (QCheckBox *box : w.privilegeBoxes())
            box->setChecked(true);
        w.save(); // CAT becomes the master
        d->close();
        QVERIFY(!d->isVisible());
    });
    QVERIFY(h.trigger("mnuitmCashierSettings"));
    QVERIFY(h.ctx.session.isLoggedOn());
    QCOMPARE(world.record(21).SpareC.toText(), Privileges::master().toString());
}

void CashierWindowTest::resetsAskThenChange()
{
    DataRecord ann = cashier("ANN", "1111", Privileges::master().toString(), 5000);
    ann.Price = FieldValue::fromCurrency(Currency::fromUnits(90));
    ann.SpareB = FieldValue::fromInt16(9);
    DataRecord bob = ann;
    bob.Number = FieldValue::fromText(QStringLiteral("BOB"));
    World world({ann, customer("SMITH", 4), item("TEA", "1", Currency::fromUnits(2), 10, 6), bob});
    Harness &h = world.h;
    world.start();
    QVERIFY(h.logOn("ANN", "1111"));

    struct Reset {
        const char *command;
        QString title, question, success;
        std::function<void()> verify;
    };
    const QList<Reset> resets = {
        {"mnuitmCashierSalesComplete", "Reset Cashier Sales Performed Data",
         "Are you sure you wish to reset cashier sales performed data?",
         "Cashier Sales Performed Data Reset.",
         [&] {
             QCOMPARE(world.record(21).SpareB.toNumber(), 0.0);
             QCOMPARE(world.record(24).SpareB.toNumber(), 0.0);
         }},
        {"mnuitmCashierMoney", "Reset Cashier Amount Sold Data",
         "Are you sure you wish to reset cashier amount data?", "Amount Sold Data Reset.",
         [&] { QCOMPARE(world.record(24).Price.toNumber(), 0.0); }},
        {"mnuitmLoggedOnTime", "Reset Cashier Time Logged On Data",
         "Are you sure you wish to reset cashier time logged on data?",
         "Cashier Time Logged On Data Reset.",
         [&] {
             QCOMPARE(world.record(21).SpareD.toNumber(), 5000.0); // on duty: kept
             QCOMPARE(world.record(24).SpareD.toNumber(), 0.0);
         }},
        {"mnuitmVisit", "Reset Credit Number of Visits",
         "Are you sure you wish to reset credit number of visits data?",
         "Credit Number of Visits Data Reset.",
         [&] { QCOMPARE(world.record(22).SpareA.toNumber(), 0.0); }},
        {"mnuResetItem", "Reset Item Sold Data", "Are you sure you wish to reset item sold data?",
         "Item sold data reset.",
         [&] {
             QCOMPARE(world.record(23).Sold.toNumber(), 0.0);
             QCOMPARE(world.record(23).Remaining.toNumber(), 10.0);
         }},
    };
    for (const Reset &r : resets) {
        const QByteArray before = TempDir::readFile(world.path);
        h.dialogs.clear();
        h.dialogs.answerNo();
        QVERIFY(h.trigger(r.command));
        QCOMPARE(h.dialogs.messages().size(), 1);
        QCOMPARE(said(h), QStringList({r.title, r.question}));
        QCOMPARE(h.dialogs.lastMessage().buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(TempDir::readFile(world.path), before);

        h.dialogs.answerYes();
        QVERIFY(h.trigger(r.command));
        QCOMPARE(h.dialogs.lastMessage().icon, Dialogs::Icon::Information);
        QCOMPARE(said(h), QStringList({"Success", r.success}));
        r.verify();
    }
}

TB_TEST(CashierWindowTest)
#include "CashierWindowTest.moc"
