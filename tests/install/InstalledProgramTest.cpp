// Lays the program out under a scratch prefix with `cmake --install`, as a
// package installs it, and starts the installed program the way the desktop
// menu or a double-clicked datafile does.

#include "common/TempDir.h"
#include "common/TestMain.h"

#include "settings/HelpFiles.h"
#include "settings/ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

const QString AppId = QStringLiteral(TB_APP_ID);
const QString DatafileType = QStringLiteral("application/x-tallybird-datafile");

QString sourceFile(const QString &name)
{
    return QString::fromLocal8Bit(qgetenv("TB_SOURCE_DIR")) + QLatin1Char('/') + name;
}

QByteArray readAll(const QString &path)
{
    return TempDir::readFile(path);
}

struct Run {
    int exitCode = -1;
    QString output;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.output = QString::fromLocal8Bit(p.readAll());
    return r;
}

// The files opened in a few folders, as the kernel reports them to inotify, so
// the test sees what another process reads without reaching into it.
class OpenWatch
{
public:
    OpenWatch() : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
    ~OpenWatch()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenWatch(const OpenWatch &) = delete;
    OpenWatch &operator=(const OpenWatch &) = delete;

    bool watch(const QString &dir)
    {
        const int wd = inotify_add_watch(m_fd, QFile::encodeName(dir).constData(), IN_OPEN);
        if (wd < 0)
            return false;
        m_dirs.insert(wd, QFileInfo(dir).canonicalFilePath());
        return true;
    }

    // Every file opened since the last call, as a canonical path.
    QStringList take()
    {
        QStringList paths;
        alignas(inotify_event) char buffer[8192];
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (const char *p = buffer; p < buffer + n;) {
                const auto *event = reinterpret_cast<const inotify_event *>(p);
                // An event without a name is the watched folder itself being read.
                if (event->len > 0)
                    paths << m_dirs.value(event->wd) + QLatin1Char('/')
                                 + QFile::decodeName(event->name);
                p += sizeof(inotify_event) + event->len;
            }
        }
        return paths;
    }

private:
    int m_fd;
    QHash<int, QString> m_dirs;
};

// Key=value lines of the [Desktop Entry] group.
QHash<QString, QString> desktopEntry(const QString &path)
{
    QHash<QString, QString> entry;
    const QStringList lines = QString::fromUtf8(readAll(path)).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && !line.startsWith(QLatin1Char('#')))
            entry.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return entry;
}

// The text of every element with the given name, with the value of one of its
// attributes when `attribute` is given.
QStringList xmlValues(const QString &path, const QString &element, const QString &attribute = {})
{
    QStringList values;
    QXmlStreamReader xml(readAll(path));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == element) {
            values << (attribute.isEmpty() ? xml.readElementText()
                                           : xml.attributes().value(attribute).toString());
        }
    }
    return values;
}

} // namespace

class InstalledProgramTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installsEveryFile_data();
    void installsEveryFile();
    void desktopFilesAgree();
    void fileTypeOfDatafiles_data();
    void fileTypeOfDatafiles();
    void lookUpFindsTheDataFolder();
    void startsOnADatafileElsewhere();
    void helpNeedsNoDisplay();

private:
    QString installed(const QString &path) const { return m_prefix.filePath(path); }
    QString dataFolder() const
    {
        return QFileInfo(installed("share/tallybird")).canonicalFilePath();
    }

    QTemporaryDir m_prefix;
    QTemporaryDir m_scratch;
    QString m_mime;
};

void InstalledProgramTest::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    const Run r = run(QStringLiteral(TB_CMAKE_COMMAND),
                      {"--install", QStringLiteral(TB_BINARY_DIR), "--prefix", m_prefix.path()});
    QVERIFY2(r.exitCode == 0, qPrintable(r.output));
}

