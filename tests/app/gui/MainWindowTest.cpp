#include "common/Results.h"
#include "common/TempDir.h"
#include "common/TestMain.h"
#include "gui/Drive.h"
#include "gui/Harness.h"
#include "gui/TestData.h"

#include "app/Title.h"
#include "datafile/MoneyText.h"
#include "datafile/OleDate.h"
#include "datafile/RecordCodec.h"
#include "datafile/RecordStore.h"
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace TestData;

namespace {
const QString Locked = QStringLiteral("Terminal Locked - Log On Required");

// Captions of a menu's entries in order, "-" for a separator.
QStringList captions(const QMenu *menu)
{
    QStringList result;
    for (const QAction *a : menu->actions())
        result << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return result;
}
} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void menuTreeHasEveryCommandInOrder();
    void startsWithoutDatafile();
    void startsOnExistingDatafile();
    void startsOnMissingFile();
    void loadReadsSwitchesAndLogPath();
    void pickListFollowsPreferences();
    void fileNewCreatesDatafile();
    void fileNewOverwriteNoKeepsEverything();
    void fileNewOverwriteYesKeepsOldFile();
    void fileNewOnUnwritablePath_data();
    void fileNewOnUnwritablePath();
    void fileDialogsAreReadOnly();
    void fileOpenCancelChangesNothing();
    void fileOpenRejectsBrokenFiles_data();
    void fileOpenRejectsBrokenFiles();
    void fileOpenMissingFile();
    void exitWithoutDatafileAsksNothing();
    void splashShowsMainWindowAfterItsTicks();
};

