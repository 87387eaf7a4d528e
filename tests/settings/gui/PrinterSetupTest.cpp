#include "SettingsKit.h"

#include "common/TempDir.h"
#include "common/TestMain.h"

#include "datafile/BillNotes.h"
#include "datafile/Currency.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace TestData;
using namespace SettingsKit;

namespace {
const QString HeaderPrompt = QStringLiteral("Enter the text to appear at the top of the bill.");
const QString FooterPrompt = QStringLiteral("Enter the text to appear at the bottom of the bill.");
const QString Question =
    QStringLiteral("Tallybird will print bills at the time of transaction using your default "
                   "Windows printer settings. Would you like to change these settings now?");
const QString TooLong =
    QStringLiteral("The combined length of both the header and footer should not be in excess of "
                   "107 characters.  Please shorten your message.");

QPlainTextEdit *noteBox(QDialog *d)
{
    return d->findChild<QPlainTextEdit *>("Text1");
}

// Types the note as a user would: the box selects its text on the focus, so
// the typing replaces it; "\n" is the Enter key.
void typeNote(QDialog *d, const QString &text)
{
    Drive::focus(d, "Text1");
    QCoreApplication::processEvents();
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (text.isEmpty())
        QTest::keyClick(noteBox(d), Qt::Key_Delete);
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(noteBox(d), Qt::Key_Return);
        for (const QChar c : lines[i]) {
            if (c.unicode() < 0x20) { // no key types it: pasted
                QGuiApplication::clipboard()->setText(QString(c));
                QTest::keyClick(noteBox(d), Qt::Key_V, Qt::ControlModifier);
            } else if (c.unicode() < 0x80)
                QTest::keyClick(noteBox(d), char(c.unicode()));
            else // as a keyboard layout with that key would send it
                QTest::sendKeyEvent(QTest::Click, noteBox(d), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
    QCOMPARE(noteBox(d)->toPlainText(), text);
}

struct Note {
    QString shown;                // what the box must show
    std::optional<QString> typed; // what the user types over it; nullopt: left as shown
};

// Answers the header window and then the footer window.
// `again` is called as the footer is left, before the notes are stored.
void answerNotes(const Note &header, const Note &footer, const std::function<void()> &again = {})
{
    Drive::onNextDialog([=](QDialog *d) {
        QCOMPARE(d->objectName(), QStringLiteral("HeadFoot"));
        QCOMPARE(d->windowTitle(), QStringLiteral("Bill Header"));
        QCOMPARE(d->findChild<QLabel *>("Label1")->text(), HeaderPrompt);
        QCOMPARE(d->findChild<QLabel *>("Label2")->text(), QStringLiteral("Leave blank for none."));
        QCOMPARE(noteBox(d)->toPlainText(), header.shown);
        if (header.typed)
            typeNote(d, *header.typed);
        Drive::onNextDialog([=](QDialog *f) {
            QCOMPARE(f->windowTitle(), QStringLiteral("Bill Footer"));
            QCOMPARE(f->findChild<QLabel *>("Label1")->text(), FooterPrompt);
            QCOMPARE(noteBox(f)->toPlainText(), footer.shown);
            if (footer.typed)
                typeNote(f, *footer.typed);
            if (again)
                again();
            Drive::click(f, "Command1");
        });
        Drive::click(d, "Command1");
    });
}

void setNotes(const QString &path, const FieldValue &header, const FieldValue &footer)
{
    DataRecord r = read(path, 5);
    r.Number = header;
    r.Price = footer;
    write(path, 5, r);
}

} // namespace

class PrinterSetupTest : public QObject
{
    Q_OBJECT

private slots:
    void editsHeaderAndFooter();
    void printerQuestion_data();
    void printerQuestion();
    void storedFooterShown_data();
    void storedFooterShown();
    void recordMustFit_data();
    void recordMustFit();
    void noteWindowClosesOnlyWithOk();
    void commandsNeedTheirPrivilege_data();
    void commandsNeedTheirPrivilege();
};

void PrinterSetupTest::editsHeaderAndFooter()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    {
        Harness h;
        startLoggedOn(h, path);
        answerNotes({"", QStringLiteral("THE CORNER SHOP\nMAIN STREET 4")},
                    {"", QStringLiteral("THANK YOU")});
        h.dialogs.answerNo();
        QVERIFY(h.trigger("mnuitmPrintSetup"));

        QCOMPARE(h.dialogs.boxes.size(), 1);
        const ScriptedDialogs::Box &box = h.dialogs.boxes.first();
        QCOMPARE(box.icon, Dialogs::Icon::Question);
        QCOMPARE(box.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(box.title, QStringLiteral("Change Default Printer Settings"));
        QCOMPARE(box.text, Question);
        QCOMPARE(h.ctx.NoteText, QStringLiteral("THANK YOU"));
    }
    const DataRecord r = read(path, 5);
    QCOMPARE(r.Name, FieldValue::fromText(SharedMarker));
    // Lines end in CR LF on disk, as the bill printer reads them.
    QCOMPARE(r.Number, FieldValue::fromText("THE CORNER SHOP\r\nMAIN STREET 4"));
    QCOMPARE(r.Price, FieldValue::fromText("THANK YOU"));

    // The reopened datafile shows both; leaving them as they are changes nothing.
    Harness again;
    startLoggedOn(again, path);
    const QByteArray loggedOn = TempDir::readFile(path);
    answerNotes({QStringLiteral("THE CORNER SHOP\nMAIN STREET 4"), std::nullopt},
                {QStringLiteral("THANK YOU"), std::nullopt});
    again.dialogs.answerNo();
    QVERIFY(again.trigger("mnuitmPrintSetup"));
    QCOMPARE(read(path, 5), r);
    QCOMPARE(TempDir::readFile(path), loggedOn);
}

void PrinterSetupTest::printerQuestion_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("no") << false << true;
    QTest::newRow("yes, printer chosen") << true << true;
    QTest::newRow("yes, printer dialog cancelled") << true << false;
}

void PrinterSetupTest::printerQuestion()
{
    QFETCH(bool, yes);
    QFETCH(bool, accepted);

    TempDir dir;
    const QString path = newDatafile(dir);
    Harness h;
    startLoggedOn(h, path);
    h.dialogs.printerSetupAccepted = accepted;
    answerNotes({"", std::nullopt}, {"", std::nullopt});
    yes ? h.dialogs.answerYes() : h.dialogs.answerNo();
    QVERIFY(h.trigger("mnuitmPrintSetup"));

    QStringList seen;
    for (const ScriptedDialogs::Box &b : h.dialogs.boxes)
        seen << b.kind + ":" + b.title;
    if (!yes) {
        QCOMPARE(seen, QStringList({"message:Change Default Printer Settings"}));
        return;
    }
    QCOMPARE(seen, QStringList({"message:Change Default Printer Settings",
                                "printerSetup:", "message:Printer Setup"}));
    QCOMPARE(h.dialogs.lastMessage().icon, Dialogs::Icon::Information);
    QCOMPARE(h.dialogs.lastMessage().text,
             QStringLiteral("Please note that if you change your Windows default printer settings "
                            "between now and the time of transaction completion, Tallybird will "
                            "print using those settings instead."));
}

void PrinterSetupTest::storedFooterShown_data()
{
    QTest::addColumn<FieldValue>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<FieldValue>("written"); // after OK with the box left as shown

    const FieldValue empty = FieldValue::fromText(QString());
    QTest::newRow("0 as created") << FieldValue::fromInt16(0) << "" << empty;
    QTest::newRow("text 0") << FieldValue::fromText("0") << "" << empty;
    QTest::newRow("currency 0") << FieldValue::fromCurrency(Currency()) << "" << empty;
    QTest::newRow("empty text") << empty << "" << empty;
    QTest::newRow("empty field") << FieldValue() << "" << empty;
    QTest::newRow("text 0.0") << FieldValue::fromText("0.0") << "0.0"
                              << FieldValue::fromText("0.0");
    QTest::newRow("number 5") << FieldValue::fromInt16(5) << "5" << FieldValue::fromText("5");
    QTest::newRow("two lines") << FieldValue::fromText("SEE YOU\r\nSOON") << "SEE YOU\nSOON"
                               << FieldValue::fromText("SEE YOU\r\nSOON");
}

void PrinterSetupTest::storedFooterShown()
{
    QFETCH(FieldValue, stored);
    QFETCH(QString, shown);
    QFETCH(FieldValue, written);

    TempDir dir;
    const QString path = newDatafile(dir);
    setNotes(path, FieldValue::fromText("HEAD"), stored);
    Harness h;
    startLoggedOn(h, path);
    answerNotes({"HEAD", std::nullopt}, {shown, std::nullopt});
    h.dialogs.answerNo();
    QVERIFY(h.trigger("mnuitmPrintSetup"));
    QCOMPARE(read(path, 5).Price, written);
    QCOMPARE(read(path, 5).Number, FieldValue::fromText("HEAD"));
}

void PrinterSetupTest::recordMustFit_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("footer");
    QTest::addColumn<QString>("refusal"); // "": stored

