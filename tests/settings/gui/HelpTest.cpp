#include "SettingsKit.h"

#include "common/TempDir.h"
#include "common/TestMain.h"

#include "app/Title.h"
#include <QAction>

#include <QDir>
#include <QLabel>
#include <QPointer>

using namespace TestData;
using namespace SettingsKit;

namespace {
const QUrl SupportMail(QStringLiteral("mailto:support@tallybird.example"));
const QString Missing = QStringLiteral(
    "The Tallybird help file (Tallybird.htm) does not seem to be present in the program's main "
    "directory.  Please reinstall Tallybird.");

enum class State { NoDatafile, Locked, LoggedOn };

void startIn(Harness &h, State state, const TempDir &dir)
{
    if (state == State::NoDatafile)
        h.start();
    else if (state == State::Locked)
        h.start(newDatafile(dir));
    else
        startLoggedOn(h, newDatafile(dir));
    h.dialogs.clear();
}
} // namespace

class HelpTest : public QObject
{
    Q_OBJECT

private slots:
    void helpMenuInEveryState_data();
    void helpMenuInEveryState();
    void contentsNeedsTheFile_data();
    void contentsNeedsTheFile();
    void helpPageFromDirectoryCurrentAtStart();
    void aboutBox();
    void aboutBoxWithoutPicture();
};

void HelpTest::helpMenuInEveryState_data()
{
    QTest::addColumn<State>("state");
    QTest::newRow("no datafile") << State::NoDatafile;
    QTest::newRow("terminal locked") << State::Locked;
    QTest::newRow("logged on") << State::LoggedOn;
}

void HelpTest::helpMenuInEveryState()
{
    QFETCH(State, state);
    TempDir dir;
    Harness h;
    startIn(h, state, dir);

    QVERIFY(h.trigger("mnuitmCaption"));
    QCOMPARE(h.dialogs.opened,
             QList<QUrl>({QUrl::fromLocalFile(QDir(h.ctx.ProgramDir).filePath("Tallybird.htm"))}));
    QVERIFY(QFileInfo(h.dialogs.opened.first().toLocalFile()).isFile());

    QVERIFY(h.trigger("mnuitmEmail"));
    QCOMPARE(h.dialogs.opened.last(), SupportMail);

    Drive::onNextDialog([](QDialog *d) {
        QCOMPARE(d->objectName(), QStringLiteral("About1"));
        d->close();
    });
    QVERIFY(h.trigger("mnuitmAbout"));
    QCOMPARE(h.dialogs.boxes.size(), 0);
    QCOMPARE(h.dialogs.opened.size(), 2);
}

void HelpTest::contentsNeedsTheFile_data()
{
    QTest::addColumn<QString>("content"); // what Tallybird.htm is
    QTest::newRow("file") << "file";
    QTest::newRow("missing") << "missing";
    QTest::newRow("a directory of that name") << "directory";
    // Another name case is another file here.
    QTest::newRow("other case") << "TALLYBIRD.HTM";
}

void HelpTest::contentsNeedsTheFile()
{
    QFETCH(QString, content);
    TempDir dir;
    const QString page = dir.path("Tallybird.htm");
    if (content == "file")
        dir.writeFile("Tallybird.htm", "<html></html>");
    else if (content == "directory")
        QVERIFY(QDir().mkpath(page));
    else if (content != "missing")
        dir.writeFile(content, "<html></html>");
    Harness h;
    h.ctx.ProgramDir = dir.path(QString());
    h.start();

    QVERIFY(h.trigger("mnuitmCaption"));
    if (content == "file") {
        QCOMPARE(h.dialogs.boxes.size(), 0);
        QCOMPARE(h.dialogs.opened, QList<QUrl>({QUrl::fromLocalFile(page)}));
        return;
    }
    QCOMPARE(h.dialogs.opened.size(), 0);
    QCOMPARE(h.dialogs.boxes.size(), 1);
    QCOMPARE(h.dialogs.lastMessage().icon, Dialogs::Icon::Critical);
    QCOMPARE(h.dialogs.lastMessage().title, QStringLiteral("Help File Missing"));
    QCOMPARE(h.dialogs.lastMessage().text, Missing);
}