void InstalledProgramTest::installsEveryFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("source"); // what it is a copy of; "" for a built program
    QTest::newRow("program") << "bin/tallybird"
                             << "";
    QTest::newRow("data tool") << "bin/tallybird-data"
                               << "";
    QTest::newRow("help page") << "share/tallybird/Tallybird.htm"
                               << "assets/Tallybird.htm";
    QTest::newRow("splash picture") << "share/tallybird/splash.bmp"
                                    << "assets/splash.bmp";
    QTest::newRow("menu entry") << "share/applications/" + AppId + ".desktop"
                                << "packaging/" + AppId + ".desktop";
    QTest::newRow("icon") << "share/icons/hicolor/scalable/apps/" + AppId + ".svg"
                          << "packaging/" + AppId + ".svg";
    QTest::newRow("datafile type") << "share/mime/packages/" + AppId + ".xml"
                                   << "packaging/" + AppId + ".xml";
    QTest::newRow("metainfo") << "share/metainfo/" + AppId + ".metainfo.xml"
                              << "packaging/" + AppId + ".metainfo.xml";
    QTest::newRow("copyright") << "share/doc/tallybird/copyright"
                               << "packaging/copyright";
}

void InstalledProgramTest::installsEveryFile()
{
    QFETCH(QString, path);
    QFETCH(QString, source);
    const QFileInfo file(installed(path));
    QVERIFY2(file.isFile(), qPrintable(path));
    if (source.isEmpty()) {
        QVERIFY(file.isExecutable());
        return;
    }
    QCOMPARE(readAll(file.filePath()), readAll(sourceFile(source)));
}

void InstalledProgramTest::desktopFilesAgree()
{
    const QString desktopFile = installed("share/applications/" + AppId + ".desktop");
    const QHash<QString, QString> entry = desktopEntry(desktopFile);

    // The menu starts the installed program on the one file it was given.
    const QStringList exec = entry.value("Exec").split(QLatin1Char(' '));
    QCOMPARE(exec, QStringList({"tallybird", "%f"}));
    QVERIFY(QFileInfo(installed("bin/" + exec.first())).isExecutable());

    QVERIFY(
        QFileInfo(installed("share/icons/hicolor/scalable/apps/" + entry.value("Icon") + ".svg"))
            .isFile());

    QStringList declared;
    const QDir packages(installed("share/mime/packages"));
    for (const QString &name : packages.entryList({"*.xml"}, QDir::Files))
        declared += xmlValues(packages.filePath(name), "mime-type", "type");
    QCOMPARE(declared, QStringList({DatafileType}));
    QCOMPARE(entry.value("MimeType"), DatafileType + ";");

    const QString metainfo = installed("share/metainfo/" + AppId + ".metainfo.xml");
    QCOMPARE(xmlValues(metainfo, "id"), QStringList({AppId}));
    QCOMPARE(xmlValues(metainfo, "launchable"), QStringList({QFileInfo(desktopFile).fileName()}));
    QCOMPARE(xmlValues(metainfo, "mediatype"), QStringList({DatafileType}));
}

void InstalledProgramTest::fileTypeOfDatafiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // "" for a demo datafile
    QTest::addColumn<QString>("type");
    QTest::newRow("datafile") << "corner shop.tb2" << QByteArray() << DatafileType;
    QTest::newRow("datafile by another name") << "corner shop.dat" << QByteArray() << DatafileType;
    // *.tb2 is also short for *.tar.bz2.
    QTest::newRow("compressed tar archive")
        << "backup.tb2" << QByteArray("BZh91AY&SY") + QByteArray(64, '\x5a')
        << "application/x-bzip-compressed-tar";
}