    // "***", two texts and ten empty fields leave 93 bytes for the two notes.
    const auto a = [](int n) { return QString(n, QLatin1Char('A')); };
    QTest::newRow("93 together") << a(45) << a(48) << "";
    QTest::newRow("94 together") << a(46) << a(48) << "Message too long";
    QTest::newRow("all in the header") << a(93) << ""
                                       << "";
    QTest::newRow("all in the footer") << "" << a(94) << "Message too long";
    // A line break is stored as two characters.
    QTest::newRow("line break counts two") << a(22) + "\n" + a(22) << a(48) << "Message too long";
    QTest::newRow("euro sign") << QStringLiteral("PRICES IN \u20AC") << ""
                               << "";
    QTest::newRow("character without a code") << QStringLiteral("SNOW \u2603") << ""
                                              << "Invalid Character";
    QTest::newRow("control character") << QStringLiteral("HEAD\x1b[2J") << ""
                                       << "Invalid Character";
}

void PrinterSetupTest::recordMustFit()
{
    QFETCH(QString, header);
    QFETCH(QString, footer);
    QFETCH(QString, refusal);

    TempDir dir;
    const QString path = newDatafile(dir);
    setNotes(path, FieldValue::fromText("OLD HEAD"), FieldValue::fromText("OLD FOOT"));
    Harness h;
    startLoggedOn(h, path);
    const QByteArray before = TempDir::readFile(path);
    // A refusal shows the notes again as typed, the datafile untouched.
    answerNotes({"OLD HEAD", header}, {"OLD FOOT", footer}, [=] {
        if (!refusal.isEmpty())
            answerNotes({header, "SHORT"}, {footer, ""},
                        [=] { QCOMPARE(TempDir::readFile(path), before); });
    });
    h.dialogs.answerNo();
    QVERIFY(h.trigger("mnuitmPrintSetup"));

    QCOMPARE(read(path, 5).Number,
             FieldValue::fromText(BillNotes::toStored(refusal.isEmpty() ? header : "SHORT")));
    if (refusal.isEmpty())
        return;
    QCOMPARE(h.dialogs.boxes.size(), 2); // then the printer question
    const ScriptedDialogs::Box &box = h.dialogs.boxes.first();
    QCOMPARE(box.icon, Dialogs::Icon::Critical);
    QCOMPARE(box.title, refusal);
    if (refusal == "Message too long")
        QCOMPARE(box.text, TooLong);
    else
        QCOMPARE(box.text,
                 QStringLiteral("The %1 cannot be stored in the datafile. Please use another "
                                "character.")
                     .arg(header.startsWith(QLatin1String("HEAD"))
                              ? QStringLiteral("control character U+001B")
                              : QStringLiteral("character '\u2603'")));
}

