// The real program on its own virtual X display, typed at through the X server
// (XTEST) as a keyboard or a barcode scanner types; what it did is read back
// from the datafile, the transaction log and the titles of the windows shown.
// There is no window manager, so the test gives the focus to each window as
// one would.

#include "common/TempDir.h"
#include "common/TestMain.h"
#include "gui/TestData.h"

#include "datafile/CashierEntry.h"
#include "datafile/CustomerEntry.h"
#include "datafile/HeaderRecords.h"
#include "datafile/ItemEntry.h"
#include "datafile/RecordStore.h"
#include "datafile/ShopFile.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <memory>

using namespace TestData;

namespace {

// How long any one step may take on a loaded machine; only a fault waits this long.
constexpr int Patience = 30000;

// The shop's records: ANN 21, TEA 22, COFFEE 23, BUN 24, BOB 25; a new customer 26.
constexpr int Ann = 21, Tea = 22, Coffee = 23, Bun = 24, NewCustomer = 26;

// A window title as a whole-title pattern for xdotool's extended regular expressions.
QString titled(const QString &title)
{
    QString pattern = QStringLiteral("^");
    for (QChar c : title) {
        if (QStringLiteral(".[]()*+?{}|^$\\").contains(c))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    return pattern + QLatin1Char('$');
}

// An X server of its own, on the first free display.
class Display
{
public:
    Display()
    {
        // No key repeat: on a busy machine a key's release may come late, and
        // the key must not type twice.
        m_server.start(QStringLiteral(TB_XVFB), {"-displayfd", "1", "-nolisten", "tcp", "-r",
                                                 "-screen", "0", "1024x768x24"});
        while (!m_server.canReadLine() && m_server.waitForReadyRead(Patience)) {}
        const QByteArray number = m_server.readLine().trimmed();
        if (!number.isEmpty())
            name = QLatin1Char(':') + QString::fromLatin1(number);
    }
    ~Display()
    {
        m_server.terminate();
        m_server.waitForFinished();
    }

    QString name; // empty when the server did not start

private:
    QProcess m_server;
};

// The program on a display, and the keyboard of that display.
class Till
{
public:
    Till(const QString &display, const QString &datafile)
        : m_display(display), m_main(QStringLiteral("Tallybird - ") + datafile)
    {
        m_program.setProcessEnvironment(environment());
        m_program.setProcessChannelMode(QProcess::MergedChannels);
        // Its splash picture and help page lie beside it.
        m_program.setWorkingDirectory(QFileInfo(QStringLiteral(TB_PROGRAM)).path());
        m_program.start(QStringLiteral(TB_PROGRAM), {datafile});
    }
    ~Till()
    {
        m_program.kill();
        m_program.waitForFinished();
    }

    // Waits for the window to show and gives it the focus.
    bool focus(const QString &title)
    {
        return xdotool({"search", "--sync", "--onlyvisible", "--name", titled(title), "windowfocus",
                        "--sync"});
    }
    bool focusMain() { return focus(m_main); }
    bool isShown(const QString &title)
    {
        return xdotool({"search", "--onlyvisible", "--name", titled(title)});
    }
    bool closed(const QString &title)
    {
        if (QTest::qWaitFor([&] { return !isShown(title); }, Patience))
            return true;
        m_failed = "still shown: " + title.toLocal8Bit() + '\n';
        return false;
    }
    // Key names as xdotool knows them ("Return", "alt+t").
    bool keys(const QStringList &names) { return xdotool(QStringList{"key"} + names); }
    // Letters, digits, "\t" and "\n" (Enter), in one burst as fast as a barcode scanner. By
    // key names: xdotool's "type" sends Linefeed for "\n", and a key chained after it is lost.
    bool type(const QString &text)
    {
        QStringList names;
        for (QChar c : text)
            names << (c == QLatin1Char('\n')   ? QStringLiteral("Return")
                      : c == QLatin1Char('\t') ? QStringLiteral("Tab")
                                               : QString(c));
        return xdotool(QStringList{"key", "--delay", "0"} + names);
    }

    // What is on the screen and what the program said, for a failure's message.
    QByteArray seen()
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral(TB_XDOTOOL),
                {"search", "--onlyvisible", "--name", ".", "getwindowname", "%@"});
        p.waitForFinished(Patience);
        return "failed: " + m_failed + "windows shown:\n" + p.readAllStandardOutput()
               + "program output:\n" + m_program.readAll();
    }

private:
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // Money in the US format, as the checks expect it.
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        return env;
    }
    bool xdotool(const QStringList &arguments)
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral(TB_XDOTOOL), arguments);
        const bool finished = p.waitForFinished(Patience);
        if (!finished) {
            p.kill();
            p.waitForFinished();
        }
        if (finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return true;
        m_failed = "xdotool " + arguments.join(QLatin1Char(' ')).toLocal8Bit()
                   + (finished ? "\n" : " (timed out)\n") + p.readAllStandardError();
        return false;
    }

    QString m_display;
    QString m_main;
    QProcess m_program;
    QByteArray m_failed; // the last xdotool command that failed
};

} // namespace

class JourneyTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cashSaleByKeyboard();
    void scannedCodesAtFullSpeed();
    void creditSaleToANewCustomer();

private:
    bool logOn();
    bool payCash(const QString &given);
    QString sold() const;
    DataRecord record(int n) const
    {
        return RecordStore(m_path).readRecord(n).valueOr(DataRecord());
    }
    QStringList logLines() const;

    std::unique_ptr<TempDir> m_dir;
    QString m_path;
    QString m_log;
    std::unique_ptr<Display> m_display;
    std::unique_ptr<Till> m_till;
};

// A step that fails says what the screen shows.
#define STEP(done)                                                                                 \
    do {                                                                                           \
        if (!(done))                                                                               \
            QFAIL(QByteArray(#done " failed; " + m_till->seen()).constData());                     \
    } while (false)
// The program works on while the test reads its files: QTRY_COMPARE waits
// for the value before it compares.

void JourneyTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_path = newDatafile(*m_dir);
    m_log = m_dir->path(QStringLiteral("sales.txt"));
    append(m_path,
           {
               cashier(QStringLiteral("ANN"), QStringLiteral("1234")),
               item(QStringLiteral("TEA"), QStringLiteral("1001"), Currency::fromUnits(2)),
               item(QStringLiteral("COFFEE"), QStringLiteral("1002"), Currency::fromRaw(35000)),
               item(QStringLiteral("BUN"), QStringLiteral("1003"), Currency::fromRaw(8000)),
               customer(QStringLiteral("BOB")),
           });
    TaxSettings tax;
    tax.rate1 = QStringLiteral("10");
    QCOMPARE(ShopFile(m_path).setTaxSettings(tax), FileError::None);
    setHeader(m_path, HeaderRecord::LogFile, FieldValue::fromText(m_log));
    setHeader(m_path, HeaderRecord::SaveToLog, FieldValue::fromNumber(1));

    m_display = std::make_unique<Display>();
    QVERIFY2(!m_display->name.isEmpty(), "Xvfb did not start");
    m_till = std::make_unique<Till>(m_display->name, m_path);
    STEP(m_till->focusMain());
}

void JourneyTest::cleanup()
{
    m_till.reset();
    m_display.reset();
    m_dir.reset();
}

// The Cashier menu by its key, the Log On window filled in and sent with Enter.
bool JourneyTest::logOn()
{
    return m_till->keys({"alt+c", "Return"}) && m_till->focus(QStringLiteral("Log On"))
           && m_till->type(QStringLiteral("ann\t")) && m_till->type(QStringLiteral("1234\n"))
           && m_till->focus(QStringLiteral("Log on Sucessful")) && m_till->keys({"Return"})
           && m_till->closed(QStringLiteral("Log On")) && m_till->focusMain();
}

// Tax, Cash, the money given and Complete Purchase, all by their keys.
bool JourneyTest::payCash(const QString &given)
{
    return m_till->keys({"alt+t", "alt+c"}) && m_till->focus(QStringLiteral("Cash"))
           && m_till->type(given) && m_till->keys({"alt+c"})
           && m_till->closed(QStringLiteral("Cash")) && m_till->focusMain();
}

// Items sold of TEA, COFFEE and BUN.
QString JourneyTest::sold() const
{
    QStringList counts;
    for (int n : {Tea, Coffee, Bun})
        counts << QString::number(ItemEntry(record(n)).sold());
    return counts.join(QLatin1Char(' '));
}

QStringList JourneyTest::logLines() const
{
    return QString::fromLatin1(TempDir::readFile(m_log)).split(QStringLiteral("\r\n"));
}

void JourneyTest::cashSaleByKeyboard()
{
    STEP(logOn());
    STEP(m_till->type(QStringLiteral("1001\n")));
    QTRY_COMPARE_WITH_TIMEOUT(sold(), QStringLiteral("1 0 0"), Patience);
    STEP(payCash(QStringLiteral("20")));

    QTRY_COMPARE_WITH_TIMEOUT(CashierEntry(record(Ann)).salesPerformed(), 1.0, Patience);
    QCOMPARE(CashierEntry(record(Ann)).amountSold(), Currency::fromRaw(22000));
    const QStringList log = logLines();
    for (const char *line : {"Cash Purchase", "Cashier: ANN", "TEA - $2.00   X   1",
                             "Cash Given: $20.00", "Change: $17.80", "Total: $2.20"})
        QVERIFY2(log.contains(QLatin1String(line)), line);

    // The next customer's first item goes straight into the item box.
    STEP(m_till->type(QStringLiteral("1002\n")));
    QTRY_COMPARE_WITH_TIMEOUT(sold(), QStringLiteral("1 1 0"), Patience);
}

void JourneyTest::scannedCodesAtFullSpeed()
{
    STEP(logOn());
    STEP(m_till->type(QStringLiteral("1001\n1002\n1003\n1001\n")));
    QTRY_COMPARE_WITH_TIMEOUT(sold(), QStringLiteral("2 1 1"), Patience);
    STEP(payCash(QStringLiteral("20")));

    QTRY_COMPARE_WITH_TIMEOUT(CashierEntry(record(Ann)).salesPerformed(), 1.0, Patience);
    const QStringList log = logLines();
    const qsizetype first = log.indexOf(QStringLiteral("TEA - $2.00   X   1"));
    QCOMPARE(log.mid(first, 5), QStringList({"TEA - $2.00   X   1", "COFFEE - $3.50   X   1",
                                             "BUN - $0.80   X   1", "TEA - $2.00   X   1", ""}));
    QVERIFY(log.contains(QStringLiteral("Subtotal: $8.30")));
    QCOMPARE(sold(), QStringLiteral("2 1 1"));
}

void JourneyTest::creditSaleToANewCustomer()
{
    STEP(logOn());
    STEP(m_till->type(QStringLiteral("1002\n")));
    QTRY_COMPARE_WITH_TIMEOUT(sold(), QStringLiteral("0 1 0"), Patience);
    STEP(m_till->keys({"alt+t", "alt+r"}));
    STEP(m_till->focus(QStringLiteral("Credit")));
    STEP(m_till->type(QStringLiteral("dora")));
    STEP(m_till->keys({"alt+c"}));
    STEP(m_till->focus(QStringLiteral("Customer not Found")));
    STEP(m_till->keys({"alt+y"}));
    STEP(m_till->focus(QStringLiteral("Current Balance")));
    STEP(m_till->keys({"Return"}));
    STEP(m_till->closed(QStringLiteral("Credit")));

    const CustomerEntry dora(record(NewCustomer));
    QCOMPARE(dora.name(), QStringLiteral("DORA"));
    QCOMPARE(dora.balance(), Currency::fromRaw(-38500));
    QCOMPARE(dora.totalSpent(), Currency::fromRaw(38500));
    QCOMPARE(dora.visits(), 1.0);
    QTRY_COMPARE_WITH_TIMEOUT(CashierEntry(record(Ann)).salesPerformed(), 1.0, Patience);
    const QStringList log = logLines();
    for (const char *line : {"Credit Purchase", "DORA", "Current Balance: ($3.85)",
                             "COFFEE - $3.50   X   1", "Total: $3.85"})
        QVERIFY2(log.contains(QLatin1String(line)), line);
}

#include "JourneyTest.moc"
TB_TEST(JourneyTest)
