// Window tests gone wrong on purpose, each in a run of its own: the dialog
// waits of Drive must turn them into failures within seconds, not hangs.

#include "gui/Drive.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

class DialogProbe : public QObject
{
    Q_OBJECT

private slots:
    // The step checks for one dialog and another one comes.
    void stepFailsHalfWay()
    {
        Drive::onNextDialog([](QDialog *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Expected"));
            d->accept();
        });
        QDialog other;
        other.setWindowTitle(QStringLiteral("Other"));
        other.exec();
    }

    // A second dialog comes that no step waits for.
    void dialogNobodyAnswers()
    {
        Drive::onNextDialog([](QDialog *d) { d->accept(); });
        QDialog first;
        first.exec();
        QDialog second;
        second.setObjectName(QStringLiteral("Second"));
        second.exec();
    }

    // The dialog comes after the events of a long operation: still answered.
    void dialogComesLate()
    {
        bool answered = false;
        Drive::onNextDialog([&](QDialog *d) {
            answered = true;
            d->accept();
        });
        for (int i = 0; i < 2000; ++i)
            QCoreApplication::processEvents();
        QDialog late;
        late.exec();
        QVERIFY(answered);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DialogProbe probe;
    return QTest::qExec(&probe, argc, argv);
}

#include "DialogProbe.moc"