void PrinterSetupTest::noteWindowClosesOnlyWithOk()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    setNotes(path, FieldValue::fromText("WELCOME"), FieldValue::fromInt16(0));
    Harness h;
    startLoggedOn(h, path);
    Drive::onNextDialog([](QDialog *d) {
        QVERIFY(!(d->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(d->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(d->isVisible());
        d->close();
        QVERIFY(d->isVisible());

        QPlainTextEdit *box = noteBox(d);
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        Drive::focus(d, "Text1");
        QCoreApplication::processEvents();
        QCOMPARE(box->textCursor().selectedText(), QStringLiteral("WELCOME"));
        // Tab leaves the box for the button instead of going into the text.
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), d->findChild<QWidget *>("Command1"));
        QCOMPARE(box->toPlainText(), QStringLiteral("WELCOME"));

        Drive::onNextDialog([](QDialog *f) { Drive::click(f, "Command1"); });
        Drive::click(d, "Command1");
    });
    h.dialogs.answerNo();
    QVERIFY(h.trigger("mnuitmPrintSetup"));
    QCOMPARE(read(path, 5).Number, FieldValue::fromText("WELCOME"));
}

void PrinterSetupTest::commandsNeedTheirPrivilege_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("text");

    const QString settings = QStringLiteral(
        "You do not have permission to change general program settings. If you require access, "
        "please contact your supervisor and request that the option 'Change Settings' be turned "
        "on for your cashier account.");
    QTest::newRow("mnuPref") << "mnuPref" << int(Privilege::SettingModify) << settings;
    QTest::newRow("mnuitmPrintSetup")
        << "mnuitmPrintSetup" << int(Privilege::SettingModify) << settings;
    QTest::newRow("mnuTax") << "mnuTax" << int(Privilege::TaxModify)
                            << QStringLiteral("You do not have permission to change the tax rate. "
                                              "If you require access, please contact your "
                                              "supervisor and request that the option 'Change "
                                              "Tax' be turned on for your cashier account.");
}

