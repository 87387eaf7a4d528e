#include "SettingsKit.h"

#include "common/TempDir.h"
#include "common/TestMain.h"

#include "ui_Interface.h"

#include <QDir>
#include <QFile>

using namespace TestData;
using namespace SettingsKit;

namespace {
// Puts a directory where the datafile was, so that every access fails.
void breakDatafile(const QString &path)
{
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
}

// Gives record n a field tag no version has written.
void spoilRecord(const QString &path, int n)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.seek(qint64(n - 1) * RecordLength));
    QVERIFY(f.write(QByteArray::fromHex("7777")) == 2);
}

void expectCritical(Harness &h, const QString &textStart)
{
    QCOMPARE(h.dialogs.messages().size(), 1);
    QCOMPARE(h.dialogs.lastMessage().icon, Dialogs::Icon::Critical);
    QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("Critical Error"));
    const QString text = h.dialogs.lastMessage().text;
    QVERIFY2(text.startsWith(textStart), qPrintable(text));
    QVERIFY2(text.mid(textStart.size()).toInt() > 0, qPrintable(text));
}
} // namespace

// A datafile that cannot be read or written is reported, and the program,
// with the bill in progress, goes on.
class FileErrorTest : public QObject
{
    Q_OBJECT

private slots:
    void unreadableDatafile_data();
    void unreadableDatafile();
    void unwritableDatafile_data();
    void unwritableDatafile();
    void itemListFailureAfterPreferences();
};

void FileErrorTest::unreadableDatafile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("textStart");
    QTest::newRow("mnuPref") << "mnuPref"
                             << "A critical error has occurred in event procedure 'mnuPref', "
                                "module Interface.\nErr: ";
    QTest::newRow("mnuTax") << "mnuTax"
                            << "A critical error has occurred in event procedure 'mnuTax', "
                               "module Interface.\nErr: ";
    QTest::newRow("mnuitmPrintSetup") << "mnuitmPrintSetup"
                                      << "A error has occured.\nError: ";
}

void FileErrorTest::unreadableDatafile()
{
    QFETCH(QString, command);
    QFETCH(QString, textStart);

    TempDir dir;
    const QString path = newDatafile(dir);
    Harness h;
    startLoggedOn(h, path);
    breakDatafile(path);
    {
        DialogCatcher catcher;
        QVERIFY(h.trigger(command));
        QCOMPARE(catcher.shown, QStringList());
    }
    expectCritical(h, textStart);
    QVERIFY(h.window().isVisible());
    QVERIFY(h.ctx.session.isLoggedOn());
}

void FileErrorTest::unwritableDatafile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("textStart");
    QTest::newRow("mnuPref") << "mnuPref"
                             << "A critical error has occurred in event procedure "
                                "'Command1_Click', module Pref.\nErr: ";
    QTest::newRow("mnuTax") << "mnuTax"
                            << "A critical error has occurred in event procedure "
                               "'Command1_Click', module SetTax.\nErr: ";
}

void FileErrorTest::unwritableDatafile()
{
    QFETCH(QString, command);
    QFETCH(QString, textStart);

    TempDir dir;
    const QString path = newDatafile(dir);
    Harness h;
    startLoggedOn(h, path);
    Drive::onNextDialog([&](QDialog *d) {
        breakDatafile(path);
        Drive::click(d, "Command1");
        QVERIFY(d->isVisible()); // the choices are still there to try again
        d->reject();
    });
    QVERIFY(h.trigger(command));
    expectCritical(h, textStart);
    QVERIFY(h.ctx.session.isLoggedOn());
}

void FileErrorTest::itemListFailureAfterPreferences()
{
    TempDir dir;
    const QString path = newDatafile(dir);
    Harness h;
    startLoggedOn(h, path);
    append(path, {item("TEA", "500")});
    spoilRecord(path, 22);

    // The status while the item list is being refilled.
    QString status;
    bool busyLamp = false;
    h.dialogs.onMessage = [&](const ScriptedDialogs::Box &) {
        status = h.window().statusText();
        busyLamp = h.lampLit("Shape2");
    };
    Drive::onNextDialog([](QDialog *d) {
        select(d, "Option2");
        Drive::click(d, "Command1");
    });
    QVERIFY(h.trigger("mnuPref"));
    h.dialogs.onMessage = nullptr;

    QCOMPARE(h.dialogs.messages().size(), 1);
    QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("Critical Error"));
    QCOMPARE(status, QStringLiteral("Updating Item Lists"));
    QVERIFY(busyLamp);
    QCOMPARE(h.window().statusText(), QStringLiteral("Ready"));
    QVERIFY(h.lampLit("Shape1"));
    // The choice was stored before the list was read.
    QCOMPARE(read(path, 6).Number, FieldValue::fromInt16(0));
}

#include "FileErrorTest.moc"
TB_TEST(FileErrorTest)
