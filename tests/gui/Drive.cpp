#include "Drive.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <cstring>

namespace Drive {

namespace {
template<typename T>
T *child(QWidget *root, const QString &name)
{
    T *w = root->findChild<T *>(name);
    if (!w)
        qFatal("no control named %s", qPrintable(name));
    return w;
}

// How long a test waits for a dialog, and how long a dialog may stay open with
// nothing left to answer it, before the test fails.
constexpr qint64 DialogWaitMs = 5000;

QString describe(QWidget *w)
{
    return QStringLiteral("%1 \"%2\"").arg(w->objectName(), w->windowTitle());
}

// Closes a modal window that has stayed on top for DialogWaitMs and fails the
// test: a step that waited for another window, or none at all, would leave it
// open, and the test would hang until the test runner's own timeout.
void watchModalWindows()
{
    static QTimer *watch = nullptr;
    if (watch)
        return;
    watch = new QTimer(qApp);
    auto watched = std::make_shared<QPointer<QWidget>>();
    auto since = std::make_shared<QElapsedTimer>();
    QObject::connect(watch, &QTimer::timeout, [watched, since] {
        QWidget *top = QApplication::activeModalWidget();
        if (top != *watched) {
            *watched = top;
            since->start();
            return;
        }
        if (!top || !since->hasExpired(DialogWaitMs))
            return;
        const QByteArray what =
            ("a dialog stayed open with nothing to answer it: " + describe(top)).toUtf8();
        *watched = nullptr;
        if (auto *dialog = qobject_cast<QDialog *>(top))
            dialog->reject();
        else
            top->close();
        QTest::qFail(what.constData(), __FILE__, __LINE__);
    });
    watch->start(100);
}
} // namespace

QWidget *focused(QWidget *box)
{
    // Only a window on the screen takes key presses.
    if (!box->window()->isVisible())
        box->window()->show();
    QApplication::setActiveWindow(box->window());
    box->setFocus(Qt::TabFocusReason);
    QWidget *target = QApplication::focusWidget();
    if (!target || (target != box && !box->isAncestorOf(target)))
        qFatal("%s did not take the focus", qPrintable(box->objectName()));
    return target;
}

void keys(const QString &text)
{
    // One key press per character, carrying the character itself, so that
    // letters outside the keyboard's ASCII keys can be typed as well.
    for (const QChar c : text) {
        int key = c.isLetterOrNumber() && c.unicode() < 128 ? c.toUpper().unicode() : 0;
        if (c == QLatin1Char('\r'))
            key = Qt::Key_Return;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(QApplication::focusWidget(), &release);
    }
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void type(QWidget *root, const QString &box, const QString &text)
{
    auto *w = child<QWidget>(root, box);
    auto *combo = qobject_cast<QComboBox *>(w);
    QLineEdit *edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(w);
    if (!edit)
        qFatal("%s is no entry box", qPrintable(box));
    focused(w);
    edit->selectAll();
    edit->del();
    keys(text);
}

void paste(QWidget *root, const QString &box, const QString &text)
{
    type(root, box, QString());
    QGuiApplication::clipboard()->setText(text);
    press(Qt::Key_V, Qt::ControlModifier);
}

QString text(QWidget *root, const QString &box)
{
    if (auto *combo = root->findChild<QComboBox *>(box))
        return combo->currentText();
    return child<QLineEdit>(root, box)->text();
}

void click(QWidget *root, const QString &button)
{
    QTest::mouseClick(child<QAbstractButton>(root, button), Qt::LeftButton);
}

void check(QWidget *root, const QString &box, bool on)
{
    auto *b = child<QCheckBox>(root, box);
    if (b->isChecked() != on)
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2));
}

bool isChecked(QWidget *root, const QString &box)
{
    return child<QCheckBox>(root, box)->isChecked();
}

void focus(QWidget *root, const QString &box)
{
    QApplication::setActiveWindow(root->window());
    child<QWidget>(root, box)->setFocus(Qt::MouseFocusReason);
}

void leave(QWidget *root, const QString &box)
{
    focus(root, box);
    QWidget *w = child<QWidget>(root, box);
    QWidget *next = w->nextInFocusChain();
    // An editable combo box's own line edit is part of the box, not the next control.
    while (next != w && (!(next->focusPolicy() & Qt::TabFocus) || w->isAncestorOf(next)))
        next = next->nextInFocusChain();
    next->setFocus(Qt::TabFocusReason);
    // A rejected box takes the focus back once the move has finished.
    QCoreApplication::processEvents();
}

void ring(QWidget *mainWindow, const QString &item, const QString &quantity)
{
    type(mainWindow, QStringLiteral("Combo1"), item);
    type(mainWindow, QStringLiteral("Text2"), quantity);
    press(Qt::Key_Return);
}

namespace {
QList<QPointer<QTimer>> &dialogWaits()
{
    static QList<QPointer<QTimer>> waits;
    return waits;
}
} // namespace

void cancelDialogWaits()
{
    for (const QPointer<QTimer> &timer : dialogWaits()) {
        if (timer) {
            timer->stop();
            timer->deleteLater();
        }
    }
    dialogWaits().clear();
}

void onNextDialog(std::function<void(QDialog *)> step)
{
    watchModalWindows();
    auto *timer = new QTimer;
    dialogWaits().append(timer);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    const QByteArray test = QTest::currentTestFunction() ? QTest::currentTestFunction() : "";
    QObject::connect(timer, &QTimer::timeout, [timer, clock, test, step] {
        const char *now = QTest::currentTestFunction();
        if (test != QByteArray(now ? now : "")) {
            // The test that waited is over; its dialog is no longer expected.
            timer->stop();
            timer->deleteLater();
            return;
        }
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (clock->hasExpired(DialogWaitMs)) {
                timer->stop();
                timer->deleteLater();
                QTest::qFail("the expected dialog did not appear within 5 seconds", __FILE__,
                             __LINE__);
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        const QPointer<QDialog> shown(dialog);
        step(dialog);
        // A step that failed part way leaves its dialog open, and nothing else
        // would close it.
        if (shown && shown->isVisible() && QTest::currentTestFailed())
            shown->reject();
    });
    timer->start(0);
}

void enterMasterCashier(const QString &name, const QString &pin)
{
    onNextDialog([name, pin](QDialog *d) {
        type(d, QStringLiteral("Text1"), name);
        type(d, QStringLiteral("Text2"), pin);
        for (QCheckBox *box :
             d->findChild<QWidget *>(QStringLiteral("Frame2"))->findChildren<QCheckBox *>())
            box->setChecked(true);
        click(d, QStringLiteral("Command1"));
        d->close();
    });
}

} // namespace Drive
