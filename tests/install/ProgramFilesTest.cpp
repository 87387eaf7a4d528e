#include "common/TempDir.h"
#include "common/TestMain.h"

#include "settings/ProgramFiles.h"

#include <QDir>
#include <QTest>

namespace {
// The folders of one machine: an installed program under prefix/, a build
// folder and the folder a user starts it from.
const QString Bin = QStringLiteral("prefix/bin");
const QString Data = QStringLiteral("prefix/share/tallybird");
const QString Build = QStringLiteral("build");
const QString Start = QStringLiteral("start");
} // namespace

class ProgramFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void searchOrder();
    void programDir_data();
    void programDir();
};

void ProgramFilesTest::searchOrder()
{
    QCOMPARE(ProgramFiles::searchDirs("/usr/bin", "/home/shop"),
             QStringList({"/usr/share/tallybird", "/usr/bin", "/home/shop"}));
    QCOMPARE(ProgramFiles::searchDirs("/opt/tallybird/bin/", "/home/shop/"),
             QStringList({"/opt/tallybird/share/tallybird", "/opt/tallybird/bin", "/home/shop"}));
    // Without a known executable only the start folder is left.
    QCOMPARE(ProgramFiles::searchDirs(QString(), "/home/shop"), QStringList({"/home/shop"}));
}

void ProgramFilesTest::programDir_data()
{
    QTest::addColumn<QString>("exeDir");
    QTest::addColumn<QStringList>("files");   // laid out before the look-up
    QTest::addColumn<QStringList>("folders"); // likewise, empty folders
    QTest::addColumn<QString>("expected");

    const QStringList both = {"Tallybird.htm", "splash.bmp"};
    auto in = [](const QString &dir, const QStringList &names) {
        QStringList paths;
        for (const QString &name : names)
            paths << dir + "/" + name;
        return paths;
    };

    QTest::newRow("installed, copies where it starts")
        << Bin << in(Data, both) + in(Start, both) << QStringList() << Data;
    QTest::newRow("installed, only the help page")
        << Bin << in(Data, {"Tallybird.htm"}) + in(Start, both) << QStringList() << Data;
    QTest::newRow("installed, only the splash picture")
        << Bin << in(Data, {"splash.bmp"}) + in(Start, both) << QStringList() << Data;
    QTest::newRow("beside the executable")
        << Build << in(Build, both) + in(Start, both) << QStringList() << Build;
    QTest::newRow("beside an installed executable, data folder gone")
        << Bin << in(Bin, both) + in(Start, both) << QStringList() << Bin;
    QTest::newRow("only where it starts") << Bin << in(Start, both) << QStringList() << Start;
    QTest::newRow("nowhere: the start folder reports it missing")
        << Bin << QStringList() << QStringList({Data}) << Start;
    QTest::newRow("folders by those names are no files")
        << Bin << in(Start, both) << in(Data, both) + in(Bin, both) << Start;
    QTest::newRow("other name case is another file")
        << Bin << in(Data, {"TALLYBIRD.HTM", "Splash.bmp"}) + in(Start, both) << QStringList()
        << Start;
}

void ProgramFilesTest::programDir()
{
    QFETCH(QString, exeDir);
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(QString, expected);
    TempDir root;
    for (const QString &dir : {Bin, Build, Start})
        QVERIFY(QDir().mkpath(root.path(dir)));
    for (const QString &folder : folders)
        QVERIFY(QDir().mkpath(root.path(folder)));
    for (const QString &file : files) {
        QVERIFY(QDir().mkpath(QFileInfo(root.path(file)).path()));
        root.writeFile(file, "x");
    }

    QCOMPARE(ProgramFiles::programDir(root.path(exeDir), root.path(Start)),
             QDir::cleanPath(root.path(expected)));
}

#include "ProgramFilesTest.moc"
TB_TEST(ProgramFilesTest)