void MainWindowTest::menuTreeHasEveryCommandInOrder()
{
    Harness h;
    Interface &w = h.start();
    const QList<QAction *> top = w.menuBar()->actions();
    QStringList topCaptions;
    for (const QAction *a : top)
        topCaptions << a->text();
    QCOMPARE(topCaptions, QStringList({"&File", "&Cashier", "&Management", "&Report", "&Help"}));

    QCOMPARE(captions(h.find<QMenu>("mnuFile")), QStringList({"&New", "&Open", "-", "E&xit"}));
    QCOMPARE(captions(h.find<QMenu>("mnuCashier")),
             QStringList({"Log &On", "Log O&ff", "-", "&Currency Converter"}));
    QCOMPARE(captions(h.find<QMenu>("mnuManage")),
             QStringList({"&Tax Rate",
                          "-",
                          "Browse &Credits",
                          "Browse C&urrencies",
                          "Browse &Items",
                          "-",
                          "&Print upon Transaction Completion",
                          "Printer &Setup",
                          "Print a Test &Bill",
                          "Cash &Drawer Setup",
                          "&No Sale (Open Cash Drawer)",
                          "-",
                          "Sa&ve Transaction to Log",
                          "&Log File Setup",
                          "-",
                          "Reset Cashier S&ales Performed",
                          "Reset Cashier Time Lo&gged On",
                          "Reset Cashier T&otal Amount Sold",
                          "Reset Credit Number of &Visits",
                          "&Reset Items Sold",
                          "-",
                          "Cas&hier Settings",
                          "-",
                          "Pre&ferences"}));
    QCOMPARE(captions(h.find<QMenu>("mnuReport")),
             QStringList({"Build &Cashier Report", "Build C&redit Report", "Build &Item Report"}));
    QCOMPARE(captions(h.find<QMenu>("mnuHelp")),
             QStringList({"&About", "&Contents", "-", "&E-Mail Author"}));

    // Every command has the name the rest of the program finds it by, and no shortcut.
    for (const char *name : {"mnuNew",
                             "mnuOpen",
                             "mnuQuit",
                             "mnuitmLogOn",
                             "mnuitmLogOff",
                             "mnuitmConverter",
                             "mnuTax",
                             "mnuCredit",
                             "mnuitmCurrency",
                             "mnuItems",
                             "mnuitmPrint",
                             "mnuitmPrintSetup",
                             "mnuitmTestBill",
                             "mnuitmDrawerSetup",
                             "mnuitmNoSale",
                             "mnuitmSave",
                             "mnuitmLogSetup",
                             "mnuitmCashierSalesComplete",
                             "mnuitmLoggedOnTime",
                             "mnuitmCashierMoney",
                             "mnuitmVisit",
                             "mnuResetItem",
                             "mnuitmCashierSettings",
                             "mnuPref",
                             "mnuitmCashierReport",
                             "mnuitmCreditReport",
                             "mnuitmItemReport",
                             "mnuitmAbout",
                             "mnuitmCaption",
                             "mnuitmEmail"}) {
        QAction *a = h.action(name);
        QVERIFY2(a, qPrintable(name));
        QVERIFY2(a->shortcut().isEmpty(), qPrintable(name));
        QCOMPARE(a->isCheckable(),
                 name == QLatin1String("mnuitmPrint") || name == QLatin1String("mnuitmSave"));
    }
    // The sale area's controls and captions.
    QCOMPARE(h.find<QPushButton>("Command1")->text(), QStringLiteral("C&redit"));
    QCOMPARE(h.find<QPushButton>("Command2")->text(), QStringLiteral("&Cash"));
    QCOMPARE(h.find<QPushButton>("Command3")->text(), QStringLiteral("Remo&ve Item"));
    QCOMPARE(h.find<QPushButton>("Command4")->text(), QStringLiteral("C&lear Bill"));
    QCOMPARE(h.find<QPushButton>("Command5")->text(), QStringLiteral("&Tax"));
    QCOMPARE(h.find<QPushButton>("Command6")->text(), QStringLiteral("&Discount"));
    QCOMPARE(h.find<QGroupBox>("Frame1")->title(), QStringLiteral("Payment Method"));
    QCOMPARE(h.find<QGroupBox>("Frame2")->title(), QStringLiteral("Bill Management"));
    QCOMPARE(h.find<QLineEdit>("Text2")->text(), QStringLiteral("1"));
    QCOMPARE(h.find<QLineEdit>("Text2")->maxLength(), 2);
    QCOMPARE(h.find<QLabel>("LabelSubTotal")->text(), QStringLiteral("$0.00"));
    for (const char *hidden : {"LeftArrow", "RightArrow", "LeftInverted", "RightInverted"}) {
        auto *picture = h.find<QLabel>(hidden);
        QVERIFY(picture && !picture->isVisible() && !picture->pixmap().isNull());
    }
}

void MainWindowTest::startsWithoutDatafile()
{
    Harness h;
    Interface &w = h.start();
    QCOMPARE(w.windowTitle(), QStringLiteral("Tallybird"));
    QCOMPARE(w.statusText(), QStringLiteral("No File Opened"));
    QVERIFY(h.lampLit("Shape2"));
    QVERIFY(!h.lampLit("Shape1"));
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(h.dialogs.boxes.isEmpty());
    for (const char *on : {"mnuFile", "mnuNew", "mnuOpen", "mnuQuit", "mnuHelp", "mnuitmAbout"})
        QVERIFY2(h.isEnabled(on), on);
    for (const char *off :
         {"mnuCashier", "mnuitmLogOn", "mnuManage", "mnuReport", "Command1", "Command2", "Command3",
          "Command4", "Command5", "Command6", "List1", "Text2", "Combo1"})
        QVERIFY2(!h.isEnabled(off), off);
}