void InstalledProgramTest::fileTypeOfDatafiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, type);
    const QString tool = QStandardPaths::findExecutable("update-mime-database");
    const QString shared = "/usr/share/mime/packages/freedesktop.org.xml";
    if (tool.isEmpty() || !QFileInfo(shared).isFile())
        QSKIP("update-mime-database and the shared types are missing (package shared-mime-info)");

    // A machine's database: the shared types and ours, built as the package's
    // install builds it. Qt reads the folders named here at its first look-up.
    if (m_mime.isEmpty()) {
        m_mime = m_scratch.filePath("share/mime");
        QVERIFY(QDir().mkpath(m_mime + "/packages"));
        QVERIFY(QFile::copy(shared, m_mime + "/packages/freedesktop.org.xml"));
        const QString ours = AppId + ".xml";
        QVERIFY(
            QFile::copy(installed("share/mime/packages/" + ours), m_mime + "/packages/" + ours));
        const Run r = run(tool, {m_mime});
        QVERIFY2(r.exitCode == 0, qPrintable(r.output));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(m_scratch.filePath("share")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_scratch.filePath("home")));
    }

    TempDir dir;
    const QString path = dir.path(name);
    if (content.isEmpty()) {
        const Run made = run(installed("bin/tallybird-data"), {"demo", path});
        QVERIFY2(made.exitCode == 0, qPrintable(made.output));
    } else {
        dir.writeFile(name, content);
    }
    QCOMPARE(QMimeDatabase().mimeTypeForFile(path).name(), type);
}

void InstalledProgramTest::lookUpFindsTheDataFolder()
{
    // Copies where the user starts it lose to the installed ones.
    TempDir start;
    start.writeFile("Tallybird.htm", "<html></html>");
    start.writeFile("splash.bmp", readAll(sourceFile("assets/splash.bmp")));

    const QString dir = ProgramFiles::programDir(installed("bin"), start.path(QString()));
    QCOMPARE(QFileInfo(dir).canonicalFilePath(), dataFolder());
    QCOMPARE(readAll(HelpFiles::helpPage(dir)), readAll(sourceFile("assets/Tallybird.htm")));
    QCOMPARE(readAll(HelpFiles::splashPicture(dir)), readAll(sourceFile("assets/splash.bmp")));
}

void InstalledProgramTest::startsOnADatafileElsewhere()
{
    TempDir shop;
    QVERIFY(QDir().mkpath(shop.path("shop data")));
    const QString datafile = shop.path("shop data/corner shop.tb2");
    const Run made = run(installed("bin/tallybird-data"), {"demo", datafile});
    QVERIFY2(made.exitCode == 0, qPrintable(made.output));

    // The folder current at start holds copies too, which must not be the ones read.
    TempDir start;
    start.writeFile("Tallybird.htm", "<html></html>");
    start.writeFile("splash.bmp", readAll(sourceFile("assets/splash.bmp")));

    OpenWatch watch;
    QVERIFY(watch.watch(dataFolder()));
    QVERIFY(watch.watch(installed("bin")));
    QVERIFY(watch.watch(start.path(QString())));
    QVERIFY(watch.watch(shop.path("shop data")));

    QProcess program;
    program.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(start.path(QString()));
    program.start(installed("bin/tallybird"), {datafile});
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
    const auto stop = qScopeGuard([&] {
        program.kill();
        program.waitForFinished();
    });

    const QString splash = dataFolder() + "/splash.bmp";
    const QString opened = QFileInfo(datafile).canonicalFilePath();
    QStringList seen;
    auto hasOpened = [&] {
        seen += watch.take();
        return seen.contains(splash) && seen.contains(opened);
    };
    QTRY_VERIFY2_WITH_TIMEOUT(
        hasOpened(), qPrintable(seen.join('\n') + '\n' + QString::fromLocal8Bit(program.readAll())),
        30000);
    // Still up with the datafile open: no crash and no message that ended it.
    QCOMPARE(program.state(), QProcess::Running);
    seen += watch.take();

    for (const QString &path : std::as_const(seen)) {
        const QString name = QFileInfo(path).fileName();
        if (name == "splash.bmp" || name == "Tallybird.htm")
            QCOMPARE(QFileInfo(path).path(), dataFolder());
    }
}

#include "InstalledProgramTest.moc"
void InstalledProgramTest::helpNeedsNoDisplay()
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    program.setProcessEnvironment(env);
    program.start(installed("bin/tallybird"), {"--help"});
    QVERIFY(program.waitForFinished());
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.readAllStandardOutput().startsWith("Usage: tallybird [DATAFILE]\n"));
}

TB_TEST(InstalledProgramTest)