void HelpTest::helpPageFromDirectoryCurrentAtStart()
{
    TempDir start;
    start.writeFile("Tallybird.htm", "<html></html>");
    TempDir later;
    const QString before = QDir::currentPath();
    Harness h;
    QVERIFY(QDir::setCurrent(start.path(QString())));
    QPointer<Title> title = new Title(h.ctx, QString());
    QPointer<Interface> main = title->mainWindow();
    // Where the program moves afterwards does not matter, nor where it was built.
    QVERIFY(QDir::setCurrent(later.path(QString())));

    main->findChild<QAction *>(QStringLiteral("mnuitmCaption"))->trigger();
    QVERIFY(QDir::setCurrent(before));
    QCOMPARE(h.dialogs.boxes.size(), 0);
    QCOMPARE(h.dialogs.opened.size(), 1);
    QCOMPARE(QFileInfo(h.dialogs.opened.first().toLocalFile()).canonicalFilePath(),
             QFileInfo(start.path("Tallybird.htm")).canonicalFilePath());
    delete title;
    delete main;
}

void HelpTest::aboutBox()
{
    Harness h;
    h.start();
    const QPixmap splash(QDir(h.ctx.ProgramDir).filePath("splash.bmp"));
    QVERIFY(!splash.isNull());
    Drive::onNextDialog([&](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("About"));
        QVERIFY(!(d->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(d->windowIcon().cacheKey(), h.window().windowIcon().cacheKey());
        auto *picture = d->findChild<QLabel *>("Picture1");
        QCOMPARE(picture->pixmap().size(), splash.size());
        QCOMPARE(picture->pixmap().toImage(), splash.toImage());
        // The picture runs across the top.
        QCOMPARE(picture->y(), 0);
        QVERIFY(picture->width() >= d->width() - 1);

        auto *revision = d->findChild<QLabel *>("Label3");
        QCOMPARE(revision->text(), QStringLiteral("Revision 2.00.01c"));
        QVERIFY(revision->alignment() & Qt::AlignHCenter);
        QVERIFY(revision->y() > picture->y() + picture->height() - 1);

        auto *link = d->findChild<QLabel *>("Label4");
        QVERIFY(link->font().underline());
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 238));
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(h.dialogs.opened, QList<QUrl>({SupportMail}));
        // A press that leaves the link before the release is no click.
        QTest::mousePress(link, Qt::LeftButton);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(h.dialogs.opened.size(), 1);
        // The keyboard reaches it too.
        link->setFocus();
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(h.dialogs.opened, QList<QUrl>({SupportMail, SupportMail}));

        QVERIFY(d->isVisible()); // writing to support leaves the box open
        d->close();
        QVERIFY(!d->isVisible());
    });
    QVERIFY(h.trigger("mnuitmAbout"));
    QCOMPARE(h.dialogs.boxes.size(), 0);
}

void HelpTest::aboutBoxWithoutPicture()
{
    TempDir empty;
    Harness h;
    h.ctx.ProgramDir = empty.path(QString());
    h.start();
    Drive::onNextDialog([](QDialog *d) {
        auto *picture = d->findChild<QLabel *>("Picture1");
        QVERIFY(picture->pixmap().isNull());
        QVERIFY(picture->text().contains("Tallybird"));
        QCOMPARE(d->findChild<QLabel *>("Label3")->text(), QStringLiteral("Revision 2.00.01c"));
        d->close();
    });
    QVERIFY(h.trigger("mnuitmAbout"));
    QCOMPARE(h.dialogs.boxes.size(), 0);
}

#include "HelpTest.moc"
TB_TEST(HelpTest)