void MainWindowTest::startsOnExistingDatafile()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    append(path,
           {item("TEA", "111"), customer("SMITH"), item("BREAD", "222"), item("APPLES", "333")});

    Harness h;
    Interface &w = h.start(path);
    QVERIFY(h.dialogs.boxes.isEmpty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Tallybird - ") + path);
    QCOMPARE(h.ctx.DataFilePath, path);
    QCOMPARE(w.statusText(), Locked);
    QVERIFY(!h.lampLit("Shape1"));
    QVERIFY(h.lampLit("Shape2"));
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(h.ctx.session.onDuty().record, 0);

    // Open and locked: only log on is offered.
    QVERIFY(h.isEnabled("mnuCashier"));
    QVERIFY(h.isEnabled("mnuitmLogOn"));
    for (const char *off :
         {"mnuitmLogOff", "mnuitmConverter", "mnuManage", "mnuReport", "Command1", "Command2",
          "Command3", "Command4", "Command5", "Command6", "List1", "Text2", "Combo1"})
        QVERIFY2(!h.isEnabled(off), off);

    // The item box lists the items sorted, and no customer.
    auto *combo = h.find<QComboBox>("Combo1");
    QStringList listed;
    for (int i = 0; i < combo->count(); ++i)
        listed << combo->itemText(i);
    QCOMPARE(listed, QStringList({"APPLES", "BREAD", "TEA"}));
    QCOMPARE(combo->currentText(), QString());
    QVERIFY(h.find<QLabel>("labelGrandTotal")->isHidden());
    QVERIFY(h.find<QLabel>("Label6")->isHidden());
}

void MainWindowTest::startsOnMissingFile()
{
    TempDir dir;
    const QString missing = dir.path("gone.tb2");
    Harness h;
    Interface &w = h.start(missing);
    QCOMPARE(h.dialogs.messages().size(), 1);
    const auto box = h.dialogs.lastMessage();
    QCOMPARE(box.icon, Dialogs::Icon::Critical);
    QCOMPARE(box.title, QStringLiteral("File Not Found"));
    QCOMPARE(box.text, QStringLiteral("The file specified in the command line arguement: '")
                           + missing
                           + QStringLiteral("' does not appear to exist. Please ensure that the "
                                            "file does exist and the correct syntax has been "
                                            "used.\nSyntax: tallybird [filename]"));
    QCOMPARE(w.statusText(), QStringLiteral("No File Opened"));
    QVERIFY(!h.isEnabled("mnuCashier"));
    QCOMPARE(h.ctx.DataFilePath, QString());
    QVERIFY(!QFile::exists(missing));
}

void MainWindowTest::loadReadsSwitchesAndLogPath()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    setHeader(path, 2, FieldValue::fromText(QStringLiteral("/var/log/till.txt")));
    setHeader(path, 3, FieldValue::fromInt16(1)); // as a number

    Harness h;
    h.start(path);
    QCOMPARE(h.ctx.LogFilePath, QStringLiteral("/var/log/till.txt"));
    QVERIFY(h.action("mnuitmSave")->isChecked());
    QVERIFY(!h.action("mnuitmPrint")->isChecked());

    // The same switch stored as text counts too; a 0 turns the mark off.
    setHeader(path, 4, FieldValue::fromText(QStringLiteral("1")));
    setHeader(path, 3, FieldValue::fromInt16(0));
    h.dialogs.answerFile(path);
    QVERIFY(h.trigger("mnuOpen"));
    QVERIFY(!h.action("mnuitmSave")->isChecked());
    QVERIFY(h.action("mnuitmPrint")->isChecked());
}

void MainWindowTest::pickListFollowsPreferences()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    append(path, {item("TEA", "900"), item("BREAD", "100")});
    setHeader(path, 6, FieldValue::fromInt16(0)); // item numbers

    Harness h;
    h.start(path);
    auto *combo = h.find<QComboBox>("Combo1");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("100"));
    QCOMPARE(combo->itemText(1), QStringLiteral("900"));

    setHeader(path, 8, FieldValue::fromInt16(1)); // drop-down boxes off
    h.dialogs.answerFile(path);
    QVERIFY(h.trigger("mnuOpen"));
    QCOMPARE(combo->count(), 0);
}

