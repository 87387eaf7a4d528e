#include "common/TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

// Runs the probe's window tests that go wrong on purpose and checks that each
// ends, in its expected way, well before any runner's timeout.
class DialogWaitTest : public QObject
{
    Q_OBJECT

private slots:
    void endsWithinSeconds_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<QString>("message");
        QTest::newRow("step fails half-way") << "stepFailsHalfWay" << false << "Compared values";
        QTest::newRow("dialog nobody answers")
            << "dialogNobodyAnswers" << false
            << "a dialog stayed open with nothing to answer it: Second";
        QTest::newRow("dialog comes late") << "dialogComesLate" << true << "";
    }

    void endsWithinSeconds()
    {
        QFETCH(QString, function);
        QFETCH(bool, passes);
        QFETCH(QString, message);

        QProcess probe;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        probe.setProcessEnvironment(env);
        probe.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer clock;
        clock.start();
        probe.start(QDir(QCoreApplication::applicationDirPath()).filePath("tb_dialog_probe"),
                    {function});
        QVERIFY(probe.waitForStarted(10000));
        const bool ended = probe.waitForFinished(30000);
        if (!ended) {
            probe.kill();
            probe.waitForFinished();
        }
        const QString output = QString::fromUtf8(probe.readAll());
        QVERIFY2(ended, qPrintable(QStringLiteral("hung:\n") + output));
        QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QVERIFY2((probe.exitCode() == 0) == passes, qPrintable(output));
        QVERIFY2(output.contains(passes ? QStringLiteral("PASS   : DialogProbe::")
                                        : QStringLiteral("FAIL!  : DialogProbe::"))
                     && output.contains(message),
                 qPrintable(output));
    }
};

#include "DialogWaitTest.moc"
TB_TEST(DialogWaitTest)
