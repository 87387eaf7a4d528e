// The bill printed through the real dialogs to a CUPS queue. The print server
// is the test's own, cupsd on a socket in a scratch folder with one cups-pdf
// queue as the default printer, so the machine's print system is left as it
// is. The queue is paused: a job it takes waits in the scratch spool and
// nothing is printed or written anywhere else. Exits 77 (skipped) where cupsd
// or cups-pdf is not installed.

#include "ui/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const QString Queue = QStringLiteral("tallybird-test");
const QString Backend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString Driver = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

QString tool(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin"}) : found;
}

class PrintServer
{
public:
    // What is missing for a print server of our own; empty when nothing is.
    static QString missing()
    {
        for (const char *name :
             {"cupsd", "lpadmin", "lpstat", "cupsaccept", "cupsreject", "cupsdisable"})
            if (tool(name).isEmpty())
                return name;
        return QFile::exists(Backend) && QFile::exists(Driver) ? QString() : "cups-pdf";
    }

    ~PrintServer()
    {
        if (m_pid > 0 && ::kill(m_pid, SIGTERM) == 0)
            ::waitpid(m_pid, nullptr, 0);
    }

    // Starts cupsd with the queue; empty when it runs, else what went wrong.
    QString start()
    {
        const QString root = m_dir.path();
        for (const char *sub : {"spool", "cache", "state", "log", "tmp"})
            QDir(root).mkdir(sub);
        write("cups-files.conf", "ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                                 "StateDir %1/state\nTempDir %1/tmp\nErrorLog %1/log/error\n"
                                 "AccessLog %1/log/access\nPageLog %1/log/page\n");
        // Anyone may do anything: the socket is in our scratch folder.
        write("cupsd.conf", "Listen %1/cups.sock\nBrowsing No\nWebInterface No\n<Policy default>\n"
                            "<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n");
        qputenv("CUPS_SERVER", (root + "/cups.sock").toLocal8Bit());

        // Started in the background, cupsd returns once it listens. Its
        // daemon becomes our child, so that it can be stopped and waited for.
        ::prctl(PR_SET_CHILD_SUBREAPER, 1);
        const bool started =
            run("cupsd", {"-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
        m_pid = daemon();
        if (!started || m_pid <= 0)
            return QStringLiteral("cupsd did not start");
        if (!run("lpadmin", {"-p", Queue, "-E", "-v", "cups-pdf:/", "-P", Driver})
            || !run("cupsdisable", {Queue}))
            return QStringLiteral("the queue could not be set up");
        return {};
    }

    bool run(const QString &name, const QStringList &args, QByteArray *out = nullptr) const
    {
        QProcess p;
        p.start(tool(name), args);
        const bool ok = p.waitForFinished(60000) && p.exitCode() == 0;
        if (out)
            *out = p.readAllStandardOutput();
        return ok;
    }

    // The jobs the queue holds.
    int jobs() const
    {
        QByteArray listed;
        run("lpstat", {"-o", Queue}, &listed);
        return int(listed.count('\n'));
    }

private:
    void write(const QString &name, const char *text) const
    {
        QFile f(m_dir.filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(QString::fromLatin1(text).arg(m_dir.path()).toLocal8Bit());
    }

    // Our child named cupsd: "pid (comm) state ppid ..." in its stat file.
    pid_t daemon() const
    {
        for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
            QFile stat("/proc/" + pid + "/stat");
            const QList<QByteArray> fields =
                stat.open(QIODevice::ReadOnly) ? stat.readAll().split(' ') : QList<QByteArray>();
            if (fields.size() > 3 && fields[1] == "(cupsd)" && fields[3].toInt() == ::getpid())
                return pid.toInt();
        }
        return 0;
    }

    QTemporaryDir m_dir;
    pid_t m_pid = 0;
};
} // namespace

class CupsQueueTest : public QObject
{
    Q_OBJECT

public:
    explicit CupsQueueTest(const PrintServer &server) : m_server(server) {}

private slots:
    void initTestCase();
    void refusedJobIsAFailure_data();
    void refusedJobIsAFailure();

private:
    const PrintServer &m_server;
    QtDialogs m_dialogs; // one printer for every row, as the program keeps it
};

void CupsQueueTest::initTestCase()
{
    QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), Queue);
}

void CupsQueueTest::refusedJobIsAFailure_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("printed");
    QTest::newRow("rejecting jobs") << "cupsreject" << false;
    QTest::newRow("accepting them again") << "cupsaccept" << true;
}

void CupsQueueTest::refusedJobIsAFailure()
{
    QFETCH(QString, command);
    QFETCH(bool, printed);
    QVERIFY(m_server.run(command, {Queue}));
    const int before = m_server.jobs();
    QCOMPARE(m_dialogs.printLines({"BUNS & CO", "", "TEA - $2.00   X   1"}), printed);
    QCOMPARE(m_server.jobs(), before + (printed ? 1 : 0));
}

int main(int argc, char **argv)
{
    if (const QString missing = PrintServer::missing(); !missing.isEmpty()) {
        qInfo("skipped: %s is not installed (packages cups and printer-driver-cups-pdf)",
              qPrintable(missing));
        return 77;
    }
    // The default printer is ours, whatever the user's CUPS settings name.
    qunsetenv("LPDEST");
    qputenv("PRINTER", Queue.toLocal8Bit());
    QApplication app(argc, argv);
    PrintServer server;
    if (const QString problem = server.start(); !problem.isEmpty()) {
        qCritical("%s", qPrintable(problem));
        return 1;
    }
    CupsQueueTest test(server);
    return QTest::qExec(&test, argc, argv);
}

#include "CupsQueueTest.moc"