void MainWindowTest::fileNewCreatesDatafile()
{
    TempDir dir;
    const QString path = dir.path("new.tb2");
    Harness h;
    Interface &w = h.start();
    h.dialogs.answerFile(path);
    Drive::enterMasterCashier("BOSS", "1234");
    QVERIFY(h.trigger("mnuNew"));

    // The header records, then the first cashier entered in the Cashier window.
    QCOMPARE(QFileInfo(path).size(), qint64(21 * 128));
    QCOMPARE(h.ctx.DataFilePath, path);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tallybird - ") + path);
    QCOMPARE(h.dialogs.messages().size(), 1);
    QCOMPARE(h.dialogs.lastMessage().icon, Dialogs::Icon::Information);
    QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("Cashier Permissions"));
    QCOMPARE(h.dialogs.lastMessage().text, QStringLiteral("Please input cashier permissions."));
    DataRecord first;
    QCOMPARE(take(RecordStore(path).readRecord(21), first), FileError::None);
    QVERIFY(first.isCashier());
    QCOMPARE(first.SpareC.toText(), Privileges::master().toString());
    QCOMPARE(h.dialogs.boxes.first().kind, QStringLiteral("save"));
    QCOMPARE(h.dialogs.boxes.first().text,
             QStringLiteral("Tallybird Files (*.tb2);;All Files (*)"));
    QVERIFY(h.isEnabled("mnuCashier"));
    QVERIFY(h.isEnabled("mnuitmLogOn"));
    QVERIFY(!h.isEnabled("mnuManage"));
    QCOMPARE(w.statusText(), Locked);
    // Record 7 carries the day the file was made.
    DataRecord r;
    QCOMPARE(take(RecordStore(path).readRecord(7), r), FileError::None);
    QCOMPARE(r.Price.type(), FieldValue::Type::Date);
    QCOMPARE(OleDate::toDate(r.Price.dateValue()), h.clock.today());
}

void MainWindowTest::fileNewOverwriteNoKeepsEverything()
{
    TempDir dir;
    const QString open = newDatafile(dir, "open.tb2");
    const QString other = dir.writeFile("other.tb2", QByteArray("precious bytes"));
    Harness h;
    Interface &w = h.start(open);
    h.dialogs.answerFile(other);
    h.dialogs.answerNo();
    QVERIFY(h.trigger("mnuNew"));

    QCOMPARE(h.dialogs.messages().size(), 1);
    const auto box = h.dialogs.lastMessage();
    QCOMPARE(box.title, QStringLiteral("Overwrite"));
    QCOMPARE(box.text, QStringLiteral("This file already exists.  Do you wish to overwrite?"));
    QCOMPARE(box.buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(TempDir::readFile(other), QByteArray("precious bytes"));
    QCOMPARE(h.ctx.DataFilePath, open);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tallybird - ") + open);
    QCOMPARE(h.dialogs.unanswered, 0);
}

void MainWindowTest::fileNewOverwriteYesKeepsOldFile()
{
    // The open datafile chosen on a locked till: kept under the first dated name free.
    TempDir dir;
    const QString open = newDatafile(dir, "open.tb2");
    QVERIFY(RecordStore(open).append(item("TEA", "1")));
    const QByteArray old = TempDir::readFile(open);
    const QString taken = dir.writeFile("open-20261208-090000.tb2", "earlier");
    Harness h;
    h.start(open);
    h.dialogs.answerFile(open);
    h.dialogs.answerYes();
    Drive::enterMasterCashier("BOSS", "1234");
    QVERIFY(h.trigger("mnuNew"));
    const QString backup = dir.path("open-20261208-090000-2.tb2");
    QCOMPARE(TempDir::readFile(backup), old);
    QCOMPARE(TempDir::readFile(taken), QByteArray("earlier"));
    QCOMPARE(QFileInfo(open).size(), qint64(21 * 128));
    QCOMPARE(h.dialogs.messages().at(1).text,
             "Please input cashier permissions.\nThe existing file has been moved to '" + backup
                 + "'.");
    QCOMPARE(h.ctx.DataFilePath, open);
}

void MainWindowTest::fileNewOnUnwritablePath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // of a file there, kept
    QTest::newRow("missing folder") << "no-such-folder/new.tb2" << QByteArray();
    QTest::newRow("no dated name fits") << QString(245, 'x') + ".tb2" << QByteArray("precious");
}