void PrinterSetupTest::commandsNeedTheirPrivilege()
{
    QFETCH(QString, command);
    QFETCH(int, flag);
    QFETCH(QString, text);

    TempDir dir;
    const QString path = newDatafile(dir);
    QString privileges = Privileges::master().toString();
    privileges[flag] = QLatin1Char('0');
    Harness h;
    startLoggedOn(h, path, privileges);
    const QByteArray before = TempDir::readFile(path);
    {
        DialogCatcher catcher;
        QVERIFY(h.trigger(command));
        QCOMPARE(catcher.shown, QStringList());
    }
    QCOMPARE(h.dialogs.boxes.size(), 1);
    QCOMPARE(h.dialogs.lastMessage().icon, Dialogs::Icon::Critical);
    QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("Access Denied"));
    QCOMPARE(h.dialogs.lastMessage().text, text);
    QCOMPARE(TempDir::readFile(path), before);

    // Only that flag matters: with it back, the window opens.
    TestData::append(path, {cashier("BOB", "4321", Privileges::master().toString())});
    QVERIFY(h.trigger("mnuitmLogOff"));
    QVERIFY(h.logOn("BOB", "4321"));
    QCOMPARE(h.ctx.session.onDuty().name, QStringLiteral("BOB"));
    h.dialogs.clear();
    h.dialogs.answerNo();
    DialogCatcher catcher;
    QVERIFY(h.trigger(command));
    QVERIFY(!catcher.shown.isEmpty());
    QCOMPARE(h.dialogs.messages().size(), command == "mnuitmPrintSetup" ? 1 : 0);
}

#include "PrinterSetupTest.moc"
TB_TEST(PrinterSetupTest)