void MainWindowTest::fileNewOnUnwritablePath()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    TempDir dir;
    const QString open = newDatafile(dir, "open.tb2");
    const QString bad = bytes.isEmpty() ? dir.path(name) : dir.writeFile(name, bytes);
    Harness h;
    Interface &w = h.start(open);
    h.dialogs.answerFile(bad);
    h.dialogs.answerYes();
    Drive::enterMasterCashier("BOSS", "1234"); // for a window that must not open
    QVERIFY(h.trigger("mnuNew"));
    Drive::cancelDialogWaits();

    const auto box = h.dialogs.lastMessage();
    QCOMPARE(box.icon, Dialogs::Icon::Critical);
    QCOMPARE(box.title, QStringLiteral("File I/O Error"));
    QVERIFY2(box.text.startsWith(QStringLiteral("A File I/O Error has occured. Please try "
                                                "again.\nError: ")),
             qPrintable(box.text));
    bool numeric = false;
    QVERIFY(box.text.section(QStringLiteral("Error: "), -1).toInt(&numeric) > 0 && numeric);
    QCOMPARE(h.ctx.DataFilePath, QString());
    QCOMPARE(w.windowTitle(), QStringLiteral("Tallybird"));
    QVERIFY(!h.isEnabled("mnuCashier"));
    QCOMPARE(w.statusText(), QStringLiteral("No File Opened"));
    QCOMPARE(TempDir::readFile(bad), bytes);
    QCOMPARE(dir.files().size(), bytes.isEmpty() ? 1 : 2);
    QCOMPARE(QFileInfo(open).size(), qint64(2560));
}

void MainWindowTest::fileDialogsAreReadOnly()
{
    // The real dialogs: Qt's own and read only, so they offer no Delete, Rename or New Folder.
    QtDialogs real;
    for (const bool save : {false, true}) {
        QFileDialog::Options options;
        Drive::onNextDialog([&](QDialog *d) {
            options = static_cast<QFileDialog *>(d)->options();
            d->reject();
        });
        QVERIFY((save ? real.saveFileName(nullptr, {}) : real.openFileName(nullptr, {})).isEmpty());
        QVERIFY(options.testFlags(QFileDialog::ReadOnly | QFileDialog::DontUseNativeDialog));
    }
}

void MainWindowTest::fileOpenCancelChangesNothing()
{
    TempDir dir;
    const QString open = newDatafile(dir);
    Harness h;
    Interface &w = h.start(open);
    const QString status = w.statusText();
    h.dialogs.answerCancel();
    QVERIFY(h.trigger("mnuOpen"));
    QCOMPARE(h.dialogs.boxes.size(), 1);
    QCOMPARE(h.dialogs.boxes.first().kind, QStringLiteral("open"));
    QCOMPARE(h.dialogs.boxes.first().text,
             QStringLiteral("Tallybird Files (*.tb2);;All Files (*)"));
    QCOMPARE(h.ctx.DataFilePath, open);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tallybird - ") + open);
    QCOMPARE(w.statusText(), status);
}

void MainWindowTest::fileOpenRejectsBrokenFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray header = QByteArray::fromHex("0800") + QByteArray::fromHex("0300") + "***";
    header.resize(128, '\0');
    QByteArray notHeader = QByteArray::fromHex("08000300") + "ABC";
    notHeader.resize(128, '\0');
    QByteArray unknownTag = QByteArray::fromHex("0900");
    unknownTag.resize(128, '\0');
    QByteArray tooLong = QByteArray::fromHex("0800ff00") + "***";
    tooLong.resize(128, '\0');

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("size not a multiple of 128") << header + QByteArray(100, '\0');
    QTest::newRow("first record not a header") << notHeader.repeated(20);
    QTest::newRow("unknown tag") << unknownTag.repeated(20);
    QTest::newRow("text past the record end") << tooLong.repeated(20);
    QTest::newRow("plain text") << QByteArray("Dear shop owner,\nthis is a letter.\n");
    QTest::newRow("past the record limit") << header.repeated(MaxRecords + 1);
}

void MainWindowTest::fileOpenRejectsBrokenFiles()
{
    QFETCH(QByteArray, bytes);
    TempDir dir;
    const QString good = newDatafile(dir, "good.tb2");
    const QString broken = dir.writeFile("broken.tb2", bytes);
    Harness h;
    Interface &w = h.start(good);
    h.dialogs.answerFile(broken);
    QVERIFY(h.trigger("mnuOpen"));

    QCOMPARE(h.dialogs.messages().size(), 1);
    const auto box = h.dialogs.lastMessage();
    QCOMPARE(box.icon, Dialogs::Icon::Critical);
    QCOMPARE(box.title, QStringLiteral("File I/O Error"));
    const QString expected = QStringLiteral("A File I/O Error has occured. Please ensure that the "
                                            "file you are attempting to open is a Tallybird ver. "
                                            "2.00 file.\nError: ");
    QVERIFY2(box.text.startsWith(expected), qPrintable(box.text));
    QVERIFY(box.text.mid(expected.size()).toInt() > 0);
    QCOMPARE(w.statusText(), QStringLiteral("No File Opened"));
    QVERIFY(!h.isEnabled("mnuCashier"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Tallybird"));
    QCOMPARE(TempDir::readFile(broken), bytes);
    QCOMPARE(dir.files(), QStringList({"broken.tb2", "good.tb2"}));
}

void MainWindowTest::fileOpenMissingFile()
{
    TempDir dir;
    Harness h;
    Interface &w = h.start(newDatafile(dir));

    // The path vanished between the dialog and the open.
    h.dialogs.answerFile(dir.path("vanished.tb2"));
    QVERIFY(h.trigger("mnuOpen"));
    QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("File Not Found"));
    QCOMPARE(h.dialogs.lastMessage().text,
             QStringLiteral("The specified file does not appear to exist. Please check the "
                            "filename and try again."));
    QCOMPARE(w.statusText(), QStringLiteral("No File Opened"));
    QVERIFY(!QFile::exists(dir.path("vanished.tb2")));
    // What was open before is closed: nothing points at the missing file.
    QCOMPARE(h.ctx.DataFilePath, QString());
    QCOMPARE(w.windowTitle(), QStringLiteral("Tallybird"));
    QVERIFY(!h.isEnabled("mnuCashier"));

    // A folder is no datafile either.
    h.dialogs.answerFile(dir.path(QString()));
    QVERIFY(h.trigger("mnuOpen"));
    QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("File I/O Error"));
    QCOMPARE(w.statusText(), QStringLiteral("No File Opened"));
}

void MainWindowTest::exitWithoutDatafileAsksNothing()
{
    Harness h;
    Interface &w = h.start();
    QVERIFY(w.isVisible());
    QVERIFY(h.trigger("mnuQuit"));
    QVERIFY(!w.isVisible());
    QVERIFY(h.dialogs.boxes.isEmpty());
}

void MainWindowTest::splashShowsMainWindowAfterItsTicks()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    Harness h;
    QPointer<Title> title = new Title(h.ctx, path);
    title->show();
    Interface *main = title->mainWindow();
    QVERIFY(main);
    // The main window has loaded the datafile while still hidden.
    QVERIFY(!main->isVisible());
    QCOMPARE(h.ctx.DataFilePath, path);
    QCOMPARE(main->statusText(), Locked);
    QTRY_VERIFY(main->isVisible());
    QTRY_VERIFY(title.isNull());
    main->close();
}

TB_TEST(MainWindowTest)
#include "MainWindowTest.moc"
